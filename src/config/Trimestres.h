#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace config {

// A calendar quarter, the period a return is usually filed for.
struct Trimestre {
    int anio = 0;
    int numero = 0; // 1 to 4

    QDate primerDia() const;
    QDate ultimoDia() const;
    // "4.º trimestre de 2026 (octubre a diciembre)".
    QString nombre() const;
};

// The last `cuantos` quarters that have ended, the latest first. A quarter has ended when its last
// day is before hoy: on its last day there may still be payments to come.
QList<Trimestre> UltimosTrimestres(const QDate &hoy, int cuantos = 8);

// A quarter written AAAA-T (2018-1); false with the Spanish reason in *error when it is not one.
bool LeerTrimestre(const QString &texto, Trimestre &t, QString *error);

} // namespace config

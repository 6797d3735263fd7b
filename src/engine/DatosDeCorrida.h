#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace engine {

// The request a run covered: its period and its side.
struct Periodo {
    QDate desde;
    QDate hasta;
    bool clientes = true;
};

// "clientes del 01/01/2018 al 31/03/2018".
QString TextoDelPeriodo(const Periodo &p);

// What a report itself does not say: the run that wrote it. Empty for a report opened from disk
// without knowing its run (its time may still be the file's).
struct DatosDeCorrida {
    QString periodo;    // as TextoDelPeriodo writes it
    QString base;       // the business database
    QDateTime momento;  // when the run ended
};

// What a printed summary says of its report above the table, one line each: "Reporte: " and the
// report's file name, "Reporte de " and the period (or only the side, from tipo "C" or "P", for a
// report opened from disk; nothing for an empty one), "Base de datos: ..." and "Generado el
// dd/mm/aaaa a las hh:mm". A line that is not known is left out.
QStringList LineasDeCorrida(const QString &tipo, const QString &reporte, const DatosDeCorrida &corrida);

} // namespace engine

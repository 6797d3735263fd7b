#pragma once

#include "Revision.h"

#include <QList>
#include <QString>

namespace engine {
class clsRepIEPS;
}

namespace ui {

// What a finished run left, as the main window shows it under its inputs: a few lines for the
// user and the files that can be opened from there.
struct Desenlace {
    QString texto;      // lines separated by "\n"
    bool fallo = false; // the report was not written for a reason the user must see
    QString reporte;    // full paths, empty when the file was not written
    QString log;
    QString carpeta;
    QList<engine::Hallazgo> hallazgos;
    QString rutaRevision;
};

// The outcome of the run just made by rep; reporte is the report's full path as the run left it
// in its file argument, carpeta the folder the run wrote to.
Desenlace DesenlaceDe(const engine::clsRepIEPS &rep, const QString &reporte, const QString &carpeta);

// "1 pago", "3 pagos": a count with its noun in singular or plural.
QString Cantidad(int n, const QString &singular, const QString &plural);

} // namespace ui

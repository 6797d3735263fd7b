#pragma once

#include "DatosDeCorrida.h"
#include "Revision.h"

#include <QDate>
#include <QDateTime>
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
    bool aviso = false; // nothing was written, and nothing failed (no payment, cancelled), or the
                        // report came out empty because its payments went nowhere
    QString reporte;    // full paths, empty when the file was not written
    QString log;
    QString carpeta;
    QList<engine::Hallazgo> hallazgos;
    QString rutaRevision;
    QString periodo;    // the run's side and period, as TextoDelPeriodo writes them
    QString base;       // the business database of the run
    QDateTime momento;  // when the run ended
};

using engine::Periodo;
using engine::TextoDelPeriodo;

// The outcome of the run just made by rep; reporte is the report's full path as the run left it
// in its file argument, carpeta the folder the run wrote to.
Desenlace DesenlaceDe(const engine::clsRepIEPS &rep, const QString &reporte, const QString &carpeta, const Periodo &p);
// A run that was cancelled.
Desenlace DesenlaceCancelado(const Periodo &p);
// A run that an unexpected failure ended; motivo is its text.
Desenlace DesenlaceDeFallo(const QString &motivo, const Periodo &p);

// A failure's text as the window shows it: the Spanish explanation on its own, and the server's
// or the client's own text (the trailing parenthesis) on the line after it.
QString SeparaTextoDelCliente(const QString &mensaje);

// "1 pago", "3 pagos": a count with its noun in singular or plural.
QString Cantidad(int n, const QString &singular, const QString &plural);

} // namespace ui

#pragma once

#include "DatosDeCorrida.h"
#include "ResumenDeReporte.h"

#include <QList>
#include <QString>

namespace engine {

// The summary of a report as a PDF (letter size), the same from the window and the command line:
// the report's file name (reporte is its path) and its run (corrida: period, database, time), one
// row per RFC in the report's order with the totals row under them, their headings repeated at
// the top of every page, the review's counts by kind, and "Página N de M" on each page.
//
// It is drawn in memory and written beside ruta, taking its place only once complete, so that a
// failed write leaves an earlier file as it was. Needs a QGuiApplication (fonts). False with a
// Spanish message in *error naming the file.
bool EscribirPdfDelResumen(const QString &ruta, const ResumenDeReporte &resumen, const QList<Hallazgo> &hallazgos,
                           const QString &reporte, const DatosDeCorrida &corrida, QString *error);

} // namespace engine

#pragma once

#include "DatosDeCorrida.h"
#include "ResumenDeReporte.h"

#include <QList>
#include <QString>

namespace engine {

// Writes the workbook of a report (.xlsx) at ruta, replacing a file that is there only once the
// new one is complete:
// - "Resumen": one row per RFC in the report's order (RFC, name, state, lines, quantity, amount,
//   IEPS, IVA, findings) and a totals row whose cells are SUM formulas over the rows above;
// - "Renglones": every line of the report, one field per column under its heading, figures as
//   numbers and codes as texts ("020" keeps its zero);
// - "Revisión": the findings of the review (may be empty).
// Headings in Spanish, columns as wide as their texts, the heading row frozen.
// reporte is the report's path (the book names it by its file name), corrida the run that wrote it.
// False with a Spanish message in *error when the file could not be written.
bool EscribirLibroExcel(const QString &ruta, const ResumenDeReporte &resumen, const QList<Hallazgo> &hallazgos,
                        const QString &reporte, const DatosDeCorrida &corrida, QString *error);

} // namespace engine

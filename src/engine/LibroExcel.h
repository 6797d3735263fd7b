#pragma once

#include "ComparacionDeReportes.h"
#include "DatosDeCorrida.h"
#include "DetalleDelReporte.h"
#include "ResumenDeReporte.h"

#include <QList>
#include <QString>

namespace engine {

// Writes the workbook of a report (.xlsx) at ruta, replacing a file that is there only once the
// new one is complete:
// - "Resumen": a title block ("Reporte especial de IEPS", the report's file name, "Reporte de " and
//   the run's period, or its side alone, "Base de datos: ", "Generado el dd/MM/yyyy a las hh:mm";
//   a line the book does not know is left out), a blank row, then the table: one row per RFC in the
//   report's order (RFC, name, state, lines, quantity, amount, IEPS, IVA, findings) and a bold totals
//   row whose cells are SUM formulas over the rows above;
// - "Renglones": every line of the report, one field per column under its heading, figures as
//   numbers and codes as texts ("020" keeps its zero);
// - "Revisión": the findings of the review (may be empty);
// - "Detalle", when the report's detail is given: its lines under its headings, figures as numbers,
//   codes as texts.
// - "Comparación", with a comparison: its counts and the earlier report's name above the table of
//   RFCs (before, now and difference of each figure) and its totals, then the lines that changed.
// Headings in Spanish in bold, columns as wide as their texts, the heading row frozen, a filter on
// every table with rows (the summary's without its totals). Whole figures read "#,##0", the
// presentation "0.000". Printed: Letter, landscape, one page wide, small margins, the heading row on
// every page and "Página N de M" at the foot.
// reporte is the report's path, corrida the run that wrote it (empty parts for a report opened from
// disk: the side then comes from the report's lines).
// False with a Spanish message in *error when the file could not be written.
bool EscribirLibroExcel(const QString &ruta, const ResumenDeReporte &resumen, const QList<Hallazgo> &hallazgos,
                        const QString &reporte, const DatosDeCorrida &corrida, QString *error,
                        const DetalleDelReporte *detalle = nullptr, const ComparacionDeReportes *comparacion = nullptr,
                        const QString &anterior = QString());

// Why the workbook library failed, in Spanish for the user, by the library's error code: the
// errors a user can meet by name (no file, a full disk, too many rows...), any other by its code.
QString MotivoDelLibro(int codigo);

} // namespace engine

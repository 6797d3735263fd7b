#pragma once

#include "CamposDelReporte.h"
#include "Revision.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace engine {

// What a written report holds, read back from its file, so that what is shown, summed and exported
// is what is filed: its lines field by field and, per RFC, the sums of its lines.
//
// Figures are the file's own: every number field is read as written and the sums are given in the
// report's general number form (NumeroGeneral, its thousands grouped for people), never from what a
// run kept in memory.

// One RFC of the report: its lines (positions in ResumenDeReporte::renglones, in the file's
// order) and the sums of their fields.
struct RfcDelReporte {
    QString rfc, nombre, estado; // as its first line writes them
    QList<int> renglones;
    double cantidad = 0, importe = 0, ieps = 0, iva = 0;
    int hallazgos = 0;           // findings of the review about this RFC (see ContarHallazgos)
};

struct ResumenDeReporte {
    QString tipo;                  // "C" (customers) or "P" (suppliers); empty for an empty report
    QList<QStringList> renglones;  // every line, its 26 fields
    QList<RfcDelReporte> rfcs;     // in the order the report first writes each RFC
    double cantidad = 0, importe = 0, ieps = 0, iva = 0; // totals of all lines
    int hallazgosEnReporte = 0;    // findings about RFCs of the report
};

// Reads the bytes of a report (Windows-1252, CR LF, 26 "|"-separated fields a line). False, with a
// Spanish message in *error naming the line, when the bytes are not such a report.
bool LeerResumen(const QByteArray &bytes, ResumenDeReporte &resumen, QString *error);
// The same from a file; a file that cannot be read is an error too.
bool LeerResumenDeArchivo(const QString &ruta, ResumenDeReporte &resumen, QString *error);
// A number field as the report writes it (NumeroGeneral's form); false for any other text.
bool LeerNumeroDelReporte(const QString &texto, double &valor);

// Counts the findings of a review per RFC of the report (findings about RFCs that the report
// groups as the same one count for it).
void ContarHallazgos(ResumenDeReporte &resumen, const QList<Hallazgo> &hallazgos);

// The cells of one RFC's row and of the totals row, as every view of the summary shows them (the
// report's own number forms with their thousands grouped, NumeroConSeparadores), under these
// headings: RFC, name, state (the fields' own), lines, quantity, amount, IEPS, IVA (the fields'), findings. The totals row has
// "Total" and "N RFC" in the first two and nothing for the state.
const QStringList &EncabezadosDeRfc();
QStringList TextosDeRfc(const RfcDelReporte &rfc);
QStringList TextosDeTotales(const ResumenDeReporte &resumen);
// The totals of some RFCs only (positions in resumen.rfcs, e.g. those a filter shows), summed from
// their rows: "Total de 7 de 50 RFC" in the second cell. All of them give the totals above.
QStringList TextosDeTotales(const ResumenDeReporte &resumen, const QList<int> &rfcs);

// The summary as text for a terminal: a table of RFCs with their sums, and the totals line.
QString ResumenComoTexto(const ResumenDeReporte &resumen);
// Rows of cells as a table for a terminal: each column as wide as its widest cell, the first
// aLaIzquierda columns to the left and the others to the right, two blanks between, none at the end.
QString TablaComoTexto(const QList<QStringList> &filas, int aLaIzquierda);

} // namespace engine

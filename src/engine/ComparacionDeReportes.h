#pragma once

#include "ResumenDeReporte.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace engine {

// What changed between a report filed earlier ("antes") and one of the same side made now
// ("ahora"): per RFC of either report and per report line, the quantity, amount, IEPS and IVA of
// each and their difference, and the totals. A report line is named by its RFC, Campo 5, clave
// genérica and presentación, as the files write them; when a report holds the same name twice,
// the first of one pairs with the first of the other. Figures are the files' own, read as the
// report reads them: a line whose four figures are the same is unchanged.

struct CifrasDeReporte {
    double cantidad = 0, importe = 0, ieps = 0, iva = 0;
};

// How an RFC or a line went: in both the same, only in the report of now (an RFC that entered
// the fifty, a new line), only in the earlier one (one that left, a removed line), or changed.
enum class Cambio { Igual, Entro, Salio, Cambiado };

struct RfcComparado {
    QString rfc, nombre; // the name as now writes it (before, for one that left)
    Cambio cambio = Cambio::Igual;
    CifrasDeReporte antes, ahora;
};

struct RenglonComparado {
    QString rfc, linea, claveGenerica, presentacion; // the line's name
    Cambio cambio = Cambio::Igual;
    CifrasDeReporte antes, ahora;
};

// RFCs and lines in the order of the report of now, then those that left in the earlier order.
struct ComparacionDeReportes {
    QList<RfcComparado> rfcs;
    QList<RenglonComparado> renglones;
    CifrasDeReporte antes, ahora; // the totals of each report
    qsizetype rfcsAntes = 0, rfcsAhora = 0, renglonesAntes = 0, renglonesAhora = 0;
};

// Why two reports of these sides ("C", "P"; empty for an empty report) are not compared; empty
// when they may be.
QString MotivoDeLadosDistintos(const QString &tipoAntes, const QString &tipoAhora);
// False with that reason in *error for reports of different sides.
bool CompararReportes(const ResumenDeReporte &antes, const ResumenDeReporte &ahora, ComparacionDeReportes &c,
                      QString *error);
// Reads the earlier report to compare with; its error names the file and the line that is wrong.
bool LeerReporteAnterior(const QString &ruta, ResumenDeReporte &resumen, QString *error);

// The word of a change: of an RFC ("Entró a los 50") or of a line ("Nuevo").
QString TextoDeCambio(Cambio cambio, bool deRfc);
// How many RFCs and lines there were and how they went, one sentence each.
QStringList LineasDeConteo(const ComparacionDeReportes &c);

// The cells of a row as the window and the workbook show it: the RFC's or the line's name, the
// change, then before, now and difference of quantity, amount, IEPS and IVA (two decimals,
// thousands grouped).
const QStringList &EncabezadosDeRfcsComparados();
QStringList TextosDeRfcComparado(const RfcComparado &r);
const QStringList &EncabezadosDeRenglonesComparados();
QStringList TextosDeRenglonComparado(const RenglonComparado &r);
// The twelve figures of a row in that order (differences: now less before).
QList<double> CifrasComparadas(const CifrasDeReporte &antes, const CifrasDeReporte &ahora);

// The comparison for a terminal: the counts, then each RFC and line that changed with one row
// per figure (before, now, difference), then the totals.
QString ComparacionComoTexto(const ComparacionDeReportes &c, const QString &anterior);

} // namespace engine

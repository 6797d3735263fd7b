#pragma once

#include "Acumulador.h"
#include "Clasificacion.h"

#include <QList>
#include <QString>
#include <QVariant>

// The arithmetic of one detail line, as the rows give its values: the share of its document that
// the payment covers, the prorated quantity, amount, IEPS and IVA, and their log lines. It needs
// no database; what it cannot work out ends the run with a Spanish host::Error.
namespace engine {

// A log line written from print position n: the text starts in column n, after n-1 blanks.
QString Sangria(int posicion, const QString &texto);

// What the review is told about a line's values.
struct NotaDelProrrateo {
    enum class Tipo {
        ParteFueraDeRango,  // "folio 1404, Factura A77: 120.00 %"
        TextoQueNoEsNumero, // "folio 1404, Factura A77, columna IVA: «16 %»"
    };
    Tipo tipo;
    QString texto;
};
using NotasDelProrrateo = QList<NotaDelProrrateo>;

// The share of a document that a payment covers: the same for all the document's lines, worked
// out (and its failures met) at the first of them.
struct Parte {
    QString folio;     // the payment's, as the review names it
    QString documento; // for the review: "Factura A77", "Compra 900"
    QString lugar;     // for the errors: "el pago 1404, factura A77"
    bool calculada = false;
    QString linea; // the share line of the log
    double fraccion = 0;
};

// A detail line's columns as its row gives them.
struct ValoresDeLinea {
    QVariant cantidad, precio, tasaIeps, tasaIva;
};

// A detail line worked out: the figures of its log lines and its contribution to its group.
struct LineaProrrateada {
    double cantidad = 0, precio = 0, importe = 0, ieps = 0;
    Prorrateo prorrateo;
};

// clientes: invoices of customers (else purchases from suppliers), which names the columns.
// Texts that do not read as numbers count as 0 and are added to notas.
void CalcularParte(bool clientes, Parte &parte, const QVariant &cantidadAnexo, const QVariant &totalDocumento,
                   NotasDelProrrateo &notas);
LineaProrrateada Prorratear(bool clientes, const Parte &parte, const ValoresDeLinea &valores, NotasDelProrrateo &notas);

// The Id of a product line as a 32-bit integer (halves to even when the column is not whole).
int IdDeLinea(const QVariant &linea, const QString &lugar);

// The two log lines of a detail line: its product and its IEPS.
QString LineaDelProducto(bool clientes, const QVariant &producto, const QString &nombreLinea, const LineaProrrateada &l);
QString LineaDelIeps(const QVariant &categoria, const QVariant &tasaIeps, const LineaProrrateada &l, double fraccion,
                     const Claves &claves);

} // namespace engine

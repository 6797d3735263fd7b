#pragma once

#include "Tramo.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace engine {

// The columns of one payment row.
struct Pago {
    QVariant id, folio, fecha, cantidad, clave, nombre, rfc, estado;
};

// The tables and columns that a run reads on each side of the books: customers (payments
// received, invoices) or suppliers (payments made, purchases).
struct Lado {
    const char *anexos;            // links of payments to documents
    const char *documentoDelAnexo; // link column naming the document
    const char *documentos;
    const char *claveDocumento;    // document column that links name
    const char *columnasDocumento;
    const char *detalle;           // document lines
    const char *claveDetalle;      // line column naming its document
    const char *columnasDetalle;
    const char *precio;            // unit price column of a line
    const char *productos;         // how lines join the product catalogue

    static const Lado &De(bool clientes);

    // The rows that count, for the per-row statements and the batch reads alike: a link that
    // names a document, a document that carries IEPS and is not cancelled, a line that carries
    // IEPS (named by ClaveDelDetalle); a document's lines come in OrdenDelDetalle.
    QString AnexoCuenta() const { return QLatin1String(documentoDelAnexo) + QStringLiteral("<>0"); }
    static QString DocumentoCuenta() { return QStringLiteral("ImpuestoAd<>0 AND Cancelada=0"); }
    QString DetalleCuenta() const { return QLatin1String(detalle) + QStringLiteral(".ImpuestoAd<>0"); }
    QString ClaveDelDetalle() const { return QLatin1String(detalle) + QLatin1Char('.') + QLatin1String(claveDetalle); }
    static QString OrdenDelDetalle() { return QStringLiteral("Partida"); }

    // The per-row statements, as the table text and column list that BasesDD::AbrirTabla takes.
    // Both sources use them, so that a row the batch reading cannot vouch for is read exactly as
    // the reference reads it.
    // The links of one payment (columns Cantidad and the document column).
    QString DesdeAnexos(const QVariant &folio) const;
    QString ColumnasAnexos() const;
    // One document, when it carries IEPS and is not cancelled (LIMIT 1).
    QString DesdeDocumento(const QVariant &documento) const;
    // The lines of one document that carry IEPS, ORDER BY Partida.
    QString DesdeDetalle(const QVariant &documento) const;
    // Any row of the documents table under the key, and any line of the document, whatever they
    // carry (LIMIT 1): whether a payment's link points at something.
    QString DesdeCualquierDocumento(const QVariant &documento) const;
    QString DesdeCualquierLinea(const QVariant &documento) const;
    // The document's total as the statements add it up (column Totaluco), for the messages.
    static QString TotalDelDocumento();
};

// The per-row statement of a product line's name (LIMIT 1; column Linea).
QString DesdeLinea(int idLinea);

// Where a run gets the rows it works on. Whatever the source, the rows come in the same order,
// with the same columns and values, as the per-row statements return them; the run's
// proration, classification and log code does not know which source it reads.
class FuenteDeRenglones {
public:
    virtual ~FuenteDeRenglones() = default;

    // The links with a document of the payment in position `indice` of the payment query:
    // columns Cantidad and the document column of the side.
    virtual Tramo Anexos(int indice, const Pago &pago) = 0;
    // The linked document when it exists, carries IEPS and is not cancelled (no rows otherwise).
    virtual Tramo Documento(const QVariant &documento) = 0;
    // The document's lines that carry IEPS, in Partida order, with their product's Linea,
    // Pedimento and CategoriaIEPS.
    virtual Tramo Detalle(const QVariant &documento) = 0;
    // For a link whose document did not come back: whether the documents table has any row under
    // its key (cancelled or without IEPS: the normal case), or none at all.
    virtual bool DocumentoExiste(const QVariant &documento) = 0;
    // For a document that came back without lines carrying IEPS: whether it has any line at all.
    virtual bool DocumentoTieneLineas(const QVariant &documento) = 0;
    // The name of the product line idLinea; false when the line table has no such row (a row
    // whose name is NULL gives true and a null name).
    virtual bool NombreDeLinea(int idLinea, QVariant &nombre) = 0;
    // Forgets what was read.
    virtual void Cerrar() = 0;
    // What the last run read with the per-row statements because the batch could not vouch for
    // its order or uniqueness, one Spanish sentence each (empty when nothing).
    virtual QStringList Dudas() const { return {}; }
};

} // namespace engine

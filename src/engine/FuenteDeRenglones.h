#pragma once

#include "Tramo.h"

#include <QString>
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
};

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
    // The name of the product line idLinea; false when the line table has no such row (a row
    // whose name is NULL gives true and a null name).
    virtual bool NombreDeLinea(int idLinea, QVariant &nombre) = 0;
    // Forgets what was read.
    virtual void Cerrar() = 0;
};

} // namespace engine

#pragma once

#include "FuenteDeRenglones.h"

namespace host {
class BasesDD;
class Conexion;
} // namespace host

namespace engine {

// The reference source: one statement per payment (its links), per link (the document), per
// document (its lines) and per question about a product line, as the rows are needed.
class FuentePorRenglon : public FuenteDeRenglones {
public:
    FuentePorRenglon(host::BasesDD &bases, host::Conexion &cn, const Lado &lado);

    Tramo Anexos(int indice, const Pago &pago) override;
    Tramo Documento(const QVariant &documento) override;
    Tramo Detalle(const QVariant &documento) override;
    bool DocumentoExiste(const QVariant &documento) override;
    bool DocumentoTieneLineas(const QVariant &documento) override;
    bool NombreDeLinea(int idLinea, QVariant &nombre) override;
    void Cerrar() override;

private:
    host::BasesDD &bases_;
    host::Conexion &cn_;
    const Lado &lado_;
    bool HayFila(const QString &desde, const QString &columna);

    host::Registros rsAnexo_, rsFactura_, rsDetalle_;
};

} // namespace engine

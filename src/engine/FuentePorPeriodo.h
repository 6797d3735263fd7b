#pragma once

#include "FuenteDeRenglones.h"

#include <QHash>
#include <QPair>
#include <QStringList>

namespace host {
class Conexion;
} // namespace host

namespace engine {

// The whole-period source: the links, documents and lines of a batch of payments are read with
// three statements when the run reaches the batch's first payment, and the line table once per
// run; the rows are then handed out payment by payment as the per-row statements would return
// them. Only for a database on which ElegirLectura found that they are the same rows in the
// same order.
class FuentePorPeriodo : public FuenteDeRenglones {
public:
    // pagos: the run's payment rows. llaveAnexos: the primary key columns of the links table,
    // whose order is the order in which the server returns one payment's links.
    FuentePorPeriodo(host::Conexion &cn, const Lado &lado, const host::Registros &pagos, QStringList llaveAnexos,
                     int pagosPorLote);

    Tramo Anexos(int indice, const Pago &pago) override;
    Tramo Documento(const QVariant &documento) override;
    Tramo Detalle(const QVariant &documento) override;
    bool NombreDeLinea(int idLinea, QVariant &nombre) override;
    void Cerrar() override;

private:
    void LeerLote(int desde);

    host::Conexion &cn_;
    const Lado &lado_;
    const host::Registros &pagos_;
    QStringList llaveAnexos_;
    int pagosPorLote_;

    int loteDesde_ = 0, loteHasta_ = 0; // payments [desde, hasta) of the batch in memory
    host::Registros rsAnexos_, rsDocumentos_, rsDetalle_;
    QHash<qint64, QPair<int, int>> anexosDelFolio_;     // rows [first, last) of a folio's links
    QHash<qint64, int> documento_;                      // row of a qualifying document
    QHash<qint64, QPair<int, int>> detalleDelDocumento_; // rows [first, last) of its lines

    bool lineasLeidas_ = false;
    QHash<qint64, QVariant> lineas_; // name of each product line
};

} // namespace engine

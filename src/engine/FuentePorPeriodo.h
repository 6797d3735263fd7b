#pragma once

#include "EleccionDeLectura.h"
#include "FuenteDeRenglones.h"

#include <QHash>
#include <QPair>
#include <QSet>
#include <QStringList>

#include <memory>

namespace host {
class BasesDD;
class Conexion;
} // namespace host

namespace engine {

// The whole-period source: the links, documents and lines of a batch of payments are read with
// three statements when the run reaches the batch's first payment, and the line table once per
// run; the rows are then handed out payment by payment as the per-row statements would return
// them. The documents statement brings every linked document, so that a link to a key no row has
// is known; a fourth statement, only when a qualifying document has no lines with IEPS, asks
// which of those have lines at all. Where the rows that came back leave their order or their uniqueness in doubt, those
// rows alone are read again with the per-row statement, and that answer is used:
// - a document whose lines tie on Partida (the per-row ORDER BY Partida leaves their order to
//   the server), for instance a line doubled by a product key that repeats in the catalogue;
// - a document key that two documents share (the per-row statement takes one with LIMIT 1);
// - a product line Id that repeats in the line table, when a detail line asks for it;
// - a payment with two or more links to qualifying documents when the links table does not
//   vouch for their order (EleccionDeLectura::llaveAnexos empty); these are read when the batch
//   is, many per round trip, each with its own per-row statement.
class FuentePorPeriodo : public FuenteDeRenglones {
public:
    // pagos: the run's payment rows. eleccion: what ElegirLectura found (its motivo empty).
    FuentePorPeriodo(host::BasesDD &bases, host::Conexion &cn, const Lado &lado, const host::Registros &pagos,
                     const EleccionDeLectura &eleccion, int pagosPorLote);

    Tramo Anexos(int indice, const Pago &pago) override;
    Tramo Documento(const QVariant &documento) override;
    Tramo Detalle(const QVariant &documento) override;
    bool DocumentoExiste(const QVariant &documento) override;
    bool DocumentoTieneLineas(const QVariant &documento) override;
    bool NombreDeLinea(int idLinea, QVariant &nombre) override;
    void Cerrar() override;
    QStringList Dudas() const override;

private:
    void LeerLote(int desde);
    // Reads alone, into anexosSolos_, the links of each folio of the batch that has two or more
    // links to qualifying documents. The batch's documents must have been read.
    void LeerAnexosEnDuda(const QList<QVariant> &folios);
    // The record set of a per-row statement read for `clave`, kept for the batch (or the run).
    host::Registros &Solo(QHash<qint64, std::shared_ptr<host::Registros>> &leidos, qint64 clave,
                          const QString &desde, const QString &columnas);
    bool Empatan(int fila, int otra) const;

    host::BasesDD &bases_;
    host::Conexion &cn_;
    const Lado &lado_;
    const host::Registros &pagos_;
    QStringList llaveAnexos_;
    QString dudaAnexos_;
    bool partidaNumerica_;
    int pagosPorLote_;

    int loteDesde_ = 0, loteHasta_ = 0; // payments [desde, hasta) of the batch in memory
    host::Registros rsAnexos_, rsDocumentos_, rsDetalle_;
    QHash<qint64, QPair<int, int>> anexosDelFolio_;      // rows [first, last) of a folio's links
    QHash<qint64, int> documento_;                       // row of a qualifying document
    QHash<qint64, QPair<int, int>> detalleDelDocumento_; // rows [first, last) of its lines
    QSet<qint64> documentosRepetidos_, detallesEmpatados_;
    QSet<qint64> existentes_; // keys of the batch's linked documents that some row has
    QSet<qint64> conLineas_;  // qualifying documents without IEPS lines that have other lines

    // Read alone with the per-row statement: in this batch (links, documents, lines), in this
    // run (line names).
    QHash<qint64, std::shared_ptr<host::Registros>> anexosSolos_, documentosSolos_, detallesSolos_, lineasSolas_;

    bool lineasLeidas_ = false;
    QHash<qint64, QVariant> lineas_; // name of each product line
    QSet<qint64> lineasRepetidas_;

    // Statements sent for rows in doubt, by kind, over the run.
    int pagosSolos_ = 0, documentosLeidosSolos_ = 0, detallesLeidosSolos_ = 0, lineasLeidasSolas_ = 0;
    int enviosDeAnexos_ = 0; // round trips that carried the payments read alone
};

} // namespace engine

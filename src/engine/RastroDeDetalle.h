#pragma once

#include "Acumulador.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace host {
class ArchivoDeSalida;
} // namespace host

namespace engine {

// The fields of a line of the detail that goes beside a report ("Detalle" + the report's name), in
// the file's order, under these headings. Writer and reader take them from here.
enum CampoDelDetalle {
    DetFolio, DetFecha, DetClave, DetRfc, DetDocumento, DetTotal, DetPagado, DetParte, DetPartida, DetProducto,
    DetCampo5, DetClaveGenerica, DetPresentacion, DetCantidad, DetImporte, DetIeps, DetIva, CamposDelDetalle
};
const QStringList &EncabezadosDelDetalle();
// Whether a field holds a figure (totals, share, Partida, presentation, the values); the others are
// texts, codes among them, whose leading zeros count.
bool CampoDelDetalleEsNumero(int campo);

// Writes the detail of a run while it prorates: a line of headings, then one line per detail
// line that went into a group of the work table, with the values that were added to it, so that
// the lines of a report line's RFC, Campo 5, clave genérica and presentation add up to its
// fields. RFC, codes and presentation are written as the report writes them. Lines are
// Windows-1252, CR LF, each field followed by "|" as in the report; a line has no "|" of its own.
//
// The file is written beside its name (ArchivoDeSalida::Modo::Reemplazar) and streamed: the run
// puts it in its place together with its report; destroyed before that, it leaves an earlier
// detail as it was.
class RastroDeDetalle {
public:
    explicit RastroDeDetalle(const QString &ruta);
    ~RastroDeDetalle();
    RastroDeDetalle(const RastroDeDetalle &) = delete;
    RastroDeDetalle &operator=(const RastroDeDetalle &) = delete;

    // One prorated detail line of the document (documento as the review names it: "Factura
    // A77"); a line without presentation (its product is not in the catalogue) adds nothing and
    // is not written, though it counts among the document's lines (Partida: its place among
    // the document's lines that carry IEPS, counted anew at each link of the payment; two links of
    // one payment to one document for the same amount count on).
    void Anotar(const Pago &pago, const QString &documento, const QVariant &totalDocumento, const QVariant &pagado,
                double parte, const QVariant &producto, const QString &clave5, const QString &claveGen,
                const QVariant &pedimento, const Prorrateo &valores);

    host::ArchivoDeSalida &archivo() { return *archivo_; }

private:
    QString presentacion(const QVariant &pedimento);

    std::unique_ptr<host::ArchivoDeSalida> archivo_;
    QVariant idPago_, pagado_;
    QString documento_;
    int partida_ = 0;
    // What the lines of a payment, and of one of its links, share: written once for all of them.
    QString inicioDelPago_, inicioDelAnexo_;
    QHash<QString, QString> presentaciones_; // as the report writes each catalogue text
};

} // namespace engine

#pragma once

#include "Acumulador.h"

#include <QByteArray>
#include <QHash>
#include <QVector>

namespace host {
class Conexion;
} // namespace host

namespace engine {

// The groups of a run kept in memory, in the order they were created, and written to the work
// table at the end with multi-row INSERTs. Two lines share a group exactly when the work
// table's look-up would find one row for both: the RFC compared as the table's collation
// compares it, the codes equal, the presentation equal as a single-precision number.
class AcumuladorEnMemoria : public Acumulador {
public:
    // pesosRfc: for every RFC of the run as the work table keeps it, its weight under the work
    // table's collation (equal weights, equal RFCs).
    AcumuladorEnMemoria(host::Conexion &cn, QHash<QString, QByteArray> pesosRfc);

    void Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5, const QString &claveGen,
                  const Prorrateo &valores) override;
    void Terminar(const std::function<void()> &entreSentencias) override;

private:
    struct Grupo {
        QString rfc, nombre, estado, linea, claveGenerica, presentacion;
        Prorrateo suma;
    };

    host::Conexion &cn_;
    QHash<QString, QByteArray> pesosRfc_;
    QVector<Grupo> grupos_;
    QHash<QByteArray, int> indice_;
    // The presentation text and number of each catalogue value met, worked out once.
    struct Presentacion {
        QString texto;
        float simple;
    };
    QHash<QString, Presentacion> presentaciones_;
    Presentacion presentacionDe(const QVariant &pedimento);

    // The lines of one payment come together: its cleaned RFC and weight are worked out once.
    QString rfcLeido_, rfcLimpio_, rfcTabla_;
    QByteArray pesoRfc_;
    bool hayRfc_ = false;
};

} // namespace engine

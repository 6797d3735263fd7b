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
// table's look-up would find one row for both: the RFC the same text (the run reads by periods
// only RFCs that the table keeps as they are, so the same bytes), the codes equal, the
// presentation equal as a single-precision number.
class AcumuladorEnMemoria : public Acumulador {
public:
    explicit AcumuladorEnMemoria(host::Conexion &cn);

    void Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5, const QString &claveGen,
                  const Prorrateo &valores) override;
    void Terminar(const std::function<void()> &entreSentencias) override;

private:
    struct Grupo {
        QString rfc, nombre, estado, linea, claveGenerica, presentacion;
        Prorrateo suma;
    };

    host::Conexion &cn_;
    QVector<Grupo> grupos_;
    QHash<QByteArray, int> indice_;
    // The presentation text and number of each catalogue value met, worked out once.
    struct Presentacion {
        QString texto;
        float simple;
    };
    QHash<QString, Presentacion> presentaciones_;
    Presentacion presentacionDe(const QVariant &pedimento);

    // The lines of one payment come together: its cleaned RFC is worked out once.
    QString rfcLeido_, rfcLimpio_, rfcTabla_;
    QByteArray llaveRfc_;
    bool hayRfc_ = false;
};

} // namespace engine

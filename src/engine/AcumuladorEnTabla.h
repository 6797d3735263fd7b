#pragma once

#include "Acumulador.h"

namespace host {
class BasesDD;
class Conexion;
class Registros;
} // namespace host

namespace engine {

// The reference accumulation: each line looks its group up in the work table and adds to it
// there (one look-up and one INSERT or UPDATE per line).
class AcumuladorEnTabla : public Acumulador {
public:
    // rsTemporal: the run's work-table record set, which keeps the last group looked up;
    // juegoRfc: the character set of its RFC column (JuegoDelRfc).
    AcumuladorEnTabla(host::BasesDD &bases, host::Conexion &cn, host::Registros &rsTemporal, const QString &juegoRfc);

    void Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5, const QString &claveGen,
                  const Prorrateo &valores) override;
    void Terminar(const std::function<void()> &) override {}

private:
    host::BasesDD &bases_;
    host::Conexion &cn_;
    host::Registros &rsTemporal_;
    QString juegoRfc_;
};

} // namespace engine

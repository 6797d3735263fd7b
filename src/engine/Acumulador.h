#pragma once

#include "FuenteDeRenglones.h"

#include <QString>
#include <QVariant>

#include <functional>

namespace host {
class Conexion;
} // namespace host

namespace engine {

// The prorated values of one detail line.
struct Prorrateo {
    double cantidad = 0, importe = 0, ieps = 0, iva = 0;
};

// Sums the detail lines of a run into groups: one per party RFC, Campo 5 code, clave genérica
// and product presentation, which become the rows of the work table tmptempoieps.
class Acumulador {
public:
    virtual ~Acumulador() = default;
    // Adds a line to its group, creating the group when it is the first line of it. A line
    // whose product has no presentation (always so for a product missing from the catalogue)
    // has no group: it is logged and listed, not summed.
    virtual void Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5,
                          const QString &claveGen, const Prorrateo &valores) = 0;
    // Puts in the work table what is not there yet; the run commits right after. entreSentencias
    // is called before each statement it sends (where a cancelled run stops).
    virtual void Terminar(const std::function<void()> &entreSentencias) = 0;
};

// What a group row holds about its party and presentation. The first line of a group fixes them.
QString RfcDelGrupo(const Pago &pago);                  // the payment's RFC, cleaned
// The RFC as the work table keeps it (its first LargoRfc characters): groups are told apart by it.
constexpr int LargoRfc = 13;
QString RfcDeLaTabla(const QString &rfc);
// The work table tells its parties apart by the RFC's bytes, whatever its collation takes as
// equal (Ñ and N, accents, case): juego is the character set of its RFC column, as JuegoDelRfc
// reads it once the table exists; the condition finds one RFC's rows through the table's index.
QString JuegoDelRfc(host::Conexion &cn);
QString RfcIgualA(const host::Conexion &cn, const QString &rfc, const QString &juego);
QString NombreDelGrupo(const Pago &pago, const QString &rfc);
QString EstadoDelGrupo(const Pago &pago);              // two-digit state code
QString PresentacionDelGrupo(const QVariant &pedimento); // the presentation number as text
// The single-precision number that the work table keeps for a presentation text.
float PresentacionSimple(const QString &presentacion);

} // namespace engine

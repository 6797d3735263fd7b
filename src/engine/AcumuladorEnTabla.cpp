#include "AcumuladorEnTabla.h"

#include "BasesDD.h"
#include "Conexion.h"
#include "Registros.h"

namespace engine {

AcumuladorEnTabla::AcumuladorEnTabla(host::BasesDD &bases, host::Conexion &cn, host::Registros &rsTemporal,
                                     const QString &juegoRfc)
    : bases_(bases)
    , cn_(cn)
    , rsTemporal_(rsTemporal)
    , juegoRfc_(juegoRfc)
{
}

void AcumuladorEnTabla::Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5,
                                 const QString &claveGen, const Prorrateo &valores)
{
    if (pedimento.isNull())
        return;

    const QString limpio = RfcDelGrupo(pago);
    const QString rfc = RfcDeLaTabla(limpio);
    const QString presentacion = PresentacionDelGrupo(pedimento);
    // The column holds the nearest single-precision number to that text, compared here exactly.
    const QString presentacionExacta = host::NumeroSql(double(PresentacionSimple(presentacion)));

    bases_.AbrirTabla(rsTemporal_, cn_,
                      QStringLiteral("tmptempoieps WHERE ") + RfcIgualA(cn_, rfc, juegoRfc_) + QStringLiteral(" and Linea='")
                          + cn_.Escapa(clave5) + QStringLiteral("' and Clavegenerica='") + cn_.Escapa(claveGen)
                          + QStringLiteral("' AND Presentacion=") + presentacionExacta);
    if (rsTemporal_.Eof()) {
        rsTemporal_.AddNew();
        rsTemporal_.Collect(QStringLiteral("RFC"), rfc);
        rsTemporal_.Collect(QStringLiteral("Nombre"), NombreDelGrupo(pago, limpio));
        rsTemporal_.Collect(QStringLiteral("Estado"), EstadoDelGrupo(pago));
        rsTemporal_.Collect(QStringLiteral("Linea"), clave5);
        rsTemporal_.Collect(QStringLiteral("Presentacion"), presentacion);
        rsTemporal_.Collect(QStringLiteral("ClaveGenerica"), claveGen);
        rsTemporal_.Collect(QStringLiteral("CantidadFactura"), 0.0);
        rsTemporal_.Collect(QStringLiteral("Importe"), 0.0);
        rsTemporal_.Collect(QStringLiteral("IEPS"), 0.0);
        rsTemporal_.Collect(QStringLiteral("IVA"), 0.0);
    }
    const auto sumar = [this](const QString &columna, double valor) {
        rsTemporal_.Collect(columna, rsTemporal_.Collect(columna).toDouble() + valor);
    };
    sumar(QStringLiteral("CantidadFactura"), valores.cantidad);
    sumar(QStringLiteral("Importe"), valores.importe);
    sumar(QStringLiteral("IEPS"), valores.ieps);
    sumar(QStringLiteral("IVA"), valores.iva);
    rsTemporal_.Update();
}

} // namespace engine

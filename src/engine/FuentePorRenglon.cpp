#include "FuentePorRenglon.h"

#include "BasesDD.h"
#include "Formatos.h"

namespace engine {

FuentePorRenglon::FuentePorRenglon(host::BasesDD &bases, host::Conexion &cn, const Lado &lado)
    : bases_(bases)
    , cn_(cn)
    , lado_(lado)
{
}

Tramo FuentePorRenglon::Anexos(int, const Pago &pago)
{
    // The folio is placed bare: a NULL one makes the statement fail, as it must.
    const QString documento = QLatin1String(lado_.documentoDelAnexo);
    if (!bases_.AbrirTabla(rsAnexo_, cn_,
                           QLatin1String(lado_.anexos) + QStringLiteral(" WHERE FolioDelPago=") + ValorComoTexto(pago.folio)
                               + QStringLiteral(" AND ") + documento + QStringLiteral("<>0"),
                           QStringLiteral("Cantidad,") + documento))
        return Tramo();
    return Tramo(rsAnexo_);
}

Tramo FuentePorRenglon::Documento(const QVariant &documento)
{
    if (!bases_.AbrirTabla(rsFactura_, cn_,
                           QLatin1String(lado_.documentos) + QStringLiteral(" WHERE ") + QLatin1String(lado_.claveDocumento)
                               + QLatin1Char('=') + ValorComoTexto(documento)
                               + QStringLiteral(" AND ImpuestoAd<>0 AND Cancelada=0 LIMIT 1"),
                           QLatin1String(lado_.columnasDocumento)))
        return Tramo();
    return Tramo(rsFactura_, 0, 1);
}

Tramo FuentePorRenglon::Detalle(const QVariant &documento)
{
    const QString detalle = QLatin1String(lado_.detalle);
    bases_.AbrirTabla(rsDetalle_, cn_,
                      QLatin1String(lado_.productos) + QStringLiteral(" WHERE ") + detalle
                          + QStringLiteral(".ImpuestoAd<>0 AND ") + detalle + QLatin1Char('.')
                          + QLatin1String(lado_.claveDetalle) + QLatin1Char('=') + ValorComoTexto(documento)
                          + QStringLiteral(" ORDER BY Partida"),
                      QLatin1String(lado_.columnasDetalle));
    return Tramo(rsDetalle_);
}

bool FuentePorRenglon::NombreDeLinea(int idLinea, QVariant &nombre)
{
    // Every question reads the line table anew.
    host::Registros rs;
    const bool existe = bases_.AbrirTabla(
        rs, cn_, QStringLiteral("lineas WHERE Id=") + QString::number(idLinea) + QStringLiteral(" LIMIT 1"),
        QStringLiteral("Linea"));
    nombre = existe ? rs.Campo(QStringLiteral("Linea")) : QVariant();
    bases_.CierraTabla(rs);
    return existe;
}

void FuentePorRenglon::Cerrar()
{
    bases_.CierraTabla(rsAnexo_);
    bases_.CierraTabla(rsFactura_);
    bases_.CierraTabla(rsDetalle_);
}

} // namespace engine

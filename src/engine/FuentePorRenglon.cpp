#include "FuentePorRenglon.h"

#include "BasesDD.h"

namespace engine {

FuentePorRenglon::FuentePorRenglon(host::BasesDD &bases, host::Conexion &cn, const Lado &lado)
    : bases_(bases)
    , cn_(cn)
    , lado_(lado)
{
}

Tramo FuentePorRenglon::Anexos(int, const Pago &pago)
{
    if (!bases_.AbrirTabla(rsAnexo_, cn_, lado_.DesdeAnexos(pago.folio), lado_.ColumnasAnexos()))
        return Tramo();
    return Tramo(rsAnexo_);
}

Tramo FuentePorRenglon::Documento(const QVariant &documento)
{
    if (!bases_.AbrirTabla(rsFactura_, cn_, lado_.DesdeDocumento(documento), QLatin1String(lado_.columnasDocumento)))
        return Tramo();
    return Tramo(rsFactura_, 0, 1);
}

Tramo FuentePorRenglon::Detalle(const QVariant &documento)
{
    bases_.AbrirTabla(rsDetalle_, cn_, lado_.DesdeDetalle(documento), QLatin1String(lado_.columnasDetalle));
    return Tramo(rsDetalle_);
}

bool FuentePorRenglon::HayFila(const QString &desde, const QString &columna)
{
    host::Registros rs;
    const bool hay = bases_.AbrirTabla(rs, cn_, desde, columna);
    bases_.CierraTabla(rs);
    return hay;
}

bool FuentePorRenglon::DocumentoExiste(const QVariant &documento)
{
    return HayFila(lado_.DesdeCualquierDocumento(documento), QLatin1String(lado_.claveDocumento));
}

bool FuentePorRenglon::DocumentoTieneLineas(const QVariant &documento)
{
    return HayFila(lado_.DesdeCualquierLinea(documento), QLatin1String(lado_.claveDetalle));
}

bool FuentePorRenglon::NombreDeLinea(int idLinea, QVariant &nombre)
{
    // Every question reads the line table anew.
    host::Registros rs;
    const bool existe = bases_.AbrirTabla(rs, cn_, DesdeLinea(idLinea), QStringLiteral("Linea"));
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

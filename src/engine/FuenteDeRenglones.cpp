#include "FuenteDeRenglones.h"

#include "Formatos.h"

namespace engine {

// What a document's total is made of: the statements add it up under the name Totaluco.
#define TOTAL_DEL_DOCUMENTO "SubTotal+IVA+ImpuestoAd"

const Lado &Lado::De(bool clientes)
{
    static const Lado Clientes = {
        "anexopagosctes",
        "Factura",
        "facturas",
        "Id",
        "Serie,Factura,ImpuestoAd,(" TOTAL_DEL_DOCUMENTO ") AS Totaluco,Cancelada",
        "facturasdetalle",
        "Id",
        "facturasdetalle.Producto,facturasdetalle.Cantidad,facturasdetalle.PrecioNeto,facturasdetalle.IVA,"
        "facturasdetalle.ImpuestoAd,productos.Linea,productos.Pedimento,productos.CategoriaIEPS",
        "PrecioNeto",
        "facturasdetalle LEFT JOIN productos ON facturasdetalle.Producto=productos.Clave",
    };
    static const Lado Proveedores = {
        "anexopagosprov",
        "Compra",
        "compras",
        "Compra",
        "Compra,ImpuestoAd,(" TOTAL_DEL_DOCUMENTO ") AS Totaluco,Cancelada",
        "comprasdetalle",
        "Compra",
        "comprasdetalle.Producto,comprasdetalle.Cantidad,comprasdetalle.CostoNeto,comprasdetalle.IVA,"
        "comprasdetalle.ImpuestoAd,productos.Linea,productos.Pedimento,productos.CategoriaIEPS",
        "CostoNeto",
        "comprasdetalle LEFT JOIN productos ON comprasdetalle.Producto=productos.Clave",
    };
    return clientes ? Clientes : Proveedores;
}

QString Lado::DesdeAnexos(const QVariant &folio) const
{
    // The folio is placed bare: a NULL one makes the statement fail, as it must.
    return QLatin1String(anexos) + QStringLiteral(" WHERE FolioDelPago=") + ValorComoTexto(folio) + QStringLiteral(" AND ")
           + AnexoCuenta();
}

QString Lado::ColumnasAnexos() const
{
    return QStringLiteral("Cantidad,") + QLatin1String(documentoDelAnexo);
}

QString Lado::DesdeDocumento(const QVariant &documento) const
{
    return QLatin1String(documentos) + QStringLiteral(" WHERE ") + QLatin1String(claveDocumento) + QLatin1Char('=')
           + ValorComoTexto(documento) + QStringLiteral(" AND ") + DocumentoCuenta() + QStringLiteral(" LIMIT 1");
}

QString Lado::DesdeDetalle(const QVariant &documento) const
{
    return QLatin1String(productos) + QStringLiteral(" WHERE ") + DetalleCuenta() + QStringLiteral(" AND ")
           + ClaveDelDetalle() + QLatin1Char('=') + ValorComoTexto(documento) + QStringLiteral(" ORDER BY ")
           + OrdenDelDetalle();
}

QString Lado::DesdeCualquierDocumento(const QVariant &documento) const
{
    return QLatin1String(documentos) + QStringLiteral(" WHERE ") + QLatin1String(claveDocumento) + QLatin1Char('=')
           + ValorComoTexto(documento) + QStringLiteral(" LIMIT 1");
}

QString Lado::DesdeCualquierLinea(const QVariant &documento) const
{
    return QLatin1String(detalle) + QStringLiteral(" WHERE ") + QLatin1String(claveDetalle) + QLatin1Char('=')
           + ValorComoTexto(documento) + QStringLiteral(" LIMIT 1");
}

QString Lado::TotalDelDocumento()
{
    return QStringLiteral(TOTAL_DEL_DOCUMENTO);
}

QString DesdeLinea(int idLinea)
{
    return QStringLiteral("lineas WHERE Id=") + QString::number(idLinea) + QStringLiteral(" LIMIT 1");
}

} // namespace engine

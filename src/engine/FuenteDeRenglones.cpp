#include "FuenteDeRenglones.h"

namespace engine {

const Lado &Lado::De(bool clientes)
{
    static const Lado Clientes = {
        "anexopagosctes",
        "Factura",
        "facturas",
        "Id",
        "Serie,Factura,ImpuestoAd,(SubTotal+IVA+ImpuestoAd) AS Totaluco,Cancelada",
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
        "Compra,ImpuestoAd,(SubTotal+IVA+ImpuestoAd) AS Totaluco,Cancelada",
        "comprasdetalle",
        "Compra",
        "comprasdetalle.Producto,comprasdetalle.Cantidad,comprasdetalle.CostoNeto,comprasdetalle.IVA,"
        "comprasdetalle.ImpuestoAd,productos.Linea,productos.Pedimento,productos.CategoriaIEPS",
        "CostoNeto",
        "comprasdetalle LEFT JOIN productos ON comprasdetalle.Producto=productos.Clave",
    };
    return clientes ? Clientes : Proveedores;
}

} // namespace engine

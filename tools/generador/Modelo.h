#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace generador {

using Texto = std::optional<std::string>; // nullopt is SQL NULL
using Centavos = long long;

// Days since 1970-01-01 and back.
int DiaDeFecha(int anio, int mes, int dia);
std::string TextoDeDia(int dias); // yyyy-mm-dd

struct Linea {
    int id;
    Texto nombre;
};

struct Producto {
    std::string clave;
    std::string descripcion;
    std::optional<int> linea;
    Texto pedimento;     // presentation
    Texto categoria;     // CategoriaIEPS
    int tasaIeps = 0;    // percent, 0 when the product carries no IEPS
    int tasaIva = 0;     // percent
    Centavos precio = 0; // sale price; the cost is a share of it
};

struct Parte { // a customer or a supplier
    std::string clave;
    Texto nombre, rfc, estado, ciudad;
};

// A row of edoctacli / edoctaprov.
struct Movimiento {
    int id = 0;
    int folio = 0;
    int fecha = 0;
    std::string clave;
    Centavos pago = 0;
    bool notaCredito = false;
};

// A row of anexopagosctes / anexopagosprov.
struct Anexo {
    int id = 0;
    int folioDelPago = 0;
    int documento = 0; // facturas.Id or compras.Compra; 0 for an advance not yet applied
    Centavos cantidad = 0;
};

struct Partida {
    int documento = 0;
    int partida = 0;
    std::string producto;
    double cantidad = 0;
    Centavos precio = 0; // PrecioNeto or CostoNeto
    int iva = 0;
    int ieps = 0;
};

// A row of facturas / compras.
struct Documento {
    int id = 0;     // facturas.Id or compras.Compra
    Texto serie;    // invoices only
    int numero = 0; // facturas.Factura
    int fecha = 0;
    std::string parte;
    Centavos subtotal = 0, iva = 0, ieps = 0;
    bool cancelada = false;
    Centavos total() const { return subtotal + iva + ieps; }
};

// One side of the books: customers with their invoices, or suppliers with their purchases.
struct Libro {
    std::vector<Parte> partes;
    std::vector<Movimiento> movimientos;
    std::vector<Anexo> anexos;
    std::vector<Documento> documentos;
    std::vector<Partida> partidas;
};

struct Base {
    std::vector<Linea> lineas;
    std::vector<Producto> productos;
    Libro clientes;
    Libro proveedores;
};

} // namespace generador

#include "Generador.h"

#include <cstdio>
#include <ostream>

namespace generador {

namespace {

std::string Cadena(const Texto &t)
{
    if (!t)
        return "NULL";
    std::string s = "'";
    for (char c : *t) {
        if (c == '\'')
            s += "''";
        else if (c == '\\')
            s += "\\\\";
        else
            s += c;
    }
    return s + "'";
}

std::string Importe(Centavos c)
{
    char b[32];
    std::snprintf(b, sizeof b, "%s%lld.%02lld", c < 0 ? "-" : "", std::llabs(c) / 100, std::llabs(c) % 100);
    return b;
}

std::string Numero(double x)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.15g", x);
    return b;
}

std::string Fecha(int dia) { return "'" + TextoDeDia(dia) + "'"; }

// Collects rows of one table and writes them as INSERT statements of up to `porInsert` rows.
class Insercion {
public:
    Insercion(std::ostream &o, const char *encabezado, int porInsert)
        : o_(o), encabezado_(encabezado), porInsert_(porInsert)
    {
    }
    ~Insercion()
    {
        if (filas_ > 0)
            o_ << ";\n";
    }
    void fila(const std::string &valores)
    {
        if (filas_ == porInsert_) {
            o_ << ";\n";
            filas_ = 0;
        }
        o_ << (filas_ == 0 ? encabezado_ : std::string(",\n")) << '(' << valores << ')';
        ++filas_;
    }

private:
    std::ostream &o_;
    std::string encabezado_;
    int porInsert_;
    int filas_ = 0;
};

void Partes(std::ostream &o, const char *tabla, const std::vector<Parte> &ps, int n)
{
    Insercion ins(o, (std::string("INSERT INTO ") + tabla + " (Clave,Nombre,RFC,Estado,Ciudad) VALUES\n").c_str(), n);
    for (const Parte &p : ps)
        ins.fila(Cadena(p.clave) + "," + Cadena(p.nombre) + "," + Cadena(p.rfc) + "," + Cadena(p.estado) + ","
                 + Cadena(p.ciudad));
}

void Movimientos(std::ostream &o, const char *tabla, const std::vector<Movimiento> &ms, int n)
{
    Insercion ins(o, (std::string("INSERT INTO ") + tabla + " (Id,Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES\n").c_str(), n);
    for (const Movimiento &m : ms)
        ins.fila(std::to_string(m.id) + "," + std::to_string(m.folio) + "," + Fecha(m.fecha) + "," + Cadena(m.clave)
                 + "," + Importe(m.pago) + "," + (m.notaCredito ? "1" : "0"));
}

void Anexos(std::ostream &o, const char *tabla, const char *columna, const std::vector<Anexo> &as, int n)
{
    Insercion ins(o, (std::string("INSERT INTO ") + tabla + " (Id,FolioDelPago," + columna + ",Cantidad) VALUES\n").c_str(), n);
    for (const Anexo &a : as)
        ins.fila(std::to_string(a.id) + "," + std::to_string(a.folioDelPago) + "," + std::to_string(a.documento) + ","
                 + Importe(a.cantidad));
}

void Partidas(std::ostream &o, const char *encabezado, const std::vector<Partida> &ps, int n)
{
    Insercion ins(o, encabezado, n);
    for (const Partida &p : ps)
        ins.fila(std::to_string(p.documento) + "," + std::to_string(p.partida) + "," + Cadena(p.producto) + ","
                 + Numero(p.cantidad) + "," + Importe(p.precio) + "," + std::to_string(p.iva) + ","
                 + std::to_string(p.ieps));
}

} // namespace

void EscribirSql(const Base &b, std::ostream &o, int n)
{
    o << "-- Sample point-of-sale data for repieps (tools/generador).\n"
         "SET NAMES utf8mb4;\nSET autocommit=0;\nSET unique_checks=0;\n";
    {
        Insercion ins(o, "INSERT INTO lineas (Id,Linea) VALUES\n", n);
        for (const Linea &l : b.lineas)
            ins.fila(std::to_string(l.id) + "," + Cadena(l.nombre));
    }
    {
        Insercion ins(o, "INSERT INTO productos (Clave,Descripcion,Linea,Pedimento,CategoriaIEPS) VALUES\n", n);
        for (const Producto &p : b.productos)
            ins.fila(Cadena(p.clave) + "," + Cadena(p.descripcion) + ","
                     + (p.linea ? std::to_string(*p.linea) : std::string("NULL")) + "," + Cadena(p.pedimento) + ","
                     + Cadena(p.categoria));
    }
    Partes(o, "clientes", b.clientes.partes, n);
    Partes(o, "proveedores", b.proveedores.partes, n);
    {
        Insercion ins(o, "INSERT INTO facturas (Id,Serie,Factura,Fecha,Cliente,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES\n", n);
        for (const Documento &d : b.clientes.documentos)
            ins.fila(std::to_string(d.id) + "," + Cadena(d.serie) + "," + std::to_string(d.numero) + "," + Fecha(d.fecha)
                     + "," + Cadena(d.parte) + "," + Importe(d.subtotal) + "," + Importe(d.iva) + "," + Importe(d.ieps)
                     + "," + (d.cancelada ? "1" : "0"));
    }
    {
        Insercion ins(o, "INSERT INTO compras (Compra,Fecha,Proveedor,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES\n", n);
        for (const Documento &d : b.proveedores.documentos)
            ins.fila(std::to_string(d.id) + "," + Fecha(d.fecha) + "," + Cadena(d.parte) + "," + Importe(d.subtotal)
                     + "," + Importe(d.iva) + "," + Importe(d.ieps) + "," + (d.cancelada ? "1" : "0"));
    }
    Partidas(o, "INSERT INTO facturasdetalle (Id,Partida,Producto,Cantidad,PrecioNeto,IVA,ImpuestoAd) VALUES\n",
             b.clientes.partidas, n);
    Partidas(o, "INSERT INTO comprasdetalle (Compra,Partida,Producto,Cantidad,CostoNeto,IVA,ImpuestoAd) VALUES\n",
             b.proveedores.partidas, n);
    Movimientos(o, "edoctacli", b.clientes.movimientos, n);
    Movimientos(o, "edoctaprov", b.proveedores.movimientos, n);
    Anexos(o, "anexopagosctes", "Factura", b.clientes.anexos, n);
    Anexos(o, "anexopagosprov", "Compra", b.proveedores.anexos, n);
    o << "COMMIT;\nSET unique_checks=1;\nSET autocommit=1;\n";
}

} // namespace generador

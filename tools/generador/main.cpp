// repieps-generador: writes a sample point-of-sale database as SQL.
//
//   repieps-generador --semilla N --pagos N [--pagos-proveedores N] [--salida ARCHIVO] [--resumen]
//
// The tables must exist already (tools/esquema.sql). The same seed and size give the same SQL.
#include "Generador.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int Uso(const char *mensaje)
{
    std::cerr << "repieps-generador: " << mensaje << "\n"
              << "uso: repieps-generador --semilla N --pagos N [--pagos-proveedores N] [--salida ARCHIVO] [--resumen]\n";
    return 2;
}

bool Entero(const char *texto, long long &valor)
{
    char *fin = nullptr;
    valor = std::strtoll(texto, &fin, 10);
    return fin != texto && *fin == '\0' && valor >= 0;
}

} // namespace

int main(int argc, char *argv[])
{
    generador::Opciones op;
    std::string salida;
    bool resumen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long long v = 0;
        auto valor = [&]() -> bool { return i + 1 < argc && Entero(argv[++i], v); };
        if (a == "--semilla") {
            if (!valor())
                return Uso("--semilla necesita un número entero no negativo");
            op.semilla = static_cast<std::uint64_t>(v);
        } else if (a == "--pagos") {
            if (!valor() || v > 5000000)
                return Uso("--pagos necesita un número entre 0 y 5000000");
            op.pagos = int(v);
        } else if (a == "--pagos-proveedores") {
            if (!valor() || v > 5000000)
                return Uso("--pagos-proveedores necesita un número entre 0 y 5000000");
            op.pagosProveedores = int(v);
        } else if (a == "--salida") {
            if (i + 1 >= argc)
                return Uso("--salida necesita el nombre de un archivo");
            salida = argv[++i];
        } else if (a == "--resumen") {
            resumen = true;
        } else {
            return Uso(("opción desconocida: " + a).c_str());
        }
    }

    const generador::Base base = generador::Generar(op);
    std::ios::sync_with_stdio(false);
    if (salida.empty()) {
        generador::EscribirSql(base, std::cout);
        std::cout.flush();
        if (!std::cout)
            return 1;
    } else {
        std::ofstream f(salida, std::ios::binary);
        if (!f)
            return std::cerr << "repieps-generador: no se pudo crear " << salida << "\n", 1;
        generador::EscribirSql(base, f);
        if (!f.flush())
            return std::cerr << "repieps-generador: no se pudo escribir " << salida << "\n", 1;
    }
    if (resumen) {
        const auto &c = base.clientes, &p = base.proveedores;
        std::cerr << "productos=" << base.productos.size() << " clientes=" << c.partes.size()
                  << " movimientos_clientes=" << c.movimientos.size() << " anexos_clientes=" << c.anexos.size()
                  << " facturas=" << c.documentos.size() << " partidas_facturas=" << c.partidas.size()
                  << " proveedores=" << p.partes.size() << " movimientos_proveedores=" << p.movimientos.size()
                  << " compras=" << p.documentos.size() << " partidas_compras=" << p.partidas.size() << "\n";
    }
    return 0;
}

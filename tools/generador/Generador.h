#pragma once

#include "Modelo.h"

#include <cstdint>
#include <iosfwd>

namespace generador {

struct Opciones {
    std::uint64_t semilla = 1;
    // Customer payments that a report of the quarter selects (in range, amount > 0, not a
    // credit note). Credit notes, charges and payments outside the quarter come on top.
    int pagos = 1000;
    // Supplier payments of the quarter; negative: a quarter of the customer payments.
    int pagosProveedores = -1;
    // The quarter: first and last day (days since 1970-01-01).
    int desde = DiaDeFecha(2018, 1, 1);
    int hasta = DiaDeFecha(2018, 3, 31);
};

// Builds a sample point-of-sale database. The same options give the same rows.
Base Generar(const Opciones &op);

// Writes the rows as batched multi-row INSERT statements (UTF-8) into tables that already
// exist (tools/esquema.sql), in one transaction.
void EscribirSql(const Base &base, std::ostream &salida, int filasPorInsert = 1000);

} // namespace generador

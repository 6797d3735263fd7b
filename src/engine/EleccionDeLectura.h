#pragma once

#include "FuenteDeRenglones.h"

#include <QString>
#include <QStringList>

namespace host {
class Conexion;
class Registros;
} // namespace host

namespace engine {

// Whether reading the whole period in batches gives, on this database and for these payments,
// exactly the rows, the order and the groups that the per-row statements give. What the tables'
// definitions cannot vouch for is settled in the rows that come back (FuentePorPeriodo): only
// what no row can settle makes a run read row by row.
struct EleccionDeLectura {
    // Why the whole run must read row by row, in Spanish; empty when it need not.
    QString motivo;
    // Primary key columns of the links table: their order is the order of a payment's links.
    // Empty when the definitions do not say in which order the server returns one payment's
    // links; dudaAnexos then says why, and a payment with two or more links is read alone.
    QStringList llaveAnexos;
    QString dudaAnexos;
    // The detail lines' Partida is a number: two lines tie when their values are equal. Otherwise
    // they tie when the server's sort weights are equal.
    bool partidaNumerica = true;
};

// Looks at the tables' definitions (engine, keys, indexes, column types), the payments' folios
// and RFCs, and the catalogue's presentations: a handful of statements, whatever the period.
// What stops the batch reading outright: a table or column missing, document, line or folio
// columns that are not whole numbers, a folio that is not a whole number, presentations that
// the work table cannot tell apart, an RFC that the work table cannot hold as it is.
// The work table must exist. A statement that the server refuses makes the answer "no", with its
// reason; a lost connection or a statement ended from outside (KILL QUERY) throws its ErrorSql.
EleccionDeLectura ElegirLectura(host::Conexion &cn, const Lado &lado, const host::Registros &pagos);

} // namespace engine

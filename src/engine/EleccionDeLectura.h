#pragma once

#include "FuenteDeRenglones.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace host {
class Conexion;
class Registros;
} // namespace host

namespace engine {

// Whether reading the whole period in batches gives, on this database and for these payments,
// exactly the rows, the order and the groups that the per-row statements give.
struct EleccionDeLectura {
    // Why it would not, in Spanish; empty when it would.
    QString motivo;
    // Primary key columns of the links table: their order is the order of a payment's links.
    QStringList llaveAnexos;
    // For every RFC of the payments as the work table keeps it, its weight under its collation.
    QHash<QString, QByteArray> pesosRfc;
};

// Looks at the tables' definitions (engine, keys, indexes, column types), the payments' folios
// and RFCs, and the catalogue's presentations: a handful of statements, whatever the period.
// The work table must exist. A statement that fails makes the answer "no", with its reason.
EleccionDeLectura ElegirLectura(host::Conexion &cn, const Lado &lado, const host::Registros &pagos);

} // namespace engine

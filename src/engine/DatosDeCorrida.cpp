#include "DatosDeCorrida.h"

#include "LibKVRS.h"

namespace engine {

QString TextoDelPeriodo(const Periodo &p)
{
    const QString formato = host::LibKVRS::FormatoFecha();
    return QStringLiteral("%1 del %2 al %3")
        .arg(p.clientes ? QStringLiteral("clientes") : QStringLiteral("proveedores"), p.desde.toString(formato),
             p.hasta.toString(formato));
}

} // namespace engine

#include "DatosDeCorrida.h"

#include "LibKVRS.h"

#include <QFileInfo>

namespace engine {

QString TextoDelPeriodo(const Periodo &p)
{
    const QString formato = host::LibKVRS::FormatoFecha();
    return QStringLiteral("%1 del %2 al %3")
        .arg(p.clientes ? QStringLiteral("clientes") : QStringLiteral("proveedores"), p.desde.toString(formato),
             p.hasta.toString(formato));
}

QStringList LineasDeCorrida(const QString &tipo, const QString &reporte, const DatosDeCorrida &corrida)
{
    QStringList lineas;
    if (!reporte.isEmpty())
        lineas << QStringLiteral("Reporte: ") + QFileInfo(reporte).fileName();
    if (!corrida.periodo.isEmpty())
        lineas << QStringLiteral("Reporte de ") + corrida.periodo;
    else if (tipo == QLatin1String("C"))
        lineas << QStringLiteral("Reporte de clientes");
    else if (tipo == QLatin1String("P"))
        lineas << QStringLiteral("Reporte de proveedores");
    if (!corrida.base.isEmpty())
        lineas << QStringLiteral("Base de datos: ") + corrida.base;
    if (corrida.momento.isValid())
        lineas << QStringLiteral("Generado el ") + corrida.momento.toString(QStringLiteral("dd/MM/yyyy 'a las' hh:mm"));
    return lineas;
}

} // namespace engine

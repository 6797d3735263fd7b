#include "LineaDeComandos.h"

#include <QCoreApplication>

namespace config {

bool ModoDesarrollo(const QStringList &argumentosTrasElPrograma)
{
    return argumentosTrasElPrograma.join(QLatin1Char(' ')).contains(QLatin1String("-kvrs"), Qt::CaseSensitive);
}

bool ModoDesarrollo()
{
    if (!QCoreApplication::instance())
        return false;
    return ModoDesarrollo(QCoreApplication::arguments().mid(1));
}

} // namespace config

#include "Version.h"

namespace config {

QString Version()
{
    return QStringLiteral("%1.%2.%3").arg(REPIEPS_VERSION_MAYOR).arg(REPIEPS_VERSION_MENOR).arg(REPIEPS_VERSION_REVISION);
}

QString LineaDeVersion()
{
    return QStringLiteral("repieps ") + Version();
}

} // namespace config

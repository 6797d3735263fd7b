#include "ArchivosDeLaCorrida.h"

namespace host {

QString NombreDe(DeLaCorrida archivo, const QString &reporte)
{
    switch (archivo) {
    case DeLaCorrida::Reporte:
        break;
    case DeLaCorrida::Log:
        return QStringLiteral("Log") + reporte;
    case DeLaCorrida::LogFallido:
        return QStringLiteral("LogFallo") + reporte;
    case DeLaCorrida::Revision:
        return QStringLiteral("Revision") + reporte;
    case DeLaCorrida::Detalle:
        return QStringLiteral("Detalle") + reporte;
    }
    return reporte;
}

QString QueEs(DeLaCorrida archivo)
{
    switch (archivo) {
    case DeLaCorrida::Reporte:
        break;
    case DeLaCorrida::Log:
        return QStringLiteral("el Log");
    case DeLaCorrida::LogFallido:
        return QStringLiteral("el Log de un proceso fallido");
    case DeLaCorrida::Revision:
        return QStringLiteral("la revisión");
    case DeLaCorrida::Detalle:
        return QStringLiteral("el detalle");
    }
    return QStringLiteral("el reporte");
}

} // namespace host

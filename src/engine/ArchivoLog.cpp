#include "ArchivoLog.h"

#include "ArchivosDeLaCorrida.h"

namespace engine {

ArchivoLog::ArchivoLog(const QString &ruta, const QString &rutaDeFallo)
    : ruta_(ruta), archivo_(rutaDeFallo, host::ArchivoDeSalida::Modo::Directo)
{
}

QString ArchivoLog::NombreDelLog(const QString &reporte)
{
    return host::NombreDe(host::DeLaCorrida::Log, reporte);
}

QString ArchivoLog::NombreDelLogFallido(const QString &reporte)
{
    return host::NombreDe(host::DeLaCorrida::LogFallido, reporte);
}

} // namespace engine

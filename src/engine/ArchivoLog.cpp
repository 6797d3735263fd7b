#include "ArchivoLog.h"

namespace engine {

ArchivoLog::ArchivoLog(const QString &ruta, const QString &rutaDeFallo)
    : ruta_(ruta), archivo_(rutaDeFallo, host::ArchivoDeSalida::Modo::Directo)
{
}

void ArchivoLog::PonerEnSuLugar()
{
    host::PonerEnSuLugar(archivo_.ruta(), ruta_);
}

QString ArchivoLog::NombreDelLog(const QString &reporte)
{
    return QStringLiteral("Log") + reporte;
}

// No longer than "Revision" + the name, the longest name the run writes beside the report.
QString ArchivoLog::NombreDelLogFallido(const QString &reporte)
{
    return QStringLiteral("LogFallo") + reporte;
}

} // namespace engine

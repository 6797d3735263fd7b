#include "ArchivoLog.h"

namespace engine {

ArchivoLog::ArchivoLog(const QString &ruta)
    : archivo_(ruta, host::ArchivoDeSalida::Modo::Directo)
{
}

} // namespace engine

#include "ArchivoLog.h"

#include "Cp1252.h"
#include "Errores.h"

namespace engine {

ArchivoLog::ArchivoLog(const QString &ruta)
    : archivo_(ruta)
{
    if (!archivo_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw host::Error(host::errores::AccesoArchivo,
                          QStringLiteral("No se pudo crear el archivo %1: %2").arg(ruta, archivo_.errorString()));
}

void ArchivoLog::Escribir(const QString &linea)
{
    const QByteArray bytes = host::ACp1252(linea) + "\r\n";
    if (archivo_.write(bytes) != bytes.size())
        throw falla();
}

void ArchivoLog::Vaciar()
{
    if (!archivo_.flush())
        throw falla();
}

host::Error ArchivoLog::falla() const
{
    return host::Error(host::errores::AccesoArchivo,
                       QStringLiteral("No se pudo escribir en el archivo %1: %2").arg(archivo_.fileName(), archivo_.errorString()));
}

void ArchivoLog::Cerrar()
{
    archivo_.close();
}

} // namespace engine

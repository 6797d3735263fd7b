#include "ReporteExistente.h"

#include "Errores.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace config {

namespace {
// When the report was written, as the user reads it; empty when there is no report.
QString GeneradoEl(const QString &carpeta, const QString &archivo)
{
    const QFileInfo reporte(QDir(carpeta).filePath(archivo));
    if (!reporte.exists())
        return QString();
    return reporte.lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}
} // namespace

QString PreguntaDeReemplazo(const QString &carpeta, const QString &archivo)
{
    const QString cuando = GeneradoEl(carpeta, archivo);
    if (cuando.isEmpty())
        return QString();
    return QStringLiteral("Ya existe «%1» (generado el %2). ¿Desea reemplazarlo?").arg(archivo, cuando);
}

bool ComprobarQueNoExiste(const QString &carpeta, const QString &archivo, QString *error)
{
    const QString cuando = GeneradoEl(carpeta, archivo);
    if (cuando.isEmpty())
        return true;
    return host::Falla(error, QStringLiteral("Ya existe «%1» (generado el %2); con --sin-reemplazar no se reemplaza.")
                                  .arg(QDir::toNativeSeparators(QDir(carpeta).filePath(archivo)), cuando));
}

} // namespace config

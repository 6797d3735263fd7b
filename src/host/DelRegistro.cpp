#include "DelRegistro.h"

#include "ArchivoIni.h"

#include <QDir>
#include <QFileInfo>

namespace host {

QString DelRegistro::BuscarRegistroNbr(QString &ruta)
{
    if (ruta.isEmpty())
        return QString();
    const QFileInfo carpeta(ruta);
    if (!carpeta.isDir())
        return QString();
    const QDir dir(carpeta.absoluteFilePath());
    // The name filter matches without regard to case, as the file system of the users does; an
    // installation may keep the file hidden on Windows.
    const QStringList hallados = dir.entryList({nombreArchivo()}, QDir::Files | QDir::Hidden);
    if (hallados.isEmpty())
        return QString();
    archivo_ = QFileInfo(dir.filePath(hallados.constFirst())).absoluteFilePath();
    return archivo_;
}

QString DelRegistro::DatosNbr(const QString &nombre) const
{
    if (archivo_.isEmpty())
        return QString();
    return ini::Lee(archivo_, seccion(), nombre);
}

bool DelRegistro::GuardaDatosNbr(const QString &nombre, const QString &valor, QString *error)
{
    if (archivo_.isEmpty())
        return false;
    return ini::Escribe(archivo_, seccion(), nombre, valor, error);
}

} // namespace host

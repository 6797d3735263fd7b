#include "ComprobacionDeSalida.h"

#include "MotivosDelSistema.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace config {

namespace {
// Longest component most file systems take (ext4 counts bytes, NTFS UTF-16 units).
constexpr int LargoDeComponente = 255;
// The longest of the prefixes that the run puts before the report's name.
const QString PrefijoMasLargo = QStringLiteral("Revision");

int LargoEnDisco(const QString &nombre)
{
#ifdef Q_OS_WIN
    return int(nombre.size());
#else
    return int(nombre.toUtf8().size());
#endif
}
} // namespace

int LargoMaximoDeNombre()
{
    return LargoDeComponente - int(PrefijoMasLargo.size());
}

QString ComprobarNombreDeSalida(const QString &archivo)
{
    if (archivo.trimmed().isEmpty())
        return QStringLiteral("Escriba el nombre del archivo del reporte.");
    if (archivo.contains(QLatin1Char('/')) || archivo.contains(QLatin1Char('\\')))
        return QStringLiteral("El nombre del archivo «%1» lleva una carpeta: escriba sólo el nombre, sin «/» ni «\\».")
            .arg(archivo);
    if (archivo.count(QLatin1Char('.')) == archivo.size())
        return QStringLiteral("«%1» no es un nombre de archivo.").arg(archivo);
    // Characters that Windows does not take in a name: the same report name must work there too.
    for (const QChar c : archivo) {
        if (c.unicode() < 0x20 || QStringLiteral(":*?\"<>|").contains(c))
            return QStringLiteral("El nombre del archivo «%1» lleva un carácter que no puede usarse en un nombre "
                                  "de archivo (: * ? \" < > | o de control).")
                .arg(archivo);
    }
    if (LargoEnDisco(archivo) > LargoMaximoDeNombre())
        return QStringLiteral("El nombre del archivo es demasiado largo: tiene %1 caracteres y caben %2.")
            .arg(LargoEnDisco(archivo))
            .arg(LargoMaximoDeNombre());
    return QString();
}

QString ComprobarSalida(const QString &carpeta, const QString &archivo)
{
    const QString motivo = ComprobarNombreDeSalida(archivo);
    if (!motivo.isEmpty())
        return motivo;
    const QFileInfo info(carpeta);
    const QString mostrada = QDir::toNativeSeparators(carpeta);
    if (!info.exists())
        return QStringLiteral("La carpeta «%1» no existe.").arg(mostrada);
    if (!info.isDir())
        return QStringLiteral("«%1» no es una carpeta.").arg(mostrada);
    // Permissions alone do not tell (network drives, access lists): a file is really created.
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral("repieps-XXXXXX.tmp")));
    if (!prueba.open())
        return QStringLiteral("No se puede crear un archivo en la carpeta «%1»: %2.").arg(mostrada, host::MotivoDeArchivo(prueba));
    return QString();
}

} // namespace config

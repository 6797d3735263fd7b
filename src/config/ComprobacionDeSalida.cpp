#include "ComprobacionDeSalida.h"

#include "MotivosDelSistema.h"
#include "NombreDeRevision.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace config {

using host::Falla;

namespace {
// Longest component most file systems take (ext4 counts bytes, NTFS UTF-16 units).
constexpr int LargoDeComponente = 255;
// The longest of the prefixes that the run puts before the report's name.
const QString PrefijoMasLargo = host::NombreDeRevision(QString());

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

bool ComprobarNombreDeSalida(const QString &archivo, QString *error)
{
    if (archivo.trimmed().isEmpty())
        return Falla(error, QStringLiteral("Escriba el nombre del archivo del reporte."));
    if (archivo.contains(QLatin1Char('/')) || archivo.contains(QLatin1Char('\\')))
        return Falla(error, QStringLiteral("El nombre del archivo «%1» lleva una carpeta: escriba sólo el nombre, sin «/» "
                                           "ni «\\».")
                                .arg(archivo));
    if (archivo.count(QLatin1Char('.')) == archivo.size())
        return Falla(error, QStringLiteral("«%1» no es un nombre de archivo.").arg(archivo));
    // Characters that Windows does not take in a name: the same report name must work there too.
    for (const QChar c : archivo) {
        if (c.unicode() < 0x20 || QStringLiteral(":*?\"<>|").contains(c))
            return Falla(error, QStringLiteral("El nombre del archivo «%1» lleva un carácter que no puede usarse en un "
                                               "nombre de archivo (: * ? \" < > | o de control).")
                                    .arg(archivo));
    }
    if (LargoEnDisco(archivo) > LargoMaximoDeNombre())
        return Falla(error, QStringLiteral("El nombre del archivo es demasiado largo: tiene %1 caracteres y caben %2.")
                                .arg(LargoEnDisco(archivo))
                                .arg(LargoMaximoDeNombre()));
    return true;
}

bool ComprobarSalida(const QString &carpeta, const QString &archivo, QString *error)
{
    if (!ComprobarNombreDeSalida(archivo, error))
        return false;
    const QFileInfo info(carpeta);
    const QString mostrada = QDir::toNativeSeparators(carpeta);
    if (!info.exists())
        return Falla(error, QStringLiteral("La carpeta «%1» no existe.").arg(mostrada));
    if (!info.isDir())
        return Falla(error, QStringLiteral("«%1» no es una carpeta.").arg(mostrada));
    QString motivo;
    if (!SePuedeCrearArchivoEn(carpeta, &motivo))
        return Falla(error, QStringLiteral("No se puede crear un archivo en la carpeta «%1»: %2.").arg(mostrada, motivo));
    return true;
}

bool SePuedeCrearArchivoEn(const QString &carpeta, QString *error)
{
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral("repieps-XXXXXX.tmp")));
    return prueba.open() || Falla(error, host::MotivoDeArchivo(prueba));
}

} // namespace config

#include "ComprobacionDeSalida.h"

#include "ArchivosDeLaCorrida.h"
#include "MotivosDelSistema.h"
#include "ReemplazoEnConjunto.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>

namespace config {

using host::Falla;

namespace {
// Longest component most file systems take (ext4 counts bytes, NTFS UTF-16 units).
constexpr int LargoDeComponente = 255;

// The longest of the prefixes that the run puts before the report's name.
int PrefijoMasLargo()
{
    int largo = 0;
    for (const host::DeLaCorrida a : host::ArchivosDeLaCorrida)
        largo = std::max(largo, int(host::NombreDe(a, QString()).size()));
    return largo;
}

QString Mostrada(const QString &ruta)
{
    return QDir::toNativeSeparators(ruta);
}

// The path as the file system resolves it, as far as it exists.
QString Resuelta(const QString &ruta)
{
    const QFileInfo info(ruta);
    QString resuelta = info.canonicalFilePath();
    if (resuelta.isEmpty()) {
        const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
        resuelta = carpeta.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : QDir(carpeta).filePath(info.fileName());
    }
#ifdef Q_OS_WIN
    resuelta = resuelta.toCaseFolded();
#endif
    return resuelta;
}

// "«ruta» es que: quien no puede escribirse sobre él." when ruta is one of propios.
bool NoEsDelPrograma(const QString &ruta, const QString &quien, const ArchivosDelPrograma &propios, QString *error)
{
    QList<std::pair<QString, QString>> ajenos;
    for (const QString &c : propios.configuracion)
        ajenos.append({c, QStringLiteral("el archivo de configuración de este programa")});
    ajenos.append({propios.instalacion, QStringLiteral("el archivo de configuración de Nubora Premium")});
    for (const auto &[propio, que] : ajenos) {
        if (MismoArchivo(ruta, propio))
            return Falla(error, QStringLiteral("«%1» es %2: %3 no puede escribirse sobre él.").arg(Mostrada(ruta), que, quien));
    }
    return true;
}

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
    return LargoDeComponente - PrefijoMasLargo();
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

bool ComprobarSalida(const QString &carpeta, const QString &archivo, QString *error, const ArchivosDelPrograma &propios)
{
    if (!ComprobarNombreDeSalida(archivo, error))
        return false;
    const QFileInfo info(carpeta);
    const QString mostrada = Mostrada(carpeta);
    if (!info.exists())
        return Falla(error, QStringLiteral("La carpeta «%1» no existe.").arg(mostrada));
    if (!info.isDir())
        return Falla(error, QStringLiteral("«%1» no es una carpeta.").arg(mostrada));
    QString motivo;
    if (!SePuedeCrearArchivoEn(carpeta, &motivo))
        return Falla(error, QStringLiteral("No se puede crear un archivo en la carpeta «%1»: %2.").arg(mostrada, motivo));
    for (const host::DeLaCorrida a : host::ArchivosDeLaCorrida) {
        const QString ruta = QDir(carpeta).filePath(host::NombreDe(a, archivo));
        if (!NoEsDelPrograma(ruta, host::QueEs(a), propios, error))
            return false;
        if (host::EsDeSoloLectura(ruta))
            return Falla(error, QStringLiteral("No se puede reemplazar «%1»: %2.").arg(Mostrada(ruta), host::ArchivoDeSoloLectura()));
    }
    return true;
}

bool ComprobarOtraSalida(const QString &ruta, const QString &que, const QString &reporte, const ArchivosDelPrograma &propios,
                         QString *error)
{
    const QFileInfo info(ruta), carpeta(QFileInfo(ruta).absolutePath());
    if (!carpeta.isDir())
        return Falla(error, QStringLiteral("La carpeta «%1» no existe: %2 no puede escribirse en ella.").arg(Mostrada(carpeta.filePath()), que));
    if (info.isDir())
        return Falla(error, QStringLiteral("«%1» es una carpeta, no un archivo.").arg(Mostrada(ruta)));
    const QFileInfo delReporte(reporte);
    for (const host::DeLaCorrida a : host::ArchivosDeLaCorrida) {
        if (MismoArchivo(ruta, delReporte.dir().filePath(host::NombreDe(a, delReporte.fileName()))))
            return Falla(error, QStringLiteral("«%1» es %2%3: %4 no puede escribirse sobre él.")
                                    .arg(Mostrada(ruta), host::QueEs(a),
                                         a == host::DeLaCorrida::Reporte
                                             ? QString()
                                             : QStringLiteral(" del reporte «%1»").arg(delReporte.fileName()),
                                         que));
    }
    return NoEsDelPrograma(ruta, que, propios, error);
}

bool MismoArchivo(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && Resuelta(a) == Resuelta(b);
}

bool SePuedeCrearArchivoEn(const QString &carpeta, QString *error)
{
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral("repieps-XXXXXX.tmp")));
    return prueba.open() || Falla(error, host::MotivoDeArchivo(prueba));
}

} // namespace config

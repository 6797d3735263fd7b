#include "CarpetasDelPrograma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace config {

namespace {

bool SePuedeEscribir(const QString &carpeta)
{
    constexpr QFile::Permissions escritura = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!(QFileInfo(carpeta).permissions() & escritura))
        return false;
    // Creating a file is the only answer that holds everywhere: access rights, a read-only
    // volume, a protected program folder on Windows.
    QTemporaryFile prueba(QDir(carpeta).filePath(QStringLiteral("repieps-XXXXXX.tmp")));
    return prueba.open();
}

} // namespace

CarpetasDelPrograma CarpetasPara(const QString &carpetaDelPrograma)
{
    CarpetasDelPrograma c;
    const bool instalado = QFileInfo::exists(QDir(carpetaDelPrograma).filePath(QLatin1String(kDesinstalador)));
    if (!instalado && SePuedeEscribir(carpetaDelPrograma)) {
        c.configuracion = c.salida = carpetaDelPrograma;
        return c;
    }
    c.delUsuario = true;
    c.configuracion = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    c.salida = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                   .filePath(QStringLiteral("repieps"));
    return c;
}

CarpetasDelPrograma CarpetasDeEstePrograma()
{
    const CarpetasDelPrograma c = CarpetasPara(QCoreApplication::applicationDirPath());
    if (c.delUsuario) {
        QDir().mkpath(c.configuracion);
        QDir().mkpath(c.salida);
    }
    return c;
}

QString LineaDeCarpetas(const CarpetasDelPrograma &carpetas)
{
    return carpetas.delUsuario ? QStringLiteral("  Reportes en: ") + QDir::toNativeSeparators(carpetas.salida)
                               : QString();
}

} // namespace config

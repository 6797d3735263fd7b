#include "CarpetasDelPrograma.h"

#include "ComprobacionDeSalida.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace config {

CarpetasDelPrograma CarpetasPara(const QString &carpetaDelPrograma)
{
    CarpetasDelPrograma c;
    const bool instalado = QFileInfo::exists(QDir(carpetaDelPrograma).filePath(QLatin1String(kDesinstalador)));
    constexpr QFile::Permissions escritura = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!instalado && (QFileInfo(carpetaDelPrograma).permissions() & escritura)
        && SePuedeCrearArchivoEn(carpetaDelPrograma)) {
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

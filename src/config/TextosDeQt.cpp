#include "TextosDeQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace config {

QStringList CarpetasDeTextosDeQt()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
}

bool CargarTextosDeQt(const QStringList &carpetas)
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    for (const QString &carpeta : carpetas) {
        const QString archivo = QDir(carpeta).filePath(QStringLiteral("qtbase_es.qm"));
        auto *traduccion = new QTranslator(QCoreApplication::instance());
        // load() would also try other names (qtbase.qm): only this file is Qt's Spanish.
        if (QFileInfo::exists(archivo) && traduccion->load(archivo))
            return QCoreApplication::installTranslator(traduccion);
        delete traduccion;
    }
    return false;
}

} // namespace config

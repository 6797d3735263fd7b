#include "TextosDeQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace config {

namespace {

// Qt's Spanish but for the reasons of a file's failure (as QIODevice and QSaveFile word them):
// host::MotivosDelSistema knows them in English and gives them in the program's own words.
class TraduccionDeQt : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *contexto, const char *texto, const char *cual, int n) const override
    {
        if (!qstrcmp(contexto, "QIODevice") || !qstrcmp(contexto, "QSaveFile"))
            return QString();
        return QTranslator::translate(contexto, texto, cual, n);
    }
};

} // namespace

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
        auto *traduccion = new TraduccionDeQt(QCoreApplication::instance());
        // load() would also try other names (qtbase.qm): only this file is Qt's Spanish.
        if (QFileInfo::exists(archivo) && traduccion->load(archivo))
            return QCoreApplication::installTranslator(traduccion);
        delete traduccion;
    }
    return false;
}

} // namespace config

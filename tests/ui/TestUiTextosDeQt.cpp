#include "TextosDeQt.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Qt's own texts after the programs' loading: English without Qt's Spanish translation, Spanish
// with it.
class TestUiTextosDeQt : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // The menu of a text box, a file dialog's labels, buttons and question, as Qt writes them, and the
    // default locale.
    static QStringList Textos()
    {
        QLineEdit caja;
        const std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
        QStringList textos;
        for (const QAction *a : menu->actions())
            if (!a->isSeparator())
                textos << a->text();
        QFileDialog dialogo;
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        for (const char *nombre : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            textos << dialogo.findChild<QLabel *>(QLatin1String(nombre))->text();
        for (const QAbstractButton *b : dialogo.findChild<QDialogButtonBox *>()->buttons())
            textos << b->text();
        return textos << QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                      << QLocale().name();
    }

private Q_SLOTS:
    // First: once loaded, a translation stays. The program goes on in English.
    void sinElArchivo()
    {
        QVERIFY(!config::CargarTextosDeQt({dir.path(), dir.filePath(u"no existe"_s)}));
        QCOMPARE(Textos(), QStringList({"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                                        "Delete", "Select All\tCtrl+A", "Look in:", "File &name:", "Files of type:", "&Save",
                                        "Cancel", "%1 already exists.\nDo you want to replace it?", "es_MX"}));
    }

    // Found in the second folder, as the Windows program finds it beside itself.
    void conElArchivo()
    {
        QString archivo;
        for (const QString &carpeta : config::CarpetasDeTextosDeQt())
            if (archivo.isEmpty() && QFileInfo::exists(carpeta + u"/qtbase_es.qm"_s))
                archivo = carpeta + u"/qtbase_es.qm"_s;
        if (archivo.isEmpty())
            QSKIP("la traducción de Qt al español no está instalada aquí (qt6-translations-l10n)");
        QVERIFY(QDir(dir.path()).mkdir(u"translations"_s) && QFile::copy(archivo, dir.filePath(u"translations/qtbase_es.qm"_s)));
        QVERIFY(config::CargarTextosDeQt({dir.filePath(u"no existe"_s), dir.filePath(u"translations"_s)}));
        QCOMPARE(Textos(), QStringList({"&Deshacer\tControl+Z", "&Rehacer\tControl+Y", "Cor&tar\tControl+X", "&Copiar\tControl+C",
                                        "&Pegar\tControl+V", "Borrar", "Seleccionar todo\tControl+A", "Ver en:",
                                        "&Nombre de fichero:", "Ficheros de tipo:", "&Guardar", "Cancelar",
                                        "El fichero %1 ya existe.\n¿Desea reemplazarlo?", "es_MX"}));
    }
};

QTEST_MAIN(TestUiTextosDeQt)
#include "TestUiTextosDeQt.moc"

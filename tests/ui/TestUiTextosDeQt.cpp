#include "TextosDeQt.h"

#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace Qt::StringLiterals;

// Qt's own texts after the programs' loading: the menu of a text box, a file dialog's label and
// question, the default locale, and a file failure's reason (left in English for the program to word).
class TestUiTextosDeQt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // In English without Qt's Spanish translation (first: a translation once loaded stays), in
    // Spanish with it, found in the second folder (as the Windows program finds it beside itself).
    void textos_data()
    {
        QTest::addColumn<bool>("conArchivo");
        QTest::addColumn<QString>("textos");
        QTest::newRow("sin el archivo") << false
                                        << u"&Undo\tCtrl+Z|&Redo\tCtrl+Y||Cu&t\tCtrl+X|&Copy\tCtrl+C|&Paste\tCtrl+V|Delete||"
                                           "Select All\tCtrl+A|File &name:|%1 already exists.\nDo you want to replace it?|es_MX|"
                                           "No space left on device"_s;
        QTest::newRow("con el archivo")
            << true << u"&Deshacer\tControl+Z|&Rehacer\tControl+Y||Cor&tar\tControl+X|&Copiar\tControl+C|&Pegar\tControl+V|"
                       "Borrar||Seleccionar todo\tControl+A|&Nombre de fichero:|El fichero %1 ya existe.\n¿Desea reemplazarlo?|es_MX|"
                       "No space left on device"_s;
    }
    void textos()
    {
        QFETCH(bool, conArchivo);
        // Qt's own folder, or the one the Windows build lays beside the tests as the program has it.
        QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFileInfo::exists(qt + u"/qtbase_es.qm"_s))
            qt = QCoreApplication::applicationDirPath() + u"/translations"_s;
        if (conArchivo && !QFileInfo::exists(qt + u"/qtbase_es.qm"_s))
            QSKIP("la traducción de Qt al español no está instalada aquí (qt6-translations-l10n)");
        QCOMPARE(config::CargarTextosDeQt({qt + u"/no existe"_s, conArchivo ? qt : QCoreApplication::applicationDirPath()}), conArchivo);
        QLineEdit caja;
        const std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
        QStringList textos;
        for (const QAction *a : menu->actions())
            textos << a->text();
        QFileDialog dialogo;
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        textos << dialogo.findChild<QLabel *>(u"fileNameLabel"_s)->text()
               << QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?") << QLocale().name()
               << QCoreApplication::translate("QIODevice", "No space left on device");
        QTEST(textos.join(u'|'), "textos");
    }
};

QTEST_MAIN(TestUiTextosDeQt)
#include "TestUiTextosDeQt.moc"

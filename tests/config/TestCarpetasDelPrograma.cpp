#include "Archivos.h"
#include "CarpetasDelPrograma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Where the configuration and the outputs go, for a program folder that the user can write and
// for one that nobody can (an installed program). The user's folders are those of a made-up
// home, so that the real ones are never touched.
class TestCarpetasDelPrograma : public QObject {
    Q_OBJECT

private:
    QTemporaryDir casa;
    QString casaDe(const QString &ruta) const { return QDir(casa.path()).filePath(ruta); }
    // An octal mode as Qt's flags: owner, group and others, three bits each.
    static QFile::Permissions Permisos(int modo)
    {
        return QFile::Permissions::fromInt((modo >> 6 & 7) << 12 | (modo >> 3 & 7) << 4 | (modo & 7));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(casa.isValid());
        qputenv("HOME", casa.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", casaDe(u".config"_s).toLocal8Bit());
        QCoreApplication::setApplicationName(u"repieps"_s);
    }

    void carpetas_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("otroArchivo"); // a file beside the programs
        QTest::addColumn<bool>("delUsuario");
        QTest::newRow("escribible") << 0755 << QString() << false;
        QTest::newRow("nadie escribe") << 0555 << QString() << true;
        // Installed for one user on Windows: the folder is the user's, but it is an installation.
        QTest::newRow("escribible, con desinstalador") << 0755 << u"desinstalar.exe"_s << true;
        QTest::newRow("escribible, otro programa") << 0755 << u"instalar.exe"_s << false;
    }
    void carpetas()
    {
#ifndef Q_OS_UNIX
        // Windows keeps no rights in a folder's mode and finds the user's folders in its own
        // places; tools/windows/prueba-instalador.sh tries an installed program there.
        QSKIP("Los permisos por modo y las carpetas XDG son de Linux");
#endif
        QFETCH(int, modo);
        QFETCH(QString, otroArchivo);
        QFETCH(bool, delUsuario);
        QTemporaryDir programa;
        if (!otroArchivo.isEmpty())
            QVERIFY(EscribirArchivo(QDir(programa.path()).filePath(otroArchivo), QByteArray()));
        QVERIFY(QFile::setPermissions(programa.path(), Permisos(modo)));
        const config::CarpetasDelPrograma c = config::CarpetasPara(programa.path());
        QFile::setPermissions(programa.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(c.delUsuario, delUsuario);
        QCOMPARE(c.configuracion, delUsuario ? casaDe(u".config/repieps"_s) : programa.path());
        QCOMPARE(c.salida, delUsuario ? casaDe(u"Documents/repieps"_s) : programa.path());
        // The decision creates nothing, not even its probe.
        const auto todo = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        QCOMPARE(QDir(casa.path()).entryList(todo), QStringList());
        QCOMPARE(QDir(programa.path()).entryList(todo), otroArchivo.isEmpty() ? QStringList() : QStringList{otroArchivo});
    }

    void esteProgramaJuntoAlEjecutable()
    {
        // The test programs' folder in the build is writable: everything stays beside them.
        const config::CarpetasDelPrograma c = config::CarpetasDeEstePrograma();
        QVERIFY(!c.delUsuario);
        QCOMPARE((QStringList{c.configuracion, c.salida}), QStringList(2, QCoreApplication::applicationDirPath()));
    }

    // Only the user's folders are worth a line in the window.
    void lineaDeLaVentana()
    {
        config::CarpetasDelPrograma c{false, u"/home/ana/.config/repieps"_s, u"/home/ana/Documentos/repieps"_s};
        QCOMPARE(config::LineaDeCarpetas(c), QString());
        c.delUsuario = true;
        QCOMPARE(config::LineaDeCarpetas(c), u"  Reportes en: "_s + QDir::toNativeSeparators(c.salida));
    }
};

QTEST_GUILESS_MAIN(TestCarpetasDelPrograma)
#include "TestCarpetasDelPrograma.moc"

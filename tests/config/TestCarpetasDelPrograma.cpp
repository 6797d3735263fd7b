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
        QTest::addColumn<QByteArray>("carpetasXdg"); // the desktop's names of the user's folders
        QTest::addColumn<bool>("delUsuario");
        QTest::addColumn<QString>("configuracion"); // "%P": the program's folder
        QTest::addColumn<QString>("salida");
        QTest::newRow("escribible") << 0755 << QString() << QByteArray() << false << u"%P"_s << u"%P"_s;
        QTest::newRow("sólo el dueño escribe") << 0700 << QString() << QByteArray() << false << u"%P"_s << u"%P"_s;
        QTest::newRow("nadie escribe") << 0555 << QString() << QByteArray() << true << u".config/repieps"_s
                                       << u"Documents/repieps"_s;
        QTest::newRow("nadie escribe, documentos en español")
            << 0555 << QString() << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n") << true
            << u".config/repieps"_s << u"Documentos/repieps"_s;
        // Installed for one user on Windows: the folder is the user's, but it is an installation.
        QTest::newRow("escribible, con desinstalador") << 0755 << u"desinstalar.exe"_s << QByteArray() << true
                                                       << u".config/repieps"_s << u"Documents/repieps"_s;
        QTest::newRow("escribible, otro programa") << 0755 << u"instalar.exe"_s << QByteArray() << false
                                                   << u"%P"_s << u"%P"_s;
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
        QFETCH(QByteArray, carpetasXdg);
        QFETCH(bool, delUsuario);
        QFETCH(QString, configuracion);
        QFETCH(QString, salida);

        QDir(casa.path()).mkpath(u".config"_s);
        QFile::remove(casaDe(u".config/user-dirs.dirs"_s));
        if (!carpetasXdg.isEmpty()) {
            QVERIFY(EscribirArchivo(casaDe(u".config/user-dirs.dirs"_s), carpetasXdg));
            QDir(casa.path()).mkpath(u"Documentos"_s); // the desktop names only folders that exist
        }

        QTemporaryDir programa;
        QStringList archivos;
        if (!otroArchivo.isEmpty()) {
            QVERIFY(EscribirArchivo(QDir(programa.path()).filePath(otroArchivo), QByteArray()));
            archivos << otroArchivo;
        }
        QVERIFY(QFile::setPermissions(programa.path(), Permisos(modo)));
        const config::CarpetasDelPrograma c = config::CarpetasPara(programa.path());
        QFile::setPermissions(programa.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const auto esperada = [&](const QString &r) { return r == u"%P"_s ? programa.path() : casaDe(r); };
        QCOMPARE(c.delUsuario, delUsuario);
        QCOMPARE(c.configuracion, esperada(configuracion));
        QCOMPARE(c.salida, esperada(salida));
        // The decision creates nothing, not even its probe.
        QVERIFY(!QFile::exists(casaDe(u".config/repieps"_s)));
        QVERIFY(!QFile::exists(casaDe(salida)) || !delUsuario);
        QCOMPARE(QDir(programa.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), archivos);
    }

    void esteProgramaJuntoAlEjecutable()
    {
        // The test programs' folder in the build is writable: everything stays beside them.
        const config::CarpetasDelPrograma c = config::CarpetasDeEstePrograma();
        QVERIFY(!c.delUsuario);
        QCOMPARE(c.configuracion, QCoreApplication::applicationDirPath());
        QCOMPARE(c.salida, QCoreApplication::applicationDirPath());
    }

    void lineaDeLaVentana_data()
    {
        QTest::addColumn<bool>("delUsuario");
        QTest::addColumn<QString>("linea");
        QTest::newRow("junto al programa") << false << QString();
        QTest::newRow("del usuario") << true << u"  Reportes en: "_s + QDir::toNativeSeparators(u"/home/ana/Documentos/repieps"_s);
    }
    void lineaDeLaVentana()
    {
        QFETCH(bool, delUsuario);
        QFETCH(QString, linea);
        config::CarpetasDelPrograma c;
        c.delUsuario = delUsuario;
        c.configuracion = u"/home/ana/.config/repieps"_s;
        c.salida = u"/home/ana/Documentos/repieps"_s;
        QCOMPARE(config::LineaDeCarpetas(c), linea);
    }
};

QTEST_GUILESS_MAIN(TestCarpetasDelPrograma)
#include "TestCarpetasDelPrograma.moc"

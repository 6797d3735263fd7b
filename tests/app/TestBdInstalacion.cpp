#include "Archivos.h"
#include "BaseDePrueba.h"
#include "Procesos.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The programs as the package installs them: the build installed with `cmake --install` under a
// temporary DESTDIR, and the installed repieps-cli run against the test server by a made-up user
// whose home is a temporary folder.
class TestBdInstalacion : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;
    QTemporaryDir raiz;
    QString enRaiz(const QString &ruta) const { return QDir(raiz.path()).filePath(ruta); }
    QString bin() const { return enRaiz(u"destino/usr/bin"_s); }

    // The installed repieps-cli, as that user, for the first quarter of 2018.
    Salida cli(const QStringList &args)
    {
        return Correr(bin() + u"/repieps-cli"_s, Trimestre + args, enRaiz(u"trabajo"_s), entornoDelUsuario(), 600000);
    }
    // That user's environment: their home, the default folders under it, and no display.
    QProcessEnvironment entornoDelUsuario() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(u"HOME"_s, enRaiz(u"casa"_s));
        for (const char *v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "DISPLAY",
                              "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            e.remove(QString::fromLatin1(v));
        return e;
    }

    static QStringList archivos(const QString &dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }
    static void escribir(const QString &ruta, const QByteArray &texto)
    {
        QVERIFY(QDir().mkpath(QFileInfo(ruta).path()));
        QVERIFY(EscribirArchivo(ruta, texto));
    }
    static void permitirEscribir(const QString &carpeta, bool si)
    {
        const QFile::Permissions lectura = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                           | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(carpeta, si ? lectura | QFile::WriteOwner : lectura));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(raiz.isValid());
        bd = new BaseDePrueba(u"instalacion"_s);
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(PagoDeFebrero);

        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(u"DESTDIR"_s, enRaiz(u"destino"_s));
        const Salida s = Correr(QStringLiteral(REPIEPS_CMAKE),
                                {u"--install"_s, QStringLiteral(REPIEPS_COMPILACION), u"--prefix"_s, u"/usr"_s}, raiz.path(), e,
                                600000);
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
    }
    void cleanupTestCase()
    {
        permitirEscribir(bin(), true); // so that the temporary folder can be removed
        delete bd;
    }
    void init()
    {
        for (const QString &carpeta : {enRaiz(u"casa"_s), enRaiz(u"trabajo"_s)})
            QVERIFY(QDir(carpeta).removeRecursively() && QDir().mkpath(carpeta));
    }

    void soloLosProgramasYSusArchivos()
    {
        QStringList instalados;
        QDirIterator it(enRaiz(u"destino"_s), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            instalados << QDir(enRaiz(u"destino"_s)).relativeFilePath(it.next());
        instalados.sort();
        QStringList esperados = {u"usr/bin/repieps"_s, u"usr/bin/repieps-cli"_s,
                                 u"usr/share/applications/repieps.desktop"_s, u"usr/share/man/man1/repieps-cli.1.gz"_s,
                                 u"usr/share/man/man1/repieps.1.gz"_s, u"usr/share/doc/repieps/copyright"_s,
                                 u"usr/share/doc/repieps/changelog.gz"_s};
        for (int lado : {16, 22, 24, 32, 48, 64, 128, 256})
            esperados << u"usr/share/icons/hicolor/%1x%1/apps/repieps.png"_s.arg(lado);
        esperados.sort();
        QCOMPARE(instalados, esperados);
    }

    // What the installed programs answer without a database or a window: the whole of stdout for
    // the version, the line of the help that names --version.
    void respuestasSinConexion_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QString>("opcion");
        QTest::addColumn<QRegularExpression>("salida");
        for (const QString &programa : {u"repieps"_s, u"repieps-cli"_s}) {
            QTest::addRow("%s --version", qPrintable(programa))
                << programa << u"--version"_s << QRegularExpression(u"\\A"_s + QRegularExpression::escape(u"repieps " REPIEPS_VERSION "\n"_s) + u"\\z"_s);
            QTest::addRow("%s --help", qPrintable(programa))
                << programa << u"--help"_s
                << QRegularExpression(u"^  --version +muestra la versión del programa$"_s, QRegularExpression::MultilineOption);
        }
    }
    void respuestasSinConexion()
    {
        QFETCH(QString, programa);
        QFETCH(QString, opcion);
        QFETCH(QRegularExpression, salida);
        const Salida s = Correr(bin() + u'/' + programa, {opcion}, enRaiz(u"trabajo"_s), entornoDelUsuario(), 600000);
        QCOMPARE(s.codigo, 0);
        QCOMPARE(s.err, QString());
        QVERIFY2(salida.match(s.out).hasMatch(), qPrintable(s.out));
    }

    // The Debian package as cpack makes it from this build: lintian finds nothing to say of it.
    void paqueteSinAvisosDeLintian()
    {
        const QString lintian = QStandardPaths::findExecutable(u"lintian"_s);
        if (lintian.isEmpty())
            QSKIP("lintian no está instalado (apt-get install lintian): el paquete no se revisa.");
        const QString carpeta = enRaiz(u"paquete"_s);
        const QProcessEnvironment sistema = QProcessEnvironment::systemEnvironment();
        const Salida paquete = Correr(QStringLiteral(REPIEPS_CPACK), {u"-G"_s, u"DEB"_s, u"-B"_s, carpeta},
                                      QStringLiteral(REPIEPS_COMPILACION), sistema, 600000);
        QVERIFY2(paquete.codigo == 0, qPrintable(paquete.out));
        const QStringList debs = QDir(carpeta).entryList({u"repieps_*.deb"_s}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        // What the programs load at run time, which no library names: the MySQL driver, Qt's Spanish.
        const QString depende = Correr(u"dpkg-deb"_s, {u"-f"_s, QDir(carpeta).filePath(debs.first()), u"Depends"_s}).out;
        QVERIFY2(depende.contains(u"libqt6sql6-mysql"_s) && depende.contains(u"qt6-translations-l10n"_s), qPrintable(depende));
        const Salida revision = Correr(lintian, {QDir(carpeta).filePath(debs.first())}, enRaiz(u"trabajo"_s), sistema, 600000);
        const QStringList avisos = revision.out.split(u'\n').filter(QRegularExpression(u"^[EW]: "_s));
        QVERIFY2(avisos.isEmpty(), qPrintable(avisos.join(u'\n')));
        QCOMPARE(revision.codigo, 0);
    }

    // A run with the connection given on the command line, from a program folder the user may
    // write in: the outputs go to the working folder. (The "Reporte:" line names the same folder
    // the files went to; its form is TestBdCli's.)
    void reporteEnLaCarpetaDeTrabajo()
    {
        permitirEscribir(bin(), true);
        const Salida s = cli(QStringList{u"--archivo"_s, u"r.txt"_s} + bd->conexion());
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QCOMPARE(archivos(enRaiz(u"trabajo"_s)), QStringList({u"Detaller.txt"_s, u"Logr.txt"_s, u"Revisionr.txt"_s, u"r.txt"_s}));
        QVERIFY(!QFileInfo::exists(enRaiz(u"casa/Documents/repieps"_s)));
        QCOMPARE(archivos(bin()), QStringList({u"repieps"_s, u"repieps-cli"_s}));
    }

    // Installed, the configuration is the user's: a repieps.ini of their configuration folder;
    // with a program folder they may not write in, the outputs go to their documents.
    void configuracionDelUsuario()
    {
        permitirEscribir(bin(), false);
        escribir(enRaiz(u"nubora/NuboraPremium.ini"_s),
                 u"[Datos]\nMySQLServer=127.0.0.1\nMySQLPuerto=%1\n"_s.arg(bd->puerto()).toUtf8());
        escribir(enRaiz(u"casa/.config/repieps/repieps.ini"_s),
                 u"[Configuración]\nRuta de Nubora Premium=%1\nBase de datos principal=%2\n"_s
                     .arg(enRaiz(u"nubora"_s), bd->nombre())
                     .toUtf8());
        const Salida s = cli({u"--archivo"_s, u"c.txt"_s});
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QCOMPARE(archivos(enRaiz(u"casa/Documents/repieps"_s)), QStringList({u"Detallec.txt"_s, u"Logc.txt"_s, u"Revisionc.txt"_s, u"c.txt"_s}));

        // A new user's first run: the file is made in their folder with its defaults and named.
        QVERIFY(QFile::remove(enRaiz(u"casa/.config/repieps/repieps.ini"_s)));
        const Salida n = cli({});
        QCOMPARE(n.codigo, 1);
        QVERIFY2(n.err.contains(u"("_s + QDir::toNativeSeparators(enRaiz(u"casa/.config/repieps/repieps.ini"_s)) + u')'),
                 qPrintable(n.err));
        QVERIFY(QFile::exists(enRaiz(u"casa/.config/repieps/repieps.ini"_s)));
        QCOMPARE(archivos(bin()), QStringList({u"repieps"_s, u"repieps-cli"_s}));
    }
};

QTEST_GUILESS_MAIN(TestBdInstalacion)
#include "TestBdInstalacion.moc"

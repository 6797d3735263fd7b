#include "Archivos.h"
#include "BaseDePrueba.h"
#include "Consola.h"
#include "Utilerias.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The command-line program as a script would use it: exit statuses, files and messages.
class TestBdCli : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;

    struct Salida {
        int codigo = -1;
        QString out, err;
    };

    Salida correr(const QStringList &args, const QString &carpetaDeTrabajo = QString())
    {
        QProcess p;
        p.setProgram(QStringLiteral(REPIEPS_BIN "/repieps-cli"));
        p.setArguments(args);
        if (!carpetaDeTrabajo.isEmpty())
            p.setWorkingDirectory(carpetaDeTrabajo);
        p.start();
        if (!p.waitForFinished(120000))
            return {};
        return {p.exitCode(), TextoDeConsola(p.readAllStandardOutput()), TextoDeConsola(p.readAllStandardError())};
    }

    QStringList servidor() const
    {
        return {"--servidor", "127.0.0.1", "--puerto", bd->puerto(), "--usuario", "repieps", "--base", bd->nombre()};
    }

    static QStringList archivos(const QString &dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

private Q_SLOTS:
    void initTestCase()
    {
        bd = new BaseDePrueba(QStringLiteral("cli"));
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(QStringLiteral(
            "INSERT INTO lineas VALUES (1,'BOTANAS');\n"
            "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS');\n"
            "INSERT INTO clientes VALUES ('C1','ABARROTES','AAA010101AAA','JALISCO',NULL);\n"
            "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,'2018-02-01','C1',100,0);\n"
            "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (1,1,100);\n"
            "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (1,'A',1,90,0,10,0);\n"
            "INSERT INTO facturasdetalle VALUES (1,1,'P1',10,9,0,10),(1,2,'FALTA',1,1,0,10),(1,3,'FALTA',1,1,0,10),"
            "(2,1,'P1',1,1,0,10);\n"));
    }
    void cleanupTestCase() { delete bd; }

    void senalDeTerminacionCancelaYTerminaLaSentencia()
    {
#ifdef Q_OS_WIN
        QSKIP("QProcess::terminate sends no signal on Windows");
#endif
        // Another session holds the payments table, so the run's query waits on the server; a
        // SIGTERM ends the program and the server's statement with it.
        QTemporaryDir dir;
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("senal.txt")), "anterior\r\n"));
        bd->ejecutar(QStringLiteral("LOCK TABLES edoctacli WRITE"));
        const QString esperando = QStringLiteral("SELECT COUNT(*) FROM information_schema.processlist WHERE db='%1' AND "
                                                 "state LIKE 'Waiting for table metadata lock'")
                                      .arg(bd->nombre());
        QProcess p;
        p.setProgram(QStringLiteral(REPIEPS_BIN "/repieps-cli"));
        p.setArguments(QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "senal.txt",
                                   "--carpeta", dir.path()}
                       + servidor());
        p.start();
        QTRY_VERIFY_WITH_TIMEOUT(bd->cn.Valor(esperando).toInt() == 1, 15000);
        p.terminate();
        const bool termino = p.waitForFinished(15000);
        const int quedan = bd->cn.Valor(esperando).toInt();
        bd->ejecutar(QStringLiteral("UNLOCK TABLES"));
        QVERIFY(termino);
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(quedan, 0);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("Proceso cancelado; no se generó el reporte.")), qPrintable(err));
        QVERIFY2(!err.contains(QStringLiteral("1317")), qPrintable(err));
        QFile anterior(dir.filePath(QStringLiteral("senal.txt")));
        QVERIFY(anterior.open(QIODevice::ReadOnly));
        QCOMPARE(anterior.readAll(), QByteArray("anterior\r\n"));
    }

    // Each kind of wrong use (the option parsing, a rule between options, the output folder)
    // exits 2, points to --help and writes nothing; the texts are those of TestOpcionesCli.
    void usoIncorrecto_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mensaje");
        const QStringList periodo{"--desde", "01/01/2018", "--hasta", "31/03/2018"};
        QTest::newRow("opcion desconocida") << periodo + QStringList{"--xyz"} << "Opción desconocida: --xyz";
        QTest::newRow("periodo al reves") << QStringList{"--desde", "31/03/2018", "--hasta", "01/01/2018"}
                                          << "La fecha inicial (31/03/2018) es posterior a la final (01/01/2018).";
        QTest::newRow("archivo con carpeta") << periodo + QStringList{"--archivo", "sub/r.txt"}
                                             << "El nombre del archivo «sub/r.txt» lleva una carpeta";
        QTest::newRow("carpeta que no existe")
            << periodo + QStringList{"--carpeta", "/no/existe/repieps"}
            << QStringLiteral("La carpeta «%1» no existe.\n").arg(QDir::toNativeSeparators("/no/existe/repieps"));
    }
    void usoIncorrecto()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, mensaje);
        QTemporaryDir dir;
        const Salida s = correr(QStringList{"--carpeta", dir.path()} + args + servidor(), dir.path());
        QCOMPARE(s.codigo, 2);
        QVERIFY2(s.err.contains(mensaje), qPrintable(s.err));
        QVERIFY(s.err.contains(QLatin1String("--help")));
        QCOMPARE(archivos(dir.path()), QStringList());
    }

    void ayudaEnEspanol()
    {
        const Salida s = correr({"--help"});
        QCOMPARE(s.codigo, 0);
        QVERIFY(s.out.contains(QLatin1String("Uso: repieps-cli --desde DD/MM/AAAA --hasta DD/MM/AAAA")));
        QVERIFY(s.out.contains(QLatin1String("--proveedores")));
    }

    void corridaCompleta()
    {
        QTemporaryDir dir;
        const Salida s = correr(QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "r.txt",
                                            "--carpeta", dir.path()}
                                + servidor());
        QCOMPARE(s.codigo, 0);
        QCOMPARE(archivos(dir.path()), QStringList({"Logr.txt", "Revisionr.txt", "r.txt"}));
        QVERIFY(s.out.contains(QStringLiteral("Reporte: ") + QDir::toNativeSeparators(dir.filePath("r.txt"))));
        QVERIFY(s.out.contains(QStringLiteral("Log: ") + QDir::toNativeSeparators(dir.filePath("Logr.txt"))));
        QCOMPARE(s.err, QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:\nFALTA\nFALTA\n"
                                       "Revisión: 2 hallazgos en %1\n"
                                       "  1  dígito verificador incorrecto\n"
                                       "  1  producto que no está en el catálogo\n")
                            .arg(QDir::toNativeSeparators(dir.filePath("Revisionr.txt"))));
        QFile revision(dir.filePath("Revisionr.txt"));
        QVERIFY(revision.open(QIODevice::ReadOnly));
        QCOMPARE(revision.readAll(),
                 QByteArray("Revisi\xF3n del reporte r.txt (clientes): 2 hallazgos\r\n"
                            "d\xEDgito verificador incorrecto (deber\xED" "a ser 1) | RFC: AAA010101AAA | Clave: C1 | "
                            "Nombre: ABARROTES | en el reporte\r\n"
                            "producto que no est\xE1 en el cat\xE1logo | Producto: FALTA | 2 l\xED" "neas\r\n"));
        QFile r(dir.filePath("r.txt"));
        QVERIFY(r.open(QIODevice::ReadOnly));
        QCOMPARE(r.readAll(), QByteArray("C|AAA010101AAA|ABARROTES|14|020|00|001|000|10|005|0.250|004|90|0|9|0|||||||||||\r\n"));
        QCOMPARE(bd->cn.Valor(QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE "
                                             "table_schema=DATABASE() AND table_name='tmptempoieps'")).toInt(),
                 0);
    }

    // The summary and the workbook come from the report file just written; without --archivo and
    // --carpeta the report has its default name in the current folder, and so has a relative
    // workbook name.
    void resumenYLibroDeExcel()
    {
        QTemporaryDir dir;
        const Salida s = correr(QStringList{"--desde", "1/1/2018", "--hasta", "31/3/2018", "--resumen", "--excel",
                                            "libro.xlsx"}
                                    + servidor(),
                                dir.path());
        QCOMPARE(s.codigo, 0);
        const QString nombre = QStringLiteral("Reporte-CT-") + QDate::currentDate().toString("yyyyMMdd") + ".txt";
        QCOMPARE(archivos(dir.path()), QStringList({"Log" + nombre, nombre, "Revision" + nombre, "libro.xlsx"}));
        QCOMPARE(s.out, QStringLiteral("Reporte: %1\nLog: %2\n\n"
                                       "RFC           Nombre     Estado  Renglones  Cantidad  Importe  IEPS  IVA  Hallazgos\n"
                                       "AAA010101AAA  ABARROTES  14              1        10       90     9    0          1\n"
                                       "Total         1 RFC                      1        10       90     9    0          1\n"
                                       "Libro de Excel: %3\n")
                            .arg(QDir::toNativeSeparators(dir.filePath(nombre)),
                                 QDir::toNativeSeparators(dir.filePath("Log" + nombre)),
                                 QDir::toNativeSeparators(dir.filePath("libro.xlsx"))));
        QVERIFY(LeerArchivo(dir.filePath("libro.xlsx")).startsWith("PK\x03\x04"));
    }

    void libroQueNoSePuedeEscribir()
    {
        QTemporaryDir dir;
        const Salida s = correr(QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "r.txt",
                                            "--carpeta", dir.path(), "--excel", dir.filePath("no/hay/libro.xlsx")}
                                + servidor());
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(QStringLiteral("No se pudo")) && s.err.contains(QStringLiteral("libro.xlsx")),
                 qPrintable(s.err));
        QVERIFY(QFile::exists(dir.filePath("r.txt")));
    }

    void sinPagosNoEscribeNada()
    {
        QTemporaryDir dir;
        // A period without payments.
        const Salida s = correr(QStringList{"--desde", "01/01/2019", "--hasta", "31/03/2019", "--carpeta", dir.path()}
                                + servidor());
        QCOMPARE(s.codigo, 3);
        QCOMPARE(archivos(dir.path()), QStringList());
        const Salida p = correr(QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--proveedores",
                                            "--carpeta", dir.path()}
                                + servidor());
        QCOMPARE(p.codigo, 3);
    }

    void conexionDesdeLaConfiguracion()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("nubora");
        QVERIFY(EscribirArchivo(dir.filePath("nubora/NuboraPremium.ini"),
                 QStringLiteral("[Datos]\nMySQLServer=127.0.0.1\nMySQLPuerto=%1\n").arg(bd->puerto()).toUtf8()));
        QVERIFY(EscribirArchivo(dir.filePath("repieps.ini"), QStringLiteral("[Configuración]\nRuta de Nubora Premium=%1\n"
                                                             "Base de datos principal=%2\n")
                                                  .arg(dir.filePath("nubora"), bd->nombre())
                                                  .toUtf8()));
        const Salida s = correr({"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "r.txt", "--carpeta",
                                 dir.path(), "--config", dir.filePath("repieps.ini")});
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QVERIFY(QFile::exists(dir.filePath("r.txt")));

        // A configured folder without an installation: the two messages on stderr, the answer No.
        QVERIFY(EscribirArchivo(dir.filePath("malo.ini"), "[Configuración]\nRuta de Nubora Premium=/no/existe\n"));
        const Salida m = correr({"--desde", "01/01/2018", "--hasta", "31/03/2018", "--carpeta", dir.path(), "--config",
                                 dir.filePath("malo.ini")});
        QCOMPARE(m.codigo, 1);
        QVERIFY2(m.err.contains(QLatin1String("debe indicarse la ruta correcta de Nubora Premium.")), qPrintable(m.err));
        QVERIFY(m.err.contains(QStringLiteral("¿Desea editar el archivo de configuración?")));
        QVERIFY2(!m.err.contains(QStringLiteral("Archivo de configuración: ")), qPrintable(m.err)); // not opened

        // The server's own schema, named in the configuration: refused before anything runs.
        QVERIFY(EscribirArchivo(dir.filePath("sistema.ini"), QStringLiteral("[Configuración]\nRuta de Nubora Premium=%1\n"
                                                             "Base de datos principal=mysql\n")
                                                  .arg(dir.filePath("nubora"))
                                                  .toUtf8()));
        const Salida b = correr({"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "s.txt", "--carpeta",
                                 dir.path(), "--config", dir.filePath("sistema.ini")});
        QCOMPARE(b.codigo, 2);
        QVERIFY2(b.err.contains(QStringLiteral("La base «mysql» es del propio servidor MySQL")), qPrintable(b.err));
        QVERIFY(!QFile::exists(dir.filePath("s.txt")) && !QFile::exists(dir.filePath("Logs.txt")));
    }

    // A disk that fills while the program writes: on a small disk of its own (a tmpfs mounted in a
    // private mount namespace), with the earlier report, log and review and both settings files on
    // it, the free space is cut to what lets the program go as far as a settings file that lacks a
    // value, the log, the report or the review.
    void discoLleno_data()
    {
        QTest::addColumn<int>("paginasLibres"); // of 4 KB; -1: the disk is not filled
        QTest::addColumn<QStringList>("faltan"); // settings files that lack a value, written at start-up
        const QString propio = QStringLiteral("repieps.ini"), ajeno = QStringLiteral("NuboraPremium.ini");
        QTest::newRow("con espacio") << -1 << QStringList{propio, ajeno};
        QTest::newRow("lleno en repieps.ini") << 0 << QStringList{propio};
        QTest::newRow("lleno en NuboraPremium.ini") << 0 << QStringList{ajeno};
        QTest::newRow("lleno en el log") << 0 << QStringList();
        QTest::newRow("lleno en el reporte") << 1 << QStringList();
        QTest::newRow("lleno en la revisión") << 2 << QStringList();
    }
    void discoLleno()
    {
        QFETCH(int, paginasLibres);
        QFETCH(QStringList, faltan);
        QTemporaryDir dir;
        for (const char *sub : {"disco", "antes", "despues"})
            QVERIFY(QDir(dir.path()).mkdir(QLatin1String(sub)));
        const QString disco = dir.filePath("disco"), antes = dir.filePath("antes"), despues = dir.filePath("despues");
        QProcess prueba;
        prueba.start(QStringLiteral("unshare"), {"-rm", "sh", "-c", "mount -t tmpfs -o size=512k tmpfs \"$0\"", disco});
        if (!prueba.waitForFinished(10000) || prueba.exitStatus() != QProcess::NormalExit || prueba.exitCode() != 0)
            QSKIP("este sistema no deja montar un disco pequeño (unshare -rm y mount -t tmpfs) sin privilegios");
        // The connection comes from the settings files; the value a file lacks is one whose
        // initial value suits the test server.
        const QByteArray espera = "Segundos de espera del servidor=300\r\n";
        const QByteArray contrasena = "MySQLPassword=" + host::Utilerias::Encripta(QString()).toLatin1() + "\r\n";
        QHash<QString, QByteArray> anteriores{
            {"r.txt", "anterior r.txt\r\n"},
            {"Logr.txt", "anterior Logr.txt\r\n"},
            {"Revisionr.txt", "anterior Revisionr.txt\r\n"},
            {"repieps.ini", "[Configuración]\r\nRuta de Nubora Premium=" + disco.toUtf8() + "\r\nBase de datos principal="
                                + bd->nombre().toUtf8() + "\r\n" + (faltan.contains("repieps.ini") ? "" : espera)},
            {"NuboraPremium.ini", "[Datos]\r\nMySQLServer=127.0.0.1\r\nMySQLPuerto=" + bd->puerto().toUtf8()
                                      + "\r\nMySQLUsuario=" + host::Utilerias::Encripta("repieps").toLatin1() + "\r\n"
                                      + (faltan.contains("NuboraPremium.ini") ? "" : contrasena)}};
        for (auto it = anteriores.cbegin(); it != anteriores.cend(); ++it)
            QVERIFY(EscribirArchivo(QDir(antes).filePath(it.key()), it.value()));

        const char *guion = "disco=$1; antes=$2; dejar=$3; despues=$4; shift 4\n"
                            "mount -t tmpfs -o size=512k tmpfs \"$disco\" || exit 97\n"
                            "cp \"$antes\"/* \"$disco\"/ || exit 98\n"
                            "if [ \"$dejar\" -ge 0 ]; then\n"
                            "  libres=$(stat -f -c %a \"$disco\")\n"
                            "  dd if=/dev/zero of=\"$disco/relleno\" bs=4096 count=$((libres - dejar)) 2>/dev/null\n"
                            "fi\n"
                            "\"$@\"; codigo=$?\n"
                            "rm -f \"$disco/relleno\"; cp \"$disco\"/* \"$despues\"/\n"
                            "exit $codigo\n";
        QProcess p;
        p.start(QStringLiteral("unshare"), QStringList{"-rm", "sh", "-c", guion, "sh", disco, antes,
                                                       QString::number(paginasLibres), despues, REPIEPS_BIN "/repieps-cli",
                                                       "--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo",
                                                       "r.txt", "--carpeta", disco, "--config",
                                                       QDir(disco).filePath("repieps.ini")});
        QVERIFY(p.waitForFinished(120000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        if (paginasLibres < 0) {
            QVERIFY2(p.exitCode() == 0, qPrintable(err));
            QCOMPARE(archivos(despues), QStringList({"Logr.txt", "NuboraPremium.ini", "Revisionr.txt", "r.txt", "repieps.ini"}));
            QVERIFY(LeerArchivo(QDir(despues).filePath("r.txt")).startsWith("C|AAA010101AAA|ABARROTES|"));
            QCOMPARE(LeerArchivo(QDir(despues).filePath("repieps.ini")), anteriores["repieps.ini"] + espera);
            QCOMPARE(LeerArchivo(QDir(despues).filePath("NuboraPremium.ini")), anteriores["NuboraPremium.ini"] + contrasena);
            return;
        }
        QVERIFY2(p.exitCode() == 1, qPrintable(err));
        QStringList quedan = anteriores.keys();
        if (faltan.isEmpty()) {
            QVERIFY2(err.contains(QStringLiteral(": no queda espacio en el disco")), qPrintable(err));
            QVERIFY2(err.contains(QStringLiteral("Log del proceso fallido: ") + QDir(disco).filePath("LogFallor.txt")), qPrintable(err));
            quedan << "LogFallor.txt";
        } else {
            // The program stopped before it connected: no log of a run.
            QVERIFY2(err.contains(QStringLiteral("No se pudo escribir el archivo %1: no queda espacio en el disco.\n")
                                      .arg(QDir(disco).filePath(faltan[0]))),
                     qPrintable(err));
        }
        // The earlier files, byte for byte, and what this run logged beside them; nothing else.
        quedan.sort();
        QCOMPARE(archivos(despues), quedan);
        for (auto it = anteriores.cbegin(); it != anteriores.cend(); ++it)
            QCOMPARE(LeerArchivo(QDir(despues).filePath(it.key())), it.value());
    }

    void baseOcupadaSaleConCuatro()
    {
        // Another run holds the database: its own exit status, so a scheduled script can try later.
        host::Conexion otra;
        QVERIFY(bd->bases.AbrirBdD(otra, bd->nombre()));
        QCOMPARE(otra.Valor(QStringLiteral("SELECT GET_LOCK(CONCAT('repieps.tmptempoieps.', MD5(DATABASE())), 0)")).toInt(), 1);
        QTemporaryDir dir;
        const Salida s = correr(QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "r.txt",
                                            "--carpeta", dir.path()}
                                + servidor());
        QCOMPARE(s.codigo, 4);
        QVERIFY2(s.err.contains(QStringLiteral("Otro reporte de IEPS se está generando")), qPrintable(s.err));
        QCOMPARE(archivos(dir.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestBdCli)
#include "TestBdCli.moc"

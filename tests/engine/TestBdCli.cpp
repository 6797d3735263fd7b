#include "Archivos.h"
#include "BaseDePrueba.h"
#include "Cp1252.h"
#include "Procesos.h"
#include "Utilerias.h"

#include <QtTest>

// The command-line program as a script would use it: exit statuses, files and messages.
class TestBdCli : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;

    // The first quarter of 2018 on the test database, with these options.
    QStringList trimestre(const QStringList &opciones) const
    {
        return Trimestre + opciones + bd->conexion();
    }

    static QStringList archivos(const QString &dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

private Q_SLOTS:
    void initTestCase()
    {
        bd = new BaseDePrueba(QStringLiteral("cli"));
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(PagoDeFebrero);
        // Three customers of 2016 with valid RFCs, for the 69-B list.
        bd->ejecutar(QStringLiteral(
            "INSERT INTO clientes VALUES ('C7','SIETE','BBB010101ABA','JALISCO',NULL),('C8','OCHO','ccc020202ab3','JALISCO',NULL),"
            "('C9','NUEVE','DDD030303AB7','JALISCO',NULL);\n"
            "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (71,'2016-02-01','C7',100,0),"
            "(72,'2016-02-02','C8',100,0),(73,'2016-02-03','C9',100,0);\n"
            "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (71,71,100),(72,72,100),(73,73,100);\n"
            "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (71,'A',71,90,0,10,0),"
            "(72,'A',72,90,0,10,0),(73,'A',73,90,0,10,0);\n"
            "INSERT INTO facturasdetalle VALUES (71,1,'P1',10,9,0,10),(72,1,'P1',10,9,0,10),(73,1,'P1',10,9,0,10);\n"));
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
        p.start(ProgramaCli, trimestre({"--archivo", "senal.txt", "--carpeta", dir.path()}));
        QTRY_VERIFY_WITH_TIMEOUT(bd->cn.Valor(esperando).toInt() == 1, 15000);
        p.terminate();
        const bool termino = p.waitForFinished(15000);
        const int quedan = bd->cn.Valor(esperando).toInt();
        bd->ejecutar(QStringLiteral("UNLOCK TABLES"));
        QVERIFY(termino && p.exitStatus() == QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(quedan, 0);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("Proceso cancelado; no se generó el reporte.")) && !err.contains("1317"),
                 qPrintable(err));
        QCOMPARE(LeerArchivo(dir.filePath(QStringLiteral("senal.txt"))), QByteArray("anterior\r\n"));
    }

    // Runs that write nothing, each with its own exit status for a script: a wrong use (the option
    // parsing, a rule between options, the output folder; texts of TestOpcionesCli) exits 2 and
    // points to --help, a period without payments 3, a database that another run holds 4.
    void sinArchivos_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<bool>("ocupada");
        QTest::newRow("opcion desconocida") << Trimestre + QStringList{"--xyz"} << 2 << "Opción desconocida: --xyz" << false;
        QTest::newRow("periodo al reves") << QStringList{"--desde", "31/03/2018", "--hasta", "01/01/2018"} << 2
                                          << "La fecha inicial (31/03/2018) es posterior a la final (01/01/2018)." << false;
        QTest::newRow("carpeta que no existe")
            << Trimestre + QStringList{"--carpeta", "/no/existe/repieps"} << 2
            << QStringLiteral("La carpeta «%1» no existe.\n").arg(QDir::toNativeSeparators("/no/existe/repieps")) << false;
        // The suppliers' side without payments takes the same path (TestBdDiferencial's empty periods).
        QTest::newRow("sin pagos") << QStringList{"--desde", "01/01/2019", "--hasta", "31/03/2019"} << 3
                                   << "Ningún pago del periodo cumple las condiciones; no se generó ningún archivo." << false;
        QTest::newRow("trimestre que no existe") << QStringList{"--trimestre", "2018-0"} << 2
                                                 << "El trimestre «2018-0» no es válido" << false;
        QTest::newRow("libro en una carpeta que no existe")
            << Trimestre + QStringList{"--excel", "/no/existe/libro.xlsx"} << 2
            << QStringLiteral("La carpeta «%1» no existe: el libro de Excel no puede escribirse en ella.")
                   .arg(QDir::toNativeSeparators(QFileInfo(QStringLiteral("/no/existe")).absoluteFilePath()))
            << false;
        QTest::newRow("base ocupada") << Trimestre << 4 << "Otro reporte de IEPS se está generando" << true;
    }
    void sinArchivos()
    {
        QFETCH(QStringList, args);
        QFETCH(int, codigo);
        QFETCH(QString, mensaje);
        QFETCH(bool, ocupada);
        host::Conexion otra; // holds the database's lock until the test ends
        if (ocupada) {
            QVERIFY(bd->bases.AbrirBdD(otra, bd->nombre()));
            QCOMPARE(otra.Valor(QStringLiteral("SELECT GET_LOCK(CONCAT('repieps.tmptempoieps.', MD5(DATABASE())), 0)")).toInt(), 1);
        }
        QTemporaryDir dir;
        const Salida s = Correr(ProgramaCli, QStringList{"--carpeta", dir.path()} + args + bd->conexion(), dir.path());
        QCOMPARE(s.codigo, codigo);
        QVERIFY2(s.err.contains(mensaje) && s.err.contains(QLatin1String("--help")) == (codigo == 2), qPrintable(s.err));
        QCOMPARE(archivos(dir.path()), QStringList());
    }

    // Every payment of the period went nowhere: the files are written, exit 0, and stderr says so.
    void reporteVacioPorPagosPerdidos()
    {
        bd->ejecutar(QStringLiteral("INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (9,'2017-02-01','C1',50,0);\n"
                                    "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (9,77,50);\n"));
        QTemporaryDir dir;
        const Salida s = Correr(ProgramaCli, QStringList{"--desde", "01/01/2017", "--hasta", "31/03/2017", "--archivo", "r.txt",
                                                         "--carpeta", dir.path()} + bd->conexion());
        QCOMPARE(s.codigo, 0);
        QVERIFY2(s.err.endsWith(QStringLiteral("(pagos procesados: 1; aplicados a documentos que no existen o que no tienen "
                                               "líneas: 1, en la revisión). El Log muestra los pagos.\n")), qPrintable(s.err));
        QCOMPARE(archivos(dir.path()), QStringList({"Detaller.txt", "Logr.txt", "Revisionr.txt", "r.txt"}));
    }

    // The payments' RFCs against the 69-B list (as the report writes them): two findings of the
    // filing, first, and a notice; a list that cannot be used changes nothing of the run but the
    // review's title and a line on stderr.
    void lista69B_data()
    {
        QTest::addColumn<QByteArray>("lista"); // empty: no --lista-69b
        QTest::addColumn<QString>("err");      // after "Revisión: "; %1: the list, %2: the review
        QTest::addColumn<QStringList>("revision");
        const QString fecha = QDate(2031, 5, 6).addDays(-91).toString("dd/MM/yyyy"); // the runs' today: lista69B()
        const QString hallazgo = "%1 | RFC: %2 | Clave: %3 | Nombre: %4 | ";
        const QString minusculas = hallazgo.arg("RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en "
                                                "general no se reconoce así)", "ccc020202ab3", "C8", "OCHO") + "en el reporte";
        const QString una = "1 hallazgos en %2\n  1  RFC con minúsculas\n";
        QTest::newRow("tres rfc")
            << "Informaci\xF3n actualizada al " + fecha.toLatin1() + "\r\nNo,RFC,Situaci\xF3n del contribuyente,Publicaci\xF3n "
                   "DOF presuntos,Publicaci\xF3n DOF definitivos\r\n1,CCC020202AB3,Presunto,05/02/2019,\r\n2,BBB010101ABA,"
                   "Definitivo,05/02/2019,10/03/2020\r\n3,DDD030303AB7,Desvirtuado,,\r\n"
            << "4 hallazgos en %2\n  1  RFC en la lista 69-B del SAT: Definitivo\n  1  RFC en la lista 69-B del SAT: Presunto\n"
               "  1  RFC que salió de la lista 69-B del SAT: Desvirtuado\n  1  RFC con minúsculas\n"
            << QStringList{"4 hallazgos; lista 69-B del SAT al " + fecha + ", de más de 90 días (%1)",
                           hallazgo.arg("RFC en la lista 69-B del SAT: Definitivo (publicado el 10/03/2020 en el DOF), lista al " + fecha,
                                        "BBB010101ABA", "C7", "SIETE") + "en el reporte",
                           hallazgo.arg("RFC en la lista 69-B del SAT: Presunto (publicado el 05/02/2019 en el DOF), lista al " + fecha,
                                        "ccc020202ab3", "C8", "OCHO") + "en el reporte",
                           hallazgo.arg("RFC que salió de la lista 69-B del SAT: Desvirtuado (sin fecha de publicación en el DOF), "
                                        "lista al " + fecha, "DDD030303AB7", "C9", "NUEVE") + "aviso: RFC del reporte",
                           minusculas};
        const QString mala = "El archivo %1 no es la lista 69-B del SAT: ninguna de sus primeras líneas (hasta la línea 1) "
                             "tiene las columnas «RFC» y «Situación del contribuyente».";
        QTest::newRow("malformada") << QByteArray("RFC;Situación\n") << una + mala + "\n"
                                    << QStringList{"1 hallazgos; no se usó la lista 69-B del SAT: " + mala, minusculas};
        QTest::newRow("sin lista") << QByteArray() << una << QStringList{"1 hallazgos; no se revisó la lista 69-B del SAT", minusculas};
    }
    void lista69B()
    {
        QFETCH(QByteArray, lista);
        QFETCH(QString, err);
        QFETCH(QStringList, revision);
        QTemporaryDir dir;
        const QString archivo = QDir::toNativeSeparators(dir.filePath("l.csv"));
        QVERIFY(EscribirArchivo(archivo, lista));
        qputenv("REPIEPS_HOY", "2031-05-06");
        const Salida s = Correr(ProgramaCli, QStringList{"--desde", "01/01/2016", "--hasta", "31/03/2016", "--archivo", "r.txt",
                                                         "--carpeta", dir.path()} + (lista.isEmpty() ? QStringList() : QStringList{"--lista-69b", archivo})
                                                 + bd->conexion());
        qunsetenv("REPIEPS_HOY");
        QCOMPARE(s.codigo, 0);
        const QString revisionEn = QDir::toNativeSeparators(dir.filePath("Revisionr.txt"));
        QCOMPARE(s.err, "Revisión: " + err.replace("%1", archivo).replace("%2", revisionEn));
        revision[0] = "Revisión del reporte r.txt (clientes): " + revision[0].replace("%1", archivo);
        QCOMPARE(host::DesdeCp1252(LeerArchivo(revisionEn)), revision.join("\r\n") + "\r\n");
    }

    // A whole run, with the summary, the workbook and the PDF made from the report file just
    // written (the review file's contents are the engine's, checked by TestBdReporte); without
    // --archivo and --carpeta the report has its default name in the current folder, and so have
    // relative names of the workbook and the PDF. The PDF needs no display.
    void corridaCompletaConResumenYLibro()
    {
        QTemporaryDir dir;
        QProcessEnvironment sinPantalla = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            sinPantalla.remove(QLatin1String(variable));
        sinPantalla.insert(QStringLiteral("REPIEPS_HOY"), QStringLiteral("2031-05-06"));
        const Salida s = Correr(ProgramaCli,
                                QStringList{"--desde", "1/1/2018", "--hasta", "31/3/2018", "--resumen", "--excel", "libro.xlsx",
                                            "--pdf", "resumen.pdf"}
                                    + bd->conexion(),
                                dir.path(), sinPantalla);
        QCOMPARE(s.codigo, 0);
        const QString nombre = QStringLiteral("Reporte-CT-20310506.txt");
        QCOMPARE(archivos(dir.path()), QStringList({"Detalle" + nombre, "Log" + nombre, nombre, "Revision" + nombre, "libro.xlsx", "resumen.pdf"}));
        QCOMPARE(s.out, QStringLiteral("Reporte: %1\nLog: %2\n\n"
                                       "RFC           Nombre     Estado  Renglones  Cantidad  Importe  IEPS  IVA  Hallazgos\n"
                                       "AAA010101AAA  ABARROTES  14              1        10       90     9    0          1\n"
                                       "Total         1 RFC                      1        10       90     9    0          1\n"
                                       "Libro de Excel: %3\nPDF: %4\n")
                            .arg(QDir::toNativeSeparators(dir.filePath(nombre)),
                                 QDir::toNativeSeparators(dir.filePath("Log" + nombre)),
                                 QDir::toNativeSeparators(dir.filePath("libro.xlsx")),
                                 QDir::toNativeSeparators(dir.filePath("resumen.pdf"))));
        QCOMPARE(s.err, QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:\nFALTA\nFALTA\n"
                                       "Revisión: 2 hallazgos en %1\n"
                                       "  1  dígito verificador incorrecto\n"
                                       "  1  producto que no está en el catálogo\n")
                            .arg(QDir::toNativeSeparators(dir.filePath("Revision" + nombre))));
        QCOMPARE(LeerArchivo(dir.filePath(nombre)),
                 QByteArray("C|AAA010101AAA|ABARROTES|14|020|00|001|000|10|005|0.250|004|90|0|9|0|||||||||||\r\n"));
        QVERIFY(LeerArchivo(dir.filePath("libro.xlsx")).startsWith("PK\x03\x04"));
        QVERIFY(LeerArchivo(dir.filePath("resumen.pdf")).startsWith("%PDF-"));
        // Read back where poppler is at hand (not under Wine).
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            return;
        const QString pdf = Correr("pdftotext", {"-layout", dir.filePath("resumen.pdf"), "-"}).out;
        QVERIFY2(pdf.contains(QRegularExpression("Reporte: " + nombre + "\n(.*\n)*.*Total +1 RFC +1 +10 +90 +9 +0 +1")),
                 qPrintable(pdf));
    }

    // --trimestre gives the files of its dates; --sin-reemplazar then leaves them as they are and exits 2.
    void trimestreYSinReemplazar()
    {
        QTemporaryDir dir;
        const auto correr = [&](const QStringList &periodo, const QString &archivo, const QStringList &mas = {}) {
            return Correr(ProgramaCli, periodo + QStringList{"--archivo", archivo, "--carpeta", dir.path()} + mas + bd->conexion());
        };
        QCOMPARE(correr(Trimestre, "fechas.txt").codigo, 0);
        QCOMPARE(correr({"--trimestre", "2018-1"}, "trimestre.txt").codigo, 0);
        const QByteArray reporte = LeerArchivo(dir.filePath("trimestre.txt"));
        QCOMPARE(reporte, LeerArchivo(dir.filePath("fechas.txt")));
        const Salida s = correr({"--trimestre", "2018-1"}, "trimestre.txt", {"--sin-reemplazar"});
        QCOMPARE(s.codigo, 2);
        QVERIFY2(s.err.startsWith(QStringLiteral("Ya existe «%1» (generado el ").arg(QDir::toNativeSeparators(dir.filePath("trimestre.txt")))),
                 qPrintable(s.err));
        QCOMPARE(LeerArchivo(dir.filePath("trimestre.txt")), reporte);
        QCOMPARE(archivos(dir.path()).size(), 8);
    }

    // A workbook or a PDF that cannot be written fails the run, after the report.
    void salidaQueNoSePuedeEscribir_data()
    {
        QTest::addColumn<QString>("opcion");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("libro") << "--excel" << "libro.xlsx" << "No se pudo crear el archivo %1: no existe el archivo o la carpeta\n";
        QTest::newRow("pdf") << "--pdf" << "resumen.pdf" << "No se pudo escribir el PDF %1: no se pudo crear el archivo.\n";
    }
    void salidaQueNoSePuedeEscribir()
    {
        QFETCH(QString, opcion);
        QFETCH(QString, nombre);
        QFETCH(QString, mensaje);
        // A folder that exists and takes no new file, even from the administrator (Linux's /proc).
#ifndef Q_OS_LINUX
        QSKIP("Sólo Linux tiene /proc");
#endif
        QTemporaryDir dir;
        const QString salida = "/proc/" + nombre;
        const Salida s = Correr(ProgramaCli, trimestre({"--archivo", "r.txt", "--carpeta", dir.path(), opcion, salida}));
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.endsWith(mensaje.arg(QDir::toNativeSeparators(salida))), qPrintable(s.err));
        QVERIFY(QFile::exists(dir.filePath("r.txt")));
    }

    // The connection from a configuration file; a folder without an installation (the two
    // messages on stderr, the answer No); the server's own schema, refused before anything runs.
    void conexionDesdeLaConfiguracion()
    {
        QTemporaryDir dir;
        const auto conConfiguracion = [&](const QString &archivo, const QString &rutaNubora, const QString &base) {
            EscribirArchivo(dir.filePath(archivo), QStringLiteral("[Configuración]\nRuta de Nubora Premium=%1\n"
                                                                  "Base de datos principal=%2\n")
                                                       .arg(rutaNubora, base)
                                                       .toUtf8());
            return Correr(ProgramaCli, Trimestre + QStringList{"--archivo", archivo + ".txt", "--carpeta", dir.path(), "--config",
                                                               dir.filePath(archivo)});
        };
        QDir(dir.path()).mkdir("nubora");
        QVERIFY(EscribirArchivo(dir.filePath("nubora/NuboraPremium.ini"),
                 QStringLiteral("[Datos]\nMySQLServer=127.0.0.1\nMySQLPuerto=%1\n").arg(bd->puerto()).toUtf8()));
        const Salida s = conConfiguracion("repieps.ini", dir.filePath("nubora"), bd->nombre());
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QVERIFY(QFile::exists(dir.filePath("repieps.ini.txt")));

        const Salida m = conConfiguracion("malo.ini", "/no/existe", bd->nombre());
        QCOMPARE(m.codigo, 1);
        QVERIFY2(m.err.contains(QLatin1String("debe indicarse la ruta correcta de Nubora Premium.")), qPrintable(m.err));
        QVERIFY(m.err.contains(QStringLiteral("¿Desea editar el archivo de configuración?")));
        QVERIFY2(!m.err.contains(QStringLiteral("Archivo de configuración: ")), qPrintable(m.err)); // not opened

        // The installation's settings file, known once the configuration is read, is not a report's place.
        const QString datos = dir.filePath("nubora/NuboraPremium.ini");
        const Salida n = Correr(ProgramaCli, Trimestre + QStringList{"--carpeta", dir.filePath("nubora"), "--archivo",
                                                                     "NuboraPremium.ini", "--config", dir.filePath("repieps.ini")});
        QCOMPARE(n.codigo, 2);
        QVERIFY2(n.err.startsWith(QStringLiteral("«%1» es el archivo de configuración de Nubora Premium: el reporte no puede "
                                                 "escribirse sobre él.\n").arg(QDir::toNativeSeparators(datos))),
                 qPrintable(n.err));

        const Salida b = conConfiguracion("sistema.ini", dir.filePath("nubora"), "mysql");
        QCOMPARE(b.codigo, 2);
        QVERIFY2(b.err.contains(QStringLiteral("La base «mysql» es del propio servidor MySQL")), qPrintable(b.err));
        QVERIFY(!QFile::exists(dir.filePath("sistema.ini.txt")) && !QFile::exists(dir.filePath("Logsistema.ini.txt")));
    }

    // A disk that fills while the program writes: on a small disk of its own (a tmpfs mounted in a
    // private mount namespace), with the earlier report, log and review and both settings files on
    // it, the free space is cut to what lets the program go as far as a settings file that lacks a
    // value, the log, the report or the review.
    void discoLleno_data()
    {
        QTest::addColumn<int>("paginasLibres"); // of 4 KB
        QTest::addColumn<QString>("falta");      // a settings file that lacks a value, written at start-up
        QTest::newRow("lleno en repieps.ini") << 0 << "repieps.ini";
        QTest::newRow("lleno en NuboraPremium.ini") << 0 << "NuboraPremium.ini";
        QTest::newRow("lleno en el log") << 0 << QString();
        QTest::newRow("lleno en el reporte") << 1 << QString();
        QTest::newRow("lleno en la revisión") << 2 << QString();
    }
    void discoLleno()
    {
        QFETCH(int, paginasLibres);
        QFETCH(QString, falta);
        QTemporaryDir dir;
        for (const char *sub : {"disco", "antes", "despues"})
            QVERIFY(QDir(dir.path()).mkdir(QLatin1String(sub)));
        const QString disco = dir.filePath("disco"), antes = dir.filePath("antes"), despues = dir.filePath("despues");
        // The connection comes from the settings files; the value a file lacks is one whose
        // initial value suits the test server.
        QHash<QString, QByteArray> anteriores{
            {"r.txt", "anterior r.txt\r\n"},
            {"Logr.txt", "anterior Logr.txt\r\n"},
            {"Revisionr.txt", "anterior Revisionr.txt\r\n"},
            {"repieps.ini", "[Configuración]\r\nRuta de Nubora Premium=" + disco.toUtf8() + "\r\nBase de datos principal="
                                + bd->nombre().toUtf8() + "\r\n"
                                + (falta == "repieps.ini" ? "" : "Segundos de espera del servidor=300\r\n")},
            {"NuboraPremium.ini", "[Datos]\r\nMySQLServer=127.0.0.1\r\nMySQLPuerto=" + bd->puerto().toUtf8()
                                      + "\r\nMySQLUsuario=" + host::Utilerias::Encripta("repieps").toLatin1() + "\r\n"
                                      + (falta == "NuboraPremium.ini"
                                             ? ""
                                             : "MySQLPassword=" + host::Utilerias::Encripta(QString()).toLatin1() + "\r\n")}};
        for (auto it = anteriores.cbegin(); it != anteriores.cend(); ++it)
            QVERIFY(EscribirArchivo(QDir(antes).filePath(it.key()), it.value()));

        const char *guion = "disco=$1; antes=$2; dejar=$3; despues=$4; shift 4\n"
                            "mount -t tmpfs -o size=512k tmpfs \"$disco\" || exit 97\n"
                            "cp \"$antes\"/* \"$disco\"/ || exit 98\n"
                            "libres=$(stat -f -c %a \"$disco\")\n"
                            "dd if=/dev/zero of=\"$disco/relleno\" bs=4096 count=$((libres - dejar)) 2>/dev/null\n"
                            "\"$@\"; codigo=$?\n"
                            "rm -f \"$disco/relleno\"; cp \"$disco\"/* \"$despues\"/\n"
                            "exit $codigo\n";
        const Salida s = Correr(QStringLiteral("unshare"),
                                {"-rm", "sh", "-c", guion, "sh", disco, antes, QString::number(paginasLibres), despues,
                                 ProgramaCli, "--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo",
                                 "r.txt", "--carpeta", disco, "--config", QDir(disco).filePath("repieps.ini")});
        if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty() || s.err.startsWith(QLatin1String("unshare:"))
            || s.codigo == 97)
            QSKIP("este sistema no deja montar un disco pequeño (unshare -rm y mount -t tmpfs) sin privilegios");
        QVERIFY2(s.codigo == 1, qPrintable(s.err));
        QStringList quedan = anteriores.keys();
        if (falta.isEmpty()) {
            QVERIFY2(s.err.contains(QStringLiteral(": no queda espacio en el disco")), qPrintable(s.err));
            QVERIFY2(s.err.contains(QStringLiteral("Log del proceso fallido: ") + QDir(disco).filePath("LogFallor.txt")),
                     qPrintable(s.err));
            quedan << "LogFallor.txt";
        } else {
            // The program stopped before it connected: no log of a run.
            QVERIFY2(s.err.contains(QStringLiteral("No se pudo escribir el archivo %1: no queda espacio en el disco.\n")
                                        .arg(QDir(disco).filePath(falta))),
                     qPrintable(s.err));
        }
        // The earlier files, byte for byte, and what this run logged beside them; nothing else.
        quedan.sort();
        QCOMPARE(archivos(despues), quedan);
        for (auto it = anteriores.cbegin(); it != anteriores.cend(); ++it)
            QCOMPARE(LeerArchivo(QDir(despues).filePath(it.key())), it.value());
    }

    // A payment changed after a first run shows up in --comparar with its differences, and nothing
    // else does; an earlier report of the other side stops the run before it starts.
    void compararConElPrimerReporte()
    {
        bd->ejecutar(QStringLiteral("INSERT INTO clientes VALUES ('C2','BODEGA','BBB010101BBB','JALISCO',NULL);\n"
                                    "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES "
                                    "(20,'2016-02-01','C1',100,0),(21,'2016-02-01','C2',100,0);\n"
                                    "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (20,1,100),(21,1,100);\n"));
        QTemporaryDir dir;
        const QString primero = dir.filePath("primero.txt");
        const auto correr = [&](const QStringList &mas) {
            return Correr(ProgramaCli, QStringList{"--trimestre", "2016-1", "--carpeta", dir.path()} + mas + bd->conexion());
        };
        QCOMPARE(correr({"--archivo", "primero.txt"}).codigo, 0);
        bd->ejecutar(QStringLiteral("UPDATE anexopagosctes SET Cantidad=50 WHERE FolioDelPago=20"));
        const Salida s = correr({"--archivo", "segundo.txt", "--comparar", primero});
        QCOMPARE(s.codigo, 0);
        // Half the payment: half of each figure, the IEPS's 4.5 rounded to even.
        QCOMPARE(s.out.section("\n\n", 1),
                 QStringLiteral("Comparación con el reporte anterior %1\n"
                                "RFC: 5 antes y 5 ahora; entraron a los 50: 0, salieron: 0, cambiaron: 1, sin cambio: 4.\n"
                                "Renglones: 5 antes y 5 ahora; nuevos: 0, quitados: 0, cambiados: 1, sin cambio: 4.\n\n"
                                "RFC           Cambio  Cifra      Antes   Ahora  Diferencia\n"
                                "AAA010101AAA  Cambió  Cantidad   10.00    5.00       -5.00\n"
                                "                      Importe    90.00   45.00      -45.00\n"
                                "                      IEPS        9.00    4.00       -5.00\n"
                                "                      IVA         0.00    0.00        0.00\n"
                                "Total                 Cantidad   50.00   45.00       -5.00\n"
                                "                      Importe   450.00  405.00      -45.00\n"
                                "                      IEPS       45.00   40.00       -5.00\n"
                                "                      IVA         0.00    0.00        0.00\n\n"
                                "RFC           Campo 5  Clave genérica  Presentación  Cambio  Cifra     Antes  Ahora  Diferencia\n"
                                "AAA010101AAA  020      001             0.250         Cambió  Cantidad  10.00   5.00       -5.00\n"
                                "                                                             Importe   90.00  45.00      -45.00\n"
                                "                                                             IEPS       9.00   4.00       -5.00\n"
                                "                                                             IVA        0.00   0.00        0.00\n")
                     .arg(QDir::toNativeSeparators(primero)));
        const Salida p = correr({"--archivo", "tercero.txt", "--proveedores", "--comparar", primero});
        QCOMPARE(p.codigo, 2);
        QVERIFY2(p.err.startsWith("No se pueden comparar: el reporte anterior es de clientes (CT) y este es de proveedores "
                                  "(PR).\n"), qPrintable(p.err));
        QVERIFY(!QFile::exists(dir.filePath("tercero.txt")));
    }
};

QTEST_GUILESS_MAIN(TestBdCli)
#include "TestBdCli.moc"

#include "Configuracion.h"
#include "OpcionesCli.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace config;

// Options of the command-line program.
class TestOpcionesCli : public QObject {
    Q_OBJECT
    QTemporaryDir dir; // holds hecho.txt, a report already written

private Q_SLOTS:
    // Every option given, then none of the optional ones.
    void completasYPorOmision()
    {
        OpcionesCli o;
        QVERIFY(LeerOpcionesCli({"--desde", "05/03/2018", "--hasta=31/03/2018", "--proveedores", "--clave", "P 1",
                                 "--archivo", "x.txt", "--carpeta", "/tmp", "--por-categoria", "--todos-los-pagos",
                                 "--servidor", "srv", "--puerto", "3307", "--usuario", "u", "--base", "b",
                                 "--consultas-por-renglon", "--pdf", "r.pdf"},
                                o, nullptr));
        QCOMPARE(o.desde, QDate(2018, 3, 5));
        QCOMPARE(o.hasta, QDate(2018, 3, 31));
        QVERIFY(o.proveedores && o.porCategoria && o.todosLosPagos && o.porRenglon);
        QCOMPARE((QStringList{o.clave, o.archivo, o.carpeta, o.servidor, o.puerto, o.usuario, o.base, o.pdf}),
                 (QStringList{"P 1", "x.txt", "/tmp", "srv", "3307", "u", "b", "r.pdf"}));
        // Without them: one day is a period, and a point-of-sale base may begin like the server's own.
        OpcionesCli d;
        QVERIFY(LeerOpcionesCli({"--desde", "5/3/2018", "--hasta", "05/03/2018", "--base", "mysqlventas"}, d, nullptr));
        QCOMPARE(d.desde, d.hasta);
        QVERIFY(!d.proveedores && !d.porCategoria && !d.todosLosPagos && !d.porRenglon);
        QVERIFY(d.clave.isEmpty() && d.servidor.isEmpty() && !d.version);
        // A quarter is its first and last days; --sin-reemplazar passes where no report is.
        OpcionesCli t;
        QVERIFY(LeerOpcionesCli({"--trimestre", "2026-4", "--sin-reemplazar", "--carpeta", dir.path()}, t, nullptr));
        QCOMPARE(std::tuple(t.desde, t.hasta, t.sinReemplazar), std::tuple(QDate(2026, 10, 1), QDate(2026, 12, 31), true));
        // The version is answered without a period.
        OpcionesCli v;
        QVERIFY(LeerOpcionesCli({"--version"}, v, nullptr) && v.version);
    }

    void errores_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mensaje");
        // A row whose arguments follow a valid period.
        const auto trasPeriodo = [](const char *nombre, const QStringList &args, const QString &mensaje) {
            QTest::newRow(nombre) << QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018"} + args << mensaje;
        };
        const QString sinServidor = QStringLiteral(" sólo vale junto con --servidor; sin --servidor la conexión sale de la "
                                                   "configuración.");
        const QString deServidor = QStringLiteral("» es del propio servidor MySQL, no de un punto de venta: el reporte no "
                                                  "se genera en ella.");
        QTest::newRow("sin desde") << QStringList{"--hasta", "31/03/2018"} << "Falta la fecha inicial (--desde DD/MM/AAAA).";
        QTest::newRow("sin hasta") << QStringList{"--desde", "01/01/2018"} << "Falta la fecha final (--hasta DD/MM/AAAA).";
        QTest::newRow("dia imposible") << QStringList{"--desde", "01/01/2018", "--hasta", "31/02/2018"}
                                       << "La fecha final «31/02/2018» no es una fecha válida (DD/MM/AAAA).";
        QTest::newRow("fecha al reves") << QStringList{"--desde", "2018-01-01", "--hasta", "31/03/2018"}
                                        << "La fecha inicial «2018-01-01» no es una fecha válida (DD/MM/AAAA).";
        QTest::newRow("opcion sin valor") << QStringList{"--desde", "01/01/2018", "--hasta"}
                                          << "Falta el valor de la opción --hasta.";
        trasPeriodo("puerto no numerico", {"--servidor", "s", "--puerto", "x"}, "El puerto «x» no es un número de puerto válido.");
        trasPeriodo("bandera con valor", {"--proveedores=1"}, "La opción --proveedores no lleva valor.");
        trasPeriodo("argumento suelto", {"extra"}, "Opción desconocida: extra");
        trasPeriodo("archivo en blanco", {"--archivo", "  "}, "El nombre del archivo no puede quedar en blanco.");
        trasPeriodo("archivo vacío con =", {"--archivo="}, "El nombre del archivo no puede quedar en blanco.");
        QTest::newRow("periodo al reves") << QStringList{"--desde", "31/03/2018", "--hasta", "01/01/2018"}
                                          << "La fecha inicial (31/03/2018) es posterior a la final (01/01/2018).";
        trasPeriodo("puerto sin servidor", {"--puerto", "1"}, "La opción --puerto" + sinServidor);
        trasPeriodo("usuario sin servidor", {"--usuario=nadie"}, "La opción --usuario" + sinServidor);
        trasPeriodo("servidor vacio", {"--servidor", ""}, "Falta el nombre del servidor en --servidor.");
        trasPeriodo("libro en blanco", {"--resumen", "--excel", " "}, "Falta el nombre del libro de Excel en --excel.");
        trasPeriodo("pdf en blanco", {"--pdf="}, "Falta el nombre del PDF en --pdf.");
        trasPeriodo("base del servidor", {"--base", "MySQL"}, "La base «MySQL" + deServidor);
        trasPeriodo("esquema de informacion", {"--servidor", "srv", "--base", "information_schema"},
                    "La base «information_schema" + deServidor);
        // The name and the folder go through the output check (its own test has every reason).
        trasPeriodo("archivo con carpeta", {"--archivo", "../r.txt"},
                    "El nombre del archivo «../r.txt» lleva una carpeta: escriba sólo el nombre, sin «/» ni «\\».");
        QTest::newRow("trimestre 5") << QStringList{"--trimestre", "2018-5"}
                                     << "El trimestre «2018-5» no es válido: escríbalo como AAAA-T, del 1 al 4, por ejemplo 2018-1.";
        trasPeriodo("trimestre con fechas", {"--trimestre=2018-1"}, "La opción --trimestre no va junto con --desde ni --hasta.");
        const QString hecho = dir.filePath(QStringLiteral("hecho.txt"));
        QFile(hecho).open(QIODevice::WriteOnly);
        trasPeriodo("reporte que ya existe", {"--sin-reemplazar", "--carpeta", dir.path(), "--archivo", "hecho.txt"},
                    QStringLiteral("Ya existe «%1» (generado el %2); con --sin-reemplazar no se reemplaza.")
                        .arg(QDir::toNativeSeparators(hecho),
                             QFileInfo(hecho).lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm"))));
        // A blank value is refused, never taken for "all" or the default.
        trasPeriodo("clave vacía", {"--clave", ""}, "Falta la clave del cliente o proveedor en --clave.");
        trasPeriodo("carpeta vacía", {"--carpeta="}, "Falta el nombre de la carpeta en --carpeta.");
        trasPeriodo("base en blanco", {"--base", " "}, "Falta el nombre de la base de datos en --base.");
        trasPeriodo("configuración vacía", {"--config="}, "Falta el nombre del archivo de configuración en --config.");
        trasPeriodo("puerto vacío", {"--servidor", "s", "--puerto", ""}, "Falta el número del puerto en --puerto.");
        QTest::newRow("último día") << QStringList{"--desde", "01/12/9999", "--hasta", "31/12/9999"}
                                    << "La fecha final (31/12/9999) no se puede usar: el periodo debe terminar a más tardar el "
                                       "30/12/9999.";
        // The workbook and the PDF go through the check of other outputs (its own test has every reason).
        const QString configuracion = ArchivoDeConfiguracion(OpcionesCli());
        trasPeriodo("pdf sobre la configuración", {"--config", dir.filePath("otra.ini"), "--pdf", configuracion},
                    QStringLiteral("«%1» es el archivo de configuración de este programa: el PDF no puede escribirse sobre él.")
                        .arg(QDir::toNativeSeparators(configuracion)));
        trasPeriodo("carpeta que no existe", {"--carpeta", "/no/existe/repieps"},
                    QStringLiteral("La carpeta «%1» no existe.").arg(QDir::toNativeSeparators(QStringLiteral("/no/existe/repieps"))));
    }
    void errores()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, mensaje);
        OpcionesCli o;
        QString error;
        QVERIFY(!LeerOpcionesCli(args, o, &error));
        QCOMPARE(error, mensaje);
    }

    void nombrePorOmision()
    {
        QCOMPARE(NombreReportePorDefecto(true, QDate(2018, 3, 5)), QStringLiteral("Reporte-CT-20180305.txt"));
        QCOMPARE(NombreReportePorDefecto(false, QDate(2026, 12, 6)), QStringLiteral("Reporte-PR-20261206.txt"));
    }
};

QTEST_GUILESS_MAIN(TestOpcionesCli)
#include "TestOpcionesCli.moc"

#include "Configuracion.h"
#include "OpcionesCli.h"

#include <QDir>
#include <QtTest>

using namespace config;

// Options of the command-line program.
class TestOpcionesCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every option given, then none of the optional ones.
    void completasYPorOmision()
    {
        OpcionesCli o;
        QString error;
        QVERIFY(LeerOpcionesCli({"--desde", "05/03/2018", "--hasta=31/03/2018", "--proveedores", "--clave", "P 1",
                                 "--archivo", "x.txt", "--carpeta", "/tmp", "--por-categoria", "--todos-los-pagos",
                                 "--servidor", "srv", "--puerto", "3307", "--usuario", "u", "--base", "b",
                                 "--consultas-por-renglon"},
                                o, &error));
        QCOMPARE(o.desde, QDate(2018, 3, 5));
        QCOMPARE(o.hasta, QDate(2018, 3, 31));
        QVERIFY(o.proveedores && o.porCategoria && o.todosLosPagos && o.porRenglon);
        QCOMPARE(o.clave, QStringLiteral("P 1"));
        QCOMPARE(o.archivo, QStringLiteral("x.txt"));
        QCOMPARE(o.puerto, QStringLiteral("3307"));
        QCOMPARE(o.base, QStringLiteral("b"));
        // Without them: one day is a period, and a point-of-sale base may begin like the server's own.
        OpcionesCli d;
        QVERIFY(LeerOpcionesCli({"--desde", "5/3/2018", "--hasta", "05/03/2018", "--base", "mysqlventas"}, d, nullptr));
        QCOMPARE(d.desde, d.hasta);
        QVERIFY(!d.proveedores && !d.porCategoria && !d.todosLosPagos && !d.porRenglon);
        QVERIFY(d.clave.isEmpty() && d.servidor.isEmpty() && !d.version);
        // The version is answered without a period.
        OpcionesCli v;
        QVERIFY(LeerOpcionesCli({"--version"}, v, nullptr) && v.version);
    }

    void errores_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mensaje");
        const QStringList periodo{"--desde", "01/01/2018", "--hasta", "31/03/2018"};
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
        QTest::newRow("puerto no numerico") << periodo + QStringList{"--servidor", "s", "--puerto", "x"}
                                            << "El puerto «x» no es un número de puerto válido.";
        QTest::newRow("bandera con valor") << periodo + QStringList{"--proveedores=1"}
                                           << "La opción --proveedores no lleva valor.";
        QTest::newRow("argumento suelto") << periodo + QStringList{"extra"} << "Opción desconocida: extra";
        QTest::newRow("archivo en blanco") << periodo + QStringList{"--archivo", "  "}
                                           << "El nombre del archivo no puede quedar en blanco.";
        QTest::newRow("archivo vacío con =") << periodo + QStringList{"--archivo="}
                                             << "El nombre del archivo no puede quedar en blanco.";
        QTest::newRow("periodo al reves") << QStringList{"--desde", "31/03/2018", "--hasta", "01/01/2018"}
                                          << "La fecha inicial (31/03/2018) es posterior a la final (01/01/2018).";
        QTest::newRow("puerto sin servidor") << periodo + QStringList{"--puerto", "1"} << "La opción --puerto" + sinServidor;
        QTest::newRow("usuario sin servidor") << periodo + QStringList{"--usuario=nadie"} << "La opción --usuario" + sinServidor;
        QTest::newRow("servidor vacio") << periodo + QStringList{"--servidor", ""}
                                        << "Falta el nombre del servidor en --servidor.";
        QTest::newRow("libro en blanco") << periodo + QStringList{"--resumen", "--excel", " "}
                                         << "Falta el nombre del libro de Excel en --excel.";
        QTest::newRow("base del servidor") << periodo + QStringList{"--base", "MySQL"} << "La base «MySQL" + deServidor;
        QTest::newRow("esquema de informacion") << periodo + QStringList{"--servidor", "srv", "--base", "information_schema"}
                                                << "La base «information_schema" + deServidor;
        // The name and the folder go through the output check (its own test has every reason).
        QTest::newRow("archivo con carpeta") << periodo + QStringList{"--archivo", "../r.txt"}
            << "El nombre del archivo «../r.txt» lleva una carpeta: escriba sólo el nombre, sin «/» ni «\\».";
        QTest::newRow("carpeta que no existe") << periodo + QStringList{"--carpeta", "/no/existe/repieps"}
            << QStringLiteral("La carpeta «%1» no existe.").arg(QDir::toNativeSeparators(QStringLiteral("/no/existe/repieps")));
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

#include "OpcionesCli.h"

#include <QtTest>

using namespace config;

// Options of the command-line program.
class TestOpcionesCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void completas()
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
    }

    void porOmision()
    {
        OpcionesCli o;
        QVERIFY(LeerOpcionesCli({"--desde", "1/1/2018", "--hasta", "31/3/2018"}, o, nullptr));
        QVERIFY(!o.proveedores && !o.porCategoria && !o.todosLosPagos && !o.porRenglon);
        QVERIFY(o.clave.isEmpty() && o.servidor.isEmpty());
    }

    void invalidas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("vacias") << QStringList{};
        QTest::newRow("sin desde") << QStringList{"--hasta", "31/03/2018"};
        QTest::newRow("mes 13") << QStringList{"--desde", "01/13/2018", "--hasta", "31/03/2018"};
        QTest::newRow("puerto no numerico") << QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--puerto", "x"};
        QTest::newRow("bandera con valor") << QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--proveedores=1"};
        QTest::newRow("argumento suelto") << QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "extra"};
        QTest::newRow("archivo en blanco") << QStringList{"--desde", "01/01/2018", "--hasta", "31/03/2018", "--archivo", "  "};
    }
    void invalidas()
    {
        QFETCH(QStringList, args);
        OpcionesCli o;
        QString error;
        QVERIFY(!LeerOpcionesCli(args, o, &error));
        QVERIFY(!error.isEmpty());
    }

    void nombrePorOmision()
    {
        QCOMPARE(NombreReportePorDefecto(true, QDate(2018, 3, 5)), QStringLiteral("Reporte-CT-20180305.txt"));
        QCOMPARE(NombreReportePorDefecto(false, QDate(2026, 12, 6)), QStringLiteral("Reporte-PR-20261206.txt"));
    }
};

QTEST_GUILESS_MAIN(TestOpcionesCli)
#include "TestOpcionesCli.moc"

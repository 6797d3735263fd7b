#include "Cp1252.h"
#include "Formatos.h"

#include <QtTest>

using namespace engine;

// Number forms of the log and the report, and the file encoding.
class TestFormatos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importe_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cero") << 0.0 << "0.00";
        QTest::newRow("entero") << 500.0 << "500.00";
        QTest::newRow("miles") << 1000.0 << "1,000.00";
        QTest::newRow("millones") << 1234567.0 << "1,234,567.00";
        // 2.675 is stored a hair below; taken to 15 digits it is a half and goes away from zero.
        QTest::newRow("mitad tras 15 cifras") << 2.675 << "2.68";
        QTest::newRow("mitad grande") << 1234567.005 << "1,234,567.01";
        QTest::newRow("mitad hacia arriba") << 0.125 << "0.13";
        QTest::newRow("menos de la mitad") << 0.124999 << "0.12";
        QTest::newRow("negativo") << -1234.5 << "-1,234.50";
        QTest::newRow("negativo mitad") << -0.005 << "-0.01";
        QTest::newRow("negativo que redondea a cero") << -0.004 << "0.00";
        QTest::newRow("sube de grupo") << 999999.995 << "1,000,000.00";
        QTest::newRow("pequeño") << 0.000001 << "0.00";
        QTest::newRow("porcentaje de un solo") << double(float(100.0 / 3.0)) << "33.33";
        QTest::newRow("ejemplo iva") << 34.56 << "34.56";
    }
    void importe()
    {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(FormatoImporte(valor), texto);
    }

    void numeroGeneral_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cero") << 0.0 << "0";
        QTest::newRow("entero") << 240.0 << "240";
        QTest::newRow("decimal") << 3150.5 << "3150.5";
        QTest::newRow("menor que uno") << 0.5 << "0.5";
        QTest::newRow("dos decimales") << 252.04 << "252.04";
        QTest::newRow("negativo") << -2.5 << "-2.5";
        QTest::newRow("sin agrupar") << 1234567.0 << "1234567";
        QTest::newRow("15 cifras") << 0.1 + 0.2 << "0.3";
        QTest::newRow("muy pequeño") << 0.0001 << "0.0001";
        QTest::newRow("exponente grande") << 1.5e15 << "1.5E+15";
        QTest::newRow("casi 15 cifras") << 123456789012345.0 << "123456789012345";
        QTest::newRow("presentacion de un solo") << double(float(0.3333)) << "0.333299994468689";
    }
    void numeroGeneral()
    {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(NumeroGeneral(valor), texto);
    }

    void tresDecimales_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cuarto") << 0.25 << "0.250";
        QTest::newRow("entero") << 12.0 << "12.000";
        QTest::newRow("uno") << 1.0 << "1.000";
        QTest::newRow("tercio de un solo") << double(float(0.3333)) << "0.333";
        QTest::newRow("mitad") << 0.0125 << "0.013";
        QTest::newRow("cero") << 0.0 << "0.000";
    }
    void tresDecimales()
    {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(FormatoTresDecimales(valor), texto);
    }

    void redondeoPar_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<double>("redondeado");
        QTest::newRow("2.5") << 2.5 << 2.0;
        QTest::newRow("3.5") << 3.5 << 4.0;
        QTest::newRow("12.5") << 12.5 << 12.0;
        QTest::newRow("13.5") << 13.5 << 14.0;
        QTest::newRow("17.28") << 17.28 << 17.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("casi mitad") << 2.5000001 << 3.0;
    }
    void redondeoPar()
    {
        QFETCH(double, valor);
        QFETCH(double, redondeado);
        QCOMPARE(RedondeoPar(valor), redondeado);
    }

    void valorComoTexto()
    {
        QCOMPARE(ValorComoTexto(QVariant(qlonglong(100))), QStringLiteral("100"));
        QCOMPARE(ValorComoTexto(QVariant(10.0)), QStringLiteral("10"));
        QCOMPARE(ValorComoTexto(QVariant(2.5)), QStringLiteral("2.5"));
        QCOMPARE(ValorComoTexto(QVariant(QStringLiteral("A7"))), QStringLiteral("A7"));
        QCOMPARE(ValorComoTexto(QVariant(QMetaType::fromType<double>())), QString());
    }

    void windows1252()
    {
        QCOMPARE(ACp1252(QStringLiteral("Proporción")), QByteArray("Proporci\xF3n"));
        QCOMPARE(ACp1252(QStringLiteral("PEÑA € “x”")), QByteArray("PE\xD1" "A \x80 \x93x\x94"));
        // Outside the code page: one "?" per character, also for a pair of surrogates.
        QCOMPARE(ACp1252(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
    }
};

QTEST_GUILESS_MAIN(TestFormatos)
#include "TestFormatos.moc"

#include "LibKVRS.h"

#include <QtTest>

using namespace host;

// Numbers, dates and typed-character filters of the general library.
class TestLibKVRS : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kvValDeTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("esperado");
        QTest::newRow("vacío") << QString() << 0.0;
        QTest::newRow("blancos") << QStringLiteral("   ") << 0.0;
        QTest::newRow("puerto") << QStringLiteral("3306") << 3306.0;
        QTest::newRow("puerto con blancos") << QStringLiteral("  3307  ") << 3307.0;
        QTest::newRow("cero") << QStringLiteral("0") << 0.0;
        QTest::newRow("letras") << QStringLiteral("abc") << 0.0;
        QTest::newRow("número y unidad") << QStringLiteral("12.5 kg") << 12.5;
        QTest::newRow("negativo") << QStringLiteral("-3") << -3.0;
        QTest::newRow("solo decimales") << QStringLiteral(".5") << 0.5;
        QTest::newRow("punto final") << QStringLiteral("12.") << 12.0;
        QTest::newRow("separador de miles corta") << QStringLiteral("1,000") << 1.0;
        QTest::newRow("exponente") << QStringLiteral("1e3") << 1000.0;
        QTest::newRow("exponente sin dígitos") << QStringLiteral("1e") << 1.0;
        QTest::newRow("exponente negativo") << QStringLiteral("25E-2x") << 0.25;
        QTest::newRow("dígito no latino") << QStringLiteral("٣") << 0.0;
        QTest::newRow("blanco dentro corta") << QStringLiteral("33 06") << 33.0;
    }
    void kvValDeTexto()
    {
        QFETCH(QString, texto);
        QFETCH(double, esperado);
        QCOMPARE(LibKVRS::kvVal(texto), esperado);
        QCOMPARE(LibKVRS::kvVal(QVariant(texto)), esperado);
    }

    void kvValDeValores_data()
    {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<double>("esperado");
        QTest::newRow("inválido") << QVariant() << 0.0;
        QTest::newRow("nulo") << QVariant(QMetaType(QMetaType::Double)) << 0.0;
        QTest::newRow("entero") << QVariant(42) << 42.0;
        QTest::newRow("doble") << QVariant(2.5) << 2.5;
        QTest::newRow("verdadero") << QVariant(true) << -1.0;
        QTest::newRow("falso") << QVariant(false) << 0.0;
        QTest::newRow("bytes") << QVariant(QByteArray("15 piezas")) << 15.0;
    }
    void kvValDeValores()
    {
        QFETCH(QVariant, valor);
        QFETCH(double, esperado);
        QCOMPARE(LibKVRS::kvVal(valor), esperado);
    }

    void fechaSQL_data()
    {
        QTest::addColumn<QDate>("fecha");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("fin de trimestre") << QDate(2018, 3, 31) << QStringLiteral("2018-03-31");
        QTest::newRow("un dígito") << QDate(2018, 1, 1) << QStringLiteral("2018-01-01");
        QTest::newRow("bisiesto") << QDate(2024, 2, 29) << QStringLiteral("2024-02-29");
        QTest::newRow("inválida") << QDate() << QString();
    }
    void fechaSQL()
    {
        QFETCH(QDate, fecha);
        QFETCH(QString, esperado);
        QCOMPARE(LibKVRS::FechaSQL(fecha), esperado);
    }

    void enter_data()
    {
        QTest::addColumn<int>("caracter");
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<int>("esperado");
        QTest::newRow("9: dígito") << int('5') << QStringLiteral("9") << int('5');
        QTest::newRow("9: letra") << int('a') << QStringLiteral("9") << 0;
        QTest::newRow("9: barra de fecha") << int('/') << QStringLiteral("9") << int('/');
        QTest::newRow("9: punto") << int('.') << QStringLiteral("9") << 0;
        QTest::newRow("9: dígito no latino") << 0x0663 << QStringLiteral("9") << 0;
        QTest::newRow("9: retroceso") << 8 << QStringLiteral("9") << 8;
        QTest::newRow("X: asterisco") << int('*') << QStringLiteral("X") << 0;
        QTest::newRow("X: comillas") << int('"') << QStringLiteral("X") << 0;
        QTest::newRow("X: barra vertical") << int('|') << QStringLiteral("X") << 0;
        QTest::newRow("X: barra invertida de carpeta") << int('\\') << QStringLiteral("X") << int('\\');
        QTest::newRow("X: guion") << int('-') << QStringLiteral("X") << int('-');
        QTest::newRow("X: eñe") << 0x00F1 << QStringLiteral("X") << 0x00F1;
        QTest::newRow("!: comilla simple") << int('\'') << QStringLiteral("!") << 0;
        QTest::newRow("!: comillas") << int('"') << QStringLiteral("!") << 0;
        QTest::newRow("!: barra invertida") << int('\\') << QStringLiteral("!") << 0;
        QTest::newRow("!: acento grave") << int('`') << QStringLiteral("!") << 0;
        QTest::newRow("!: letra") << int('a') << QStringLiteral("!") << int('a');
        QTest::newRow("sin filtro: comilla") << int('\'') << QString() << int('\'');
        QTest::newRow("filtro desconocido") << int('*') << QStringLiteral("Z") << int('*');
    }
    void enter()
    {
        QFETCH(int, caracter);
        QFETCH(QString, filtro);
        QFETCH(int, esperado);
        LibKVRS::Enter(caracter, filtro);
        QCOMPARE(caracter, esperado);
    }
};

QTEST_GUILESS_MAIN(TestLibKVRS)
#include "TestLibKVRS.moc"

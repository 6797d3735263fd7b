#include "LibKVRS.h"

#include <QtTest>

using namespace host;

// Numbers, dates and typed-character filters of the general library.
class TestLibKVRS : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kvVal_data()
    {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<double>("esperado");
        QTest::newRow("vacío") << QVariant(QString()) << 0.0;
        QTest::newRow("NULL") << QVariant(QMetaType(QMetaType::Double)) << 0.0;
        QTest::newRow("sin valor") << QVariant() << 0.0;
        QTest::newRow("letras") << QVariant(QStringLiteral("abc")) << 0.0;
        QTest::newRow("número y unidad") << QVariant(QStringLiteral("12.5 kg")) << 12.5;
        QTest::newRow("blancos delante") << QVariant(QStringLiteral("  3307  ")) << 3307.0;
        QTest::newRow("negativo, solo decimales") << QVariant(QStringLiteral("-.5")) << -0.5;
        QTest::newRow("coma de miles corta") << QVariant(QStringLiteral("1,000")) << 1.0;
        QTest::newRow("exponente") << QVariant(QStringLiteral("25E-2x")) << 0.25;
        QTest::newRow("exponente sin dígitos") << QVariant(QStringLiteral("1e")) << 1.0;
        QTest::newRow("dígito no latino") << QVariant(QStringLiteral("٣")) << 0.0;
        QTest::newRow("entero") << QVariant(42) << 42.0;
        QTest::newRow("verdadero") << QVariant(true) << -1.0;
        QTest::newRow("bytes") << QVariant(QByteArray("15 piezas")) << 15.0;
    }
    void kvVal()
    {
        QFETCH(QVariant, valor);
        QFETCH(double, esperado);
        QCOMPARE(LibKVRS::kvVal(valor), esperado);
        if (valor.typeId() == QMetaType::QString)
            QCOMPARE(LibKVRS::kvVal(valor.toString()), esperado);
    }

    void fechaSQL()
    {
        QCOMPARE(LibKVRS::FechaSQL(QDate(2018, 3, 1)), QStringLiteral("2018-03-01"));
        QCOMPARE(LibKVRS::FechaSQL(QDate(2024, 12, 31)), QStringLiteral("2024-12-31"));
        QCOMPARE(LibKVRS::FechaSQL(QDate()), QString());
    }

    void enter_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("pasan");
        QTest::addColumn<QString>("caen");
        QTest::newRow("9") << QStringLiteral("9") << QStringLiteral("0159/\b") << QStringLiteral("a.-٣ ");
        QTest::newRow("X") << QStringLiteral("X") << QStringLiteral("aZ-_.:\\ñ \b") << QStringLiteral("*\"|?<>");
        QTest::newRow("!") << QStringLiteral("!") << QStringLiteral("a*/ñ\b") << QStringLiteral("'\"\\`");
        QTest::newRow("sin filtro") << QString() << QStringLiteral("'\"\\*") << QString();
        QTest::newRow("desconocido") << QStringLiteral("Z") << QStringLiteral("'*") << QString();
    }
    void enter()
    {
        QFETCH(QString, filtro);
        QFETCH(QString, pasan);
        QFETCH(QString, caen);
        for (const QString &grupo : {pasan, caen})
            for (QChar c : grupo) {
                int caracter = c.unicode();
                LibKVRS::Enter(caracter, filtro);
                QVERIFY2(caracter == (grupo == pasan ? int(c.unicode()) : 0), qPrintable(QString(c)));
            }
    }
};

QTEST_GUILESS_MAIN(TestLibKVRS)
#include "TestLibKVRS.moc"

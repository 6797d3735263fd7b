#include "LibKVRS.h"

#include <QtTest>

using namespace host;

// Numbers, dates and typed-character filters of the general library.
class TestLibKVRS : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One row per way a value is read: a text is read up to where the number ends.
    void kvVal_data()
    {
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<double>("esperado");
        QTest::newRow("NULL") << QVariant(QMetaType(QMetaType::Double)) << 0.0;
        QTest::newRow("blancos, signo, solo decimales") << QVariant(QStringLiteral("  -.5 kg")) << -0.5;
        QTest::newRow("exponente") << QVariant(QStringLiteral("25E-2x")) << 0.25;
        QTest::newRow("exponente sin dígitos") << QVariant(QStringLiteral("1e")) << 1.0;
        QTest::newRow("dígito no latino") << QVariant(QStringLiteral("1٣")) << 1.0;
        QTest::newRow("entero") << QVariant(42) << 42.0;
        QTest::newRow("verdadero") << QVariant(true) << -1.0;
        QTest::newRow("bytes") << QVariant(QByteArray("15 piezas")) << 15.0;
    }
    void kvVal()
    {
        QFETCH(QVariant, valor);
        QFETCH(double, esperado);
        QCOMPARE(LibKVRS::kvVal(valor), esperado);
    }

    void fechaSQL()
    {
        QCOMPARE(LibKVRS::FechaSQL(QDate(2018, 3, 1)), QStringLiteral("2018-03-01"));
        QCOMPARE(LibKVRS::FechaSQL(QDate()), QString());
    }

    // What is left of the typed characters under each filter; control keys (here a backspace)
    // always pass, and a filter the library does not know lets everything pass.
    void enter()
    {
        const auto quedan = [](const QString &filtro, const QString &tecleado) {
            QString paso;
            for (const QChar c : tecleado) {
                int caracter = c.unicode();
                LibKVRS::Enter(caracter, filtro);
                if (caracter != 0)
                    paso += QChar(caracter);
            }
            return paso;
        };
        QCOMPARE(quedan(QStringLiteral("9"), QStringLiteral("0a1.5-9٣ /\b")), QStringLiteral("0159/\b"));
        QCOMPARE(quedan(QStringLiteral("X"), QStringLiteral("aZ*-_\"|.:?\\<ñ> \b")), QStringLiteral("aZ-_.:\\ñ \b"));
        QCOMPARE(quedan(QStringLiteral("!"), QStringLiteral("a'*\"/\\ñ`\b")), QStringLiteral("a*/ñ\b"));
        QCOMPARE(quedan(QStringLiteral("Z"), QStringLiteral("'\"\\*")), QStringLiteral("'\"\\*"));
    }
};

QTEST_GUILESS_MAIN(TestLibKVRS)
#include "TestLibKVRS.moc"

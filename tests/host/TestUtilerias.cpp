#include "Utilerias.h"

#include <QtTest>

using namespace host;

// Scrambling of stored settings: known answers, the way back, and damaged texts refused.
class TestUtilerias : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("revuelto"); // empty: only the way back is checked
        QTest::newRow("vacío") << QString() << QStringLiteral("EC");
        QTest::newRow("root") << QStringLiteral("root") << QStringLiteral("242A056B2D");
        QTest::newRow("acentos y blancos") << QStringLiteral(" Contraseña Ñandú áéíóú ü €😀 ")
                                           << QStringLiteral("5878296B3797B9DAF20591FD741C05719CF10B949724CD49323961F1C288"
                                                             "C049E91B16A4BFF6B2C83A4F278F");
        QTest::newRow("largo") << QStringLiteral("0123456789").repeated(50) << QString();
    }
    void idaYVuelta()
    {
        QFETCH(QString, texto);
        QFETCH(QString, revuelto);
        const QString r = Utilerias::Encripta(texto);
        if (!revuelto.isEmpty())
            QCOMPARE(r, revuelto);
        bool valido = false;
        QCOMPARE(Utilerias::DesEncripta(QStringLiteral(" ") + r.toLower() + QStringLiteral(" "), &valido), texto);
        QVERIFY(valido);
    }

    void textoDanadoSeRechaza_data()
    {
        QTest::addColumn<QString>("texto");
        const QString root = QStringLiteral("242A056B2D");
        QTest::newRow("vacío") << QString();
        QTest::newRow("impar") << root.left(root.size() - 1);
        QTest::newRow("no hexadecimal") << QStringLiteral("ZZ");
        QTest::newRow("en claro") << QStringLiteral("123456");
        QTest::newRow("recortado") << root.left(root.size() - 2);
        QTest::newRow("dígito cambiado") << QStringLiteral("242A046B2D");
        QTest::newRow("UTF-8 inválido") << QStringLiteral("DB9B42"); // the bytes C3 28, scrambled
    }
    void textoDanadoSeRechaza()
    {
        QFETCH(QString, texto);
        bool valido = true;
        QCOMPARE(Utilerias::DesEncripta(texto, &valido), QString());
        QVERIFY(!valido);
    }
};

QTEST_GUILESS_MAIN(TestUtilerias)
#include "TestUtilerias.moc"

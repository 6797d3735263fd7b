#include "Utilerias.h"

#include <QtTest>

using namespace host;

// Scrambling of stored settings: known answers, the way back, and damaged texts refused.
class TestUtilerias : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void revolver_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("revuelto");
        QTest::addColumn<bool>("valido");
        QTest::newRow("vacío") << QString() << QStringLiteral("EC") << true;
        QTest::newRow("root") << QStringLiteral("root") << QStringLiteral("242A056B2D") << true;
        QTest::newRow("acentos y blancos") << QStringLiteral(" Contraseña Ñandú áéíóú ü €😀 ")
                                           << QStringLiteral("5878296B3797B9DAF20591FD741C05719CF10B949724CD49323961F1C288"
                                                             "C049E91B16A4BFF6B2C83A4F278F")
                                           << true;
        // Damaged texts, one per check of the way back.
        QTest::newRow("nada") << QString() << QString() << false;
        QTest::newRow("impar") << QString() << QStringLiteral("242A056B2") << false;
        QTest::newRow("no hexadecimal") << QString() << QStringLiteral("ZZ") << false;
        QTest::newRow("dígito cambiado") << QString() << QStringLiteral("242A046B2D") << false;
        QTest::newRow("UTF-8 inválido") << QString() << QStringLiteral("DB9B42") << false; // the bytes C3 28, scrambled
    }
    void revolver()
    {
        QFETCH(QString, texto);
        QFETCH(QString, revuelto);
        QFETCH(bool, valido);
        if (valido)
            QCOMPARE(Utilerias::Encripta(texto), revuelto);
        // Blanks around it and lower-case digits are read back too.
        bool dicho = !valido;
        QCOMPARE(Utilerias::DesEncripta(QStringLiteral(" ") + revuelto.toLower() + QStringLiteral(" "), &dicho), texto);
        QCOMPARE(dicho, valido);
    }
};

QTEST_GUILESS_MAIN(TestUtilerias)
#include "TestUtilerias.moc"

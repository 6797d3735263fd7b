#include "RevisionDeRfc.h"

#include <QtTest>

using namespace engine;

// The checks that tell an RFC unfit for the filing.
class TestRevisionDeRfc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Valid RFCs have no problem and their own check digit; one character changed to its
    // neighbour of the same kind (digit or letter) is always noticed.
    void digitoVerificador()
    {
        for (const QString &rfc : QStringList{"SAT970701NN3", "GODE561231GR8", "CACX7605101P8", "A\u00D1O000229AB7",
                                              "&AT970701NN8", "GODE561231NBA"}) {
            QCOMPARE(DigitoVerificadorRfc(rfc.chopped(1)), rfc.back());
            QVERIFY2(ProblemasDeRfc(rfc).isEmpty(), qPrintable(rfc + ProblemasDeRfc(rfc).join(QLatin1Char('/'))));
            // The character weighed 11 is invisible to a sum taken modulo 11: the third of the
            // twelve padded places, the second character of a company's RFC, the third of a person's.
            const int ciego = 2 - (12 - (rfc.size() - 1));
            for (int i = 0; i < rfc.size(); ++i) {
                const QChar c = rfc.at(i);
                QString otro = rfc;
                otro[i] = c.isDigit() ? QChar(u'0' + (c.digitValue() + 1) % 10) : c >= u'A' && c < u'Z' ? QChar(c.unicode() + 1) : QChar(u'A');
                QVERIFY2(i == ciego || ProblemasDeRfc(otro).join(u'/').contains(u"dígito verificador incorrecto"), qPrintable(otro));
            }
        }
    }

    void problemas_data()
    {
        QTest::addColumn<QString>("rfc");
        QTest::addColumn<QString>("problemas");
        const QString forma = QStringLiteral("RFC sin la forma de persona moral (3 letras, 6 dígitos y 3 caracteres) "
                                             "ni de persona física (4 letras, 6 dígitos y 3 caracteres)");
        QTest::newRow("publico en general") << "XAXX010101000" << "";
        QTest::newRow("extranjero") << "XEXX-010101-000" << "";
        // Empty once cleaned.
        QTest::newRow("solo guiones y blancos") << " - - " << "RFC vacío";
        QTest::newRow("minusculas") << "sat970701nn3"
                                    << "RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en general no se reconoce así)";
        QTest::newRow("separador") << "SAT970701NN|3" << "el RFC tenía «|» o caracteres de control (se quitaron)";
        QTest::newRow("mes 13") << "SAT971301NN9" << "la fecha del RFC (971301) no existe";
        QTest::newRow("29 de febrero de un anio no bisiesto") << "MAR970229A12" << "la fecha del RFC (970229) no existe";
        QTest::newRow("digito") << "SAT970701NN4" << "dígito verificador incorrecto (debería ser 3)";
        QTest::newRow("largo") << "ABCD8001011234567" << "RFC de más de 13 caracteres (el reporte lo recorta)/" + forma;
        QTest::newRow("numero donde va letra") << "A1C970701NN3" << forma;
        QTest::newRow("corto") << "SAT970701" << forma;
    }
    void problemas()
    {
        QFETCH(QString, rfc);
        QFETCH(QString, problemas);
        QCOMPARE(ProblemasDeRfc(rfc).join(QLatin1Char('/')), problemas);
    }
};

QTEST_GUILESS_MAIN(TestRevisionDeRfc)
#include "TestRevisionDeRfc.moc"

#include "RevisionDeRfc.h"

#include <QtTest>

using namespace engine;

// The checks that tell an RFC unfit for the filing.
class TestRevisionDeRfc : public QObject {
    Q_OBJECT

private:
    static const QStringList &Validos()
    {
        static const QStringList v{"SAT970701NN3", "GODE561231GR8", "CACX7605101P8", "A\u00D1O000229AB7",
                                   "&AT970701NN8", "GODE561231NBA"};
        return v;
    }

    // The same RFC with one character changed to its neighbour of the same kind (digit or
    // letter): a change the check digit always notices.
    static QString Alterado(const QString &rfc, int i)
    {
        QString r = rfc;
        const QChar c = r.at(i);
        if (c.isDigit())
            r[i] = QLatin1Char(char('0' + (c.digitValue() + 1) % 10));
        else if (c >= QLatin1Char('A') && c < QLatin1Char('Z'))
            r[i] = QChar(c.unicode() + 1);
        else
            r[i] = QLatin1Char('A');
        return r;
    }

private Q_SLOTS:
    void digitoDeLosValidos()
    {
        for (const QString &rfc : Validos()) {
            QCOMPARE(DigitoVerificadorRfc(rfc.chopped(1)), rfc.back());
            QVERIFY2(ProblemasDeRfc(rfc).isEmpty(), qPrintable(rfc + ProblemasDeRfc(rfc).join(QLatin1Char('/'))));
        }
    }

    void unCaracterCambiadoSeNota()
    {
        for (const QString &rfc : Validos()) {
            // The character weighed 11 is invisible to a sum taken modulo 11: the third of the
            // twelve padded places, the second character of a company's RFC, the third of a person's.
            const int ciego = 2 - (12 - (rfc.size() - 1));
            for (int i = 0; i < rfc.size(); ++i) {
                if (i == ciego)
                    continue;
                const QString otro = Alterado(rfc, i);
                const QString problemas = ProblemasDeRfc(otro).join(QLatin1Char('/'));
                QVERIFY2(problemas.contains(QStringLiteral("dígito verificador incorrecto")), qPrintable(otro));
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
        QTest::newRow("vacio") << "" << "RFC vacío";
        QTest::newRow("solo guiones y blancos") << " - - " << "RFC vacío";
        QTest::newRow("minusculas")
            << "sat970701nn3"
            << "RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en general no se reconoce así)";
        QTest::newRow("separador") << "SAT970701NN|3" << "el RFC tenía «|» o caracteres de control (se quitaron)";
        QTest::newRow("salto de linea") << "SAT970701NN3\r\n" << "el RFC tenía «|» o caracteres de control (se quitaron)";
        QTest::newRow("mes 13") << "SAT971301NN9" << "la fecha del RFC (971301) no existe";
        QTest::newRow("30 de febrero") << "GODE560230GR8" << "la fecha del RFC (560230) no existe";
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

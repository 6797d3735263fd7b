#include "Cp1252.h"
#include "Formatos.h"

#include <QtTest>

#include <initializer_list>
#include <tuple>

using namespace engine;
using host::ACp1252;

namespace {
// A number form under test.
using Forma = QString (*)(double);

// Adds rows of (name, value, expected text) of one form to the current data table.
void filas(const char *forma, Forma aplicar, std::initializer_list<std::tuple<const char *, double, const char *>> casos)
{
    for (const auto &[nombre, valor, texto] : casos)
        QTest::addRow("%s: %s", forma, nombre) << aplicar << valor << QString::fromLatin1(texto);
}
} // namespace

// Number forms of the log and the report, and the file encoding.
class TestFormatos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formas_data()
    {
        QTest::addColumn<Forma>("forma");
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        filas("importe", FormatoImporte,
              {{"cero", 0.0, "0.00"}, {"entero", 500.0, "500.00"}, {"millones", 1234567.0, "1,234,567.00"},
               // 2.675 is stored a hair below; taken to 15 digits it is a half and goes away from zero.
               {"mitad tras 15 cifras", 2.675, "2.68"}, {"menos de la mitad", 0.124999, "0.12"},
               {"negativo", -1234.5, "-1,234.50"}, {"negativo mitad", -0.005, "-0.01"},
               {"negativo que redondea a cero", -0.004, "0.00"}, {"sube de grupo", 999999.995, "1,000,000.00"},
               {"pequeño", 0.000001, "0.00"}, {"más de 18 cifras", 1.5e17, "150,000,000,000,000,000.00"}});
        filas("general", NumeroGeneral,
              {{"cero", 0.0, "0"}, {"entero", 240.0, "240"}, {"decimal sin agrupar", 3150.5, "3150.5"},
               {"negativo", -2.5, "-2.5"}, {"15 cifras", 0.1 + 0.2, "0.3"}, {"muy pequeño", 0.0001, "0.0001"},
               {"exponente grande", 1.5e15, "1.5E+15"}, {"casi 15 cifras", 123456789012345.0, "123456789012345"},
               {"presentacion de un solo", double(float(0.3333)), "0.333299994468689"}});
        filas("separadores", static_cast<Forma>(NumeroConSeparadores),
              {{"cero", 0.0, "0"}, {"999", 999.0, "999"}, {"1000", 1000.0, "1,000"}, {"negativo", -1234567.5, "-1,234,567.5"},
               {"negativo de tres cifras", -999.25, "-999.25"}, {"decimales sin agrupar", 0.000123, "0.000123"},
               {"grande", 123456789012345.0, "123,456,789,012,345"}});
        // A number as the report writes it keeps its decimals.
        filas("separadores de texto", [](double v) { return NumeroConSeparadores(FormatoTresDecimales(v)); },
              {{"presentacion", 1000.25, "1,000.250"}});
        filas("tres decimales", FormatoTresDecimales,
              {{"cuarto", 0.25, "0.250"}, {"tercio de un solo", double(float(0.3333)), "0.333"}, {"mitad", 0.0125, "0.013"}});
        // Halves go to the even neighbour, down and up, for either sign; the rest to the nearest.
        filas("redondeo par", [](double v) { return QString::number(RedondeoPar(v)); },
              {{"mitad abajo", 2.5, "2"}, {"mitad arriba", 3.5, "4"}, {"negativo", -2.5, "-2"},
               {"no es mitad", 17.28, "17"}, {"apenas pasa de la mitad", 2.5000001, "3"}});
    }
    void formas()
    {
        QFETCH(Forma, forma);
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(forma(valor), texto);
    }

    // A double is written as the general form writes it, not as Qt would; a NULL as nothing.
    void valorComoTexto()
    {
        QCOMPARE((QStringList{ValorComoTexto(qlonglong(100)), ValorComoTexto(0.1 + 0.2), ValorComoTexto(QStringLiteral("A7")),
                              ValorComoTexto(QVariant(QMetaType::fromType<double>()))}),
                 (QStringList{"100", "0.3", "A7", QString()}));
    }

    // Both ways: Latin-1 letters as they are, and bytes 0x80 to 0x9F, where the code page differs
    // from Latin-1: its 27 characters, and the five bytes it leaves undefined, which keep their
    // Latin-1 value.
    void windows1252_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latinas") << QStringLiteral("PEÑA Proporción") << QByteArray("PE\xD1" "A Proporci\xF3n");
        const char16_t altos[32] = {
            u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021', u'\u02C6', u'\u2030', u'\u0160',
            u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F', u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022',
            u'\u2013', u'\u2014', u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
        };
        for (int i = 0; i < 32; ++i)
            QTest::addRow("0x%X U+%04X", 0x80 + i, unsigned(altos[i])) << QString(QChar(altos[i])) << QByteArray(1, char(0x80 + i));
    }
    void windows1252()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ACp1252(texto), bytes);
        QCOMPARE(host::DesdeCp1252(bytes), texto);
    }

    // Outside the code page: one "?" per character, also for a pair of surrogates.
    void fueraDeLaPagina()
    {
        QCOMPARE(ACp1252(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
    }
};

QTEST_GUILESS_MAIN(TestFormatos)
#include "TestFormatos.moc"

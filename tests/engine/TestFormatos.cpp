#include "Cp1252.h"
#include "Formatos.h"

#include <QtTest>

using namespace engine;
using host::ACp1252;

namespace {
// The number forms under test.
enum Forma { Importe, General, TresDecimales };

struct Caso {
    const char *nombre;
    double valor;
    const char *texto;
};

template <size_t N>
void filas(Forma forma, const Caso (&casos)[N])
{
    static const char *const nombres[] = {"importe", "general", "tres decimales"};
    for (const Caso &c : casos)
        QTest::addRow("%s: %s", nombres[forma], c.nombre) << int(forma) << c.valor << QString::fromLatin1(c.texto);
}
} // namespace

// Number forms of the log and the report, and the file encoding.
class TestFormatos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formas_data()
    {
        QTest::addColumn<int>("forma");
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        const Caso importes[] = {
            {"cero", 0.0, "0.00"}, {"entero", 500.0, "500.00"}, {"miles", 1000.0, "1,000.00"},
            {"millones", 1234567.0, "1,234,567.00"},
            // 2.675 is stored a hair below; taken to 15 digits it is a half and goes away from zero.
            {"mitad tras 15 cifras", 2.675, "2.68"}, {"mitad grande", 1234567.005, "1,234,567.01"},
            {"menos de la mitad", 0.124999, "0.12"}, {"negativo", -1234.5, "-1,234.50"},
            {"negativo mitad", -0.005, "-0.01"}, {"negativo que redondea a cero", -0.004, "0.00"},
            {"sube de grupo", 999999.995, "1,000,000.00"}, {"pequeño", 0.000001, "0.00"},
            {"porcentaje de un solo", double(float(100.0 / 3.0)), "33.33"},
        };
        const Caso generales[] = {
            {"cero", 0.0, "0"}, {"entero", 240.0, "240"}, {"decimal", 3150.5, "3150.5"}, {"menor que uno", 0.5, "0.5"},
            {"negativo", -2.5, "-2.5"}, {"sin agrupar", 1234567.0, "1234567"}, {"15 cifras", 0.1 + 0.2, "0.3"},
            {"muy pequeño", 0.0001, "0.0001"}, {"exponente grande", 1.5e15, "1.5E+15"},
            {"casi 15 cifras", 123456789012345.0, "123456789012345"},
            {"presentacion de un solo", double(float(0.3333)), "0.333299994468689"},
        };
        const Caso tres[] = {{"cuarto", 0.25, "0.250"}, {"entero", 12.0, "12.000"},
                               {"tercio de un solo", double(float(0.3333)), "0.333"}, {"mitad", 0.0125, "0.013"}};
        filas(Importe, importes);
        filas(General, generales);
        filas(TresDecimales, tres);
    }
    void formas()
    {
        QFETCH(int, forma);
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(forma == Importe ? FormatoImporte(valor) : forma == General ? NumeroGeneral(valor) : FormatoTresDecimales(valor),
                 texto);
    }

    void redondeoPar()
    {
        const double casos[][2] = {{2.5, 2}, {3.5, 4}, {12.5, 12}, {13.5, 14}, {17.28, 17}, {0.5, 0}, {-2.5, -2}, {2.5000001, 3}};
        for (const auto &c : casos)
            QCOMPARE(RedondeoPar(c[0]), c[1]);
    }

    void valorComoTexto()
    {
        QCOMPARE(ValorComoTexto(QVariant(qlonglong(100))), QStringLiteral("100"));
        QCOMPARE(ValorComoTexto(QVariant(10.0)), QStringLiteral("10"));
        QCOMPARE(ValorComoTexto(QVariant(QStringLiteral("A7"))), QStringLiteral("A7"));
        QCOMPARE(ValorComoTexto(QVariant(QMetaType::fromType<double>())), QString());
    }

    void windows1252()
    {
        QCOMPARE(ACp1252(QStringLiteral("PEÑA € “x” Proporción")), QByteArray("PE\xD1" "A \x80 \x93x\x94 Proporci\xF3n"));
        // Outside the code page: one "?" per character, also for a pair of surrogates.
        QCOMPARE(ACp1252(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
    }

    // Bytes 0x80 to 0x9F, where the code page differs from Latin-1: its 27 characters, and the
    // five bytes it leaves undefined, which keep their Latin-1 value.
    void windows1252Altos_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("caracter");
        const struct {
            int byte;
            char16_t caracter;
        } tabla[] = {
            {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x82, u'\u201A'}, {0x83, u'\u0192'}, {0x84, u'\u201E'},
            {0x85, u'\u2026'}, {0x86, u'\u2020'}, {0x87, u'\u2021'}, {0x88, u'\u02C6'}, {0x89, u'\u2030'},
            {0x8A, u'\u0160'}, {0x8B, u'\u2039'}, {0x8C, u'\u0152'}, {0x8D, u'\u008D'}, {0x8E, u'\u017D'},
            {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x91, u'\u2018'}, {0x92, u'\u2019'}, {0x93, u'\u201C'},
            {0x94, u'\u201D'}, {0x95, u'\u2022'}, {0x96, u'\u2013'}, {0x97, u'\u2014'}, {0x98, u'\u02DC'},
            {0x99, u'\u2122'}, {0x9A, u'\u0161'}, {0x9B, u'\u203A'}, {0x9C, u'\u0153'}, {0x9D, u'\u009D'},
            {0x9E, u'\u017E'}, {0x9F, u'\u0178'},
        };
        for (const auto &t : tabla)
            QTest::addRow("0x%X U+%04X", t.byte, unsigned(t.caracter)) << t.byte << int(t.caracter);
    }
    void windows1252Altos()
    {
        QFETCH(int, byte);
        QFETCH(int, caracter);
        const QString texto{QChar(char16_t(caracter))};
        QCOMPARE(ACp1252(texto), QByteArray(1, char(byte)));
        QCOMPARE(host::DesdeCp1252(QByteArray(1, char(byte))), texto);
    }
};

QTEST_GUILESS_MAIN(TestFormatos)
#include "TestFormatos.moc"

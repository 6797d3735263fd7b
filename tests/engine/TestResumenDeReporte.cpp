#include "Formatos.h"
#include "ResumenDeReporte.h"

#include <QtTest>

using namespace engine;

namespace {
QByteArray Renglon(const char *inicio)
{
    return QByteArray(inicio) + "||||||||||\r\n";
}
} // namespace

// The summary read back from a report's bytes: lines, sums per RFC in the report's own number
// forms, and the reports it turns down.
class TestResumenDeReporte : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sumasYHallazgosPorRfcEnElOrdenDelReporte()
    {
        // Three RFCs; the second line of AAA comes after BBB's and still belongs to AAA.
        const QByteArray bytes =
            Renglon("P|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|240|005|0.250|004|3150.5|0|252.04|504.08|")
            + Renglon("P|BBB020202BBB|DISTRIBUIDORA \xD1U\xD1O|09|019|00|004|000|3|005|1.000|004|0.5|0|0|0|")
            + Renglon("P|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|002|000|10|005|0.600|004|849.5|0|47.96|135.92|")
            + Renglon("P|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|-2|005|0.355|004|-100|0|-8|-16|");
        ResumenDeReporte r;
        QString error;
        QVERIFY2(LeerResumen(bytes, r, &error), qPrintable(error));
        QCOMPARE(r.tipo, QStringLiteral("P"));
        QCOMPARE(r.rfcs[0].renglones, QList<int>({0, 2}));
        // Findings count for the RFC of the report they are about, whatever their spelling.
        QList<Hallazgo> h;
        h << Hallazgo{"a", "a", "aaa-010101-aaa", {}, {}, {}, true} << Hallazgo{"b", "b", "AAA010101AAA", {}, {}, {}, true}
          << Hallazgo{"c", "c", "BBB020202BBB", {}, {}, {}, false} // out of the report: not counted
          << Hallazgo{"d", "d", "CCC", {}, {}, {}, true};
        ContarHallazgos(r, h);
        // Sums by RFC and in all (Windows-1252 names read as such).
        QCOMPARE(ResumenComoTexto(r),
                 QStringLiteral("RFC            Nombre                        Estado  Renglones  Cantidad  Importe  IEPS  IVA  Hallazgos\n"
                                "AAA010101AAA   COMERCIAL DEL NORTE SA DE CV  19              2       250     4000   300  640          2\n"
                                "BBB020202BBB   DISTRIBUIDORA ÑUÑO            09              1         3      0.5     0    0          0\n"
                                "XAXX010101000  PUBLICO EN GENERAL            14              1        -2     -100    -8  -16          0\n"
                                "Total          3 RFC                                         4       251   3900.5   292  624          2\n"));
        // The fields stay as written (codes keep their zeros, numbers their form).
        QCOMPARE(r.renglones[1].at(CampoPresentacion), QStringLiteral("1.000"));
        QCOMPARE(r.renglones[0].size(), 26);
        // An empty report is one without RFCs, whatever was read before.
        QVERIFY(LeerResumen(QByteArray(), r, nullptr));
        QVERIFY(r.tipo.isEmpty());
        QCOMPARE(ResumenComoTexto(r),
                 QStringLiteral("RFC    Nombre  Estado  Renglones  Cantidad  Importe  IEPS  IVA  Hallazgos\n"
                                "Total  0 RFC                   0         0        0     0    0          0\n"));
    }

    void noEsUnReporte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray bueno = Renglon("C|AAA010101AAA|UNO|19|020|00|001|000|1|005|1.000|004|10|0|1|2|");
        QTest::newRow("sin CR LF al final") << bueno.left(bueno.size() - 2)
            << "El último renglón del reporte no termina con salto de línea (CR LF): el archivo está incompleto.";
        QTest::newRow("LF solo") << QByteArray(bueno).replace("\r\n", "\n") + bueno
            << "El renglón 1 del reporte no termina con CR LF.";
        QTest::newRow("CR suelto") << bueno + QByteArray(bueno).replace("UNO", "U\rNO")
            << "El renglón 2 del reporte tiene un CR suelto.";
        QTest::newRow("pocos campos") << bueno + "C|AAA|UNO|\r\n"
            << "El renglón 2 del reporte no tiene los 26 campos separados por «|» de un reporte de IEPS (tiene 3).";
        QTest::newRow("un campo de más") << QByteArray(bueno).replace("UNO", "U|NO")
            << "El renglón 1 del reporte no tiene los 26 campos separados por «|» de un reporte de IEPS (tiene 27).";
        QTest::newRow("texto tras el último") << QByteArray(bueno).replace("|\r\n", "|x\r\n")
            << "El renglón 1 del reporte no termina con «|».";
        QTest::newRow("campo 17 con texto") << Renglon("C|AAA|UNO|19|020|00|001|000|1|005|1.000|004|10|0|1|2|x")
            << "El renglón 1 del reporte tiene texto en el campo 17, que va vacío.";
        QTest::newRow("tipo") << QByteArray(bueno).replace("C|AAA", "X|AAA")
            << "El renglón 1 del reporte empieza con «X» en lugar de C (clientes) o P (proveedores).";
        QTest::newRow("clientes y proveedores") << bueno + QByteArray(bueno).replace("C|AAA", "P|AAA")
            << "El renglón 2 del reporte es de proveedores y los anteriores de clientes.";
        QTest::newRow("cantidad") << QByteArray(bueno).replace("|000|1|005|", "|000|uno|005|")
            << "El renglón 1 del reporte tiene «uno» en la cantidad (campo 9), que no es un número.";
        QTest::newRow("importe con comas") << QByteArray(bueno).replace("|004|10|", "|004|1,000|")
            << "El renglón 1 del reporte tiene «1,000» en el importe (campo 13), que no es un número.";
        // Qt alone would read " 1" as a number.
        QTest::newRow("IEPS") << QByteArray(bueno).replace("|0|1|2|", "|0| 1|2|")
            << "El renglón 1 del reporte tiene « 1» en el IEPS (campo 15), que no es un número.";
        QTest::newRow("IVA") << QByteArray(bueno).replace("|0|1|2|", "|0|1|2x|")
            << "El renglón 1 del reporte tiene «2x» en el IVA (campo 16), que no es un número.";
    }
    void noEsUnReporte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        ResumenDeReporte r;
        QString dicho;
        QVERIFY(!LeerResumen(bytes, r, &dicho));
        QCOMPARE(dicho, error);
    }

    void archivoQueNoSePuedeLeer()
    {
        ResumenDeReporte r;
        QString error;
        QVERIFY(!LeerResumenDeArchivo(QStringLiteral("/no/existe/rep.txt"), r, &error));
        QVERIFY2(error.startsWith(QStringLiteral("No se pudo leer el reporte /no/existe/rep.txt: ")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestResumenDeReporte)
#include "TestResumenDeReporte.moc"

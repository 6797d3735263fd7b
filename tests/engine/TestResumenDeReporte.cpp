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
            + Renglon("P|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|-2|005|0.355|004|-1100|0|-8|-16|");
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
        // Sums by RFC and in all (Windows-1252 names read as such), thousands grouped.
        QCOMPARE(ResumenComoTexto(r),
                 QStringLiteral("RFC            Nombre                        Estado  Renglones  Cantidad  Importe  IEPS  IVA  Hallazgos\n"
                                "AAA010101AAA   COMERCIAL DEL NORTE SA DE CV  19              2       250    4,000   300  640          2\n"
                                "BBB020202BBB   DISTRIBUIDORA ÑUÑO            09              1         3      0.5     0    0          0\n"
                                "XAXX010101000  PUBLICO EN GENERAL            14              1        -2   -1,100    -8  -16          0\n"
                                "Total          3 RFC                                         4       251  2,900.5   292  624          2\n"));
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
        // A good line with `de` changed to `a`.
        const auto con = [&bueno](const char *de, const char *a) { return QByteArray(bueno).replace(de, a); };
        // A row whose error is about the line `renglon`.
        const auto fila = [](const char *nombre, const QByteArray &bytes, int renglon, const QString &error) {
            QTest::newRow(nombre) << bytes << QStringLiteral("El renglón %1 del reporte ").arg(renglon) + error;
        };
        const QString campos = QStringLiteral("no tiene los 26 campos separados por «|» de un reporte de IEPS (tiene %1).");
        const QString noNumero = QStringLiteral("tiene «%1» en %2, que no es un número.");
        QTest::newRow("sin CR LF al final") << bueno.left(bueno.size() - 2)
            << "El último renglón del reporte no termina con salto de línea (CR LF): el archivo está incompleto.";
        fila("LF solo", con("\r\n", "\n") + bueno, 1, "no termina con CR LF.");
        fila("CR suelto", bueno + con("UNO", "U\rNO"), 2, "tiene un CR suelto.");
        fila("pocos campos", bueno + "C|AAA|UNO|\r\n", 2, campos.arg(3));
        fila("un campo de más", con("UNO", "U|NO"), 1, campos.arg(27));
        fila("texto tras el último", con("|\r\n", "|x\r\n"), 1, "no termina con «|».");
        fila("campo 17 con texto", con("|1|2|", "|1|2|x"), 1, "tiene texto en el campo 17, que va vacío.");
        fila("tipo", con("C|AAA", "X|AAA"), 1, "empieza con «X» en lugar de C (clientes) o P (proveedores).");
        fila("clientes y proveedores", bueno + con("C|AAA", "P|AAA"), 2, "es de proveedores y los anteriores de clientes.");
        fila("cantidad", con("|000|1|005|", "|000|uno|005|"), 1, noNumero.arg("uno", "la cantidad (campo 9)"));
        fila("presentación", con("|005|1.000|", "|005|1,000|"), 1, noNumero.arg("1,000", "la presentación (campo 11)"));
        fila("importe con comas", con("|004|10|", "|004|1,000|"), 1, noNumero.arg("1,000", "el importe (campo 13)"));
        // Qt alone would read " 1" as a number.
        fila("IEPS", con("|0|1|2|", "|0| 1|2|"), 1, noNumero.arg(" 1", "el IEPS (campo 15)"));
        fila("IVA", con("|0|1|2|", "|0|1|2x|"), 1, noNumero.arg("2x", "el IVA (campo 16)"));
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
        QCOMPARE(error, QStringLiteral("No se pudo leer el reporte /no/existe/rep.txt: no existe el archivo o la carpeta."));
    }
};

QTEST_GUILESS_MAIN(TestResumenDeReporte)
#include "TestResumenDeReporte.moc"

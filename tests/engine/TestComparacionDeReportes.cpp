#include "Archivos.h"
#include "ComparacionDeReportes.h"

#include <QtTest>

using namespace engine;

namespace {
QByteArray Renglon(const char *inicio)
{
    return QByteArray(inicio) + "||||||||||\r\n";
}
const QByteArray A1 = Renglon("C|AAA010101AAA|UNO|19|020|00|001|000|10|005|0.250|004|90|0|9|0|");
const QByteArray A2 = Renglon("C|AAA010101AAA|UNO|19|020|00|002|000|1|005|1.000|004|10.5|0|1|1.6|");
const QByteArray B = Renglon("C|BBB020202BBB|DOS|09|019|00|004|000|3|005|1.000|004|50|0|0|8|");
const QByteArray C = Renglon("C|CCC030303CCC|TRES|14|020|00|001|000|2|005|0.250|004|40|0|4|0|");
} // namespace

// The earlier report read from its file and compared with one of now: what entered, left and
// changed, with the differences and totals as the terminal shows them, and what is refused.
class TestComparacionDeReportes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void comparar_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("ahora");
        QTest::addColumn<QStringList>("filas"); // counts, RFCs, totals and lines; or the error
        QTest::newRow("entró, salió y cambió")
            << A1 + A2 + B << QByteArray(A1).replace("|10|005|0.250|004|90|0|9|", "|5|005|0.250|004|45|0|4|") + C
            << QStringList{"RFC: 2 antes y 2 ahora; entraron a los 50: 1, salieron: 1, cambiaron: 1, sin cambio: 0.",
                           "Renglones: 3 antes y 2 ahora; nuevos: 1, quitados: 2, cambiados: 1, sin cambio: 0.",
                           "AAA010101AAA|UNO|Cambió|11.00|5.00|-6.00|100.50|45.00|-55.50|10.00|4.00|-6.00|1.60|0.00|-1.60",
                           "CCC030303CCC|TRES|Entró a los 50|0.00|2.00|2.00|0.00|40.00|40.00|0.00|4.00|4.00|0.00|0.00|0.00",
                           "BBB020202BBB|DOS|Salió de los 50|3.00|0.00|-3.00|50.00|0.00|-50.00|0.00|0.00|0.00|8.00|0.00|-8.00",
                           "14|7|-7|150.5|85|-65.5|10|8|-2|9.6|0|-9.6",
                           "AAA010101AAA|020|001|0.250|Cambió|10.00|5.00|-5.00|90.00|45.00|-45.00|9.00|4.00|-5.00|0.00|0.00|0.00",
                           "CCC030303CCC|020|001|0.250|Nuevo|0.00|2.00|2.00|0.00|40.00|40.00|0.00|4.00|4.00|0.00|0.00|0.00",
                           "AAA010101AAA|020|002|1.000|Quitado|1.00|0.00|-1.00|10.50|0.00|-10.50|1.00|0.00|-1.00|1.60|0.00|-1.60",
                           "BBB020202BBB|019|004|1.000|Quitado|3.00|0.00|-3.00|50.00|0.00|-50.00|0.00|0.00|0.00|8.00|0.00|-8.00"};
        QTest::newRow("mismo nombre dos veces") << A1 << A1 + A1
            << QStringList{"RFC: 1 antes y 1 ahora; entraron a los 50: 0, salieron: 0, cambiaron: 1, sin cambio: 0.",
                           "Renglones: 1 antes y 2 ahora; nuevos: 1, quitados: 0, cambiados: 0, sin cambio: 1.",
                           "AAA010101AAA|UNO|Cambió|10.00|20.00|10.00|90.00|180.00|90.00|9.00|18.00|9.00|0.00|0.00|0.00",
                           "10|20|10|90|180|90|9|18|9|0|0|0",
                           "AAA010101AAA|020|001|0.250|Sin cambio|10.00|10.00|0.00|90.00|90.00|0.00|9.00|9.00|0.00|0.00|0.00|0.00",
                           "AAA010101AAA|020|001|0.250|Nuevo|0.00|10.00|10.00|0.00|90.00|90.00|0.00|9.00|9.00|0.00|0.00|0.00"};
        QTest::newRow("otro lado") << QByteArray(B).replace("C|", "P|") << A1 << QStringList{
            "No se pueden comparar: el reporte anterior es de proveedores (PR) y este es de clientes (CT)."};
        QTest::newRow("renglón que no es de un reporte") << A1 + "C|AAA|UNO|\r\n" << A1 << QStringList{
            "No se puede comparar con %1: el renglón 2 del reporte no tiene los 26 campos separados por «|» de un "
            "reporte de IEPS (tiene 3)."};
    }
    void comparar()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, ahora);
        QFETCH(QStringList, filas);
        QTemporaryDir dir;
        const QString anterior = dir.filePath(QStringLiteral("anterior.txt"));
        QVERIFY(EscribirArchivo(anterior, antes));
        ResumenDeReporte a, b;
        ComparacionDeReportes c;
        QString error;
        QVERIFY(LeerResumen(ahora, b, nullptr));
        if (!LeerReporteAnterior(anterior, a, &error) || !CompararReportes(a, b, c, &error)) {
            QCOMPARE(error, QString(filas.first()).replace("%1", QDir::toNativeSeparators(anterior)));
            return;
        }
        QStringList hay = LineasDeConteo(c), totales;
        for (const RfcComparado &r : c.rfcs)
            hay << TextosDeRfcComparado(r).join('|');
        for (const double v : CifrasComparadas(c.antes, c.ahora))
            totales << QString::number(v);
        hay << totales.join('|');
        for (const RenglonComparado &r : c.renglones)
            hay << TextosDeRenglonComparado(r).join('|');
        QCOMPARE(hay, filas);
    }
};

QTEST_GUILESS_MAIN(TestComparacionDeReportes)
#include "TestComparacionDeReportes.moc"

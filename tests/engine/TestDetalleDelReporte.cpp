#include "DetalleDelReporte.h"

#include "Archivos.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace engine;

namespace {
const QByteArray Reporte = "C|AAA010101AAA|UNO|19|020|00|001|000|5|005|0.250|004|100|0|8|17|||||||||||\r\n"
                           "C|BBB010101BBB|DOS|19|019|00|003|000|2|005|1.000|004|40|0|4|7|||||||||||\r\n";
const QByteArray Titulos = "Folio del pago|Fecha del pago|Clave|RFC|Documento|Total del documento|Pagado|Parte|Partida|"
                           "Producto|Campo 5|Clave gen\xE9rica|Presentaci\xF3n|Cantidad|Importe|IEPS|IVA|\r\n";
const QByteArray Lineas = "100|05/03/2018|C1|AAA010101AAA|Factura A77|1000|500|0.5|1|P1|020|001|0.250|3|60|5|10|\r\n"
                          "101|06/03/2018|C1|AAA010101AAA|Factura A78|80|80|1|1|P2|020|001|0.250|2|40|3|7|\r\n"
                          "102|07/03/2018|C2|BBB010101BBB|Factura A79|50|50|1|2|P3|019|003|1.000|2|40|4|7|\r\n";
const QString DeAaa = QStringLiteral("las líneas del RFC AAA010101AAA, campo 5 020, clave genérica 001, presentación 0.250 "
                                     "no suman lo del reporte: ");
} // namespace

// A detail read back beside its report: one that adds up to it is used, one edited, cut or from
// another run is named as such.
class TestDetalleDelReporte : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leer_data()
    {
        QTest::addColumn<QByteArray>("detalle");
        QTest::addColumn<QString>("motivo");
        const QByteArray todo = Titulos + Lineas;
        QTest::newRow("corresponde") << todo << QString();
        QTest::newRow("editado") << QByteArray(todo).replace("|60|5|10|", "|60|6|10|") << DeAaa + "IEPS 9, el reporte dice 8";
        QTest::newRow("cortado a media línea") << todo.left(todo.size() - 9) << "su última línea está incompleta";
        QTest::newRow("cortado entre líneas") << todo.left(todo.lastIndexOf("102|"))
                                              << "no tiene líneas del RFC BBB010101BBB, que está en el reporte";
        QTest::newRow("de otra corrida") << QByteArray(todo).replace("|0.250|2|40|3|7|", "|0.500|2|40|3|7|")
                                         << DeAaa + "cantidad 3, el reporte dice 5; importe 60, el reporte dice 100; "
                                                    "IEPS 5, el reporte dice 8; IVA 10, el reporte dice 17";
        QTest::newRow("línea que el reporte no tiene")
            << todo + "103|07/03/2018|C1|AAA010101AAA|Factura A80|10|10|1|1|P1|020|001|0.500|0|0|0|0|\r\n"
            << "tiene líneas del RFC AAA010101AAA, campo 5 020, clave genérica 001, presentación 0.500, que el "
               "reporte no tiene";
        QTest::newRow("sin títulos") << Lineas << "su primera línea no es la de los títulos del detalle";
        QTest::newRow("campo de más") << QByteArray(todo).replace("|P3|", "|P3|x|") << "la línea 4 no tiene los 17 campos del detalle";
        QTest::newRow("cifra que no es número") << QByteArray(todo).replace("|3|60|", "|3|6O|")
                                                << "la línea 2 tiene «6O» en Importe, que no es un número";
    }
    void leer()
    {
        QFETCH(QByteArray, detalle);
        QFETCH(QString, motivo);
        ResumenDeReporte reporte;
        QVERIFY(LeerResumen(Reporte, reporte, nullptr));
        DetalleDelReporte d;
        QString leido;
        QCOMPARE(LeerDetalle(detalle, reporte, d, &leido), motivo.isEmpty());
        QCOMPARE(leido, motivo);
        if (!motivo.isEmpty())
            return;
        // A report line shows its own lines and their tie-out; an RFC its payments.
        const QList<int> lineas = LineasDelRenglon(d, reporte.renglones.at(0));
        QCOMPARE(lineas, QList<int>({0, 1}));
        QCOMPARE(CuadreDelRenglon(d, lineas, reporte.renglones.at(0)), QStringLiteral("Suma del detalle: igual al reporte"));
        QCOMPARE(CuadreDelRenglon(d, {0}, reporte.renglones.at(0)),
                 QStringLiteral("Suma del detalle: cantidad 3, el reporte dice 5; importe 60, el reporte dice 100; "
                                "IEPS 5, el reporte dice 8; IVA 10, el reporte dice 17"));
        QCOMPARE(LineasDelRfc(d, QStringLiteral("BBB010101BBB")), QList<int>({2}));
    }

    // Beside the report on disk: found by its name, and named when it does not match.
    void cargarJuntoAlReporte()
    {
        QTemporaryDir dir;
        ResumenDeReporte reporte;
        QVERIFY(LeerResumen(Reporte, reporte, nullptr));
        DetalleDelReporte d;
        QString aviso;
        const QString ruta = dir.filePath(QStringLiteral("rep.txt"));
        QCOMPARE(CargarDetalle(ruta, reporte, d, &aviso), EstadoDelDetalle::NoHay);
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("Detallerep.txt")), Titulos + Lineas.left(Lineas.indexOf("102|"))));
        QCOMPARE(CargarDetalle(ruta, reporte, d, &aviso), EstadoDelDetalle::NoCorresponde);
        QCOMPARE(aviso, QStringLiteral("El detalle Detallerep.txt no corresponde a su reporte (no tiene líneas del RFC "
                                       "BBB010101BBB, que está en el reporte): no se usa para cuadrar las cifras."));
        QVERIFY(d.lineas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDetalleDelReporte)
#include "TestDetalleDelReporte.moc"

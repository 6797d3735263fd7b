#include "BaseDePrueba.h"
#include "CorridaDePrueba.h"
#include "clsRepIEPS.h"

#include <QtTest>

using engine::clsRepIEPS;

namespace {

// Three payments of each side: the first pays a document with two IEPS lines and one without;
// the second is of a party missing from the catalogue and pays one IEPS line; the third is of a
// party without RFC and pays a document without IEPS.
const char *Datos =
    "INSERT INTO lineas VALUES (1,'BOTANAS');\n"
    "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS');\n"
    "INSERT INTO clientes VALUES ('C1','ABARROTES  LUPITA','AAA-010101-AAA','JALISCO',NULL),"
    "('C5','Sin RFC',NULL,'JALISCO',NULL);\n"
    "INSERT INTO edoctacli (Id,Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES "
    "(11,101,'2018-01-05','C1',100,0),(12,102,'2018-01-06','ZZZ',50,0),(13,103,'2018-01-07','C5',30,0);\n"
    "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (101,1,100),(102,2,50),(103,3,30);\n"
    "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES "
    "(1,'A',1,90,0,10,0),(2,'A',2,45,0,5,0),(3,'A',3,30,0,0,0);\n"
    "INSERT INTO facturasdetalle VALUES (1,1,'P1',1,10,0,8),(1,2,'P1',2,10,0,8),(1,3,'P1',1,10,0,0),"
    "(2,1,'P1',1,10,0,8),(3,1,'P1',1,10,0,0);\n"
    // The same parties, payments and documents on the suppliers' side.
    "INSERT INTO proveedores SELECT * FROM clientes;\n"
    "INSERT INTO edoctaprov SELECT * FROM edoctacli;\n"
    "INSERT INTO anexopagosprov (FolioDelPago,Compra,Cantidad) SELECT FolioDelPago,Factura,Cantidad FROM anexopagosctes;\n"
    "INSERT INTO compras (Compra,SubTotal,IVA,ImpuestoAd,Cancelada) SELECT Id,SubTotal,IVA,ImpuestoAd,Cancelada FROM facturas;\n"
    "INSERT INTO comprasdetalle SELECT * FROM facturasdetalle;\n";

} // namespace

// What a run tells the window that launched it. The whole-period reading must make the same
// calls: TestBdDiferencial compares them on sample databases of both sides.
class TestBdVistaProceso : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void llamadasDeUnaCorrida_data()
    {
        QTest::addColumn<bool>("proveedores");
        QTest::addColumn<QStringList>("esperadas");
        // One group of calls for each payment: the first's and its two IEPS lines; the second's,
        // of a party missing from the catalogue (no key, no RFC, no name); the third's. The
        // window is hidden again when the run closes.
        const QStringList clientes{
            "texto:", "ver:1", "avance:0/3",
            "texto:Fecha 05/01/2018\\r\\nNo. 11\\r\\nCliente: C1 - AAA-010101-AAA\\r\\nABARROTES  LUPITA",
            "eventos", "eventos", "eventos", "avance:1/3",
            "texto:", "eventos", "eventos", "avance:2/3",
            "texto:Sin RFC", "eventos", "avance:3/3",
            "texto:", "ver:0", "ver:0",
        };
        QStringList proveedores = clientes;
        proveedores[3].replace(QLatin1String("Cliente: "), QLatin1String("Proveedor: "));
        QTest::newRow("clientes") << false << clientes;
        QTest::newRow("proveedores") << true << proveedores;
    }
    void llamadasDeUnaCorrida()
    {
        QFETCH(bool, proveedores);
        QFETCH(QStringList, esperadas);
        BaseDePrueba bd(QStringLiteral("vista"));
        QVERIFY2(bd.lista(), qPrintable(bd.error()));
        bd.ejecutar(QString::fromUtf8(Datos));
        CorridaDePrueba c(bd.bases, clsRepIEPS::Lectura::PorRenglon);
        c.Correr(!proveedores, false);
        QCOMPARE(int(c.rep.resultado()), int(clsRepIEPS::Resultado::Completo));
        QCOMPARE(c.vista.llamadas, esperadas);
    }
};

QTEST_GUILESS_MAIN(TestBdVistaProceso)
#include "TestBdVistaProceso.moc"

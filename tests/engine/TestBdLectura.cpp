#include "Archivos.h"
#include "BaseDePrueba.h"
#include "CorridaDePrueba.h"
#include "clsRepIEPS.h"

#include <QtTest>

using engine::clsRepIEPS;

namespace {

// Three customers, four payments, a payment over two invoices, a missing product, a pesticide.
const char *Datos =
    "INSERT INTO lineas VALUES (1,'BOTANAS'),(2,'INSECTICIDAS'),(3,NULL);\n"
    "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS'),('P2','Veneno',2,'1','BOTANAS'),"
    "('P3','Dulce',3,'0.5','DULCES DE LECHE');\n"
    "INSERT INTO clientes VALUES ('C1','UNO','AAA010101AAA','JALISCO',NULL),('C2','DOS','BBB010101BBB','SONORA',NULL),"
    "('C3','TRES','XAXX010101000','YUCATAN',NULL);\n"
    "INSERT INTO edoctacli (Id,Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,10,'2018-01-05','C1',300,0),"
    "(2,11,'2018-01-06','C2',100,0),(3,12,'2018-02-07','C3',50,0),(4,13,'2018-03-08','C1',60,0);\n"
    "INSERT INTO anexopagosctes (Id,FolioDelPago,Factura,Cantidad) VALUES (1,10,2,100),(2,11,3,100),(3,10,1,200),"
    "(4,12,3,50),(5,13,4,60);\n"
    "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (1,'A',1,180,0,20,0),"
    "(2,'A',2,90,0,10,0),(3,'B',3,135,0,15,0),(4,'B',4,100,0,10,0);\n"
    "INSERT INTO facturasdetalle VALUES (1,2,'P2',1,90,16,10),(1,1,'P1',3,30,0,10),(2,1,'NOHAY',1,90,0,10),"
    "(3,1,'P3',3,45,16,8),(3,2,'P1',1,5,0,8),(4,1,'P1',10,10,0,10);\n";

} // namespace

// Which way a run reads its rows: the batch reading is used only where the database guarantees
// the rows, order and groups of the per-row statements; elsewhere the run reads row by row and
// says why. Either way the log, the report and the ending are the same.
class TestBdLectura : public QObject {
    Q_OBJECT

private:
    struct Corrida {
        clsRepIEPS::Lectura lectura;
        QString motivo;
        int resultado;
        QString mensaje;
        QByteArray log, reporte;
        qint64 consultas;
    };

    Corrida correr(BaseDePrueba &bd, clsRepIEPS::Lectura lectura)
    {
        CorridaDePrueba c(bd.bases, lectura);
        c.Correr(true, false);
        return {c.rep.lecturaUsada(), c.rep.motivoLectura(), int(c.rep.resultado()), c.rep.mensajeError(),
                c.Log(), c.Reporte(), c.cn.consultas()};
    }

private Q_SLOTS:
    void lecturaSegunLaBase_data()
    {
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QString>("motivo"); // empty: read by batches

        QTest::newRow("base como se espera") << "" << "";
        QTest::newRow("rfc y nombre con comilla y diagonal")
            << "UPDATE clientes SET RFC='A''B\\\\010101AAA', Nombre='O''BRIEN \\\\ HIJOS' WHERE Clave='C2';\n"
            << "";
        QTest::newRow("anexos MyISAM") << "ALTER TABLE anexopagosctes ENGINE=MyISAM;\n"
                                       << "la tabla anexopagosctes no es InnoDB: el orden de sus renglones no está garantizado";
        QTest::newRow("anexos sin llave primaria")
            << "ALTER TABLE anexopagosctes MODIFY Id INT NOT NULL, DROP PRIMARY KEY;\n"
            << "la tabla anexopagosctes no tiene llave primaria";
        QTest::newRow("anexos con indice que ordena por factura")
            << "ALTER TABLE anexopagosctes ADD KEY porFactura (FolioDelPago, Factura);\n"
            << "el índice porFactura de la tabla anexopagosctes puede cambiar el orden de los renglones de un pago";
        QTest::newRow("partidas sin llave unica") << "ALTER TABLE facturasdetalle DROP PRIMARY KEY;\n"
                                                  << "la tabla facturasdetalle no tiene una llave única de (id, partida)";
        QTest::newRow("facturas con Id de texto") << "ALTER TABLE facturas MODIFY Id VARCHAR(10) NOT NULL;\n"
                                                  << "la columna facturas.Id no es de números enteros";
        QTest::newRow("lineas repetibles") << "ALTER TABLE lineas DROP PRIMARY KEY;\n"
                                           << "la tabla lineas no tiene una llave única de (id)";
        QTest::newRow("sin tabla de lineas") << "DROP TABLE lineas;\n" << "no se encontró la tabla lineas";
        QTest::newRow("folio nulo")
            << "ALTER TABLE edoctacli MODIFY Folio INT NULL;\nUPDATE edoctacli SET Folio=NULL WHERE Id=3;\n"
            << "el pago 3 no tiene un folio entero";
        QTest::newRow("presentaciones iguales en seis cifras")
            << "INSERT INTO productos VALUES ('P4','Otro',1,'0.2500001','BOTANAS');\n"
            << "hay presentaciones que sólo difieren después de la sexta cifra (0.25)";
        QTest::newRow("presentacion fuera de precision simple")
            << "INSERT INTO productos VALUES ('P4','Otro',1,'1e39','BOTANAS');\n"
            << "la presentación 1E+39 no cabe en la tabla de trabajo";
        QTest::newRow("rfc que la tabla de trabajo no guarda")
            << "ALTER DATABASE CHARACTER SET latin1;\nUPDATE clientes SET RFC='ΩAA010101AAA' WHERE Clave='C2';\n"
            << "el RFC «ΩAA010101AAA» tiene caracteres que la tabla de trabajo no guarda";
    }
    void lecturaSegunLaBase()
    {
        QFETCH(QString, cambio);
        QFETCH(QString, motivo);
        BaseDePrueba bd(QStringLiteral("lectura"));
        QVERIFY2(bd.lista(), qPrintable(bd.error()));
        bd.ejecutar(QString::fromUtf8(Datos) + cambio);

        const Corrida periodo = correr(bd, clsRepIEPS::Lectura::PorPeriodo);
        const Corrida renglon = correr(bd, clsRepIEPS::Lectura::PorRenglon);
        QCOMPARE(periodo.motivo, motivo);
        QCOMPARE(int(periodo.lectura),
                 int(motivo.isEmpty() ? clsRepIEPS::Lectura::PorPeriodo : clsRepIEPS::Lectura::PorRenglon));
        QCOMPARE(int(renglon.lectura), int(clsRepIEPS::Lectura::PorRenglon));
        QVERIFY(renglon.motivo.isEmpty());

        QCOMPARE(periodo.resultado, renglon.resultado);
        QCOMPARE(periodo.mensaje, renglon.mensaje);
        QCOMPARE(periodo.log, renglon.log);
        QCOMPARE(periodo.reporte, renglon.reporte);
        QVERIFY(!periodo.log.isEmpty());
        if (motivo.isEmpty())
            QVERIFY2(periodo.consultas < renglon.consultas, qPrintable(QString::number(periodo.consultas)));
    }

    void rfcIgualesSegunLaColacionFormanUnGrupo()
    {
        // The work table compares RFCs without regard to case: the lower-case spelling of C2
        // joins the first spelling's group; "AÑA" and "ANA" are one RFC under this collation.
        BaseDePrueba bd(QStringLiteral("lectura"));
        QVERIFY2(bd.lista(), qPrintable(bd.error()));
        bd.ejecutar(QString::fromUtf8(Datos)
                    + QStringLiteral("UPDATE clientes SET RFC='aaa010101aaa' WHERE Clave='C2';\n"
                                     "UPDATE clientes SET RFC='ANA010101AAA' WHERE Clave='C1';\n"
                                     "INSERT INTO clientes VALUES ('C4','CUATRO','AÑA010101AAA','JALISCO',NULL);\n"
                                     "UPDATE edoctacli SET Clave='C4' WHERE Id=4;\n"));
        const Corrida periodo = correr(bd, clsRepIEPS::Lectura::PorPeriodo);
        QCOMPARE(int(periodo.lectura), int(clsRepIEPS::Lectura::PorPeriodo));
        QCOMPARE(periodo.reporte.count("|ANA010101AAA|UNO|14|020|00|001|000|"), 1);
        QVERIFY(!periodo.reporte.contains("AÑA"));
        QCOMPARE(periodo.reporte, correr(bd, clsRepIEPS::Lectura::PorRenglon).reporte);
    }
};

QTEST_GUILESS_MAIN(TestBdLectura)
#include "TestBdLectura.moc"

#include "Archivos.h"
#include "BaseDePrueba.h"
#include "Cancelacion.h"
#include "Cp1252.h"
#include "DialogosGrabados.h"
#include "Errores.h"
#include "ReemplazoEnConjunto.h"
#include "Registros.h"
#include "clsRepIEPS.h"

#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>
#include <new>
#include <QtTest>

using engine::clsRepIEPS;

namespace {

// The window as the engine sees it: answers the classification option and, where a case asks
// for it, acts on the text shown for each payment, or is cancelled once the payments are done
// (and then ends the run as the window's does).
class VistaPrueba : public engine::VistaProceso {
public:
    void TextoProceso(const QString &t) override
    {
        if (alMostrar)
            alMostrar(t);
    }
    void VerProceso(bool) override {}
    void ProcesarEventos() override { cancelada ? throw host::Error(1317, host::TextoProcesoCancelado()) : void(); }
    bool Cancelado() const override { return cancelada; }
    void Avance(int hechos, int total) override { cancelada = cancelada || (cancelarTrasLosPagos && hechos == total); }

    bool porLinea = true, cancelada = false, cancelarTrasLosPagos = false;
    std::function<void(const QString &)> alMostrar;
    host::Conexion *corrida = nullptr; // the run's connection, for views that act on it
};

QByteArray lineas(std::initializer_list<const char *> ls)
{
    QByteArray r;
    for (const char *l : ls)
        r += QByteArray(l) + "\r\n";
    return r;
}

const char *Catalogo =
    "INSERT INTO lineas VALUES (1,'BOTANAS'),(2,'INSECTICIDAS'),(3,'CHOCOLATES'),(4,NULL);\n"
    "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS'),"
    "('INS','Veneno',2,'1','BOTANAS'),('CHO','Chocolate',3,'1','FLANES Y PUDINES'),"
    "('TER','Tercio',1,'0.3333','BOTANAS'),('DEC','Decimo',1,'0.1 kg','BOTANAS'),"
    "('SINLIN','Sin linea',NULL,'1','BOTANAS'),('SINPED','Sin presentacion',1,NULL,'BOTANAS'),"
    "('SINCAT','Sin categoria',1,'1',NULL);\n"
    "INSERT INTO clientes VALUES ('C1','COMERCIAL  DEL NORTE, S.A. DE C.V.','AAA-010101-AAA','N.L.',NULL),"
    "('C2','Juan Pérez','XAXX010101000','JALISCO',NULL),('C3','María Núñez','XAXX 010101 000','SONORA',NULL),"
    "('C4',NULL,'CCC010101CCC','EXTRANJERO',NULL),('C5','Sin RFC',NULL,'JALISCO',NULL),"
    "('O''B','O''BRIEN','OBR010101AAA','YUC',NULL);\n"
    "INSERT INTO proveedores VALUES ('PR1','DULCERIA LA ABEJA','DLA-990101-XYZ','QUINTANA ROO',NULL);\n";

} // namespace

// Complete report runs against the real test server: queries, proration, work table, log and
// report bytes, and the ways a run ends. Every case runs once per way of reading the rows.
class TestBdReporte : public QObject {
    Q_OBJECT

public:
    explicit TestBdReporte(clsRepIEPS::Lectura lectura)
        : lectura_(lectura)
    {
    }

private:
    clsRepIEPS::Lectura lectura_;
    BaseDePrueba bd{QStringLiteral("reporte")};
    QTemporaryDir dir;
    host::BasesDD bases; // the run's settings: the test server's unless a case changes them

    struct Corrida {
        clsRepIEPS::Resultado resultado;
        QString archivo; // stArchivo after the call
        QByteArray log, reporte;
        QString mensaje;
        QByteArray logFallido, revision;
        QList<DialogosGrabados::Caja> cajas;
        QStringList ventanas;
        QString rutaLog;
        QString avisoDeReporteVacio;
        // The run's connection after a failed run: a transaction left open, and whether another
        // connection could take the work table's lock.
        int enTransaccion = -1;
        bool bloqueoLibre = false;
        int rfcs = 0; // RFCs in the report, as the run counts them
        QByteArray detalle = QByteArray(); // the detail beside the report
    };

    // A run of the first quarter of 2018 with its dialogs recorded.
    Corrida correr(bool ctes, bool todos, const QString &clave = QString(), VistaPrueba *otraVista = nullptr)
    {
        DialogosGrabados dialogos;
        VistaPrueba propia;
        VistaPrueba &vista = otraVista ? *otraVista : propia;
        host::Conexion cn;
        vista.corrida = &cn;
        clsRepIEPS rep(bases, cn, vista, dir.path());
        rep.setLectura(lectura_);
        rep.setPorLineaDeProductos(vista.porLinea);
        rep.setPagosPorLote(2); // batch boundaries inside the few payments of each case
        QString archivo = QStringLiteral("rep.txt");
        rep.ProcesarReporte(QDate(2018, 1, 1), QDate(2018, 3, 31), archivo, clave, ctes, todos);
        // The run reads as asked: a silent fall-back would leave one of the readings untested.
        if (rep.resultado() == clsRepIEPS::Resultado::Completo)
            [&] { QCOMPARE(int(rep.lecturaUsada()), int(lectura_)); }();
        const auto leer = [this](const char *nombre) { return LeerArchivo(dir.filePath(QLatin1String(nombre))); };
        Corrida c{rep.resultado(), archivo, leer("Logrep.txt"), leer("rep.txt"), rep.mensajeError(), leer("LogFallorep.txt"),
                  leer("Revisionrep.txt"), dialogos.cajas, dialogos.ventanas, rep.rutaLog(), rep.avisoDeReporteVacio()};
        c.rfcs = rep.rfcsEnElReporte();
        c.detalle = leer("Detallerep.txt");
        // A connection that the server dropped holds no transaction.
        try {
            c.enTransaccion = cn.abierta() ? cn.Valor(QStringLiteral("SELECT @@in_transaction")).toInt() : 0;
        } catch (const host::Error &) {
            c.enTransaccion = 0;
        }
        host::Conexion otra;
        c.bloqueoLibre = rep.resultado() != clsRepIEPS::Resultado::Error
                         || (bd.bases.AbrirBdD(otra, bd.nombre()) && tomarBloqueo(otra) == 1 && soltarBloqueo(otra) == 1);
        return c;
    }

    // After a failed run: one box with the message, the earlier files as they were, the
    // database as it was found (no transaction left open, the lock let go), and what was logged
    // (when the run came as far as its log) under the failed run's name.
    void verificarFalloLimpio(const Corrida &c, bool conLog = true)
    {
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Error));
        QCOMPARE(c.cajas.size(), 1);
        QCOMPARE(c.cajas[0].texto, c.mensaje);
        QVERIFY(!c.cajas[0].skin);
        QCOMPARE(c.ventanas.last(), QStringLiteral("quita"));
        QCOMPARE(QList<QByteArray>({c.reporte, c.log, c.revision, c.detalle}),
                 QList<QByteArray>({"anterior", "anterior Logrep.txt", "anterior Revisionrep.txt", "anterior Detallerep.txt"}));
        QCOMPARE(c.rutaLog, conLog ? dir.filePath(QStringLiteral("LogFallorep.txt")) : QString());
        QCOMPARE(c.logFallido == NoExiste, !conLog);
        QCOMPARE(c.enTransaccion, 0);
        QVERIFY(c.bloqueoLibre);
    }

    // Takes the lock that a run holds on the database's work table, from another connection,
    // waiting a few seconds for a dropped connection that the server is still closing.
    static int tomarBloqueo(host::Conexion &cn)
    {
        return cn.Valor(QStringLiteral("SELECT GET_LOCK(%1, 5)").arg(NombreBloqueo)).toInt();
    }
    // Lets it go at once: a connection that closes lets go of it only when the server gets to it,
    // which may be after the next run asked for it.
    static int soltarBloqueo(host::Conexion &cn)
    {
        return cn.Valor(QStringLiteral("SELECT RELEASE_LOCK(%1)").arg(NombreBloqueo)).toInt();
    }
    static inline const QString NombreBloqueo = QStringLiteral("CONCAT('repieps.tmptempoieps.', MD5(DATABASE()))");

    // Customer payments, their links, invoices and invoice lines: the rows of each statement.
    void agregarPagos(const char *pagos, const char *anexos, const char *facturas, const char *detalle)
    {
        bd.ejecutar(QStringLiteral("INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES %1;\n"
                                   "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES %2;\n"
                                   "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES %3;\n"
                                   "INSERT INTO facturasdetalle VALUES %4;\n")
                        .arg(QString::fromUtf8(pagos), QString::fromUtf8(anexos), QString::fromUtf8(facturas),
                             QString::fromUtf8(detalle)));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(bd.lista(), qPrintable(bd.error()));
        bd.ejecutar(QString::fromUtf8(Catalogo));
    }
    // Every case starts without payments, documents or the customers a case added, with the test
    // server's settings, and with the report, log and review of an earlier run, which a failed run
    // or one that writes none must leave together.
    void init()
    {
        bd.ejecutar(QStringLiteral(
            "DELETE FROM edoctacli;\nDELETE FROM edoctaprov;\nDELETE FROM anexopagosctes;\nDELETE FROM anexopagosprov;\n"
            "DELETE FROM facturas;\nDELETE FROM compras;\nDELETE FROM facturasdetalle;\nDELETE FROM comprasdetalle;\n"
            "DELETE FROM clientes WHERE Clave='L1' OR Clave LIKE 'T%';\n"));
        bases = bd.bases;
        QFile::remove(dir.filePath(QStringLiteral("LogFallorep.txt")));
        for (const char *nombre : {"Logrep.txt", "Revisionrep.txt", "Detallerep.txt"})
            QVERIFY(EscribirArchivo(dir.filePath(QLatin1String(nombre)), QByteArray("anterior ") + nombre));
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("rep.txt")), "anterior"));
    }

    void ejemploTrabajadoByteAByte()
    {
        agregarPagos("(100,'2018-03-05','C1',500,0)", "(100,1,500)", "(1,'A',77,784,200,16,0)", "(1,1,'P1',10,20,16,8)");
        const Corrida c = correr(true, false);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Completo));
        QCOMPARE(c.log, lineas({
            "Pago ---> Folio 100, Fecha: 05/03/2018, Monto: 500.00, Cliente: C1 - AAA-010101-AAA: COMERCIAL  DEL NORTE, S.A. DE C.V.",
            "         Factura: A77, IEPS: 16.00, Total: 1,000.00",
            "                   Pago por: 500.00, Proporci\xF3n del pago respecto al total: 50.00 %",
            "                             Producto: P1, Linea: BOTANAS, Cantidad: 10, Precio: 20.00, Importe: 200.00",
            "                                       , % IEPS: 8, $ IEPS: 16.00, $ IEPS proporcional al pago: 8.00, "
            "Campo 5: 020, Clave gener.: 001, BOTANAS",
        }));
        QCOMPARE(c.reporte,
                 lineas({"C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|5|005|0.250|004|100|0|8|17|||||||||||"}));
        QCOMPARE(c.detalle, lineas({"Folio del pago|Fecha del pago|Clave|RFC|Documento|Total del documento|Pagado|Parte|"
                                    "Partida|Producto|Campo 5|Clave gen\xE9rica|Presentaci\xF3n|Cantidad|Importe|IEPS|IVA|",
                                    "100|05/03/2018|C1|AAA010101AAA|Factura A77|1000|500|0.5|1|P1|020|001|0.250|5|100|8|17|"}));
        QCOMPARE(QDir::fromNativeSeparators(c.archivo), dir.filePath(QStringLiteral("rep.txt")));
        QCOMPARE(c.ventanas, QStringList({"muestra:Generando archivo", "quita"}));
        QCOMPARE(c.cajas.size(), 1);
        QVERIFY(c.cajas[0].skin);
        QCOMPARE(c.cajas[0].texto, QStringLiteral("Fin del proceso"));
        QCOMPARE(c.cajas[0].titulo, QStringLiteral("Atención"));
        QCOMPARE(c.cajas[0].tipo, 9);
    }


    void acumulaPorRfcCodigosYPresentacion()
    {
        // Two customers share the general-public RFC; 0.3333 and 0.1 presentations must find
        // their rows again on every line.
        agregarPagos("(1,'2018-01-10','C2',1000,0),(2,'2018-02-10','C3',1000,0),(3,'2018-02-11','C2',1000,0)",
                     "(1,1,1000),(2,2,1000),(3,3,1000)",
                     "(1,'A',1,999.5,0,0.5,0),(2,'A',2,999.5,0,0.5,0),(3,'A',3,999.5,0,0.5,0)",
                     "(1,1,'TER',5,20,0,8),(1,2,'DEC',1,100,16,8),(2,1,'TER',1,20,0,8),(2,2,'DEC',2,100,16,8),"
                     "(3,1,'P1',3,10,0,8)");
        const Corrida c = correr(true, true);
        const QList<QByteArray> renglones = c.reporte.split('\n');
        QCOMPARE(renglones.size(), 4); // three rows and the empty text after the last CR LF
        QVERIFY(c.reporte.contains("C|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|6|005|0.333|004|120|0|10|0|"));
        QVERIFY(c.reporte.contains("C|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|3|005|0.100|004|300|0|24|52|"));
        QVERIFY(c.reporte.contains("C|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|3|005|0.250|004|30|0|2|0|"));
    }


    void plaguicidaYChocolateSonFilasDistintas()
    {
        agregarPagos("(1,'2018-01-10','C1',200,0)", "(1,1,200)", "(1,'A',1,200,0,0.1,0)",
                     "(1,1,'INS',1,100,0,0.1),(1,2,'CHO',1,100,0,0.1)");
        // By category text, asked of the run: the chocolate line's "FLANES Y PUDINES" gives 004.
        VistaPrueba vista;
        vista.porLinea = false;
        const Corrida porCategoria = correr(true, false, QString(), &vista);
        QVERIFY(porCategoria.reporte.contains("|19|019|00|003|"));
        QVERIFY(porCategoria.reporte.contains("|19|020|00|004|"));
    }

    void revisionJuntoAlReporte()
    {
        // The work table keeps 13 characters of the RFC: both payments fall into one group. The
        // name's "|", line end and NUL become blanks in the report; the log keeps them. The
        // second payment is larger than its invoice: a share of 250 %, which makes its IEPS of 9
        // 22.5, rounded half to even to 22.
        bd.ejecutar(QStringLiteral("INSERT INTO clientes VALUES ('L1','PARTE|UNO\\r\\nDOS\\0TRES','ABCD-8001011234567','JALISCO',NULL);\n"));
        agregarPagos("(1,'2018-01-10','L1',100,0),(2,'2018-02-10','L1',250,0)", "(1,1,100),(2,2,250)",
                     "(1,'A',1,90,0,10,0),(2,'A',2,90,0,10,0)", "(1,1,'P1',10,9,0,10),(2,1,'P1',10,9,0,10)");
        const Corrida c = correr(true, false);
        QCOMPARE(c.reporte, lineas({"C|ABCD800101123|PARTE UNO DOS TRES|14|020|00|001|000|35|005|0.250|004|315|0|31|0|||||||||||"}));
        QVERIFY(c.log.contains(QByteArray("PARTE|UNO\r\nDOS\0TRES", 19)));
        // The review, beside the report, names the three faults (and the RFC's form).
        QVERIFY2(c.revision.startsWith("Revisi\xF3n del reporte rep.txt (clientes): 4 hallazgos; no se revis\xF3 la lista 69-B del SAT\r\n"), c.revision.constData());
        QVERIFY(c.revision.contains("\r\nRFC de m\xE1s de 13 caracteres (el reporte lo recorta) | RFC: ABCD-8001011234567 | "));
        QVERIFY(c.revision.contains("\r\nnombre con \xAB|\xBB o caracteres de control"));
        QVERIFY(c.revision.contains("\r\nparte del documento fuera de 0 % a 100 % | RFC: ABCD-8001011234567 | Clave: L1 | "));
        QVERIFY(c.revision.contains("| folio 2, Factura A2: 250.00 % | en el reporte\r\n"));
    }

    void soloLasCincuentaMayores()
    {
        // 51 customers, customer i paying 10 i: the report keeps the 50 largest, from 51 down to 2.
        bd.ejecutar(QStringLiteral(
            "INSERT INTO clientes SELECT CONCAT('T',seq),CONCAT('CLIENTE ',seq),CONCAT('RFC',seq),'JAL',NULL FROM seq_1_to_51;\n"
            "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) "
            "SELECT seq,'2018-01-10',CONCAT('T',seq),seq*10,0 FROM seq_1_to_51;\n"
            "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) SELECT seq,seq,seq*10 FROM seq_1_to_51;\n"
            "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) SELECT seq,'A',seq,seq*10-1,0,1,0 FROM seq_1_to_51;\n"
            "INSERT INTO facturasdetalle SELECT seq,1,'P1',seq,10,0,10 FROM seq_1_to_51;\n"));
        const Corrida c = correr(true, false);
        const QList<QByteArray> renglones = c.reporte.split('\n');
        QCOMPARE(renglones.size(), 51);
        QVERIFY(renglones.first().startsWith("C|RFC51|CLIENTE 51|"));
        QVERIFY(renglones[49].startsWith("C|RFC2|CLIENTE 2|"));
    }

    // What the database multiplies or merges without an error reaches the review: a catalogue
    // key repeated (the figures stay doubled, as the report's rules give them; one payment is not
    // a shared folio), two RFCs the collation takes as one (the report keeps each with its own
    // lines, ranked by its own sums). T1, T2 and T3 are customers; P1 is 0.250, CHO 1.000.
    void repetidosEnLaRevision_data()
    {
        QTest::addColumn<QString>("datos");
        QTest::addColumn<QString>("deshacer");
        QTest::addColumn<bool>("ctes");
        QTest::addColumn<QStringList>("reporte");
        QTest::addColumn<QStringList>("revision"); // after its title
        const auto pago = [](int folio, const char *clave, int monto, const char *lineas) {
            return QStringLiteral("INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES "
                                  "(%1,'2018-02-01','%2',%3,0);\nINSERT INTO anexopagosctes (FolioDelPago,Factura,"
                                  "Cantidad) VALUES (%1,%1,%3);\nINSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,"
                                  "ImpuestoAd,Cancelada) VALUES (%1,'A',%1,%3-1,0,1,0);\nINSERT INTO facturasdetalle "
                                  "VALUES %4;\n")
                .arg(folio).arg(QLatin1String(clave)).arg(monto).arg(QLatin1String(lineas));
        };
        const QString p1 = pago(1, "T1", 100, "(1,1,'P1',10,9,0,10)");
        const QString sinLlave = QStringLiteral("ALTER TABLE %1 DROP PRIMARY KEY;\n");
        const QString conLlave = QStringLiteral("ALTER TABLE %1 ADD PRIMARY KEY (Clave);\n");
        const QString uno = QStringLiteral("C|MUÑO770215AB6|UNO|14|020|00|001|000|%1|005|%2|004|%3|0|%4|0|||||||||||");
        const QString sumado = QStringLiteral(" (sus pagos se suman una vez por cada renglón) | RFC: %1 | Clave: %2 | "
                                              "Nombre: %3 | 2 renglones en el catálogo; 1 pago, sumado 2 veces | en el reporte");
        QTest::newRow("cliente repetido")
            << sinLlave.arg("clientes") + "INSERT INTO clientes VALUES ('T1','UNO','MUÑO770215AB6','JALISCO',NULL);\n" + p1
            << "DELETE FROM clientes WHERE Clave LIKE 'T%';\n" + conLlave.arg("clientes") << true
            << QStringList{uno.arg(20).arg("0.250").arg(180).arg(18)}
            << QStringList{"clave de cliente repetida en el catálogo" + sumado.arg("MUÑO770215AB6", "T1", "UNO")};
        // Two payments of one folio are still a shared folio.
        QTest::newRow("folio de dos pagos")
            << p1 + "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,'2018-02-02','T1',100,0);\n"
            << "" << true << QStringList{uno.arg(20).arg("0.250").arg(180).arg(18)}
            << QStringList{"folio compartido por varios pagos (los documentos del folio se cuentan en cada pago) | RFC: "
                           "MUÑO770215AB6 | Clave: T1 | Nombre: UNO | folio 1: 2 pagos | en el reporte"};
        QTest::newRow("producto repetido")
            << sinLlave.arg("productos") + "INSERT INTO productos VALUES ('P1','Papas',1,'0.5','BOTANAS');\n" + p1
            << "DELETE FROM productos WHERE Pedimento='0.5';\n" + conLlave.arg("productos") << true
            << QStringList{uno.arg(10).arg("0.250").arg(90).arg(9), uno.arg(10).arg("0.500").arg(90).arg(9)}
            << QStringList{"clave de producto repetida en el catálogo (sus líneas se suman una vez por cada renglón) | "
                           "RFC: MUÑO770215AB6 | producto P1, 2 renglones en el catálogo; líneas del reporte: Campo 5 "
                           "020, clave genérica 001, presentación 0.250; Campo 5 020, clave genérica 001, presentación "
                           "0.500 | en el reporte"};
        QTest::newRow("producto en dos lineas de una factura")
            << pago(1, "T1", 100, "(1,1,'P1',10,9,0,10),(1,2,'P1',10,9,0,10)") << "" << true
            << QStringList{uno.arg(20).arg("0.250").arg(180).arg(18)} << QStringList();
        QTest::newRow("rfc que la colacion une")
            << p1 + pago(2, "T2", 50, "(2,1,'P1',2,10,0,10),(2,2,'CHO',1,30,0,10)") + pago(3, "T3", 100, "(3,1,'P1',10,10,0,10)")
                   + "INSERT INTO clientes VALUES ('T4','CUATRO','muño770215ab6','JALISCO',NULL);\n"
                   + pago(4, "T4", 10, "(4,1,'P1',1,10,0,10)")
            << "" << true
            << QStringList{"C|AAA010101AA1|TRES|14|020|00|001|000|10|005|0.250|004|100|0|10|0|||||||||||",
                           uno.arg(10).arg("0.250").arg(90).arg(9),
                           "C|MUNO770215AB6|DOS|14|020|00|001|000|2|005|0.250|004|20|0|2|0|||||||||||",
                           "C|MUNO770215AB6|DOS|14|020|00|003|000|1|005|1.000|004|30|0|3|0|||||||||||",
                           "C|muño770215ab6|CUATRO|14|020|00|001|000|1|005|0.250|004|10|0|1|0|||||||||||"}
            << QStringList{"RFC del reporte que la base de datos no distingue de otro (el reporte lleva cada uno con "
                           "sus líneas) | RFC: MUNO770215AB6 | la base de datos toma por uno: MUNO770215AB6, "
                           "MUÑO770215AB6, muño770215ab6 | en el reporte",
                           "RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en general no se "
                           "reconoce así) | RFC: muño770215ab6 | Clave: T4 | Nombre: CUATRO | en el reporte",
                           "un RFC con varias claves y nombres distintos | RFC: MUÑO770215AB6 | Clave: T1, T4 | Nombre: "
                           "UNO / CUATRO | en el reporte"};
        QTest::newRow("proveedor repetido")
            << sinLlave.arg("proveedores")
                   + "INSERT INTO proveedores VALUES ('T9','NUEVE','BBB010101BB7','JALISCO',NULL),"
                     "('T9','NUEVE','BBB010101BB7','JALISCO',NULL);\n"
                     "INSERT INTO edoctaprov (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (5,'2018-02-01','T9',100,0);\n"
                     "INSERT INTO anexopagosprov (FolioDelPago,Compra,Cantidad) VALUES (5,900,100);\n"
                     "INSERT INTO compras (Compra,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (900,99,0,1,0);\n"
                     "INSERT INTO comprasdetalle VALUES (900,1,'P1',10,9,0,10);\n"
            << "DELETE FROM proveedores WHERE Clave='T9';\n" + conLlave.arg("proveedores") << false
            << QStringList{"P|BBB010101BB7|NUEVE|14|020|00|001|000|20|005|0.250|004|180|0|18|0|||||||||||"}
            << QStringList{"clave de proveedor repetida en el catálogo" + sumado.arg("BBB010101BB7", "T9", "NUEVE")};
    }
    void repetidosEnLaRevision()
    {
        QFETCH(QString, datos);
        QFETCH(QString, deshacer);
        QFETCH(bool, ctes);
        QFETCH(QStringList, reporte);
        QFETCH(QStringList, revision);
        bd.ejecutar(QStringLiteral("INSERT INTO clientes VALUES ('T1','UNO','MUÑO770215AB6','JALISCO',NULL),"
                                   "('T2','DOS','MUNO770215AB6','JALISCO',NULL),('T3','TRES','AAA010101AA1','JALISCO',NULL);\n")
                    + datos);
        const Corrida c = correr(ctes, false);
        bd.ejecutar(deshacer);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Completo));
        QStringList lineasDeRevision = host::DesdeCp1252(c.revision).split(QStringLiteral("\r\n"));
        lineasDeRevision.removeFirst();
        lineasDeRevision.removeLast();
        QCOMPARE(host::DesdeCp1252(c.reporte).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts), reporte);
        QCOMPARE(lineasDeRevision, revision);
        QSet<QString> rfcs;
        for (const QString &l : reporte)
            rfcs.insert(l.section(QLatin1Char('|'), 1, 1));
        QCOMPARE(c.rfcs, int(rfcs.size()));
    }

    void proveedoresSinFiltroDeNotasDeCredito()
    {
        bd.ejecutar(QStringLiteral(
            "INSERT INTO edoctaprov (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (5,'2018-03-31','PR1',1160,1);\n"
            "INSERT INTO anexopagosprov (FolioDelPago,Compra,Cantidad) VALUES (5,900,1160);\n"
            "INSERT INTO compras (Compra,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (900,920,160,80,0),(901,1,1,1,0);\n"
            "INSERT INTO comprasdetalle VALUES (900,2,'P1',100,9.2,16,8.6956521739),(900,1,'CHO',0,1,0,8);\n"));
        const Corrida c = correr(false, true);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Completo));
        QCOMPARE(c.log, lineas({
            "Pago ---> Folio 5, Fecha: 31/03/2018, Monto: 1,160.00, Proveedor: PR1 - DLA-990101-XYZ: DULCERIA LA ABEJA",
            "         Compra: 900, IEPS: 80.00, Total: 1,160.00",
            "                   Pago por: 1,160.00, Proporci\xF3n del pago respecto al total: 100.00 %",
            "                             Producto: CHO, Linea: CHOCOLATES, Cantidad: 0, Costo: 1.00, Importe: 0.00",
            "                                       , % IEPS: 8, $ IEPS: 0.00, $ IEPS proporcional al pago: 0.00, "
            "Campo 5: 020, Clave gener.: 003, FLANES Y PUDINES",
            "                   Pago por: 1,160.00, Proporci\xF3n del pago respecto al total: 100.00 %",
            "                             Producto: P1, Linea: BOTANAS, Cantidad: 100, Costo: 9.20, Importe: 920.00",
            "                                       , % IEPS: 8.6956521739, $ IEPS: 80.00, $ IEPS proporcional al pago: 80.00, "
            "Campo 5: 020, Clave gener.: 001, BOTANAS",
        }));
        QVERIFY(c.reporte.startsWith("P|DLA990101XYZ|DULCERIA LA ABEJA|23|020|00|"));
    }

    void seleccionDePagos_data()
    {
        QTest::addColumn<QString>("pago");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("entra");
        QTest::newRow("primer dia") << "(1,'2018-01-01','C1',10,0)" << "" << true;
        QTest::newRow("ultimo dia") << "(1,'2018-03-31','C1',10,0)" << "" << true;
        QTest::newRow("dia anterior") << "(1,'2017-12-31','C1',10,0)" << "" << false;
        QTest::newRow("dia siguiente") << "(1,'2018-04-01','C1',10,0)" << "" << false;
        QTest::newRow("nota de credito") << "(1,'2018-02-01','C1',10,1)" << "" << false;
        QTest::newRow("pago cero") << "(1,'2018-02-01','C1',0,0)" << "" << false;
        QTest::newRow("otra clave") << "(1,'2018-02-01','C1',10,0)" << "C2" << false;
        // Unescaped, the quote would break the statement.
        QTest::newRow("clave con comilla") << "(1,'2018-02-01','O''B',10,0)" << "O'B" << true;
    }
    void seleccionDePagos()
    {
        QFETCH(QString, pago);
        QFETCH(QString, clave);
        QFETCH(bool, entra);
        bd.ejecutar(QStringLiteral("INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES ") + pago
                    + QStringLiteral(";\n"));
        const Corrida c = correr(true, true, clave);
        QCOMPARE(int(c.resultado), int(entra ? clsRepIEPS::Resultado::Completo : clsRepIEPS::Resultado::SinPagos));
        QCOMPARE(bd.cn.Valor(QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema=DATABASE() "
                                            "AND table_name='tmptempoieps'")).toInt(), 0);
        // Either way one box ends the run. Without payments the file name stays as given (and the
        // earlier files stay as they were, which TestBdCli and TestBdFrmInicial see).
        QCOMPARE(c.archivo == QStringLiteral("rep.txt"), !entra);
        QCOMPARE(c.cajas.size(), 1);
        QCOMPARE(c.cajas[0].texto, QStringLiteral("Fin del proceso"));
    }

    void lineasDePagoSegunLaOpcion()
    {
        // Folio 1: two invoices with IEPS but no lines; folio 2: only an invoice without IEPS, whose
        // line has none either; folio 3: a cancelled invoice.
        agregarPagos("(1,'2018-01-10','C1',20,0),(2,'2018-01-11','C1',10,0),(3,'2018-01-12','C1',10,0)",
                     "(1,1,10),(1,2,10),(1,0,5),(2,3,10),(3,4,10)",
                     "(1,'A',1,10,0,1,0),(2,NULL,2,10,0,1,0),(3,'A',3,10,0,0,0),(4,'A',4,10,0,1,1)", "(3,1,'P1',1,10,0,0)");
        const Corrida solo = correr(true, false);
        QCOMPARE(solo.log.count("Pago ---> Folio 1,"), 2);
        QCOMPARE(solo.log.count("Pago ---> "), 2);
        QVERIFY(solo.log.contains("\r\n         Null\r\n")); // the invoice without series
        QCOMPARE(solo.reporte, QByteArray()); // no detail lines: an empty report
        const Corrida todos = correr(true, true);
        QCOMPARE(todos.log.count("Pago ---> Folio 1,"), 1);
        QCOMPARE(todos.log.count("Pago ---> "), 3);
        QVERIFY(todos.log.startsWith("Pago ---> Folio 1,"));
    }

    // What the figures lose without the run failing, each said in the review before everything
    // else (the customer's generic RFC brings no finding of its own); a document that exists
    // without IEPS, or whose lines carry none, is the normal case. %1 in a change is the database.
    void datosQueNoLleganAlReporte_data()
    {
        QTest::addColumn<QString>("pago");
        QTest::addColumn<QString>("anexo");
        QTest::addColumn<QString>("factura");
        QTest::addColumn<QString>("detalle");
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QStringList>("hallazgos"); // the review's lines after its title
        QTest::addColumn<bool>("vacio");           // the run says the report came out empty
        const QString parte = QStringLiteral(" | RFC: XAXX010101000 | Clave: C2 | Nombre: Juan P\u00E9rez | ");
        const auto fila = [&](const char *nombre, const char *pago, const char *anexo, const char *factura,
                              const char *detalle, const char *cambio, const QStringList &hallazgos, bool vacio = false) {
            QTest::newRow(nombre) << pago << anexo << factura << detalle << cambio << hallazgos << vacio;
        };
        const char *pago = "(1,'2018-01-10','C2',10,0)";
        const char *otra = "(2,1,'P1',1,9,0,10)"; // a line of another invoice
        fila("documento que no existe", pago, "(1,5,10)", "(1,'A',1,9,0,1,0)", otra, "",
             {"pago aplicado a un documento que no existe (lo aplicado no llega al reporte)" + parte
              + "folio 1, Factura con Id 5: 10.00 | fuera del reporte"}, true);
        fila("documento sin lineas", pago, "(1,1,10)", "(1,'A',1,9,0,1,0)", otra, "",
             {"pago aplicado a un documento sin l\u00EDneas (lo aplicado no llega al reporte)" + parte
              + "folio 1, Factura A1: 10.00 | fuera del reporte"}, true);
        fila("documento sin IEPS", pago, "(1,1,10),(1,3,0)", "(1,'A',1,10,0,0,0),(3,'A',3,10,0,1,1)", otra, "", {});
        fila("lineas sin IEPS", pago, "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,0)", "", {});
        const char *texto = "ALTER TABLE facturasdetalle MODIFY Cantidad VARCHAR(20);\nUPDATE facturasdetalle SET Cantidad='%1';\n";
        fila("cantidad con coma", pago, "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)", texto,
             {"n\u00FAmero que no se puede leer (se tom\u00F3 como 0)" + parte + "folio 1, Factura A1, columna Cantidad: \u00AB2,5\u00BB | en el reporte"});
        fila("cantidad de texto con punto", pago, "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)", texto, {});
        fila("fecha con dia cero", "(1,'2018-02-00','C2',10,0)", "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)", "",
             {"fecha de pago que no es un d\u00EDa del calendario (el Log la deja en blanco)" + parte
              + "folio 1: 2018-02-00 | en el reporte"});
        fila("importe de mil billones", pago, "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1e14,10,0,10)", "",
             {"importe que el reporte no puede escribir en cifras (se escribi\u00F3 con exponente) | RFC: XAXX010101000 | "
              "Nombre: PUBLICO EN GENERAL | campo 13 (importe): 1E+15 | en el reporte"});
    }
    void datosQueNoLleganAlReporte()
    {
        QFETCH(QString, pago);
        QFETCH(QString, anexo);
        QFETCH(QString, factura);
        QFETCH(QString, detalle);
        QFETCH(QString, cambio);
        QFETCH(QStringList, hallazgos);
        QFETCH(bool, vacio);
        agregarPagos(qPrintable(pago), qPrintable(anexo), qPrintable(factura), qPrintable(detalle));
        bd.ejecutar(cambio.arg(QTest::currentDataTag() == QByteArray("cantidad con coma") ? "2,5" : "2.5"));
        const Corrida c = correr(true, false);
        if (!cambio.isEmpty())
            bd.ejecutar(QStringLiteral("DELETE FROM facturasdetalle;\nALTER TABLE facturasdetalle MODIFY Cantidad DOUBLE NULL DEFAULT 0;\n"));
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Completo));
        QCOMPARE(QString::fromLatin1(c.revision).split(QStringLiteral("\r\n")).mid(1), hallazgos + QStringList{QString()});
        QCOMPARE(c.avisoDeReporteVacio,
                 vacio ? QStringLiteral("El reporte qued\u00F3 vac\u00EDo: ning\u00FAn pago lleg\u00F3 a \u00E9l (pagos procesados: 1; aplicados "
                                        "a documentos que no existen o que no tienen l\u00EDneas: 1, en la revisi\u00F3n). El Log "
                                        "muestra los pagos.")
                       : QString());
        // The Log shows the payment whose amount went nowhere.
        QVERIFY(!vacio || c.log.startsWith("Pago ---> Folio 1, "));
    }

    void valoresNulosYProductosInexistentes()
    {
        // A party missing from the catalogue, a party without RFC, a missing product on the first
        // line, a product without presentation and one without category.
        agregarPagos("(1,'2018-01-10','ZZZ',100,0),(2,'2018-01-11','C5',100,0),(3,'2018-01-12','C4',100,0)",
                     "(1,1,100),(2,2,100),(3,3,100)", "(1,'A',1,99,0,1,0),(2,'B',2,99,0,1,0),(3,'C',3,99,0,1,0)",
                     "(1,1,'NOHAY',1,10,0,10),(1,2,'SINLIN',1,10,0,10),(1,3,'P1',1,10,0,10),(2,1,'SINPED',1,10,0,10),"
                     "(2,2,'SINCAT',1,10,0,10),(3,1,'P1',1,10,0,10),(3,2,NULL,1,10,0,10)");
        const Corrida c = correr(true, true);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Completo));
        const QList<QByteArray> log = c.log.split('\n');
        QCOMPARE(log[0], QByteArray("Null: \r"));
        QCOMPARE(log[3], QByteArray("                             Producto: NOHAY, Linea: , Cantidad: 1, Precio: 10.00, Importe: 10.00\r"));
        QCOMPARE(log[4], QByteArray("                                       Null\r")); // no product row: no category
        QVERIFY(log[7].endsWith("Campo 5: , Clave gener.: , BOTANAS\r")); // SINLIN before any line
        QVERIFY(c.log.contains("\r\nNull: Sin RFC\r\n"));
        QVERIFY(c.log.contains("Pago ---> Folio 3, Fecha: 12/01/2018, Monto: 100.00, Cliente: C4 - CCC010101CCC: \r\n"));
        // NOHAY, SINLIN and the line without product, in the order met.
        QCOMPARE(c.cajas.first().texto,
                 QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:\r\nNOHAY\r\nSINLIN\r\n\r\n"));
        // The party without catalogue row has RFC "", name "" and state "00"; the party without RFC
        // keeps its name; SINPED adds nothing.
        QVERIFY(c.reporte.contains("C|||00|020|00|001|000|1|005|0.250|004|10|0|1|0|"));
        // SINLIN has a presentation but no line: it takes the codes of the line before it, none yet.
        QVERIFY(c.reporte.contains("C|||00||00||000|1|005|1.000|004|10|0|1|0|"));
        QVERIFY(c.reporte.contains("C||Sin RFC|14|020|00|001|000|1|005|1.000|004|10|0|1|0|"));
        QVERIFY(c.reporte.contains("C|CCC010101CCC||33|020|00|001|000|1|005|0.250|004|10|0|1|0|"));
    }

    // Data that end the run with a Spanish message naming where they are. Values the test schema
    // cannot hold come in a column altered for the case and put back after it: a NULL folio cannot
    // link the payment to its documents; a product line beyond a 32-bit integer cannot be classified.
    // Errors of the server, provoked for real, get a Spanish explanation before the server's own
    // text in parentheses; they come before the run's log is opened.
    void erroresTerminanLaCorrida_data()
    {
        QTest::addColumn<QString>("factura");
        QTest::addColumn<QString>("detalle");
        QTest::addColumn<QString>("mensaje"); // ending in "(": up to the server's own text
        QTest::addColumn<int>("lineasDeLog"); // 0: no log
        QTest::addColumn<QString>("cambio"); // after the rows are in; %1 is the database
        QTest::addColumn<QString>("deshacer");
        QTest::addColumn<QString>("usuario"); // of the run, when not the test's own
        const auto fila = [](const char *nombre, const char *factura, const char *detalle, const QString &mensaje,
                             int lineasDeLog, const char *cambio = "", const char *deshacer = "", const char *usuario = "") {
            QTest::newRow(nombre) << factura << detalle << mensaje << lineasDeLog << cambio << deshacer << usuario;
        };
        const QString nulo = QStringLiteral("Error nº 94, Uso no válido de Null: el pago 1, factura A1, columna %1 está vacía");
        fila("iva nulo", "(1,'A',1,10,0,1,0)", "(1,1,'P1',1,10,NULL,8)", nulo.arg("IVA"), 3);
        fila("folio nulo", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)",
             "Error nº 94, Uso no válido de Null: el pago con Id 7, columna Folio está vacía", 1,
             "ALTER TABLE edoctacli MODIFY Folio INT NULL;\nUPDATE edoctacli SET Id=7, Folio=NULL;\n",
             "DELETE FROM edoctacli;\nALTER TABLE edoctacli MODIFY Folio INT NOT NULL;\n");
        fila("línea más allá de un entero", "(1,'A',1,9,0,1,0)", "(1,1,'ENORME',1,9,0,10)",
             "Error nº 6, Desbordamiento: el pago 1, factura A1, columna Linea vale 3000000000, más de lo que cabe en "
             "un número entero", 3,
             "ALTER TABLE productos MODIFY Linea BIGINT NULL;\n"
             "INSERT INTO productos VALUES ('ENORME','Linea enorme',3000000000,'1','BOTANAS');\n",
             "DELETE FROM productos WHERE Clave='ENORME';\nALTER TABLE productos MODIFY Linea INT NULL;\n");
        fila("usuario sin DROP", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)",
             "Error nº 1142, el usuario de la base de datos no tiene los permisos que el reporte necesita en la base "
             "«%1»: además de consultar (SELECT) las tablas del punto de venta, debe poder crear, borrar y llenar "
             "(CREATE, DROP e INSERT) la tabla de trabajo tmptempoieps, que el reporte arma en esa misma base (", 0,
             "CREATE USER IF NOT EXISTS 'repieps_solo'@'127.0.0.1';\nGRANT SELECT ON `%1`.* TO 'repieps_solo'@'127.0.0.1';\n",
             "DROP USER 'repieps_solo'@'127.0.0.1';\n", "repieps_solo");
        fila("vista con el nombre de la tabla de trabajo", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)",
             "Error nº 1050, en la base «%1» hay otro objeto (una vista u otra tabla) con el nombre tmptempoieps, que "
             "el reporte usa para su tabla de trabajo: pida a quien administra la base que lo cambie de nombre o lo "
             "borre (", 0,
             "DROP TABLE IF EXISTS tmptempoieps;\nCREATE VIEW tmptempoieps AS SELECT 1 AS RFC;\n", "DROP VIEW tmptempoieps;\n");
        fila("claves de dos colaciones", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)",
             "Error nº 1267, la base «%1» guarda textos que el reporte compara con reglas de comparación (colaciones) "
             "distintas, que el servidor no puede comparar entre sí: pida a quien administra la base que las tablas del "
             "punto de venta usen la misma (", 0,
             "ALTER TABLE clientes MODIFY Clave VARCHAR(10) COLLATE utf8mb4_unicode_ci NOT NULL;\n",
             "ALTER TABLE clientes MODIFY Clave VARCHAR(10) NOT NULL;\n");
    }
    void erroresTerminanLaCorrida()
    {
        QFETCH(QString, factura);
        QFETCH(QString, detalle);
        QFETCH(QString, mensaje);
        QFETCH(int, lineasDeLog);
        QFETCH(QString, cambio);
        QFETCH(QString, deshacer);
        QFETCH(QString, usuario);
        agregarPagos("(1,'2018-01-10','C1',10,0)", "(1,1,10)", qPrintable(factura), qPrintable(detalle));
        bd.ejecutar(QString(cambio).replace(QLatin1String("%1"), bd.nombre()));
        if (!usuario.isEmpty())
            bases.cUsuario = usuario;
        const Corrida c = correr(true, true);
        bd.ejecutar(deshacer);
        mensaje.replace(QLatin1String("%1"), bd.nombre());
        if (mensaje.endsWith(QLatin1Char('(')))
            QVERIFY2(c.mensaje.startsWith(mensaje) && c.mensaje.endsWith(QLatin1Char(')')), qPrintable(c.mensaje));
        else
            QCOMPARE(c.mensaje, mensaje);
        // What was logged is kept beside the earlier log, under the failed run's name.
        QCOMPARE(c.logFallido.count("\r\n"), lineasDeLog);
        verificarFalloLimpio(c, lineasDeLog > 0);
    }

    // The report, the log and the review take the places of the earlier ones together or not at
    // all: a log that cannot take its place after the report and the review took theirs leaves
    // the earlier three as they were.
    void reemplazoQueFalla()
    {
        agregarPagos("(100,'2018-03-05','C1',500,0)", "(100,1,500)", "(1,'A',77,784,200,16,0)", "(1,1,'P1',10,20,16,8)");
        host::RenombradoGuard renombrado([](const QString &de, const QString &a, QString *motivo) {
            if (de.endsWith(QLatin1String("LogFallorep.txt")))
                return (*motivo = QStringLiteral("permiso denegado")), false;
            return QFile::rename(de, a);
        });
        const Corrida c = correr(true, false);
        QCOMPARE(c.mensaje, QStringLiteral("Error nº 75, No se pudo reemplazar el archivo %1: permiso denegado")
                                .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("Logrep.txt")))));
        verificarFalloLimpio(c);
    }

    // A query that the server interrupts (KILL QUERY from another connection, as a user or an
    // administrator would): here the run's statement that waits for a table another connection locked.
    void consultaInterrumpida()
    {
        agregarPagos("(1,'2018-01-10','C1',10,0)", "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)");
        host::Conexion bloqueo;
        QVERIFY(bd.bases.AbrirBdD(bloqueo, bd.nombre()));
        bloqueo.Execute(QStringLiteral("LOCK TABLES edoctacli WRITE"));
        const int bloqueador = bloqueo.Valor(QStringLiteral("SELECT CONNECTION_ID()")).toInt();
        bool interrumpio = false;
        // Then the locking connection ends, so that the tables are free again.
        std::unique_ptr<QThread> interruptor(QThread::create([this, bloqueador, &interrumpio] {
            host::Conexion cn;
            if (!bd.bases.AbrirBdD(cn, bd.nombre()))
                return;
            for (int i = 0; i < 200 && !interrumpio; ++i) {
                const QVariant id = cn.Valor(QStringLiteral("SELECT ID FROM information_schema.PROCESSLIST WHERE "
                                                            "DB=DATABASE() AND STATE LIKE 'Waiting for table%' LIMIT 1"));
                if (!id.isNull())
                    cn.Execute(QStringLiteral("KILL QUERY %1").arg(id.toLongLong()));
                interrumpio = !id.isNull();
                QThread::msleep(50);
            }
            cn.Execute(QStringLiteral("KILL %1").arg(bloqueador));
        }));
        interruptor->start();
        const Corrida c = correr(true, true);
        interruptor->wait();
        QVERIFY(interrumpio);
        QVERIFY2(c.mensaje.startsWith(QStringLiteral("Error nº 1317, el servidor interrumpió la consulta: se canceló desde "
                                                     "otra conexión o el servidor se está deteniendo (")),
                 qPrintable(c.mensaje));
        verificarFalloLimpio(c, false);
    }

    // Whatever ends the run while its second payment is shown ends it with a Spanish message and
    // the database as it was found: the server dropping the run's connection, or running out of
    // memory inside the run's transaction.
    void finAMitadDeLaCorrida_data()
    {
        QTest::addColumn<bool>("conexionPerdida");
        QTest::addColumn<QString>("mensaje"); // up to the server's own text, when it has one
        QTest::addColumn<int>("pagosEnElLog");
        QTest::newRow("conexion perdida") << true << "Error nº 2013, Se perdió la conexión con el servidor de base de datos (" << 2;
        QTest::newRow("sin memoria") << false
                                     << "No hubo memoria suficiente para terminar el proceso. Cierre otros programas o "
                                        "elija un periodo más corto y vuelva a intentarlo."
                                     << 1;
    }
    void finAMitadDeLaCorrida()
    {
        QFETCH(bool, conexionPerdida);
        QFETCH(QString, mensaje);
        QFETCH(int, pagosEnElLog);
        // Two payments of customer C1 on 10 and 11 January 2018, each paying 10 of invoice A1.
        agregarPagos("(1,'2018-01-10','C1',10,0),(2,'2018-01-11','C1',10,0)", "(1,1,10),(2,1,10)", "(1,'A',1,19,0,1,0)",
                     "(1,1,'P1',1,10,0,10)");
        VistaPrueba vista;
        host::Conexion otra;
        QVERIFY(bd.bases.AbrirBdD(otra, bd.nombre()));
        vista.alMostrar = [&](const QString &t) {
            if (!t.startsWith(QLatin1String("Fecha 11/01/2018")))
                return;
            if (!conexionPerdida)
                throw std::bad_alloc();
            otra.Execute(QStringLiteral("KILL %1").arg(vista.corrida->Valor(QStringLiteral("SELECT CONNECTION_ID()")).toInt()));
        };
        const Corrida c = correr(true, true, QString(), &vista);
        QVERIFY2(conexionPerdida ? c.mensaje.startsWith(mensaje) : c.mensaje == mensaje, qPrintable(c.mensaje));
        QCOMPARE(c.logFallido.count("Pago ---> "), pagosEnElLog);
        verificarFalloLimpio(c);
    }

    // A point of sale that edits a later payment while the run goes, on a server whose sessions
    // read at READ COMMITTED: the figures are those of the moment the run started, as on the rows
    // left alone, and the MyISAM catalogue, which cannot be read so, is named in the review. A
    // cancel once the payments are done, as the work table is to be filled, leaves those files.
    void unSoloMomentoYCancelarAlFinal()
    {
        agregarPagos("(1,'2018-01-10','C1',10,0),(2,'2018-01-11','C1',10,0),(3,'2018-01-12','C1',10,0)",
                     "(1,1,10),(2,1,10),(3,1,10)", "(1,'A',1,29,0,1,0)", "(1,1,'P1',1,10,0,10)");
        bd.ejecutar(QStringLiteral("ALTER TABLE productos ENGINE=MyISAM;\n"));
        const Corrida quieta = correr(true, true);
        const QString nivel = bd.cn.Valor(QStringLiteral("SELECT @@GLOBAL.tx_isolation")).toString();
        bd.cn.Execute(QStringLiteral("SET GLOBAL tx_isolation='READ-COMMITTED'"));
        VistaPrueba vista;
        vista.alMostrar = [this](const QString &t) {
            if (t.startsWith(QLatin1String("Fecha 10/01/2018")))
                bd.cn.Execute(QStringLiteral("UPDATE anexopagosctes SET Cantidad=5 WHERE FolioDelPago=3"));
        };
        const Corrida movida = correr(true, true, QString(), &vista);
        bd.ejecutar(QStringLiteral("SET GLOBAL tx_isolation='%1';\nALTER TABLE productos ENGINE=InnoDB;\n").arg(nivel));
        QCOMPARE(movida.log + movida.reporte, quieta.log + quieta.reporte);
        QVERIFY(movida.revision.endsWith("\r\ntablas que no se pueden leer en un solo momento (si el punto de venta escribe "
                                         "durante la corrida, las cifras pueden mezclar momentos distintos) | RFC:  | "
                                         "productos (MyISAM) | fuera del reporte\r\n"));
        vista.cancelarTrasLosPagos = true;
        const Corrida cancelada = correr(true, true, QString(), &vista);
        QCOMPARE(cancelada.mensaje.toUtf8() + cancelada.reporte, "Error nº 1317, Proceso cancelado" + movida.reporte);
    }

    void otraCorridaEnCursoNoCambiaNada()
    {
        bd.ejecutar(QStringLiteral(
            "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,'2018-01-10','C1',10,0);\n"
            "DROP TABLE IF EXISTS tmptempoieps;\nCREATE TABLE tmptempoieps (RFC VARCHAR(13));\nINSERT INTO tmptempoieps VALUES ('DE OTRA');\n"));
        host::Conexion otra;
        QVERIFY(bd.bases.AbrirBdD(otra, bd.nombre()));
        QCOMPARE(tomarBloqueo(otra), 1);
        const Corrida c = correr(true, true);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::Ocupada));
        QVERIFY(c.cajas[0].texto.startsWith(QStringLiteral("Otro reporte de IEPS se está generando")));
        QCOMPARE(bd.cn.Valor(QStringLiteral("SELECT RFC FROM tmptempoieps")).toString(), QStringLiteral("DE OTRA"));
        QCOMPARE(c.log, QByteArray("anterior Logrep.txt"));
        bd.cn.Execute(QStringLiteral("DROP TABLE tmptempoieps"));
        QCOMPARE(soltarBloqueo(otra), 1);
    }

    // The network to the server goes silent mid-run (the proxy forwards nothing more, its sockets
    // stay open): the run gives up when its wait runs out and ends its own session from a second
    // connection, so that an ALTER TABLE and a new run need not wait for the server's wait_timeout.
#ifndef Q_OS_WIN // the proxy is for Linux only
    void redCalladaNoDejaLaBaseTomada()
    {
        agregarPagos("(1,'2018-01-10','C1',10,0)", "(1,1,10)", "(1,'A',1,9,0,1,0)", "(1,1,'P1',1,9,0,10)");
        QProcess proxy;
        proxy.start(QStringLiteral(REPIEPS_BIN "/repieps-proxy"),
                    {"--escuchar", "0", "--destino", "127.0.0.1:" + bd.bases.cPuerto, "--retardo-us", "0"});
        QVERIFY(proxy.waitForReadyRead(10000));
        bases.cPuerto = QString::fromLatin1(proxy.readLine()).trimmed();
        bases.nEsperaSegundos = 3;
        VistaPrueba vista;
        vista.alMostrar = [&](const QString &t) {
            if (t.startsWith(QLatin1String("Fecha")) && proxy.write("congelar\n") > 0)
                proxy.waitForReadyRead(10000); // "congelado"
        };
        const Corrida callada = correr(true, true, QString(), &vista);
        QCOMPARE(int(callada.resultado), int(clsRepIEPS::Resultado::Error));
        // The wait ran out: that is what the user reads, whichever way the client library words it.
        QVERIFY2(callada.mensaje.contains(QStringLiteral("no respondió en 3 segundos")), qPrintable(callada.mensaje));
        QVERIFY_THROWS_NO_EXCEPTION(bd.cn.Execute(
            QStringLiteral("SET STATEMENT lock_wait_timeout=1 FOR ALTER TABLE edoctacli COMMENT 'tras una red callada'")));
        bases = bd.bases;
        QCOMPARE(int(correr(true, true).resultado), int(clsRepIEPS::Resultado::Completo));
        proxy.close();
    }
#endif

    void sinConexionDiceElMotivo()
    {
        bases.cPuerto = QStringLiteral("1");
        const Corrida c = correr(true, false);
        QCOMPARE(int(c.resultado), int(clsRepIEPS::Resultado::SinConexion));
        QCOMPARE(c.cajas.size(), 2);
        QVERIFY(c.cajas[0].texto.contains(QLatin1String("puerto 1")));
        QCOMPARE(c.cajas[1].texto, QStringLiteral("Fin del proceso"));
        QCOMPARE(c.archivo, QStringLiteral("rep.txt"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int fallas = 0;
    for (const auto lectura : {clsRepIEPS::Lectura::PorPeriodo, clsRepIEPS::Lectura::PorRenglon}) {
        TestBdReporte prueba(lectura);
        fallas += QTest::qExec(&prueba, argc, argv);
    }
    return fallas;
}
#include "TestBdReporte.moc"

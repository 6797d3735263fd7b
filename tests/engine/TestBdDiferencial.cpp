#include "Archivos.h"
#include "BaseDePrueba.h"
#include "CorridaDePrueba.h"
#include "DetalleDelReporte.h"
#include "Errores.h"
#include "Procesos.h"
#include "clsRepIEPS.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using engine::clsRepIEPS;

namespace {

// Sample databases: seed and customer payments of the quarter, and the customer and the supplier
// with most payments in the quarter (the party of --clave).
struct Muestra {
    int semilla;
    int pagos;
    const char *cliente, *proveedor;
};
const Muestra Muestras[] = {{1, 600, "00041", "P0007"}, {2, 150, "00012", "P0004"}, {3, 150, "00025", "P0007"}};

QString NombreMuestra(const Muestra &m)
{
    return QStringLiteral("s%1p%2").arg(m.semilla).arg(m.pagos);
}

// A change made to a freshly loaded sample before both readings run on it. The selector finds
// the row to change (it must find one: otherwise the case would test nothing); every %1 in the
// change is the selector's answer. Without a selector the change makes a point-of-sale schema
// other than ours, and the case says what the whole-period reading must read alone on it (a text
// of its --estadisticas lines; empty: nothing).
struct Cambio {
    const char *nombre;
    const char *selector;
    const char *cambio;
    bool proveedores = false;
    int codigo = 0;           // exit status of both runs
    const char *mensaje = ""; // on stderr of both runs (empty: nothing required)
    const char *aparte = nullptr;
    // Lines that tie on Partida: the per-row statement itself gives them in one order or another
    // from one execution to the next, so the logs are compared line by line in any order.
    bool empates = false;
};

// A customer link, paid in the second half of the quarter, to an invoice with IEPS lines.
#define ANEXO_CTE_A_MITAD                                                                                      \
    "SELECT a.Id FROM edoctacli e JOIN anexopagosctes a ON a.FolioDelPago=e.Folio AND a.Factura<>0 "           \
    "JOIN facturas f ON f.Id=a.Factura AND f.ImpuestoAd<>0 AND f.Cancelada=0 "                                 \
    "WHERE e.Fecha>='2018-02-15' AND e.Fecha<='2018-03-31' AND e.CantidadPago>0 AND e.NotaCredito=0 "         \
    "AND a.Cantidad<>0 AND EXISTS (SELECT 1 FROM facturasdetalle d WHERE d.Id=f.Id AND d.ImpuestoAd<>0) "     \
    "ORDER BY e.Fecha, e.Id, a.Id LIMIT 1"
#define ANEXO_PROV_A_MITAD                                                                                     \
    "SELECT a.Id FROM edoctaprov e JOIN anexopagosprov a ON a.FolioDelPago=e.Folio AND a.Compra<>0 "           \
    "JOIN compras c ON c.Compra=a.Compra AND c.ImpuestoAd<>0 AND c.Cancelada=0 "                               \
    "WHERE e.Fecha>='2018-02-15' AND e.Fecha<='2018-03-31' AND e.CantidadPago>0 "                             \
    "AND a.Cantidad<>0 AND EXISTS (SELECT 1 FROM comprasdetalle d WHERE d.Compra=c.Compra AND d.ImpuestoAd<>0) " \
    "ORDER BY e.Fecha, e.Id, a.Id LIMIT 1"

// Deleted links whose places later rows take again: MyISAM and Aria reuse them.
#define HUECOS(t)                                                                                               \
    "CREATE TABLE huecos AS SELECT * FROM " t " WHERE Id%5=0;\nDELETE FROM " t " WHERE Id%5=0;\n"             \
    "INSERT INTO " t " SELECT * FROM huecos ORDER BY Id DESC;\nDROP TABLE huecos"

const Cambio Cambios[] = {
    {"anexo nulo", ANEXO_CTE_A_MITAD, "UPDATE anexopagosctes SET Cantidad=NULL WHERE Id=%1", false, 1,
     "Error nº 94, Uso no válido de Null"},
    {"compra de total cero",
     "SELECT Compra FROM anexopagosprov WHERE Id=(" ANEXO_PROV_A_MITAD ")",
     "UPDATE compras SET IVA=0, SubTotal=-ImpuestoAd WHERE Compra=%1", true, 1, "Error nº 11, División por cero"},
    {"partida nula",
     "SELECT Factura FROM anexopagosctes WHERE Id=(" ANEXO_CTE_A_MITAD ")",
     "UPDATE facturasdetalle SET Cantidad=NULL WHERE Id=%1 AND ImpuestoAd<>0", false, 1,
     "Error nº 94, Uso no válido de Null"},
    // Two payments of the period share one folio: each takes the links of both.
    {"folio repetido",
     "SELECT Folio FROM edoctacli WHERE Fecha>='2018-02-15' AND CantidadPago>0 AND NotaCredito=0 "
     "ORDER BY Fecha, Id LIMIT 1",
     "UPDATE edoctacli SET Folio=%1 WHERE Id=(SELECT Id FROM (SELECT Id FROM edoctacli WHERE Fecha>='2018-03-01' "
     "AND CantidadPago>0 AND NotaCredito=0 ORDER BY Fecha, Id LIMIT 1) x)",
     false, 0, ""},
    // The server matches keys without regard to case or trailing blanks.
    {"claves en minusculas",
     "SELECT 1 FROM facturasdetalle d JOIN productos p ON p.Clave=d.Producto WHERE d.Producto LIKE 'GRA-%' LIMIT 1",
     "UPDATE facturasdetalle SET Producto=CONCAT(LOWER(Producto),' ') WHERE Producto LIKE 'GRA-%';\n"
     "UPDATE edoctacli SET Clave=CONCAT(LOWER(Clave),' ') WHERE Clave IN ('MOSTRADOR','PUBGRAL','EVENTUAL')",
     false, 0, ""},
    // Links to a document that does not exist, and the same document twice in one payment.
    {"documento inexistente y repetido", ANEXO_CTE_A_MITAD,
     "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) SELECT FolioDelPago,999999,10 FROM anexopagosctes "
     "WHERE Id=%1;\nINSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) SELECT FolioDelPago,Factura,1 "
     "FROM anexopagosctes WHERE Id=%1",
     false, 0, ""},
    // Schemas of other shapes, with and without ties in the data; links whose order the table
    // does not vouch for, with deleted rows' places taken again.
    {"anexos y documentos MyISAM", nullptr,
     "ALTER TABLE anexopagosctes ENGINE=MyISAM;\nALTER TABLE anexopagosprov ENGINE=MyISAM;\n"
     "ALTER TABLE facturas ENGINE=MyISAM;\nALTER TABLE compras ENGINE=MyISAM;\n" HUECOS("anexopagosctes") ";\n"
     HUECOS("anexopagosprov"),
     false, 0, "", "pagos con dos o más vínculos a documentos con IEPS, leídos uno por uno"},
    {"tablas latin1", nullptr,
     "ALTER TABLE clientes CONVERT TO CHARACTER SET latin1;\nALTER TABLE proveedores CONVERT TO CHARACTER SET latin1;\n"
     "ALTER TABLE productos CONVERT TO CHARACTER SET latin1;\nALTER TABLE lineas CONVERT TO CHARACTER SET latin1;\n"
     "ALTER TABLE facturas CONVERT TO CHARACTER SET latin1;\n"
     "ALTER TABLE facturasdetalle CONVERT TO CHARACTER SET latin1;\n"
     "ALTER TABLE comprasdetalle CONVERT TO CHARACTER SET latin1;\nALTER DATABASE CHARACTER SET latin1",
     false, 0, "", ""},
    {"detalle con partidas empatadas", nullptr,
     "ALTER TABLE facturasdetalle DROP PRIMARY KEY, ADD Num INT NOT NULL AUTO_INCREMENT PRIMARY KEY, ADD KEY (Id);\n"
     "ALTER TABLE comprasdetalle DROP PRIMARY KEY, ADD Num INT NOT NULL AUTO_INCREMENT PRIMARY KEY, ADD KEY (Compra);\n"
     "UPDATE facturasdetalle SET Partida=1 WHERE Partida=2 AND Id%3=0;\n"
     "UPDATE comprasdetalle SET Partida=1 WHERE Partida=2 AND Compra%3=0",
     false, 0, "", "documentos con dos líneas en la misma Partida, leídos uno por uno", true},
    {"productos con clave repetida", nullptr,
     "ALTER TABLE productos DROP PRIMARY KEY, ADD KEY (Clave);\n"
     "INSERT INTO productos (Clave,Descripcion,Linea,Pedimento,CategoriaIEPS) SELECT Clave,'Otra',Linea,'7',"
     "CategoriaIEPS FROM productos WHERE Linea IS NOT NULL ORDER BY Clave LIMIT 5",
     false, 0, "", "documentos con dos líneas en la misma Partida, leídos uno por uno", true},
    {"lineas con Id repetido", nullptr,
     "ALTER TABLE lineas DROP PRIMARY KEY;\nINSERT INTO lineas SELECT Id,CONCAT('OTRA ',Linea) FROM lineas",
     false, 0, "", "líneas de productos cuyo Id se repite, leídas una por una"},
    {"documentos con llave repetida", nullptr,
     "ALTER TABLE facturas DROP PRIMARY KEY, ADD KEY (Id);\nALTER TABLE compras DROP PRIMARY KEY, ADD KEY (Compra);\n"
     "INSERT INTO facturas SELECT Id,'Z',Factura+1,Fecha,Cliente,SubTotal*2,IVA,ImpuestoAd,0 FROM facturas "
     "WHERE ImpuestoAd<>0 AND Id%4=0;\n"
     "INSERT INTO compras SELECT Compra,Fecha,Proveedor,SubTotal*2,IVA,ImpuestoAd,0 FROM compras "
     "WHERE ImpuestoAd<>0 AND Compra%4=0",
     false, 0, "", "documentos cuya llave se repite, leídos uno por uno"},
    // Payments at every time of day, in the order of their Id within a day; some at the day's
    // last microsecond.
    {"Fecha con hora", nullptr,
     "ALTER TABLE edoctacli MODIFY Fecha DATETIME(6) NOT NULL;\nALTER TABLE edoctaprov MODIFY Fecha DATETIME NOT NULL;\n"
     "UPDATE edoctacli SET Fecha=Fecha + INTERVAL Id*37 SECOND;\nUPDATE edoctaprov SET Fecha=Fecha + INTERVAL Id*37 SECOND;\n"
     "UPDATE edoctacli SET Fecha=DATE(Fecha) + INTERVAL 86399999999 MICROSECOND WHERE Id%9=0",
     false, 0, "", ""},
};

const Cambio *BuscarCambio(const QString &nombre)
{
    for (const Cambio &c : Cambios)
        if (nombre == QLatin1String(c.nombre))
            return &c;
    return nullptr;
}

// Two outputs must be equal; else the first line where they part, readable, fails the test.
void Iguales(const QString &que, const QByteArray &periodo, const QByteArray &renglon)
{
    if (periodo == renglon)
        return;
    const QList<QByteArray> a = periodo.split('\n'), b = renglon.split('\n');
    int i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    QFAIL(qPrintable(QStringLiteral("%1, línea %2 (de %3 y %4):\n  por periodo: %5\n  por renglón: %6")
                         .arg(que, QString::number(i + 1), QString::number(a.size()), QString::number(b.size()),
                              QString::fromLatin1(a.value(i, "<fin>").left(400)),
                              QString::fromLatin1(b.value(i, "<fin>").left(400)))));
}

} // namespace

// The whole-period reading against the row-by-row reading on generated databases: both must
// give the same files, messages and exit status, byte for byte.
class TestBdDiferencial : public QObject {
    Q_OBJECT

private:
    QMap<QString, QString> sql_;                          // sample name -> its INSERTs
    QMap<QString, std::shared_ptr<BaseDePrueba>> bases_; // sample name -> loaded database

    struct Corrida {
        int codigo = -1;
        QByteArray out, err;
        QMap<QString, QByteArray> archivos;
        QByteArray lectura; // as the statistics line tells it
        QByteArray aparte;  // what the whole-period reading read alone, as it tells it
    };

    std::shared_ptr<BaseDePrueba> cargar(const QString &muestra)
    {
        auto bd = std::make_shared<BaseDePrueba>(QStringLiteral("dif"));
        if (!bd->lista())
            return nullptr;
        bd->ejecutar(sql_.value(muestra));
        return bd;
    }

    Corrida correr(const BaseDePrueba &bd, const QStringList &args, bool porRenglon)
    {
        QTemporaryDir dir;
        const Salida p = Correr(ProgramaCli,
                                args + QStringList{"--archivo", "rep.txt", "--carpeta", dir.path(), "--estadisticas"}
                                    + bd.conexion() + (porRenglon ? QStringList{"--consultas-por-renglon"} : QStringList()));
        Corrida s;
        s.codigo = p.codigo;
        s.out = p.out.toUtf8().replace(QDir::toNativeSeparators(dir.path()).toUtf8(), "<carpeta>");
        // The statistics (times, statement counts, the reading used) differ by design: they are
        // taken out of what is compared.
        for (const QByteArray &l : p.err.toUtf8().split('\n')) {
            if (l.startsWith("pagos="))
                s.lectura = l.mid(l.indexOf("lectura=") + 8);
            else if (l.startsWith("Se ley\xC3\xB3 aparte: "))
                s.aparte += l + '\n';
            else if (l.startsWith("Se ley\xC3\xB3"))
                s.lectura += " " + l;
            else
                s.err += QByteArray(l).replace(QDir::toNativeSeparators(dir.path()).toUtf8(), "<carpeta>") + '\n';
        }
        s.err.chop(1);
        for (const QString &a : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
            s.archivos[a] = LeerArchivo(dir.filePath(a));
        return s;
    }

    // Runs both readings and compares everything they leave; what the whole-period reading read
    // alone goes to *aparte.
    void compararCli(const BaseDePrueba &bd, const QStringList &args, int codigo, const QString &mensaje,
                     bool empates = false, QByteArray *aparte = nullptr)
    {
        const Corrida periodo = correr(bd, args, false), renglon = correr(bd, args, true);
        if (aparte)
            *aparte = periodo.aparte;
        QCOMPARE(periodo.codigo, renglon.codigo);
        // A silent fall-back would compare the per-row reading with itself.
        QCOMPARE(periodo.lectura, QByteArray("periodo"));
        QCOMPARE(renglon.lectura, QByteArray("renglon"));
        QCOMPARE(periodo.archivos.keys(), renglon.archivos.keys());
        // The order the engine leaves to the server (parties of equal total, the rows of one party,
        // log lines that tie on Partida) is forgiven: with the same lines, everything else in the
        // order comes from the same code in both readings.
        for (const QString &a : periodo.archivos.keys()) {
            if (a.startsWith(QLatin1String("Log")) && !empates)
                Iguales(a, periodo.archivos[a], renglon.archivos[a]);
            else
                Iguales(a, LineasOrdenadas(periodo.archivos[a]), LineasOrdenadas(renglon.archivos[a]));
        }
        Iguales(QStringLiteral("stdout"), periodo.out, renglon.out);
        Iguales(QStringLiteral("stderr"), periodo.err, renglon.err);
        // The case is the one meant: a report, an error at the expected place, or nothing to do.
        QVERIFY2(periodo.codigo == codigo, qPrintable(QString::fromUtf8(periodo.err)));
        QVERIFY2(QString::fromUtf8(periodo.err).contains(mensaje), qPrintable(QString::fromUtf8(periodo.err)));
        if (codigo == 0) {
            QVERIFY(periodo.archivos.value(QStringLiteral("Logrep.txt")).size() > 0);
            // Every report line is the sum of its lines in the detail beside it.
            engine::ResumenDeReporte reporte;
            engine::DetalleDelReporte detalle;
            QString motivo;
            QVERIFY(engine::LeerResumen(periodo.archivos.value(QStringLiteral("rep.txt")), reporte, &motivo));
            QVERIFY2(engine::LeerDetalle(periodo.archivos.value(QStringLiteral("Detallerep.txt")), reporte, detalle, &motivo),
                     qPrintable(motivo));
        }
        if (codigo == 1)
            QVERIFY(periodo.archivos.value(QStringLiteral("LogFallorep.txt")).count("\r\n") > 20);
    }

    // Applies a change to a fresh copy of a sample.
    std::shared_ptr<BaseDePrueba> cambiada(const QString &muestra, const Cambio &c)
    {
        auto bd = cargar(muestra);
        if (!bd)
            return nullptr;
        const QVariant fila = c.selector ? bd->cn.Valor(QString::fromUtf8(c.selector)) : QVariant(0);
        if (fila.isNull())
            return nullptr;
        QString sql = QString::fromUtf8(c.cambio);
        sql.replace(QLatin1String("%1"), fila.toString());
        bd->ejecutar(sql + QStringLiteral(";\n"));
        return bd;
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const Muestra &m : Muestras) {
            const QString nombre = NombreMuestra(m);
            const Salida g = Correr(QStringLiteral(REPIEPS_BIN "/repieps-generador"),
                                    {"--semilla", QString::number(m.semilla), "--pagos", QString::number(m.pagos)});
            sql_[nombre] = g.out;
            QVERIFY2(g.codigo == 0 && g.out.contains(QLatin1String("INSERT INTO edoctacli")),
                     "repieps-generador no produjo la base de muestra (¿está compilado?)");
            bases_[nombre] = cargar(nombre);
            QVERIFY2(bases_[nombre], "No se pudo crear la base de prueba");
        }
    }
    void cleanupTestCase() { bases_.clear(); }

    void cli_data()
    {
        QTest::addColumn<QString>("muestra");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("codigo");
        // Every combination of the options that change what is read.
        const QList<QStringList> opciones{{"--proveedores"}, {"--por-categoria"}, {"--todos-los-pagos"}, {"--clave", "<clave>"}};
        for (const Muestra &m : Muestras) {
            const QString muestra = NombreMuestra(m);
            for (int modo = 0; modo < 16; ++modo) {
                QStringList args = Trimestre;
                for (int o = 0; o < opciones.size(); ++o)
                    if (modo & (1 << o))
                        args << opciones[o];
                args.replaceInStrings(QStringLiteral("<clave>"), (modo & 1) ? m.proveedor : m.cliente);
                QTest::addRow("%s", qPrintable((QStringList{muestra, "trimestre"} + args.mid(4)).join(u' ')))
                    << muestra << args << 0;
            }
            for (bool prov : {false, true}) {
                const QStringList lado = prov ? QStringList{"--proveedores"} : QStringList();
                QTest::addRow("%s %s periodo vacio", qPrintable(muestra), prov ? "proveedores" : "clientes")
                    << muestra << QStringList{"--desde", "01/06/2018", "--hasta", "30/06/2018"} + lado << 3;
                // Past both ends of the quarter, where the sample has payments too.
                QTest::addRow("%s %s periodo amplio", qPrintable(muestra), prov ? "proveedores" : "clientes")
                    << muestra << QStringList{"--desde", "01/12/2017", "--hasta", "30/04/2018", "--todos-los-pagos"} + lado
                    << 0;
                QTest::addRow("%s %s medio periodo", qPrintable(muestra), prov ? "proveedores" : "clientes")
                    << muestra << QStringList{"--desde", "17/01/2018", "--hasta", "16/02/2018"} + lado << 0;
            }
        }
    }
    void cli()
    {
        QFETCH(QString, muestra);
        QFETCH(QStringList, args);
        QFETCH(int, codigo);
        compararCli(*bases_.value(muestra), args, codigo, QString());
    }

    // The demonstration's database (tools/demo.sh), once per side: its trail must add up too.
    void demo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("clientes") << Trimestre;
        QTest::newRow("proveedores") << Trimestre + QStringList{"--proveedores"};
    }
    void demo()
    {
        QFETCH(QStringList, args);
        if (!sql_.contains(QStringLiteral("demo"))) {
            sql_[QStringLiteral("demo")] =
                Correr(QStringLiteral(REPIEPS_BIN "/repieps-generador"), {"--semilla", "2018", "--pagos", "2000"}).out;
            bases_[QStringLiteral("demo")] = cargar(QStringLiteral("demo"));
        }
        QVERIFY2(bases_.value(QStringLiteral("demo")), "No se pudo crear la base de la demostración");
        compararCli(*bases_.value(QStringLiteral("demo")), args, 0, QString());
    }

    // A change runs on its side of the quarter with and without --todos-los-pagos; a schema of
    // another shape in every mode.
    void cambios_data()
    {
        QTest::addColumn<QString>("cambio");
        QTest::addColumn<QStringList>("args");
        for (const Cambio &c : Cambios) {
            const QStringList lado = c.proveedores ? QStringList{"--proveedores"} : QStringList();
            if (c.selector) {
                QTest::addRow("%s", c.nombre) << QString::fromUtf8(c.nombre) << Trimestre + lado;
                QTest::addRow("%s todos", c.nombre) << QString::fromUtf8(c.nombre) << Trimestre + lado + QStringList{"--todos-los-pagos"};
                continue;
            }
            QTest::addRow("%s clientes todos", c.nombre) << QString::fromUtf8(c.nombre) << Trimestre + QStringList{"--todos-los-pagos"};
            QTest::addRow("%s proveedores", c.nombre) << QString::fromUtf8(c.nombre) << Trimestre + QStringList{"--proveedores"};
            QTest::addRow("%s clientes por-categoria medio periodo", c.nombre)
                << QString::fromUtf8(c.nombre) << QStringList{"--desde", "17/01/2018", "--hasta", "16/02/2018", "--por-categoria"};
        }
    }
    void cambios()
    {
        QFETCH(QString, cambio);
        QFETCH(QStringList, args);
        const Cambio &c = *BuscarCambio(cambio);
        const auto bd = cambiada(QStringLiteral("s2p150"), c);
        QVERIFY2(bd, "El cambio no encontró a qué aplicarse");
        QByteArray aparte;
        compararCli(*bd, args, c.codigo, QString::fromUtf8(c.mensaje), c.empates, &aparte);
        // The case is the one meant: the doubt was met where the schema has one, and nothing was
        // read alone where it has none.
        if (c.aparte && !QTest::currentTestFailed())
            QVERIFY2(*c.aparte ? aparte.contains(c.aparte) : aparte.isEmpty(), aparte.constData());
    }

    // The engine itself with small batches, so that payments, links and lines fall across batch
    // boundaries; the progress calls must match too.
    void lotes_data()
    {
        QTest::addColumn<int>("lote");
        QTest::addColumn<bool>("proveedores");
        QTest::addColumn<bool>("todos");
        QTest::addColumn<QString>("cambio");
        for (int lote : {1, 2, 7})
            for (bool prov : {false, true})
                QTest::addRow("lote %d %s", lote, prov ? "proveedores" : "clientes") << lote << prov << (lote != 2) << QString();
        QTest::newRow("lote 7 anexo nulo") << 7 << false << true << "anexo nulo";
        QTest::newRow("lote 2 compra de total cero") << 2 << true << false << "compra de total cero";
        QTest::newRow("lote 1 folio repetido") << 1 << false << false << "folio repetido";
        QTest::newRow("lote 2 documento inexistente y repetido") << 2 << false << true << "documento inexistente y repetido";
        QTest::newRow("lote 3 anexos y documentos MyISAM") << 3 << false << true << "anexos y documentos MyISAM";
    }
    void lotes()
    {
        QFETCH(int, lote);
        QFETCH(bool, proveedores);
        QFETCH(bool, todos);
        QFETCH(QString, cambio);
        const auto bd =
            cambio.isEmpty() ? bases_.value(QStringLiteral("s3p150")) : cambiada(QStringLiteral("s3p150"), *BuscarCambio(cambio));
        QVERIFY2(bd, "El cambio no encontró a qué aplicarse");

        // A run's log, report and calls on the window, and then the rest of what it leaves; the
        // whole-period run must not fall back to the per-row reading.
        const auto correrMotor = [&](clsRepIEPS::Lectura lectura) {
            CorridaDePrueba c(bd->bases, lectura);
            c.rep.setPagosPorLote(lote);
            c.Correr(!proveedores, todos);
            QList<QByteArray> r{c.Log(), LineasOrdenadas(c.Reporte()), c.vista.llamadas.join(u'\n').toUtf8(),
                                QByteArray::number(int(c.rep.resultado())), c.rep.mensajeError().toUtf8(),
                                c.rep.productosInexistentes().join(u',').toUtf8(), QByteArray::number(c.rep.pagosProcesados()),
                                QByteArray::number(c.rep.lineasProcesadas())};
            r << (c.rep.lecturaUsada() == lectura ? "leyó como se le pidió" : "leyó de otro modo");
            for (const auto &caja : c.dialogos.cajas)
                r << caja.texto.toUtf8();
            return r;
        };
        const QList<QByteArray> periodo = correrMotor(clsRepIEPS::Lectura::PorPeriodo);
        const QList<QByteArray> renglon = correrMotor(clsRepIEPS::Lectura::PorRenglon);
        Iguales(QStringLiteral("log"), periodo[0], renglon[0]);
        Iguales(QStringLiteral("reporte"), periodo[1], renglon[1]);
        QCOMPARE(periodo.mid(2), renglon.mid(2));
        QVERIFY(periodo[6].toInt() > 2 * lote);
        QCOMPARE(periodo[3].toInt(), int(cambio.isEmpty() || !BuscarCambio(cambio)->codigo ? clsRepIEPS::Resultado::Completo
                                                                                           : clsRepIEPS::Resultado::Error));
    }
};

QTEST_GUILESS_MAIN(TestBdDiferencial)
#include "TestBdDiferencial.moc"

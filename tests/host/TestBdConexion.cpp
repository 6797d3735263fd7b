#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "Conexion.h"
#include "Errores.h"
#include "Registros.h"

#include <QtTest>

using namespace host;

// The shared connection and record sets against the real test server.
class TestBdConexion : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;

    int idConexion(Conexion &cn) { return cn.Valor(QStringLiteral("SELECT CONNECTION_ID()")).toInt(); }

private Q_SLOTS:
    void initTestCase()
    {
        bd = new BaseDePrueba(QStringLiteral("conexion"));
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(QStringLiteral(
            "INSERT INTO clientes (Clave, Nombre, RFC, Estado) VALUES "
            "('C1', 'ABARROTES LUPITA', 'AAA010101AAA', 'JALISCO'),"
            "('C2', NULL, '', ''),"
            "('O''B', 'O''BRIEN Y \\\\ HIJOS', 'OBR010101AAA', 'SONORA'),"
            "('C\\\\3', 'BARRA', 'BAR010101AAA', 'SONORA');\n"));
    }
    void cleanupTestCase() { delete bd; }

    // An open connection is used again; one that the server closed is opened anew.
    void abrirReutilizaOReabre()
    {
        Conexion cn;
        QVERIFY(bd->bases.AbrirBdD(cn, bd->nombre()));
        const int id = idConexion(cn);
        QVERIFY(bd->bases.AbrirBdD(cn, bd->nombre()));
        QCOMPARE(idConexion(cn), id);
        bd->cn.Execute(QStringLiteral("KILL %1").arg(id));
        QVERIFY(bd->bases.AbrirBdD(cn, bd->nombre()));
        QVERIFY(idConexion(cn) != id);
        Registros rs;
        QVERIFY(bd->bases.AbrirTabla(rs, cn, QStringLiteral("clientes WHERE Clave='C1'"), QStringLiteral("Nombre")));
    }

    // Why a connection failed, in Spanish, with the client's own text behind it.
    void abrirDiceElMotivo_data()
    {
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("nadie escucha") << QStringLiteral("1") << QString() << QString()
                                       << QStringLiteral("el servidor no acepta conexiones en ese puerto: revise que esté "
                                                         "encendido y que el servidor y el puerto sean los correctos (");
        QTest::newRow("contraseña") << QString() << QStringLiteral("equivocada") << QString()
                                    << QStringLiteral("el servidor no aceptó el usuario o la contraseña (");
        QTest::newRow("base que no existe") << QString() << QString() << QStringLiteral("no_existe_esta")
                                            << QStringLiteral("no existe esa base de datos en el servidor (");
    }
    void abrirDiceElMotivo()
    {
        QFETCH(QString, puerto);
        QFETCH(QString, clave);
        QFETCH(QString, base);
        QFETCH(QString, motivo);
        BasesDD malas = bd->bases;
        if (!puerto.isEmpty())
            malas.cPuerto = puerto;
        if (!clave.isEmpty())
            malas.cPassword = clave;
        const QString nombre = base.isEmpty() ? bd->nombre() : base;
        Conexion cn;
        QString error;
        QVERIFY(!malas.AbrirBdD(cn, nombre, &error));
        QVERIFY(!cn.abierta());
        const QString inicio = QStringLiteral("No se pudo conectar con la base de datos «%1» en el servidor «%2», puerto %3: ")
                                   .arg(nombre, malas.cRuta, malas.cPuerto);
        QVERIFY2(error.startsWith(inicio + motivo), qPrintable(error));
    }

    // A query without rows is open at its end: nothing to read or change, and closing it
    // (twice, or one never opened) is harmless.
    void abrirTablaSinFilasQuedaAlFinal()
    {
        Registros rs;
        QVERIFY(!bd->bases.AbrirTabla(rs, bd->cn, QStringLiteral("clientes WHERE Clave='NO'"), QStringLiteral("Nombre")));
        QVERIFY(rs.abierto());
        QVERIFY(rs.Eof());
        QVERIFY_THROWS_EXCEPTION(Error, rs.Campo(QStringLiteral("Nombre")));
        QVERIFY_THROWS_EXCEPTION(Error, rs.Collect(QStringLiteral("Nombre"), QStringLiteral("x")));
        bd->bases.CierraTabla(rs);
        bd->bases.CierraTabla(rs);
        Registros nunca;
        bd->bases.CierraTabla(nunca);
    }

    void nullDistintoDeVacioYCero()
    {
        Registros rs;
        QVERIFY(bd->bases.AbrirTabla(rs, bd->cn, QStringLiteral("clientes WHERE Clave='C2'")));
        QVERIFY(rs.Campo(QStringLiteral("Nombre")).isNull());
        QVERIFY(!rs.Campo(QStringLiteral("RFC")).isNull());
        QCOMPARE(rs.Campo(QStringLiteral("rfc")).toString(), QString());
        QVERIFY(rs.Campo(QStringLiteral("Ciudad")).isNull());
    }

    // The same texts on a server that reads backslashes as escapes and on one in
    // NO_BACKSLASH_ESCAPES mode, where a doubled backslash would be two backslashes.
    void textosConComillasYBarrasNoRompenLaConsulta_data()
    {
        QTest::addColumn<bool>("sinEscapes");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("nombre");
        for (const bool sin : {false, true}) {
            const char *modo = sin ? "NO_BACKSLASH_ESCAPES: " : "con escapes: ";
            const auto fila = [&](const char *nombre) -> QTestData & { return QTest::newRow((QByteArray(modo) + nombre).constData()); };
            fila("nada que escapar") << sin << QStringLiteral("C1") << QStringLiteral("ABARROTES LUPITA");
            fila("comilla") << sin << QStringLiteral("O'B") << QStringLiteral("O'BRIEN Y \\ HIJOS");
            fila("barra") << sin << QStringLiteral("C\\3") << QStringLiteral("BARRA");
            fila("inyeccion") << sin << QStringLiteral("' OR '1'='1") << QString();
            fila("barra al final") << sin << QStringLiteral("C1\\") << QString();
            fila("barra y comilla") << sin << QStringLiteral("\\' OR 1=1 -- ") << QString();
        }
    }
    void textosConComillasYBarrasNoRompenLaConsulta()
    {
        QFETCH(bool, sinEscapes);
        QFETCH(QString, clave);
        QFETCH(QString, nombre);
        const QString previo = bd->cn.Valor(QStringLiteral("SELECT @@GLOBAL.sql_mode")).toString();
        if (sinEscapes)
            bd->cn.Execute(QStringLiteral("SET GLOBAL sql_mode=CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')"));
        Conexion cn;
        QString error;
        const bool abierta = bd->bases.AbrirBdD(cn, bd->nombre(), &error);
        bd->cn.Execute(QStringLiteral("SET GLOBAL sql_mode='%1'").arg(previo));
        QVERIFY2(abierta, qPrintable(error));
        QCOMPARE(cn.Valor(QStringLiteral("SELECT @@SESSION.sql_mode")).toString().contains(QLatin1String("NO_BACKSLASH_ESCAPES")),
                 sinEscapes);
        Registros rs;
        const bool hay = bd->bases.AbrirTabla(
            rs, cn, QStringLiteral("clientes where Clave='") + cn.Escapa(clave) + QStringLiteral("' limit 1"),
            QStringLiteral("Nombre"));
        QCOMPARE(hay, !nombre.isEmpty());
        if (hay)
            QCOMPARE(rs.Campo(QStringLiteral("Nombre")).toString(), nombre);
    }

    // A statement the server does not answer in time ends with its own message; without a limit
    // it waits.
    void servidorQueNoResponde()
    {
        BasesDD conEspera = bd->bases;
        conEspera.nEsperaSegundos = 2;
        Conexion cn;
        QVERIFY(conEspera.AbrirBdD(cn, bd->nombre()));
        try {
            cn.Valor(QStringLiteral("SELECT SLEEP(4)"));
            QFAIL("no lanzó");
        } catch (const ErrorSql &e) {
            QCOMPARE(e.texto(), QStringLiteral("Error nº 2013, El servidor de base de datos no respondió en 2 segundos"));
            QCOMPARE(e.sentencia(), QStringLiteral("SELECT SLEEP(4)"));
        }
        Conexion sinLimite;
        QVERIFY(bd->bases.AbrirBdD(sinLimite, bd->nombre()));
        QCOMPARE(sinLimite.Valor(QStringLiteral("SELECT SLEEP(1)")).toInt(), 0);
    }

    void errorDelServidorLlegaConSuMensaje()
    {
        Registros rs;
        try {
            bd->bases.AbrirTabla(rs, bd->cn, QStringLiteral("tabla_que_no_existe WHERE 1"));
            QFAIL("no lanzó");
        } catch (const ErrorSql &e) {
            QCOMPARE(e.numero(), 1146);
            QVERIFY2(e.descripcion().contains(QLatin1String("tabla_que_no_existe")), qPrintable(e.descripcion()));
            QCOMPARE(e.sentencia(), QStringLiteral("SELECT * FROM tabla_que_no_existe WHERE 1"));
        }
        try {
            bd->cn.Execute(QStringLiteral("DROP TABLE tabla_que_no_existe"));
            QFAIL("no lanzó");
        } catch (const ErrorSql &e) {
            QCOMPARE(e.numero(), 1051);
        }
    }

    // Several queries in one round trip: each answer in its own record set, in their order; one
    // that fails throws its own error, the ones after it are not run, and the connection goes on.
    void variasConsultasEnUnEnvio_data()
    {
        QTest::addColumn<QStringList>("consultas");
        QTest::addColumn<QStringList>("claves"); // each record set's Clave column, joined by ","
        QTest::addColumn<int>("error");          // the server's error number; 0: none
        QTest::newRow("en orden") << QStringList{"SELECT Clave FROM clientes WHERE Clave='C2'",
                                                 "SELECT Clave FROM clientes WHERE Clave IN ('C1','C2') ORDER BY Clave DESC",
                                                 "SELECT Clave FROM clientes WHERE 0", "SELECT 'C9' AS Clave"}
                                  << QStringList{"C2", "C2,C1", "", "C9"} << 0;
        QTest::newRow("una sola") << QStringList{"SELECT Clave FROM clientes WHERE Clave='C1'"} << QStringList{"C1"} << 0;
        QTest::newRow("falla la segunda")
            << QStringList{"SELECT 'C1' AS Clave", "SELECT Clave FROM tabla_que_no_existe",
                           "INSERT INTO clientes (Clave) VALUES ('NO')"}
            << QStringList() << 1146;
    }
    void variasConsultasEnUnEnvio()
    {
        QFETCH(QStringList, consultas);
        QFETCH(QStringList, claves);
        QFETCH(int, error);
        const qint64 antes = bd->cn.consultas();
        try {
            const QVector<Registros> rs = Registros::AbrirVarias(bd->cn, consultas);
            QCOMPARE(error, 0);
            QStringList leidas;
            for (const Registros &r : rs) {
                QStringList filas;
                for (int i = 0; i < r.cantidadFilas(); ++i)
                    filas << r.CampoDeFila(i, QStringLiteral("Clave")).toString();
                leidas << filas.join(QLatin1Char(','));
            }
            QCOMPARE(leidas, claves);
        } catch (const ErrorSql &e) {
            QCOMPARE(e.numero(), error);
            QVERIFY2(e.descripcion().contains(QLatin1String("tabla_que_no_existe")), qPrintable(e.descripcion()));
            QCOMPARE(e.sentencia(), consultas.join(QLatin1Char(';')));
        }
        QCOMPARE(bd->cn.consultas(), antes + 1);
        QCOMPARE(bd->cn.Valor(QStringLiteral("SELECT COUNT(*) FROM clientes WHERE Clave='NO'")).toInt(), 0);
    }

    void tablaDeTrabajoAgregaYActualizaLaFilaExacta_data()
    {
        QTest::addColumn<QString>("presentacion");
        QTest::newRow("0.3333") << QStringLiteral("0.3333");
        QTest::newRow("0.1") << QStringLiteral("0.1");
        QTest::newRow("1") << QStringLiteral("1");
        QTest::newRow("2.75") << QStringLiteral("2.75");
        QTest::newRow("mas de seis cifras") << QStringLiteral("1234.5678");
        QTest::newRow("ocho cifras") << QStringLiteral("0.33333334");
    }
    void tablaDeTrabajoAgregaYActualizaLaFilaExacta()
    {
        QFETCH(QString, presentacion);
        Conexion &cn = bd->cn;
        cn.Execute(QStringLiteral("DROP TABLE IF EXISTS tmptempoieps"));
        cn.Execute(QStringLiteral("Create table tmptempoieps (Clave VarChar(10) default '',RFC VarChar(13) default "
                                  "'',Nombre VarChar(120) default '',Presentacion float default 0,Importe Double "
                                  "default 0,Key( RFC,Presentacion ))"));
        // Two rows that differ only in the presentation; the update must touch exactly one.
        for (const QString &p : {presentacion, QStringLiteral("5")}) {
            Registros rs;
            QVERIFY(!bd->bases.AbrirTabla(rs, cn, QStringLiteral("tmptempoieps WHERE RFC='X' AND Presentacion=7")));
            rs.AddNew();
            rs.Collect(QStringLiteral("RFC"), QStringLiteral("X"));
            rs.Collect(QStringLiteral("Nombre"), QStringLiteral("O'Neil \\ Cía"));
            rs.Collect(QStringLiteral("Presentacion"), p);
            rs.Collect(QStringLiteral("Importe"), 0.0);
            rs.Collect(QStringLiteral("Importe"), rs.Collect(QStringLiteral("Importe")).toDouble() + 100);
            rs.Update();
        }
        const QString exacta = QString::number(double(float(presentacion.toDouble())), 'g', 17);
        for (int vez = 0; vez < 3; ++vez) {
            Registros rs;
            QVERIFY(bd->bases.AbrirTabla(rs, cn, QStringLiteral("tmptempoieps WHERE RFC='X' AND Presentacion=") + exacta));
            rs.Collect(QStringLiteral("Importe"), rs.Collect(QStringLiteral("Importe")).toDouble() + 10);
            rs.Update();
        }
        QCOMPARE(cn.Valor(QStringLiteral("SELECT COUNT(*) FROM tmptempoieps")).toInt(), 2);
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Importe FROM tmptempoieps WHERE Presentacion=") + exacta).toDouble(), 130.0);
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Importe FROM tmptempoieps WHERE Presentacion=5")).toDouble(), 100.0);
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Nombre FROM tmptempoieps LIMIT 1")).toString(), QStringLiteral("O'Neil \\ Cía"));
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Clave FROM tmptempoieps LIMIT 1")).toString(), QString());
        cn.Execute(QStringLiteral("DROP TABLE tmptempoieps"));
    }
};

QTEST_GUILESS_MAIN(TestBdConexion)
#include "TestBdConexion.moc"

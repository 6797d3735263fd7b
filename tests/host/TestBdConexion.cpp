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
    BaseDePrueba bd{QStringLiteral("conexion")};

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(bd.lista(), qPrintable(bd.error()));
        bd.ejecutar(QStringLiteral(
            "INSERT INTO clientes (Clave, Nombre, RFC, Estado) VALUES "
            "('C1', 'ABARROTES LUPITA', 'AAA010101AAA', 'JALISCO'),"
            "('C2', NULL, '', ''),"
            "('O''B', 'O''BRIEN Y \\\\ HIJOS', 'OBR010101AAA', 'SONORA'),"
            "('C\\\\3', 'BARRA', 'BAR010101AAA', 'SONORA');\n"));
        bd.cn.Execute(QStringLiteral("Create table tmptempoieps (Clave VarChar(10) default '',RFC VarChar(13) default "
                                     "'',Nombre VarChar(120) default '',Presentacion float default 0,Importe Double "
                                     "default 0,Key( RFC,Presentacion ))"));
    }

    // An open connection is used again; one that the server closed is opened anew.
    void abrirReutilizaOReabre()
    {
        Conexion cn;
        QVERIFY(bd.bases.AbrirBdD(cn, bd.nombre()));
        const qint64 id = cn.idEnServidor();
        QVERIFY(bd.bases.AbrirBdD(cn, bd.nombre()));
        QCOMPARE(cn.idEnServidor(), id);
        bd.cn.Execute(QStringLiteral("KILL %1").arg(id));
        QVERIFY(bd.bases.AbrirBdD(cn, bd.nombre()));
        QVERIFY(cn.idEnServidor() != id);
    }

    // Why a connection failed, in Spanish, with the client's own text behind it.
    void abrirDiceElMotivo_data()
    {
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("nadie escucha") << QStringLiteral("1") << bd.bases.cPassword << bd.nombre()
                                       << QStringLiteral("el servidor no acepta conexiones en ese puerto: revise que esté "
                                                         "encendido y que el servidor y el puerto sean los correctos (");
        QTest::newRow("contraseña") << bd.bases.cPuerto << QStringLiteral("equivocada") << bd.nombre()
                                    << QStringLiteral("el servidor no aceptó el usuario o la contraseña (");
        QTest::newRow("base que no existe") << bd.bases.cPuerto << bd.bases.cPassword << QStringLiteral("no_existe_esta")
                                            << QStringLiteral("no existe esa base de datos en el servidor (");
    }
    void abrirDiceElMotivo()
    {
        QFETCH(QString, puerto);
        QFETCH(QString, clave);
        QFETCH(QString, base);
        QFETCH(QString, motivo);
        BasesDD malas = bd.bases;
        malas.cPuerto = puerto;
        malas.cPassword = clave;
        Conexion cn;
        QString error;
        QVERIFY(!malas.AbrirBdD(cn, base, &error));
        const QString inicio = QStringLiteral("No se pudo conectar con la base de datos «%1» en el servidor «%2», puerto %3: ")
                                   .arg(base, malas.cRuta, malas.cPuerto);
        QVERIFY2(error.startsWith(inicio + motivo), qPrintable(error));
    }

    // A user whose statements the server refuses after the n-th: the opening stops at the set-up
    // statement that failed, closed, with what the session would lack.
    void sesionQueNoSePuedePreparar_data()
    {
        QTest::addColumn<int>("consultas");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("id") << 0 << "el servidor no dio el número de la conexión, sin el cual el proceso no se podría cancelar";
        QTest::newRow("utf-8") << 1 << "el servidor no aceptó hablar en UTF-8, y los nombres con acentos se leerían mal";
        QTest::newRow("leer modo") << 2 << "no se pudo leer el modo de la sesión (sql_mode)";
        QTest::newRow("quitar modo estricto") << 3 << "no se pudo quitar el modo estricto de la sesión (sql_mode), y un nombre largo detendría el proceso";
    }
    void sesionQueNoSePuedePreparar()
    {
        QFETCH(int, consultas);
        QFETCH(QString, motivo);
        BasesDD limitado = bd.bases;
        limitado.cUsuario = QStringLiteral("limite%1_").arg(consultas) + bd.nombre();
        bd.ejecutar(QStringLiteral("CREATE OR REPLACE USER '%1'@'127.0.0.1' WITH MAX_QUERIES_PER_HOUR %2;\n"
                                   "GRANT ALL ON `%3`.* TO '%1'@'127.0.0.1';\n").arg(limitado.cUsuario).arg(consultas + 1).arg(bd.nombre()));
        Conexion cn;
        QString error;
        QVERIFY(!limitado.AbrirBdD(cn, bd.nombre(), &error) && !cn.abierta());
        bd.ejecutar(QStringLiteral("DROP USER '%1'@'127.0.0.1';\n").arg(limitado.cUsuario));
        QVERIFY2(error.startsWith(QStringLiteral("No se pudo preparar la conexión con la base de datos «%1» en el servidor «%2», puerto %3: ")
                                      .arg(bd.nombre(), limitado.cRuta, limitado.cPuerto) + motivo
                                  + QStringLiteral(" (el usuario de la base de datos llegó a un límite de uso que el servidor le fija")),
                 qPrintable(error));
    }

    // NULL is not an empty text; the same record set opened again on a query without rows is at
    // its end, with nothing to read or change.
    void leerFilas()
    {
        Registros rs;
        QVERIFY(bd.bases.AbrirTabla(rs, bd.cn, QStringLiteral("clientes WHERE Clave='C2'")));
        QVERIFY(rs.Campo(QStringLiteral("Nombre")).isNull());
        QVERIFY(!rs.Campo(QStringLiteral("rfc")).isNull());
        QVERIFY(!bd.bases.AbrirTabla(rs, bd.cn, QStringLiteral("clientes WHERE Clave='NO'"), QStringLiteral("Nombre")));
        QVERIFY(rs.Eof());
        QVERIFY_THROWS_EXCEPTION(Error, rs.Campo(QStringLiteral("Nombre")));
        QVERIFY_THROWS_EXCEPTION(Error, rs.Collect(QStringLiteral("Nombre"), QStringLiteral("x")));
    }

    // The same texts on a server that reads backslashes as escapes and on one in
    // NO_BACKSLASH_ESCAPES mode, where a doubled backslash would be two backslashes.
    void textosConComillasYBarrasNoRompenLaConsulta_data()
    {
        QTest::addColumn<bool>("sinEscapes");
        QTest::newRow("con escapes") << false;
        QTest::newRow("NO_BACKSLASH_ESCAPES") << true;
    }
    void textosConComillasYBarrasNoRompenLaConsulta()
    {
        QFETCH(bool, sinEscapes);
        const QString previo = bd.cn.Valor(QStringLiteral("SELECT @@GLOBAL.sql_mode")).toString();
        if (sinEscapes)
            bd.cn.Execute(QStringLiteral("SET GLOBAL sql_mode=CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')"));
        Conexion cn;
        QString error;
        const bool abierta = bd.bases.AbrirBdD(cn, bd.nombre(), &error);
        bd.cn.Execute(QStringLiteral("SET GLOBAL sql_mode='%1'").arg(previo));
        QVERIFY2(abierta, qPrintable(error));
        QCOMPARE(cn.Valor(QStringLiteral("SELECT @@SESSION.sql_mode")).toString().contains(QLatin1String("NO_BACKSLASH_ESCAPES")),
                 sinEscapes);
        const auto nombre = [&cn](const QString &clave) {
            return cn.Valor(QStringLiteral("SELECT Nombre FROM clientes WHERE Clave='") + cn.Escapa(clave) + QStringLiteral("'")).toString();
        };
        QCOMPARE(nombre(QStringLiteral("O'B")), QStringLiteral("O'BRIEN Y \\ HIJOS"));
        QCOMPARE(nombre(QStringLiteral("C\\3")), QStringLiteral("BARRA"));
    }

    // A statement the server does not answer in time ends with its own message.
    void servidorQueNoResponde()
    {
        BasesDD conEspera = bd.bases;
        conEspera.nEsperaSegundos = 2;
        Conexion cn;
        QVERIFY(conEspera.AbrirBdD(cn, bd.nombre()));
        try {
            cn.Valor(QStringLiteral("SELECT SLEEP(4)"));
            QFAIL("no lanzó");
        } catch (const ErrorSql &e) {
            QCOMPARE(e.texto(), QStringLiteral("Error nº 2013, El servidor de base de datos no respondió en 2 segundos"));
            QCOMPARE(e.sentencia(), QStringLiteral("SELECT SLEEP(4)"));
        }
    }

    // Several queries in one round trip: each answer in its own record set, in their order; one
    // that fails after others throws the server's error with the statements sent.
    void variasConsultasEnUnEnvio()
    {
        // Each record set's Clave column, joined by ",".
        const auto leer = [this](const QStringList &consultas) {
            QStringList leidas;
            for (const Registros &r : Registros::AbrirVarias(bd.cn, consultas)) {
                QStringList filas;
                for (int i = 0; i < r.cantidadFilas(); ++i)
                    filas << r.CampoDeFila(i, QStringLiteral("Clave")).toString();
                leidas << filas.join(QLatin1Char(','));
            }
            return leidas;
        };
        const qint64 antes = bd.cn.consultas();
        QCOMPARE(leer({"SELECT Clave FROM clientes WHERE Clave='C2'", "SELECT Clave FROM clientes WHERE Clave IN ('C1','C2') ORDER BY Clave DESC",
                       "SELECT Clave FROM clientes WHERE 0"}), (QStringList{"C2", "C2,C1", ""}));
        QCOMPARE(bd.cn.consultas(), antes + 1);
        const QStringList falla{"SELECT 'C1' AS Clave", "SELECT Clave FROM tabla_que_no_existe"};
        try {
            leer(falla);
            QFAIL("no lanzó");
        } catch (const ErrorSql &e) {
            QCOMPARE(e.numero(), 1146);
            QVERIFY2(e.descripcion().contains(QLatin1String("tabla_que_no_existe")), qPrintable(e.descripcion()));
            QCOMPARE(e.sentencia(), falla.join(QLatin1Char(';')));
        }
    }

    void tablaDeTrabajoAgregaYActualizaLaFilaExacta_data()
    {
        QTest::addColumn<QString>("presentacion");
        // A float that no short decimal is, and one that the server sends rounded to six digits.
        QTest::newRow("0.3333") << QStringLiteral("0.3333");
        QTest::newRow("mas de seis cifras") << QStringLiteral("1234.5678");
    }
    void tablaDeTrabajoAgregaYActualizaLaFilaExacta()
    {
        QFETCH(QString, presentacion);
        Conexion &cn = bd.cn;
        cn.Execute(QStringLiteral("DELETE FROM tmptempoieps"));
        // A row that differs only in the presentation: the updates must not touch it.
        cn.Execute(QStringLiteral("INSERT INTO tmptempoieps (RFC, Nombre, Presentacion, Importe) VALUES ('X', 'O''Neil \\\\ Cía', 5, 100)"));
        Registros nueva;
        QVERIFY(!bd.bases.AbrirTabla(nueva, cn, QStringLiteral("tmptempoieps WHERE RFC='X' AND Presentacion=7")));
        nueva.AddNew();
        nueva.Collect(QStringLiteral("RFC"), QStringLiteral("X"));
        nueva.Collect(QStringLiteral("Nombre"), QStringLiteral("O'Neil \\ Cía"));
        nueva.Collect(QStringLiteral("Presentacion"), presentacion);
        nueva.Collect(QStringLiteral("Importe"), 40.0);
        nueva.Collect(QStringLiteral("Importe"), nueva.Collect(QStringLiteral("Importe")).toDouble() + 60);
        nueva.Update();
        const QString exacta = QString::number(double(float(presentacion.toDouble())), 'g', 17);
        for (int vez = 0; vez < 3; ++vez) {
            Registros rs;
            QVERIFY(bd.bases.AbrirTabla(rs, cn, QStringLiteral("tmptempoieps WHERE RFC='X' AND Presentacion=") + exacta));
            rs.Collect(QStringLiteral("Importe"), rs.Collect(QStringLiteral("Importe")).toDouble() + 10);
            rs.Update();
        }
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Importe FROM tmptempoieps WHERE Presentacion=") + exacta).toDouble(), 130.0);
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Importe FROM tmptempoieps WHERE Presentacion=5")).toDouble(), 100.0);
        QCOMPARE(cn.Valor(QStringLiteral("SELECT Nombre FROM tmptempoieps LIMIT 1")).toString(), QStringLiteral("O'Neil \\ Cía"));
    }
};

QTEST_GUILESS_MAIN(TestBdConexion)
#include "TestBdConexion.moc"

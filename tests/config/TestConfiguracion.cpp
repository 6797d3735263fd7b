#include "ArchivoIni.h"
#include "BasesDD.h"
#include "Configuracion.h"
#include "DelRegistro.h"
#include "DialogosGrabados.h"
#include "LibKVRS.h"
#include "Objetos.h"
#include "Utilerias.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;

namespace {

const QString Conf = QStringLiteral("Configuración");
const QString Ruta = QStringLiteral("Ruta de Nubora Premium");
const QString Base = QStringLiteral("Base de datos principal");
const QString Ausente = QStringLiteral("<ausente>");

// A program folder with its configuration file and an installation folder beside it.
struct Escenario {
    QTemporaryDir dir;
    QString archivoConfig;
    QString instalacion;
    QString archivoDatos;

    Escenario()
    {
        archivoConfig = dir.filePath(QStringLiteral("repieps.ini"));
        instalacion = dir.filePath(QStringLiteral("Nubora Premium"));
        archivoDatos = instalacion + QStringLiteral("/NuboraPremium.ini");
        QDir(dir.path()).mkpath(QStringLiteral("Nubora Premium"));
    }
    static void escribir(const QString &archivo, const QByteArray &bytes)
    {
        QFile f(archivo);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    // A configuration file that points at the installation, plus what is given.
    void configurar(const QByteArray &extra = QByteArray())
    {
        escribir(archivoConfig, "[Configuración]\r\nRuta de Nubora Premium=" + instalacion.toUtf8() + "\r\n" + extra);
    }
    void datos(const QByteArray &contenido) { escribir(archivoDatos, "[Datos]\r\n" + contenido); }
    QString dato(const QString &nombre) const
    {
        const QString v = ini::Lee(archivoDatos, QStringLiteral("Datos"), nombre);
        return v.isEmpty() ? Ausente : v;
    }
};

QString mensajeSinInstalacion(const QString &archivoConfig, const QString &ruta)
{
    return QStringLiteral("En el archivo de configuración de este programa\r\r(") + QDir::toNativeSeparators(archivoConfig)
           + QStringLiteral(")\r\rdebe indicarse la ruta correcta de Nubora Premium.\rRuta indicada e incorrecta: \r\r")
           + ruta;
}

} // namespace

// Loading of the configuration file and of the installation's connection settings.
class TestConfiguracion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { RestablecerClases(); }

    void leerIniConDefecto_data()
    {
        QTest::addColumn<QByteArray>("contenido"); // empty: no file at all
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("sin archivo") << QByteArray() << QStringLiteral("datos1") << QStringLiteral("datos1");
        QTest::newRow("archivo vacío") << QByteArray("\r\n") << QStringLiteral("datos1") << QStringLiteral("datos1");
        QTest::newRow("sin la clave") << QByteArray("[Configuración]\r\nOtra=1\r\n") << QStringLiteral("datos1")
                                      << QStringLiteral("datos1");
        QTest::newRow("vacía") << QByteArray("[Configuración]\r\nBase de datos principal=\r\n") << QStringLiteral("datos1")
                               << QStringLiteral("datos1");
        QTest::newRow("blancos") << QByteArray("[Configuración]\r\nBase de datos principal=  \r\n") << QStringLiteral("  ")
                                 << QStringLiteral("  ");
        QTest::newRow("con valor") << QByteArray("[Configuración]\r\nBase de datos principal=datos7\r\n")
                                   << QStringLiteral("datos7") << QStringLiteral("datos7");
        QTest::newRow("clave de blancos") << QByteArray("[Configuración]\r\n   =datos9\r\n") << QStringLiteral("datos1")
                                          << QStringLiteral("datos1");
    }
    void leerIniConDefecto()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, esperado);
        QFETCH(QString, guardado);
        Escenario e;
        if (!contenido.isEmpty())
            Escenario::escribir(e.archivoConfig, contenido);
        LibKVRS lib;
        QCOMPARE(config::LeerIniConDefecto(Conf, Base, QStringLiteral("datos1"), lib, e.archivoConfig), esperado);
        QCOMPARE(ini::Lee(e.archivoConfig, Conf, Base), guardado);
    }

    void leerIniConDefectoSinPoderEscribir()
    {
        Escenario e;
        LibKVRS lib;
        // The configuration path is a folder: nothing can be read or written, the default serves.
        QDir(e.dir.path()).mkpath(QStringLiteral("repieps.ini"));
        QCOMPARE(config::LeerIniConDefecto(Conf, Base, QStringLiteral("datos1"), lib, e.archivoConfig),
                 QStringLiteral("datos1"));
    }

    void instalacionNoEncontrada_data()
    {
        QTest::addColumn<QByteArray>("contenido"); // of the configuration file; empty: no file
        QTest::addColumn<QString>("rutaUsada");
        QTest::addColumn<QString>("rutaGuardada");
        const QString porDefecto = QStringLiteral("C:\\nuborapremium");
        QTest::newRow("sin archivo") << QByteArray() << porDefecto << porDefecto;
        QTest::newRow("ruta vacía") << QByteArray("[Configuración]\r\nRuta de Nubora Premium=\r\n") << porDefecto
                                    << porDefecto;
        QTest::newRow("ruta de blancos") << QByteArray("[Configuración]\r\nRuta de Nubora Premium=   \r\n")
                                         << QStringLiteral("   ") << QStringLiteral("   ");
        QTest::newRow("clave de blancos") << QByteArray("[Configuración]\n   =D:\\Nubora\n") << porDefecto << porDefecto;
        QTest::newRow("carpeta inexistente") << QByteArray("[Configuración]\nRuta de Nubora Premium=/no/existe/nubora\n")
                                             << QStringLiteral("/no/existe/nubora") << QStringLiteral("/no/existe/nubora");
        QTest::newRow("Windows-1252") << QByteArray("[Configuraci\xF3n]\r\nRuta de Nubora Premium=D:\\Se\xF1or\r\n")
                                      << QStringLiteral("D:\\Señor") << QStringLiteral("D:\\Señor");
    }
    void instalacionNoEncontrada()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, rutaUsada);
        QFETCH(QString, rutaGuardada);
        Escenario e;
        if (!contenido.isEmpty())
            Escenario::escribir(e.archivoConfig, contenido);
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        bases.cPuerto = QStringLiteral("previo");
        QVERIFY(!config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QCOMPARE(dialogos.cajas.size(), 2);
        QCOMPARE(dialogos.cajas[0].texto, mensajeSinInstalacion(e.archivoConfig, rutaUsada));
        QCOMPARE(dialogos.cajas[0].titulo, QStringLiteral("Atención"));
        QCOMPARE(dialogos.cajas[0].botones, int(vbCritical));
        QVERIFY(!dialogos.cajas[0].skin);
        QCOMPARE(dialogos.cajas[1].texto, QStringLiteral("¿Desea editar el archivo de configuración?"));
        QCOMPARE(dialogos.cajas[1].titulo, QStringLiteral("Editar INI"));
        QCOMPARE(dialogos.cajas[1].botones, int(vbYesNo | vbQuestion));
        QVERIFY(!dialogos.cajas[1].skin);
        QVERIFY(dialogos.documentos.isEmpty());
        QCOMPARE(ini::Lee(e.archivoConfig, Conf, Ruta), rutaGuardada);
        QCOMPARE(bases.cPuerto, QStringLiteral("previo"));
        QCOMPARE(ini::Lee(e.archivoConfig, Conf, Base), QString()); // stops before reading the database
    }

    void instalacionQueEsUnArchivo()
    {
        Escenario e;
        const QString archivo = e.dir.filePath(QStringLiteral("nubora.txt"));
        Escenario::escribir(archivo, "x");
        Escenario::escribir(e.archivoConfig, "[Configuración]\nRuta de Nubora Premium=" + archivo.toUtf8() + "\n");
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(!config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QCOMPARE(dialogos.cajas.size(), 2);
        QCOMPARE(dialogos.cajas[0].texto, mensajeSinInstalacion(e.archivoConfig, archivo));
    }

    void siQuiereEditarSeAbreElArchivo()
    {
        Escenario e;
        QDir(e.instalacion).removeRecursively();
        e.configurar();
        DialogosGrabados dialogos;
        dialogos.respuestas << vbOK << vbYes;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(!config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QCOMPARE(dialogos.cajas.size(), 2);
        QCOMPARE(dialogos.documentos, QStringList{e.archivoConfig});
    }

    void datosDeLaInstalacion_data()
    {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("guardados"); // MySQLServer, MySQLPuerto, MySQLUsuario, MySQLPassword

        const QString root = Utilerias::Encripta(QStringLiteral("root"));
        const QString vacia = Utilerias::Encripta(QString());
        const QString cajero = Utilerias::Encripta(QStringLiteral("cajero"));
        const QString clave = Utilerias::Encripta(QStringLiteral("contraseña ñ"));
        const QByteArray cajeroB = cajero.toLatin1(), claveB = clave.toLatin1();
        const QByteArray completos = "MySQLUsuario=" + cajeroB + "\r\nMySQLPassword=" + claveB + "\r\n";

        QTest::newRow("todo ausente, sin servidor antiguo")
            << QByteArray() << QString() << QStringLiteral("3306") << QStringLiteral("root") << QString()
            << QStringList{Ausente, QStringLiteral("3306"), root, vacia};
        QTest::newRow("servidor antiguo") << QByteArray("servidor=192.168.1.5\r\n") << QStringLiteral("192.168.1.5")
                                          << QStringLiteral("3306") << QStringLiteral("root") << QString()
                                          << QStringList{QStringLiteral("192.168.1.5"), QStringLiteral("3306"), root, vacia};
        QTest::newRow("servidor de blancos")
            << QByteArray("MySQLServer=   \r\nservidor=caja1\r\n") + completos << QStringLiteral("caja1")
            << QStringLiteral("3306") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral("caja1"), QStringLiteral("3306"), cajero, clave};
        QTest::newRow("servidor presente")
            << QByteArray("MySQLServer= db.local\r\nservidor=caja1\r\nMySQLPuerto=3307\r\n") + completos
            << QStringLiteral(" db.local") << QStringLiteral("3307") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral(" db.local"), QStringLiteral("3307"), cajero, clave};
        QTest::newRow("puerto vacío") << QByteArray("MySQLServer=s\r\nMySQLPuerto=\r\n") + completos << QStringLiteral("s")
                                      << QStringLiteral("3306") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
                                      << QStringList{QStringLiteral("s"), QStringLiteral("3306"), cajero, clave};
        QTest::newRow("puerto cero") << QByteArray("MySQLServer=s\r\nMySQLPuerto=0\r\n") + completos << QStringLiteral("s")
                                     << QStringLiteral("3306") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
                                     << QStringList{QStringLiteral("s"), QStringLiteral("3306"), cajero, clave};
        QTest::newRow("puerto que no es número")
            << QByteArray("MySQLServer=s\r\nMySQLPuerto=abc\r\n") + completos << QStringLiteral("s") << QStringLiteral("3306")
            << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral("s"), QStringLiteral("3306"), cajero, clave};
        QTest::newRow("puerto tal como está guardado")
            << QByteArray("MySQLServer=s\r\nMySQLPuerto=3307 \r\n") + completos << QStringLiteral("s")
            << QStringLiteral("3307 ") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral("s"), QStringLiteral("3307 "), cajero, clave};
        QTest::newRow("usuario de blancos")
            << QByteArray("MySQLServer=s\r\nMySQLPuerto=3306\r\nMySQLUsuario=  \r\nMySQLPassword=") + claveB + "\r\n"
            << QStringLiteral("s") << QStringLiteral("3306") << QStringLiteral("root") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral("s"), QStringLiteral("3306"), root, clave};
        QTest::newRow("contraseña de blancos")
            << QByteArray("MySQLServer=s\r\nMySQLPuerto=3306\r\nMySQLUsuario=") + cajeroB + "\r\nMySQLPassword= \r\n"
            << QStringLiteral("s") << QStringLiteral("3306") << QStringLiteral("cajero") << QString()
            << QStringList{QStringLiteral("s"), QStringLiteral("3306"), cajero, vacia};
        QTest::newRow("nombres en otras mayúsculas")
            << QByteArray("mysqlserver=s\r\nMYSQLPUERTO=3308\r\nmysqlusuario=") + cajeroB + "\r\nmysqlpassword=" + claveB
                   + "\r\n"
            << QStringLiteral("s") << QStringLiteral("3308") << QStringLiteral("cajero") << QStringLiteral("contraseña ñ")
            << QStringList{QStringLiteral("s"), QStringLiteral("3308"), cajero, clave};
    }
    void datosDeLaInstalacion()
    {
        QFETCH(QByteArray, datos);
        QFETCH(QString, servidor);
        QFETCH(QString, puerto);
        QFETCH(QString, usuario);
        QFETCH(QString, password);
        QFETCH(QStringList, guardados);
        Escenario e;
        e.configurar("Base de datos principal=datos3\r\n");
        e.datos(datos);
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QVERIFY(dialogos.cajas.isEmpty());
        QCOMPARE(bases.cRuta, servidor);
        QCOMPARE(bases.cPuerto, puerto);
        QCOMPARE(bases.cUsuario, usuario);
        QCOMPARE(bases.cPassword, password);
        QCOMPARE(bases.cMiBase, QStringLiteral("datos3"));
        const QStringList nombres{QStringLiteral("MySQLServer"), QStringLiteral("MySQLPuerto"), QStringLiteral("MySQLUsuario"),
                                  QStringLiteral("MySQLPassword")};
        for (int i = 0; i < nombres.size(); ++i)
            QCOMPARE(e.dato(nombres[i]), guardados[i]);
        QCOMPARE(registro.archivo(), QFileInfo(e.archivoDatos).absoluteFilePath());
    }

    void laSegundaCargaNoCambiaNada()
    {
        Escenario e;
        e.configurar();
        e.datos("servidor=caja1\r\n");
        LibKVRS lib;
        DelRegistro registro;
        BasesDD primera, segunda;
        QVERIFY(config::CargarConfiguracion(lib, registro, primera, e.archivoConfig, true));
        QFile f(e.archivoDatos);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray tras1 = f.readAll();
        f.close();
        QVERIFY(config::CargarConfiguracion(lib, registro, segunda, e.archivoConfig, true));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), tras1);
        QCOMPARE(segunda.cRuta, primera.cRuta);
        QCOMPARE(segunda.cPuerto, primera.cPuerto);
        QCOMPARE(segunda.cUsuario, QStringLiteral("root"));
        QCOMPARE(segunda.cPassword, QString());
        QCOMPARE(segunda.cMiBase, QStringLiteral("datos1"));
    }

    void baseDeDatosPrincipal_data()
    {
        QTest::addColumn<QByteArray>("linea");
        QTest::addColumn<bool>("leerBase");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("guardada");
        QTest::newRow("ausente") << QByteArray() << true << QStringLiteral("datos1") << QStringLiteral("datos1");
        QTest::newRow("vacía") << QByteArray("Base de datos principal=\r\n") << true << QStringLiteral("datos1")
                               << QStringLiteral("datos1");
        QTest::newRow("blancos") << QByteArray("Base de datos principal= \r\n") << true << QStringLiteral(" ")
                                 << QStringLiteral(" ");
        QTest::newRow("presente") << QByteArray("base DE DATOS principal=Sucursal Ñ\r\n") << true
                                  << QStringLiteral("Sucursal Ñ") << QStringLiteral("Sucursal Ñ");
        QTest::newRow("sin leer la base") << QByteArray() << false << QStringLiteral("previa") << QString();
    }
    void baseDeDatosPrincipal()
    {
        QFETCH(QByteArray, linea);
        QFETCH(bool, leerBase);
        QFETCH(QString, base);
        QFETCH(QString, guardada);
        Escenario e;
        e.configurar(linea);
        e.datos("MySQLServer=s\r\n");
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        bases.cMiBase = QStringLiteral("previa");
        QVERIFY(config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, leerBase));
        QCOMPARE(bases.cMiBase, base);
        QCOMPARE(ini::Lee(e.archivoConfig, Conf, Base), guardada);
    }

    void datoRevueltoDanado_data()
    {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QString>("danado");
        const QByteArray root = Utilerias::Encripta(QStringLiteral("root")).toLatin1();
        const QByteArray vacia = Utilerias::Encripta(QString()).toLatin1();
        QTest::newRow("usuario en claro") << QByteArray("MySQLUsuario=root\r\nMySQLPassword=") + vacia + "\r\n"
                                          << QStringLiteral("MySQLUsuario");
        QTest::newRow("contraseña en claro") << QByteArray("MySQLUsuario=") + root + "\r\nMySQLPassword=1234\r\n"
                                             << QStringLiteral("MySQLPassword");
        QTest::newRow("usuario recortado") << QByteArray("MySQLUsuario=") + root.left(root.size() - 2)
                                                  + "\r\nMySQLPassword=" + vacia + "\r\n"
                                           << QStringLiteral("MySQLUsuario");
    }
    void datoRevueltoDanado()
    {
        QFETCH(QByteArray, datos);
        QFETCH(QString, danado);
        Escenario e;
        e.configurar();
        e.datos("MySQLServer=s\r\nMySQLPuerto=3306\r\n" + datos);
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(!config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QCOMPARE(dialogos.cajas.size(), 1);
        const QString texto = dialogos.cajas[0].texto;
        QVERIFY2(texto.startsWith(QStringLiteral("El dato «%1» de la configuración de Nubora Premium está dañado").arg(danado)),
                 qPrintable(texto));
        QVERIFY2(texto.contains(QDir::toNativeSeparators(QFileInfo(e.archivoDatos).absoluteFilePath())), qPrintable(texto));
        QCOMPARE(dialogos.cajas[0].titulo, QStringLiteral("Atención"));
        QCOMPARE(dialogos.cajas[0].botones, int(vbCritical));
        // The damaged value is left for the user to see and correct.
        const QString guardado = ini::Lee(e.archivoDatos, QStringLiteral("Datos"), danado);
        QVERIFY(datos.contains(danado.toLatin1() + '=' + guardado.toLatin1() + "\r\n"));
    }

    void objetoPropioQueNoSeCrea_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::newRow("LibKVRS") << QStringLiteral("LibKVRS");
        QTest::newRow("DeArchivos") << QStringLiteral("DeArchivos");
        QTest::newRow("Utilerias") << QStringLiteral("Utilerias");
    }
    void objetoPropioQueNoSeCrea()
    {
        QFETCH(QString, clase);
        Escenario e;
        e.configurar();
        e.datos(QByteArray());
        RegistrarClase(QStringLiteral("kvnb5"), clase, [] { return std::shared_ptr<ObjetoHost>(); });
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(!config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QCOMPARE(dialogos.cajas.size(), 1);
        QVERIFY(dialogos.cajas[0].texto.endsWith(QStringLiteral("\r\nIntentanto crear \"kvnb5.%1\"").arg(clase)));
        QCOMPARE(e.dato(QStringLiteral("MySQLPuerto")), Ausente);
    }

    void archivoDeInstalacionDeSoloLectura()
    {
        Escenario e;
        e.configurar();
        e.datos("servidor=caja1\r\n");
        QFile::setPermissions(e.archivoDatos, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (QFileInfo(e.archivoDatos).isWritable())
            QSKIP("Este usuario puede escribir en cualquier archivo");
        DialogosGrabados dialogos;
        LibKVRS lib;
        DelRegistro registro;
        BasesDD bases;
        QVERIFY(config::CargarConfiguracion(lib, registro, bases, e.archivoConfig, true));
        QVERIFY(dialogos.cajas.isEmpty());
        QCOMPARE(bases.cRuta, QStringLiteral("caja1"));
        QCOMPARE(bases.cPuerto, QStringLiteral("3306"));
        QCOMPARE(bases.cUsuario, QStringLiteral("root"));
        QCOMPARE(bases.cPassword, QString());
        QCOMPARE(e.dato(QStringLiteral("MySQLPuerto")), Ausente);
    }

    void buscarInstalacion()
    {
        Escenario e;
        Escenario::escribir(e.archivoDatos, "[Datos]\n");
        DelRegistro registro;
        QCOMPARE(config::BuscarInstalacion(e.instalacion, registro), QFileInfo(e.archivoDatos).absoluteFilePath());
        QCOMPARE(config::BuscarInstalacion(e.dir.filePath(QStringLiteral("otra")), registro), QString());
        QCOMPARE(config::BuscarInstalacion(QString(), registro), QString());
    }

    void rutaConfiguracionJuntoAlPrograma()
    {
        const QString ruta = config::RutaConfiguracion();
        const QFileInfo info(ruta);
        QCOMPARE(info.fileName(), QStringLiteral("TestConfiguracion.ini"));
        QCOMPARE(info.absolutePath(), QCoreApplication::applicationDirPath());
    }
};

QTEST_GUILESS_MAIN(TestConfiguracion)
#include "TestConfiguracion.moc"

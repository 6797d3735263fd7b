#include "ArchivoIni.h"
#include "Archivos.h"
#include "BasesDD.h"
#include "Configuracion.h"
#include "DelRegistro.h"
#include "DialogosGrabados.h"
#include "DispositivoQueFalla.h"
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
using namespace Qt::StringLiterals;

namespace {

const QString Ausente = u"<ausente>"_s;

// A configuration file (null: none; "%R" stands for the installation folder) and an installation
// whose section [Datos] holds the given lines; loads them.
struct Escenario {
    QTemporaryDir dir;
    QString archivoConfig = dir.filePath(u"repieps.ini"_s);
    QString archivoDatos = dir.filePath(u"Nubora Premium/NuboraPremium.ini"_s);
    DialogosGrabados dialogos;
    LibKVRS lib;
    DelRegistro registro;
    BasesDD bases;

    Escenario(QByteArray config, const QByteArray &datos = "MySQLServer=s\r\n")
    {
        QDir(dir.path()).mkpath(u"Nubora Premium"_s);
        escribir(archivoConfig, config.isNull() ? config : "[Configuración]\r\n" + config.replace("%R", dir.filePath(u"Nubora Premium"_s).toUtf8()));
        escribir(archivoDatos, "[Datos]\r\n" + datos);
        bases.cPuerto = bases.cMiBase = u"previo"_s;
    }
    static void escribir(const QString &archivo, const QByteArray &bytes)
    {
        if (!bytes.isNull())
            EscribirArchivo(archivo, bytes);
    }
    bool cargar(bool leerBase = true) { return config::CargarConfiguracion(lib, registro, bases, archivoConfig, leerBase); }
    QString config(const QString &clave) const { return ini::Lee(archivoConfig, u"Configuración"_s, clave); }
    QString dato(const QString &nombre) const
    {
        const QString v = ini::Lee(archivoDatos, u"Datos"_s, nombre);
        return v.isEmpty() ? Ausente : v;
    }
    QString sinInstalacion(const QString &ruta) const
    {
        return u"En el archivo de configuración de este programa\r\r("_s + QDir::toNativeSeparators(archivoConfig)
               + u")\r\rdebe indicarse la ruta correcta de Nubora Premium.\rRuta indicada e incorrecta: \r\r"_s + ruta
#ifndef Q_OS_WIN
               + u"\r\rEn Linux, anote en la clave «Ruta de Nubora Premium» la carpeta que contiene NuboraPremium.ini, "
                 "o use repieps-cli con --servidor para conectarse sin ella."_s
#endif
            ;
    }
};

const QByteArray Apunta = "Ruta de Nubora Premium=%R\r\n";

} // namespace

// Loading of the configuration file and of the installation's connection settings.
class TestConfiguracion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { RestablecerClases(); }

    // The installation path (at which the installation is never found) and the database name.
    void clavesDeConfiguracion_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("usado");
        QTest::addColumn<QString>("guardado");
        const QString ruta = u"Ruta de Nubora Premium"_s, base = u"Base de datos principal"_s, c = u"C:\\nuborapremium"_s;
        QTest::newRow("ruta: sin archivo") << QByteArray() << ruta << c << c;
        QTest::newRow("ruta: sin la clave") << QByteArray("   =D:\\x\r\n") << ruta << c << c;
        QTest::newRow("ruta: vacía") << QByteArray("Ruta de Nubora Premium=\r\n") << ruta << c << c;
        QTest::newRow("ruta: blancos") << QByteArray("Ruta de Nubora Premium=   \r\n") << ruta << u"   "_s << u"   "_s;
        QTest::newRow("ruta: presente") << QByteArray("RUTA de nubora premium=/no/existe\r\n") << ruta << u"/no/existe"_s
                                        << u"/no/existe"_s;
        QTest::newRow("base: ausente") << Apunta << base << u"datos1"_s << u"datos1"_s;
        QTest::newRow("base: vacía") << Apunta + "Base de datos principal=\r\n" << base << u"datos1"_s << u"datos1"_s;
        QTest::newRow("base: blancos") << Apunta + "Base de datos principal= \r\n" << base << u" "_s << u" "_s;
        QTest::newRow("base: presente") << Apunta + "BASE de datos principal=Sucursal Ñ\r\n" << base << u"Sucursal Ñ"_s
                                        << u"Sucursal Ñ"_s;
        QTest::newRow("base: sin leerla") << Apunta << base << u"previo"_s << QString();
    }
    void clavesDeConfiguracion()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, clave);
        QFETCH(QString, usado);
        QFETCH(QString, guardado);
        Escenario e(config);
        const bool ruta = clave.startsWith(u"Ruta"_s);
        QCOMPARE(e.cargar(QTest::currentDataTag() != "base: sin leerla"_L1), !ruta);
        QCOMPARE(e.dialogos.cajas.isEmpty() ? QString() : e.dialogos.cajas[0].texto, ruta ? e.sinInstalacion(usado) : QString());
        QCOMPARE(ruta ? e.bases.cPuerto : e.bases.cMiBase, ruta ? u"previo"_s : usado);
        QCOMPARE(e.config(clave), guardado);
    }

    void instalacionNoEncontrada_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("no la edita") << int(vbNo);
        QTest::newRow("la edita") << int(vbYes);
    }
    void instalacionNoEncontrada()
    {
        QFETCH(int, respuesta);
        Escenario e("Ruta de Nubora Premium=/no/existe\r\n");
        e.dialogos.respuestas << vbOK << respuesta;
        QVERIFY(!e.cargar());
        QCOMPARE(e.dialogos.cajas.size(), 2);
        const auto &aviso = e.dialogos.cajas[0], &pregunta = e.dialogos.cajas[1];
        // The warning's text is checked with the other cases of the installation path.
        QVERIFY(aviso.titulo == u"Atención"_s && aviso.botones == vbCritical);
        QCOMPARE(pregunta.texto, u"¿Desea editar el archivo de configuración?"_s);
        QVERIFY(pregunta.titulo == u"Editar INI"_s && pregunta.botones == (vbYesNo | vbQuestion));
        QVERIFY(!aviso.skin && !pregunta.skin);
        QCOMPARE(e.dialogos.documentos, respuesta == vbYes ? QStringList{e.archivoConfig} : QStringList());
        QCOMPARE(e.config(u"Base de datos principal"_s), QString());
    }

    void segundosDeEspera_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<int>("segundos");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("ausente: 300, y se anota") << Apunta << 300 << u"300"_s;
        QTest::newRow("indicado") << Apunta + "Segundos de espera del servidor= 45 \r\n" << 45 << u" 45 "_s;
        QTest::newRow("cero") << Apunta + "Segundos de espera del servidor=0\r\n" << 300 << u"0"_s;
        QTest::newRow("negativo") << Apunta + "Segundos de espera del servidor=-5\r\n" << 300 << u"-5"_s;
        QTest::newRow("más de un día") << Apunta + "Segundos de espera del servidor=86401\r\n" << 300 << u"86401"_s;
        QTest::newRow("un día") << Apunta + "Segundos de espera del servidor=86400\r\n" << 86400 << u"86400"_s;
        QTest::newRow("texto") << Apunta + "Segundos de espera del servidor=mucho\r\n" << 300 << u"mucho"_s;
    }
    void segundosDeEspera()
    {
        QFETCH(QByteArray, config);
        QFETCH(int, segundos);
        QFETCH(QString, guardado);
        Escenario e(config);
        QVERIFY(e.cargar());
        QCOMPARE(e.bases.nEsperaSegundos, segundos);
        QCOMPARE(e.config(u"Segundos de espera del servidor"_s), guardado);
    }

    // A settings file the program cannot decode is reported and left byte for byte as it was.
    void archivosIlegibles_data()
    {
        QTest::addColumn<bool>("delPuntoDeVenta");
        QTest::addColumn<QString>("aviso");
        const QString motivo = u"Motivo: no es un archivo de texto: tiene bytes nulos o caracteres de control "
                               "(¿es un archivo binario, o texto UTF-16 sin su marca de orden de bytes?).\r\r"_s;
        QTest::newRow("el de este programa")
            << false
            << u"No se puede usar el archivo de configuración de este programa\r\r(%1)\r\r"_s + motivo
                   + u"Este programa no lo modificó. Corríjalo, o bórrelo para que se vuelva a crear con sus valores iniciales."_s;
        QTest::newRow("el del punto de venta")
            << true
            << u"No se puede usar el archivo de configuración de Nubora Premium\r\r(%1)\r\r"_s + motivo
                   + u"Este programa no lo modificó."_s;
    }
    void archivosIlegibles()
    {
        QFETCH(bool, delPuntoDeVenta);
        QFETCH(QString, aviso);
        const QByteArray binario("\x01\x02\0\xFF[Configuración]\r\n", 20);
        Escenario e(Apunta);
        const QString archivo = delPuntoDeVenta ? e.archivoDatos : e.archivoConfig;
        Escenario::escribir(archivo, binario);
        QVERIFY(!e.cargar());
        QCOMPARE(e.dialogos.cajas.size(), 1);
        QCOMPARE(e.dialogos.cajas[0].texto, aviso.arg(QDir::toNativeSeparators(archivo)));
        QCOMPARE(LeerArchivo(archivo), binario);
    }

    // A value that a settings file lacks and that cannot be written into it (a full disk, no
    // permission): the program stops, saying which value, which file and why, and the file keeps
    // every byte. The other file can be written.
    void valorQueNoSePuedeAnotar_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("falla"); // the file that cannot be written
        QTest::addColumn<QString>("error"); // what the system says
        const QString config = u"repieps.ini"_s, datos = u"NuboraPremium.ini"_s, lleno = u"No space left on device"_s,
                      denegado = u"Permission denied"_s;
        const QByteArray espera = "Segundos de espera del servidor=300\r\n", completos = "MySQLServer=s\r\nMySQLPuerto=1\r\n";
        const QByteArray usuario = "MySQLUsuario=" + Utilerias::Encripta(u"root"_s).toLatin1() + "\r\n";
        QTest::newRow("la ruta, disco lleno") << QByteArray("; sin ruta\r\n") << completos << u"Ruta de Nubora Premium"_s << config << lleno;
        QTest::newRow("la espera, sin permiso") << Apunta << completos + usuario << u"Segundos de espera del servidor"_s << config << denegado;
        QTest::newRow("la base, disco lleno") << Apunta + espera << completos + usuario << u"Base de datos principal"_s << config << lleno;
        QTest::newRow("el puerto, disco lleno") << Apunta << QByteArray("MySQLServer=s\r\n") << u"MySQLPuerto"_s << datos << lleno;
        QTest::newRow("el servidor, sin permiso") << Apunta << QByteArray("MySQLPuerto=1\r\nservidor=caja1\r\n") << u"MySQLServer"_s
                                                  << datos << denegado;
        QTest::newRow("el usuario, disco lleno") << Apunta << completos << u"MySQLUsuario"_s << datos << lleno;
        QTest::newRow("la contraseña, disco lleno") << Apunta << completos + usuario << u"MySQLPassword"_s << datos << lleno;
    }
    void valorQueNoSePuedeAnotar()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, datos);
        QFETCH(QString, valor);
        QFETCH(QString, falla);
        QFETCH(QString, error);
        Escenario e(config, datos);
        const QString archivo = falla == u"repieps.ini"_s ? e.archivoConfig : e.archivoDatos;
        const QByteArray antes = LeerArchivo(archivo);
        FabricaDeSalidaGuard lleno(queFalla(10, error, falla));
        QVERIFY(!e.cargar());
        QCOMPARE(e.dialogos.cajas.size(), 1);
        QCOMPARE(e.dialogos.cajas[0].texto,
                 u"No se pudo anotar el valor inicial de «%1» en el archivo de configuración de %2.\r\rNo se pudo escribir el "
                 "archivo %3: %4.\r\rEl archivo quedó como estaba. Este programa no puede continuar."_s
                     .arg(valor, falla == u"repieps.ini"_s ? u"este programa"_s : u"Nubora Premium"_s,
                          QDir::toNativeSeparators(archivo),
                          error == u"Permission denied"_s ? u"permiso denegado"_s : u"no queda espacio en el disco"_s));
        QVERIFY(e.dialogos.cajas[0].titulo == u"Atención"_s && e.dialogos.cajas[0].botones == vbCritical);
        QCOMPARE(LeerArchivo(archivo), antes);
        QCOMPARE(QDir(QFileInfo(archivo).path()).entryList(QDir::Files), QStringList{QFileInfo(archivo).fileName()});
    }

    // What the connection uses (server, port, user, password) and what is then stored in
    // MySQLServer, MySQLPuerto, MySQLUsuario and MySQLPassword (the last two scrambled).
    void datosDeLaInstalacion_data()
    {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QStringList>("usados");
        QTest::addColumn<QStringList>("guardados");
        const QString root = Utilerias::Encripta(u"root"_s), vacia = Utilerias::Encripta(QString()), p = u"3306"_s;
        const QString cajero = Utilerias::Encripta(u"cajero"_s), clave = Utilerias::Encripta(u"año ñ"_s);
        const QByteArray suyos = "MySQLUsuario=" + cajero.toLatin1() + "\r\nMySQLPassword=" + clave.toLatin1() + "\r\n";
        const QStringList propios{u"cajero"_s, u"año ñ"_s}, revueltos{cajero, clave}, iniciales{u"root"_s, QString()};
        const auto fila = [&](const char *nombre, const QByteArray &datos, const QStringList &servidorYPuerto, bool sinUsuario) {
            QTest::newRow(nombre) << datos + (sinUsuario ? "" : suyos) << servidorYPuerto + (sinUsuario ? iniciales : propios)
                                  << QStringList{servidorYPuerto[0].isEmpty() ? Ausente : servidorYPuerto[0], servidorYPuerto[1]}
                                         + (sinUsuario ? QStringList{root, vacia} : revueltos);
        };
        fila("todo vacío", "MySQLServer=\r\nMySQLPuerto=\r\nMySQLUsuario=\r\nMySQLPassword=\r\n", {QString(), p}, true);
        fila("servidor vacío: el antiguo", "servidor=caja1\r\n", {u"caja1"_s, p}, true);
        fila("servidor de blancos: el antiguo", "MySQLServer=   \r\nservidor=caja1\r\n", {u"caja1"_s, p}, false);
        fila("todo presente", "MySQLServer= db\r\nservidor=caja1\r\nMySQLPuerto=3307 \r\n", {u" db"_s, u"3307 "_s}, false);
        fila("puerto de blancos", "MySQLServer=s\r\nMySQLPuerto=  \r\n", {u"s"_s, p}, false);
        fila("puerto cero", "MySQLServer=s\r\nMySQLPuerto=0\r\n", {u"s"_s, p}, false);
        fila("puerto no numérico", "MySQLServer=s\r\nMySQLPuerto=abc\r\n", {u"s"_s, p}, false);
        fila("usuario y contraseña de blancos", "MySQLServer=s\r\nMySQLUsuario=  \r\nMySQLPassword= \r\n", {u"s"_s, p}, true);
    }
    void datosDeLaInstalacion()
    {
        QFETCH(QByteArray, datos);
        QFETCH(QStringList, usados);
        QFETCH(QStringList, guardados);
        Escenario e(Apunta, datos);
        QVERIFY(e.cargar());
        QVERIFY(e.dialogos.cajas.isEmpty());
        QCOMPARE((QStringList{e.bases.cRuta, e.bases.cPuerto, e.bases.cUsuario, e.bases.cPassword}), usados);
        QStringList datosGuardados;
        for (const char *nombre : {"MySQLServer", "MySQLPuerto", "MySQLUsuario", "MySQLPassword"})
            datosGuardados << e.dato(QString::fromLatin1(nombre));
        QCOMPARE(datosGuardados, guardados);
        QCOMPARE(e.registro.archivo(), QFileInfo(e.archivoDatos).absoluteFilePath());
    }

    void datoRevueltoDanado()
    {
        const QByteArray root = Utilerias::Encripta(u"root"_s).toLatin1();
        for (const auto &[danado, datos] : {std::pair{u"MySQLUsuario"_s, "MySQLUsuario=root\r\nMySQLPassword=" + root},
                                            std::pair{u"MySQLPassword"_s, "MySQLUsuario=" + root + "\r\nMySQLPassword=" + root.chopped(2)}}) {
            Escenario e(Apunta, "MySQLServer=s\r\n" + datos + "\r\n");
            QVERIFY(!e.cargar());
            QCOMPARE(e.dialogos.cajas.size(), 1);
            const QString texto = e.dialogos.cajas[0].texto;
            QVERIFY2(texto.startsWith(u"El dato «%1» de la configuración de Nubora Premium está dañado"_s.arg(danado))
                         && texto.contains(QDir::toNativeSeparators(QFileInfo(e.archivoDatos).absoluteFilePath())),
                     qPrintable(texto));
            QVERIFY(e.dialogos.cajas[0].titulo == u"Atención"_s && e.dialogos.cajas[0].botones == vbCritical);
            QVERIFY(datos.contains(danado.toLatin1() + '=' + e.dato(danado).toLatin1()));
        }
    }

    void objetoPropioQueNoSeCrea()
    {
        for (const QString &clase : {u"LibKVRS"_s, u"DeArchivos"_s, u"Utilerias"_s}) {
            RegistrarClase(u"kvnb5"_s, clase, [] { return std::shared_ptr<ObjetoHost>(); });
            Escenario e(Apunta, QByteArray(""));
            QVERIFY(!e.cargar());
            QCOMPARE(e.dialogos.cajas.size(), 1);
            QVERIFY(e.dialogos.cajas[0].texto.endsWith(u"\"kvnb5.%1\""_s.arg(clase)));
            QCOMPARE(e.dato(u"MySQLPuerto"_s), Ausente);
            RestablecerClases();
        }
    }

    void rutaConfiguracionJuntoAlPrograma()
    {
        QCOMPARE(config::RutaConfiguracion(), QCoreApplication::applicationDirPath() + u"/TestConfiguracion.ini"_s);
    }
};

QTEST_GUILESS_MAIN(TestConfiguracion)
#include "TestConfiguracion.moc"

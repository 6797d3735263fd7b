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
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;
using namespace Qt::StringLiterals;

namespace {

const QString Ausente = u"<ausente>"_s;

// A configuration file ("%R" stands for the installation folder) and an installation
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
        EscribirArchivo(archivoConfig, "[Configuración]\r\n" + config.replace("%R", dir.filePath(u"Nubora Premium"_s).toUtf8()));
        EscribirArchivo(archivoDatos, "[Datos]\r\n" + datos);
        bases.cPuerto = bases.cMiBase = u"previo"_s;
    }
    bool cargar(bool leerBase = true) { return config::CargarConfiguracion(lib, registro, bases, archivoConfig, leerBase); }
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

    // The keys of the configuration file: what the load uses and what the file then holds. The
    // installation is never found at the path given; a value that is exactly empty gets the
    // default, written into the file.
    void clavesDeConfiguracion_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("usado");
        QTest::addColumn<QString>("guardado");
        const QString ruta = u"Ruta de Nubora Premium"_s, base = u"Base de datos principal"_s, c = u"C:\\nuborapremium"_s;
        const QString espera = u"Segundos de espera del servidor"_s;
        const QByteArray segundos = Apunta + "Segundos de espera del servidor=";
        QTest::newRow("ruta: vacía") << QByteArray("Ruta de Nubora Premium=\r\n") << ruta << c << c;
        QTest::newRow("ruta: blancos") << QByteArray("Ruta de Nubora Premium=   \r\n") << ruta << u"   "_s << u"   "_s;
        QTest::newRow("ruta: presente") << QByteArray("RUTA de nubora premium=/no/existe\r\n") << ruta << u"/no/existe"_s
                                        << u"/no/existe"_s;
        // The same reading as the path's, with its own default.
        QTest::newRow("base: ausente") << Apunta << base << u"datos1"_s << u"datos1"_s;
        QTest::newRow("base: presente") << Apunta + "BASE de datos principal=Sucursal Ñ\r\n" << base << u"Sucursal Ñ"_s
                                        << u"Sucursal Ñ"_s;
        QTest::newRow("base: sin leerla") << Apunta << base << u"previo"_s << QString();
        // A whole number of seconds from 1 to 86400; anything else waits 300, and stays in the file.
        QTest::newRow("espera: ausente") << Apunta << espera << u"300"_s << u"300"_s;
        QTest::newRow("espera: indicada") << segundos + " 45 \r\n" << espera << u"45"_s << u" 45 "_s;
        QTest::newRow("espera: cero") << segundos + "0\r\n" << espera << u"300"_s << u"0"_s;
        QTest::newRow("espera: un día") << segundos + "86400\r\n" << espera << u"86400"_s << u"86400"_s;
        QTest::newRow("espera: más de un día") << segundos + "86401\r\n" << espera << u"300"_s << u"86401"_s;
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
        // Without an installation the connection gets nothing.
        const QString dado = ruta                          ? e.bases.cPuerto
                             : clave.startsWith(u"Base"_s) ? e.bases.cMiBase
                                                           : QString::number(e.bases.nEsperaSegundos);
        QCOMPARE(dado, ruta ? u"previo"_s : usado);
        QCOMPARE(ini::Lee(e.archivoConfig, u"Configuración"_s, clave), guardado);
    }

    // After the warning, the user may open the configuration file to correct it.
    void instalacionNoEncontrada()
    {
        for (const int respuesta : {int(vbNo), int(vbYes)}) {
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
        }
    }

    // What stops the load, told in one box: a settings file the program cannot decode, a value
    // that a file lacks and that cannot be written into it (a full disk, no permission), a
    // scrambled user or password that is damaged. The file at fault keeps every byte and no
    // temporary file stays beside it. %C and %D stand for this program's file and the installation's.
    void cargaQueSeDetiene_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<bool>("enDatos"); // the file at fault: the installation's, or this program's
        QTest::addColumn<QString>("error"); // what the system says when the file at fault is written
        QTest::addColumn<QString>("aviso");
        const QByteArray binario("\x01\x02\0\xFF[Configuración]\r\n", 20), completos = "MySQLServer=s\r\nMySQLPuerto=1\r\n";
        const QByteArray root = Utilerias::Encripta(u"root"_s).toLatin1(), usuario = "MySQLUsuario=" + root + "\r\n";
        const QString lleno = u"No space left on device"_s, denegado = u"Permission denied"_s;
        const QString ilegible = u"\r\r(%1)\r\rMotivo: no es un archivo de texto: tiene bytes nulos o caracteres de control "
                                 "(¿es un archivo binario, o texto UTF-16 sin su marca de orden de bytes?).\r\rEste programa no lo "
                                 "modificó."_s;
        QTest::newRow("ilegible: el de este programa")
            << binario << completos << false << QString()
            << u"No se puede usar el archivo de configuración de este programa"_s + ilegible.arg(u"%C"_s)
                   + u" Corríjalo, o bórrelo para que se vuelva a crear con sus valores iniciales."_s;
        QTest::newRow("ilegible: el del punto de venta")
            << Apunta << binario << true << QString()
            << u"No se puede usar el archivo de configuración de Nubora Premium"_s + ilegible.arg(u"%D"_s);
        const auto noSeAnoto = [](const char *valor, bool enDatos, const QString &motivo) {
            return u"No se pudo anotar el valor inicial de «%1» en el archivo de configuración de %2.\r\rNo se pudo escribir el "
                   "archivo %3: %4.\r\rEl archivo quedó como estaba. Este programa no puede continuar."_s
                .arg(QString::fromUtf8(valor), enDatos ? u"Nubora Premium"_s : u"este programa"_s, enDatos ? u"%D"_s : u"%C"_s,
                     motivo);
        };
        QTest::newRow("no se anota la ruta, disco lleno") << QByteArray("; sin ruta\r\n") << completos << false << lleno
                                                          << noSeAnoto("Ruta de Nubora Premium", false, u"no queda espacio en el disco"_s);
        QTest::newRow("no se anota el usuario, sin permiso") << Apunta << completos << true << denegado
                                                             << noSeAnoto("MySQLUsuario", true, u"permiso denegado"_s);
        // Only an empty or zero port is filled in; the settings file takes no comment after a value.
        const QString puerto = u"El dato «MySQLPuerto» de la configuración de Nubora Premium no es un número de puerto de 1 a "
                               "65535: «%1».\r\rArchivo: %D\r\rCorríjalo, o déjelo vacío para que este programa anote el puerto "
                               "3306 de MySQL."_s;
        QTest::newRow("puerto que no es número") << Apunta << QByteArray("MySQLPuerto=abc\r\n") << true << QString()
                                                 << puerto.arg(u"abc"_s);
        QTest::newRow("puerto con comentario") << Apunta << QByteArray("MySQLPuerto=27246 ;puerto\r\n") << true << QString()
                                               << puerto.arg(u"27246 ;puerto"_s);
        const QString danado = u"El dato «%1» de la configuración de Nubora Premium está dañado: no es un texto encriptado "
                               "válido.\r\rArchivo: %D\r\rCorríjalo, o bórrelo para que este programa lo vuelva a crear con su "
                               "valor inicial."_s;
        // The password is checked first: each check names its own value.
        QTest::newRow("usuario dañado") << Apunta << completos + "MySQLUsuario=root\r\nMySQLPassword=" + root + "\r\n" << true
                                        << QString() << danado.arg(u"MySQLUsuario"_s);
        QTest::newRow("contraseña dañada") << Apunta << completos + usuario + "MySQLPassword=" + root.chopped(2) + "\r\n" << true
                                           << QString() << danado.arg(u"MySQLPassword"_s);
    }
    void cargaQueSeDetiene()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, datos);
        QFETCH(bool, enDatos);
        QFETCH(QString, error);
        QFETCH(QString, aviso);
        Escenario e(config, datos);
        const QString archivo = enDatos ? e.archivoDatos : e.archivoConfig;
        const QByteArray antes = LeerArchivo(archivo);
        // The file at fault takes 10 bytes and then fails as the system says; without a failure, it takes all.
        FabricaDeSalidaGuard disco(queFalla(error.isEmpty() ? 1 << 20 : 10, error, QFileInfo(archivo).fileName()));
        QVERIFY(!e.cargar());
        QCOMPARE(e.dialogos.cajas.size(), 1);
        QCOMPARE(e.dialogos.cajas[0].texto, aviso.replace(u"%C"_s, QDir::toNativeSeparators(e.archivoConfig))
                                                .replace(u"%D"_s, QDir::toNativeSeparators(e.archivoDatos)));
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
        fila("servidor de blancos: el antiguo", "MySQLServer=   \r\nservidor=caja1\r\n", {u"caja1"_s, p}, false);
        fila("todo presente", "MySQLServer= db\r\nservidor=caja1\r\nMySQLPuerto=3307 \r\n", {u" db"_s, u"3307 "_s}, false);
        fila("puerto cero", "MySQLServer=s\r\nMySQLPuerto=0\r\n", {u"s"_s, p}, false);
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
        QCOMPARE((QStringList{e.dato(u"MySQLServer"_s), e.dato(u"MySQLPuerto"_s), e.dato(u"MySQLUsuario"_s),
                              e.dato(u"MySQLPassword"_s)}), guardados);
    }

    // Without an installation, the section «Conexión directa» of this program's file gives the connection.
    void conexionDirecta_data()
    {
        QTest::addColumn<QByteArray>("seccion");
        QTest::addColumn<QStringList>("usados"); // server, port, user, password, database; none when the load fails
        QTest::addColumn<QString>("aviso");
        const QByteArray clave = Utilerias::Encripta(u"año ñ"_s).toLatin1();
        QTest::newRow("guardada") << "Servidor= db \r\nPuerto=3307\r\nUsuario=cajero\r\nContraseña=" + clave
                                         + "\r\nBase de datos=sucursal\r\n"
                                  << QStringList{u"db"_s, u"3307"_s, u"cajero"_s, u"año ñ"_s, u"sucursal"_s} << QString();
        QTest::newRow("sólo el servidor") << QByteArray("Servidor=db\r\n")
                                          << QStringList{u"db"_s, u"3306"_s, QString(), QString(), u"datos1"_s} << QString();
        QTest::newRow("contraseña dañada")
            << QByteArray("Servidor=db\r\nContraseña=root\r\n") << QStringList()
            << u"El dato «Contraseña» de la sección «Conexión directa» de la configuración de este programa está dañado: no "
               "es un texto encriptado válido.\r\rArchivo: %C\r\rCorríjalo, o bórrelo para que este programa lo vuelva a "
               "crear con su valor inicial."_s;
    }
    void conexionDirecta()
    {
        QFETCH(QByteArray, seccion);
        QFETCH(QStringList, usados);
        QFETCH(QString, aviso);
        Escenario e("Ruta de Nubora Premium=/no/existe\r\n[Conexión directa]\r\n" + seccion);
        QCOMPARE(e.cargar(), !usados.isEmpty());
        if (!usados.isEmpty())
            QCOMPARE((QStringList{e.bases.cRuta, e.bases.cPuerto, e.bases.cUsuario, e.bases.cPassword, e.bases.cMiBase}), usados);
        QCOMPARE(e.dialogos.cajas.isEmpty() ? QString() : e.dialogos.cajas[0].texto,
                 aviso.replace(u"%C"_s, QDir::toNativeSeparators(e.archivoConfig)));
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

#include "Configuracion.h"

#include "ArchivoIni.h"
#include "BasesDD.h"
#include "CarpetasDelPrograma.h"
#include "ConexionDirecta.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "LibKVRS.h"
#include "Objetos.h"
#include "Utilerias.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace config {

using namespace host;

namespace {

const QChar CR(13);

// A value that a settings file lacked and that could not be written into it. The program does
// not go on with values that the next start would not find.
struct NoSeGuardo {
    QString clave;
    QString motivo;
    bool delPuntoDeVenta;
};

void avisarInstalacionNoEncontrada(const QString &archivoConfig, const QString &ruta, DeArchivos &archivos,
                                   const PrimerInicio *primerInicio)
{
    const QString texto = QStringLiteral("En el archivo de configuración de este programa") + CR + CR + QLatin1Char('(')
                          + QDir::toNativeSeparators(archivoConfig) + QLatin1Char(')') + CR + CR
                          + QStringLiteral("debe indicarse la ruta correcta de Nubora Premium.") + CR
                          + QStringLiteral("Ruta indicada e incorrecta: ") + CR + CR + ruta
#ifndef Q_OS_WIN
                          // The default path is Windows': on Linux the user must be told where to look.
                          + CR + CR + QStringLiteral("En Linux, anote en la clave «") + ClaveRutaNubora()
                          + QStringLiteral("» la carpeta que contiene NuboraPremium.ini, o use repieps-cli con "
                                           "--servidor para conectarse sin ella.")
#endif
        ;
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
    if (Dialogos::actual().MsgBox(QStringLiteral("¿Desea editar el archivo de configuración?"), vbYesNo + vbQuestion,
                                  QStringLiteral("Editar INI"))
        == vbYes) {
        QString archivo = archivoConfig;
        if (primerInicio && primerInicio->editar)
            primerInicio->editar();
        else
            archivos.AbreDocumento(archivo, 0, 1);
    }
}

// de: whose setting it is, "de la configuración de Nubora Premium" or of this program's section.
void avisarDatoDanado(const QString &nombre, const QString &archivo,
                      const QString &de = QStringLiteral("de la configuración de Nubora Premium"))
{
    const QString texto = QStringLiteral("El dato «") + nombre + QStringLiteral("» ") + de
                          + QStringLiteral(" está dañado: no es un texto encriptado válido.")
                          + CR + CR + QStringLiteral("Archivo: ") + QDir::toNativeSeparators(archivo) + CR + CR
                          + QStringLiteral("Corríjalo, o bórrelo para que este programa lo vuelva a crear "
                                           "con su valor inicial.");
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

void avisarPuertoInvalido(const QString &valor, const QString &archivo)
{
    const QString texto = QStringLiteral("El dato «") + DatoPuerto()
                          + QStringLiteral("» de la configuración de Nubora Premium no es un número de puerto de 1 a "
                                           "65535: «")
                          + valor + QStringLiteral("».") + CR + CR + QStringLiteral("Archivo: ")
                          + QDir::toNativeSeparators(archivo) + CR + CR
                          + QStringLiteral("Corríjalo, o déjelo vacío para que este programa anote el puerto %1 de MySQL.")
                                .arg(PuertoPorDefecto());
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

// A settings file that cannot be decoded is left as it is: rewriting it would damage it.
void avisarArchivoIlegible(const QString &archivo, const QString &problema, bool delPuntoDeVenta)
{
    const QString texto = (delPuntoDeVenta ? QStringLiteral("No se puede usar el archivo de configuración de Nubora Premium")
                                           : QStringLiteral("No se puede usar el archivo de configuración de este programa"))
                          + CR + CR + QLatin1Char('(') + QDir::toNativeSeparators(archivo) + QLatin1Char(')') + CR + CR
                          + QStringLiteral("Motivo: ") + problema + QLatin1Char('.') + CR + CR
                          + (delPuntoDeVenta ? QStringLiteral("Este programa no lo modificó.")
                                             : QStringLiteral("Este programa no lo modificó. Corríjalo, o bórrelo para que "
                                                              "se vuelva a crear con sus valores iniciales."));
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

void avisarNoSeGuardo(const NoSeGuardo &falla)
{
    const QString texto = QStringLiteral("No se pudo anotar el valor inicial de «") + falla.clave
                          + (falla.delPuntoDeVenta ? QStringLiteral("» en el archivo de configuración de Nubora Premium.")
                                                   : QStringLiteral("» en el archivo de configuración de este programa."))
                          + CR + CR + falla.motivo + QLatin1Char('.') + CR + CR
                          + QStringLiteral("El archivo quedó como estaba. Este programa no puede continuar.");
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

} // namespace

QString RutaConfiguracion()
{
    const QString programa = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(CarpetasDeEstePrograma().configuracion).filePath(programa + QStringLiteral(".ini"));
}

QString NombreReportePorDefecto(bool clientes, const QDate &hoy)
{
    return QStringLiteral("Reporte-") + (clientes ? QStringLiteral("CT") : QStringLiteral("PR"))
           + hoy.toString(QStringLiteral("-yyyyMMdd")) + QStringLiteral(".txt");
}

bool EsPuertoValido(const QString &puerto)
{
    bool ok = false;
    const int n = puerto.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 65535;
}

int SegundosDeEspera(const QString &valor)
{
    bool ok = false;
    const int n = valor.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 86400 ? n : EsperaPorDefecto;
}

namespace {

// The body of CargarConfiguracion; a value it cannot write ends it with NoSeGuardo.
bool cargar(LibKVRS &lib, DelRegistro &registro, BasesDD &bases, const QString &archivoConfig, bool leerBase,
            const PrimerInicio *primerInicio)
{
    // A value that is exactly empty gets the default, written into the file (one made of blanks
    // is not empty and stays).
    const auto leerConDefecto = [&](const QString &clave, const QString &defecto) {
        QString motivo;
        const QString valor = lib.LeeIni(SeccionConfiguracion(), clave, archivoConfig);
        if (valor.isEmpty() && !lib.EscribeIni(SeccionConfiguracion(), clave, defecto, archivoConfig, &motivo))
            throw NoSeGuardo{clave, motivo, false};
        return valor.isEmpty() ? defecto : valor;
    };
    const auto dato = [&](const QString &nombre) { return registro.DatosNbr(nombre); };
    const auto guardar = [&](const QString &nombre, const QString &valor) {
        QString motivo;
        if (!registro.GuardaDatosNbr(nombre, valor, &motivo))
            throw NoSeGuardo{nombre, motivo, true};
    };

    // Each failed creation has shown its own box; without these objects there is nothing to do.
    std::shared_ptr<LibKVRS> miLib;
    std::shared_ptr<DeArchivos> archivos;
    std::shared_ptr<Utilerias> utilerias;
    if (!CrearObjeto(miLib, QStringLiteral("LibKVRS"), BibliotecaHost())
        || !CrearObjeto(archivos, QStringLiteral("DeArchivos"), BibliotecaHost())
        || !CrearObjeto(utilerias, QStringLiteral("Utilerias"), BibliotecaHost()))
        return false;

    QString problema;
    if (!ini::Legible(archivoConfig, &problema)) {
        avisarArchivoIlegible(archivoConfig, problema, false);
        return false;
    }
    QString ruta = leerConDefecto(ClaveRutaNubora(), RutaNuboraPorDefecto());
    if (registro.BuscarRegistroNbr(ruta).isEmpty()) {
        ConexionDirecta directa;
        bool danada = false;
        bool hay = LeerConexionDirecta(lib, archivoConfig, directa, &danada);
        if (!hay) {
            avisarInstalacionNoEncontrada(archivoConfig, ruta, *archivos, primerInicio);
            if (!primerInicio || !primerInicio->conectar
                || Dialogos::actual().MsgBox(QStringLiteral("¿Desea conectarse directamente a un servidor MySQL?"),
                                             vbYesNo + vbQuestion, QStringLiteral("Conexión directa"))
                       != vbYes
                || !primerInicio->conectar())
                return false;
            hay = LeerConexionDirecta(lib, archivoConfig, directa, &danada);
        }
        if (!hay)
            return false;
        if (danada) {
            avisarDatoDanado(QStringLiteral("Contraseña"), archivoConfig,
                             QStringLiteral("de la sección «%1» de la configuración de este programa")
                                 .arg(SeccionConexionDirecta()));
            return false;
        }
        bases.cRuta = directa.servidor;
        bases.cPuerto = directa.puerto.isEmpty() ? PuertoPorDefecto() : directa.puerto;
        bases.cUsuario = directa.usuario;
        bases.cPassword = directa.contrasena;
        bases.nEsperaSegundos =
            SegundosDeEspera(leerConDefecto(ClaveEsperaServidor(), QString::number(EsperaPorDefecto)));
        if (leerBase)
            bases.cMiBase = directa.base.isEmpty() ? leerConDefecto(ClaveBasePrincipal(), BasePrincipalPorDefecto())
                                                   : directa.base;
        return true;
    }
    if (!ini::Legible(registro.archivo(), &problema)) {
        avisarArchivoIlegible(registro.archivo(), problema, true);
        return false;
    }

    bases.cPuerto = PuertoPorDefecto();
    bases.cPassword = QString();
    bases.cUsuario = UsuarioPorDefecto();

    // Only a port not set yet gets MySQL's; a wrong one is not overwritten, nor taken for it.
    const QString puerto = dato(DatoPuerto()).trimmed();
    bool cero = false;
    if (puerto.isEmpty() || (puerto.toInt(&cero) == 0 && cero)) {
        guardar(DatoPuerto(), bases.cPuerto);
    } else if (!EsPuertoValido(puerto)) {
        avisarPuertoInvalido(dato(DatoPuerto()), registro.archivo());
        return false;
    }
    if (dato(DatoServidor()).trimmed().isEmpty())
        guardar(DatoServidor(), dato(DatoServidorAntiguo()));
    if (dato(DatoUsuario()).trimmed().isEmpty())
        guardar(DatoUsuario(), utilerias->Encripta(bases.cUsuario));
    if (dato(DatoPassword()).trimmed().isEmpty())
        guardar(DatoPassword(), utilerias->Encripta(bases.cPassword));

    bool valido = false;
    bases.cPassword = utilerias->DesEncripta(dato(DatoPassword()), &valido);
    if (!valido) {
        avisarDatoDanado(DatoPassword(), registro.archivo());
        return false;
    }
    bases.cUsuario = utilerias->DesEncripta(dato(DatoUsuario()), &valido);
    if (!valido) {
        avisarDatoDanado(DatoUsuario(), registro.archivo());
        return false;
    }
    bases.cPuerto = dato(DatoPuerto());
    bases.cRuta = dato(DatoServidor());

    bases.nEsperaSegundos = SegundosDeEspera(leerConDefecto(ClaveEsperaServidor(), QString::number(EsperaPorDefecto)));
    if (leerBase)
        bases.cMiBase = leerConDefecto(ClaveBasePrincipal(), BasePrincipalPorDefecto());
    return true;
}

} // namespace

bool CargarConfiguracion(LibKVRS &lib, DelRegistro &registro, BasesDD &bases, const QString &archivoConfig,
                         bool leerBase, const PrimerInicio *primerInicio)
{
    try {
        return cargar(lib, registro, bases, archivoConfig, leerBase, primerInicio);
    } catch (const NoSeGuardo &falla) {
        avisarNoSeGuardo(falla);
        return false;
    }
}

} // namespace config

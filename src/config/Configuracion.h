#pragma once

#include "BasesDD.h"

#include <QDate>
#include <QString>

#include <functional>

namespace host {
class BasesDD;
class DelRegistro;
class LibKVRS;
} // namespace host

// The program's configuration file and the connection settings of the point-of-sale installation.
namespace config {

// Section and keys of the configuration file, with their defaults.
inline QString SeccionConfiguracion() { return QStringLiteral("Configuración"); }
inline QString ClaveRutaNubora() { return QStringLiteral("Ruta de Nubora Premium"); }
inline QString RutaNuboraPorDefecto() { return QStringLiteral("C:\\nuborapremium"); }
inline QString ClaveBasePrincipal() { return QStringLiteral("Base de datos principal"); }
inline QString BasePrincipalPorDefecto() { return QStringLiteral("datos1"); }
// MySQL's own port, for a server given without one.
inline QString PuertoPorDefecto() { return QString::number(host::BasesDD::PuertoDeMySQL); }
// Whether a text is a port number, 1 to 65535 (blanks around it aside).
bool EsPuertoValido(const QString &puerto);
// MySQL's administrator, for a server given without a user.
inline QString UsuarioPorDefecto() { return QStringLiteral("root"); }
// How long a statement may wait for the server before the run gives up: generous, since the
// ranking of a large quarter must fit, but a server that froze does not hang the program.
inline QString ClaveEsperaServidor() { return QStringLiteral("Segundos de espera del servidor"); }
constexpr int EsperaPorDefecto = 300;
// The seconds a value of that key gives: a whole number from 1 to 86400; anything else gives the
// default.
int SegundosDeEspera(const QString &valor);

// The 69-B list the review checks the parties against (a CSV file), as the review window last chose
// or downloaded it; and the address its "Descargar" fetches it from.
inline QString ClaveLista69B() { return QStringLiteral("Lista 69-B"); }
inline QString ClaveDireccionLista69B() { return QStringLiteral("Dirección de la lista 69-B"); }
inline QString DireccionLista69BPorDefecto()
{
    return QStringLiteral("https://omawww.sat.gob.mx/cifras_sat/Documents/Listado_Completo_69-B.csv");
}

// Installation settings kept by the point-of-sale installation.
inline QString DatoServidor() { return QStringLiteral("MySQLServer"); }
inline QString DatoPuerto() { return QStringLiteral("MySQLPuerto"); }
inline QString DatoUsuario() { return QStringLiteral("MySQLUsuario"); }
inline QString DatoPassword() { return QStringLiteral("MySQLPassword"); }
inline QString DatoServidorAntiguo() { return QStringLiteral("servidor"); }

// The report name the window and the command line propose: "Reporte-" + "CT" (customers) or
// "PR" (suppliers) + "-yyyymmdd" of the day + ".txt".
QString NombreReportePorDefecto(bool clientes, const QDate &hoy);

// The configuration file: the configuration folder of CarpetasDeEstePrograma (the program's folder
// when it can be written), "/", the executable's name without extension and ".ini" (repieps.ini
// beside repieps.exe). Needs the application object.
QString RutaConfiguracion();

// What the desktop program adds to the load when no installation is found; the command line gives
// none (it asks nothing).
struct PrimerInicio {
    // Opens the configuration file; where nothing opens it, a box says where it is.
    std::function<void()> editar;
    // The direct connection's dialog, once the user asked for it; true when it saved the section
    // (ConexionDirecta.h), false when the user gave up.
    std::function<bool()> conectar;
};

// Reads the configuration file, finds the point-of-sale installation, initialises its missing
// MySQL settings and hands server, port, user, password, the wait for the server and (with
// leerBase) database name to bases. False, after telling the user why, when the program cannot go
// on: a configuration or installation settings file that cannot be read or decoded, or that
// lacks a value and cannot take it (a full disk, no permission: the file is left byte for byte
// as it was), no installation at the configured folder, a host object that cannot be created, or
// a scrambled user or password that is damaged.
// Without an installation the direct connection saved in the configuration file is used (a
// database it names replaces «Base de datos principal»). With none saved, after the notice and the
// offer to edit the file, primerInicio (when given) may make one: "¿Desea conectarse directamente a
// un servidor MySQL?"; answered No, or the dialog given up, the load fails as before.
bool CargarConfiguracion(host::LibKVRS &lib, host::DelRegistro &registro, host::BasesDD &bases,
                         const QString &archivoConfig, bool leerBase, const PrimerInicio *primerInicio = nullptr);

} // namespace config

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace config {

// What the command-line program was asked to do.
struct OpcionesCli {
    QDate desde, hasta;
    bool proveedores = false;
    QString clave;          // party key; empty: all parties
    QString archivo;        // report name; empty: the default name
    QString carpeta;        // output folder; empty: the current folder, or the user's (installed)
    bool porCategoria = false;
    bool todosLosPagos = false;
    QString config;         // configuration file; empty: the window's (CarpetasDelPrograma)
    QString servidor;       // with a server the connection comes from the options alone
    QString puerto;
    QString usuario;
    QString base;
    bool resumen = false;    // after the run, the report's summary per RFC on stdout
    QString excel;          // after the run, the report's workbook at this path; empty: none
    QString pdf;            // after the run, the PDF of its summary at this path; empty: none
    QString comparar;       // an earlier report, read before the run, that the new one is compared with
    QString lista69B;       // the 69-B list the review checks the parties against; empty: none
    bool sinReemplazar = false; // a report already in the folder stops the run (exit 2)
    bool estadisticas = false;
    bool porRenglon = false; // reads row by row (the reference way) instead of whole periods
    bool ayuda = false;
    bool version = false;    // only "repieps x.y.z" on stdout
};

// Reads the arguments after the program's name. False with a Spanish message in *error when they
// are not valid (an unknown option, a missing or blank value, a missing, malformed or unusable date,
// an output that ComprobarSalidasCli turns down, a report already there with --sin-reemplazar).
bool LeerOpcionesCli(const QStringList &argumentos, OpcionesCli &opciones, QString *error);

// The output check of the command line (ComprobarSalida and ComprobarOtraSalida for --excel and
// --pdf), with the configuration files (the default one and --config) and, once it is known, the
// installation's settings file as the program's own files.
bool ComprobarSalidasCli(const OpcionesCli &opciones, const QString &instalacion, QString *error);
// The report's name: --archivo, or the default name of the day.
QString NombreDelReporte(const OpcionesCli &opciones);
// --config, or the configuration file that the window and the command line share.
QString ArchivoDeConfiguracion(const OpcionesCli &opciones);

// Whether the arguments give an option ("--pdf" or "--pdf=..."), valid or not; the program asks
// this before anything else to know which kind of application it needs.
bool OpcionDada(const QStringList &argumentos, const char *opcion);

// Where the report, the log and the review are written: --carpeta; else the current folder, or,
// for an installed program (see CarpetasDeEstePrograma), the user's documents folder "repieps".
QString CarpetaDeSalida(const OpcionesCli &opciones);

// Whether a database name is one of the server's own schemas (mysql, information_schema,
// performance_schema, sys), where no report may create its work table; and the message saying so.
bool EsBaseDelServidor(const QString &base);
QString MensajeBaseDelServidor(const QString &base);

// The help text of the command-line program.
QString AyudaCli();

// A period given the wrong way round, for the command line and the window alike.
QString MensajePeriodoAlReves(const QString &desde, const QString &hasta);

// Whether a period may end on that day (the day after it must be a date of the database), and
// what the window and the command line say when it may not.
bool FechaFinalAdmitida(const QDate &hasta);
QString MensajeFechaFinalNoAdmitida(const QString &hasta);

// A date written day/month/year (05/03/2018 or 5/3/2018); an invalid date when it is not one.
QDate FechaDiaMesAnio(const QString &texto);

} // namespace config

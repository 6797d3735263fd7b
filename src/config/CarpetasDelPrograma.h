#pragma once

#include <QString>

// Where the program keeps its configuration file and writes its reports, logs and reviews.
namespace config {

struct CarpetasDelPrograma {
    // True when the program's folder cannot be written (an installed program) and the user's own
    // folders are used instead.
    bool delUsuario = false;
    QString configuracion; // folder of the configuration file
    QString salida;        // folder of the reports, logs and reviews
};

// The name of the uninstaller that the Windows installer leaves beside the programs.
inline constexpr char kDesinstalador[] = "desinstalar.exe";

// The one decision, from the folder that holds the executables. Where the user can write in it
// (a build folder, a copy of the program in a folder of its own) both folders are that folder,
// as the program always had them. An installed program uses the user's folders instead: its
// folder cannot be written (/usr/bin, Program Files), or it holds the uninstaller (a Windows
// installation for one user, in a folder the user owns). The configuration then lives in the
// user's configuration folder for this application (QStandardPaths::AppConfigLocation: both
// programs are named "repieps") and the outputs in the folder "repieps" of the user's documents.
// A folder whose mode lets no one write counts as read-only also for a superuser, who could
// write there anyway. Creates nothing.
CarpetasDelPrograma CarpetasPara(const QString &carpetaDelPrograma);

// The running program's: CarpetasPara of the executable's folder. The user's folders are created
// when they are missing, so that the first run finds them. Needs the application object.
CarpetasDelPrograma CarpetasDeEstePrograma();

// The window's line saying where the outputs go: "  Reportes en: " and the folder, when they go
// to the user's folders; empty otherwise, where they sit beside the program as always.
QString LineaDeCarpetas(const CarpetasDelPrograma &carpetas);

} // namespace config

#pragma once

#include <QString>

namespace config {

// The check of a run's output made before the run touches the database or writes anything, shared
// by the window and the command line. The run writes the report, "Log" + name and "Revision" +
// name in the folder, so the name must be a plain file name that still fits the file system with
// the longest of those prefixes in front, and the folder must exist and take a new file.
//
// Both return an empty text when the output is fine, else the Spanish reason to show the user.
QString ComprobarNombreDeSalida(const QString &archivo);
QString ComprobarSalida(const QString &carpeta, const QString &archivo);

// Characters a file name may take, the longest prefix counted (255 on the usual file systems).
int LargoMaximoDeNombre();

} // namespace config

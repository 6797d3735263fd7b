#pragma once

#include <QString>

namespace config {

// The check of a run's output made before the run touches the database or writes anything, shared
// by the window and the command line. The run writes the report, "Log" + name and "Revision" +
// name in the folder, so the name must be a plain file name that still fits the file system with
// the longest of those prefixes in front, and the folder must exist and take a new file.
//
// Both false, with the Spanish reason to show the user in *error, when the output will not do.
bool ComprobarNombreDeSalida(const QString &archivo, QString *error);
bool ComprobarSalida(const QString &carpeta, const QString &archivo, QString *error);

// Whether a new file can be created in the folder. One is created and removed: neither the
// permissions nor the attributes tell everywhere (network drives, access lists, a read-only
// volume, a protected program folder on Windows). False with the system's reason in Spanish in
// *error.
bool SePuedeCrearArchivoEn(const QString &carpeta, QString *error = nullptr);

// Characters a file name may take, the longest prefix counted (255 on the usual file systems).
int LargoMaximoDeNombre();

} // namespace config

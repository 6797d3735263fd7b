#pragma once

#include <QString>
#include <QStringList>

namespace config {

// Files that no output of the program may take the place of: this program's configuration files
// (the default one and the one in use) and the installation's settings file. Empty: none.
struct ArchivosDelPrograma {
    QStringList configuracion;
    QString instalacion;
};

// The check of a run's output made before the run touches the database or writes anything, shared
// by the window and the command line. The run writes its files (host::ArchivosDeLaCorrida) in the
// folder, so the name must be a plain file name that still fits the file system with the longest
// of their prefixes in front, and the folder must exist and take a new file. None of the run's
// files may be one of propios, nor an earlier file marked read-only, which the run could not
// replace at its end.
//
// All false, with the Spanish reason to show the user in *error, when the output will not do.
bool ComprobarNombreDeSalida(const QString &archivo, QString *error);
bool ComprobarSalida(const QString &carpeta, const QString &archivo, QString *error,
                     const ArchivosDelPrograma &propios = {});

// Another file made from a report (the command line's --excel and --pdf, the window's exports of
// "Ver reporte"): que says what it is ("el libro de Excel"), reporte is the report's path. Its
// folder must exist, and it must be neither a folder nor one of the files of the report's run nor
// of propios.
bool ComprobarOtraSalida(const QString &ruta, const QString &que, const QString &reporte, const ArchivosDelPrograma &propios,
                         QString *error);

// Whether two paths name the same file as the file system sees them: links, "." and ".."
// resolved as far as the path exists, and without regard to case on Windows.
bool MismoArchivo(const QString &a, const QString &b);

// Whether a new file can be created in the folder. One is created and removed: neither the
// permissions nor the attributes tell everywhere (network drives, access lists, a read-only
// volume, a protected program folder on Windows). False with the system's reason in Spanish in
// *error.
bool SePuedeCrearArchivoEn(const QString &carpeta, QString *error = nullptr);

// Characters a file name may take, the longest prefix counted (255 on the usual file systems).
int LargoMaximoDeNombre();

} // namespace config

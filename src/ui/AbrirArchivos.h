#pragma once

#include <QString>

namespace ui {

// Opens a file or a folder with the program the system has for it. Where there is none, the user
// is told where it is instead, so that it can be found and opened by hand. True when it opened.

// que: what the file is, as a sentence needs it ("el archivo de configuración", "el reporte").
// The files the program opens (configuration, report, log) are plain text files, and the box says so.
bool AbrirArchivoDeTexto(const QString &ruta, const QString &que);
bool AbrirCarpeta(const QString &ruta);
// The program's configuration file ("Editar archivo INI", double click on the main window).
bool EditarConfiguracion();

// The box shown when a plain text file could not be opened.
QString MensajeSinProgramaParaAbrir(const QString &ruta, const QString &que);

} // namespace ui

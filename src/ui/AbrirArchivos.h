#pragma once

#include <QString>

namespace ui {

// What the buttons and menu entries that open a file or a folder do: it opens with the program
// the system has for it, or, where there is none, a box tells the user where it is, so that it can
// be found and opened by hand.

// que: what the file is, as a sentence needs it ("el archivo de configuración", "el reporte").
// The files the program opens (configuration, report, log) are plain text files, and the box says so.
void AbrirArchivoDeTexto(const QString &ruta, const QString &que);
void AbrirCarpeta(const QString &ruta);
// The program's configuration file ("Editar archivo INI", double click on the main window).
void EditarConfiguracion();

} // namespace ui

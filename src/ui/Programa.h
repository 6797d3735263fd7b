#pragma once

#include "ComprobacionDeSalida.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace host {
class LibKVRS;
class Plugins;
class BasesDD;
class Utilerias;
class DeArchivos;
class DelRegistro;
class DeControles;
} // namespace host

namespace ui {

// The host objects that serve the whole program, made at the main window's start-up and released
// at its shutdown, with the configuration file and the main window.
struct ObjetosPrograma {
    std::shared_ptr<host::LibKVRS> libKVRS;
    std::shared_ptr<host::Plugins> plugins;
    std::shared_ptr<host::BasesDD> basesDD;
    std::shared_ptr<host::Utilerias> utilerias;
    std::shared_ptr<host::DeArchivos> deArchivos;
    std::shared_ptr<host::DelRegistro> delRegistro;
    std::shared_ptr<host::DeControles> deControles;

    QString archivoConfig;
    QPointer<QWidget> ventanaPrincipal;
};

ObjetosPrograma &Programa();
// The files no output of the window may take the place of: the configuration file in use, the
// default one, and the installation's settings file once it was found.
config::ArchivosDelPrograma ArchivosPropios();

// The program's name as users read it in titles and boxes: "Reporte especial de IEPS".
QString NombreDelPrograma();

} // namespace ui

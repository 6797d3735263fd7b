// The desktop program: the window that prepares the special IEPS report.

#include "DialogosQt.h"
#include "Skin.h"
#include "frmInicial.h"

#include "Dialogos.h"
#include "FinDelPrograma.h"
#include "TextosDeQt.h"
#include "Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kAyuda[] = "Uso: repieps [--help] [--version]\n"
                      "\n"
                      "Abre la ventana del reporte especial de IEPS.\n"
                      "\n"
                      "Opciones:\n"
                      "  --help      muestra esta ayuda\n"
                      "  --version   muestra la versión del programa\n"
                      "\n"
                      "El reporte sin ventana lo genera repieps-cli (man repieps-cli).\n";

// --help and --version are answered before any window or display is needed; 0 when one was,
// -1 otherwise.
int RespuestaSinVentana(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--ayuda")) {
            std::fputs(kAyuda, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("%s\n", config::LineaDeVersion().toUtf8().constData());
            return 0;
        }
    }
    return -1;
}

int correr(int argc, char *argv[])
{
    const int respuesta = RespuestaSinVentana(argc, argv);
    if (respuesta >= 0)
        return respuesta;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("repieps"));
    // No application display name: the window system would add it to every window's own title.
    // The menu entry repieps.desktop, whose icon the desktop shows for the window.
    QApplication::setDesktopFileName(QStringLiteral("repieps"));
    QApplication::setApplicationVersion(config::Version());
    // The file dialogs and the menus of the text boxes in Spanish, whatever the system's language.
    config::CargarTextosDeQt();

    ui::DialogosQt dialogos;
    host::Dialogos::instalar(&dialogos);
    ui::RegistrarClasesDeDibujo();

    auto *ventana = new ui::frmInicial;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    dialogos.setDueno(ventana);
    // The configuration could not be loaded: the user was told why, and the program ends as a
    // failure.
    if (!ventana->Cargar()) {
        delete ventana;
        host::Dialogos::instalar(nullptr);
        return 1;
    }
    ventana->MostrarCentrada();
    const int resultado = app.exec();
    host::Dialogos::instalar(nullptr);
    return resultado;
}

} // namespace

// On Windows Qt's WinMain calls this main under another name, past the linker's wrapping of
// main: the window program ends the way every program here does by itself.
int main(int argc, char *argv[])
{
    return host::FinDelPrograma(correr(argc, argv));
}

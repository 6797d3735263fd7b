// The desktop program: the window that prepares the special IEPS report.

#include "DialogosQt.h"
#include "Skin.h"
#include "frmInicial.h"

#include "Dialogos.h"
#include "FinDelPrograma.h"

#include <QApplication>

namespace {

int correr(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("repieps"));
    // No application display name: the window system would add it to every window's own title.
    // The menu entry repieps.desktop, whose icon the desktop shows for the window.
    QApplication::setDesktopFileName(QStringLiteral("repieps"));
    QApplication::setApplicationVersion(ui::frmInicial::Version());

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

// The desktop program: the window that prepares the special IEPS report.
//
// For pictures of the window (tools/screenshot) two environment variables are read:
//   REPIEPS_CAPTURA=<png>          saves the window once it has started, then ends;
//   REPIEPS_CAPTURA_PROCESO=<png>  presses "Procesar", saves the window while the run shows its
//                                  progress, and ends after the run.
// In either case message boxes are not shown but printed, and closing does not ask.

#include "DialogosQt.h"
#include "Skin.h"
#include "frmInicial.h"

#include "Dialogos.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

// Boxes printed on stderr instead of waiting for an answer, for unattended pictures.
class DialogosDeCaptura : public ui::DialogosQt {
public:
    int MsgBox(const QString &texto, int botones, const QString &titulo) override
    {
        return consola_.MsgBox(texto, botones, titulo);
    }
    int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) override
    {
        return consola_.MsgBoxSkn(texto, botones, titulo, tipo);
    }

private:
    host::DialogosConsola consola_;
};

bool Guardar(QWidget *ventana, const QString &archivo)
{
    const bool ok = ventana->grab().save(archivo, "PNG");
    QTextStream(stderr) << (ok ? "Imagen guardada en " : "No se pudo guardar ") << archivo << Qt::endl;
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("repieps"));
    QApplication::setApplicationDisplayName(QStringLiteral("Reporte especial de IEPS"));
    // The menu entry repieps.desktop, whose icon the desktop shows for the window.
    QApplication::setDesktopFileName(QStringLiteral("repieps"));
    QApplication::setApplicationVersion(ui::frmInicial::Version());

    const QString captura = qEnvironmentVariable("REPIEPS_CAPTURA");
    const QString capturaProceso = qEnvironmentVariable("REPIEPS_CAPTURA_PROCESO");
    const bool capturando = !captura.isEmpty() || !capturaProceso.isEmpty();

    std::unique_ptr<ui::DialogosQt> dialogos(capturando ? new DialogosDeCaptura : new ui::DialogosQt);
    host::Dialogos::instalar(dialogos.get());
    ui::RegistrarClasesDeDibujo();

    ui::frmInicial::Opciones opciones;
    if (capturando)
        opciones.modoDesarrollo = [] { return true; };
    auto *ventana = new ui::frmInicial(std::move(opciones));
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    dialogos->setDueno(ventana);
    if (!ventana->Cargar()) {
        delete ventana;
        host::Dialogos::instalar(nullptr);
        return 0;
    }
    ventana->MostrarCentrada();

    if (!captura.isEmpty()) {
        QTimer::singleShot(400, ventana, [ventana, captura] {
            const bool ok = Guardar(ventana, captura);
            ventana->close();
            QCoreApplication::exit(ok ? 0 : 1);
        });
    } else if (!capturaProceso.isEmpty()) {
        QTimer::singleShot(400, ventana, [ventana, capturaProceso] {
            // Saved from inside the run, as soon as the progress text is showing.
            auto *vigia = new QTimer(ventana);
            vigia->setInterval(20);
            QObject::connect(vigia, &QTimer::timeout, ventana, [ventana, vigia, capturaProceso] {
                if (ventana->lblProceso->isVisible() && !ventana->lblProceso->text().isEmpty()) {
                    vigia->stop();
                    Guardar(ventana, capturaProceso);
                }
            });
            vigia->start();
            ventana->cmdProcesar->click();
            const bool vista = !vigia->isActive();
            vigia->stop();
            if (!vista)
                QTextStream(stderr) << "La corrida terminó sin mostrar su avance; no se guardó la imagen" << Qt::endl;
            ventana->close();
            QCoreApplication::exit(vista ? 0 : 1);
        });
    }
    const int resultado = app.exec();
    host::Dialogos::instalar(nullptr);
    return resultado;
}

#pragma once

#include "Dialogos.h"

#include <QPointer>
#include <QWidget>

namespace ui {

class VentanaEspera;

// The program's dialogs on the desktop: the standard message box, the skinned box in the colours
// of the program's skin, the wait window, and documents opened with the system's own program.
class DialogosQt : public host::Dialogos {
public:
    DialogosQt();
    ~DialogosQt() override;

    // Window over which boxes and the wait window are centred (the main window).
    void setDueno(QWidget *dueno) { dueno_ = dueno; }

    int MsgBox(const QString &texto, int botones, const QString &titulo) override;
    int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) override;
    void MuestraWnd(const QString &mensaje) override;
    void QuitaWnd() override;
    bool AbreDocumento(const QString &ruta) override;

private:
    QWidget *dueno() const;

    QPointer<QWidget> dueno_;
    QPointer<VentanaEspera> espera_;
};

// Buttons of a box by the flag value (low four bits): the result code of each, in order.
QList<int> BotonesDeCaja(int botones);
// Spanish caption of a result code's button ("Aceptar", "Sí"...).
QString LeyendaDeBoton(int resultado);
// Index of the default button: 256 the second, 512 the third, when there are that many.
int BotonPorDefecto(int botones, int cuantos);

} // namespace ui

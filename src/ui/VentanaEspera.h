#pragma once

#include "VentanaConBanda.h"

class QLabel;
class QPushButton;

namespace ui {

// The wait window: a small band with the message, a line for how long the server has been
// silent, a moving bar and, for a run that can be stopped, the button "Cancelar" (Escape does
// the same). It never takes the focus from the window it waits over.
class VentanaEspera : public VentanaConBanda {
    Q_OBJECT
public:
    VentanaEspera(QWidget *padre, const QString &mensaje);

    // Shows the message over the part of dueno that a run leaves idle ("zonaEspera"), else over
    // its top, so that the connection, the dates and the progress stay in sight.
    void Mostrar(const QString &mensaje, QWidget *dueno);
    // The line under the message; empty hides it.
    void setEstado(const QString &estado);
    void setCancelable(bool cancelable);

    QLabel *texto = nullptr;
    QLabel *lblEstado = nullptr;
    QPushButton *cmdCancelar = nullptr;

Q_SIGNALS:
    void cancelar();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void reject() override {}
};

} // namespace ui

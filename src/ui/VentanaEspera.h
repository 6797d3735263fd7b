#pragma once

#include "VentanaConBanda.h"

#include <QElapsedTimer>

class QLabel;
class QPushButton;
class QTimer;

namespace ui {

// The wait window: a small band with the message, the payments done of the total with the seconds
// gone ("Pago 1 234 de 20 000 · 12 s"), a line for how long the server has been silent, a bar that
// moves while the program works and, for a run that can be stopped, the button "Cancelar" (Escape
// does the same). It never takes the focus from the window it waits over. Its size is fixed: the
// lines that come and go have their place kept, so that "Cancelar" never moves under the mouse.
class VentanaEspera : public VentanaConBanda {
    Q_OBJECT
public:
    VentanaEspera(QWidget *padre, const QString &mensaje);

    // Shows the message over the part of dueno that a run leaves idle ("zonaEspera"), else over
    // its top, so that the connection, the dates and the progress stay in sight.
    void Mostrar(const QString &mensaje, QWidget *dueno);
    // A new piece of work starts: no count yet, and the seconds count from now.
    void Empezar();
    // Payments done of the total; a total of 0 (not known yet) shows only the seconds.
    void setAvance(int hechos, int total);
    // The line under the message; empty leaves it blank.
    void setEstado(const QString &estado);
    void setCancelable(bool cancelable);

    // "Pago 1 234 de 20 000 · 12 s", "Preparando el proceso · 3 s".
    static QString TextoDeAvance(int hechos, int total, qint64 segundos);

    QLabel *texto = nullptr;
    QLabel *lblAvance = nullptr;
    QLabel *lblEstado = nullptr;
    QWidget *barra = nullptr;
    QPushButton *cmdCancelar = nullptr;

Q_SIGNALS:
    void cancelar();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void reject() override {}

private:
    void latir();

    QTimer *latido_ = nullptr; // moves the bar and the seconds while the window shows
    QElapsedTimer desde_;
    int hechos_ = 0;
    int total_ = 0;
};

} // namespace ui

#pragma once

#include "VentanaConBanda.h"

class QToolButton;
class QVBoxLayout;

namespace ui {

class BordesDeVentana;

// A window of the program's look for reading tables (the report, the review): the main window's
// title band (dragged to move it), buttons on the band to maximise or restore it and to close it
// (a double click on the band maximises or restores it too), edges and corners to resize it
// (BordesDeVentana), Esc closes it. Its contents go into disposicion(), below the band. It opens,
// and stays when maximised, inside the available area of its screen.
class VentanaDeTabla : public VentanaConBanda {
    Q_OBJECT
public:
    VentanaDeTabla(QWidget *padre, const QString &titulo);

    QVBoxLayout *disposicion() const { return disposicion_; }
    QToolButton *cmdCerrar() const { return cerrar_; }
    QToolButton *cmdMaximizar() const { return maximizar_; }

    bool maximizada() const { return maximizada_; }
    // Maximised: the whole available area, no dragging nor resizing; restored: where it was.
    void setMaximizada(bool maximizada);

protected:
    // The size it opens at: preferido where the screen allows, else as wide or as high as the
    // available area.
    void ponerTamanoInicial(const QSize &preferido);
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    QVBoxLayout *disposicion_;
    QToolButton *maximizar_;
    QToolButton *cerrar_;
    BordesDeVentana *bordes_;
    bool maximizada_ = false;
    QRect normal_;
};

} // namespace ui

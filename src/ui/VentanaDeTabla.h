#pragma once

#include "VentanaConBanda.h"

class QToolButton;
class QVBoxLayout;

namespace ui {

// A window of the program's look for reading tables (the report, the review): the main window's
// title band (dragged to move it), a close button on the band, a grip in the corner to resize it,
// Esc closes it. Its contents go into disposicion(), below the band.
class VentanaDeTabla : public VentanaConBanda {
    Q_OBJECT
public:
    VentanaDeTabla(QWidget *padre, const QString &titulo);

    QVBoxLayout *disposicion() const { return disposicion_; }
    QToolButton *cmdCerrar() const { return cerrar_; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    QVBoxLayout *disposicion_;
    QToolButton *cerrar_;
};

} // namespace ui

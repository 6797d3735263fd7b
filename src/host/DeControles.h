#pragma once

#include "ObjetoHost.h"

class QObject;

namespace host {

// Behaviour of self-drawn windows. Here it does nothing; the desktop program registers a
// subclass (RegistrarClase) that lets the mouse drag the window.
class DeControles : public ObjetoHost {
public:
    // Called while the left button is held over the window: the window follows the mouse.
    virtual void MoverVentana(QObject *ventana) { (void)ventana; }
};

} // namespace host

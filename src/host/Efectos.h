#pragma once

#include "ObjetoHost.h"

class QObject;

namespace host {

// Painting of the window skin. Here it does nothing; the desktop program registers a subclass
// (RegistrarClase) that paints the window and its chrome controls, which it finds on the window.
class Efectos : public ObjetoHost {
public:
    virtual void PintarSkin(QObject *ventana) { (void)ventana; }
};

} // namespace host

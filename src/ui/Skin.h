#pragma once

#include "DeControles.h"
#include "Efectos.h"

#include <QColor>
#include <QPixmap>

class QPainter;
class QRect;
class QWidget;

namespace ui {

// Colours and drawings of the program's skin: a dark blue title band over a light body.
namespace skin {
constexpr int AltoBanda = 30; // pixels of the title band
QColor BandaArriba();
QColor BandaAbajo();
QColor Borde();
QColor Fondo();
QColor Acento();
QColor TextoBanda();

// The chrome pictures, drawn for the screen's pixel ratio.
QPixmap ImagenLogo(qreal escala);
QPixmap ImagenMinimizar(qreal escala);
QPixmap ImagenCerrar(qreal escala);
// A window's frame (maximise) and two frames one behind the other (restore).
QPixmap ImagenMaximizar(qreal escala);
QPixmap ImagenRestaurar(qreal escala);

// Background, title band with the title text from x = izquierdaTitulo, and outer border.
void PintarMarco(QPainter &p, const QRect &r, const QString &titulo, int izquierdaTitulo);
} // namespace skin

// The painter of the skin: dresses the window (palette, fonts), gives the chrome controls that
// it finds on the window by name (MinimizarVentana, CerrarVentana, imgLogoVentana, RestaurarForma)
// their pictures and places them on the title band, and paints the band and the border from then on.
class EfectosQt : public host::Efectos {
public:
    void PintarSkin(QObject *ventana) override;
};

// Dragging of frameless windows: the window manager's own move when it offers one, else the
// window follows the cursor until the button is released.
class ControlesQt : public host::DeControles {
public:
    void MoverVentana(QObject *ventana) override;
};

// Puts EfectosQt and ControlesQt in place of the host library's "Efectos" and "DeControles".
void RegistrarClasesDeDibujo();

} // namespace ui

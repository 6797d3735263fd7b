#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Keeps the program's windows and boxes on the screen, whatever its size and scale: every window
// that opens or comes back from the configuration file goes through here.

// Where a window may lie: the available area (the screen less its task bar) of the screen that
// holds the window's centre, else of its parent's screen, else of the primary screen.
QRect ZonaDisponible(const QWidget *ventana);

// The rectangle r brought inside zona: no wider nor higher than zona, then moved the least that
// puts it whole inside. An empty zona leaves r as it is.
QRect DentroDe(const QRect &r, const QRect &zona);

// Where a window of size tamano goes beside otra, top edges level, a small gap between: to its
// right, else to its left when only that side has room; with room on neither side, the roomier
// one (DentroDe then keeps it on the screen).
QPoint AlLadoDe(const QSize &tamano, const QRect &otra, const QRect &zona);

// Brings the window's frame (title and borders included when the window manager draws them; a
// frame not drawn yet is reckoned as the toolkit's own dialogs reckon it) inside ZonaDisponible:
// a window larger than the area takes the area's size, then moves the least.
void MeterEnPantalla(QWidget *ventana);

// Centres the window's frame on centro, then MeterEnPantalla.
void CentrarEn(QWidget *ventana, const QPoint &centro);

// The size a window opens at: preferido, the room its contents want on a common screen, but no
// wider nor higher than the available area (a smaller or scaled screen).
QSize TamanoInicial(const QWidget *ventana, const QSize &preferido);

} // namespace ui

#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Window lengths are kept in twips (1/1440 inch), as single-precision numbers, and turned into
// pixels only where a widget is read or moved, with the logical DPI of its screen.
constexpr float TwipsPorPulgada = 1440.0f;

// A window's outer rectangle in twips.
struct GeometriaTwips {
    float ancho = 0;
    float alto = 0;
    float izquierda = 0;
    float arriba = 0;

    bool operator==(const GeometriaTwips &o) const
    {
        return ancho == o.ancho && alto == o.alto && izquierda == o.izquierda && arriba == o.arriba;
    }
};

// Twips in one pixel on the screen of the widget (15 at 96 DPI).
float TwipsPorPixel(const QWidget *w);
float ATwips(const QWidget *w, int pixeles);
int APixeles(const QWidget *w, float twips);

// Outer geometry of a top-level window (or of a child inside its parent), in twips.
GeometriaTwips LeerGeometria(const QWidget *w);
void FijarIzquierda(QWidget *w, float twips);
void FijarArriba(QWidget *w, float twips);
void FijarAncho(QWidget *w, float twips);
void FijarAlto(QWidget *w, float twips);
// Height of the screen that shows the widget, in twips.
float AltoPantalla(const QWidget *w);

} // namespace ui

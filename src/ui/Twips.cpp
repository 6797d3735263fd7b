#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {

namespace {
QScreen *pantallaDe(const QWidget *w)
{
    QScreen *s = w ? w->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}
} // namespace

float TwipsPorPixel(const QWidget *w)
{
    const QScreen *s = pantallaDe(w);
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return float(TwipsPorPulgada / (dpi > 0 ? dpi : 96.0));
}

float ATwips(const QWidget *w, int pixeles)
{
    return float(pixeles) * TwipsPorPixel(w);
}

int APixeles(const QWidget *w, float twips)
{
    return int(std::lround(double(twips) / double(TwipsPorPixel(w))));
}

GeometriaTwips LeerGeometria(const QWidget *w)
{
    const QRect r = w->isWindow() ? QRect(w->pos(), w->size()) : w->geometry();
    GeometriaTwips g;
    g.ancho = ATwips(w, r.width());
    g.alto = ATwips(w, r.height());
    g.izquierda = ATwips(w, r.x());
    g.arriba = ATwips(w, r.y());
    return g;
}

void FijarIzquierda(QWidget *w, float twips)
{
    w->move(APixeles(w, twips), w->pos().y());
}

void FijarArriba(QWidget *w, float twips)
{
    w->move(w->pos().x(), APixeles(w, twips));
}

void FijarAncho(QWidget *w, float twips)
{
    w->resize(std::max(0, APixeles(w, twips)), w->height());
}

void FijarAlto(QWidget *w, float twips)
{
    w->resize(w->width(), std::max(0, APixeles(w, twips)));
}

float AltoPantalla(const QWidget *w)
{
    const QScreen *s = pantallaDe(w);
    return s ? ATwips(w, s->geometry().height()) : 0.0f;
}

} // namespace ui

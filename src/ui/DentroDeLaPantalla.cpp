#include "DentroDeLaPantalla.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {

namespace {
// The frame of a window that the window manager has not framed yet: 10 pixels more wide and 40
// more high, the guess of the toolkit's own dialogs.
const QMargins MarcoSupuesto(5, 35, 5, 5);

QMargins Marco(const QWidget *v)
{
    const QRect g = v->geometry(), m = v->frameGeometry();
    const QMargins visto(g.left() - m.left(), g.top() - m.top(), m.right() - g.right(), m.bottom() - g.bottom());
    const bool conMarco = !(v->windowFlags() & Qt::FramelessWindowHint);
    return conMarco && visto.isNull() ? MarcoSupuesto : visto;
}

// The top left corner that puts a frame of size t inside zona, moved the least from p; a frame
// larger than zona starts at zona's corner.
QPoint Esquina(const QSize &t, const QPoint &p, const QRect &zona)
{
    return QPoint(std::max(zona.left(), std::min(p.x(), zona.right() + 1 - t.width())),
                  std::max(zona.top(), std::min(p.y(), zona.bottom() + 1 - t.height())));
}
} // namespace

QRect ZonaDisponible(const QWidget *ventana)
{
    QScreen *s = nullptr;
    if (ventana->isVisible() || ventana->testAttribute(Qt::WA_Moved))
        s = QGuiApplication::screenAt(ventana->frameGeometry().center());
    if (!s && ventana->parentWidget())
        s = ventana->parentWidget()->window()->screen();
    if (!s)
        s = ventana->screen();
    return s ? s->availableGeometry() : QRect();
}

QRect DentroDe(const QRect &r, const QRect &zona)
{
    if (zona.isEmpty())
        return r;
    const QSize t = r.size().boundedTo(zona.size());
    return QRect(Esquina(t, r.topLeft(), zona), t);
}

QPoint AlLadoDe(const QSize &tamano, const QRect &otra, const QRect &zona)
{
    constexpr int Hueco = 8;
    const int derecha = zona.right() - otra.right() - Hueco;
    const int izquierda = otra.left() - zona.left() - Hueco;
    if (derecha >= tamano.width() || derecha >= izquierda)
        return QPoint(otra.right() + 1 + Hueco, otra.top());
    return QPoint(otra.left() - Hueco - tamano.width(), otra.top());
}

void MeterEnPantalla(QWidget *ventana)
{
    const QRect zona = ZonaDisponible(ventana);
    if (zona.isEmpty())
        return;
    const QMargins marco = Marco(ventana);
    const QRect dentro = DentroDe(QRect(ventana->pos(), ventana->size().grownBy(marco)), zona);
    ventana->resize(dentro.size().shrunkBy(marco));
    // A window that cannot be made that small (its minimum size) keeps its top left corner inside.
    ventana->move(Esquina(ventana->size().grownBy(marco), dentro.topLeft(), zona));
}

void CentrarEn(QWidget *ventana, const QPoint &centro)
{
    const QSize t = ventana->size().grownBy(Marco(ventana));
    ventana->move(centro - QPoint(t.width() / 2, t.height() / 2));
    MeterEnPantalla(ventana);
}

QSize TamanoInicial(const QWidget *ventana, const QSize &preferido)
{
    const QRect zona = ZonaDisponible(ventana);
    return zona.isEmpty() ? preferido : preferido.boundedTo(zona.size());
}

} // namespace ui

#include "BordesDeVentana.h"

#include <QHoverEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {

namespace {
Qt::CursorShape CursorDe(Qt::Edges b)
{
    if (b == (Qt::TopEdge | Qt::LeftEdge) || b == (Qt::BottomEdge | Qt::RightEdge))
        return Qt::SizeFDiagCursor;
    if (b == (Qt::TopEdge | Qt::RightEdge) || b == (Qt::BottomEdge | Qt::LeftEdge))
        return Qt::SizeBDiagCursor;
    return (b & (Qt::LeftEdge | Qt::RightEdge)) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}
} // namespace

BordesDeVentana::BordesDeVentana(QWidget *ventana)
    : QObject(ventana), ventana_(ventana)
{
    // Hover moves reach the window from over its children too: the cursor goes back to normal.
    ventana->setAttribute(Qt::WA_Hover);
    ventana->installEventFilter(this);
}

Qt::Edges BordesDeVentana::BordesEn(const QPoint &p, const QSize &t)
{
    Qt::Edges b;
    const bool izquierda = p.x() < Margen, derecha = p.x() >= t.width() - Margen;
    const bool arriba = p.y() < Margen, abajo = p.y() >= t.height() - Margen;
    if (izquierda || derecha) {
        b |= izquierda ? Qt::LeftEdge : Qt::RightEdge;
        if (p.y() < Esquina)
            b |= Qt::TopEdge;
        else if (p.y() >= t.height() - Esquina)
            b |= Qt::BottomEdge;
    }
    if (arriba || abajo) {
        b |= arriba ? Qt::TopEdge : Qt::BottomEdge;
        if (p.x() < Esquina)
            b |= Qt::LeftEdge;
        else if (p.x() >= t.width() - Esquina)
            b |= Qt::RightEdge;
    }
    return b;
}

bool BordesDeVentana::eventFilter(QObject *objeto, QEvent *e)
{
    if (objeto != ventana_)
        return false;
    switch (e->type()) {
    case QEvent::HoverMove: {
        if (arrastre_)
            break;
        const QPoint p = static_cast<QHoverEvent *>(e)->position().toPoint();
        if (const Qt::Edges b = activo_ ? BordesEn(p, ventana_->size()) : Qt::Edges())
            ventana_->setCursor(CursorDe(b));
        else
            ventana_->unsetCursor();
        break;
    }
    case QEvent::MouseButtonPress: {
        const auto *m = static_cast<QMouseEvent *>(e);
        const Qt::Edges b = BordesEn(m->position().toPoint(), ventana_->size());
        if (!activo_ || !b || m->button() != Qt::LeftButton)
            break;
        if (QWindow *w = ventana_->windowHandle(); w && w->startSystemResize(b))
            return true;
        arrastre_ = b;
        inicio_ = m->globalPosition().toPoint();
        geometriaInicial_ = ventana_->geometry();
        return true;
    }
    case QEvent::MouseMove:
        if (arrastre_) {
            const QPoint d = static_cast<QMouseEvent *>(e)->globalPosition().toPoint() - inicio_;
            const QSize minimo = ventana_->minimumSizeHint().expandedTo(ventana_->minimumSize());
            QRect g = geometriaInicial_;
            if (arrastre_ & Qt::LeftEdge)
                g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - minimo.width()));
            if (arrastre_ & Qt::RightEdge)
                g.setRight(std::max(g.right() + d.x(), g.left() + minimo.width() - 1));
            if (arrastre_ & Qt::TopEdge)
                g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - minimo.height()));
            if (arrastre_ & Qt::BottomEdge)
                g.setBottom(std::max(g.bottom() + d.y(), g.top() + minimo.height() - 1));
            ventana_->setGeometry(g);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (arrastre_) {
            arrastre_ = {};
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace ui

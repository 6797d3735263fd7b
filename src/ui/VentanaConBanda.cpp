#include "VentanaConBanda.h"

#include "Skin.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

VentanaConBanda::VentanaConBanda(QWidget *padre, const QString &titulo)
    : QDialog(padre, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(titulo);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, skin::Fondo());
    setPalette(pal);
}

void VentanaConBanda::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    skin::PintarMarco(p, rect(), windowTitle(), 12);
}

void VentanaConBanda::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && e->position().y() < skin::AltoBanda)
        desfase_ = e->globalPosition().toPoint() - pos();
    else
        desfase_ = QPoint(-1, -1);
}

void VentanaConBanda::mouseMoveEvent(QMouseEvent *e)
{
    if ((e->buttons() & Qt::LeftButton) && desfase_ != QPoint(-1, -1))
        move(e->globalPosition().toPoint() - desfase_);
}

void VentanaConBanda::mouseReleaseEvent(QMouseEvent *e)
{
    // Only a press on the band drags: after a resize by the window manager, which keeps the
    // release and lets the button look held, the moves find no offset of an earlier drag.
    desfase_ = QPoint(-1, -1);
    QDialog::mouseReleaseEvent(e);
}

} // namespace ui

#include "ControlesCromo.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

ImagenVentana::ImagenVentana(QWidget *padre)
    : QWidget(padre)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void ImagenVentana::setImagen(const QPixmap &imagen)
{
    imagen_ = imagen;
    resize(sizeHint());
    update();
}

QSize ImagenVentana::sizeHint() const
{
    return imagen_.isNull() ? QSize(16, 16) : imagen_.deviceIndependentSize().toSize();
}

void ImagenVentana::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (encima_) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, presionada_ ? 90 : 50));
        p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 3, 3);
    }
    if (!imagen_.isNull()) {
        const QSize s = imagen_.deviceIndependentSize().toSize();
        p.drawPixmap(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), imagen_);
    }
}

void ImagenVentana::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        presionada_ = true;
        update();
    }
    e->accept();
}

void ImagenVentana::mouseReleaseEvent(QMouseEvent *e)
{
    const bool era = presionada_;
    presionada_ = false;
    update();
    e->accept();
    if (era && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clic(e->globalPosition().toPoint());
}

void ImagenVentana::enterEvent(QEnterEvent *e)
{
    encima_ = true;
    update();
    QWidget::enterEvent(e);
}

void ImagenVentana::leaveEvent(QEvent *e)
{
    encima_ = false;
    presionada_ = false;
    update();
    QWidget::leaveEvent(e);
}

BotonDegradado::BotonDegradado(QWidget *padre)
    : QAbstractButton(padre)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void BotonDegradado::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, isDown() ? colorAbajo : colorArriba);
    g.setColorAt(1, isDown() ? colorArriba : colorAbajo);
    p.fillRect(rect(), g);
    p.setPen(colorAbajo.darker(140));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.setFont(font());
    p.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
}

void BotonDegradado::mousePressEvent(QMouseEvent *e)
{
    inicio_ = e->globalPosition().toPoint();
    arrastrada_ = false;
    QAbstractButton::mousePressEvent(e);
}

void BotonDegradado::mouseMoveEvent(QMouseEvent *e)
{
    if ((e->buttons() & Qt::LeftButton)
        && (e->globalPosition().toPoint() - inicio_).manhattanLength() >= QApplication::startDragDistance())
        arrastrada_ = true;
    Q_EMIT movido(e->buttons());
    QAbstractButton::mouseMoveEvent(e);
}

void BotonDegradado::mouseReleaseEvent(QMouseEvent *e)
{
    if (arrastrada_) {
        arrastrada_ = false;
        setDown(false);
        e->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(e);
}

} // namespace ui

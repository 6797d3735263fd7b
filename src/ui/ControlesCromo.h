#pragma once

#include <QAbstractButton>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace ui {

// An image on the window's own title band (minimise, close, logo): shows a picture and reports
// a click of the left button.
class ImagenVentana : public QWidget {
    Q_OBJECT
public:
    explicit ImagenVentana(QWidget *padre = nullptr);

    void setImagen(const QPixmap &imagen);
    const QPixmap &imagen() const { return imagen_; }
    QSize sizeHint() const override;

Q_SIGNALS:
    // Position of the click on the screen, in pixels.
    void clic(const QPoint &global);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    QPixmap imagen_;
    bool encima_ = false;
    bool presionada_ = false;
};

// The bar that stands for the collapsed window: a button painted with a vertical gradient, with
// a caption, a font and a tag (the window's geometry while it is collapsed).
class BotonDegradado : public QAbstractButton {
    Q_OBJECT
public:
    explicit BotonDegradado(QWidget *padre = nullptr);

    QString Tag;
    // What the collapse hid of the window (title images, contents), shown again on restore.
    QList<QPointer<QWidget>> ocultos;
    QColor colorArriba{0x2f, 0x5f, 0x93};
    QColor colorAbajo{0x14, 0x34, 0x5c};

Q_SIGNALS:
    // The mouse moved over the bar with these buttons held.
    void movido(Qt::MouseButtons botones);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QPoint inicio_;
    bool arrastrada_ = false; // a drag is not a click
};

} // namespace ui

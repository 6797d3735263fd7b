#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace ui {

// Gives a frameless window the edges a window manager would: within Margen pixels of an edge
// (Esquina along it from a corner, for the corner) the cursor shows which way it resizes, and a
// press there resizes the window, by the window manager when the platform offers it, else by
// following the mouse until the button is released (offscreen, or with no window manager). The
// window never goes below its minimum size. While it is off (a maximised window) nothing happens.
class BordesDeVentana : public QObject {
public:
    explicit BordesDeVentana(QWidget *ventana);

    static constexpr int Margen = 6;
    static constexpr int Esquina = 16;
    // The edges under a point of a window of that size; none away from them.
    static Qt::Edges BordesEn(const QPoint &p, const QSize &tamano);

    void setActivo(bool activo) { activo_ = activo; }

protected:
    bool eventFilter(QObject *objeto, QEvent *e) override;

private:
    QWidget *ventana_;
    bool activo_ = true;
    Qt::Edges arrastre_; // the edges the mouse is resizing by itself; none otherwise
    QPoint inicio_;
    QRect geometriaInicial_;
};

} // namespace ui

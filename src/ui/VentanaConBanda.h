#pragma once

#include <QDialog>

namespace ui {

// A frameless box with the program's title band: it can be dragged by the band (until the button
// is released).
class VentanaConBanda : public QDialog {
public:
    VentanaConBanda(QWidget *padre, const QString &titulo);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QPoint desfase_{-1, -1};
};

} // namespace ui

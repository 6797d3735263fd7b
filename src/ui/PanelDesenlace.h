#pragma once

#include "Desenlace.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class frmRevision;

namespace ui {

// The outcome of the last run, in the main window's progress area: its lines (each cut to the
// width with "…" in the middle, the whole text in the tooltip) and the buttons "Abrir reporte",
// "Abrir Log", "Abrir carpeta" and "Ver revisión", each shown only when it has something to open.
class PanelDesenlace : public QWidget {
    Q_OBJECT
public:
    explicit PanelDesenlace(QWidget *padre = nullptr);

    void Mostrar(const Desenlace &d);
    const Desenlace &desenlace() const { return d_; }
    // The review window of the run, opened (or brought up) over the main window.
    void VerRevision();

    QLabel *lblDesenlace = nullptr;
    QPushButton *cmdAbrirReporte = nullptr;
    QPushButton *cmdAbrirLog = nullptr;
    QPushButton *cmdAbrirCarpeta = nullptr;
    QPushButton *cmdVerRevision = nullptr;

    // Lines that fit the label; what QLabel shows.
    static int LineasVisibles();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void recortar();

    Desenlace d_;
    QPointer<frmRevision> revision_;
};

} // namespace ui

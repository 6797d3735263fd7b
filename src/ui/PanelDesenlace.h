#pragma once

#include "Desenlace.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace ui {

class frmRevision;
class frmVerReporte;

// The outcome of the last run, in the main window's progress area: its lines, wrapped to the
// width (a long failure scrolls; the Spanish explanation comes first, the client's own text
// after it), and the buttons "Ver reporte", "Abrir reporte", "Abrir Log", "Abrir carpeta" and
// "Ver revisión", each shown only when what it opens exists.
class PanelDesenlace : public QWidget {
    Q_OBJECT
public:
    explicit PanelDesenlace(QWidget *padre = nullptr);

    void Mostrar(const Desenlace &d);
    // Forgets the outcome (an input changed: it no longer describes what the window holds).
    void Limpiar();
    const Desenlace &desenlace() const { return d_; }
    // The review window of the run, opened (or brought up) over the main window when the run found
    // something (after a run); AbrirRevision opens it also without findings ("Ver revisión"), where
    // the 69-B list is chosen.
    void VerRevision();
    void AbrirRevision();
    // The report view of the run's report (opened, or brought up); rfc, when given, is selected.
    // A report that cannot be read back is said in a box.
    void VerReporte(const QString &rfc = QString());
    // The first button the outcome shows ("Ver reporte" when there is a report); nullptr when none.
    QPushButton *PrimerBoton() const;

    QLabel *lblDesenlace = nullptr;
    QPushButton *cmdVerReporte = nullptr;
    QPushButton *cmdAbrirReporte = nullptr;
    QPushButton *cmdAbrirLog = nullptr;
    QPushButton *cmdAbrirCarpeta = nullptr;
    QPushButton *cmdVerRevision = nullptr;

    // Lines the area shows without scrolling.
    static constexpr int LineasVisibles = 6;

private:
    void cerrarRevision();
    void cerrarReporte();

    Desenlace d_;
    QScrollArea *desplazable_ = nullptr;
    QPointer<frmRevision> revision_;
    QPointer<frmVerReporte> reporte_;
};

} // namespace ui

#include "frmInicial.h"

#include "CorridaEnHilo.h"
#include "PanelDesenlace.h"
#include "Programa.h"
#include "VentanaEspera.h"

#include "Dialogos.h"
#include "Errores.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace ui {

void frmInicial::Procesar()
{
    SolicitudReporte s;
    if (enProceso_ || !leerSolicitud(s))
        return;
    enProceso_ = true;
    bloquear(true);
    try {
        opciones_.lanzar(*this, s);
    } catch (const host::Error &e) {
        host::Dialogos::actual().MsgBox(e.texto(), host::vbCritical, NombreDelPrograma());
    }
    if (!corrida_)
        terminarCorrida(nullptr); // a launcher that did its work before returning
}

void frmInicial::iniciarCorrida(SolicitudReporte &s)
{
    corrida_.reset(new CorridaEnHilo(*Programa().basesDD, s, PorLineaDeProductos(), carpeta_, NombreDelPrograma(),
                                     host::Dialogos::actual()));
    connect(corrida_.get(), &CorridaEnHilo::progresoCambiado, this, &frmInicial::mostrarProgreso);
    connect(corrida_.get(), &CorridaEnHilo::esperaPedida, this, [this](bool visible, const QString &mensaje) {
        if (!visible) {
            espera_->hide();
            return;
        }
        espera_->setEstado(QString());
        espera_->setCancelable(true);
        espera_->Mostrar(mensaje, this);
    });
    connect(corrida_.get(), &QThread::finished, this, &frmInicial::corridaTerminada);
    desdeCancelacion_.invalidate();
    espera_->Empezar();
    reloj_->start();
    corrida_->start();
}

void frmInicial::Cancelar()
{
    if (!corrida_ || desdeCancelacion_.isValid())
        return;
    desdeCancelacion_.start();
    corrida_->Cancelar();
    espera_->cmdCancelar->setEnabled(false);
    espera_->setEstado(QStringLiteral("Cancelando…"));
}

void frmInicial::revisarCorrida()
{
    if (!corrida_)
        return;
    if (desdeCancelacion_.isValid()) {
        if (desdeCancelacion_.hasExpired(qint64(SegundosParaCancelar) * 1000) && corrida_->isRunning()) {
            // The server answers not even to end the statement: the run is left to end alone.
            const frmInicial::SolicitudReporte &s = corrida_->solicitud();
            const Periodo periodo{s.dtInicial, s.dtFinal, s.blSonCtes};
            corrida_->Abandonar();
            disconnect(corrida_.get(), nullptr, this, nullptr);
            DejarTerminar(corrida_);
            const Desenlace d = DesenlaceCancelado(periodo);
            terminarCorrida(&d);
        }
        return;
    }
    const int segundos = corrida_->segundosSinRespuesta();
    espera_->setEstado(segundos >= SegundosAntesDeAvisarEspera
                           ? QStringLiteral("Esperando al servidor… (%1 s)").arg(segundos)
                           : QString());
}

void frmInicial::mostrarProgreso()
{
    if (!corrida_)
        return;
    const CorridaEnHilo::Progreso p = corrida_->progreso();
    lblProceso->setText(p.texto);
    lblProceso->setVisible(p.visible);
    barAvance->setMaximum(std::max(p.total, 1));
    barAvance->setValue(std::clamp(p.hechos, 0, std::max(p.total, 1)));
    barAvance->setVisible(p.total > 0 && p.visible);
    espera_->setAvance(p.hechos, p.total);
}

void frmInicial::corridaTerminada()
{
    CorridaEnHilo *terminada = qobject_cast<CorridaEnHilo *>(sender());
    if (!terminada || terminada != corrida_.get())
        return;
    mostrarProgreso();
    const Desenlace d = terminada->desenlace();
    corrida_.reset();
    terminarCorrida(&d);
}

void frmInicial::terminarCorrida(const Desenlace *d)
{
    reloj_->stop();
    espera_->hide();
    lblProceso->setVisible(false);
    bloquear(false);
    enProceso_ = false;
    if (d) {
        // Where the files went, and what would make the filing wrong when there is something to say.
        panelDesenlace->Mostrar(*d);
        panelDesenlace->setVisible(true);
        panelDesenlace->VerRevision();
        // The keyboard goes to the outcome, where Enter opens it instead of running again.
        if (QPushButton *boton = panelDesenlace->PrimerBoton(); boton && isVisible())
            boton->setFocus(Qt::OtherFocusReason);
    }

    // A close asked for during the run is dealt with now.
    const Cierre pendiente = cierrePendiente_;
    cierrePendiente_ = Cierre::Ninguno;
    if (pendiente == Cierre::DelGestor)
        showMinimized();
    else if (pendiente == Cierre::Propio)
        SolicitarCierre();
}

void frmInicial::entradaCambiada()
{
    if (!enProceso_)
        panelDesenlace->Limpiar();
}

void frmInicial::bloquear(bool enCurso)
{
    for (QWidget *w : std::initializer_list<QWidget *>{mskFecha[0], mskFecha[1], txtDato[1], txtDato[0], optCtes,
                                                      optProvs, optProcesar[0], optProcesar[1], chkTodos, cmdProcesar})
        w->setEnabled(!enCurso);
    cmdTrimestre->setEnabled(!enCurso);
    if (enCurso) {
        panelDesenlace->setVisible(false);
        lblAvisoFecha->hide();
        setCursor(Qt::BusyCursor);
        // The keyboard stays with the window, where Escape cancels.
        setFocus(Qt::OtherFocusReason);
    } else {
        unsetCursor();
        barAvance->setVisible(false);
        if (isVisible())
            cmdProcesar->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace ui

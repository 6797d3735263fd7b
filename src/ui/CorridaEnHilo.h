#pragma once

#include "BasesDD.h"
#include "Cancelacion.h"
#include "Conexion.h"
#include "Desenlace.h"
#include "frmInicial.h"

#include <QMutex>
#include <QThread>

#include <atomic>

namespace host {
class Dialogos;
}

namespace ui {

// One report run in a worker thread with a connection of its own, so that the window keeps
// repainting, moving and answering "Cancelar" whatever the server does.
// - What the engine tells its view reaches the window through queued calls: the latest progress
//   text, its visibility and the payments done, in the order the engine set them.
// - Its boxes are shown by the window's thread (the run waits for the answer); before a box the
//   wait window goes, so that nothing is left under it. Its wait window is the window's own
//   (esperaPedida).
// - The classification choice is the one the window had when the run started: its options are
//   disabled while the run lasts.
// - Cancelar stops it at its next row and ends the statement the server is working on for it;
//   after a cancel no box of the run is shown and its outcome is "Proceso cancelado".
// The object lives in the window's thread; run() is the worker.
class CorridaEnHilo : public QThread {
    Q_OBJECT
public:
    struct Progreso {
        QString texto; // lines separated by "\n"
        bool visible = false;
        int hechos = 0;
        int total = 0;
    };

    // ajustes: the server's settings (copied); dialogos: the window thread's dialogs.
    CorridaEnHilo(const host::BasesDD &ajustes, const frmInicial::SolicitudReporte &s, bool porLinea,
                  const QString &carpeta, const QString &titulo, host::Dialogos &dialogos);
    ~CorridaEnHilo() override;

    // From the window's thread.
    void Cancelar();
    bool cancelada() const { return cancelacion_.pedida(); }
    // Nothing more of the run reaches the window (a server that answers not even to end the
    // statement); the thread ends on its own once the server lets it.
    void Abandonar();
    // Seconds the server has been silent on the run's open or statement in progress (0 while
    // nothing waits).
    int segundosSinRespuesta() const;
    Progreso progreso() const;
    const frmInicial::SolicitudReporte &solicitud() const { return solicitud_; }
    // After finished(): what the run left.
    const Desenlace &desenlace() const { return desenlace_; }

    // Used by the run's own view and dialogs, in the worker thread.
    void Publicar(const std::function<void(Progreso &)> &cambio);
    int Preguntar(const std::function<int(host::Dialogos &)> &caja, int porOmision);
    void PedirEspera(bool visible, const QString &mensaje);
    void ComprobarCancelacion() const { cancelacion_.Comprobar(); }

Q_SIGNALS:
    void progresoCambiado();
    void esperaPedida(bool visible, const QString &mensaje);

protected:
    void run() override;

private:
    host::BasesDD ajustes_;
    frmInicial::SolicitudReporte solicitud_;
    bool porLinea_;
    QString carpeta_;
    QString titulo_;
    QString lista69B_; // read in the window's thread, as it stood when the run was asked for
    host::Dialogos &dialogos_;
    host::Conexion cn_; // opened and closed by the worker
    host::Cancelacion cancelacion_;
    std::atomic<bool> abandonada_{false};

    mutable QMutex mutex_;
    Progreso progreso_;
    bool entregaPendiente_ = false;

    Desenlace desenlace_;
};

} // namespace ui

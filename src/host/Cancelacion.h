#pragma once

#include "BasesDD.h"
#include "Conexion.h"

#include <QString>

#include <atomic>

class QThread;

namespace host {

// The text a cancelled run ends with, in the window's outcome and on the command line.
QString TextoProcesoCancelado();

// Ending a run from outside it. Whoever started the run asks for it (Pedir, from any thread);
// the run's view calls Comprobar between rows and stops there; and a watcher thread of its own
// ends with KILL QUERY, from a short second connection, the statement the server is working on
// for the run, so that a long statement does not hold the run. The statement in progress when
// the cancel came is ended at once; a later one only once it has waited a second, so that the
// run's own quick clean-up (dropping the work table, releasing it) is left to finish.
class Cancelacion {
public:
    // ajustes: the settings of the run's server; cn: the run's connection, which must outlive
    // this object's watcher (Detener, or the destructor, waits for it).
    Cancelacion(const BasesDD &ajustes, const Conexion &cn);
    ~Cancelacion();
    Cancelacion(const Cancelacion &) = delete;
    Cancelacion &operator=(const Cancelacion &) = delete;

    // Starts the watcher thread. senal, when given, is a flag a signal handler sets: it counts as
    // a request.
    void Vigilar(const std::atomic<bool> *senal = nullptr);
    // Stops the watcher and waits for it (at most the short connection's seconds).
    void Detener();

    void Pedir() { pedida_ = true; }
    bool pedida() const { return pedida_.load(); }
    // Throws the error that ends a cancelled run when a cancel was asked for.
    void Comprobar() const;

    // Seconds the short connection waits for the server, to connect and for KILL QUERY.
    static constexpr int SegundosDelCorte = 2;

private:
    BasesDD ajustes_;
    const Conexion &cn_;
    std::atomic<bool> pedida_{false};
    const std::atomic<bool> *senal_ = nullptr;
    QThread *vigilante_ = nullptr;
    // Used by the watcher thread only.
    qint64 pedidaEnMs_ = 0;
    qint64 cortada_ = 0; // the last statement ended
};

} // namespace host

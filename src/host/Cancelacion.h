#pragma once

#include "BasesDD.h"
#include "Conexion.h"

#include <QString>

#include <atomic>

class QThread;

namespace host {

// The text a cancelled run ends with, in the window's outcome and on the command line.
QString TextoProcesoCancelado();

// What the watcher of a cancelled run does about the statement that has waited for the server
// since `desde` (0: nothing waits), at `ahora`, the cancel having come at `pedidaEn`, and the
// statement having been ended at `cortadaEn` (0: not yet): it ends the statement in progress at
// the cancel at once and a later one once it has waited a second (the run's own clean-up is
// quick); a statement that still waits SegundosDelCorte after it was ended is on a server that
// no longer hears the run, whose whole session is then ended.
enum class Corte { Nada, Sentencia, Sesion };
Corte QueCortar(qint64 desde, qint64 pedidaEn, qint64 ahora, qint64 cortadaEn);

// Tells the run's server, from the short connection corte (opened with the settings ajustes
// when it is not open), to end what it does for the connection with id: its statement (KILL
// QUERY), or its whole session (KILL): the server rolls its transaction back and lets go of its
// locks at once, instead of keeping a session whose client went silent until its wait_timeout.
// False when the server could not be told (or knew no such connection).
bool CortarEnServidor(const BasesDD &ajustes, Conexion &corte, qint64 id, Corte que);

// Ending a run from outside it. Whoever started the run asks for it (Pedir, from any thread);
// the run's view calls Comprobar between rows and stops there; and a watcher thread of its own
// ends with KILL QUERY, from a short second connection, the statement the server is working on
// for the run, so that a long statement does not hold the run, or the run's whole session when
// the server no longer hears the run (see QueCortar).
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
    qint64 cortadaEnMs_ = 0;
    bool sesionCortada_ = false;
};

} // namespace host

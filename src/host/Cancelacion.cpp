#include "Cancelacion.h"

#include "Errores.h"

#include <QThread>

namespace host {

QString TextoProcesoCancelado()
{
    return QStringLiteral("Proceso cancelado");
}

Cancelacion::Cancelacion(const BasesDD &ajustes, const Conexion &cn)
    : ajustes_(ajustes), cn_(cn)
{
}

Cancelacion::~Cancelacion()
{
    Detener();
}

void Cancelacion::Comprobar() const
{
    // The number the server gives an interrupted statement.
    if (pedida())
        throw Error(1317, TextoProcesoCancelado());
}

Corte QueCortar(qint64 desde, qint64 pedidaEn, qint64 ahora, qint64 cortadaEn)
{
    if (desde == 0)
        return Corte::Nada;
    if (cortadaEn != 0)
        return ahora - cortadaEn >= qint64(Cancelacion::SegundosDelCorte) * 1000 ? Corte::Sesion : Corte::Nada;
    return desde <= pedidaEn || ahora - desde >= 1000 ? Corte::Sentencia : Corte::Nada;
}

bool CortarEnServidor(const BasesDD &ajustes, Conexion &corte, qint64 id, Corte que)
{
    if (id == 0 || que == Corte::Nada)
        return false;
    BasesDD breves = ajustes;
    breves.nEsperaSegundos = Cancelacion::SegundosDelCorte;
    corte.setSegundosParaConectar(Cancelacion::SegundosDelCorte);
    try {
        if (!breves.AbrirBdD(corte, breves.cMiBase))
            return false;
        corte.Execute((que == Corte::Sesion ? QStringLiteral("KILL %1") : QStringLiteral("KILL QUERY %1")).arg(id));
        return true;
    } catch (const Error &) {
        // The statement or the session may have ended on its own meanwhile.
        return false;
    }
}

void Cancelacion::Vigilar(const std::atomic<bool> *senal)
{
    senal_ = senal;
    vigilante_ = QThread::create([this] {
        Conexion corte; // opened in this thread, closed in it
        while (!QThread::currentThread()->isInterruptionRequested()) {
            if (senal_ && senal_->load())
                Pedir();
            if (pedida() && !sesionCortada_) {
                const qint64 ahora = Conexion::ServidorMs();
                if (pedidaEnMs_ == 0)
                    pedidaEnMs_ = ahora;
                const qint64 sentencia = cn_.sentenciaEnCurso();
                const Corte que = QueCortar(cn_.esperandoDesdeMs(), pedidaEnMs_, ahora,
                                            sentencia == cortada_ ? cortadaEnMs_ : 0);
                if (que != Corte::Nada) {
                    cortada_ = sentencia;
                    cortadaEnMs_ = ahora;
                    sesionCortada_ = que == Corte::Sesion;
                    // Whether it was heard or not, the run stops at its next row.
                    CortarEnServidor(ajustes_, corte, cn_.idEnServidor(), que);
                }
            }
            QThread::msleep(50);
        }
        corte.Soltar();
    });
    vigilante_->start();
}

void Cancelacion::Detener()
{
    if (!vigilante_)
        return;
    vigilante_->requestInterruption();
    vigilante_->wait();
    delete vigilante_;
    vigilante_ = nullptr;
}

} // namespace host

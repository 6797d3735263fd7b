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
    ajustes_.nEsperaSegundos = SegundosDelCorte;
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

void Cancelacion::Vigilar(const std::atomic<bool> *senal)
{
    senal_ = senal;
    vigilante_ = QThread::create([this] {
        Conexion corte; // opened in this thread, closed in it
        corte.setSegundosParaConectar(SegundosDelCorte);
        while (!QThread::currentThread()->isInterruptionRequested()) {
            if (senal_ && senal_->load())
                Pedir();
            if (pedida()) {
                const qint64 ahora = Conexion::ServidorMs();
                if (pedidaEnMs_ == 0)
                    pedidaEnMs_ = ahora;
                const qint64 desde = cn_.esperandoDesdeMs();
                const qint64 sentencia = cn_.sentenciaEnCurso();
                const qint64 id = cn_.idEnServidor();
                const bool anterior = desde != 0 && desde <= pedidaEnMs_;
                const bool larga = desde != 0 && ahora - desde >= 1000;
                if (id != 0 && sentencia != cortada_ && (anterior || larga)) {
                    cortada_ = sentencia;
                    try {
                        if (ajustes_.AbrirBdD(corte, ajustes_.cMiBase))
                            corte.Execute(QStringLiteral("KILL QUERY %1").arg(id));
                    } catch (const Error &) {
                        // The statement may have ended on its own meanwhile; the run stops at
                        // its next row either way.
                    }
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

#include "CorridaEnHilo.h"

#include "ArchivoIni.h"
#include "Configuracion.h"
#include "Hoy.h"
#include "Dialogos.h"
#include "Errores.h"
#include "Programa.h"
#include "clsRepIEPS.h"

#include <QMutexLocker>

#include <exception>

namespace ui {

namespace {

// The engine's view in the worker thread: everything goes to the window through the run.
class VistaDeCorrida : public engine::VistaProceso {
public:
    explicit VistaDeCorrida(CorridaEnHilo &c) : c_(c) {}
    void TextoProceso(const QString &texto) override
    {
        const QString t = host::Renglones(texto);
        c_.Publicar([&t](CorridaEnHilo::Progreso &p) { p.texto = t; });
    }
    void VerProceso(bool visible) override
    {
        c_.Publicar([visible](CorridaEnHilo::Progreso &p) { p.visible = visible; });
    }
    // Between rows: where a cancelled run stops.
    void ProcesarEventos() override { c_.ComprobarCancelacion(); }
    bool Cancelado() const override { return c_.cancelada(); }
    void Avance(int hechos, int total) override
    {
        c_.Publicar([hechos, total](CorridaEnHilo::Progreso &p) {
            p.hechos = hechos;
            p.total = total;
        });
    }

private:
    CorridaEnHilo &c_;
};

// The engine's dialogs in the worker thread, shown by the window's thread.
class DialogosDeCorrida : public host::Dialogos {
public:
    explicit DialogosDeCorrida(CorridaEnHilo &c) : c_(c) { host::Dialogos::instalarEnEsteHilo(this); }
    ~DialogosDeCorrida() override { host::Dialogos::instalarEnEsteHilo(nullptr); }

    int MsgBox(const QString &texto, int botones, const QString &titulo) override
    {
        return c_.Preguntar([&](host::Dialogos &d) { return d.MsgBox(texto, botones, titulo); },
                            host::RespuestaNegativa(botones));
    }
    int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) override
    {
        return c_.Preguntar([&](host::Dialogos &d) { return d.MsgBoxSkn(texto, botones, titulo, tipo); },
                            host::RespuestaNegativa(botones));
    }
    void MuestraWnd(const QString &mensaje) override { c_.PedirEspera(true, mensaje); }
    void QuitaWnd() override { c_.PedirEspera(false, QString()); }
    bool AbreDocumento(const QString &) override { return false; }

private:
    CorridaEnHilo &c_;
};

} // namespace

CorridaEnHilo::CorridaEnHilo(const host::BasesDD &ajustes, const frmInicial::SolicitudReporte &s, bool porLinea,
                             const QString &carpeta, const QString &titulo, host::Dialogos &dialogos)
    : ajustes_(ajustes)
    , solicitud_(s)
    , porLinea_(porLinea)
    , carpeta_(carpeta)
    , titulo_(titulo)
    , lista69B_(host::ini::Lee(Programa().archivoConfig, config::SeccionConfiguracion(), config::ClaveLista69B()))
    , dialogos_(dialogos)
    , cancelacion_(ajustes_, cn_)
{
}

CorridaEnHilo::~CorridaEnHilo()
{
    wait();
}

void CorridaEnHilo::Cancelar()
{
    cancelacion_.Pedir();
}

void CorridaEnHilo::Abandonar()
{
    abandonada_ = true;
    cancelacion_.Pedir();
}

int CorridaEnHilo::segundosSinRespuesta() const
{
    const qint64 desde = cn_.esperandoDesdeMs();
    return desde == 0 ? 0 : int((host::Conexion::ServidorMs() - desde) / 1000);
}

CorridaEnHilo::Progreso CorridaEnHilo::progreso() const
{
    QMutexLocker l(&mutex_);
    return progreso_;
}

void CorridaEnHilo::Publicar(const std::function<void(Progreso &)> &cambio)
{
    QMutexLocker l(&mutex_);
    cambio(progreso_);
    // One delivery at a time: the window reads the latest state when it gets to it.
    if (entregaPendiente_)
        return;
    entregaPendiente_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            {
                QMutexLocker entrega(&mutex_);
                entregaPendiente_ = false;
            }
            if (!abandonada_)
                Q_EMIT progresoCambiado();
        },
        Qt::QueuedConnection);
}

int CorridaEnHilo::Preguntar(const std::function<int(host::Dialogos &)> &caja, int porOmision)
{
    if (abandonada_ || cancelada())
        return porOmision;
    // Nothing is left under the box.
    PedirEspera(false, QString());
    int respuesta = porOmision;
    QMetaObject::invokeMethod(
        this,
        [&] {
            if (!abandonada_ && !cancelada())
                respuesta = caja(dialogos_);
        },
        Qt::BlockingQueuedConnection);
    return respuesta;
}

void CorridaEnHilo::PedirEspera(bool visible, const QString &mensaje)
{
    if (!abandonada_)
        Q_EMIT esperaPedida(visible, mensaje);
}

void CorridaEnHilo::run()
{
    DialogosDeCorrida dialogos(*this);
    VistaDeCorrida vista(*this);
    cancelacion_.Vigilar();
    const frmInicial::SolicitudReporte &s = solicitud_;
    const Periodo periodo{s.dtInicial, s.dtFinal, s.blSonCtes};
    try {
        engine::clsRepIEPS rep(ajustes_, cn_, vista, carpeta_);
        rep.setTituloAplicacion(titulo_);
        rep.setPorLineaDeProductos(porLinea_);
        rep.setLista69B(lista69B_, config::Hoy());
        QString archivo = s.stArchivo;
        rep.ProcesarReporte(s.dtInicial, s.dtFinal, archivo, s.stCliente, s.blSonCtes, s.blTodosLosPagos);
        // A cancel that came once the report was written leaves the run complete.
        const bool completa = rep.resultado() == engine::clsRepIEPS::Resultado::Completo;
        desenlace_ = cancelada() && !completa ? DesenlaceCancelado(periodo)
                                              : DesenlaceDe(rep, archivo, carpeta_, periodo);
        desenlace_.base = ajustes_.cMiBase;
    } catch (const std::exception &e) {
        desenlace_ = cancelada() ? DesenlaceCancelado(periodo)
                                 : DesenlaceDeFallo(host::DescripcionDe(e), periodo);
    }
    cancelacion_.Detener();
    ajustes_.CierraBdD(cn_);
    cn_.Soltar();
    PedirEspera(false, QString());
}

} // namespace ui

#include "BusquedaDeTercero.h"

#include "Errores.h"
#include "Registros.h"

namespace ui {

BusquedaDeTercero::BusquedaDeTercero(QObject *padre)
    : QObject(padre)
{
    cn_.setSegundosParaConectar(SegundosDeEspera);
    trabajador_ = new QObject;
    trabajador_->moveToThread(&hilo_);
    connect(&hilo_, &QThread::finished, trabajador_, [this] { cn_.Soltar(); }, Qt::DirectConnection);
    connect(&hilo_, &QThread::finished, trabajador_, &QObject::deleteLater);
    hilo_.start();
}

BusquedaDeTercero::~BusquedaDeTercero()
{
    hilo_.quit();
    hilo_.wait();
}

void BusquedaDeTercero::Buscar(int numero, const host::BasesDD &ajustes, const QString &clave, bool clientes)
{
    ultimo_ = numero;
    QMetaObject::invokeMethod(
        trabajador_, [this, numero, ajustes, clave, clientes] { buscar(numero, ajustes, clave, clientes); },
        Qt::QueuedConnection);
}

void BusquedaDeTercero::buscar(int numero, host::BasesDD ajustes, const QString &clave, bool clientes)
{
    if (numero != ultimo_.load())
        return; // a newer key is waiting
    ajustes.nEsperaSegundos = SegundosDeEspera;
    QString nombre;
    bool sinConexion = false;
    host::Registros rs;
    try {
        if (ajustes.AbrirBdD(cn_, ajustes.cMiBase)) {
            const QString tabla = clientes ? QStringLiteral("clientes") : QStringLiteral("proveedores");
            const QString consulta =
                tabla + QStringLiteral(" where Clave='") + cn_.Escapa(clave) + QStringLiteral("' limit 1");
            if (ajustes.AbrirTabla(rs, cn_, consulta, QStringLiteral("Nombre")))
                nombre = rs.Campo(QStringLiteral("Nombre")).toString();
        } else {
            sinConexion = true;
        }
    } catch (const host::ErrorSql &e) {
        // A server that stopped answering (a locked table) is no connection; a query it refused
        // leaves the name empty, as one that finds nothing.
        sinConexion = host::ConexionPerdida(e.numero());
    } catch (const host::Error &) {
    }
    ajustes.CierraTabla(rs);
    Q_EMIT encontrado(numero, nombre, sinConexion);
}

} // namespace ui

#pragma once

#include "BasesDD.h"
#include "Conexion.h"

#include <QObject>
#include <QThread>

#include <atomic>

namespace ui {

// The party name look-up, off the window's thread: typing never waits for the server. Each
// request carries a number; a request that a newer one has overtaken is not sent, and the window
// keeps only the answer to its newest. The look-up has a connection of its own that gives up
// quickly: SegundosDeEspera to connect and to answer.
class BusquedaDeTercero : public QObject {
    Q_OBJECT
public:
    explicit BusquedaDeTercero(QObject *padre = nullptr);
    ~BusquedaDeTercero() override;

    // Asks for the name of the customer (clientes) or supplier with the key clave; the answer
    // comes in encontrado() with the same number. ajustes: the server's settings.
    void Buscar(int numero, const host::BasesDD &ajustes, const QString &clave, bool clientes);

    // The look-up's connection (statements it has sent, for the tests).
    const host::Conexion &conexion() const { return cn_; }
    static constexpr int SegundosDeEspera = 2;

Q_SIGNALS:
    // nombre empty: no such key (or a null name); sinConexion: the server could not be reached.
    void encontrado(int numero, const QString &nombre, bool sinConexion);

private:
    void buscar(int numero, host::BasesDD ajustes, const QString &clave, bool clientes);

    QThread hilo_;
    QObject *trabajador_ = nullptr; // lives in hilo_
    host::Conexion cn_;             // opened, used and closed in hilo_
    std::atomic<int> ultimo_{0};
};

} // namespace ui

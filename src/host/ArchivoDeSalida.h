#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QFileDevice;

namespace host {

// A file the program writes for the user (the report, the log, the review, the settings files).
// Lines are Windows-1252, each ended by CR LF; EscribirBytes takes bytes already encoded. Every
// failure throws host::Error (AccesoArchivo) with the file's path and the reason in Spanish, e.g.
// "No se pudo escribir el archivo C:\r\R.txt: no queda espacio en el disco".
//
// Nothing is taken as written until the system has accepted it: the writer keeps its own buffer,
// hands it to the system in chunks, and checks each chunk and each flush. A full disk therefore
// shows up in the write that meets it, never in a final flush that nobody checks.
class ArchivoDeSalida {
public:
    enum class Modo {
        // Written beside its name and put in its place by Terminar, after every byte was accepted:
        // a failure, or an object destroyed before Terminar, leaves an earlier file of that name
        // byte for byte as it was.
        Reemplazar,
        // Created (or emptied) at once and written in place, so that what was written is kept
        // if the work ends in an error (the log). Vaciar hands it to the system.
        Directo,
    };

    ArchivoDeSalida(const QString &ruta, Modo modo);
    // A direct file keeps what was written before it is destroyed (failures then are not
    // reported: the error that ended the work is the one to tell).
    ~ArchivoDeSalida();
    ArchivoDeSalida(const ArchivoDeSalida &) = delete;
    ArchivoDeSalida &operator=(const ArchivoDeSalida &) = delete;

    void EscribirLinea(const QString &linea);
    void EscribirBytes(const QByteArray &bytes);
    // Everything written so far reaches the system, checked.
    void Vaciar();
    // Vaciar, then: a replacement takes the place of the earlier file; a direct file is closed.
    void Terminar();
    const QString &ruta() const { return ruta_; }

    // What makes the device of a file; tests put one that fails in its place with
    // FabricaDeSalidaGuard.
    using Fabrica = std::function<std::unique_ptr<QFileDevice>(const QString &ruta, Modo modo)>;

private:
    void volcar();
    [[noreturn]] void fallar();
    QString ruta_;
    std::unique_ptr<QFileDevice> archivo_;
    QByteArray pendiente_;
};

// While alive, the files of ArchivoDeSalida come from another maker; the one before comes back
// when it is destroyed.
class FabricaDeSalidaGuard {
public:
    explicit FabricaDeSalidaGuard(ArchivoDeSalida::Fabrica fabrica);
    ~FabricaDeSalidaGuard();
    FabricaDeSalidaGuard(const FabricaDeSalidaGuard &) = delete;
    FabricaDeSalidaGuard &operator=(const FabricaDeSalidaGuard &) = delete;

private:
    ArchivoDeSalida::Fabrica anterior_;
};

} // namespace host

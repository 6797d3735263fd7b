#pragma once

#include <QString>

#include <functional>
#include <memory>

class QFileDevice;

namespace host {

// A file the program writes for the user (the report, the log, the review): Windows-1252 lines,
// each ended by CR LF. Every failure throws host::Error (AccesoArchivo) with the file's path and
// the reason in Spanish, e.g. "No se pudo escribir el archivo C:\r\R.txt: no queda espacio en el
// disco".
class ArchivoDeSalida {
public:
    enum class Modo {
        // Written beside its name and put in its place by Terminar: a failure, or an object
        // destroyed before Terminar, leaves an earlier file of that name as it was.
        Reemplazar,
        // Created (or emptied) at once and written in place, so that what was written is kept
        // if the work ends in an error (the log). Vaciar hands it to the system.
        Directo,
    };

    ArchivoDeSalida(const QString &ruta, Modo modo);
    ~ArchivoDeSalida();
    ArchivoDeSalida(const ArchivoDeSalida &) = delete;
    ArchivoDeSalida &operator=(const ArchivoDeSalida &) = delete;

    void EscribirLinea(const QString &linea);
    void Vaciar();
    void Terminar();
    const QString &ruta() const { return ruta_; }

    // What makes the device of a file; tests put one that fails in its place with
    // FabricaDeSalidaGuard.
    using Fabrica = std::function<std::unique_ptr<QFileDevice>(const QString &ruta, Modo modo)>;

private:
    void fallar();
    QString ruta_;
    std::unique_ptr<QFileDevice> archivo_;
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

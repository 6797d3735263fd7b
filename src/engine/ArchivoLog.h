#pragma once

#include "ArchivoDeSalida.h"

#include <QString>

namespace engine {

// The run's log: Windows-1252 text, one line per write ended by CR LF. While the run goes it is
// written under the name of a failed run's log (rutaDeFallo), in place, so that what was logged
// stays there for diagnosis if the run ends in an error (or the program is stopped), and the log
// of an earlier run keeps its name, its bytes and its report. Only when the run's files are all
// written does it take the log's own name, together with them (host::ReemplazoEnConjunto). What
// was written reaches the file at each Vaciar (the run calls it after every payment) and when the
// log is closed or destroyed.
// Failures throw host::Error with the path and the reason in Spanish.
class ArchivoLog {
public:
    // Creates or empties rutaDeFallo.
    ArchivoLog(const QString &ruta, const QString &rutaDeFallo);
    void Escribir(const QString &linea) { archivo_.EscribirLinea(linea); }
    void Vaciar() { archivo_.Vaciar(); }
    // Everything written reaches the file, checked, and the file is closed.
    void Cerrar() { archivo_.Terminar(); }
    // The failed run's name, where the log is written, and the log's own name.
    const QString &rutaEscrita() const { return archivo_.ruta(); }
    const QString &ruta() const { return ruta_; }

    // "Log" + the report's name, and "LogFallo" + the report's name for the log of a failed run.
    static QString NombreDelLog(const QString &reporte);
    static QString NombreDelLogFallido(const QString &reporte);

private:
    QString ruta_;
    host::ArchivoDeSalida archivo_;
};

} // namespace engine

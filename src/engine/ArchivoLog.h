#pragma once

#include "ArchivoDeSalida.h"

#include <QString>

namespace engine {

// The run's log: Windows-1252 text, one line per write ended by CR LF. What was written reaches
// the file at each Vaciar (the run calls it after every payment) and when the log is closed or
// destroyed, so a run that ends in an error keeps everything it logged. Failures throw
// host::Error with the path and the reason in Spanish.
class ArchivoLog {
public:
    // Creates or empties the file.
    explicit ArchivoLog(const QString &ruta);
    void Escribir(const QString &linea) { archivo_.EscribirLinea(linea); }
    void Vaciar() { archivo_.Vaciar(); }
    void Cerrar() { archivo_.Terminar(); }

private:
    host::ArchivoDeSalida archivo_;
};

} // namespace engine

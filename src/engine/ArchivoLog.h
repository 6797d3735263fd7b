#pragma once

#include <QFile>
#include <QString>

#include "Errores.h"

namespace engine {

// The run's log: Windows-1252 text, one line per write ended by CR LF. What was written reaches
// the file at each Vaciar (the run calls it after every payment) and when the log is closed or
// destroyed, so a run that ends in an error keeps everything it logged.
class ArchivoLog {
public:
    // Creates or empties the file; throws host::Error when it cannot.
    explicit ArchivoLog(const QString &ruta);
    void Escribir(const QString &linea);
    // Hands what was written so far to the system; throws host::Error when it cannot.
    void Vaciar();
    void Cerrar();

private:
    host::Error falla() const;
    QFile archivo_;
};

} // namespace engine

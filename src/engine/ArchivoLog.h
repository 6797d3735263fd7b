#pragma once

#include <QFile>
#include <QString>

namespace engine {

// The run's log: Windows-1252 text, one line per write ended by CR LF, each line flushed to
// disk as it is written so that an error keeps everything logged before it.
class ArchivoLog {
public:
    // Creates or empties the file; throws host::Error when it cannot.
    explicit ArchivoLog(const QString &ruta);
    void Escribir(const QString &linea);
    void Cerrar();

private:
    QFile archivo_;
};

} // namespace engine

#pragma once

#include "ObjetoHost.h"

#include <QString>

namespace host {

// Files: opening a document in the program that the system associates with it.
class DeArchivos : public ObjetoHost {
public:
    // The two numbers are accepted for the callers' sake and not used. True when it was opened.
    bool AbreDocumento(QString &ruta, int, int);
};

} // namespace host

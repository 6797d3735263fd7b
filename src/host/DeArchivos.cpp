#include "DeArchivos.h"

#include "Dialogos.h"

namespace host {

bool DeArchivos::AbreDocumento(QString &ruta, int, int)
{
    return Dialogos::actual().AbreDocumento(ruta);
}

} // namespace host

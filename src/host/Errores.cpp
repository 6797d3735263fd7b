#include "Errores.h"

namespace host::errores {

Error desbordamiento()
{
    return Error(Desbordamiento, QStringLiteral("Desbordamiento"));
}

Error divisionPorCero()
{
    return Error(DivisionPorCero, QStringLiteral("División por cero"));
}

Error usoNoValidoDeNull()
{
    return Error(UsoNoValidoDeNull, QStringLiteral("Uso no válido de Null"));
}

} // namespace host::errores

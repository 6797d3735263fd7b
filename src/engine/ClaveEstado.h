#pragma once

#include <QString>

namespace engine {

// Two-digit code of a Mexican federal entity from the free state text of a party ("00" when no
// rule holds).
QString ObtenerClaveEstado(const QString &stEstado);

} // namespace engine

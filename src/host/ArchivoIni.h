#pragma once

#include <QString>

namespace host::ini {

QString Lee(const QString &archivo, const QString &seccion, const QString &clave);
bool Escribe(const QString &archivo, const QString &seccion, const QString &clave, const QString &valor);

} // namespace host::ini

#include "ArchivoIni.h"

// Placeholder until the INI reader and writer land.
namespace host::ini {
QString Lee(const QString &, const QString &, const QString &) { return QString(); }
bool Escribe(const QString &, const QString &, const QString &, const QString &) { return false; }
} // namespace host::ini

#pragma once

#include <QByteArray>
#include <QString>

namespace engine {

// The text in the single-byte Windows-1252 code page; a character outside it becomes "?".
QByteArray ACp1252(const QString &texto);

} // namespace engine

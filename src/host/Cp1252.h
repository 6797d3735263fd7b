#pragma once

#include <QByteArray>
#include <QString>

namespace host {

// The text in the single-byte Windows-1252 code page; a character outside it becomes "?".
QByteArray ACp1252(const QString &texto);
// The characters of the text that Windows-1252 cannot hold, each once, in the order met.
QString FueraDeCp1252(const QString &texto);
// Bytes of the Windows-1252 code page as text (the five unassigned bytes keep their Latin-1 value).
QString DesdeCp1252(const QByteArray &bytes);

} // namespace host

#pragma once

#include <QChar>
#include <QString>

// Cleaning of the party texts (RFC, name) that the run copies into the work table and that the
// review compares.
namespace engine::tercero {

// A character that would break a report line: the field separator "|" and the control
// characters (line ends, NUL, tabs...).
bool RompeElRenglon(QChar c);
// Removes blanks, "-", "|" and control characters; the caller's variable is rewritten too.
QString LimpiarRFC(QString &stRFC);
// Turns "|" and control characters into blanks, so that a party's name cannot split a report
// field or line.
QString QuitarSeparadores(const QString &texto);
// Collapses runs of blanks of a trimmed text (six passes, pairs do not overlap).
QString QuitarEspaciosDobles(const QString &stCadena);
QString QuitarCaracteresEspeciales(const QString &texto);

} // namespace engine::tercero

#pragma once

#include <QString>

// Plain INI files that people edit by hand (the program's configuration file and the
// installation's settings file).
//
// Format:
//   - UTF-8 text; a byte-order mark is skipped when read and never written. A file that is not
//     valid UTF-8 is read as Windows-1252, and one with a UTF-16 byte-order mark as UTF-16, so a
//     file saved by another editor still reads; rewriting it stores UTF-8.
//   - "[Section]" lines open a section; "key=value" lines belong to the section above them.
//     Section and key names compare without regard to case, surrounding blanks trimmed.
//   - The value is everything after the first "=", exactly as written (blanks included), minus a
//     trailing CR. Nothing is escaped: blanks, accents and backslashes are written as they are.
//   - Lines starting with ";" or "#" (after blanks) are comments; they and blank lines are kept.
//   - A key or section name made of blanks never matches; keys before the first section belong
//     to no section and are never read.
namespace host::ini {

// Value of a key; "" when the file, the section or the key is missing, or the file cannot be read.
QString Lee(const QString &archivo, const QString &seccion, const QString &clave);

// Writes one key, keeping every other line of the file as it is: an existing key keeps its line
// and place, a missing key is added after the last entry of its section, a missing section is
// added at the end of the file. The file keeps its line-end style (new files: CR LF on Windows,
// LF elsewhere) and is replaced through a temporary file, so a failed write leaves it untouched.
// False when the file cannot be read or written, or when the names or the value cannot be
// stored so that they read back (blank or ill-formed names, a value with a line break).
bool Escribe(const QString &archivo, const QString &seccion, const QString &clave, const QString &valor);

} // namespace host::ini

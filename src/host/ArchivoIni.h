#pragma once

#include <QString>

// Plain INI files that people edit by hand (the program's configuration file and the
// installation's settings file, which the point-of-sale program itself also reads).
//
// Format:
//   - Text in UTF-8 (with or without a byte-order mark), UTF-16 with its byte-order mark, or
//     Windows-1252 (a file that is not valid UTF-8). A file that is none of these, or holds
//     control characters other than tabs and line ends (a binary file, UTF-16 without its mark),
//     cannot be decoded: it reads as empty and is never written.
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

// Whether the file can be read as a settings file (one that does not exist can: writing creates
// it). False with the reason in Spanish in *error ("es una carpeta, no un archivo", "no es un
// archivo de texto...").
bool Legible(const QString &archivo, QString *error);

// Writes one key and changes nothing else: every byte of every other line stays as it was, and the
// file keeps its encoding, its byte-order mark and its line ends. An existing key keeps its line
// and place; a missing key is added after the last entry of its section, a missing section at the
// end of the file, each with the line end the file uses most (LF on a tie; new files: CR LF on
// Windows, LF elsewhere, UTF-8 without mark). The file is replaced through a temporary file, so a
// failed write leaves it untouched. False, with the reason in Spanish in *error, when the file
// cannot be read, decoded or written, when the value cannot be stored in the file's encoding, or
// when the names or the value would not read back (blank or ill-formed names, a line break).
bool Escribe(const QString &archivo, const QString &seccion, const QString &clave, const QString &valor,
             QString *error = nullptr);

} // namespace host::ini

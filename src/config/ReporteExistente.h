#pragma once

#include <QString>

namespace config {

// A report already in the output folder under the name of a new run. The run would replace it,
// and with it the log and the review of the same name: a report already filed must not go
// without a word.

// The window's question before the run: "Ya existe «NOMBRE» (generado el dd/mm/aaaa hh:mm).
// ¿Desea reemplazarlo?", with the file's own date and time. Empty when there is no such report.
QString PreguntaDeReemplazo(const QString &carpeta, const QString &archivo);

// The command line's --sin-reemplazar: false, with the Spanish reason in *error, when there is
// such a report.
bool ComprobarQueNoExiste(const QString &carpeta, const QString &archivo, QString *error);

} // namespace config

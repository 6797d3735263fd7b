#pragma once

#include <QString>

namespace host {

// The files a report run writes in its folder, each named after the report: the report itself,
// its log ("Log" + name), the log of a failed run ("LogFallo" + name), its review ("Revision" +
// name) and the trail of its figures ("Detalle" + name). Whoever names, checks or protects them
// takes the names from here.
enum class DeLaCorrida { Reporte, Log, LogFallido, Revision, Detalle };
inline constexpr DeLaCorrida ArchivosDeLaCorrida[] = {DeLaCorrida::Reporte, DeLaCorrida::Log, DeLaCorrida::LogFallido,
                                                      DeLaCorrida::Revision, DeLaCorrida::Detalle};

// The file's name for the report's name.
QString NombreDe(DeLaCorrida archivo, const QString &reporte);
// What the file is, as the user reads it in a message: "el reporte", "el Log", "la revisión"...
QString QueEs(DeLaCorrida archivo);

} // namespace host

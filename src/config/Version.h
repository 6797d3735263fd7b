#pragma once

#include <QString>

namespace config {

// The program's version, "mayor.menor.revisión" (2.2.0), as the build was given it.
QString Version();

// What --version prints on both programs: "repieps " and the version.
QString LineaDeVersion();

} // namespace config

#pragma once

#include <QStringList>

namespace config {

// Developer mode: the switch "-kvrs" anywhere in the command line (case-sensitive, also inside a
// longer word). Read again on each call; needs the application object.
bool ModoDesarrollo();
// The same test over the given arguments (those after the program's name), joined by blanks.
bool ModoDesarrollo(const QStringList &argumentosTrasElPrograma);

} // namespace config

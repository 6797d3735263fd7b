#pragma once

#include "clsRepIEPS.h"

#include <QString>

namespace engine {

// The sentence that tells how a run that wrote no report ended, the same for the window and the
// command line. periodo: the run's side and period as TextoDelPeriodo writes them, for the
// window's outcome, which stays on screen after the run; empty for the command line, whose user
// gave them. The reason itself (the engine's message) goes after it.
QString TextoDelFinal(clsRepIEPS::Resultado resultado, const QString &periodo);
// The same for a run the user cancelled.
QString TextoDelCancelado(const QString &periodo);

} // namespace engine

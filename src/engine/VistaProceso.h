#pragma once

#include <QString>

namespace engine {

// What a report run needs of the window (or program) that launched it. The desktop window
// answers from its widgets; the command-line program from its options and its terminal.
class VistaProceso {
public:
    virtual ~VistaProceso() = default;

    // Progress text shown under the inputs (caption of lblProceso) and its visibility.
    virtual void TextoProceso(const QString &texto) = 0;
    virtual void VerProceso(bool visible) = 0;
    // Lets the window process its pending events: repaint, input.
    virtual void ProcesarEventos() = 0;
    // Whether the user cancelled the run: the run then ends at the next ProcesarEventos (which
    // throws), and its clean-up drops the work table, whose rows nobody will read.
    virtual bool Cancelado() const { return false; }
    // Payments done of the total, for a progress bar.
    virtual void Avance(int hechos, int total)
    {
        (void)hechos;
        (void)total;
    }
};

} // namespace engine

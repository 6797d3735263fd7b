#pragma once

#include <memory>

class QThread;

namespace ui {

// How a thread object of the window's thread is let go: it is asked to end (quit, for one with an
// event loop), waited for at most esperaMs milliseconds (-1: as long as it takes) and deleted; one
// still running then (a run whose server does not answer) is deleted as soon as it ends.
struct FinDeHilo {
    int esperaMs = -1;
    void operator()(QThread *hilo) const;
};

// The one owner of such a thread: whichever way it goes, it goes through FinDeHilo.
template <class Hilo>
using HiloPropio = std::unique_ptr<Hilo, FinDeHilo>;

// Lets the thread go without waiting for it: it is deleted once it ends.
template <class Hilo>
void DejarTerminar(HiloPropio<Hilo> &hilo)
{
    FinDeHilo{0}(hilo.release());
}

} // namespace ui

#include "HiloPropio.h"

#include <QDeadlineTimer>
#include <QThread>

namespace ui {

void FinDeHilo::operator()(QThread *hilo) const
{
    if (!hilo)
        return;
    hilo->quit();
    if (hilo->wait(QDeadlineTimer(esperaMs))) {
        delete hilo;
        return;
    }
    QObject::connect(hilo, &QThread::finished, hilo, &QObject::deleteLater);
    // It may have ended between the wait and the connection (a second deleteLater does no harm).
    if (hilo->isFinished())
        hilo->deleteLater();
}

} // namespace ui

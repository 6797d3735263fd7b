#pragma once

#include "VistaProceso.h"

#include <QStringList>

// Every call a run makes on the window that launched it, in order, as one list ("texto:...",
// "ver:1", "eventos", "avance:3/10"); line ends of the texts shown as \r and \n.
class VistaGrabada : public engine::VistaProceso {
public:
    void TextoProceso(const QString &t) override
    {
        llamadas << QStringLiteral("texto:") + QString(t).replace('\r', QLatin1String("\\r")).replace('\n', QLatin1String("\\n"));
    }
    void VerProceso(bool v) override { llamadas << QStringLiteral("ver:%1").arg(v); }
    void ProcesarEventos() override { llamadas << QStringLiteral("eventos"); }
    void Avance(int h, int t) override { llamadas << QStringLiteral("avance:%1/%2").arg(h).arg(t); }
    QStringList llamadas;
};

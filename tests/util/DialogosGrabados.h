#pragma once

#include "Dialogos.h"

#include <QList>
#include <functional>
#include <QString>
#include <QStringList>

// Records every dialog that the code under test opens and answers from a script (by default No,
// or OK for a box without question). Installs itself for its lifetime.
class DialogosGrabados : public host::Dialogos {
public:
    struct Caja {
        QString texto;
        int botones = 0;
        QString titulo;
        bool skin = false;
        int tipo = 0;
    };

    DialogosGrabados() { host::Dialogos::instalar(this); }
    ~DialogosGrabados() override { host::Dialogos::instalar(nullptr); }

    int MsgBox(const QString &texto, int botones, const QString &titulo) override
    {
        if (alMostrar)
            alMostrar();
        cajas << Caja{texto, botones, titulo, false, 0};
        return responder(botones);
    }
    int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) override
    {
        if (alMostrar)
            alMostrar();
        cajas << Caja{texto, botones, titulo, true, tipo};
        return responder(botones);
    }
    void MuestraWnd(const QString &mensaje) override { ventanas << QStringLiteral("muestra:") + mensaje; }
    void QuitaWnd() override { ventanas << QStringLiteral("quita"); }
    bool AbreDocumento(const QString &ruta) override
    {
        documentos << ruta;
        return abre;
    }

    QList<Caja> cajas;
    QStringList ventanas;
    QStringList documentos;
    QList<int> respuestas; // answers to give, in order; afterwards the default
    bool abre = true;      // whether a document "opens"
    std::function<void()> alMostrar; // called as each box is shown, before it is recorded

private:
    int responder(int botones)
    {
        if (!respuestas.isEmpty())
            return respuestas.takeFirst();
        return (botones & 0x0F) == host::vbYesNo ? host::vbNo : host::vbOK;
    }
};

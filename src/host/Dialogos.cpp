#include "Dialogos.h"

#include <QTextStream>

namespace host {

namespace {
DialogosConsola consola;
Dialogos *instalados = nullptr;
thread_local Dialogos *delHilo = nullptr;
} // namespace

Dialogos &Dialogos::actual()
{
    if (delHilo)
        return *delHilo;
    return instalados ? *instalados : consola;
}

void Dialogos::instalarEnEsteHilo(Dialogos *d)
{
    delHilo = d;
}

void Dialogos::instalar(Dialogos *d)
{
    instalados = d;
}

QString Renglones(const QString &texto)
{
    QString t = texto;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

int RespuestaNegativa(int botones)
{
    return (botones & 0x0F) == vbYesNo ? vbNo : vbOK;
}

int DialogosConsola::MsgBox(const QString &texto, int botones, const QString &)
{
    if (!callado_ || !callado_->load()) {
        QString t = Renglones(texto);
        if (!t.endsWith(QLatin1Char('\n')))
            t += QLatin1Char('\n');
        QTextStream(stderr) << t;
    }
    return RespuestaNegativa(botones);
}

int DialogosConsola::MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo)
{
    return tipo == 9 ? vbOK : MsgBox(texto, botones, titulo);
}

bool DialogosConsola::AbreDocumento(const QString &ruta)
{
    QTextStream(stderr) << "Archivo de configuración: " << ruta << Qt::endl;
    return false;
}

} // namespace host

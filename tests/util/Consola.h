#pragma once

#include <QByteArray>
#include <QString>

// What a program wrote to its console, as text with "\n" line ends. On Windows the C runtime
// writes "\r\n" for every "\n" to the console, as Windows expects; elsewhere the bytes stay as
// they are, so that a stray "\r" is still seen.
inline QString TextoDeConsola(const QByteArray &bytes)
{
    QString texto = QString::fromUtf8(bytes);
#ifdef Q_OS_WIN
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    return texto;
}

#pragma once

#include <QProcess>
#include <QStringList>

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

// The command-line program of this build.
inline const QString ProgramaCli = QStringLiteral(REPIEPS_BIN "/repieps-cli");
// Its options for the first quarter of 2018, the period of the test data.
inline const QStringList Trimestre{"--desde", "01/01/2018", "--hasta", "31/03/2018"};

// What a program left when it ended: its exit status (-1: it did not end in time, or not by itself)
// and what it wrote to its console.
struct Salida {
    int codigo = -1;
    QString out, err;
};

// Runs a program to its end in a folder (empty: this one's) and an environment, waiting at most `espera` ms.
inline Salida Correr(const QString &programa, const QStringList &args, const QString &carpeta = QString(),
                     const QProcessEnvironment &entorno = QProcessEnvironment::systemEnvironment(), int espera = 120000)
{
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.setWorkingDirectory(carpeta);
    p.start(programa, args);
    const bool termino = p.waitForFinished(espera) && p.exitStatus() == QProcess::NormalExit;
    return {termino ? p.exitCode() : -1, TextoDeConsola(p.readAllStandardOutput()), TextoDeConsola(p.readAllStandardError())};
}

#pragma once

#include <QString>

#include <atomic>

namespace host {

// Button and icon flags of the classic message box, as the callers pass them.
enum BotonesMsg : int {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
};

// Results of a message box.
enum RespuestaMsg : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// Every modal question or notice, the wait window and the opening of documents go through
// this one seam: the desktop program installs windows, the command-line program prints to
// stderr and answers No, and tests record what was asked and answer from a script.
class Dialogos {
public:
    virtual ~Dialogos() = default;

    // Standard message box; returns one of RespuestaMsg.
    virtual int MsgBox(const QString &texto, int botones, const QString &titulo) = 0;
    // The skinned message box; tipo is handed over unchanged (0 question, 9 end of a run).
    virtual int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) = 0;
    // Wait window.
    virtual void MuestraWnd(const QString &mensaje) = 0;
    virtual void QuitaWnd() = 0;
    // Opens a file in the program that the system associates with it.
    virtual bool AbreDocumento(const QString &ruta) = 0;

    // The implementation in force: the calling thread's own when it has one, else the program's,
    // a console one until another is installed.
    static Dialogos &actual();
    // Installs d (not owned); nullptr puts the console implementation back.
    static void instalar(Dialogos *d);
    // Installs d for the calling thread only (a run in a worker thread, whose boxes must reach
    // the window's thread); nullptr removes it.
    static void instalarEnEsteHilo(Dialogos *d);
};

// The answer of whoever cannot ask: No to a question, OK to a box without one.
int RespuestaNegativa(int botones);

// The command line's: every message goes to stderr as plain text and every question is answered
// No (RespuestaNegativa). The end-of-run notice is left out (the program prints its own summary),
// and so is everything once callado is set (a cancelled run: the program says so itself).
class DialogosConsola : public Dialogos {
public:
    explicit DialogosConsola(const std::atomic<bool> *callado = nullptr) : callado_(callado) {}
    int MsgBox(const QString &texto, int botones, const QString &titulo) override;
    int MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo) override;
    void MuestraWnd(const QString &) override {}
    void QuitaWnd() override {}
    // Says where the file is; opens nothing.
    bool AbreDocumento(const QString &ruta) override;

private:
    const std::atomic<bool> *callado_;
};

// A message as a screen or a terminal shows it: the CR LF (or lone CR) line ends the program's
// texts are written with become single new lines.
QString Renglones(const QString &texto);

} // namespace host

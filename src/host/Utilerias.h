#pragma once

#include "ObjetoHost.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace host {

// Utilities: the scrambling of stored user names and passwords, the wait window and the skinned
// message box. The dialogs go through the program's dialog seam (Dialogos).
class Utilerias : public ObjetoHost {
public:
    // Scrambles a text so that it is not readable at a glance in a settings file. This is not
    // encryption: anyone with the program can undo it.
    //   1. b = the UTF-8 bytes of the text (n bytes);
    //   2. a check byte (0xA5 + n + the sum of b) mod 256 is put in front of b;
    //   3. byte i of that sequence is XORed with key byte i: Clave[i mod 12] XOR (29 * i mod 256),
    //      Clave being the 12 ASCII bytes "IEPS-repieps";
    //   4. the result is written as upper-case hexadecimal, two digits a byte.
    // So the empty text scrambles to two hex digits, and any text round-trips exactly.
    static QString Encripta(const QString &texto);
    // Undoes Encripta. Blanks around the text are ignored and lower-case digits accepted. A text
    // that is not scrambled text (empty, not hexadecimal, odd length, a wrong check byte, bytes
    // that are not UTF-8) gives "" and sets *valido to false; otherwise *valido is true.
    static QString DesEncripta(const QString &texto, bool *valido = nullptr);

    // Wait window shown during long work, and its removal.
    void MuestraWnd(const QString &mensaje);
    void QuitaWnd();
    // The skinned message box; returns the box's result (6 = Yes). tipo is handed over unchanged.
    int MsgBoxSkn(const QString &prompt, int botones, const QString &titulo, int tipo);

    // Window that owns the skinned boxes (the main window); forgotten when that window goes away.
    void setElMenu(QObject *ventana) { elMenu_ = ventana; }
    QObject *ElMenu() const { return elMenu_.data(); }

private:
    QPointer<QObject> elMenu_;
};

} // namespace host

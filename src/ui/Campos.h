#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace ui {

// Key handling of the input fields, as the host library defines it for every program of the
// point-of-sale family.

// Selects the whole text of a field that has just received the focus.
void Resalta(QWidget *control);
// Handles a key going down in a field: Enter (Return or the keypad's Enter) moves the focus to
// the next field of the window and is dropped (tecla = 0); other keys pass unchanged.
void Teclas(int &tecla, QWidget *control);
// The field that takes the focus after control in its window's focus order; nullptr when none.
QWidget *SiguienteCampo(QWidget *control);

// "/" typed in a date box after the first digit of a two-digit part (the day, the month): the
// digit gets its leading zero and the cursor goes on to the next part, so that 1/1/2018 gives
// 01/01/2018. False, and nothing done, anywhere else: the key then does what it always did.
bool CompletarParteDeFecha(QLineEdit *caja);

// The input mask of a line edit from a date mask such as "99/99/9999": digits required, the
// separators as they are, '_' shown for what is still to be typed.
QString MascaraQt(const QString &mascara);

} // namespace ui

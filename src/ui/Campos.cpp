#include "Campos.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {

void Resalta(QWidget *control)
{
    auto *campo = qobject_cast<QLineEdit *>(control);
    if (!campo)
        return;
    campo->selectAll();
    // A click that gave the focus would place the cursor after this; select again once it is done.
    QPointer<QLineEdit> guarda(campo);
    QTimer::singleShot(0, campo, [guarda] {
        if (guarda && guarda->hasFocus())
            guarda->selectAll();
    });
}

QWidget *SiguienteCampo(QWidget *control)
{
    QWidget *ventana = control->window();
    for (QWidget *w = control->nextInFocusChain(); w && w != control; w = w->nextInFocusChain()) {
        if (w->window() != ventana || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(ventana))
            continue;
        // Of a group of options only the selected one takes the focus.
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && b->autoExclusive() && b->isCheckable() && !b->isChecked())
            continue;
        return w;
    }
    return nullptr;
}

void Teclas(int &tecla, QWidget *control)
{
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
        return;
    tecla = 0;
    if (QWidget *siguiente = SiguienteCampo(control))
        siguiente->setFocus(Qt::TabFocusReason);
}

bool CompletarParteDeFecha(QLineEdit *caja)
{
    const QString t = caja->displayText(); // the mask's blanks shown as '_'
    const int pos = caja->cursorPosition();
    const int inicio = pos == 0 ? 0 : int(t.lastIndexOf(QLatin1Char('/'), pos - 1)) + 1;
    const int fin = int(t.indexOf(QLatin1Char('/'), pos));
    if (fin - inicio != 2 || pos != inicio + 1 || !t.at(inicio).isDigit() || t.at(pos) != QLatin1Char('_'))
        return false;
    caja->setCursorPosition(inicio);
    caja->insert(QStringLiteral("0") + t.at(inicio)); // the mask takes the cursor past the separator
    return true;
}

QString MascaraQt(const QString &mascara)
{
    static const QString especiales = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]\\;");
    QString qt;
    for (const QChar c : mascara) {
        if (c == QLatin1Char('9') || c == QLatin1Char('#'))
            qt += QLatin1Char('9');
        else if (especiales.contains(c))
            qt += QLatin1Char('\\') + QString(c);
        else
            qt += c;
    }
    return qt + QStringLiteral(";_");
}

} // namespace ui

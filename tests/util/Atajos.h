#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QMap>
#include <QStringList>
#include <QWidget>

// The Alt letter of a caption ("Abrir &carpeta" gives "c"; "&&" is a plain ampersand), empty when
// it has none.
inline QString LetraDeAtajo(const QString &texto)
{
    for (int i = 0; i + 1 < texto.size(); ++i) {
        if (texto.at(i) != QLatin1Char('&'))
            continue;
        if (texto.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return texto.at(i + 1).toLower();
    }
    return QString();
}

// The Alt letters that two or more controls of ventana show at once (buttons, and captions that
// name a box), each with the captions that share it: "c: &Cliente: | Abrir &carpeta". Empty when
// every letter is someone's alone.
inline QStringList AtajosRepetidos(const QWidget *ventana)
{
    QMap<QString, QStringList> porLetra;
    for (const QWidget *w : ventana->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(ventana) || w->window() != ventana)
            continue;
        QString texto;
        if (const auto *b = qobject_cast<const QAbstractButton *>(w))
            texto = b->text();
        else if (const auto *l = qobject_cast<const QLabel *>(w); l && l->buddy())
            texto = l->text();
        const QString letra = LetraDeAtajo(texto);
        if (!letra.isEmpty())
            porLetra[letra] << texto;
    }
    QStringList repetidos;
    for (auto i = porLetra.cbegin(); i != porLetra.cend(); ++i)
        if (i.value().size() > 1)
            repetidos << i.key() + QStringLiteral(": ") + i.value().join(QStringLiteral(" | "));
    return repetidos;
}

#include "LibKVRS.h"

#include "ArchivoIni.h"

#include <QDateTime>

namespace host {

QString LibKVRS::LeeIni(const QString &seccion, const QString &clave, const QString &archivo) const
{
    return ini::Lee(archivo, seccion, clave);
}

bool LibKVRS::EscribeIni(const QString &seccion, const QString &clave, const QString &valor, const QString &archivo,
                         QString *error)
{
    return ini::Escribe(archivo, seccion, clave, valor, error);
}

double LibKVRS::kvVal(const QString &texto)
{
    int i = 0;
    const int n = texto.size();
    while (i < n && (texto[i] == QLatin1Char(' ') || texto[i] == QLatin1Char('\t')))
        ++i;
    const int inicio = i;
    if (i < n && (texto[i] == QLatin1Char('-') || texto[i] == QLatin1Char('+')))
        ++i;
    int digitos = 0;
    while (i < n && texto[i].isDigit() && texto[i].unicode() < 128) {
        ++i;
        ++digitos;
    }
    if (i < n && texto[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && texto[i].isDigit() && texto[i].unicode() < 128) {
            ++i;
            ++digitos;
        }
    }
    if (digitos == 0)
        return 0.0;
    int fin = i;
    // An exponent counts only when digits follow it.
    if (i < n && (texto[i] == QLatin1Char('e') || texto[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (texto[j] == QLatin1Char('-') || texto[j] == QLatin1Char('+')))
            ++j;
        int exp = 0;
        while (j < n && texto[j].isDigit() && texto[j].unicode() < 128) {
            ++j;
            ++exp;
        }
        if (exp > 0)
            fin = j;
    }
    QString numero = texto.mid(inicio, fin - inicio);
    if (numero.endsWith(QLatin1Char('.')))
        numero.chop(1);
    return numero.toDouble();
}

double LibKVRS::kvVal(const QVariant &valor)
{
    if (!valor.isValid() || valor.isNull())
        return 0.0;
    switch (valor.metaType().id()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return kvVal(valor.toString());
    case QMetaType::Bool:
        return valor.toBool() ? -1.0 : 0.0;
    default:
        return valor.toDouble();
    }
}

QString LibKVRS::FechaSQL(const QDate &fecha)
{
    return fecha.toString(FormatoFechaSQL());
}

QString LibKVRS::FechaComoTexto(const QVariant &fecha)
{
    if (fecha.metaType().id() == QMetaType::QDateTime)
        return fecha.toDateTime().date().toString(FormatoFecha());
    if (fecha.metaType().id() == QMetaType::QString) {
        // A date kept as text in the database: yyyy-MM-dd, possibly followed by a time.
        const QDate d = QDate::fromString(fecha.toString().left(10), FormatoFechaSQL());
        return d.isValid() ? d.toString(FormatoFecha()) : fecha.toString();
    }
    return fecha.toDate().toString(FormatoFecha());
}

void LibKVRS::Enter(int &caracter, const QString &filtro)
{
    if (caracter < 32)
        return; // Enter, backspace and other control keys are never filtered
    const QChar c(caracter);
    if (filtro == QLatin1String("9")) {
        if (!(c.isDigit() && caracter < 128) && c != QLatin1Char('/'))
            caracter = 0;
    } else if (filtro == QLatin1String("X")) {
        // A folder may be part of the name, so its separators pass.
        static const QString prohibidos = QStringLiteral("*?\"<>|");
        if (prohibidos.contains(c))
            caracter = 0;
    } else if (filtro == QLatin1String("!")) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('\\') || c == QLatin1Char('`'))
            caracter = 0;
    }
}

} // namespace host

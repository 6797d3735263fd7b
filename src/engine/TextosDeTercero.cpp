// Cleaning of the party data that the run copies into the work table.
#include "TextosDeTercero.h"

namespace engine::tercero {

namespace {
// Removes the leading and trailing blanks (the space character only; tabs stay).
QString SinBlancosExteriores(const QString &texto)
{
    int inicio = 0;
    int fin = texto.size();
    while (inicio < fin && texto[inicio] == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && texto[fin - 1] == QLatin1Char(' '))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

} // namespace

bool RompeElRenglon(QChar c)
{
    return c == QLatin1Char('|') || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString LimpiarRFC(QString &stRFC)
{
    QString r = SinBlancosExteriores(stRFC);
    r.remove(QLatin1Char('-'));
    r.remove(QLatin1Char(' '));
    r.removeIf(RompeElRenglon);
    stRFC = r;
    return r;
}

QString QuitarSeparadores(const QString &texto)
{
    QString r = texto;
    for (QChar &c : r) {
        if (RompeElRenglon(c))
            c = QLatin1Char(' ');
    }
    return r;
}

QString QuitarEspaciosDobles(const QString &stCadena)
{
    QString r = SinBlancosExteriores(stCadena);
    // Each pass halves the runs of blanks (pairs do not overlap), so six passes collapse runs
    // of up to 64 blanks.
    for (int pasada = 0; pasada < 6; ++pasada)
        r.replace(QLatin1String("  "), QLatin1String(" "));
    return r;
}

QString QuitarCaracteresEspeciales(const QString &texto)
{
    static const QString especiales = QStringLiteral("@\u00B4%#!\u00A1.$&\u00BF?\u00D1,()");
    QString r = texto;
    for (QChar c : especiales)
        r.remove(c);
    return r;
}

} // namespace engine::tercero

#include "Cp1252.h"

#include <QList>

namespace host {

namespace {
// Characters of bytes 0x80 to 0x9F; the five bytes the code page leaves undefined keep their
// Latin-1 value (the control character of the same number).
const char16_t Altos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteDe(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (Altos[i] == c)
            return char(0x80 + i);
    }
    return '?';
}
} // namespace

QByteArray ACp1252(const QString &texto)
{
    QByteArray r(texto.size(), Qt::Uninitialized);
    char *salida = r.data();
    int n = 0;
    for (auto it = texto.cbegin(); it != texto.cend(); ++it) {
        char32_t c = it->unicode();
        if (c < 0x80) { // most of a log line
            salida[n++] = char(c);
            continue;
        }
        if (it->isHighSurrogate() && it + 1 != texto.cend() && (it + 1)->isLowSurrogate()) {
            c = QChar::surrogateToUcs4(*it, *(it + 1));
            ++it;
        }
        salida[n++] = byteDe(c);
    }
    r.truncate(n);
    return r;
}

QString DesdeCp1252(const QByteArray &bytes)
{
    QString texto;
    texto.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        texto += (b >= 0x80 && b <= 0x9F) ? QChar(Altos[b - 0x80]) : QChar(char16_t(b));
    }
    return texto;
}

QString FueraDeCp1252(const QString &texto)
{
    QString fuera;
    const QList<uint> puntos = texto.toUcs4();
    for (const uint punto : puntos) {
        const QString c = QString::fromUcs4(reinterpret_cast<const char32_t *>(&punto), 1);
        if (DesdeCp1252(ACp1252(c)) != c && !fuera.contains(c))
            fuera += c;
    }
    return fuera;
}

} // namespace host

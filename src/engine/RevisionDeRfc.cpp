#include "RevisionDeRfc.h"

#include "TextosDeTercero.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

namespace engine {

namespace {
const QString Valores = QStringLiteral("0123456789ABCDEFGHIJKLMN&OPQRSTUVWXYZ \u00D1");

bool TieneSeparadores(const QString &texto)
{
    return std::any_of(texto.cbegin(), texto.cend(), tercero::RompeElRenglon);
}

// Whether YYMMDD is a day of the calendar; 00 is taken as 2000, a leap year.
bool EsFecha(const QString &seis)
{
    const int aa = seis.left(2).toInt(), mm = seis.mid(2, 2).toInt(), dd = seis.mid(4, 2).toInt();
    return QDate(2000 + aa, mm, dd).isValid();
}
} // namespace

QChar DigitoVerificadorRfc(const QString &sinDigito)
{
    if (sinDigito.size() > 12)
        return QChar();
    const QString relleno = QString(12 - sinDigito.size(), QLatin1Char(' ')) + sinDigito;
    int suma = 0;
    for (int i = 0; i < 12; ++i) {
        const int valor = Valores.indexOf(relleno.at(i));
        if (valor < 0)
            return QChar();
        suma += valor * (13 - i);
    }
    const int d = 11 - suma % 11;
    if (d == 11)
        return QLatin1Char('0');
    if (d == 10)
        return QLatin1Char('A');
    return QLatin1Char(char('0' + d));
}

QStringList ProblemasDeRfc(const QString &rfc)
{
    QString limpio = rfc;
    tercero::LimpiarRFC(limpio);
    if (limpio.isEmpty())
        return {QStringLiteral("RFC vacío")};

    QStringList problemas;
    if (TieneSeparadores(rfc))
        problemas << QStringLiteral("el RFC tenía «|» o caracteres de control (se quitaron)");
    const QString mayusculas = limpio.toUpper();
    if (mayusculas != limpio)
        problemas << QStringLiteral("RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en general "
                                    "no se reconoce así)");
    if (limpio.size() > 13)
        problemas << QStringLiteral("RFC de más de 13 caracteres (el reporte lo recorta)");

    static const QRegularExpression forma(QStringLiteral("^[A-Z\u00D1&]{3,4}([0-9]{6})[A-Z0-9]{3}$"));
    const QRegularExpressionMatch m = forma.match(mayusculas);
    if (!m.hasMatch()) {
        problemas << QStringLiteral("RFC sin la forma de persona moral (3 letras, 6 dígitos y 3 caracteres) ni de "
                                    "persona física (4 letras, 6 dígitos y 3 caracteres)");
        return problemas;
    }
    if (!EsFecha(m.captured(1)))
        problemas << QStringLiteral("la fecha del RFC (%1) no existe").arg(m.captured(1));
    if (!EsRfcGenerico(mayusculas)) {
        const QChar esperado = DigitoVerificadorRfc(mayusculas.chopped(1));
        if (esperado != mayusculas.back())
            problemas << QStringLiteral("dígito verificador incorrecto (debería ser %1)").arg(esperado);
    }
    return problemas;
}

} // namespace engine

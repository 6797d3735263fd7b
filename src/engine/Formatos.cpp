#include "Formatos.h"

#include "Errores.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace engine {

namespace {

// A finite value as sign, decimal digits and a power of ten: valor = ±digitos × 10^exponente,
// with digitos carrying at most 15 significant digits.
struct Decimal {
    bool negativo = false;
    std::string digitos; // no leading zeros, except the single digit "0"
    int exponente = 0;
};

Decimal aQuinceDigitos(double valor)
{
    Decimal d;
    if (valor == 0.0 || !std::isfinite(valor)) {
        d.digitos = "0";
        return d;
    }
    // -d.dddddddddddddde±XX, correctly rounded as printf's "%.14e" gives it, several times faster.
    char texto[40];
    *std::to_chars(texto, texto + sizeof texto - 1, valor, std::chars_format::scientific, 14).ptr = '\0';
    const char *p = texto;
    if (*p == '-') {
        d.negativo = true;
        ++p;
    }
    std::string cifras;
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.')
            cifras += *p;
    }
    const int exp10 = std::atoi(p + 1);
    d.digitos = cifras;
    d.exponente = exp10 - int(cifras.size() - 1);
    // Trailing zeros carry no information.
    while (d.digitos.size() > 1 && d.digitos.back() == '0') {
        d.digitos.pop_back();
        ++d.exponente;
    }
    return d;
}

// Adds one to a string of decimal digits.
std::string masUno(std::string digitos)
{
    int i = int(digitos.size()) - 1;
    while (i >= 0 && digitos[i] == '9') {
        digitos[i] = '0';
        --i;
    }
    if (i < 0)
        digitos.insert(digitos.begin(), '1');
    else
        ++digitos[i];
    return digitos;
}

// The value rounded half away from zero to `decimales` places, as integer and fraction digits.
void redondearFijo(const Decimal &d, int decimales, std::string &entero, std::string &fraccion)
{
    std::string escalado; // value × 10^decimales, as an integer
    const int desplazamiento = d.exponente + decimales;
    if (desplazamiento >= 0) {
        escalado = d.digitos + std::string(desplazamiento, '0');
    } else {
        const int quitar = -desplazamiento;
        const int n = int(d.digitos.size());
        if (quitar > n) {
            escalado = "0";
        } else {
            escalado = d.digitos.substr(0, n - quitar);
            if (escalado.empty())
                escalado = "0";
            if (d.digitos[n - quitar] >= '5')
                escalado = masUno(escalado);
        }
    }
    while (escalado.size() > 1 && escalado.front() == '0')
        escalado.erase(escalado.begin());
    if (int(escalado.size()) <= decimales)
        escalado.insert(escalado.begin(), decimales + 1 - escalado.size(), '0');
    entero = escalado.substr(0, escalado.size() - decimales);
    fraccion = escalado.substr(escalado.size() - decimales);
}

bool todoCeros(const std::string &a, const std::string &b)
{
    return a.find_first_not_of('0') == std::string::npos && b.find_first_not_of('0') == std::string::npos;
}

// Amounts too large for whole-number arithmetic, digit by digit.
QString FormatoImporteGrande(const Decimal &d)
{
    std::string entero, fraccion;
    redondearFijo(d, 2, entero, fraccion);
    std::string agrupado;
    const int n = int(entero.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            agrupado += ',';
        agrupado += entero[i];
    }
    const bool signo = d.negativo && !todoCeros(entero, fraccion);
    return QString::fromStdString((signo ? "-" : "") + agrupado + "." + fraccion);
}

} // namespace

QString FormatoImporte(double valor)
{
    const Decimal d = aQuinceDigitos(valor);
    const int n = int(d.digitos.size());
    const int desplazamiento = d.exponente + 2;
    if (n + desplazamiento > 18)
        return FormatoImporteGrande(d);

    // The amounts of a log: the value times 100 as a whole number, rounded half away from zero
    // on its decimal digits exactly as the general path does.
    static const quint64 potencia[19] = {1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL,
                                         100000000ULL, 1000000000ULL, 10000000000ULL, 100000000000ULL,
                                         1000000000000ULL, 10000000000000ULL, 100000000000000ULL,
                                         1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
                                         1000000000000000000ULL};
    quint64 cifras = 0;
    for (char c : d.digitos)
        cifras = cifras * 10 + quint64(c - '0');
    quint64 escalado = 0;
    if (desplazamiento >= 0) {
        escalado = cifras * potencia[desplazamiento];
    } else if (-desplazamiento <= n) {
        const int quitar = -desplazamiento;
        escalado = cifras / potencia[quitar];
        if ((cifras / potencia[quitar - 1]) % 10 >= 5)
            ++escalado;
    }

    char texto[40];
    char *p = texto + sizeof texto;
    quint64 resto = escalado;
    *--p = char('0' + resto % 10);
    resto /= 10;
    *--p = char('0' + resto % 10);
    resto /= 10;
    *--p = '.';
    int grupo = 0;
    do {
        if (grupo == 3) {
            *--p = ',';
            grupo = 0;
        }
        *--p = char('0' + resto % 10);
        resto /= 10;
        ++grupo;
    } while (resto != 0);
    if (d.negativo && escalado != 0)
        *--p = '-';
    return QString::fromLatin1(p, int(texto + sizeof texto - p));
}

QString FormatoTresDecimales(double valor)
{
    const Decimal d = aQuinceDigitos(valor);
    std::string entero, fraccion;
    redondearFijo(d, 3, entero, fraccion);
    const bool signo = d.negativo && !todoCeros(entero, fraccion);
    return QString::fromStdString((signo ? "-" : "") + entero + "." + fraccion);
}

QString NumeroGeneral(double valor)
{
    if (std::isnan(valor))
        return QStringLiteral("NaN");
    if (std::isinf(valor))
        return valor > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    const Decimal d = aQuinceDigitos(valor);
    if (d.digitos == "0")
        return QStringLiteral("0");
    const int n = int(d.digitos.size());
    const int exp10 = d.exponente + n - 1; // power of ten of the first digit
    std::string r = d.negativo ? "-" : "";
    if (exp10 >= 15 || exp10 < -15) {
        // 1.5E+15, 2E-16
        r += d.digitos[0];
        if (n > 1)
            r += "." + d.digitos.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
        r += e;
    } else if (d.exponente >= 0) {
        r += d.digitos + std::string(d.exponente, '0');
    } else if (exp10 >= 0) {
        r += d.digitos.substr(0, exp10 + 1) + "." + d.digitos.substr(exp10 + 1);
    } else {
        r += "0." + std::string(-exp10 - 1, '0') + d.digitos;
    }
    return QString::fromStdString(r);
}

QString NumeroConSeparadores(const QString &numero)
{
    const qsizetype inicio = numero.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype fin = inicio;
    while (fin < numero.size() && numero.at(fin).isDigit())
        ++fin;
    // The exponent form has a single digit before its point: nothing to group there.
    QString r = numero;
    for (qsizetype i = fin - 3; i > inicio; i -= 3)
        r.insert(i, QLatin1Char(','));
    return r;
}

QString NumeroConSeparadores(double valor)
{
    return NumeroConSeparadores(NumeroGeneral(valor));
}

QString ValorComoTexto(const QVariant &valor)
{
    if (!valor.isValid() || valor.isNull())
        return QString();
    switch (valor.metaType().id()) {
    case QMetaType::Double:
        return NumeroGeneral(valor.toDouble());
    case QMetaType::Float:
        return NumeroGeneral(double(valor.toFloat()));
    default:
        return valor.toString();
    }
}

QString Texto(const QVariant &valor)
{
    return valor.isNull() ? QString() : valor.toString();
}

const QVariant &NoNulo(const QVariant &valor, const QString &lugar, const QString &columna)
{
    if (valor.isNull())
        throw host::errores::usoNoValidoDeNull(QStringLiteral("%1, columna %2 está vacía").arg(lugar, columna));
    return valor;
}

bool TextoQueNoEsNumero(const QVariant &valor)
{
    const int tipo = valor.metaType().id();
    if (valor.isNull() || (tipo != QMetaType::QString && tipo != QMetaType::QByteArray))
        return false;
    bool numero = false;
    valor.toDouble(&numero); // as the arithmetic converts it
    return !numero && !valor.toString().trimmed().isEmpty();
}

double RedondeoPar(double valor)
{
    return std::nearbyint(valor); // the default rounding mode sends halves to the even neighbour
}

} // namespace engine

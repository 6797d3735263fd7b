#include "Utilerias.h"

#include "Dialogos.h"

#include <QByteArray>
#include <QStringConverter>

namespace host {

namespace {

const char Clave[] = "IEPS-repieps";
constexpr int LargoClave = sizeof(Clave) - 1;

unsigned char byteDeClave(int i)
{
    return static_cast<unsigned char>(Clave[i % LargoClave]) ^ static_cast<unsigned char>((29 * i) & 0xFF);
}

unsigned char verificador(const QByteArray &bytes)
{
    unsigned int suma = 0xA5u + static_cast<unsigned int>(bytes.size());
    for (char c : bytes)
        suma += static_cast<unsigned char>(c);
    return static_cast<unsigned char>(suma & 0xFF);
}

int valorHex(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString Utilerias::Encripta(const QString &texto)
{
    const QByteArray claro = texto.toUtf8();
    QByteArray revuelto;
    revuelto.reserve(claro.size() + 1);
    revuelto += static_cast<char>(verificador(claro));
    revuelto += claro;
    for (int i = 0; i < revuelto.size(); ++i)
        revuelto[i] = static_cast<char>(static_cast<unsigned char>(revuelto[i]) ^ byteDeClave(i));
    return QString::fromLatin1(revuelto.toHex().toUpper());
}

QString Utilerias::DesEncripta(const QString &texto, bool *valido)
{
    if (valido)
        *valido = false;
    const QString hex = texto.trimmed();
    if (hex.size() < 2 || hex.size() % 2 != 0)
        return QString();
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    for (int i = 0; i < hex.size(); i += 2) {
        const int alto = valorHex(hex.at(i));
        const int bajo = valorHex(hex.at(i + 1));
        if (alto < 0 || bajo < 0)
            return QString();
        const int pos = i / 2;
        bytes += static_cast<char>(static_cast<unsigned char>(alto * 16 + bajo) ^ byteDeClave(pos));
    }
    const QByteArray claro = bytes.mid(1);
    if (static_cast<unsigned char>(bytes.at(0)) != verificador(claro))
        return QString();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString resultado = utf8(claro);
    if (utf8.hasError())
        return QString();
    if (valido)
        *valido = true;
    return resultado;
}

void Utilerias::MuestraWnd(const QString &mensaje)
{
    Dialogos::actual().MuestraWnd(mensaje);
}

void Utilerias::QuitaWnd()
{
    Dialogos::actual().QuitaWnd();
}

int Utilerias::MsgBoxSkn(const QString &prompt, int botones, const QString &titulo, int tipo)
{
    return Dialogos::actual().MsgBoxSkn(prompt, botones, titulo, tipo);
}

} // namespace host

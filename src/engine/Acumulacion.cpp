// The work table tmptempoieps: one row per party RFC, Campo 5 code, clave genérica and product
// presentation, with the sums of the prorated quantity, amount, IEPS and IVA.
#include "Acumulador.h"

#include "ClaveEstado.h"
#include "Conexion.h"
#include "Errores.h"
#include "Formatos.h"
#include "LibKVRS.h"
#include "RevisionDeRfc.h"
#include "TextosDeTercero.h"

#include <QRegularExpression>

namespace engine {

QString JuegoDelRfc(host::Conexion &cn)
{
    const QString juego = cn.Valor(QStringLiteral("SELECT CHARACTER_SET_NAME FROM information_schema.COLUMNS WHERE "
                                                  "TABLE_SCHEMA=DATABASE() AND TABLE_NAME='tmptempoieps' AND "
                                                  "COLUMN_NAME='RFC'"))
                              .toString();
    static const QRegularExpression nombreSimple(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!nombreSimple.match(juego).hasMatch())
        throw host::Error(host::errores::NoPuedeCrearObjeto,
                          QStringLiteral("no se pudo saber el juego de caracteres de la tabla de trabajo tmptempoieps"));
    return juego;
}

QString RfcIgualA(const host::Conexion &cn, const QString &rfc, const QString &juego)
{
    const QString literal = cn.Literal(rfc);
    return QStringLiteral("RFC=%1 AND BINARY RFC=BINARY CONVERT(%1 USING %2)").arg(literal, juego);
}

QString RfcDelGrupo(const Pago &pago)
{
    QString rfc = Texto(pago.rfc);
    return tercero::LimpiarRFC(rfc);
}

QString RfcDeLaTabla(const QString &rfc)
{
    // The column keeps characters, not UTF-16 units: a character outside the basic plane counts once.
    int unidades = 0;
    for (int caracteres = 0; caracteres < LargoRfc && unidades < rfc.size(); ++caracteres)
        unidades += rfc.at(unidades).isHighSurrogate() && unidades + 1 < rfc.size() ? 2 : 1;
    return rfc.left(unidades);
}

QString NombreDelGrupo(const Pago &pago, const QString &rfc)
{
    // Every sale to the general public lands in the same rows, whatever the customer's name.
    if (rfc == RfcPublicoEnGeneral())
        return QStringLiteral("PUBLICO EN GENERAL");
    return tercero::QuitarCaracteresEspeciales(tercero::QuitarEspaciosDobles(
        tercero::QuitarSeparadores(Texto(pago.nombre))));
}

QString EstadoDelGrupo(const Pago &pago)
{
    return ObtenerClaveEstado(Texto(pago.estado));
}

QString PresentacionDelGrupo(const QVariant &pedimento)
{
    return NumeroGeneral(host::LibKVRS::kvVal(pedimento));
}

float PresentacionSimple(const QString &presentacion)
{
    return float(presentacion.toDouble());
}

} // namespace engine

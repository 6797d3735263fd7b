// The report file: one "|"-separated line of 26 fields per work-table row of the fifty RFCs
// with the largest amounts.
#include "clsRepIEPS.h"

#include "ArchivoDeSalida.h"
#include "BasesDD.h"
#include "Conexion.h"
#include "Formatos.h"

#include <QSet>

#include <algorithm>

namespace engine {

namespace {
QVariant ValorDe(const host::Registros &rs, const char *columna)
{
    const QVariant v = rs.Campo(QLatin1String(columna));
    if (!v.isNull())
        return v;
    const QVariant rfc = rs.Campo(QStringLiteral("RFC"));
    return NoNulo(v, QStringLiteral("la tabla de trabajo tmptempoieps, RFC ") + (rfc.isNull() ? QStringLiteral("vacío") : rfc.toString()),
                  QLatin1String(columna));
}

QString TextoDe(const host::Registros &rs, const char *columna)
{
    return ValorComoTexto(ValorDe(rs, columna));
}

QString NumeroDe(const host::Registros &rs, const char *columna)
{
    return NumeroGeneral(ValorDe(rs, columna).toDouble());
}

// A number as NumeroGeneral writes it that is not plain digits: "1E+15", "Inf".
bool SinCifras(const QString &numero)
{
    return std::any_of(numero.cbegin(), numero.cend(), [](QChar c) { return c.isLetter(); });
}

} // namespace

void clsRepIEPS::AgregarCampo(const QString &texto, bool blNuevo)
{
    if (blNuevo)
        stRenglon_ = texto;
    else
        stRenglon_ += texto;
    stRenglon_ += stSeparador_;
}

void clsRepIEPS::GenerarArchivoReporte(host::ArchivoDeSalida &archivo, host::Registros &rsDetalle, bool blSonCtes)
{

    host::Registros rsRanking;
    bases_.AbrirTabla(rsRanking, cn_, QStringLiteral("tmptempoieps GROUP BY RFC ORDER BY Importes DESC LIMIT 50"),
                      QStringLiteral("RFC,SUM(Importe) as Importes"));
    const QString tipo = blSonCtes ? QStringLiteral("C") : QStringLiteral("P");
    QSet<QString> anotados; // RFC and field, once each
    // An amount field as the report writes it, told to the review when it is not in plain digits.
    const auto importe = [&](const char *columna, const QString &campo) {
        const QString texto = NumeroDe(rsDetalle, columna);
        const QString rfc = TextoDe(rsDetalle, "RFC");
        if (SinCifras(texto) && !anotados.contains(rfc + QLatin1Char('|') + campo)) {
            anotados.insert(rfc + QLatin1Char('|') + campo);
            revision_.AnotarDato(Revision::Dato::ImporteSinCifras, rfc, QVariant(),
                                 rsDetalle.Campo(QStringLiteral("Nombre")), campo + QStringLiteral(": ") + texto);
        }
        AgregarCampo(texto, false);
    };
    while (!rsRanking.Eof()) {
        comprobarCancelacion();
        rfcsDelReporte_.insert(TextoDe(rsRanking, "RFC").toUpper());
        bases_.AbrirTabla(rsDetalle, cn_,
                          QStringLiteral("tmptempoieps WHERE RFC='") + cn_.Escapa(TextoDe(rsRanking, "RFC"))
                              + QStringLiteral("'"));
        while (!rsDetalle.Eof()) {
            AgregarCampo(tipo, true);
            AgregarCampo(TextoDe(rsDetalle, "RFC"), false);
            AgregarCampo(TextoDe(rsDetalle, "Nombre"), false);
            AgregarCampo(TextoDe(rsDetalle, "Estado"), false);
            AgregarCampo(TextoDe(rsDetalle, "Linea"), false);
            AgregarCampo(QStringLiteral("00"), false);
            AgregarCampo(TextoDe(rsDetalle, "ClaveGenerica"), false);
            AgregarCampo(QStringLiteral("000"), false);
            importe("CantidadFactura", QStringLiteral("campo 9 (cantidad)"));
            AgregarCampo(QStringLiteral("005"), false);
            const QVariant presentacion = ValorDe(rsDetalle, "Presentacion");
            // The column is single precision: format the single-precision number it holds.
            AgregarCampo(FormatoTresDecimales(double(float(presentacion.toDouble()))), false);
            AgregarCampo(QStringLiteral("004"), false);
            importe("Importe", QStringLiteral("campo 13 (importe)"));
            AgregarCampo(QStringLiteral("0"), false);
            importe("IEPS", QStringLiteral("campo 15 (IEPS)"));
            importe("IVA", QStringLiteral("campo 16 (IVA)"));
            for (int vacio = 17; vacio <= 26; ++vacio)
                AgregarCampo(QString(), false);
            archivo.EscribirLinea(stRenglon_);
            rsDetalle.MoveNext();
        }
        rsRanking.MoveNext();
    }
    bases_.CierraTabla(rsRanking);
}

} // namespace engine

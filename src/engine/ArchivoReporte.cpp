// The report file: one "|"-separated line of 26 fields per work-table row of the fifty RFCs
// with the largest amounts, RFCs told apart by their bytes.
#include "clsRepIEPS.h"

#include "Acumulador.h"
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

// The RFCs that the work table's collation takes as one though their bytes differ (Ñ and N,
// accents, case), each group in the order the server gives them.
QList<QStringList> RfcsQueLaColacionUne(host::Conexion &cn)
{
    host::Registros rs;
    rs.Abrir(cn,
             QStringLiteral("SELECT d.RFC AS Grupo,t.RFC FROM tmptempoieps t JOIN (SELECT RFC FROM tmptempoieps "
                            "GROUP BY RFC HAVING COUNT(DISTINCT BINARY RFC)>1) d ON t.RFC=d.RFC "
                            "GROUP BY d.RFC,t.RFC,BINARY t.RFC"),
             QString());
    QList<QStringList> grupos;
    QHash<QString, int> lugar;
    for (int f = 0; f < rs.cantidadFilas(); ++f) {
        const QString grupo = rs.CampoDeFila(f, QStringLiteral("Grupo")).toString();
        auto it = lugar.constFind(grupo);
        if (it == lugar.constEnd()) {
            it = lugar.insert(grupo, int(grupos.size()));
            grupos << QStringList();
        }
        grupos[*it] << rs.CampoDeFila(f, QStringLiteral("RFC")).toString();
    }
    return grupos;
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

    // The fifty are fifty RFCs byte for byte. Only where the collation joins some does the
    // ranking group by the bytes too: elsewhere it stays the one that earlier reports came from,
    // ties and all.
    const QList<QStringList> unidos = RfcsQueLaColacionUne(cn_);
    host::Registros rsRanking;
    bases_.AbrirTabla(rsRanking, cn_,
                      QStringLiteral("tmptempoieps GROUP BY ")
                          + (unidos.isEmpty() ? QStringLiteral("RFC") : QStringLiteral("RFC,BINARY RFC"))
                          + QStringLiteral(" ORDER BY Importes DESC LIMIT 50"),
                      QStringLiteral("RFC,SUM(Importe) as Importes"));
    const QString tipo = blSonCtes ? QStringLiteral("C") : QStringLiteral("P");
    QSet<QString> anotados; // RFC and field, once each
    // An amount field as the report writes it, told to the review when it is not in plain digits.
    const auto importe = [&](const char *columna, const QString &campo) {
        const QString texto = NumeroDe(rsDetalle, columna);
        const QString rfc = TextoDe(rsDetalle, "RFC");
        if (SinCifras(texto) && !anotados.contains(rfc + QLatin1Char('|') + campo)) {
            anotados.insert(rfc + QLatin1Char('|') + campo);
            estado_.revision.AnotarDato(Revision::Dato::ImporteSinCifras, rfc, QVariant(),
                                 rsDetalle.Campo(QStringLiteral("Nombre")), campo + QStringLiteral(": ") + texto);
        }
        AgregarCampo(texto, false);
    };
    QSet<QString> escritos;
    while (!rsRanking.Eof()) {
        comprobarCancelacion();
        estado_.rfcsDelReporte.insert(TextoDe(rsRanking, "RFC").toUpper());
        escritos.insert(TextoDe(rsRanking, "RFC"));
        bases_.AbrirTabla(rsDetalle, cn_,
                          QStringLiteral("tmptempoieps WHERE ") + RfcIgualA(cn_, TextoDe(rsRanking, "RFC"), estado_.juegoRfc));
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
    estado_.rfcsEscritos = int(escritos.size());
    for (const QStringList &grupo : unidos) {
        QStringList enElReporte;
        for (const QString &rfc : grupo) {
            if (escritos.contains(rfc))
                enElReporte << rfc;
        }
        if (enElReporte.size() > 1)
            estado_.repetidos.AnotarRfcsUnidos(enElReporte);
    }
}

} // namespace engine

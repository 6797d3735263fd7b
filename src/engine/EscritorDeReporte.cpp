#include "EscritorDeReporte.h"

#include "Acumulador.h"
#include "ArchivoDeSalida.h"
#include "BasesDD.h"
#include "CamposDelReporte.h"
#include "Conexion.h"
#include "Formatos.h"
#include "Registros.h"
#include "Revision.h"
#include "RevisionDeRepetidos.h"

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

EscritorDeReporte::EscritorDeReporte(host::BasesDD &bases, host::Conexion &cn, const QString &juegoRfc,
                                     Revision &revision, RevisionDeRepetidos &repetidos)
    : bases_(bases)
    , cn_(cn)
    , juegoRfc_(juegoRfc)
    , revision_(revision)
    , repetidos_(repetidos)
{
}

void EscritorDeReporte::Escribir(host::ArchivoDeSalida &archivo, host::Registros &rsDetalle, bool blSonCtes,
                                 const std::function<void()> &comprobarCancelacion)
{
    enMayusculas_.clear();
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
    // A figure as the report writes it, told to the review when it is not in plain digits.
    const auto cifra = [&](const Campo &c) {
        const QString texto = NumeroDe(rsDetalle, c.columna);
        const QString rfc = TextoDe(rsDetalle, "RFC");
        const QString campo = QStringLiteral("campo %1 (%2)").arg(c.posicion + 1).arg(QString::fromUtf8(c.nombre));
        if (SinCifras(texto) && !anotados.contains(rfc + QLatin1Char('|') + campo)) {
            anotados.insert(rfc + QLatin1Char('|') + campo);
            revision_.AnotarDato(Revision::Dato::ImporteSinCifras, rfc, QVariant(),
                                 rsDetalle.Campo(QStringLiteral("Nombre")), campo + QStringLiteral(": ") + texto);
        }
        return texto;
    };
    const auto texto = [&](const Campo &c) {
        switch (c.forma) {
        case FormaDeCampo::Tipo:
            return tipo;
        case FormaDeCampo::Cifra:
            return cifra(c);
        case FormaDeCampo::Presentacion:
            // The column is single precision: format the single-precision number it holds.
            return FormatoTresDecimales(double(float(ValorDe(rsDetalle, c.columna).toDouble())));
        case FormaDeCampo::Texto:
        case FormaDeCampo::Codigo:
            return c.columna ? TextoDe(rsDetalle, c.columna) : QString::fromLatin1(c.fijo);
        case FormaDeCampo::Vacio:
            break;
        }
        return QString();
    };
    QSet<QString> escritos;
    while (!rsRanking.Eof()) {
        comprobarCancelacion();
        enMayusculas_.insert(TextoDe(rsRanking, "RFC").toUpper());
        escritos.insert(TextoDe(rsRanking, "RFC"));
        bases_.AbrirTabla(rsDetalle, cn_,
                          QStringLiteral("tmptempoieps WHERE ") + RfcIgualA(cn_, TextoDe(rsRanking, "RFC"), juegoRfc_));
        while (!rsDetalle.Eof()) {
            QString renglon;
            for (const Campo &c : CamposDelReporte())
                renglon += texto(c) + QLatin1Char('|');
            archivo.EscribirLinea(renglon);
            rsDetalle.MoveNext();
        }
        rsRanking.MoveNext();
    }
    bases_.CierraTabla(rsRanking);
    escritos_ = int(escritos.size());
    for (const QStringList &grupo : unidos) {
        QStringList enElReporte;
        for (const QString &rfc : grupo) {
            if (escritos.contains(rfc))
                enElReporte << rfc;
        }
        if (enElReporte.size() > 1)
            repetidos_.AnotarRfcsUnidos(enElReporte);
    }
}

} // namespace engine

// The report file: one "|"-separated line of 26 fields per work-table row of the fifty RFCs
// with the largest amounts.
#include "clsRepIEPS.h"

#include "ArchivoDeSalida.h"
#include "BasesDD.h"
#include "Conexion.h"
#include "Errores.h"
#include "Formatos.h"

namespace engine {

namespace {
QString TextoDe(const host::Registros &rs, const char *columna)
{
    const QVariant v = rs.Campo(QLatin1String(columna));
    if (v.isNull())
        throw host::errores::usoNoValidoDeNull();
    return ValorComoTexto(v);
}

QString NumeroDe(const host::Registros &rs, const char *columna)
{
    const QVariant v = rs.Campo(QLatin1String(columna));
    if (v.isNull())
        throw host::errores::usoNoValidoDeNull();
    return NumeroGeneral(v.toDouble());
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

void clsRepIEPS::GenerarArchivoReporte(const QString &stRuta, host::Registros &rsDetalle, bool blSonCtes)
{
    // Written beside its final name and renamed into place, so that a failed run never leaves
    // half a report where an earlier one was.
    host::ArchivoDeSalida archivo(stRuta, host::ArchivoDeSalida::Modo::Reemplazar);

    host::Registros rsRanking;
    bases_.AbrirTabla(rsRanking, cn_, QStringLiteral("tmptempoieps GROUP BY RFC ORDER BY Importes DESC LIMIT 50"),
                      QStringLiteral("RFC,SUM(Importe) as Importes"));
    const QString tipo = blSonCtes ? QStringLiteral("C") : QStringLiteral("P");
    while (!rsRanking.Eof()) {
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
            AgregarCampo(NumeroDe(rsDetalle, "CantidadFactura"), false);
            AgregarCampo(QStringLiteral("005"), false);
            const QVariant presentacion = rsDetalle.Campo(QStringLiteral("Presentacion"));
            if (presentacion.isNull())
                throw host::errores::usoNoValidoDeNull();
            // The column is single precision: format the single-precision number it holds.
            AgregarCampo(FormatoTresDecimales(double(float(presentacion.toDouble()))), false);
            AgregarCampo(QStringLiteral("004"), false);
            AgregarCampo(NumeroDe(rsDetalle, "Importe"), false);
            AgregarCampo(QStringLiteral("0"), false);
            AgregarCampo(NumeroDe(rsDetalle, "IEPS"), false);
            AgregarCampo(NumeroDe(rsDetalle, "IVA"), false);
            for (int vacio = 17; vacio <= 26; ++vacio)
                AgregarCampo(QString(), false);
            archivo.EscribirLinea(stRenglon_);
            rsDetalle.MoveNext();
        }
        rsRanking.MoveNext();
    }
    archivo.Terminar();
    bases_.CierraTabla(rsRanking);
}

} // namespace engine

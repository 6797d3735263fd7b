#include "FuentePorPeriodo.h"

#include "Conexion.h"
#include "Registros.h"

#include <QSet>

namespace engine {

namespace {
// The batch reads add the key they are matched by as a last column under this name.
const QString ClaveDelLote = QStringLiteral("ClaveDelLote");

QString Lista(const QList<qint64> &valores)
{
    QString r;
    r.reserve(valores.size() * 8);
    for (qint64 v : valores) {
        if (!r.isEmpty())
            r += QLatin1Char(',');
        r += QString::number(v);
    }
    return r;
}

// Consecutive rows with the same key, by key.
QHash<qint64, QPair<int, int>> Tramos(const host::Registros &rs, const QString &columna)
{
    QHash<qint64, QPair<int, int>> r;
    const int n = rs.cantidadFilas();
    int inicio = 0;
    while (inicio < n) {
        const qint64 clave = rs.CampoDeFila(inicio, columna).toLongLong();
        int fin = inicio + 1;
        while (fin < n && rs.CampoDeFila(fin, columna).toLongLong() == clave)
            ++fin;
        r.insert(clave, qMakePair(inicio, fin));
        inicio = fin;
    }
    return r;
}
} // namespace

FuentePorPeriodo::FuentePorPeriodo(host::Conexion &cn, const Lado &lado, const host::Registros &pagos,
                                   QStringList llaveAnexos, int pagosPorLote)
    : cn_(cn)
    , lado_(lado)
    , pagos_(pagos)
    , llaveAnexos_(std::move(llaveAnexos))
    , pagosPorLote_(pagosPorLote > 0 ? pagosPorLote : 1)
{
}

void FuentePorPeriodo::LeerLote(int desde)
{
    loteDesde_ = desde;
    loteHasta_ = qMin(desde + pagosPorLote_, pagos_.cantidadFilas());
    anexosDelFolio_.clear();
    documento_.clear();
    detalleDelDocumento_.clear();
    rsDocumentos_.Cerrar();
    rsDetalle_.Cerrar();

    QList<qint64> folios;
    QSet<qint64> vistos;
    for (int i = loteDesde_; i < loteHasta_; ++i) {
        const qint64 folio = pagos_.CampoDeFila(i, QStringLiteral("Folio")).toLongLong();
        if (!vistos.contains(folio)) {
            vistos.insert(folio);
            folios << folio;
        }
    }

    // The links, each payment's in the order of the table's primary key: the order in which
    // the server returns them to a statement that asks for one folio.
    const QString documento = QLatin1String(lado_.documentoDelAnexo);
    rsAnexos_.Abrir(cn_,
                    QStringLiteral("SELECT FolioDelPago,Cantidad,") + documento + QStringLiteral(" FROM ")
                        + QLatin1String(lado_.anexos) + QStringLiteral(" WHERE ") + documento
                        + QStringLiteral("<>0 AND FolioDelPago IN (") + Lista(folios)
                        + QStringLiteral(") ORDER BY FolioDelPago,") + llaveAnexos_.join(QLatin1Char(',')),
                    QString());
    anexosDelFolio_ = Tramos(rsAnexos_, QStringLiteral("FolioDelPago"));

    QList<qint64> documentos;
    vistos.clear();
    for (int i = 0; i < rsAnexos_.cantidadFilas(); ++i) {
        const qint64 d = rsAnexos_.CampoDeFila(i, documento).toLongLong();
        if (!vistos.contains(d)) {
            vistos.insert(d);
            documentos << d;
        }
    }
    if (documentos.isEmpty())
        return;

    const QString claveDocumento = QLatin1String(lado_.claveDocumento);
    rsDocumentos_.Abrir(cn_,
                        QStringLiteral("SELECT ") + QLatin1String(lado_.columnasDocumento) + QLatin1Char(',')
                            + claveDocumento + QStringLiteral(" AS ") + ClaveDelLote + QStringLiteral(" FROM ")
                            + QLatin1String(lado_.documentos) + QStringLiteral(" WHERE ") + claveDocumento
                            + QStringLiteral(" IN (") + Lista(documentos)
                            + QStringLiteral(") AND ImpuestoAd<>0 AND Cancelada=0"),
                        QString());
    QList<qint64> califican;
    for (int i = 0; i < rsDocumentos_.cantidadFilas(); ++i) {
        const qint64 d = rsDocumentos_.CampoDeFila(i, ClaveDelLote).toLongLong();
        documento_.insert(d, i);
        califican << d;
    }
    if (califican.isEmpty())
        return;

    const QString claveDetalle = QLatin1String(lado_.detalle) + QLatin1Char('.') + QLatin1String(lado_.claveDetalle);
    rsDetalle_.Abrir(cn_,
                     QStringLiteral("SELECT ") + QLatin1String(lado_.columnasDetalle) + QLatin1Char(',') + claveDetalle
                         + QStringLiteral(" AS ") + ClaveDelLote + QStringLiteral(" FROM ")
                         + QLatin1String(lado_.productos) + QStringLiteral(" WHERE ") + QLatin1String(lado_.detalle)
                         + QStringLiteral(".ImpuestoAd<>0 AND ") + claveDetalle + QStringLiteral(" IN (")
                         + Lista(califican) + QStringLiteral(") ORDER BY ") + claveDetalle
                         + QStringLiteral(",Partida"),
                     QString());
    detalleDelDocumento_ = Tramos(rsDetalle_, ClaveDelLote);
}

Tramo FuentePorPeriodo::Anexos(int indice, const Pago &pago)
{
    if (indice < loteDesde_ || indice >= loteHasta_)
        LeerLote(indice);
    const auto it = anexosDelFolio_.constFind(pago.folio.toLongLong());
    if (it == anexosDelFolio_.constEnd())
        return Tramo();
    return Tramo(rsAnexos_, it->first, it->second);
}

Tramo FuentePorPeriodo::Documento(const QVariant &documento)
{
    const auto it = documento_.constFind(documento.toLongLong());
    if (it == documento_.constEnd())
        return Tramo();
    return Tramo(rsDocumentos_, it.value(), it.value() + 1);
}

Tramo FuentePorPeriodo::Detalle(const QVariant &documento)
{
    const auto it = detalleDelDocumento_.constFind(documento.toLongLong());
    if (it == detalleDelDocumento_.constEnd())
        return Tramo();
    return Tramo(rsDetalle_, it->first, it->second);
}

bool FuentePorPeriodo::NombreDeLinea(int idLinea, QVariant &nombre)
{
    if (!lineasLeidas_) {
        host::Registros rs;
        rs.Abrir(cn_, QStringLiteral("SELECT Id,Linea FROM lineas"), QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i)
            lineas_.insert(rs.CampoDeFila(i, QStringLiteral("Id")).toLongLong(), rs.CampoDeFila(i, QStringLiteral("Linea")));
        lineasLeidas_ = true;
    }
    const auto it = lineas_.constFind(idLinea);
    if (it == lineas_.constEnd()) {
        nombre = QVariant();
        return false;
    }
    nombre = it.value();
    return true;
}

void FuentePorPeriodo::Cerrar()
{
    rsAnexos_.Cerrar();
    rsDocumentos_.Cerrar();
    rsDetalle_.Cerrar();
    anexosDelFolio_.clear();
    documento_.clear();
    detalleDelDocumento_.clear();
    lineas_.clear();
    lineasLeidas_ = false;
    loteDesde_ = loteHasta_ = 0;
}

} // namespace engine

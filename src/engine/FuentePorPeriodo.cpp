#include "FuentePorPeriodo.h"

#include "BasesDD.h"
#include "Conexion.h"
#include "Registros.h"

namespace engine {

namespace {
// The batch reads add the key they are matched by as a last column under this name, and the
// detail read the values its order ties are judged by.
const QString ClaveDelLote = QStringLiteral("ClaveDelLote");
const QString PartidaDelLote = QStringLiteral("PartidaDelLote");
const QString PesoDelLote = QStringLiteral("PesoDelLote");
const QString CuentaDelLote = QStringLiteral("CuentaDelLote");

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

// A text without its trailing blanks, which the server's comparisons ignore.
QString SinBlancosFinales(QString texto)
{
    while (texto.endsWith(QLatin1Char(' ')))
        texto.chop(1);
    return texto;
}
} // namespace

FuentePorPeriodo::FuentePorPeriodo(host::BasesDD &bases, host::Conexion &cn, const Lado &lado,
                                   const host::Registros &pagos, const EleccionDeLectura &eleccion, int pagosPorLote)
    : bases_(bases)
    , cn_(cn)
    , lado_(lado)
    , pagos_(pagos)
    , llaveAnexos_(eleccion.llaveAnexos)
    , dudaAnexos_(eleccion.dudaAnexos)
    , partidaNumerica_(eleccion.partidaNumerica)
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
    documentosRepetidos_.clear();
    detallesEmpatados_.clear();
    anexosSolos_.clear();
    documentosSolos_.clear();
    detallesSolos_.clear();
    existentes_.clear();
    conLineas_.clear();
    rsDocumentos_.Cerrar();
    rsDetalle_.Cerrar();

    QList<qint64> folios;
    QList<QVariant> valoresDeFolio; // as the payment query gave them
    QSet<qint64> vistos;
    for (int i = loteDesde_; i < loteHasta_; ++i) {
        const QVariant valor = pagos_.CampoDeFila(i, QStringLiteral("Folio"));
        const qint64 folio = valor.toLongLong();
        if (!vistos.contains(folio)) {
            vistos.insert(folio);
            folios << folio;
            valoresDeFolio << valor;
        }
    }

    // The links, each payment's in the order of the table's primary key when that is the order
    // in which the server returns them to a statement that asks for one folio; otherwise only
    // which links each payment has counts here.
    const QString documento = QLatin1String(lado_.documentoDelAnexo);
    rsAnexos_.Abrir(cn_,
                    QStringLiteral("SELECT FolioDelPago,Cantidad,") + documento + QStringLiteral(" FROM ")
                        + QLatin1String(lado_.anexos) + QStringLiteral(" WHERE ") + lado_.AnexoCuenta()
                        + QStringLiteral(" AND FolioDelPago IN (") + Lista(folios)
                        + QStringLiteral(") ORDER BY FolioDelPago")
                        + (llaveAnexos_.isEmpty() ? QString() : QLatin1Char(',') + llaveAnexos_.join(QLatin1Char(','))),
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

    // Every linked document comes back, with whether it counts: a link to a key that no row has
    // is a payment that went nowhere.
    const QString claveDocumento = QLatin1String(lado_.claveDocumento);
    rsDocumentos_.Abrir(cn_,
                        QStringLiteral("SELECT ") + QLatin1String(lado_.columnasDocumento) + QLatin1Char(',')
                            + claveDocumento + QStringLiteral(" AS ") + ClaveDelLote + QStringLiteral(",(")
                            + Lado::DocumentoCuenta() + QStringLiteral(") AS ") + CuentaDelLote
                            + QStringLiteral(" FROM ") + QLatin1String(lado_.documentos) + QStringLiteral(" WHERE ")
                            + claveDocumento + QStringLiteral(" IN (") + Lista(documentos) + QLatin1Char(')'),
                        QString());
    QList<qint64> califican;
    for (int i = 0; i < rsDocumentos_.cantidadFilas(); ++i) {
        const qint64 d = rsDocumentos_.CampoDeFila(i, ClaveDelLote).toLongLong();
        existentes_.insert(d);
        if (rsDocumentos_.CampoDeFila(i, CuentaDelLote).toInt() == 0)
            continue;
        // Two documents under one key: the per-row statement's LIMIT 1 decides which one counts.
        if (documento_.contains(d)) {
            documentosRepetidos_.insert(d);
            continue;
        }
        documento_.insert(d, i);
        califican << d;
    }
    if (llaveAnexos_.isEmpty())
        LeerAnexosEnDuda(valoresDeFolio);
    if (califican.isEmpty())
        return;

    const QString detalle = QLatin1String(lado_.detalle);
    const QString claveDetalle = lado_.ClaveDelDetalle();
    rsDetalle_.Abrir(cn_,
                     QStringLiteral("SELECT ") + QLatin1String(lado_.columnasDetalle) + QLatin1Char(',') + claveDetalle
                         + QStringLiteral(" AS ") + ClaveDelLote + QLatin1Char(',') + detalle
                         + QStringLiteral(".Partida AS ") + PartidaDelLote
                         + (partidaNumerica_ ? QString()
                                             : QStringLiteral(",HEX(WEIGHT_STRING(") + detalle
                                                   + QStringLiteral(".Partida)) AS ") + PesoDelLote)
                         + QStringLiteral(" FROM ") + QLatin1String(lado_.productos) + QStringLiteral(" WHERE ")
                         + lado_.DetalleCuenta() + QStringLiteral(" AND ") + claveDetalle + QStringLiteral(" IN (")
                         + Lista(califican) + QStringLiteral(") ORDER BY ") + claveDetalle + QLatin1Char(',')
                         + Lado::OrdenDelDetalle(),
                     QString());
    detalleDelDocumento_ = Tramos(rsDetalle_, ClaveDelLote);
    // Documents without lines that carry IEPS: which of them have lines at all (seldom asked).
    QList<qint64> sinDetalle;
    for (const qint64 d : califican) {
        if (!detalleDelDocumento_.contains(d))
            sinDetalle << d;
    }
    if (!sinDetalle.isEmpty()) {
        host::Registros rs;
        rs.Abrir(cn_,
                 QStringLiteral("SELECT DISTINCT ") + claveDetalle + QStringLiteral(" AS ") + ClaveDelLote
                     + QStringLiteral(" FROM ") + detalle + QStringLiteral(" WHERE ") + claveDetalle
                     + QStringLiteral(" IN (") + Lista(sinDetalle) + QLatin1Char(')'),
                 QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i)
            conLineas_.insert(rs.CampoDeFila(i, ClaveDelLote).toLongLong());
    }
    // Lines of one document that tie on Partida come in an order the server chooses anew for
    // each statement.
    for (auto it = detalleDelDocumento_.constBegin(); it != detalleDelDocumento_.constEnd(); ++it) {
        for (int fila = it->first + 1; fila < it->second; ++fila) {
            if (Empatan(fila - 1, fila)) {
                detallesEmpatados_.insert(it.key());
                break;
            }
        }
    }
}

void FuentePorPeriodo::LeerAnexosEnDuda(const QList<QVariant> &folios)
{
    // A link whose document does not qualify leaves no trace, so the order of a payment's links
    // shows only where two or more of them name a qualifying document (or a key in doubt, which
    // qualifies too). Such a payment is read with the per-row statement itself, so that its links
    // come in the order that statement gives. The server runs every statement of a text as if it
    // came alone and answers them in order: many payments cost one round trip.
    const int porEnvio = 500; // about 50 KB of text, far below any server's packet limit
    const QString documento = QLatin1String(lado_.documentoDelAnexo);
    QList<qint64> claves;
    QStringList consultas;
    for (const QVariant &valor : folios) {
        const qint64 folio = valor.toLongLong();
        const auto it = anexosDelFolio_.constFind(folio);
        if (it == anexosDelFolio_.constEnd())
            continue;
        int cuentan = 0;
        for (int fila = it->first; fila < it->second; ++fila) {
            const qint64 d = rsAnexos_.CampoDeFila(fila, documento).toLongLong();
            if (documento_.contains(d) || documentosRepetidos_.contains(d))
                ++cuentan;
        }
        if (cuentan < 2)
            continue;
        claves << folio;
        consultas << host::ConsultaDeTabla(lado_.DesdeAnexos(valor), lado_.ColumnasAnexos());
    }
    for (int desde = 0; desde < consultas.size(); desde += porEnvio) {
        QVector<host::Registros> leidos = host::Registros::AbrirVarias(cn_, consultas.mid(desde, porEnvio));
        for (int i = 0; i < leidos.size(); ++i)
            anexosSolos_.insert(claves[desde + i], std::make_shared<host::Registros>(std::move(leidos[i])));
        ++enviosDeAnexos_;
    }
    pagosSolos_ += claves.size();
}

bool FuentePorPeriodo::Empatan(int fila, int otra) const
{
    const QVariant a = rsDetalle_.CampoDeFila(fila, PartidaDelLote);
    const QVariant b = rsDetalle_.CampoDeFila(otra, PartidaDelLote);
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (partidaNumerica_)
        return a.toDouble() == b.toDouble();
    // Equal sort weights under the column's collation; equal texts but for case and trailing
    // blanks are taken as a tie too, in case the weights tell apart what the sort does not.
    return rsDetalle_.CampoDeFila(fila, PesoDelLote) == rsDetalle_.CampoDeFila(otra, PesoDelLote)
           || SinBlancosFinales(a.toString()).compare(SinBlancosFinales(b.toString()), Qt::CaseInsensitive) == 0;
}

host::Registros &FuentePorPeriodo::Solo(QHash<qint64, std::shared_ptr<host::Registros>> &leidos, qint64 clave,
                                        const QString &desde, const QString &columnas)
{
    std::shared_ptr<host::Registros> &rs = leidos[clave];
    if (!rs) {
        auto nuevo = std::make_shared<host::Registros>();
        bases_.AbrirTabla(*nuevo, cn_, desde, columnas);
        rs = std::move(nuevo);
    }
    return *rs;
}

Tramo FuentePorPeriodo::Anexos(int indice, const Pago &pago)
{
    if (indice < loteDesde_ || indice >= loteHasta_)
        LeerLote(indice);
    const qint64 folio = pago.folio.toLongLong();
    const auto it = anexosDelFolio_.constFind(folio);
    if (it == anexosDelFolio_.constEnd())
        return Tramo();
    // Read with the per-row statement when the order of the links could show.
    const auto solo = anexosSolos_.constFind(folio);
    if (solo != anexosSolos_.constEnd())
        return Tramo(**solo);
    return Tramo(rsAnexos_, it->first, it->second);
}

Tramo FuentePorPeriodo::Documento(const QVariant &documento)
{
    const qint64 d = documento.toLongLong();
    if (documentosRepetidos_.contains(d)) {
        if (!documentosSolos_.contains(d))
            ++documentosLeidosSolos_;
        const host::Registros &rs =
            Solo(documentosSolos_, d, lado_.DesdeDocumento(documento), QLatin1String(lado_.columnasDocumento));
        return rs.cantidadFilas() > 0 ? Tramo(rs, 0, 1) : Tramo();
    }
    const auto it = documento_.constFind(d);
    if (it == documento_.constEnd())
        return Tramo();
    return Tramo(rsDocumentos_, it.value(), it.value() + 1);
}

Tramo FuentePorPeriodo::Detalle(const QVariant &documento)
{
    const qint64 d = documento.toLongLong();
    if (detallesEmpatados_.contains(d)) {
        if (!detallesSolos_.contains(d))
            ++detallesLeidosSolos_;
        return Tramo(Solo(detallesSolos_, d, lado_.DesdeDetalle(documento), QLatin1String(lado_.columnasDetalle)));
    }
    const auto it = detalleDelDocumento_.constFind(d);
    if (it == detalleDelDocumento_.constEnd())
        return Tramo();
    return Tramo(rsDetalle_, it->first, it->second);
}

bool FuentePorPeriodo::DocumentoExiste(const QVariant &documento)
{
    return existentes_.contains(documento.toLongLong());
}

bool FuentePorPeriodo::DocumentoTieneLineas(const QVariant &documento)
{
    const qint64 d = documento.toLongLong();
    return detalleDelDocumento_.contains(d) || detallesEmpatados_.contains(d) || conLineas_.contains(d);
}

bool FuentePorPeriodo::NombreDeLinea(int idLinea, QVariant &nombre)
{
    if (!lineasLeidas_) {
        host::Registros rs;
        rs.Abrir(cn_, QStringLiteral("SELECT Id,Linea FROM lineas"), QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i) {
            const qint64 id = rs.CampoDeFila(i, QStringLiteral("Id")).toLongLong();
            if (lineas_.contains(id))
                lineasRepetidas_.insert(id);
            else
                lineas_.insert(id, rs.CampoDeFila(i, QStringLiteral("Linea")));
        }
        lineasLeidas_ = true;
    }
    if (lineasRepetidas_.contains(idLinea)) {
        // The per-row statement's LIMIT 1 decides which of the rows names the line.
        if (!lineasSolas_.contains(idLinea))
            ++lineasLeidasSolas_;
        const host::Registros &rs = Solo(lineasSolas_, idLinea, DesdeLinea(idLinea), QStringLiteral("Linea"));
        nombre = rs.cantidadFilas() > 0 ? rs.CampoDeFila(0, QStringLiteral("Linea")) : QVariant();
        return rs.cantidadFilas() > 0;
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
    documentosRepetidos_.clear();
    detallesEmpatados_.clear();
    existentes_.clear();
    conLineas_.clear();
    anexosSolos_.clear();
    documentosSolos_.clear();
    detallesSolos_.clear();
    lineasSolas_.clear();
    lineas_.clear();
    lineasRepetidas_.clear();
    lineasLeidas_ = false;
    loteDesde_ = loteHasta_ = 0;
}

QStringList FuentePorPeriodo::Dudas() const
{
    QStringList r;
    if (pagosSolos_ > 0)
        r << QStringLiteral("pagos con dos o más vínculos a documentos con IEPS, leídos uno por uno: %1, en %2 al "
                            "servidor (%3: no se sabe en qué orden da el servidor los vínculos de un pago)")
                 .arg(pagosSolos_)
                 .arg(enviosDeAnexos_ == 1 ? QStringLiteral("1 envío") : QStringLiteral("%1 envíos").arg(enviosDeAnexos_))
                 .arg(dudaAnexos_);
    if (documentosLeidosSolos_ > 0)
        r << QStringLiteral("documentos cuya llave se repite, leídos uno por uno: %1").arg(documentosLeidosSolos_);
    if (detallesLeidosSolos_ > 0)
        r << QStringLiteral("documentos con dos líneas en la misma Partida, leídos uno por uno: %1").arg(detallesLeidosSolos_);
    if (lineasLeidasSolas_ > 0)
        r << QStringLiteral("líneas de productos cuyo Id se repite, leídas una por una: %1").arg(lineasLeidasSolas_);
    return r;
}

} // namespace engine

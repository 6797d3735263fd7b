#include "RevisionDeRepetidos.h"

#include "Acumulador.h"
#include "Conexion.h"
#include "Formatos.h"
#include "Registros.h"

namespace engine {

namespace {
// A kind of finding: what is wrong, and the problem's text, which goes on to say what it does.
struct Clase {
    QString tipo, problema;
};
Clase De(const QString &tipo, const QString &efecto)
{
    return {tipo, tipo + QStringLiteral(" (") + efecto + QLatin1Char(')')};
}
const QString PagosDeMas = QStringLiteral("sus pagos se suman una vez por cada renglón");
const Clase ClienteRepetido = De(QStringLiteral("clave de cliente repetida en el catálogo"), PagosDeMas);
const Clase ProveedorRepetido = De(QStringLiteral("clave de proveedor repetida en el catálogo"), PagosDeMas);
const Clase ProductoRepetido = De(QStringLiteral("clave de producto repetida en el catálogo"),
                                  QStringLiteral("sus líneas se suman una vez por cada renglón"));
const Clase RfcsUnidos = De(QStringLiteral("RFC del reporte que la base de datos no distingue de otro"),
                            QStringLiteral("el reporte lleva cada uno con sus líneas"));
} // namespace

void RevisionDeRepetidos::Limpiar(bool clientes)
{
    *this = RevisionDeRepetidos();
    clientes_ = clientes;
}

bool RevisionDeRepetidos::AnotarPago(const QVariant &id, const QVariant &clave, const QString &rfc,
                                     const QVariant &nombre)
{
    rfcActual_ = rfc;
    // A payment without its party came through the join once.
    if (clave.isNull() || id.isNull())
        return true;
    const qint64 n = id.toLongLong();
    auto pago = pagos_.find(n);
    if (pago == pagos_.end()) {
        auto it = parteDe_.constFind(Texto(clave));
        if (it == parteDe_.constEnd()) {
            it = parteDe_.insert(Texto(clave), int(partes_.size()));
            partes_ << Parte{Texto(clave), Texto(nombre), {}};
        }
        Parte &p = partes_[*it];
        ++p.pagos;
        if (!p.rfcs.contains(rfc))
            p.rfcs << rfc;
        pagos_.insert(n, qMakePair(*it, 1));
        return true;
    }
    Parte &p = partes_[pago->first];
    p.renglones = qMax(p.renglones, ++pago->second);
    if (!p.rfcs.contains(rfc))
        p.rfcs << rfc;
    return false;
}

void RevisionDeRepetidos::EmpezarDocumento()
{
    for (const int i : std::as_const(enDocumento_)) {
        Producto &p = productos_[i];
        if (!p.dosVecesEnUnDocumento && !p.unaVez) {
            p.unaVez = true;
            p.rfcs.clear();
            p.lineas.clear();
        }
    }
    enDocumento_.clear();
}

void RevisionDeRepetidos::AnotarLinea(const QVariant &producto, const QString &clave5, const QString &claveGen,
                                      const QVariant &pedimento)
{
    if (pedimento.isNull() || producto.isNull())
        return;
    const QString clave = Texto(producto);
    auto it = productoDe_.constFind(clave);
    if (it == productoDe_.constEnd()) {
        it = productoDe_.insert(clave, int(productos_.size()));
        productos_ << Producto{clave, {}, {}};
    }
    Producto &p = productos_[*it];
    if (p.unaVez)
        return;
    // A line doubled by the join comes twice in its document; so may two lines of one product,
    // which the catalogue tells apart.
    if (enDocumento_.contains(*it))
        p.dosVecesEnUnDocumento = true;
    else
        enDocumento_.insert(*it);

    auto presentacion = presentaciones_.constFind(pedimento.toString());
    if (presentacion == presentaciones_.constEnd())
        presentacion = presentaciones_.insert(
            pedimento.toString(), FormatoTresDecimales(double(PresentacionSimple(PresentacionDelGrupo(pedimento)))));
    auto lineas = p.lineas.find(rfcActual_);
    if (lineas == p.lineas.end()) {
        p.rfcs << rfcActual_;
        lineas = p.lineas.insert(rfcActual_, {});
    }
    const QString linea =
        QStringLiteral("Campo 5 %1, clave genérica %2, presentación %3").arg(clave5, claveGen, *presentacion);
    if (!lineas->contains(linea))
        *lineas << linea;
}

void RevisionDeRepetidos::BuscarProductos(host::Conexion &cn)
{
    QList<int> dudosos;
    for (int i = 0; i < productos_.size(); ++i) {
        if (productos_.at(i).dosVecesEnUnDocumento)
            dudosos << i;
    }
    // The server compares the keys as its join does; FIELD names the first key each row matches.
    const int porSentencia = 500;
    for (int desde = 0; desde < dudosos.size(); desde += porSentencia) {
        const QList<int> parte = dudosos.mid(desde, porSentencia);
        QStringList literales;
        for (const int i : parte)
            literales << cn.Literal(productos_.at(i).clave);
        const QString lista = literales.join(QLatin1Char(','));
        host::Registros rs;
        rs.Abrir(cn,
                 QStringLiteral("SELECT FIELD(Clave,%1) AS n,COUNT(*) AS renglones FROM productos WHERE Clave IN (%1) "
                                "GROUP BY n HAVING COUNT(*)>1")
                     .arg(lista),
                 QString());
        for (int f = 0; f < rs.cantidadFilas(); ++f) {
            const int n = rs.CampoDeFila(f, QStringLiteral("n")).toInt();
            if (n >= 1 && n <= parte.size())
                productos_[parte.at(n - 1)].renglones = rs.CampoDeFila(f, QStringLiteral("renglones")).toInt();
        }
    }
}

void RevisionDeRepetidos::AnotarRfcsUnidos(const QStringList &rfcs)
{
    unidos_ << rfcs;
}

QList<Hallazgo> RevisionDeRepetidos::Hallazgos(const QSet<QString> &rfcsDelReporte) const
{
    const auto enReporte = [&](const QString &rfc) { return rfcsDelReporte.contains(RfcComoEnElReporte(rfc)); };
    const auto renglones = [](int n) { return QStringLiteral("%1 renglones en el catálogo").arg(n); };
    QList<Hallazgo> r;
    const Clase &parte = clientes_ ? ClienteRepetido : ProveedorRepetido;
    for (const Parte &p : partes_) {
        if (p.renglones < 2)
            continue;
        const QString detalle = renglones(p.renglones)
                                + (p.pagos == 1 ? QStringLiteral("; 1 pago, sumado %1 veces").arg(p.renglones)
                                                : QStringLiteral("; %1 pagos, cada uno sumado %2 veces")
                                                      .arg(p.pagos)
                                                      .arg(p.renglones));
        for (const QString &rfc : p.rfcs)
            r << Hallazgo{parte.tipo, parte.problema, rfc, {p.clave}, p.nombre, detalle, enReporte(rfc)};
    }
    for (const Producto &p : productos_) {
        if (p.renglones < 2)
            continue;
        const QString producto = QStringLiteral("producto %1, ").arg(p.clave) + renglones(p.renglones);
        int fuera = 0;
        for (const QString &rfc : p.rfcs) {
            if (!enReporte(rfc)) {
                ++fuera;
                continue;
            }
            // The catalogue's rows come through the join in no fixed order: the lines are sorted.
            QStringList lineas = p.lineas.value(rfc);
            lineas.sort();
            r << Hallazgo{ProductoRepetido.tipo, ProductoRepetido.problema, rfc, {}, QString(),
                          producto + QStringLiteral("; líneas del reporte: ") + lineas.join(QStringLiteral("; ")), true};
        }
        if (fuera == p.rfcs.size())
            r << Hallazgo{ProductoRepetido.tipo, ProductoRepetido.problema, p.rfcs.value(0), {}, QString(),
                          producto + QStringLiteral("; sus líneas son de %1 RFC fuera del reporte").arg(fuera), false};
    }
    for (const QStringList &rfcs : unidos_)
        r << Hallazgo{RfcsUnidos.tipo, RfcsUnidos.problema, rfcs.first(), {}, QString(),
                      QStringLiteral("la base de datos toma por uno: ") + rfcs.join(QStringLiteral(", ")), true};
    return r;
}

} // namespace engine

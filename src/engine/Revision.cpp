#include "Revision.h"

#include "Acumulador.h"
#include "ArchivoDeSalida.h"
#include "Cp1252.h"
#include "Formatos.h"
#include "RevisionDe69B.h"
#include "RevisionDeRfc.h"
#include "TextosDeTercero.h"

#include <algorithm>

namespace engine {

namespace {
const QString VariasClaves = QStringLiteral("un RFC con varias claves y nombres distintos");
const QString ParteFueraDeRango = QStringLiteral("parte del documento fuera de 0 % a 100 %");
const QString Inexistente = QStringLiteral("producto que no está en el catálogo");
const QString FueraDelCatalogo = QStringLiteral(
    "pago de un cliente o proveedor que no está en su catálogo (se reporta con RFC vacío y estado 00)");
const QString FolioRepetido =
    QStringLiteral("folio compartido por varios pagos (los documentos del folio se cuentan en cada pago)");
const QString NombreFueraDeCp1252 =
    QStringLiteral("nombre con caracteres que el reporte no puede escribir (se escriben como «?»)");
const QString NombreConSeparadores =
    QStringLiteral("nombre con «|» o caracteres de control (en el reporte se cambiaron por blancos)");
const QString SinInstantanea = QStringLiteral("tablas que no se pueden leer en un solo momento (si el punto de "
                                              "venta escribe durante la corrida, las cifras pueden mezclar momentos "
                                              "distintos)");

const QString PagoSinDocumento =
    QStringLiteral("pago aplicado a un documento que no existe (lo aplicado no llega al reporte)");
const QString PagoADocumentoSinLineas =
    QStringLiteral("pago aplicado a un documento sin líneas (lo aplicado no llega al reporte)");
const QString NumeroIlegible = QStringLiteral("número que no se puede leer (se tomó como 0)");
const QString ImporteSinCifras =
    QStringLiteral("importe que el reporte no puede escribir en cifras (se escribió con exponente)");
const QString FechaQueNoEsDia = QStringLiteral("fecha de pago que no es un día del calendario (el Log la deja en blanco)");

// The kind of a problem: its text without what is in parentheses.
QString TipoDe(const QString &problema)
{
    const int parentesis = problema.indexOf(QLatin1String(" ("));
    return parentesis < 0 ? problema : problema.left(parentesis);
}

constexpr int MaximoPorParte = 12;

void Agregar(QStringList &lista, const QString &texto)
{
    if (lista.size() < MaximoPorParte && !texto.isEmpty() && !lista.contains(texto))
        lista << texto;
}
} // namespace

void Revision::AnotarPago(const QVariant &folio, const QVariant &rfc, const QVariant &clave, const QVariant &nombre)
{
    if (folio.isNull())
        return;
    const qint64 numero = folio.toLongLong();
    auto it = folios_.find(numero);
    if (it == folios_.end()) {
        ordenFolios_ << numero;
        it = folios_.insert(numero, Folio{0, Texto(rfc), Texto(nombre), {}});
    }
    ++it->pagos;
    Agregar(it->claves, Texto(clave));
    if (clave.isNull())
        sinParte_ << numero;
}

void Revision::AnotarParte(const QVariant &rfc, const QVariant &clave, const QVariant &nombre)
{
    const QString texto = Texto(rfc);
    auto it = porRfc_.find(texto);
    if (it == porRfc_.end()) {
        ordenRfc_ << texto;
        it = porRfc_.insert(texto, Parte{texto, {}, {}});
    }
    Agregar(it->claves, Texto(clave));
    Agregar(it->nombres, Texto(nombre));
}

void Revision::AnotarParteDelDocumento(const QVariant &rfc, const QVariant &clave, const QVariant &nombre,
                                       const QString &detalle)
{
    QStringList claves;
    if (!Texto(clave).isEmpty())
        claves << Texto(clave);
    partes_ << Hallazgo{ParteFueraDeRango, ParteFueraDeRango, Texto(rfc), claves, Texto(nombre), detalle, false};
}

void Revision::AnotarDato(Dato dato, const QVariant &rfc, const QVariant &clave, const QVariant &nombre,
                          const QString &detalle)
{
    static const QString problemas[] = {PagoSinDocumento, PagoADocumentoSinLineas, NumeroIlegible, ImporteSinCifras,
                                        FechaQueNoEsDia};
    const QString &problema = problemas[int(dato)];
    QStringList claves;
    if (!Texto(clave).isEmpty())
        claves << Texto(clave);
    datos_ << qMakePair(dato, Hallazgo{TipoDe(problema), problema, Texto(rfc), claves, Texto(nombre), detalle, false});
}

QList<Hallazgo> Revision::HallazgosDeDatos(const std::function<bool(const QString &)> &enReporte) const
{
    QList<QPair<Dato, Hallazgo>> datos = datos_;
    std::stable_sort(datos.begin(), datos.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<Hallazgo> r;
    for (auto &d : datos) {
        d.second.enReporte = enReporte(d.second.rfc);
        r << d.second;
    }
    return r;
}

QList<Hallazgo> Revision::Hallazgos(const QSet<QString> &rfcsDelReporte, const QStringList &inexistentes) const
{
    const auto enReporte = [&](const QString &rfc) { return rfcsDelReporte.contains(RfcComoEnElReporte(rfc)); };
    QList<Hallazgo> r = HallazgosDeDatos(enReporte);
    // The RFCs one by one; then the same RFC (as the report groups it) under several parties.
    QHash<QString, Parte> comoEnElReporte;
    QStringList orden;
    for (const QString &rfc : ordenRfc_) {
        const Parte &p = porRfc_[rfc];
        for (const QString &problema : ProblemasDeRfc(rfc))
            r << Hallazgo{TipoDe(problema), problema, rfc, p.claves, p.nombres.value(0), QString(), enReporte(rfc)};
        for (const QString &nombre : p.nombres) {
            if (std::any_of(nombre.cbegin(), nombre.cend(), tercero::RompeElRenglon))
                r << Hallazgo{TipoDe(NombreConSeparadores), NombreConSeparadores, rfc, p.claves, nombre, QString(),
                              enReporte(rfc)};
            // The name as written, and as it will be filed.
            const QString fuera = host::FueraDeCp1252(nombre);
            if (!fuera.isEmpty()) {
                QStringList puntos;
                for (const uint u : fuera.toUcs4())
                    puntos << QStringLiteral("U+") + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'));
                r << Hallazgo{TipoDe(NombreFueraDeCp1252), NombreFueraDeCp1252, rfc, p.claves, nombre,
                              QStringLiteral("se archiva como: %1 (no caben: %2)")
                                  .arg(host::DesdeCp1252(host::ACp1252(nombre)), puntos.join(QStringLiteral(", "))),
                              enReporte(rfc)};
            }
        }
        const QString grupo = RfcComoEnElReporte(rfc);
        if (!comoEnElReporte.contains(grupo)) {
            orden << grupo;
            comoEnElReporte.insert(grupo, Parte{rfc, {}, {}});
        }
        Parte &g = comoEnElReporte[grupo];
        for (const QString &c : p.claves)
            Agregar(g.claves, c);
        for (const QString &n : p.nombres)
            Agregar(g.nombres, tercero::QuitarEspaciosDobles(n));
    }
    for (const QString &grupo : orden) {
        const Parte &g = comoEnElReporte[grupo];
        const bool generico = grupo.isEmpty() || EsRfcGenerico(grupo);
        if (!generico && g.claves.size() > 1 && g.nombres.size() > 1)
            r << Hallazgo{VariasClaves, VariasClaves, g.rfc, g.claves, g.nombres.join(QStringLiteral(" / ")), QString(),
                          enReporte(g.rfc)};
    }
    for (Hallazgo h : partes_) {
        h.enReporte = enReporte(h.rfc);
        r << h;
    }
    for (const qint64 folio : sinParte_)
        r << Hallazgo{FueraDelCatalogo, FueraDelCatalogo, QString(), {}, QString(), QStringLiteral("folio %1").arg(folio),
                      enReporte(QString())};
    for (const qint64 folio : ordenFolios_) {
        const Folio &f = folios_[folio];
        if (f.pagos > 1)
            r << Hallazgo{FolioRepetido, FolioRepetido, f.rfc, f.claves, f.nombre,
                          QStringLiteral("folio %1: %2 pagos").arg(folio).arg(f.pagos), enReporte(f.rfc)};
    }
    QStringList productos;
    QHash<QString, int> lineasDe;
    for (const QString &p : inexistentes) {
        if (!lineasDe.contains(p))
            productos << p;
        ++lineasDe[p];
    }
    for (const QString &p : productos) {
        const int veces = lineasDe.value(p);
        r << Hallazgo{Inexistente, Inexistente, p, {}, QString(),
                      veces == 1 ? QStringLiteral("1 línea") : QStringLiteral("%1 líneas").arg(veces), false};
    }
    // About the whole run, not one party: after what concerns the figures of a party.
    if (!sinInstantanea_.isEmpty())
        r << Hallazgo{TipoDe(SinInstantanea), SinInstantanea, QString(), {}, QString(), sinInstantanea_, false};
    // Grouped by kind, in the order the kinds first appear.
    QHash<QString, int> lugar;
    for (const Hallazgo &h : r) {
        if (!lugar.contains(h.tipo))
            lugar.insert(h.tipo, int(lugar.size()));
    }
    std::stable_sort(r.begin(), r.end(),
                     [&](const Hallazgo &a, const Hallazgo &b) { return lugar.value(a.tipo) < lugar.value(b.tipo); });
    return r;
}

QList<Hallazgo> Revision::Partes() const
{
    QList<Hallazgo> r;
    for (const QString &rfc : ordenRfc_) {
        const Parte &p = porRfc_[rfc];
        r << Hallazgo{QString(), QString(), rfc, p.claves, p.nombres.value(0), QString(), false};
    }
    return r;
}

QList<HallazgosDeUnTipo> ContarPorTipo(const QList<Hallazgo> &hallazgos)
{
    QList<HallazgosDeUnTipo> r;
    QHash<QString, int> lugar;
    for (const Hallazgo &h : hallazgos) {
        auto it = lugar.constFind(h.tipo);
        if (it == lugar.constEnd()) {
            it = lugar.insert(h.tipo, int(r.size()));
            r << HallazgosDeUnTipo{h.tipo};
        }
        ++r[*it].todos;
        r[*it].enReporte += h.enReporte ? 1 : 0;
    }
    return r;
}

QString RfcComoEnElReporte(const QString &rfc)
{
    QString limpio = rfc;
    return RfcDeLaTabla(tercero::LimpiarRFC(limpio)).toUpper();
}

QStringList LineasDeRevision(const QString &titulo, const QList<Hallazgo> &hallazgos)
{
    QStringList lineas{titulo};
    for (const Hallazgo &h : hallazgos) {
        QString l = h.problema + (h.tipo == Inexistente ? QStringLiteral(" | Producto: ") : QStringLiteral(" | RFC: "))
                    + h.rfc;
        if (!h.claves.isEmpty())
            l += QStringLiteral(" | Clave: ") + h.claves.join(QStringLiteral(", "));
        if (!h.nombre.isEmpty())
            l += QStringLiteral(" | Nombre: ") + h.nombre;
        if (!h.detalle.isEmpty())
            l += QStringLiteral(" | ") + h.detalle;
        if (h.tipo != Inexistente && !EsAvisoDe69B(h.tipo))
            l += h.enReporte ? QStringLiteral(" | en el reporte") : QStringLiteral(" | fuera del reporte");
        // A finding must stay on its line, whatever the database holds.
        for (QChar &c : l) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                c = QLatin1Char(' ');
        }
        lineas << l;
    }
    return lineas;
}

QList<Hallazgo> LeerRevision(const QByteArray &bytes)
{
    QList<Hallazgo> r;
    QStringList lineas = host::DesdeCp1252(bytes).split(QStringLiteral("\r\n"));
    if (!lineas.isEmpty())
        lineas.removeFirst(); // the title
    const QString separador = QStringLiteral(" | ");
    for (const QString &linea : lineas) {
        QStringList partes = linea.split(separador);
        if (partes.size() < 2)
            continue;
        Hallazgo h;
        h.problema = partes.takeFirst();
        h.tipo = TipoDe(h.problema);
        const QString rfc = partes.takeFirst();
        if (rfc.startsWith(QLatin1String("RFC: ")))
            h.rfc = rfc.mid(5);
        else if (rfc.startsWith(QLatin1String("Producto: ")))
            h.rfc = rfc.mid(10);
        if (!partes.isEmpty() && (partes.last() == QLatin1String("en el reporte")
                                  || partes.last() == QLatin1String("fuera del reporte")))
            h.enReporte = partes.takeLast() == QLatin1String("en el reporte");
        if (!partes.isEmpty() && partes.first().startsWith(QLatin1String("Clave: ")))
            h.claves = partes.takeFirst().mid(7).split(QStringLiteral(", "));
        if (!partes.isEmpty() && partes.first().startsWith(QLatin1String("Nombre: ")))
            h.nombre = partes.takeFirst().mid(8);
        h.detalle = partes.join(separador);
        r << h;
    }
    return r;
}

void EscribirRevision(host::ArchivoDeSalida &archivo, const QString &titulo, const QList<Hallazgo> &hallazgos)
{
    for (const QString &l : LineasDeRevision(titulo, hallazgos))
        archivo.EscribirLinea(l);
}

} // namespace engine

#include "Revision.h"

#include "Acumulador.h"
#include "ArchivoDeSalida.h"
#include "RevisionDeRfc.h"
#include "clsRepIEPS.h"


#include <algorithm>

namespace engine {

namespace {
const QString VariasClaves = QStringLiteral("un RFC con varias claves y nombres distintos");
const QString ParteFueraDeRango = QStringLiteral("parte del documento fuera de 0 % a 100 %");
const QString Inexistente = QStringLiteral("producto que no está en el catálogo");
const QString NombreConSeparadores =
    QStringLiteral("nombre con «|» o caracteres de control (en el reporte se cambiaron por blancos)");

QString Texto(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

// The RFC as the report writes it, for telling whether a party is among the fifty.
QString ComoEnElReporte(const QString &rfc)
{
    QString limpio = rfc;
    return RfcDeLaTabla(clsRepIEPS::LimpiarRFC(limpio)).toUpper();
}

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

void Revision::Limpiar()
{
    ordenRfc_.clear();
    porRfc_.clear();
    partes_.clear();
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

QList<Hallazgo> Revision::Hallazgos(const QSet<QString> &rfcsDelReporte, const QStringList &inexistentes) const
{
    const auto enReporte = [&](const QString &rfc) { return rfcsDelReporte.contains(ComoEnElReporte(rfc)); };
    QList<Hallazgo> r;
    // The RFCs one by one; then the same RFC (as the report groups it) under several parties.
    QHash<QString, Parte> comoEnElReporte;
    QStringList orden;
    for (const QString &rfc : ordenRfc_) {
        const Parte &p = porRfc_[rfc];
        for (const QString &problema : ProblemasDeRfc(rfc))
            r << Hallazgo{TipoDe(problema), problema, rfc, p.claves, p.nombres.value(0), QString(), enReporte(rfc)};
        for (const QString &nombre : p.nombres) {
            if (std::any_of(nombre.cbegin(), nombre.cend(), clsRepIEPS::RompeElRenglon))
                r << Hallazgo{TipoDe(NombreConSeparadores), NombreConSeparadores, rfc, p.claves, nombre, QString(),
                              enReporte(rfc)};
        }
        const QString grupo = ComoEnElReporte(rfc);
        if (!comoEnElReporte.contains(grupo)) {
            orden << grupo;
            comoEnElReporte.insert(grupo, Parte{rfc, {}, {}});
        }
        Parte &g = comoEnElReporte[grupo];
        for (const QString &c : p.claves)
            Agregar(g.claves, c);
        for (const QString &n : p.nombres)
            Agregar(g.nombres, clsRepIEPS::QuitarEspaciosDobles(n));
    }
    for (const QString &grupo : orden) {
        const Parte &g = comoEnElReporte[grupo];
        const bool generico = grupo.isEmpty() || grupo == QLatin1String("XAXX010101000")
                              || grupo == QLatin1String("XEXX010101000");
        if (!generico && g.claves.size() > 1 && g.nombres.size() > 1)
            r << Hallazgo{VariasClaves, VariasClaves, g.rfc, g.claves, g.nombres.join(QStringLiteral(" / ")), QString(),
                          enReporte(g.rfc)};
    }
    for (Hallazgo h : partes_) {
        h.enReporte = enReporte(h.rfc);
        r << h;
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
        if (h.tipo != Inexistente)
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

void EscribirRevision(const QString &ruta, const QString &titulo, const QList<Hallazgo> &hallazgos)
{
    host::ArchivoDeSalida archivo(ruta, host::ArchivoDeSalida::Modo::Reemplazar);
    for (const QString &l : LineasDeRevision(titulo, hallazgos))
        archivo.EscribirLinea(l);
    archivo.Terminar();
}

} // namespace engine

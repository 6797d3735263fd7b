#include "RevisionDe69B.h"

#include "LibKVRS.h"

#include <QDir>

namespace engine {

namespace {
const QString EnLista = QStringLiteral("RFC en la lista 69-B del SAT");
const QString FueraDeLista = QStringLiteral("RFC que salió de la lista 69-B del SAT");
// The authority adds and removes taxpayers every few weeks: an older copy may miss them.
constexpr int DiasDeVigencia = 90;

QString Fecha(const QDate &d)
{
    return d.toString(host::LibKVRS::FormatoFecha());
}
} // namespace

bool EsAvisoDe69B(const QString &tipo)
{
    return tipo.startsWith(FueraDeLista);
}

void RevisionDe69B::Cargar(const QString &ruta)
{
    ruta_ = QDir::toNativeSeparators(ruta);
    motivo_.clear();
    lista_ = Lista69B();
    if (!ruta.isEmpty() && !LeerLista69BDeArchivo(ruta_, lista_, &motivo_))
        lista_.porRfc.clear();
}

QList<Hallazgo> RevisionDe69B::Hallazgos(const QList<Hallazgo> &partes, const QSet<QString> &rfcsDelReporte) const
{
    QList<Hallazgo> enReporte, otros;
    if (lista_.porRfc.isEmpty())
        return {};
    QSet<QString> vistos;
    const QString alDia = lista_.fecha.isValid() ? QStringLiteral("lista al ") + Fecha(lista_.fecha)
                                                 : QStringLiteral("lista sin fecha");
    for (const Hallazgo &parte : partes) {
        const QString rfc = RfcComoEnElReporte(parte.rfc);
        const auto it = lista_.porRfc.constFind(rfc);
        if (it == lista_.porRfc.constEnd() || vistos.contains(rfc))
            continue;
        vistos.insert(rfc);
        const bool aviso = it->situacion == QLatin1String("Desvirtuado") || it->situacion == QLatin1String("Sentencia Favorable");
        const QString &tipo = aviso ? FueraDeLista : EnLista;
        const QString problema = QStringLiteral("%1: %2 (%3), %4")
                                     .arg(tipo, it->situacion,
                                          it->publicado.isValid()
                                              ? QStringLiteral("publicado el %1 en el DOF").arg(Fecha(it->publicado))
                                              : QStringLiteral("sin fecha de publicación en el DOF"),
                                          alDia);
        Hallazgo h{tipo + QStringLiteral(": ") + it->situacion, problema, parte.rfc, parte.claves, parte.nombre,
                   QString(), rfcsDelReporte.contains(rfc)};
        if (aviso) {
            h.detalle = h.enReporte ? QStringLiteral("aviso: RFC del reporte") : QStringLiteral("aviso: RFC fuera del reporte");
            h.enReporte = false;
        }
        (h.enReporte ? enReporte : otros) << h;
    }
    return enReporte + otros;
}

QString RevisionDe69B::Oracion(const QDate &hoy) const
{
    if (ruta_.isEmpty())
        return QStringLiteral("no se revisó la lista 69-B del SAT");
    if (!motivo_.isEmpty())
        return QStringLiteral("no se usó la lista 69-B del SAT: ") + motivo_;
    if (!lista_.fecha.isValid())
        return QStringLiteral("lista 69-B del SAT sin fecha (%1)").arg(ruta_);
    return QStringLiteral("lista 69-B del SAT al %1%2 (%3)")
        .arg(Fecha(lista_.fecha),
             lista_.fecha.daysTo(hoy) > DiasDeVigencia ? QStringLiteral(", de más de %1 días").arg(DiasDeVigencia) : QString(),
             ruta_);
}

} // namespace engine

#include "RastroDeDetalle.h"

#include "ArchivoDeSalida.h"
#include "Formatos.h"
#include "LibKVRS.h"
#include "TextosDeTercero.h"

#include <cmath>

namespace engine {

const QStringList &EncabezadosDelDetalle()
{
    static const QStringList encabezados{
        QStringLiteral("Folio del pago"), QStringLiteral("Fecha del pago"), QStringLiteral("Clave"),
        QStringLiteral("RFC"), QStringLiteral("Documento"), QStringLiteral("Total del documento"),
        QStringLiteral("Pagado"), QStringLiteral("Parte"), QStringLiteral("Partida"), QStringLiteral("Producto"),
        QStringLiteral("Campo 5"), QStringLiteral("Clave genérica"), QStringLiteral("Presentación"),
        QStringLiteral("Cantidad"), QStringLiteral("Importe"), QStringLiteral("IEPS"), QStringLiteral("IVA")};
    return encabezados;
}

bool CampoDelDetalleEsNumero(int campo)
{
    return campo == DetTotal || campo == DetPagado || campo == DetParte || campo == DetPartida || campo >= DetPresentacion;
}

namespace {
const QChar Separador = QLatin1Char('|');

// A prorated value as NumeroGeneral writes it; whole values, the usual ones, without its digit-by-digit way.
QString Cifra(double valor)
{
    if (valor == std::floor(valor) && std::fabs(valor) < 1e15)
        return QString::number(qint64(valor));
    return NumeroGeneral(valor);
}

// A text of the database as a field: its own "|" and line ends would split the line.
QString Campo(const QVariant &valor)
{
    return tercero::QuitarSeparadores(Texto(valor));
}
} // namespace

RastroDeDetalle::RastroDeDetalle(const QString &ruta)
    : archivo_(std::make_unique<host::ArchivoDeSalida>(ruta, host::ArchivoDeSalida::Modo::Reemplazar))
{
    QString linea;
    for (const QString &titulo : EncabezadosDelDetalle())
        linea += titulo + Separador;
    archivo_->EscribirLinea(linea);
}

RastroDeDetalle::~RastroDeDetalle() = default;

void RastroDeDetalle::Anotar(const Pago &pago, const QString &documento, const QVariant &totalDocumento,
                             const QVariant &pagado, double parte, const QVariant &producto, const QString &clave5,
                             const QString &claveGen, const QVariant &pedimento, const Prorrateo &valores)
{
    const bool otroPago = inicioDelPago_.isEmpty() || idPago_ != pago.id;
    if (otroPago)
        inicioDelPago_ = tercero::QuitarSeparadores(ValorComoTexto(pago.folio)) + Separador
                         + tercero::QuitarSeparadores(host::LibKVRS::FechaComoTexto(pago.fecha)) + Separador
                         + Campo(pago.clave) + Separador + RfcDeLaTabla(RfcDelGrupo(pago)) + Separador;
    // A payment's links to one document come one after the other: a new link starts its lines anew.
    if (otroPago || documento_ != documento || pagado_ != pagado) {
        idPago_ = pago.id;
        documento_ = documento;
        pagado_ = pagado;
        partida_ = 0;
        inicioDelAnexo_ = inicioDelPago_ + tercero::QuitarSeparadores(documento) + Separador
                          + NumeroGeneral(totalDocumento.toDouble()) + Separador + NumeroGeneral(pagado.toDouble())
                          + Separador + NumeroGeneral(parte) + Separador;
    }
    ++partida_;
    // The same test as the groups': no presentation, no group.
    if (pedimento.isNull())
        return;
    const QString linea = inicioDelAnexo_ + QString::number(partida_) + Separador + Campo(producto) + Separador + clave5
                          + Separador + claveGen + Separador + presentacion(pedimento) + Separador
                          + Cifra(valores.cantidad) + Separador + Cifra(valores.importe) + Separador
                          + Cifra(valores.ieps) + Separador + Cifra(valores.iva) + Separador;
    archivo_->EscribirLinea(linea);
}

QString RastroDeDetalle::presentacion(const QVariant &pedimento)
{
    // The catalogue keeps few distinct presentation texts; each is converted once.
    const bool texto = pedimento.metaType().id() == QMetaType::QString;
    if (texto) {
        const auto it = presentaciones_.constFind(pedimento.toString());
        if (it != presentaciones_.constEnd())
            return it.value();
    }
    const QString escrita = FormatoTresDecimales(double(PresentacionSimple(PresentacionDelGrupo(pedimento))));
    if (texto)
        presentaciones_.insert(pedimento.toString(), escrita);
    return escrita;
}

} // namespace engine

#include "RastroDeDetalle.h"

#include "ArchivoDeSalida.h"
#include "Formatos.h"
#include "LibKVRS.h"
#include "clsRepIEPS.h"

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

// A text of the database as a field: its own "|" and line ends would split the line.
QString Campo(const QVariant &valor)
{
    return clsRepIEPS::QuitarSeparadores(Texto(valor));
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
    if (otroPago || documento_ != documento) {
        idPago_ = pago.id;
        documento_ = documento;
        partida_ = 0;
    }
    ++partida_;
    // The same test as the groups': no presentation, no group.
    if (pedimento.isNull())
        return;
    if (otroPago)
        inicioDelPago_ = clsRepIEPS::QuitarSeparadores(ValorComoTexto(pago.folio)) + Separador
                         + clsRepIEPS::QuitarSeparadores(host::LibKVRS::FechaComoTexto(pago.fecha)) + Separador
                         + Campo(pago.clave) + Separador + RfcDeLaTabla(RfcDelGrupo(pago)) + Separador;
    const QString linea = inicioDelPago_ + clsRepIEPS::QuitarSeparadores(documento) + Separador
                          + NumeroGeneral(totalDocumento.toDouble()) + Separador + NumeroGeneral(pagado.toDouble())
                          + Separador + NumeroGeneral(parte) + Separador + QString::number(partida_) + Separador
                          + Campo(producto) + Separador + clave5 + Separador + claveGen + Separador
                          + FormatoTresDecimales(double(PresentacionSimple(PresentacionDelGrupo(pedimento))))
                          + Separador + NumeroGeneral(valores.cantidad) + Separador + NumeroGeneral(valores.importe)
                          + Separador + NumeroGeneral(valores.ieps) + Separador + NumeroGeneral(valores.iva)
                          + Separador;
    archivo_->EscribirLinea(linea);
}

} // namespace engine

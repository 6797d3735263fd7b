#include "AcumuladorEnMemoria.h"

#include "Conexion.h"
#include "Formatos.h"

#include <cstring>

namespace engine {

namespace {
// Statements of about this size: far below any server's packet limit, few round trips.
constexpr int TamanoDeInsercion = 512 * 1024;
} // namespace

AcumuladorEnMemoria::AcumuladorEnMemoria(host::Conexion &cn)
    : cn_(cn)
{
}

AcumuladorEnMemoria::Presentacion AcumuladorEnMemoria::presentacionDe(const QVariant &pedimento)
{
    // The catalogue keeps few distinct presentation texts; each is converted once.
    const bool texto = pedimento.metaType().id() == QMetaType::QString;
    if (texto) {
        const auto it = presentaciones_.constFind(pedimento.toString());
        if (it != presentaciones_.constEnd())
            return it.value();
    }
    Presentacion p{PresentacionDelGrupo(pedimento), 0};
    p.simple = PresentacionSimple(p.texto);
    if (p.simple == 0.0f)
        p.simple = 0.0f; // -0 and 0 are one number for the table's comparison
    if (texto)
        presentaciones_.insert(pedimento.toString(), p);
    return p;
}

void AcumuladorEnMemoria::Acumular(const Pago &pago, const QVariant &pedimento, const QString &clave5,
                                   const QString &claveGen, const Prorrateo &valores)
{
    if (pedimento.isNull())
        return;

    const QString leido = Texto(pago.rfc);
    if (!hayRfc_ || leido != rfcLeido_ || pago.rfc.isNull() != rfcLeido_.isNull()) {
        rfcLeido_ = leido;
        rfcLimpio_ = RfcDelGrupo(pago);
        rfcTabla_ = RfcDeLaTabla(rfcLimpio_);
        // A cleaned RFC holds no "|", the codes are digits.
        llaveRfc_ = rfcTabla_.toUtf8();
        hayRfc_ = true;
    }
    const Presentacion presentacion = presentacionDe(pedimento);

    QByteArray llave = llaveRfc_;
    llave += '|' + clave5.toLatin1() + '|' + claveGen.toLatin1() + '|';
    char bytes[sizeof(float)];
    std::memcpy(bytes, &presentacion.simple, sizeof bytes);
    llave.append(bytes, sizeof bytes);

    auto it = indice_.constFind(llave);
    int i;
    if (it == indice_.constEnd()) {
        i = grupos_.size();
        indice_.insert(llave, i);
        grupos_.push_back(
            {rfcTabla_, NombreDelGrupo(pago, rfcLimpio_), EstadoDelGrupo(pago), clave5, claveGen, presentacion.texto, {}});
    } else {
        i = it.value();
    }
    Prorrateo &suma = grupos_[i].suma;
    suma.cantidad += valores.cantidad;
    suma.importe += valores.importe;
    suma.ieps += valores.ieps;
    suma.iva += valores.iva;
}

void AcumuladorEnMemoria::Terminar(const std::function<void()> &entreSentencias)
{
    // The values are written as the row-by-row accumulation writes them (texts quoted, the
    // presentation as its text, sums to 17 digits), so the server stores the same bytes.
    const QString cabeza = QStringLiteral("INSERT INTO tmptempoieps (`RFC`,`Nombre`,`Estado`,`Linea`,`ClaveGenerica`,"
                                          "`Presentacion`,`CantidadFactura`,`Importe`,`IEPS`,`IVA`) VALUES ");
    QString sentencia;
    for (const Grupo &g : grupos_) {
        if (sentencia.isEmpty())
            sentencia = cabeza;
        else
            sentencia += QLatin1Char(',');
        sentencia += QLatin1Char('(') + cn_.Literal(g.rfc) + QLatin1Char(',') + cn_.Literal(g.nombre) + QLatin1Char(',')
                     + cn_.Literal(g.estado) + QLatin1Char(',') + cn_.Literal(g.linea) + QLatin1Char(',')
                     + cn_.Literal(g.claveGenerica) + QLatin1Char(',') + cn_.Literal(g.presentacion) + QLatin1Char(',')
                     + cn_.Literal(g.suma.cantidad) + QLatin1Char(',') + cn_.Literal(g.suma.importe) + QLatin1Char(',')
                     + cn_.Literal(g.suma.ieps) + QLatin1Char(',') + cn_.Literal(g.suma.iva) + QLatin1Char(')');
        if (sentencia.size() >= TamanoDeInsercion) {
            entreSentencias();
            cn_.Execute(sentencia);
            sentencia.clear();
        }
    }
    if (!sentencia.isEmpty()) {
        entreSentencias();
        cn_.Execute(sentencia);
    }
    grupos_.clear();
    indice_.clear();
}

} // namespace engine

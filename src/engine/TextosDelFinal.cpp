#include "TextosDelFinal.h"

#include "Cancelacion.h"

namespace engine {

namespace {
// "No se generó el reporte, clientes del …." or, without a period, "No se generó el reporte."
QString ConPeriodo(const QString &texto, const QString &periodo)
{
    return periodo.isEmpty() ? texto + QLatin1Char('.') : QStringLiteral("%1, %2.").arg(texto, periodo);
}
} // namespace

QString TextoDelFinal(clsRepIEPS::Resultado resultado, const QString &periodo)
{
    using Resultado = clsRepIEPS::Resultado;
    switch (resultado) {
    case Resultado::SinPagos:
        // The window leads with what it did not write, as its other outcomes; the command line
        // with the reason, as scripts have long read it (its exit status says the same).
        return periodo.isEmpty()
                   ? QStringLiteral("Ningún pago del periodo cumple las condiciones; no se generó ningún archivo.")
                   : QStringLiteral("No se generó ningún archivo, %1: 0 pagos; ningún pago del periodo cumple las "
                                    "condiciones.")
                         .arg(periodo);
    case Resultado::SinConexion:
    case Resultado::Ocupada:
        return ConPeriodo(QStringLiteral("No se generó el reporte"), periodo);
    case Resultado::Error:
        return ConPeriodo(QStringLiteral("El proceso se detuvo por un error; no se generó el reporte"), periodo);
    case Resultado::Completo:
    case Resultado::SinEjecutar:
        break;
    }
    return QString();
}

QString TextoDelCancelado(const QString &periodo)
{
    return host::TextoProcesoCancelado()
           + (periodo.isEmpty() ? QStringLiteral("; ") : QStringLiteral(", %1: ").arg(periodo))
           + QStringLiteral("no se generó el reporte.");
}

} // namespace engine

#include "Desenlace.h"

#include "Dialogos.h"
#include "clsRepIEPS.h"

#include <QDir>
#include <QFileInfo>

namespace ui {

namespace {
using Resultado = engine::clsRepIEPS::Resultado;

// The engine's messages use CR LF; the window's lines are plain "\n".
QString Lineas(const QString &texto)
{
    return host::Renglones(texto).trimmed();
}

QString Nombre(const QString &ruta)
{
    return QFileInfo(ruta).fileName();
}
} // namespace

QString Cantidad(int n, const QString &singular, const QString &plural)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? singular : plural);
}

Desenlace DesenlaceDe(const engine::clsRepIEPS &rep, const QString &reporte, const QString &carpeta)
{
    Desenlace d;
    d.carpeta = carpeta;
    const QString lineaCarpeta = QStringLiteral("Carpeta: ") + QDir::toNativeSeparators(carpeta);
    QStringList lineas;
    switch (rep.resultado()) {
    case Resultado::Completo:
        d.reporte = reporte;
        d.log = rep.rutaLog();
        d.hallazgos = rep.hallazgos();
        d.rutaRevision = rep.rutaRevision();
        lineas << QStringLiteral("Reporte generado: %1 y %2 procesados; %3 en el reporte.")
                      .arg(Cantidad(rep.pagosProcesados(), QStringLiteral("pago"), QStringLiteral("pagos")),
                           Cantidad(rep.lineasProcesadas(), QStringLiteral("línea"), QStringLiteral("líneas")),
                           Cantidad(rep.rfcsEnElReporte(), QStringLiteral("RFC"), QStringLiteral("RFC")))
               << lineaCarpeta
               << QStringLiteral("Reporte: %1    Log: %2").arg(Nombre(reporte), Nombre(d.log))
               << (d.hallazgos.isEmpty()
                       ? QStringLiteral("Revisión: sin hallazgos.")
                       : QStringLiteral("Revisión: %1 por revisar, en %2.")
                             .arg(Cantidad(int(d.hallazgos.size()), QStringLiteral("hallazgo"), QStringLiteral("hallazgos")),
                                  Nombre(d.rutaRevision)));
        // A failure after the report was written (cleaning up) leaves the report valid.
        if (!rep.mensajeError().isEmpty())
            lineas << QStringLiteral("Aviso: ") + Lineas(rep.mensajeError());
        break;
    case Resultado::SinPagos:
        lineas << QStringLiteral("No se generó ningún archivo: ningún pago del periodo cumple las condiciones.");
        break;
    case Resultado::SinConexion:
    case Resultado::Ocupada:
        d.fallo = true;
        lineas << QStringLiteral("No se generó el reporte.") << Lineas(rep.mensajeError());
        break;
    case Resultado::Error:
        d.fallo = true;
        lineas << QStringLiteral("El proceso se detuvo por un error; no se generó el reporte.")
               << Lineas(rep.mensajeError());
        if (!rep.rutaLog().isEmpty() && QFileInfo::exists(rep.rutaLog())) {
            d.log = rep.rutaLog();
            lineas << QStringLiteral("Log hasta donde llegó (%1): %2")
                          .arg(Cantidad(rep.pagosProcesados(), QStringLiteral("pago"), QStringLiteral("pagos")),
                               QDir::toNativeSeparators(d.log));
        }
        break;
    case Resultado::SinEjecutar:
        break;
    }
    d.texto = lineas.join(QLatin1Char('\n'));
    return d;
}

} // namespace ui

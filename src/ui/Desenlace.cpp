#include "Desenlace.h"

#include "Dialogos.h"
#include "LibKVRS.h"
#include "TextosDelFinal.h"

#include <QDir>
#include <QFileInfo>

namespace ui {

namespace {
using Resultado = engine::clsRepIEPS::Resultado;

// The engine's messages use CR LF; the window's lines are plain "\n".
QString Lineas(const QString &texto)
{
    return SeparaTextoDelCliente(host::Renglones(texto).trimmed());
}

QString Nombre(const QString &ruta)
{
    return QFileInfo(ruta).fileName();
}

QString Pagos(int n)
{
    return Cantidad(n, QStringLiteral("pago"), QStringLiteral("pagos"));
}
} // namespace

QString Cantidad(int n, const QString &singular, const QString &plural)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? singular : plural);
}

QString SeparaTextoDelCliente(const QString &mensaje)
{
    const QString t = mensaje.trimmed();
    if (!t.endsWith(QLatin1Char(')')))
        return t;
    // The parenthesis that the last ")" closes.
    int nivel = 0;
    for (int i = int(t.size()) - 1; i >= 0; --i) {
        if (t.at(i) == QLatin1Char(')'))
            ++nivel;
        else if (t.at(i) == QLatin1Char('(') && --nivel == 0) {
            const QString antes = t.left(i).trimmed();
            if (antes.isEmpty() || antes.endsWith(QLatin1Char('\n')))
                return t;
            return antes + QLatin1Char('\n') + t.mid(i);
        }
    }
    return t;
}

Desenlace DesenlaceDe(const engine::clsRepIEPS &rep, const QString &reporte, const QString &carpeta, const Periodo &p)
{
    Desenlace d;
    d.carpeta = carpeta;
    const QString periodo = TextoDelPeriodo(p);
    d.periodo = periodo;
    d.momento = QDateTime::currentDateTime();
    const QString lineaCarpeta = QStringLiteral("Carpeta: ") + QDir::toNativeSeparators(carpeta);
    QStringList lineas;
    switch (rep.resultado()) {
    case Resultado::Completo:
        d.reporte = reporte;
        d.log = rep.rutaLog();
        d.hallazgos = rep.hallazgos();
        d.rutaRevision = rep.rutaRevision();
        lineas << QStringLiteral("Reporte generado, %1: %2 y %3 procesados; %4 en el reporte.")
                      .arg(periodo, Pagos(rep.pagosProcesados()),
                           Cantidad(rep.lineasProcesadas(), QStringLiteral("línea"), QStringLiteral("líneas")),
                           Cantidad(rep.rfcsEnElReporte(), QStringLiteral("RFC"), QStringLiteral("RFC")));
        d.aviso = !rep.avisoDeReporteVacio().isEmpty();
        if (d.aviso)
            lineas << rep.avisoDeReporteVacio();
        lineas << lineaCarpeta
               << QStringLiteral("Reporte: %1    Log: %2").arg(Nombre(reporte), Nombre(d.log))
               << (d.hallazgos.isEmpty()
                       ? QStringLiteral("Revisión: sin hallazgos.")
                       : QStringLiteral("Revisión: %1 por revisar, en %2.")
                             .arg(Cantidad(int(d.hallazgos.size()), QStringLiteral("hallazgo"), QStringLiteral("hallazgos")),
                                  Nombre(d.rutaRevision)));
        if (!rep.avisoDeMomento().isEmpty())
            lineas << QStringLiteral("Aviso: ") + rep.avisoDeMomento();
        // A failure after the report was written (cleaning up) leaves the report valid.
        if (!rep.mensajeError().isEmpty())
            lineas << QStringLiteral("Aviso: ") + Lineas(rep.mensajeError());
        break;
    case Resultado::SinPagos:
        d.aviso = true;
        lineas << engine::TextoDelFinal(rep.resultado(), periodo);
        break;
    case Resultado::SinConexion:
    case Resultado::Ocupada:
        d.fallo = true;
        lineas << engine::TextoDelFinal(rep.resultado(), periodo) << Lineas(rep.mensajeError());
        break;
    case Resultado::Error:
        d.fallo = true;
        lineas << engine::TextoDelFinal(rep.resultado(), periodo) << Lineas(rep.mensajeError());
        if (!rep.rutaLog().isEmpty() && QFileInfo::exists(rep.rutaLog())) {
            d.log = rep.rutaLog();
            lineas << QStringLiteral("Log hasta donde llegó (%1): %2")
                          .arg(Pagos(rep.pagosProcesados()), QDir::toNativeSeparators(d.log));
        }
        break;
    case Resultado::SinEjecutar:
        break;
    }
    d.texto = lineas.join(QLatin1Char('\n'));
    return d;
}

Desenlace DesenlaceCancelado(const Periodo &p)
{
    Desenlace d;
    d.aviso = true;
    d.texto = engine::TextoDelCancelado(TextoDelPeriodo(p));
    return d;
}

Desenlace DesenlaceDeFallo(const QString &motivo, const Periodo &p)
{
    Desenlace d;
    d.fallo = true;
    d.texto = engine::TextoDelFinal(Resultado::Error, TextoDelPeriodo(p)) + QLatin1Char('\n') + Lineas(motivo);
    return d;
}

} // namespace ui

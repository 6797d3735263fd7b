#include "DetalleDelReporte.h"

#include "ArchivosDeLaCorrida.h"
#include "Cp1252.h"
#include "Errores.h"
#include "Formatos.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace engine {

using host::Falla;

namespace {

// The figures compared, in the detail and in the report.
struct Cifra {
    int detalle, reporte;
    const char *nombre;
};
constexpr Cifra Cifras[] = {{DetCantidad, CampoCantidad, "cantidad"},
                            {DetImporte, CampoImporte, "importe"},
                            {DetIeps, CampoIeps, "IEPS"},
                            {DetIva, CampoIva, "IVA"}};
constexpr int CuantasCifras = int(std::size(Cifras));

struct Centavos {
    qint64 c[CuantasCifras] = {};
};

qint64 EnCentavos(const QString &texto, bool *ok)
{
    const double v = texto.toDouble(ok);
    return *ok && std::isfinite(v) ? std::llround(v * 100) : (*ok = false, 0);
}

QString Llave(const QString &rfc, const QString &campo5, const QString &generica, const QString &presentacion)
{
    return rfc + QLatin1Char('|') + campo5 + QLatin1Char('|') + generica + QLatin1Char('|') + presentacion;
}

QString LlaveDelRenglon(const QStringList &r)
{
    return Llave(r.at(CampoRfc), r.at(CampoLinea), r.at(CampoClaveGenerica), r.at(CampoPresentacion));
}

QString ComoNumero(qint64 centavos)
{
    return NumeroGeneral(double(centavos) / 100);
}

Centavos SumaDe(const DetalleDelReporte &d, const QList<int> &lineas)
{
    Centavos s;
    bool ok;
    for (const int l : lineas)
        for (int i = 0; i < CuantasCifras; ++i)
            s.c[i] += EnCentavos(d.lineas.at(l).at(Cifras[i].detalle), &ok);
    return s;
}

// The figures of sumas that are not those of reporte, "IEPS 120, el reporte dice 140"; empty when all are.
QString Diferencias(const Centavos &detalle, const Centavos &reporte)
{
    QStringList difieren;
    for (int i = 0; i < CuantasCifras; ++i) {
        if (detalle.c[i] != reporte.c[i])
            difieren << QStringLiteral("%1 %2, el reporte dice %3")
                            .arg(QLatin1String(Cifras[i].nombre), ComoNumero(detalle.c[i]), ComoNumero(reporte.c[i]));
    }
    return difieren.join(QStringLiteral("; "));
}

} // namespace

bool LeerDetalle(const QByteArray &bytes, const ResumenDeReporte &reporte, DetalleDelReporte &d, QString *motivo)
{
    d = DetalleDelReporte();
    if (!bytes.endsWith("\r\n"))
        return Falla(motivo, QStringLiteral("su última línea está incompleta"));
    const QList<QByteArray> lineas = bytes.left(bytes.size() - 2).split('\n');
    QHash<QString, Centavos> sumas;
    for (int n = 0; n < lineas.size(); ++n) {
        QByteArray linea = lineas.at(n);
        if (!linea.endsWith('\r') && n + 1 < lineas.size())
            return Falla(motivo, QStringLiteral("la línea %1 no termina con CR LF").arg(n + 1));
        if (linea.endsWith('\r'))
            linea.chop(1);
        QStringList campos = host::DesdeCp1252(linea).split(QLatin1Char('|'));
        if (campos.size() != CamposDelDetalle + 1 || !campos.last().isEmpty())
            return Falla(motivo, QStringLiteral("la línea %1 no tiene los %2 campos del detalle").arg(n + 1).arg(CamposDelDetalle));
        campos.removeLast();
        if (n == 0) {
            if (campos != EncabezadosDelDetalle())
                return Falla(motivo, QStringLiteral("su primera línea no es la de los títulos del detalle"));
            continue;
        }
        Centavos valores;
        for (int i = 0; i < CuantasCifras; ++i) {
            bool ok;
            valores.c[i] = EnCentavos(campos.at(Cifras[i].detalle), &ok);
            if (!ok)
                return Falla(motivo, QStringLiteral("la línea %1 tiene «%2» en %3, que no es un número")
                                         .arg(n + 1)
                                         .arg(campos.at(Cifras[i].detalle), EncabezadosDelDetalle().at(Cifras[i].detalle)));
        }
        const QString llave =
            Llave(campos.at(DetRfc), campos.at(DetCampo5), campos.at(DetClaveGenerica), campos.at(DetPresentacion));
        Centavos &suma = sumas[llave];
        for (int i = 0; i < CuantasCifras; ++i)
            suma.c[i] += valores.c[i];
        const int lugar = int(d.lineas.size());
        d.porRenglon[llave] << lugar;
        d.porRfc[campos.at(DetRfc)] << lugar;
        d.lineas << campos;
    }

    // Report lines that share RFC, codes and presentation as written are compared as one.
    QHash<QString, Centavos> delReporte;
    QList<QString> orden;
    for (const QStringList &r : reporte.renglones) {
        const QString llave = LlaveDelRenglon(r);
        if (!delReporte.contains(llave))
            orden << llave;
        Centavos &s = delReporte[llave];
        bool ok;
        for (int i = 0; i < CuantasCifras; ++i)
            s.c[i] += EnCentavos(r.at(Cifras[i].reporte), &ok);
    }
    for (const RfcDelReporte &rfc : reporte.rfcs) {
        if (!d.porRfc.contains(rfc.rfc))
            return Falla(motivo, QStringLiteral("no tiene líneas del RFC %1, que está en el reporte").arg(rfc.rfc));
    }
    const auto describir = [](const QString &llave) {
        const QStringList p = llave.split(QLatin1Char('|'));
        return QStringLiteral("RFC %1, campo 5 %2, clave genérica %3, presentación %4").arg(p.at(0), p.at(1), p.at(2), p.at(3));
    };
    for (const QString &llave : std::as_const(orden)) {
        const QString diferencias = Diferencias(sumas.value(llave), delReporte.value(llave));
        if (!diferencias.isEmpty())
            return Falla(motivo, QStringLiteral("las líneas del %1 no suman lo del reporte: %2").arg(describir(llave), diferencias));
    }
    for (auto it = sumas.cbegin(); it != sumas.cend(); ++it) {
        const QString rfc = it.key().section(QLatin1Char('|'), 0, 0);
        if (!delReporte.contains(it.key()) && std::any_of(reporte.rfcs.cbegin(), reporte.rfcs.cend(),
                                                           [&](const RfcDelReporte &r) { return r.rfc == rfc; }))
            return Falla(motivo, QStringLiteral("tiene líneas del %1, que el reporte no tiene").arg(describir(it.key())));
    }
    return true;
}

EstadoDelDetalle CargarDetalle(const QString &rutaReporte, const ResumenDeReporte &reporte, DetalleDelReporte &detalle,
                               QString *aviso)
{
    detalle = DetalleDelReporte();
    const QFileInfo info(rutaReporte);
    const QString nombre = host::NombreDe(host::DeLaCorrida::Detalle, info.fileName());
    QFile f(info.dir().filePath(nombre));
    if (!f.exists())
        return EstadoDelDetalle::NoHay;
    QString motivo;
    if (!f.open(QIODevice::ReadOnly))
        motivo = QStringLiteral("no se pudo leer");
    else if (LeerDetalle(f.readAll(), reporte, detalle, &motivo))
        return EstadoDelDetalle::Corresponde;
    detalle = DetalleDelReporte();
    if (aviso)
        *aviso = QStringLiteral("El detalle %1 no corresponde a su reporte (%2): no se usa para cuadrar las cifras.")
                     .arg(nombre, motivo);
    return EstadoDelDetalle::NoCorresponde;
}

QList<int> LineasDelRenglon(const DetalleDelReporte &detalle, const QStringList &renglon)
{
    return detalle.porRenglon.value(LlaveDelRenglon(renglon));
}

QList<int> LineasDelRfc(const DetalleDelReporte &detalle, const QString &rfc)
{
    return detalle.porRfc.value(rfc);
}

QString CuadreDelRenglon(const DetalleDelReporte &detalle, const QList<int> &lineas, const QStringList &renglon)
{
    Centavos reporte;
    bool ok;
    for (int i = 0; i < CuantasCifras; ++i)
        reporte.c[i] = EnCentavos(renglon.at(Cifras[i].reporte), &ok);
    const QString diferencias = Diferencias(SumaDe(detalle, lineas), reporte);
    return QStringLiteral("Suma del detalle: ") + (diferencias.isEmpty() ? QStringLiteral("igual al reporte") : diferencias);
}

} // namespace engine

#include "ResumenDeReporte.h"

#include "Cp1252.h"
#include "Errores.h"
#include "Formatos.h"
#include "MotivosDelSistema.h"

#include <QFile>
#include <QHash>

namespace engine {

using host::Falla;

namespace {
// What a row of the summary adds up.
struct Sumas {
    qsizetype renglones = 0;
    double cantidad = 0, importe = 0, ieps = 0, iva = 0;
    int hallazgos = 0;
};

QStringList Celdas(const QString &rfc, const QString &nombre, const QString &estado, const Sumas &s)
{
    return {rfc,
            nombre,
            estado,
            NumeroConSeparadores(double(s.renglones)),
            NumeroConSeparadores(s.cantidad),
            NumeroConSeparadores(s.importe),
            NumeroConSeparadores(s.ieps),
            NumeroConSeparadores(s.iva),
            NumeroConSeparadores(double(s.hallazgos))};
}
} // namespace

// Plain decimal with a point, a leading "-" when negative, the exponent form for very large or
// very small magnitudes. No blanks, no grouping.
bool LeerNumeroDelReporte(const QString &texto, double &valor)
{
    if (texto.isEmpty() || texto.contains(QLatin1Char(',')) || texto.contains(QLatin1Char(' ')))
        return false;
    bool ok = false;
    valor = texto.toDouble(&ok);
    return ok;
}

bool LeerResumen(const QByteArray &bytes, ResumenDeReporte &r, QString *error)
{
    r = ResumenDeReporte();
    if (bytes.isEmpty())
        return true;
    if (!bytes.endsWith("\r\n"))
        return Falla(error, QStringLiteral("El último renglón del reporte no termina con salto de línea (CR LF): "
                                           "el archivo está incompleto."));
    QHash<QString, int> lugar; // RFC → position in r.rfcs
    const QList<QByteArray> lineas = bytes.left(bytes.size() - 2).split('\n');
    for (int n = 0; n < lineas.size(); ++n) {
        const QString donde = QStringLiteral("El renglón %1 del reporte").arg(n + 1);
        QByteArray linea = lineas.at(n);
        if (!linea.endsWith('\r') && n + 1 < lineas.size())
            return Falla(error, donde + QStringLiteral(" no termina con CR LF."));
        if (linea.endsWith('\r'))
            linea.chop(1);
        if (linea.contains('\r'))
            return Falla(error, donde + QStringLiteral(" tiene un CR suelto."));
        QStringList campos = host::DesdeCp1252(linea).split(QLatin1Char('|'));
        // Every field is followed by "|": the text after the last one is empty.
        if (!campos.last().isEmpty())
            return Falla(error, donde + QStringLiteral(" no termina con «|»."));
        if (campos.size() != CamposPorRenglon + 1)
            return Falla(error, donde + QStringLiteral(" no tiene los %1 campos separados por «|» de un reporte "
                                                       "de IEPS (tiene %2).")
                                            .arg(CamposPorRenglon)
                                            .arg(campos.size() - 1));
        campos.removeLast();
        for (const Campo &c : CamposDelReporte()) {
            if (c.forma == FormaDeCampo::Vacio && !campos.at(c.posicion).isEmpty())
                return Falla(error, donde + QStringLiteral(" tiene texto en el campo %1, que va vacío.").arg(c.posicion + 1));
        }
        const QString tipo = campos.at(CampoTipo);
        if (tipo != QLatin1String("C") && tipo != QLatin1String("P"))
            return Falla(error, donde + QStringLiteral(" empieza con «%1» en lugar de C (clientes) o P "
                                                       "(proveedores).")
                                            .arg(tipo));
        if (r.tipo.isEmpty())
            r.tipo = tipo;
        else if (tipo != r.tipo)
            return Falla(error, donde + QStringLiteral(" es de %1 y los anteriores de %2.")
                                            .arg(tipo == QLatin1String("C") ? QStringLiteral("clientes")
                                                                            : QStringLiteral("proveedores"),
                                                 r.tipo == QLatin1String("C") ? QStringLiteral("clientes")
                                                                              : QStringLiteral("proveedores")));
        double valores[CamposPorRenglon] = {};
        for (const Campo &c : CamposDelReporte()) {
            if (CampoEsNumero(c.posicion) && !LeerNumeroDelReporte(campos.at(c.posicion), valores[c.posicion]))
                return Falla(error, donde + QStringLiteral(" tiene «%1» en %2 %3 (campo %4), que no es un número.")
                                                .arg(campos.at(c.posicion), QString::fromUtf8(c.articulo),
                                                     QString::fromUtf8(c.nombre))
                                                .arg(c.posicion + 1));
        }
        const QString &rfc = campos.at(CampoRfc);
        auto it = lugar.find(rfc);
        if (it == lugar.end()) {
            it = lugar.insert(rfc, int(r.rfcs.size()));
            RfcDelReporte nuevo;
            nuevo.rfc = rfc;
            nuevo.nombre = campos.at(CampoNombre);
            nuevo.estado = campos.at(CampoEstado);
            r.rfcs << nuevo;
        }
        RfcDelReporte &p = r.rfcs[*it];
        p.renglones << int(r.renglones.size());
        p.cantidad += valores[CampoCantidad];
        p.importe += valores[CampoImporte];
        p.ieps += valores[CampoIeps];
        p.iva += valores[CampoIva];
        r.cantidad += valores[CampoCantidad];
        r.importe += valores[CampoImporte];
        r.ieps += valores[CampoIeps];
        r.iva += valores[CampoIva];
        r.renglones << campos;
    }
    return true;
}

bool LeerResumenDeArchivo(const QString &ruta, ResumenDeReporte &resumen, QString *error)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return Falla(error, QStringLiteral("No se pudo leer el reporte %1: %2.").arg(ruta, host::MotivoDeArchivo(f)));
    return LeerResumen(f.readAll(), resumen, error);
}

void ContarHallazgos(ResumenDeReporte &r, const QList<Hallazgo> &hallazgos)
{
    QHash<QString, int> lugar;
    for (int i = 0; i < r.rfcs.size(); ++i) {
        r.rfcs[i].hallazgos = 0;
        lugar.insert(r.rfcs.at(i).rfc.toUpper(), i);
    }
    r.hallazgosEnReporte = 0;
    for (const Hallazgo &h : hallazgos) {
        if (!h.enReporte)
            continue;
        const auto it = lugar.constFind(RfcComoEnElReporte(h.rfc));
        if (it == lugar.constEnd())
            continue;
        ++r.rfcs[*it].hallazgos;
        ++r.hallazgosEnReporte;
    }
}

const QStringList &EncabezadosDeRfc()
{
    const auto de = [](int campo) { return EncabezadoDe(CamposDelReporte().at(size_t(campo))); };
    static const QStringList encabezados{de(CampoRfc),      de(CampoNombre),  de(CampoEstado),
                                         QStringLiteral("Renglones"), de(CampoCantidad), de(CampoImporte),
                                         de(CampoIeps),     de(CampoIva),     QStringLiteral("Hallazgos")};
    return encabezados;
}

QStringList TextosDeRfc(const RfcDelReporte &p)
{
    return Celdas(p.rfc, p.nombre, p.estado, {p.renglones.size(), p.cantidad, p.importe, p.ieps, p.iva, p.hallazgos});
}

QStringList TextosDeTotales(const ResumenDeReporte &r)
{
    return Celdas(QStringLiteral("Total"), QStringLiteral("%1 RFC").arg(r.rfcs.size()), QString(),
                  {r.renglones.size(), r.cantidad, r.importe, r.ieps, r.iva, r.hallazgosEnReporte});
}

QStringList TextosDeTotales(const ResumenDeReporte &r, const QList<int> &rfcs)
{
    if (rfcs.size() == r.rfcs.size())
        return TextosDeTotales(r);
    Sumas s;
    for (const int i : rfcs) {
        const RfcDelReporte &p = r.rfcs.at(i);
        s.renglones += p.renglones.size();
        s.cantidad += p.cantidad;
        s.importe += p.importe;
        s.ieps += p.ieps;
        s.iva += p.iva;
        s.hallazgos += p.hallazgos;
    }
    return Celdas(QStringLiteral("Total"), QStringLiteral("Total de %1 de %2 RFC").arg(rfcs.size()).arg(r.rfcs.size()),
                  QString(), s);
}

QString ResumenComoTexto(const ResumenDeReporte &r)
{
    const QStringList &encabezados = EncabezadosDeRfc();
    constexpr int AnchoNombre = 40;
    QList<QStringList> filas{encabezados};
    for (const RfcDelReporte &p : r.rfcs) {
        QStringList fila = TextosDeRfc(p);
        if (fila.at(1).size() > AnchoNombre)
            fila[1] = fila.at(1).left(AnchoNombre - 1) + QStringLiteral("…");
        filas << fila;
    }
    filas << TextosDeTotales(r);
    // Names and codes to the left, figures to the right.
    return TablaComoTexto(filas, 3);
}

QString TablaComoTexto(const QList<QStringList> &filas, int aLaIzquierda)
{
    QList<int> anchos;
    for (const QStringList &f : filas) {
        for (int c = 0; c < f.size(); ++c) {
            if (c == anchos.size())
                anchos << 0;
            anchos[c] = qMax(anchos[c], int(f.at(c).size()));
        }
    }
    QString texto;
    for (const QStringList &f : filas) {
        QStringList celdas;
        for (int c = 0; c < f.size(); ++c)
            celdas << (c < aLaIzquierda ? f.at(c).leftJustified(anchos[c]) : f.at(c).rightJustified(anchos[c]));
        QString linea = celdas.join(QStringLiteral("  "));
        while (linea.endsWith(QLatin1Char(' ')))
            linea.chop(1);
        texto += linea + QLatin1Char('\n');
    }
    return texto;
}

} // namespace engine

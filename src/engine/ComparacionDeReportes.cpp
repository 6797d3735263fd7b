#include "ComparacionDeReportes.h"

#include "Errores.h"
#include "Formatos.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

namespace engine {

using host::Falla;

namespace {

// A field's position by its heading, so that the comparison follows the report's own layout.
int Posicion(const char *encabezado)
{
    return int(EncabezadosDeCampos().indexOf(QString::fromUtf8(encabezado)));
}

double Numero(const QStringList &campos, const char *encabezado)
{
    double valor = 0;
    LeerNumeroDelReporte(campos.at(Posicion(encabezado)), valor); // the report was read whole
    return valor;
}

CifrasDeReporte CifrasDe(const QStringList &campos)
{
    return {Numero(campos, "Cantidad"), Numero(campos, "Importe"), Numero(campos, "IEPS"), Numero(campos, "IVA")};
}

CifrasDeReporte CifrasDe(const RfcDelReporte &r)
{
    return {r.cantidad, r.importe, r.ieps, r.iva};
}

bool Iguales(const CifrasDeReporte &a, const CifrasDeReporte &b)
{
    return a.cantidad == b.cantidad && a.importe == b.importe && a.ieps == b.ieps && a.iva == b.iva;
}

QStringList NombreDelRenglon(const QStringList &campos)
{
    return {campos.at(Posicion("RFC")), campos.at(Posicion("Campo 5")), campos.at(Posicion("Clave genérica")),
            campos.at(Posicion("Presentación"))};
}

QString Lado(const QString &tipo)
{
    return tipo == QLatin1String("P") ? QStringLiteral("proveedores (PR)") : QStringLiteral("clientes (CT)");
}

const QStringList &NombresDeCifras()
{
    static const QStringList nombres{QStringLiteral("Cantidad"), QStringLiteral("Importe"), QStringLiteral("IEPS"),
                                     QStringLiteral("IVA")};
    return nombres;
}

QStringList Encabezados(const QStringList &nombre)
{
    QStringList e = nombre;
    e << QStringLiteral("Cambio");
    for (const QString &cifra : NombresDeCifras())
        e << cifra + QStringLiteral(" antes") << cifra + QStringLiteral(" ahora")
          << QStringLiteral("Diferencia de ") + (cifra == QLatin1String("IEPS") || cifra == QLatin1String("IVA")
                                                     ? cifra
                                                     : cifra.toLower());
    return e;
}

QStringList Textos(QStringList nombre, Cambio cambio, bool deRfc, const CifrasDeReporte &antes,
                   const CifrasDeReporte &ahora)
{
    nombre << TextoDeCambio(cambio, deRfc);
    for (const double v : CifrasComparadas(antes, ahora))
        nombre << FormatoImporte(v);
    return nombre;
}

// The terminal's rows of one RFC, line or total: its name on the first, one row per figure.
void FilasDeCifras(QList<QStringList> &filas, const QStringList &nombre, const CifrasDeReporte &antes,
                   const CifrasDeReporte &ahora)
{
    const QList<double> v = CifrasComparadas(antes, ahora);
    for (int i = 0; i < NombresDeCifras().size(); ++i)
        filas << (i == 0 ? nombre : QStringList(QList<QString>(nombre.size())))
                     + QStringList{NombresDeCifras().at(i), FormatoImporte(v.at(3 * i)), FormatoImporte(v.at(3 * i + 1)),
                                   FormatoImporte(v.at(3 * i + 2))};
}

QStringList EncabezadosDeTexto(const QStringList &nombre)
{
    return nombre
           + QStringList{QStringLiteral("Cambio"), QStringLiteral("Cifra"), QStringLiteral("Antes"), QStringLiteral("Ahora"),
                         QStringLiteral("Diferencia")};
}

} // namespace

QString MotivoDeLadosDistintos(const QString &tipoAntes, const QString &tipoAhora)
{
    if (tipoAntes.isEmpty() || tipoAhora.isEmpty() || tipoAntes == tipoAhora)
        return QString();
    return QStringLiteral("No se pueden comparar: el reporte anterior es de %1 y este es de %2.")
        .arg(Lado(tipoAntes), Lado(tipoAhora));
}

bool CompararReportes(const ResumenDeReporte &antes, const ResumenDeReporte &ahora, ComparacionDeReportes &c,
                      QString *error)
{
    const QString motivo = MotivoDeLadosDistintos(antes.tipo, ahora.tipo);
    if (!motivo.isEmpty())
        return Falla(error, motivo);
    c = ComparacionDeReportes();
    c.antes = {antes.cantidad, antes.importe, antes.ieps, antes.iva};
    c.ahora = {ahora.cantidad, ahora.importe, ahora.ieps, ahora.iva};
    c.rfcsAntes = antes.rfcs.size();
    c.rfcsAhora = ahora.rfcs.size();
    c.renglonesAntes = antes.renglones.size();
    c.renglonesAhora = ahora.renglones.size();

    // The earlier lines of each name, taken in order as the lines of now find them.
    QHash<QString, QList<int>> anteriores;
    for (int i = 0; i < antes.renglones.size(); ++i)
        anteriores[NombreDelRenglon(antes.renglones.at(i)).join(QLatin1Char('|'))] << i;
    QSet<QString> cambiados; // RFCs with a line that is not the same
    QList<bool> emparejado(antes.renglones.size(), false);
    for (const QStringList &campos : ahora.renglones) {
        const QStringList nombre = NombreDelRenglon(campos);
        RenglonComparado r{nombre.at(0), nombre.at(1), nombre.at(2), nombre.at(3), Cambio::Entro, {}, CifrasDe(campos)};
        QList<int> &mismos = anteriores[nombre.join(QLatin1Char('|'))];
        if (!mismos.isEmpty()) {
            const int i = mismos.takeFirst();
            emparejado[i] = true;
            r.antes = CifrasDe(antes.renglones.at(i));
            r.cambio = Iguales(r.antes, r.ahora) ? Cambio::Igual : Cambio::Cambiado;
        }
        if (r.cambio != Cambio::Igual)
            cambiados.insert(r.rfc);
        c.renglones << r;
    }
    for (int i = 0; i < antes.renglones.size(); ++i) {
        if (emparejado.at(i))
            continue;
        const QStringList nombre = NombreDelRenglon(antes.renglones.at(i));
        c.renglones << RenglonComparado{nombre.at(0), nombre.at(1), nombre.at(2), nombre.at(3), Cambio::Salio,
                                        CifrasDe(antes.renglones.at(i)), {}};
        cambiados.insert(nombre.at(0));
    }

    QHash<QString, int> lugarAntes;
    for (int i = 0; i < antes.rfcs.size(); ++i)
        lugarAntes.insert(antes.rfcs.at(i).rfc, i);
    QSet<QString> siguen;
    for (const RfcDelReporte &p : ahora.rfcs) {
        RfcComparado r{p.rfc, p.nombre, Cambio::Entro, {}, CifrasDe(p)};
        const auto it = lugarAntes.constFind(p.rfc);
        if (it != lugarAntes.constEnd()) {
            siguen.insert(p.rfc);
            r.antes = CifrasDe(antes.rfcs.at(*it));
            r.cambio = cambiados.contains(p.rfc) ? Cambio::Cambiado : Cambio::Igual;
        }
        c.rfcs << r;
    }
    for (const RfcDelReporte &p : antes.rfcs) {
        if (!siguen.contains(p.rfc))
            c.rfcs << RfcComparado{p.rfc, p.nombre, Cambio::Salio, CifrasDe(p), {}};
    }
    return true;
}

bool LeerReporteAnterior(const QString &ruta, ResumenDeReporte &resumen, QString *error)
{
    const QString nombre = QDir::toNativeSeparators(ruta);
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return Falla(error, QStringLiteral("No se pudo leer el reporte anterior %1: %2.").arg(nombre, host::MotivoDeArchivo(f)));
    QString motivo;
    if (LeerResumen(f.readAll(), resumen, &motivo))
        return true;
    // "El renglón 3 del reporte …" goes on after the file's name.
    return Falla(error, QStringLiteral("No se puede comparar con %1: ").arg(nombre) + motivo.left(1).toLower()
                            + motivo.mid(1));
}

QString TextoDeCambio(Cambio cambio, bool deRfc)
{
    switch (cambio) {
    case Cambio::Entro:
        return deRfc ? QStringLiteral("Entró a los 50") : QStringLiteral("Nuevo");
    case Cambio::Salio:
        return deRfc ? QStringLiteral("Salió de los 50") : QStringLiteral("Quitado");
    case Cambio::Cambiado:
        return QStringLiteral("Cambió");
    case Cambio::Igual:
        break;
    }
    return QStringLiteral("Sin cambio");
}

QStringList LineasDeConteo(const ComparacionDeReportes &c)
{
    int rfcs[4] = {}, renglones[4] = {};
    for (const RfcComparado &r : c.rfcs)
        ++rfcs[int(r.cambio)];
    for (const RenglonComparado &r : c.renglones)
        ++renglones[int(r.cambio)];
    return {QStringLiteral("RFC: %1 antes y %2 ahora; entraron a los 50: %3, salieron: %4, cambiaron: %5, sin cambio: %6.")
                .arg(c.rfcsAntes)
                .arg(c.rfcsAhora)
                .arg(rfcs[int(Cambio::Entro)])
                .arg(rfcs[int(Cambio::Salio)])
                .arg(rfcs[int(Cambio::Cambiado)])
                .arg(rfcs[int(Cambio::Igual)]),
            QStringLiteral("Renglones: %1 antes y %2 ahora; nuevos: %3, quitados: %4, cambiados: %5, sin cambio: %6.")
                .arg(c.renglonesAntes)
                .arg(c.renglonesAhora)
                .arg(renglones[int(Cambio::Entro)])
                .arg(renglones[int(Cambio::Salio)])
                .arg(renglones[int(Cambio::Cambiado)])
                .arg(renglones[int(Cambio::Igual)])};
}

const QStringList &EncabezadosDeRfcsComparados()
{
    static const QStringList e = Encabezados({QStringLiteral("RFC"), QStringLiteral("Nombre")});
    return e;
}

QStringList TextosDeRfcComparado(const RfcComparado &r)
{
    return Textos({r.rfc, r.nombre}, r.cambio, true, r.antes, r.ahora);
}

const QStringList &EncabezadosDeRenglonesComparados()
{
    static const QStringList e = Encabezados({QStringLiteral("RFC"), QStringLiteral("Campo 5"),
                                              QStringLiteral("Clave genérica"), QStringLiteral("Presentación")});
    return e;
}

QStringList TextosDeRenglonComparado(const RenglonComparado &r)
{
    return Textos({r.rfc, r.linea, r.claveGenerica, r.presentacion}, r.cambio, false, r.antes, r.ahora);
}

QList<double> CifrasComparadas(const CifrasDeReporte &antes, const CifrasDeReporte &ahora)
{
    // To the report's 15 digits: 300 less 252.04 is 47.96, not the 47.95999999999998 of binary.
    const auto diferencia = [](double de, double a) { return QString::number(a - de, 'g', 15).toDouble(); };
    return {antes.cantidad, ahora.cantidad, diferencia(antes.cantidad, ahora.cantidad),
            antes.importe,  ahora.importe,  diferencia(antes.importe, ahora.importe),
            antes.ieps,     ahora.ieps,     diferencia(antes.ieps, ahora.ieps),
            antes.iva,      ahora.iva,      diferencia(antes.iva, ahora.iva)};
}

QString ComparacionComoTexto(const ComparacionDeReportes &c, const QString &anterior)
{
    QString texto = QStringLiteral("Comparación con el reporte anterior %1\n").arg(QDir::toNativeSeparators(anterior))
                    + LineasDeConteo(c).join(QLatin1Char('\n')) + QLatin1Char('\n');
    QList<QStringList> rfcs{EncabezadosDeTexto({QStringLiteral("RFC")})};
    for (const RfcComparado &r : c.rfcs) {
        if (r.cambio != Cambio::Igual)
            FilasDeCifras(rfcs, {r.rfc, TextoDeCambio(r.cambio, true)}, r.antes, r.ahora);
    }
    FilasDeCifras(rfcs, {QStringLiteral("Total"), QString()}, c.antes, c.ahora);
    texto += QLatin1Char('\n') + TablaComoTexto(rfcs, 3);
    QList<QStringList> renglones{EncabezadosDeTexto({QStringLiteral("RFC"), QStringLiteral("Campo 5"),
                                                     QStringLiteral("Clave genérica"), QStringLiteral("Presentación")})};
    for (const RenglonComparado &r : c.renglones) {
        if (r.cambio != Cambio::Igual)
            FilasDeCifras(renglones, {r.rfc, r.linea, r.claveGenerica, r.presentacion, TextoDeCambio(r.cambio, false)},
                          r.antes, r.ahora);
    }
    if (renglones.size() > 1)
        texto += QLatin1Char('\n') + TablaComoTexto(renglones, 6);
    return texto;
}

} // namespace engine

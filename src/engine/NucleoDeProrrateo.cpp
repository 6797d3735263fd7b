#include "NucleoDeProrrateo.h"

#include "Errores.h"
#include "FuenteDeRenglones.h"
#include "Formatos.h"

#include <cmath>
#include <limits>

namespace engine {

namespace {
// A value that the arithmetic needs: a NULL cannot take part in it.
double Numero(const QVariant &v, const QString &lugar, const QString &columna)
{
    return NoNulo(v, lugar, columna).toDouble();
}

// A number of the line; a text that does not read as one counts as 0, as always, and the review
// says so.
double Cifra(const Parte &parte, const QVariant &valor, const QString &columna, NotasDelProrrateo &notas)
{
    const double numero = Numero(valor, parte.lugar, columna);
    if (TextoQueNoEsNumero(valor))
        notas.append({NotaDelProrrateo::Tipo::TextoQueNoEsNumero,
                      QStringLiteral("folio %1, %2, columna %3: «%4»").arg(parte.folio, parte.documento, columna, valor.toString())});
    return numero;
}
} // namespace

QString Sangria(int posicion, const QString &texto)
{
    return QString(posicion - 1, QLatin1Char(' ')) + texto;
}

void CalcularParte(bool clientes, Parte &parte, const QVariant &cantidadAnexo, const QVariant &totalDocumento,
                   NotasDelProrrateo &notas)
{
    // Share of the document that this payment covers, held in single precision.
    const QString columnaAnexo = QStringLiteral("Cantidad de ") + QLatin1String(Lado::De(clientes).anexos);
    const double aplicado = Cifra(parte, cantidadAnexo, columnaAnexo, notas);
    // The total as the user knows it: the document's columns it is made from.
    const QString elTotal = QStringLiteral("el total (%1)").arg(Lado::TotalDelDocumento());
    if (totalDocumento.isNull())
        throw host::errores::usoNoValidoDeNull(
            QStringLiteral("%1, una de las columnas del total (%2) está vacía").arg(parte.lugar, Lado::TotalDelDocumento()));
    const double total = totalDocumento.toDouble();
    const double numerador = aplicado * 100;
    // A total that prints as 0.00 is a rounding residue of a zero total, not a document.
    if (std::fabs(total) < 0.005)
        throw numerador == 0
            ? host::errores::desbordamiento(QStringLiteral("%1, columna %2 y %3 valen 0").arg(parte.lugar, columnaAnexo, elTotal))
            : host::errores::divisionPorCero(QStringLiteral("%1, %2 vale 0").arg(parte.lugar, elTotal));
    const float porcentaje = float(numerador / total);
    if (!std::isfinite(porcentaje))
        throw host::errores::desbordamiento(
            QStringLiteral("%1, la proporción de %2 entre %3 es demasiado grande").arg(parte.lugar, columnaAnexo, elTotal));
    parte.linea = Sangria(20, QStringLiteral("Pago por: ") + FormatoImporte(aplicado)
                                  + QStringLiteral(", Proporción del pago respecto al total: ")
                                  + FormatoImporte(double(porcentaje)) + QStringLiteral(" %"));
    parte.fraccion = double(float(double(porcentaje) / 100));
    parte.calculada = true;
    // As the log prints it: 100.004 % is 100.00 %.
    if (double(porcentaje) <= -0.005 || double(porcentaje) >= 100.005)
        notas.append({NotaDelProrrateo::Tipo::ParteFueraDeRango,
                      QStringLiteral("folio %1, %2: %3 %").arg(parte.folio, parte.documento, FormatoImporte(double(porcentaje)))});
}

LineaProrrateada Prorratear(bool clientes, const Parte &parte, const ValoresDeLinea &valores, NotasDelProrrateo &notas)
{
    const double f = parte.fraccion;
    const QString campoPrecio = QLatin1String(Lado::De(clientes).precio);
    LineaProrrateada l;
    l.cantidad = Cifra(parte, valores.cantidad, QStringLiteral("Cantidad"), notas);
    l.precio = Cifra(parte, valores.precio, campoPrecio, notas);
    l.importe = l.cantidad * l.precio;
    l.ieps = l.importe * Cifra(parte, valores.tasaIeps, QStringLiteral("ImpuestoAd"), notas) / 100;
    l.prorrateo.ieps = RedondeoPar(f * l.ieps);

    const double tasaIva = Cifra(parte, valores.tasaIva, QStringLiteral("IVA"), notas);
    if (tasaIva != 0) {
        const double iva = (l.importe + l.ieps) * tasaIva / 100;
        l.prorrateo.iva = RedondeoPar(f * iva);
    }
    // Amounts beyond what a double holds would reach the work table as "inf".
    if (!std::isfinite(l.importe) || !std::isfinite(l.ieps) || !std::isfinite(l.prorrateo.iva))
        throw host::errores::desbordamiento(
            QStringLiteral("%1, columnas Cantidad y %2: el importe es demasiado grande").arg(parte.lugar, campoPrecio));
    l.prorrateo.cantidad = RedondeoPar(f * l.cantidad);
    l.prorrateo.importe = RedondeoPar(f * l.importe);
    return l;
}

int IdDeLinea(const QVariant &linea, const QString &lugar)
{
    const QString columna = QStringLiteral("Linea");
    const double d = RedondeoPar(Numero(linea, lugar, columna));
    if (d < double(std::numeric_limits<int>::min()) || d > double(std::numeric_limits<int>::max()))
        throw host::errores::desbordamiento(QStringLiteral("%1, columna %2 vale %3, más de lo que cabe en un número entero")
                                                .arg(lugar, columna, ValorComoTexto(linea)));
    return int(d);
}

QString LineaDelProducto(bool clientes, const QVariant &producto, const QString &nombreLinea, const LineaProrrateada &l)
{
    if (producto.isNull())
        return Sangria(30, QStringLiteral("Null"));
    return Sangria(30, QStringLiteral("Producto: ") + producto.toString() + QStringLiteral(", Linea: ") + nombreLinea
                           + QStringLiteral(", Cantidad: ") + NumeroGeneral(l.cantidad) + QStringLiteral(", ")
                           + (clientes ? QStringLiteral("Precio") : QStringLiteral("Costo")) + QStringLiteral(": ")
                           + FormatoImporte(l.precio) + QStringLiteral(", Importe: ") + FormatoImporte(l.importe));
}

QString LineaDelIeps(const QVariant &categoria, const QVariant &tasaIeps, const LineaProrrateada &l, double fraccion,
                     const Claves &claves)
{
    if (categoria.isNull())
        return Sangria(40, QStringLiteral("Null"));
    return Sangria(40, QStringLiteral(", % IEPS: ") + ValorComoTexto(tasaIeps) + QStringLiteral(", $ IEPS: ")
                           + FormatoImporte(l.ieps) + QStringLiteral(", $ IEPS proporcional al pago: ")
                           + FormatoImporte(fraccion * l.ieps) + QStringLiteral(", Campo 5: ") + claves.campo5
                           + QStringLiteral(", Clave gener.: ") + claves.generica + QStringLiteral(", ")
                           + categoria.toString());
}

} // namespace engine

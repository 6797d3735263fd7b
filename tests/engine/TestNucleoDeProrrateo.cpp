#include "ClaveEstado.h"
#include "Clasificacion.h"
#include "Errores.h"
#include "NucleoDeProrrateo.h"
#include "TextosDeTercero.h"

#include <QtTest>

#include <array>
#include <initializer_list>

using namespace engine;

namespace {
// A text rule under test.
using Regla = QString (*)(const QString &);

// The caller's variable is rewritten too.
QString LimpiarRfc(const QString &texto)
{
    QString variable = texto;
    const QString limpio = tercero::LimpiarRFC(variable);
    return limpio == variable ? limpio : QStringLiteral("<no reescribió la variable>");
}

// The codes of a line named and categorised "name|category" ("-|category": not in the line table;
// "~|category": there without a name).
template <bool porLinea>
QString CodigosDe(const QString &texto)
{
    const QStringList nc = texto.split(QLatin1Char('|'));
    const QVariant nombre = nc[0] == QLatin1String("~") ? QVariant(QMetaType::fromType<QString>()) : QVariant(nc[0]);
    const Claves c = Clasificar(porLinea, nc[0] != QLatin1String("-"), nombre, nc[1]);
    return c.campo5 + QLatin1Char(' ') + c.generica;
}

// Adds rows of (input, expected) text pairs of one rule to the current data table.
void filas(const char *nombre, Regla regla, std::initializer_list<std::array<const char *, 2>> casos)
{
    for (const auto &c : casos)
        QTest::addRow("%s: %s", nombre, c[0]) << regla << QString::fromUtf8(c[0]) << QString::fromUtf8(c[1]);
}

// A document's first line, of an invoice paid by folio 1: the share line of the log and the
// prorated quantity, amount, IEPS and IVA, then the review's notes; or the error that ends the run.
QString Prorrateo1(const QVariantList &e)
{
    Parte parte{QStringLiteral("1"), QStringLiteral("Factura A1"), QStringLiteral("el pago 1, factura A1"), false, {}, 0};
    NotasDelProrrateo notas;
    QString r;
    try {
        CalcularParte(true, parte, e[0], e[1], notas);
        const Prorrateo p = Prorratear(true, parte, {e[2], e[3], e[4], e[5]}, notas).prorrateo;
        r = parte.linea.trimmed() + ' ';
        for (const double x : {p.cantidad, p.importe, p.ieps, p.iva})
            r += QString::number(x, 'f', 0) + '|';
        r.chop(1);
    } catch (const host::Error &error) {
        r = error.texto();
    }
    for (const NotaDelProrrateo &n : notas)
        r += (n.tipo == NotaDelProrrateo::Tipo::ParteFueraDeRango ? QStringLiteral(" parte: ") : QStringLiteral(" texto: ")) + n.texto;
    return r;
}
} // namespace

// The rules of a detail line, which need no database: its proration, the party cleaning, state
// codes and the IEPS classification.
class TestNucleoDeProrrateo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reglasDeTexto_data()
    {
        QTest::addColumn<Regla>("regla");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        // Outer and inner blanks, dashes and what breaks a line go; the case stays.
        filas("rfc", LimpiarRfc, {{"  AAA-010101-AAA  ", "AAA010101AAA"}, {"AAA 010101 AAA", "AAA010101AAA"},
                                  {"xaxx010101000", "xaxx010101000"}, {"AAA|010101\r\n\tAAA\x7F", "AAA010101AAA"}});
        filas("separadores", tercero::QuitarSeparadores,
              {{"A|B", "A B"}, {"A\r\nB\t\x7F", "A  B  "}, {"Ñandú", "Ñandú"}});
        // Runs of up to 64 blanks collapse; tabs are no blanks.
        static const QByteArray de64 = "A" + QByteArray(64, ' ') + "B", de65 = "A" + QByteArray(65, ' ') + "B";
        filas("espacios", tercero::QuitarEspaciosDobles,
              {{"  A B  ", "A B"}, {de64.constData(), "A B"}, {de65.constData(), "A  B"}, {"A\t\tB", "A\t\tB"}});
        // Applied after the blanks were collapsed, as the work table's names are.
        const Regla especiales = [](const QString &t) {
            return tercero::QuitarCaracteresEspeciales(tercero::QuitarEspaciosDobles(t));
        };
        filas("especiales", especiales, {{"COMERCIAL, S.A. DE C.V.", "COMERCIAL SA DE CV"}, {"peña", "peña"},
                                         {"@´%#!¡.$&¿?Ñ,()x", "x"}, {"A & B", "A  B"}});
        // Each prefix and suffix of each entity, in the order of the rules; "00" for the rest.
        filas("estado", ObtenerClaveEstado, {
            {"AGUASCALIENTES", "01"}, {"AGS.", "01"}, {"BAJA CALIFORNIA", "02"}, {"B.C.", "02"},
            {"BAJA CALIFORNIA SUR", "03"}, {"B.C.S.", "03"}, {"CAMPECHE", "04"}, {"COAHUILA", "05"}, {"COLIMA", "06"},
            {"CHIAPAS", "07"}, {"CHIHUAHUA", "08"}, {"DISTRITO FEDERAL", "09"}, {"D.F.", "09"}, {"DURANGO", "10"},
            {"DGO", "10"}, {"GUANAJUATO", "11"}, {"GTO", "11"}, {"GUERRERO", "12"}, {"GRO", "12"}, {"HIDALGO", "13"},
            {"HGO", "13"}, {"JALISCO", "14"}, {"CIUDAD DE MEXICO", "15"}, {"EDO. MEX.", "15"}, {"E. MEX", "15"},
            {"MICHOACAN", "16"}, {"MORELOS", "17"}, {"NAYARIT", "18"}, {"N.L.", "19"}, {"LEON", "19"},
            {"NUEVO LEON", "00"}, {"OAXACA", "20"}, {"PUEBLA", "21"}, {"QRO", "22"}, {"QUERETARO", "00"},
            {"QUINTANA ROO", "23"}, {"Q. ROO", "23"}, {"SAN LUIS POTOSI", "24"}, {"S.L.P.", "24"}, {"SINALOA", "25"},
            {"SONORA", "26"}, {"TABASCO", "27"}, {"TAMAULIPAS", "28"}, {"TLAXCALA", "29"}, {"VERACRUZ", "30"},
            {"YUCATAN", "31"}, {"ZACATECAS", "32"}, {"EXTRANJERO", "33"}, {"EXTRANJERA", "00"}, {"Jalisco", "00"},
            {" JAL", "00"}, {"SU", "00"},
        });
        // Each rule of the product line's name, in its order.
        filas("linea", [](const QString &t) { return ClavePorNombreDeLinea(t); }, {
            {"CHOCOLATES Y BOTANAS", "001"}, {"CEREAL CON CHOCOLATE", "008"}, {"ALIMENTO PARA MASCOTAS", "008"},
            {"DULCES DE LECHE Y FRUTA", "005"}, {"LECHE DULCE", "000"}, {"DULCES DE LECHE", "007"},
            {"DULCES DE HORTALIZAS", "005"}, {"CREMA DE AVELLANA", "006"}, {"CREMAS DE CACAHUATE", "006"},
            {"CREMA", "000"}, {"FLANES", "004"}, {"PUDINES", "004"}, {"HELADOS", "009"}, {"PALETAS HELADAS", "000"},
            {"CONFITES", "002"}, {"CHOCOLATES", "003"}, {"botanas", "000"}, {"ALI", "000"},
        });
        // Each category, written exactly as the authority's catalogue writes it.
        filas("categoria", ClavePorCategoria, {
            {"BOTANAS", "001"}, {"PRODUCTOS DE CONFITERÍA", "002"},
            {"CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO", "003"}, {"FLANES Y PUDINES", "004"},
            {"DULCES DE FRUTAS Y HORTALIZAS", "005"}, {"CREMAS DE CACAHUATE Y AVELLANAS", "006"},
            {"DULCES DE LECHE", "007"}, {"ALIMENTOS PREPARADOS A BASE DE CEREALES", "008"},
            {"HELADOS, NIEVES Y PALETAS DE HIELO", "009"}, {"BOTANAS ", "000"}, {"Botanas", "000"},
            {"PRODUCTOS DE CONFITERIA", "000"},
        });
        filas("plaguicida", [](const QString &t) { return ClavePlaguicidaPorNombre(t); },
              {{"INSECTICIDAS", "019"}, {"PLAGUICIDAS", "019"}, {"VENENO INSECTOS", "019"}, {"insecticidas", "020"}});
        // A pesticide is 003 either way.
        filas("por línea", CodigosDe<true>, {{"INSECTICIDAS|BOTANAS", "019 003"}, {"BOTANAS|FLANES Y PUDINES", "020 001"},
                                         {"-|BOTANAS", "020 "}, {"~|BOTANAS", "020 000"}});
        filas("por categoría", CodigosDe<false>, {{"INSECTICIDAS|BOTANAS", "019 003"}, {"CHOCOLATES|FLANES Y PUDINES", "020 004"},
                                              {"-|BOTANAS", "020 001"}});
    }
    void reglasDeTexto()
    {
        QFETCH(Regla, regla);
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(regla(entrada), esperado);
    }

    void prorrateo_data()
    {
        QTest::addColumn<QVariantList>("entrada"); // aplicado, total, cantidad, precio, % IEPS, % IVA
        QTest::addColumn<QString>("esperado");
        const auto fila = [](const char *nombre, const QVariantList &e, const QString &x) { QTest::newRow(nombre) << e << x; };
        const QString parte = QStringLiteral("Pago por: %1, Proporción del pago respecto al total: %2 %");
        const QString error = QStringLiteral("Error nº %1: el pago 1, factura A1, ");
        const QString elTotal = QStringLiteral("el total (SubTotal+IVA+ImpuestoAd)");
        // IVA on the amount and its IEPS: (200 + 16) × 16 % × ½ = 17.28.
        fila("iva con ieps", {500, 1000, 10, 20, 8, 16}, parte.arg("500.00", "50.00") + " 5|100|8|17");
        // 33.333332 % in single precision: 999999962 and 79999997 in double precision.
        fila("parte sencilla", {1e9, 2999999999.0, 1, 3e9, 8, 0}, parte.arg("1,000,000,000.00", "33.33") + " 0|999999940|79999995|0");
        // Halves go to the even neighbour: 2.5, 7.5 and 0.75.
        fila("mitades al par", {50, 100, 5, 3, 10, 0}, parte.arg("50.00", "50.00") + " 2|8|1|0");
        fila("parte de más", {1200, 1000, 1, 10, 10, 0}, parte.arg("1,200.00", "120.00") + " 1|12|1|0 parte: folio 1, Factura A1: 120.00 %");
        fila("100.004 % es 100.00 %", {100.004, 100, 1, 10, 10, 0}, parte.arg("100.00", "100.00") + " 1|10|1|0");
        fila("texto", {10, 10, "2,5", 10, 10, 16}, parte.arg("10.00", "100.00") + " 0|0|0|0 texto: folio 1, Factura A1, columna Cantidad: «2,5»");
        fila("nada de un total 0", {0, 0, 1, 10, 8, 0}, error.arg("6, Desbordamiento") + "columna Cantidad de anexopagosctes y " + elTotal + " valen 0");
        // A total that prints as 0.00 is a zero total.
        fila("residuo", {10, 0.004, 1, 10, 8, 0}, error.arg("11, División por cero") + elTotal + " vale 0");
        fila("total nulo", {10, QVariant(QMetaType::fromType<double>()), 1, 10, 8, 0}, error.arg("94, Uso no válido de Null") + "una de las columnas del total (SubTotal+IVA+ImpuestoAd) está vacía");
        fila("parte infinita", {1e300, 1, 1, 10, 8, 0}, error.arg("6, Desbordamiento") + "la proporción de Cantidad de anexopagosctes entre " + elTotal + " es demasiado grande");
        fila("importe infinito", {10, 10, 1e300, 1e300, 8, 0}, error.arg("6, Desbordamiento") + "columnas Cantidad y PrecioNeto: el importe es demasiado grande");
    }
    void prorrateo()
    {
        QFETCH(QVariantList, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(Prorrateo1(entrada), esperado);
    }
};

QTEST_GUILESS_MAIN(TestNucleoDeProrrateo)
#include "TestNucleoDeProrrateo.moc"

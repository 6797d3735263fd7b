#include "clsRepIEPS.h"

#include <QtTest>

#include <array>
#include <initializer_list>

using engine::clsRepIEPS;

namespace {
// A text rule under test.
using Regla = QString (*)(const QString &);

// The caller's variable is rewritten too.
QString LimpiarRfc(const QString &texto)
{
    QString variable = texto;
    const QString limpio = clsRepIEPS::LimpiarRFC(variable);
    return limpio == variable ? limpio : QStringLiteral("<no reescribió la variable>");
}

// Adds rows of (input, expected) text pairs of one rule to the current data table.
void filas(const char *nombre, Regla regla, std::initializer_list<std::array<const char *, 2>> casos)
{
    for (const auto &c : casos)
        QTest::addRow("%s: %s", nombre, c[0]) << regla << QString::fromUtf8(c[0]) << QString::fromUtf8(c[1]);
}
} // namespace

// Party cleaning, state codes and the IEPS classification rules, which need no database.
class TestClasificacion : public QObject {
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
        filas("separadores", clsRepIEPS::QuitarSeparadores,
              {{"A|B", "A B"}, {"A\r\nB\t\x7F", "A  B  "}, {"Ñandú", "Ñandú"}});
        // Runs of up to 64 blanks collapse; tabs are no blanks.
        static const QByteArray de64 = "A" + QByteArray(64, ' ') + "B", de65 = "A" + QByteArray(65, ' ') + "B";
        filas("espacios", clsRepIEPS::QuitarEspaciosDobles,
              {{"  A B  ", "A B"}, {de64.constData(), "A B"}, {de65.constData(), "A  B"}, {"A\t\tB", "A\t\tB"}});
        // Applied after the blanks were collapsed, as the work table's names are.
        const Regla especiales = [](const QString &t) {
            return clsRepIEPS::QuitarCaracteresEspeciales(clsRepIEPS::QuitarEspaciosDobles(t));
        };
        filas("especiales", especiales, {{"COMERCIAL, S.A. DE C.V.", "COMERCIAL SA DE CV"}, {"peña", "peña"},
                                         {"@´%#!¡.$&¿?Ñ,()x", "x"}, {"A & B", "A  B"}});
        // Each prefix and suffix of each entity, in the order of the rules; "00" for the rest.
        filas("estado", clsRepIEPS::ObtenerClaveEstado, {
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
        filas("linea", [](const QString &t) { return clsRepIEPS::ClavePorNombreDeLinea(t); }, {
            {"CHOCOLATES Y BOTANAS", "001"}, {"CEREAL CON CHOCOLATE", "008"}, {"ALIMENTO PARA MASCOTAS", "008"},
            {"DULCES DE LECHE Y FRUTA", "005"}, {"LECHE DULCE", "000"}, {"DULCES DE LECHE", "007"},
            {"DULCES DE HORTALIZAS", "005"}, {"CREMA DE AVELLANA", "006"}, {"CREMAS DE CACAHUATE", "006"},
            {"CREMA", "000"}, {"FLANES", "004"}, {"PUDINES", "004"}, {"HELADOS", "009"}, {"PALETAS HELADAS", "000"},
            {"CONFITES", "002"}, {"CHOCOLATES", "003"}, {"botanas", "000"}, {"ALI", "000"},
        });
        // Each category, written exactly as the authority's catalogue writes it.
        filas("categoria", clsRepIEPS::ClavePorCategoria, {
            {"BOTANAS", "001"}, {"PRODUCTOS DE CONFITERÍA", "002"},
            {"CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO", "003"}, {"FLANES Y PUDINES", "004"},
            {"DULCES DE FRUTAS Y HORTALIZAS", "005"}, {"CREMAS DE CACAHUATE Y AVELLANAS", "006"},
            {"DULCES DE LECHE", "007"}, {"ALIMENTOS PREPARADOS A BASE DE CEREALES", "008"},
            {"HELADOS, NIEVES Y PALETAS DE HIELO", "009"}, {"BOTANAS ", "000"}, {"Botanas", "000"},
            {"PRODUCTOS DE CONFITERIA", "000"},
        });
        filas("plaguicida", [](const QString &t) { return clsRepIEPS::ClavePlaguicidaPorNombre(t); },
              {{"INSECTICIDAS", "019"}, {"PLAGUICIDAS", "019"}, {"VENENO INSECTOS", "019"}, {"insecticidas", "020"}});
    }
    void reglasDeTexto()
    {
        QFETCH(Regla, regla);
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(regla(entrada), esperado);
    }

    // A line without a name.
    void nombreNulo()
    {
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QVariant(QMetaType::fromType<QString>())), QStringLiteral("020"));
        QCOMPARE(clsRepIEPS::ClavePorNombreDeLinea(QVariant(QMetaType::fromType<QString>())), QStringLiteral("000"));
    }
};

QTEST_GUILESS_MAIN(TestClasificacion)
#include "TestClasificacion.moc"

#include "clsRepIEPS.h"

#include <QtTest>

using engine::clsRepIEPS;

namespace {
// The text rules under test, each with the name its rows carry.
enum Regla { RFC, Separadores, Espacios, Especiales, Estado, Linea, Categoria };
QString Aplicar(Regla regla, QString t)
{
    switch (regla) {
    case RFC: {
        const QString limpio = clsRepIEPS::LimpiarRFC(t);
        return limpio == t ? limpio : QStringLiteral("<no reescribió la variable>"); // the caller's variable is rewritten
    }
    case Separadores:
        return clsRepIEPS::QuitarSeparadores(t);
    case Espacios:
        return clsRepIEPS::QuitarEspaciosDobles(t);
    case Especiales: // applied after the blanks were collapsed, as the work table's names are
        return clsRepIEPS::QuitarCaracteresEspeciales(clsRepIEPS::QuitarEspaciosDobles(t));
    case Estado:
        return clsRepIEPS::ObtenerClaveEstado(t);
    case Linea:
        return clsRepIEPS::ClavePorNombreDeLinea(t);
    case Categoria:
        return clsRepIEPS::ClavePorCategoria(t);
    }
    return QString();
}

// Adds rows of (input, expected) text pairs of one rule to the current data table.
template <size_t N>
void filas(Regla regla, const char *nombre, const char *const (&casos)[N][2])
{
    for (const auto &c : casos)
        QTest::addRow("%s: %s", nombre, c[0][0] ? c[0] : "(vacio)") << int(regla) << QString::fromUtf8(c[0]) << QString::fromUtf8(c[1]);
}
} // namespace

// Party cleaning, state codes and the IEPS classification rules, which need no database.
class TestClasificacion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reglasDeTexto_data()
    {
        QTest::addColumn<int>("regla");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("esperado");
        const char *const rfc[][2] = {{"  AAA-010101-AAA  ", "AAA010101AAA"}, {"AAA 010101 AAA", "AAA010101AAA"},
                                      {"xaxx010101000", "xaxx010101000"}, {"\tAAA", "AAA"},
                                      {"AAA|010101\r\nAAA\x7F", "AAA010101AAA"}, {"", ""}};
        const char *const separadores[][2] = {{"A|B", "A B"}, {"A\r\nB\t\x7F", "A  B  "}, {"Ñandú", "Ñandú"}, {"", ""}};
        static const QByteArray de64 = "A" + QByteArray(64, ' ') + "B", de65 = "A" + QByteArray(65, ' ') + "B";
        const char *const espacios[][2] = {{"  A B  ", "A B"}, {"", ""},     {"A   B", "A B"}, {de64.constData(), "A B"},
                                           {de65.constData(), "A  B"}, {"A\t\tB", "A\t\tB"}};
        const char *const especiales[][2] = {{"COMERCIAL, S.A. DE C.V.", "COMERCIAL SA DE CV"},
                                             {"PEÑA (SUCURSAL #2)", "PEA SUCURSAL 2"}, {"peña", "peña"},
                                             {"@´%#!¡.$&¿?Ñ,()x", "x"}, {"A & B", "A  B"}};
        const char *const estado[][2] = {
            {"AGUASCALIENTES", "01"}, {"AGS.", "01"}, {"BAJA CALIFORNIA", "02"}, {"B.C.", "02"},
            {"BAJA CALIFORNIA SUR", "03"}, {"B.C.S.", "03"}, {"CAMPECHE", "04"}, {"COAHUILA", "05"},
            {"COLIMA", "06"}, {"CHIAPAS", "07"}, {"CHIHUAHUA", "08"}, {"DISTRITO FEDERAL", "09"},
            {"D.F.", "09"}, {"DURANGO", "10"}, {"DGO", "10"}, {"GUANAJUATO", "11"}, {"GTO", "11"},
            {"GUERRERO", "12"}, {"GRO", "12"}, {"HIDALGO", "13"}, {"HGO", "13"}, {"JALISCO", "14"},
            {"CIUDAD DE MEXICO", "15"}, {"ESTADO DE MEXICO", "15"}, {"EDO. MEX.", "15"}, {"EDO MEX", "15"},
            {"MEXICO", "15"}, {"E. MEX", "15"}, {"MICHOACAN", "16"}, {"MORELOS", "17"}, {"NAYARIT", "18"},
            {"N.L.", "19"}, {"LEON", "19"}, {"NUEVO LEON", "00"}, {"OAXACA", "20"}, {"PUEBLA", "21"},
            {"QRO", "22"}, {"QUERETARO", "00"}, {"QUINTANA ROO", "23"}, {"Q. ROO", "23"},
            {"SAN LUIS POTOSI", "24"}, {"S.L.P.", "24"}, {"SINALOA", "25"}, {"SONORA", "26"},
            {"TABASCO", "27"}, {"TAMAULIPAS", "28"}, {"TLAXCALA", "29"}, {"VERACRUZ", "30"},
            {"YUCATAN", "31"}, {"ZACATECAS", "32"}, {"EXTRANJERO", "33"}, {"EXTRANJERA", "00"},
            {"Jalisco", "00"}, {" JAL", "00"}, {"", "00"}, {"SU", "00"},
        };
        const char *const linea[][2] = {
            {"CHOCOLATES Y BOTANAS", "001"}, {"CEREAL CON CHOCOLATE", "008"}, {"ALIMENTO PARA MASCOTAS", "008"},
            {"DULCES DE LECHE Y FRUTA", "005"}, {"LECHE DULCE", "000"}, {"DULCES DE LECHE", "007"},
            {"DULCES DE HORTALIZAS", "005"}, {"CREMA DE AVELLANA", "006"}, {"CREMAS DE CACAHUATE", "006"},
            {"CREMA", "000"}, {"FLANES", "004"}, {"PUDINES", "004"}, {"HELADOS", "009"},
            {"PALETAS HELADAS", "000"}, {"CONFITES", "002"}, {"CHOCOLATES", "003"}, {"botanas", "000"},
            {"ALI", "000"},
        };
        const char *const categoria[][2] = {
            {"BOTANAS", "001"}, {"PRODUCTOS DE CONFITERÍA", "002"},
            {"CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO", "003"}, {"FLANES Y PUDINES", "004"},
            {"DULCES DE FRUTAS Y HORTALIZAS", "005"}, {"CREMAS DE CACAHUATE Y AVELLANAS", "006"},
            {"DULCES DE LECHE", "007"}, {"ALIMENTOS PREPARADOS A BASE DE CEREALES", "008"},
            {"HELADOS, NIEVES Y PALETAS DE HIELO", "009"}, {"BOTANAS ", "000"}, {"Botanas", "000"},
            {"PRODUCTOS DE CONFITERIA", "000"}, {"", "000"},
        };
        filas(RFC, "rfc", rfc);
        filas(Separadores, "separadores", separadores);
        filas(Espacios, "espacios", espacios);
        filas(Especiales, "especiales", especiales);
        filas(Estado, "estado", estado);
        filas(Linea, "linea", linea);
        filas(Categoria, "categoria", categoria);
    }
    void reglasDeTexto()
    {
        QFETCH(int, regla);
        QFETCH(QString, entrada);
        QFETCH(QString, esperado);
        QCOMPARE(Aplicar(Regla(regla), entrada), esperado);
    }

    void clavePlaguicida()
    {
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QStringLiteral("INSECTICIDAS")), QStringLiteral("019"));
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QStringLiteral("PLAGUICIDAS")), QStringLiteral("019"));
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QStringLiteral("VENENO INSECTOS")), QStringLiteral("019"));
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QStringLiteral("insecticidas")), QStringLiteral("020"));
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(QVariant(QMetaType::fromType<QString>())), QStringLiteral("020"));
        QCOMPARE(clsRepIEPS::ClavePorNombreDeLinea(QVariant(QMetaType::fromType<QString>())), QStringLiteral("000"));
    }
};

QTEST_GUILESS_MAIN(TestClasificacion)
#include "TestClasificacion.moc"

#include "clsRepIEPS.h"

#include <QtTest>

using engine::clsRepIEPS;

// Party cleaning, state codes and the IEPS classification rules, which need no database.
class TestClasificacion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void limpiarRFC_data()
    {
        QTest::addColumn<QString>("rfc");
        QTest::addColumn<QString>("limpio");
        QTest::newRow("guiones y blancos") << "  AAA-010101-AAA  " << "AAA010101AAA";
        QTest::newRow("blancos internos") << "AAA 010101 AAA" << "AAA010101AAA";
        QTest::newRow("minusculas") << "xaxx010101000" << "xaxx010101000";
        QTest::newRow("tabulador queda") << "\tAAA" << "\tAAA";
        QTest::newRow("vacio") << "" << "";
    }
    void limpiarRFC()
    {
        QFETCH(QString, rfc);
        QFETCH(QString, limpio);
        QString variable = rfc;
        QCOMPARE(clsRepIEPS::LimpiarRFC(variable), limpio);
        QCOMPARE(variable, limpio); // the caller's variable is rewritten
    }

    void quitarEspaciosDobles_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("sin dobles") << "  A B  " << "A B";
        QTest::newRow("vacio") << "" << "";
        QTest::newRow("tres") << "A   B" << "A B";
        QTest::newRow("64 blancos") << "A" + QString(64, ' ') + "B" << "A B";
        QTest::newRow("65 blancos") << "A" + QString(65, ' ') + "B" << "A  B";
        QTest::newRow("tabulador") << "A\t\tB" << "A\t\tB";
    }
    void quitarEspaciosDobles()
    {
        QFETCH(QString, texto);
        QFETCH(QString, resultado);
        QCOMPARE(clsRepIEPS::QuitarEspaciosDobles(texto), resultado);
    }

    void quitarCaracteresEspeciales_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("razon social") << "COMERCIAL, S.A. DE C.V." << "COMERCIAL SA DE CV";
        QTest::newRow("enie mayuscula") << "PEÑA (SUCURSAL #2)" << "PEA SUCURSAL 2";
        QTest::newRow("enie minuscula") << "peña" << "peña";
        QTest::newRow("todos") << "@´%#!¡.$&¿?Ñ,()x" << "x";
        QTest::newRow("ampersand tras colapsar") << clsRepIEPS::QuitarEspaciosDobles("A & B") << "A  B";
    }
    void quitarCaracteresEspeciales()
    {
        QFETCH(QString, texto);
        QFETCH(QString, resultado);
        QCOMPARE(clsRepIEPS::QuitarCaracteresEspeciales(texto), resultado);
    }

    void claveEstado_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("clave");
        const char *casos[][2] = {
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
        for (const auto &c : casos)
            QTest::newRow(c[0][0] ? c[0] : "vacio") << QString::fromUtf8(c[0]) << QString::fromLatin1(c[1]);
    }
    void claveEstado()
    {
        QFETCH(QString, estado);
        QFETCH(QString, clave);
        QCOMPARE(clsRepIEPS::ObtenerClaveEstado(estado), clave);
    }

    void clavePorLinea_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("clave");
        QTest::newRow("botan antes que choc") << "CHOCOLATES Y BOTANAS" << "001";
        QTest::newRow("cereal") << "CEREAL CON CHOCOLATE" << "008";
        QTest::newRow("alim al inicio") << "ALIMENTO PARA MASCOTAS" << "008";
        QTest::newRow("fruta antes que leche") << "DULCES DE LECHE Y FRUTA" << "005";
        QTest::newRow("dulc al inicio") << "LECHE DULCE" << "000";
        QTest::newRow("dulces de leche") << "DULCES DE LECHE" << "007";
        QTest::newRow("hortalizas") << "DULCES DE HORTALIZAS" << "005";
        QTest::newRow("crema de avellana") << "CREMA DE AVELLANA" << "006";
        QTest::newRow("crema de cacahuate") << "CREMAS DE CACAHUATE" << "006";
        QTest::newRow("crema sola") << "CREMA" << "000";
        QTest::newRow("flan") << "FLANES" << "004";
        QTest::newRow("pudin") << "PUDINES" << "004";
        QTest::newRow("helados") << "HELADOS" << "009";
        QTest::newRow("hela al inicio") << "PALETAS HELADAS" << "000";
        QTest::newRow("confites") << "CONFITES" << "002";
        QTest::newRow("chocolate") << "CHOCOLATES" << "003";
        QTest::newRow("minusculas") << "botanas" << "000";
        QTest::newRow("corto") << "ALI" << "000";
    }
    void clavePorLinea()
    {
        QFETCH(QString, linea);
        QFETCH(QString, clave);
        QCOMPARE(clsRepIEPS::ClavePorNombreDeLinea(linea), clave);
    }

    void clavePlaguicida_data()
    {
        QTest::addColumn<QVariant>("linea");
        QTest::addColumn<QString>("clave");
        QTest::newRow("insecticidas") << QVariant("INSECTICIDAS") << "019";
        QTest::newRow("plaguicidas") << QVariant("PLAGUICIDAS") << "019";
        QTest::newRow("en medio") << QVariant("VENENO INSECTOS") << "019";
        QTest::newRow("minusculas") << QVariant("insecticidas") << "020";
        QTest::newRow("otra") << QVariant("BOTANAS") << "020";
        QTest::newRow("nula") << QVariant(QMetaType::fromType<QString>()) << "020";
    }
    void clavePlaguicida()
    {
        QFETCH(QVariant, linea);
        QFETCH(QString, clave);
        QCOMPARE(clsRepIEPS::ClavePlaguicidaPorNombre(linea), clave);
    }

    void clavePorCategoria_data()
    {
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QString>("clave");
        QTest::newRow("001") << "BOTANAS" << "001";
        QTest::newRow("002") << "PRODUCTOS DE CONFITERÍA" << "002";
        QTest::newRow("003") << "CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO" << "003";
        QTest::newRow("004") << "FLANES Y PUDINES" << "004";
        QTest::newRow("005") << "DULCES DE FRUTAS Y HORTALIZAS" << "005";
        QTest::newRow("006") << "CREMAS DE CACAHUATE Y AVELLANAS" << "006";
        QTest::newRow("007") << "DULCES DE LECHE" << "007";
        QTest::newRow("008") << "ALIMENTOS PREPARADOS A BASE DE CEREALES" << "008";
        QTest::newRow("009") << "HELADOS, NIEVES Y PALETAS DE HIELO" << "009";
        QTest::newRow("blanco final") << "BOTANAS " << "000";
        QTest::newRow("mayusculas y minusculas") << "Botanas" << "000";
        QTest::newRow("sin acento") << "PRODUCTOS DE CONFITERIA" << "000";
        QTest::newRow("vacia") << "" << "000";
    }
    void clavePorCategoria()
    {
        QFETCH(QString, categoria);
        QFETCH(QString, clave);
        QCOMPARE(clsRepIEPS::ClavePorCategoria(categoria), clave);
    }
};

QTEST_GUILESS_MAIN(TestClasificacion)
#include "TestClasificacion.moc"

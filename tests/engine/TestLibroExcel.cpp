#include "Formatos.h"
#include "LibroExcel.h"

#include <QtTest>

#include <clocale>
#include <cstdio>

using namespace engine;
using namespace Qt::StringLiterals;

namespace {

// A member of a workbook (a zip of XML files), read through unzip.
QByteArray Miembro(const QString &libro, const QString &nombre)
{
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, libro, nombre});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

// The attribute (or, without one, the text) of every element of this name in an XML member.
QStringList Valores(const QByteArray &xml, QLatin1String elemento, QLatin1String atributo = QLatin1String())
{
    QStringList valores;
    QXmlStreamReader x(xml);
    while (!x.atEnd())
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == elemento)
            valores << (atributo.isEmpty() ? x.readElementText() : x.attributes().value(atributo).toString());
    return valores;
}

// How each cell style of a book looks, by its index, as a suffix to a cell's value: a space and its
// number format unless General, then "*" when its font is not the plain one (bold): " #,##0*".
QStringList Estilos(const QString &libro)
{
    const QByteArray xml = Miembro(libro, u"xl/styles.xml"_s), xfs = xml.mid(xml.indexOf("<cellXfs"));
    const QStringList ids = Valores(xml, "numFmt"_L1, "numFmtId"_L1), fuentes = Valores(xfs, "xf"_L1, "fontId"_L1);
    QStringList estilos = Valores(xfs, "xf"_L1, "numFmtId"_L1);
    for (int i = 0; i < estilos.size(); ++i)
        estilos[i] = (ids.contains(estilos[i]) ? u' ' + Valores(xml, "numFmt"_L1, "formatCode"_L1).at(ids.indexOf(estilos[i])) : u""_s)
                     + (fuentes.at(i) == "0"_L1 ? u""_s : u"*"_s);
    return estilos;
}

// The cells of the n-th sheet (1-based) by their name ("A1"), each as the first letter of its type
// and its value: a shared text "t:RFC", a number "n:250", a formula with the value it was saved
// with "f:SUM(D2:D3)=3"; then its look (Estilos): "n:250 #,##0", "t:Total*".
QHash<QString, QString> Celdas(const QString &libro, int n)
{
    const QStringList textos = Valores(Miembro(libro, u"xl/sharedStrings.xml"_s), "t"_L1), estilos = Estilos(libro);
    QHash<QString, QString> celdas;
    QXmlStreamReader x(Miembro(libro, u"xl/worksheets/sheet%1.xml"_s.arg(n)));
    QString nombre, estilo;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == "c"_L1) {
            nombre = x.attributes().value("r"_L1).toString();
            celdas[nombre] = x.attributes().value("t"_L1) == "s"_L1 ? u"t:"_s : u"n:"_s;
            estilo = estilos.value(x.attributes().value("s"_L1).toInt());
        } else if (x.name() == "f"_L1) {
            celdas[nombre] = u"f:"_s + x.readElementText() + u'=';
        } else if (x.name() == "v"_L1) {
            const QString v = x.readElementText();
            celdas[nombre] += (celdas[nombre] == "t:"_L1 ? textos.value(v.toInt()) : v) + estilo;
        }
    }
    return celdas;
}

// A row's cells from column A to its last one, joined by "|"; nothing between two "|" where there
// is no cell.
QString Fila(const QHash<QString, QString> &celdas, int fila)
{
    QStringList r;
    for (char c = 'A'; c <= 'Z'; ++c)
        r << celdas.value(QLatin1Char(c) + QString::number(fila));
    while (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r.join(u'|');
}

} // namespace

// The workbook read back from its file: sheets, cells with their types, formulas and formats, the
// filters and how it prints.
class TestLibroExcel : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ResumenDeReporte resumen;
    QList<Hallazgo> hallazgos;
    QString libro; // written by the run of a quarter

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("unzip no está instalado: el libro no se puede leer de vuelta");
        QVERIFY(LeerResumen("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|240|005|0.250|004|3150.5|0|252.04|504.08|||||||||||\r\n"
                            "C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|019|00|002|000|10|005|0.600|004|849.5|0|47.96|135.92|||||||||||\r\n"
                            "C|BBB020202BBB|DISTRIBUIDORA \xD1U\xD1O & <HIJOS>|09|020|00|004|000|3|005|1.000|004|7|0|1|2|||||||||||\r\n",
                            resumen, nullptr));
        hallazgos << Hallazgo{"RFC con minúsculas", "RFC con minúsculas (la autoridad lo pide en mayúsculas)",
                              "aaa010101aaa", {"C1", "C2"}, "COMERCIAL", {}, true}
                  << Hallazgo{"producto que no está en el catálogo", "producto que no está en el catálogo", "P9", {},
                              {}, "2 líneas", false};
        ContarHallazgos(resumen, hallazgos);
        libro = dir.filePath(u"libro ñ.xlsx"_s);
        const DatosDeCorrida corrida{u"clientes del 01/01/2018 al 31/03/2018"_s, u"datos1"_s, {{2018, 4, 2}, {9, 5, 7}}};
        QString error;
        QVERIFY2(EscribirLibroExcel(libro, resumen, hallazgos, u"/datos/reportes/IEPS 2018-T1.txt"_s, corrida, &error),
                 qPrintable(error));
    }

    void tresHojasConSusDatos()
    {
        QCOMPARE(Valores(Miembro(libro, u"xl/workbook.xml"_s), "sheet"_L1, "name"_L1),
                 QStringList({u"Resumen"_s, u"Renglones"_s, u"Revisión"_s}));

        const QHash<QString, QString> r = Celdas(libro, 1);
        QCOMPARE(QStringList({Fila(r, 1), Fila(r, 2), Fila(r, 3), Fila(r, 4), Fila(r, 5), Fila(r, 6)}).join(u'/'),
                 u"t:Reporte especial de IEPS*/t:Reporte: IEPS 2018-T1.txt/t:Reporte de clientes del 01/01/2018 al "
                 "31/03/2018/t:Base de datos: datos1/t:Generado el 02/04/2018 a las 09:05/"_s);
        QCOMPARE(Fila(r, 7), u"t:RFC*|t:Nombre*|t:Estado*|t:Renglones*|t:Cantidad*|t:Importe*|t:IEPS*|t:IVA*|t:Hallazgos*"_s);
        QCOMPARE(Fila(r, 8), u"t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|n:2 #,##0|n:250 #,##0|n:4000 #,##0|"
                             "n:300 #,##0|n:640 #,##0|n:1 #,##0"_s);
        QCOMPARE(Fila(r, 9), u"t:BBB020202BBB|t:DISTRIBUIDORA ÑUÑO & <HIJOS>|t:09|n:1 #,##0|n:3 #,##0|n:7 #,##0|"
                             "n:1 #,##0|n:2 #,##0|n:0 #,##0"_s);
        // The totals are the sheet's own sums, saved with their values.
        QCOMPARE(Fila(r, 10), u"t:Total*|t:2 RFC*||f:SUM(D8:D9)=3 #,##0*|f:SUM(E8:E9)=253 #,##0*|f:SUM(F8:F9)=4007 #,##0*|"
                              "f:SUM(G8:G9)=301 #,##0*|f:SUM(H8:H9)=642 #,##0*|f:SUM(I8:I9)=1 #,##0*"_s);

        const QHash<QString, QString> g = Celdas(libro, 2);
        QCOMPARE(Fila(g, 1), u"t:Tipo*|t:RFC*|t:Nombre*|t:Estado*|t:Campo 5*|t:Campo 6*|t:Clave genérica*|t:Campo 8*|"
                             "t:Cantidad*|t:Campo 10*|t:Presentación*|t:Campo 12*|t:Importe*|t:Campo 14*|t:IEPS*|t:IVA*"_s);
        QCOMPARE(Fila(g, 2), u"t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:020|t:00|t:001|t:000|n:240 #,##0|"
                             "t:005|n:0.25 0.000|t:004|n:3150.5 #,##0.00|t:0|n:252.04 #,##0.00|n:504.08 #,##0.00"_s);
        QCOMPARE(Fila(g, 3), u"t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:019|t:00|t:002|t:000|n:10 #,##0|"
                             "t:005|n:0.6 0.000|t:004|n:849.5 #,##0.00|t:0|n:47.96 #,##0.00|n:135.92 #,##0.00"_s);

        const QHash<QString, QString> h = Celdas(libro, 3);
        QCOMPARE(Fila(h, 1), u"t:En el reporte*|t:Tipo*|t:RFC o producto*|t:Clave*|t:Nombre*|t:Problema*"_s);
        QCOMPARE(Fila(h, 2), u"t:sí|t:RFC con minúsculas|t:aaa010101aaa|t:C1, C2|t:COMERCIAL|"
                             "t:RFC con minúsculas (la autoridad lo pide en mayúsculas)"_s);
        QCOMPARE(h.value(u"F3"_s), u"t:producto que no está en el catálogo: 2 líneas"_s);
    }

    // With the report's detail, a fourth sheet of its lines: figures as numbers, codes as texts, a filter.
    void hojaDelDetalle()
    {
        DetalleDelReporte d;
        d.lineas << u"100|05/03/2018|C1|AAA010101AAA|Factura A77|1000|500|0.5|1|P01|020|001|0.250|240|3150.5|252.04|504.08"_s.split(u'|');
        const QString ruta = dir.filePath(u"detalle.xlsx"_s);
        QVERIFY(EscribirLibroExcel(ruta, resumen, hallazgos, u"rep.txt"_s, {}, nullptr, &d));
        QCOMPARE(Valores(Miembro(ruta, u"xl/workbook.xml"_s), "sheet"_L1, "name"_L1),
                 QStringList({u"Resumen"_s, u"Renglones"_s, u"Revisión"_s, u"Detalle"_s}));
        const QHash<QString, QString> c = Celdas(ruta, 4);
        QCOMPARE(Fila(c, 1).section(u'|', 10, 12), u"t:Campo 5*|t:Clave genérica*|t:Presentación*"_s);
        QCOMPARE(Fila(c, 2), u"t:100|t:05/03/2018|t:C1|t:AAA010101AAA|t:Factura A77|n:1000 #,##0|n:500 #,##0|n:0.5 #,##0.00|"
                             "n:1 #,##0|t:P01|t:020|t:001|n:0.25 0.000|n:240 #,##0|n:3150.5 #,##0.00|n:252.04 #,##0.00|"
                             "n:504.08 #,##0.00"_s);
        QVERIFY(Miembro(ruta, u"xl/worksheets/sheet4.xml"_s).contains("<autoFilter"));
    }

    // Filters, frozen panes, widths and the page setup: how many times the XML of the workbook and
    // its sheets holds each.
    void filtrosEImpresion_data()
    {
        QTest::addColumn<QString>("parte");
        QTest::addColumn<int>("veces");
        QTest::newRow("filtro del resumen, sin sus totales") << uR"(<autoFilter ref="A7:I9"/>)"_s << 1;
        QTest::newRow("filtro de los renglones") << uR"(<autoFilter ref="A1:P4"/>)"_s << 1;
        QTest::newRow("filtro de la revisión") << uR"(<autoFilter ref="A1:F3"/>)"_s << 1;
        QTest::newRow("encabezados del resumen en cada página") << uR"(<definedName name="_xlnm.Print_Titles" localSheetId="0">Resumen!$7:$7<)"_s << 1;
        QTest::newRow("los de las otras dos en cada página") << uR"(!$1:$1</definedName>)"_s << 2;
        QTest::newRow("encabezados fijos en el resumen") << uR"(<pane ySplit="7" topLeftCell="A8" activePane="bottomLeft" state="frozen"/>)"_s << 1;
        QTest::newRow("encabezados fijos en las otras dos") << uR"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)"_s << 2;
        QTest::newRow("ancho del RFC, sin el título") << uR"(<col min="1" max="1" width="14.7109375" customWidth="1"/>)"_s << 1;
        QTest::newRow("ajustadas a la página") << uR"(<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>)"_s << 3;
        // Letter, landscape, one page wide (fitToWidth 1 is the default, left unwritten), as tall as it takes.
        QTest::newRow("página") << uR"(<pageSetup paperSize="1" fitToHeight="0" orientation="landscape"/><headerFooter>)"
                                   uR"(<oddFooter>&amp;CPágina &amp;P de &amp;N</oddFooter></headerFooter>)"_s << 3;
    }
    void filtrosEImpresion()
    {
        QString xml = QString::fromUtf8(Miembro(libro, u"xl/workbook.xml"_s));
        for (int n = 1; n <= 3; ++n)
            xml += QString::fromUtf8(Miembro(libro, u"xl/worksheets/sheet%1.xml"_s.arg(n)));
        QFETCH(QString, parte);
        QTEST(int(xml.count(parte)), "veces");
    }

    // Under a locale with a decimal comma (the user's, which Qt takes on Linux) the cells still
    // hold numbers with a point.
    void numerosConComaDecimalEnElSistema()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows programs keep the C locale");
#else
        const QString locales = dir.filePath(QStringLiteral("locales"));
        QVERIFY(QDir().mkpath(locales));
        QProcess::execute(u"localedef"_s, {u"-i"_s, u"es_ES"_s, u"-f"_s, u"UTF-8"_s, locales + u"/es_ES.UTF-8"_s});
        qputenv("LOCPATH", QFile::encodeName(locales));
        if (!setlocale(LC_NUMERIC, "es_ES.UTF-8"))
            QSKIP("el locale es_ES no se pudo crear aquí (¿está instalado localedef?)");
        char coma[16];
        std::snprintf(coma, sizeof coma, "%g", 0.25);
        const QString ruta = dir.filePath(QStringLiteral("coma.xlsx"));
        const bool escrito = EscribirLibroExcel(ruta, resumen, hallazgos, QString(), {}, nullptr);
        setlocale(LC_NUMERIC, "C");
        qunsetenv("LOCPATH");
        QCOMPARE(QByteArray(coma), QByteArray("0,25")); // the locale really has a decimal comma
        QVERIFY(escrito);
        QCOMPARE(Celdas(ruta, 2).value(u"K2"_s), u"n:0.25 0.000"_s);
#endif
    }

    // With a comparison, a fourth sheet: title and counts, the RFCs' figures as numbers (a
    // difference to the report's digits), the totals in bold, then the lines that changed.
    void hojaDeComparacion()
    {
        ResumenDeReporte antes;
        QVERIFY(LeerResumen("C|AAA010101AAA|UNO|19|020|00|001|000|200|005|0.250|004|3000|0|252.04|504.08|||||||||||\r\n",
                            antes, nullptr));
        ComparacionDeReportes c;
        QVERIFY(CompararReportes(antes, resumen, c, nullptr));
        const QString ruta = dir.filePath(u"comparacion.xlsx"_s);
        QVERIFY(EscribirLibroExcel(ruta, resumen, {}, QString(), {}, nullptr, nullptr, &c, u"/datos/anterior.txt"_s));
        QCOMPARE(Valores(Miembro(ruta, u"xl/workbook.xml"_s), "sheet"_L1, "name"_L1).last(), u"Comparación"_s);
        const QHash<QString, QString> h = Celdas(ruta, 4);
        QCOMPARE(Fila(h, 1), u"t:Comparación con el reporte anterior /datos/anterior.txt*"_s);
        QCOMPARE(Fila(h, 6), u"t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:Cambió|n:200 #,##0|n:250 #,##0|n:50 #,##0|"
                             "n:3000 #,##0|n:4000 #,##0|n:1000 #,##0|n:252.04 #,##0.00|n:300 #,##0|n:47.96 #,##0.00|"
                             "n:504.08 #,##0.00|n:640 #,##0|n:135.92 #,##0.00"_s);
        QCOMPARE(Fila(h, 8).section(u'|', 0, 3), u"t:Total*|t:2 RFC*||n:200 #,##0*"_s);
        QCOMPARE(Fila(h, 12).section(u'|', 0, 7), u"t:AAA010101AAA|t:020|t:001|t:0.250|t:Cambió|n:200 #,##0|n:240 #,##0|n:40 #,##0"_s);
    }

    // The library's errors a user can meet, by their code in the library, in Spanish; any other by its code.
    void motivosDelLibro_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("archivo") << 2 << u"no se pudo crear el archivo"_s;
        QTest::newRow("disco lleno") << 5 << u"no se pudo escribir en el disco; quizá está lleno"_s;
        QTest::newRow("renglones") << 23 << u"tiene más renglones de los que caben en una hoja de Excel (1,048,576)"_s;
        QTest::newRow("otro") << 12 << u"falló la biblioteca que escribe el libro (código 12)"_s;
    }
    void motivosDelLibro()
    {
        QFETCH(int, codigo);
        QTEST(MotivoDelLibro(codigo), "motivo");
    }

    // A report opened from disk knows only its side; an empty one has no rows to filter.
    void reporteVacio()
    {
        const QString ruta = dir.filePath(QStringLiteral("vacio.xlsx"));
        ResumenDeReporte vacio;
        vacio.tipo = u"P"_s;
        QVERIFY(EscribirLibroExcel(ruta, vacio, {}, QString(), {}, nullptr));
        const QHash<QString, QString> r = Celdas(ruta, 1);
        QCOMPARE(Fila(r, 2) + u'/' + Fila(r, 5), u"t:Reporte de proveedores/t:Total*|t:0 RFC*||f:0=0 #,##0*|f:0=0 #,##0*|"
                                                 "f:0=0 #,##0*|f:0=0 #,##0*|f:0=0 #,##0*|f:0=0 #,##0*"_s);
        QVERIFY(!Miembro(ruta, u"xl/worksheets/sheet1.xml"_s).contains("<autoFilter"));
    }
};

QTEST_GUILESS_MAIN(TestLibroExcel)
#include "TestLibroExcel.moc"

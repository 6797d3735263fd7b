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

// The cells of the n-th sheet (1-based) by their name ("A1"), each as the first letter of its type
// and its value: a shared text "t:RFC", a number "n:250", a formula with the value it was saved
// with "f:SUM(D2:D3)=3".
QHash<QString, QString> Celdas(const QString &libro, int n)
{
    const QStringList textos = Valores(Miembro(libro, u"xl/sharedStrings.xml"_s), "t"_L1);
    QHash<QString, QString> celdas;
    QXmlStreamReader x(Miembro(libro, u"xl/worksheets/sheet%1.xml"_s.arg(n)));
    QString nombre;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == "c"_L1) {
            nombre = x.attributes().value("r"_L1).toString();
            celdas[nombre] = x.attributes().value("t"_L1) == "s"_L1 ? u"t:"_s : u"n:"_s;
        } else if (x.name() == "f"_L1) {
            celdas[nombre] = u"f:"_s + x.readElementText() + u'=';
        } else if (x.name() == "v"_L1) {
            const QString v = x.readElementText();
            celdas[nombre] += celdas[nombre] == "t:"_L1 ? textos.value(v.toInt()) : v;
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

// The workbook read back from its file: sheets, cells with their types and formulas.
class TestLibroExcel : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ResumenDeReporte resumen;
    QList<Hallazgo> hallazgos;

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
    }

    void tresHojasConSusDatos()
    {
        const QString ruta = dir.filePath(u"libro ñ.xlsx"_s);
        QString error;
        QVERIFY2(EscribirLibroExcel(ruta, resumen, hallazgos, QString(), {}, &error), qPrintable(error));
        QCOMPARE(Valores(Miembro(ruta, u"xl/workbook.xml"_s), "sheet"_L1, "name"_L1),
                 QStringList({u"Resumen"_s, u"Renglones"_s, u"Revisión"_s}));

        const QHash<QString, QString> r = Celdas(ruta, 1);
        QCOMPARE(Fila(r, 1), u"t:RFC|t:Nombre|t:Estado|t:Renglones|t:Cantidad|t:Importe|t:IEPS|t:IVA|t:Hallazgos"_s);
        QCOMPARE(Fila(r, 2), u"t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|n:2|n:250|n:4000|n:300|n:640|n:1"_s);
        QCOMPARE(Fila(r, 3), u"t:BBB020202BBB|t:DISTRIBUIDORA ÑUÑO & <HIJOS>|t:09|n:1|n:3|n:7|n:1|n:2|n:0"_s);
        // The totals are the sheet's own sums, saved with their values.
        QCOMPARE(Fila(r, 4), u"t:Total|t:2 RFC||f:SUM(D2:D3)=3|f:SUM(E2:E3)=253|f:SUM(F2:F3)=4007|f:SUM(G2:G3)=301|"
                             "f:SUM(H2:H3)=642|f:SUM(I2:I3)=1"_s);

        const QHash<QString, QString> g = Celdas(ruta, 2);
        QCOMPARE(Fila(g, 1), u"t:Tipo|t:RFC|t:Nombre|t:Estado|t:Campo 5|t:Campo 6|t:Clave genérica|t:Campo 8|t:Cantidad|"
                             "t:Campo 10|t:Presentación|t:Campo 12|t:Importe|t:Campo 14|t:IEPS|t:IVA"_s);
        QCOMPARE(Fila(g, 2), u"t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:020|t:00|t:001|t:000|n:240|"
                             "t:005|n:0.25|t:004|n:3150.5|t:0|n:252.04|n:504.08"_s);
        QCOMPARE(Fila(g, 3), u"t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:019|t:00|t:002|t:000|n:10|"
                             "t:005|n:0.6|t:004|n:849.5|t:0|n:47.96|n:135.92"_s);
        QVERIFY(g.contains(u"A4"_s) && !g.contains(u"A5"_s));

        const QHash<QString, QString> h = Celdas(ruta, 3);
        QCOMPARE(Fila(h, 1), u"t:En el reporte|t:Tipo|t:RFC o producto|t:Clave|t:Nombre|t:Problema"_s);
        QCOMPARE(Fila(h, 2), u"t:sí|t:RFC con minúsculas|t:aaa010101aaa|t:C1, C2|t:COMERCIAL|"
                             "t:RFC con minúsculas (la autoridad lo pide en mayúsculas)"_s);
        QCOMPARE(h.value(u"F3"_s), u"t:producto que no está en el catálogo: 2 líneas"_s);

        // The heading row stays in view, and the columns are as wide as their texts.
        for (int n = 1; n <= 3; ++n)
            QVERIFY(Miembro(ruta, u"xl/worksheets/sheet%1.xml"_s.arg(n))
                        .contains("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"));
        QVERIFY(Miembro(ruta, u"xl/worksheets/sheet1.xml"_s)
                    .contains("<col min=\"2\" max=\"2\" width=\"30.7109375\" customWidth=\"1\"/>"));
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
        QCOMPARE(Celdas(ruta, 2).value(u"K2"_s), u"n:0.25"_s);
#endif
    }

    void reporteVacio()
    {
        const QString ruta = dir.filePath(QStringLiteral("vacio.xlsx"));
        QVERIFY(EscribirLibroExcel(ruta, ResumenDeReporte(), {}, QString(), {}, nullptr));
        QCOMPARE(Fila(Celdas(ruta, 1), 2), u"t:Total|t:0 RFC||f:0=0|f:0=0|f:0=0|f:0=0|f:0=0|f:0=0"_s);
    }
};

QTEST_GUILESS_MAIN(TestLibroExcel)
#include "TestLibroExcel.moc"

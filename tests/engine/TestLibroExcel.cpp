#include "Formatos.h"
#include "LibroExcel.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <clocale>
#include <cstdio>

using namespace engine;

namespace {

// A cell of a sheet as the workbook holds it: a shared text, a number, or a formula with the value
// it was saved with.
struct Celda {
    QString tipo; // "texto", "numero" or "formula"
    QString valor;
    QString formula;
};

// Reads back what a workbook holds (a zip of XML files), through unzip.
class Libro {
public:
    explicit Libro(const QString &ruta) : ruta_(ruta)
    {
        QXmlStreamReader libro(Miembro(QStringLiteral("xl/workbook.xml")));
        while (!libro.atEnd()) {
            libro.readNext();
            if (libro.isStartElement() && libro.name() == QLatin1String("sheet"))
                hojas << libro.attributes().value(QLatin1String("name")).toString();
        }
        QXmlStreamReader textos(Miembro(QStringLiteral("xl/sharedStrings.xml")));
        while (!textos.atEnd()) {
            textos.readNext();
            if (textos.isStartElement() && textos.name() == QLatin1String("t"))
                compartidos_ << textos.readElementText();
        }
    }
    QByteArray Miembro(const QString &nombre) const
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), ruta_, nombre});
        unzip.waitForFinished();
        return unzip.readAllStandardOutput();
    }
    // The cells of the n-th sheet (1-based) by their name ("A1").
    QHash<QString, Celda> Celdas(int n) const
    {
        QHash<QString, Celda> celdas;
        QXmlStreamReader x(Miembro(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)));
        QString nombre;
        Celda c;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("c")) {
                nombre = x.attributes().value(QLatin1String("r")).toString();
                c = Celda{x.attributes().value(QLatin1String("t")) == QLatin1String("s") ? QStringLiteral("texto")
                                                                                       : QStringLiteral("numero"),
                          QString(), QString()};
            } else if (x.isStartElement() && x.name() == QLatin1String("f")) {
                c.tipo = QStringLiteral("formula");
                c.formula = x.readElementText();
            } else if (x.isStartElement() && x.name() == QLatin1String("v")) {
                c.valor = x.readElementText();
                if (c.tipo == QLatin1String("texto"))
                    c.valor = compartidos_.value(c.valor.toInt());
            } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
                celdas.insert(nombre, c);
            }
        }
        return celdas;
    }
    QStringList hojas;

private:
    QString ruta_;
    QStringList compartidos_;
};

// A row's cells from column A to its last one, each as the first letter of its type and its
// value ("t:RFC"); an empty text where there is no cell.
QStringList Fila(const QHash<QString, Celda> &celdas, int fila)
{
    QStringList r;
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString nombre = QLatin1Char(c) + QString::number(fila);
        r << (celdas.contains(nombre) ? celdas[nombre].tipo.left(1) + QLatin1Char(':') + celdas[nombre].valor : QString());
    }
    while (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

QByteArray Renglon(const char *inicio)
{
    return QByteArray(inicio) + "||||||||||\r\n";
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
        QVERIFY(LeerResumen(
            Renglon("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|240|005|0.250|004|3150.5|0|252.04|504.08|")
                + Renglon("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|019|00|002|000|10|005|0.600|004|849.5|0|47.96|135.92|")
                + Renglon("C|BBB020202BBB|DISTRIBUIDORA \xD1U\xD1O & <HIJOS>|09|020|00|004|000|3|005|1.000|004|7|0|1|2|"),
            resumen, nullptr));
        hallazgos << Hallazgo{"RFC con minúsculas", "RFC con minúsculas (la autoridad lo pide en mayúsculas)",
                              "aaa010101aaa", {"C1", "C2"}, "COMERCIAL", {}, true}
                  << Hallazgo{"producto que no está en el catálogo", "producto que no está en el catálogo", "P9", {},
                              {}, "2 líneas", false};
        ContarHallazgos(resumen, hallazgos);
    }

    void tresHojasConSusDatos()
    {
        const QString ruta = dir.filePath(QStringLiteral("libro ñ.xlsx"));
        QString error;
        QVERIFY2(EscribirLibroExcel(ruta, resumen, hallazgos, &error), qPrintable(error));
        const Libro libro(ruta);
        QCOMPARE(libro.hojas, QStringList({"Resumen", "Renglones", "Revisión"}));

        const QHash<QString, Celda> r = libro.Celdas(1);
        const QString comercial = QStringLiteral("t:COMERCIAL DEL NORTE SA DE CV");
        QCOMPARE(Fila(r, 1), QStringList({"t:RFC", "t:Nombre", "t:Estado", "t:Renglones", "t:Cantidad", "t:Importe",
                                          "t:IEPS", "t:IVA", "t:Hallazgos"}));
        QCOMPARE(Fila(r, 2), QStringList({"t:AAA010101AAA", comercial, "t:19", "n:2", "n:250", "n:4000", "n:300", "n:640",
                                          "n:1"}));
        QCOMPARE(Fila(r, 3), QStringList({"t:BBB020202BBB", QString::fromUtf8("t:DISTRIBUIDORA ÑUÑO & <HIJOS>"), "t:09",
                                          "n:1", "n:3", "n:7", "n:1", "n:2", "n:0"}));
        // The totals are the sheet's own sums, saved with their values.
        QCOMPARE(Fila(r, 4), QStringList({"t:Total", "t:2 RFC", "", "f:3", "f:253", "f:4007", "f:301", "f:642", "f:1"}));
        for (const char *columna : {"D", "E", "F", "G", "H", "I"})
            QCOMPARE(r.value(QLatin1String(columna) + QLatin1Char('4')).formula,
                     QStringLiteral("SUM(%1%2:%1%3)").arg(QLatin1String(columna)).arg(2).arg(3));

        const QHash<QString, Celda> g = libro.Celdas(2);
        QCOMPARE(Fila(g, 1).join(QLatin1Char('|')),
                 QStringLiteral("t:Tipo|t:RFC|t:Nombre|t:Estado|t:Campo 5|t:Campo 6|t:Clave genérica|t:Campo 8|t:Cantidad|"
                                "t:Campo 10|t:Presentación|t:Campo 12|t:Importe|t:Campo 14|t:IEPS|t:IVA"));
        QCOMPARE(Fila(g, 2).join(QLatin1Char('|')),
                 QStringLiteral("t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:020|t:00|t:001|t:000|n:240|"
                                "t:005|n:0.25|t:004|n:3150.5|t:0|n:252.04|n:504.08"));
        QCOMPARE(Fila(g, 3).join(QLatin1Char('|')),
                 QStringLiteral("t:C|t:AAA010101AAA|t:COMERCIAL DEL NORTE SA DE CV|t:19|t:019|t:00|t:002|t:000|n:10|"
                                "t:005|n:0.6|t:004|n:849.5|t:0|n:47.96|n:135.92"));
        QVERIFY(g.contains("A4") && !g.contains("A5"));

        const QHash<QString, Celda> h = libro.Celdas(3);
        QCOMPARE(Fila(h, 1), QStringList({"t:En el reporte", "t:Tipo", "t:RFC o producto", "t:Clave", "t:Nombre",
                                          "t:Problema"}));
        QCOMPARE(Fila(h, 2), QStringList({QString::fromUtf8("t:sí"), QString::fromUtf8("t:RFC con minúsculas"),
                                          "t:aaa010101aaa", "t:C1, C2", "t:COMERCIAL",
                                          QString::fromUtf8("t:RFC con minúsculas (la autoridad lo pide en mayúsculas)")}));
        QCOMPARE(h.value("F3").valor, QStringLiteral("producto que no está en el catálogo: 2 líneas"));

        // The heading row stays in view, and the columns are as wide as their texts.
        for (int n = 1; n <= 3; ++n) {
            const QByteArray hoja = libro.Miembro(QStringLiteral("xl/worksheets/sheet%1.xml").arg(n));
            QVERIFY(hoja.contains("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"));
        }
        QVERIFY(libro.Miembro(QStringLiteral("xl/worksheets/sheet1.xml"))
                    .contains("<col min=\"2\" max=\"2\" width=\"30.7109375\" customWidth=\"1\"/>"));
    }

    // Under a locale with a decimal comma (the user's, which Qt takes on Linux) the cells still
    // hold numbers with a point.
    void numerosConComaDecimalEnElSistema()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows programs keep the C locale");
#else
        if (QStandardPaths::findExecutable(QStringLiteral("localedef")).isEmpty())
            QSKIP("localedef no está instalado: no hay un locale con coma decimal para probar");
        const QString locales = dir.filePath(QStringLiteral("locales"));
        QVERIFY(QDir().mkpath(locales));
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QStringLiteral("es_ES"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                         locales + QStringLiteral("/es_ES.UTF-8")});
        localedef.waitForFinished(60000);
        qputenv("LOCPATH", QFile::encodeName(locales));
        if (!setlocale(LC_NUMERIC, "es_ES.UTF-8"))
            QSKIP("el locale es_ES no se pudo crear aquí");
        char coma[16];
        std::snprintf(coma, sizeof coma, "%g", 0.25);
        const QString ruta = dir.filePath(QStringLiteral("coma.xlsx"));
        const bool escrito = EscribirLibroExcel(ruta, resumen, hallazgos, nullptr);
        setlocale(LC_NUMERIC, "C");
        qunsetenv("LOCPATH");
        QCOMPARE(QByteArray(coma), QByteArray("0,25")); // the locale really has a decimal comma
        QVERIFY(escrito);
        const QHash<QString, Celda> g = Libro(ruta).Celdas(2);
        QCOMPARE(g.value("K2").valor, QStringLiteral("0.25"));
        QCOMPARE(g.value("M2").valor, QStringLiteral("3150.5"));
#endif
    }

    void reporteVacio()
    {
        const QString ruta = dir.filePath(QStringLiteral("vacio.xlsx"));
        QVERIFY(EscribirLibroExcel(ruta, ResumenDeReporte(), {}, nullptr));
        const QHash<QString, Celda> r = Libro(ruta).Celdas(1);
        QCOMPARE(r.value("A2").valor, QStringLiteral("Total"));
        QCOMPARE(r.value("F2").formula, QStringLiteral("0"));
    }

    void carpetaQueNoExiste()
    {
        QString error;
        QVERIFY(!EscribirLibroExcel(dir.filePath(QStringLiteral("no/hay/libro.xlsx")), resumen, hallazgos, &error));
        QVERIFY2(error.startsWith(QStringLiteral("No se pudo")), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("libro.xlsx")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestLibroExcel)
#include "TestLibroExcel.moc"

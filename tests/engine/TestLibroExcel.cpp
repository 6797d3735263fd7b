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
        QCOMPARE(r.value("A1").valor, QStringLiteral("RFC"));
        QCOMPARE(r.value("F1").valor, QStringLiteral("Importe"));
        QCOMPARE(r.value("A2").valor, QStringLiteral("AAA010101AAA"));
        QCOMPARE(r.value("C3").tipo, QStringLiteral("texto"));
        QCOMPARE(r.value("C3").valor, QStringLiteral("09"));
        QCOMPARE(r.value("B3").valor, QString::fromUtf8("DISTRIBUIDORA ÑUÑO & <HIJOS>"));
        QCOMPARE(r.value("D2").tipo, QStringLiteral("numero"));
        QCOMPARE(r.value("D2").valor, QStringLiteral("2"));
        QCOMPARE(r.value("F2").valor, QStringLiteral("4000"));
        QCOMPARE(r.value("G2").valor, QStringLiteral("300"));
        QCOMPARE(r.value("I2").valor, QStringLiteral("1"));
        QCOMPARE(r.value("A4").valor, QStringLiteral("Total"));
        for (const char *columna : {"D", "E", "F", "G", "H", "I"})
            QCOMPARE(r.value(QLatin1String(columna) + QLatin1Char('4')).formula,
                     QStringLiteral("SUM(") + QLatin1String(columna) + QStringLiteral("2:") + QLatin1String(columna)
                         + QStringLiteral("3)"));
        QCOMPARE(r.value("F4").valor, QStringLiteral("4007"));
        QCOMPARE(r.value("H4").valor, QStringLiteral("642"));

        const QHash<QString, Celda> g = libro.Celdas(2);
        QCOMPARE(g.value("E1").valor, QStringLiteral("Campo 5"));
        QCOMPARE(g.value("G1").valor, QStringLiteral("Clave genérica"));
        QCOMPARE(g.value("P1").valor, QStringLiteral("IVA"));
        QVERIFY(!g.contains("Q1"));
        QCOMPARE(g.value("A2").valor, QStringLiteral("C"));
        for (const char *texto : {"D3", "E3", "F3", "G3", "H3", "J3", "L3", "N3"})
            QCOMPARE(g.value(texto).tipo, QStringLiteral("texto"));
        QCOMPARE(g.value("E3").valor, QStringLiteral("019"));
        QCOMPARE(g.value("G3").valor, QStringLiteral("002"));
        QCOMPARE(g.value("J3").valor, QStringLiteral("005"));
        for (const char *numero : {"I3", "K3", "M3", "O3", "P3"})
            QCOMPARE(g.value(numero).tipo, QStringLiteral("numero"));
        QCOMPARE(g.value("K2").valor, QStringLiteral("0.25"));
        QCOMPARE(g.value("M2").valor, QStringLiteral("3150.5"));
        QCOMPARE(g.value("O3").valor, QStringLiteral("47.96"));
        QVERIFY(!g.contains("A5"));

        const QHash<QString, Celda> h = libro.Celdas(3);
        QCOMPARE(h.value("A1").valor, QStringLiteral("En el reporte"));
        QCOMPARE(h.value("A2").valor, QStringLiteral("sí"));
        QCOMPARE(h.value("C2").valor, QStringLiteral("aaa010101aaa"));
        QCOMPARE(h.value("D2").valor, QStringLiteral("C1, C2"));
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

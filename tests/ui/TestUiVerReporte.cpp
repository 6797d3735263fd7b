#include "Archivos.h"
#include "frmVerReporte.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui;

namespace {
QByteArray Renglon(const QByteArray &inicio)
{
    return inicio + "||||||||||\r\n";
}

// Three RFCs; AAA's two lines are apart, the second one after BBB's.
const QByteArray Reporte =
    Renglon("C|BBB020202BBB|DISTRIBUIDORA \xD1U\xD1O|09|020|00|004|000|3|005|1.000|004|7|0|1|2|")
    + Renglon("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|240|005|0.250|004|3150.5|0|252.04|504.08|")
    + Renglon("C|XAXX010101000|PUBLICO EN GENERAL|14|020|00|001|000|1|005|0.600|004|1000|0|80|160|")
    + Renglon("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|019|00|002|000|10|005|0.600|004|849.5|0|47.96|135.92|");

QStringList Fila(const QAbstractItemModel *m, int fila)
{
    QStringList r;
    for (int c = 0; c < m->columnCount(); ++c)
        r << m->index(fila, c).data().toString();
    return r;
}

QString Correr(const QString &programa, const QStringList &argumentos)
{
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

// The report view: what it reads back, its order, sorting, filter and detail, and its PDF.
class TestUiVerReporte : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ruta;
    const QList<engine::Hallazgo> hallazgos{
        {"RFC con minúsculas", "RFC con minúsculas", "aaa-010101-aaa", {"C1"}, "COMERCIAL", {}, true},
        {"folio compartido", "folio compartido", "AAA010101AAA", {"C1"}, "COMERCIAL", "folio 3: 2 pagos", true},
        {"producto que no está en el catálogo", "producto que no está en el catálogo", "P9", {}, {}, "1 línea", false}};
    const DatosDeCorrida corrida{QStringLiteral("clientes del 01/01/2018 al 31/03/2018"), QStringLiteral("demo"),
                                 QDateTime(QDate(2018, 4, 2), QTime(9, 30))};

private Q_SLOTS:
    void initTestCase()
    {
        ruta = dir.filePath(QStringLiteral("rep.txt"));
        QVERIFY(EscribirArchivo(ruta, Reporte));
    }

    void porRfcEnElOrdenDelReporteConTotales()
    {
        frmVerReporte f;
        QString error;
        QVERIFY2(f.Cargar(ruta, hallazgos, corrida, &error), qPrintable(error));
        const QAbstractItemModel *m = f.tabla()->model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(Fila(m, 0), QStringList({"1", "BBB020202BBB", "DISTRIBUIDORA ÑUÑO", "09", "1", "3", "7", "1", "2", "0"}));
        QCOMPARE(Fila(m, 1), QStringList({"2", "AAA010101AAA", "COMERCIAL DEL NORTE SA DE CV", "19", "2", "250", "4000",
                                          "300", "640", "2"}));
        QCOMPARE(Fila(m, 2).at(1), QStringLiteral("XAXX010101000"));
        QCOMPARE(Fila(f.totales()->model(), 0), QStringList({"", "Total", "3 RFC", "", "4", "254", "5007", "381", "802", "2"}));
        QCOMPARE(f.datos()->text(),
                 QStringLiteral("Reporte: %1\nReporte de clientes del 01/01/2018 al 31/03/2018, base de datos demo, "
                                "generado el 02/04/2018 09:30\n3 RFC y 4 renglones; 2 hallazgos de la revisión sobre RFC "
                                "del reporte. Las cifras son las del archivo.")
                     .arg(QDir::toNativeSeparators(ruta)));
        // The totals stay under their columns.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        for (int c = 0; c < frmVerReporte::Columnas; ++c)
            QTRY_COMPARE(f.totales()->columnWidth(c), f.tabla()->columnWidth(c));
        QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
    }

    void ordenFiltroYRenglones()
    {
        frmVerReporte f;
        QVERIFY(f.Cargar(ruta, hallazgos, corrida, nullptr));
        // Sorting by amount is by value, not by text ("7" < "1000" < "4000").
        f.tabla()->sortByColumn(frmVerReporte::ColImporte, Qt::AscendingOrder);
        const QAbstractItemModel *m = f.tabla()->model();
        QCOMPARE(QStringList({Fila(m, 0).at(1), Fila(m, 1).at(1), Fila(m, 2).at(1)}),
                 QStringList({"BBB020202BBB", "XAXX010101000", "AAA010101AAA"}));
        f.tabla()->sortByColumn(frmVerReporte::ColOrden, Qt::AscendingOrder);
        QCOMPARE(Fila(m, 0).at(1), QStringLiteral("BBB020202BBB"));

        f.filtro()->setText(QStringLiteral("norte"));
        QCOMPARE(m->rowCount(), 1);
        f.tabla()->selectRow(0);
        QCOMPARE(f.detalle()->rowCount(), 2);
        QCOMPARE(f.detalle()->horizontalHeaderItem(4)->text(), QStringLiteral("Campo 5"));
        QCOMPARE(f.detalle()->horizontalHeaderItem(6)->text(), QStringLiteral("Clave genérica"));
        QCOMPARE(f.detalle()->horizontalHeaderItem(10)->text(), QStringLiteral("Presentación"));
        QCOMPARE(Fila(f.detalle()->model(), 1), QStringList({"C", "AAA010101AAA", "COMERCIAL DEL NORTE SA DE CV", "19", "019", "00",
                                                    "002", "000", "10", "005", "0.600", "004", "849.5", "0", "47.96",
                                                    "135.92"}));
        QCOMPARE(f.tituloDetalle()->text(),
                 QStringLiteral("Renglones del reporte de AAA010101AAA — COMERCIAL DEL NORTE SA DE CV (2 renglones)"));

        // Asked for an RFC the filter hides, the view shows it.
        QVERIFY(f.MostrarRfc(QStringLiteral("bbb-020202-bbb")));
        QVERIFY(f.filtro()->text().isEmpty());
        QCOMPARE(f.detalle()->rowCount(), 1);
        QCOMPARE(f.detalle()->item(0, 1)->text(), QStringLiteral("BBB020202BBB"));
        QVERIFY(!f.MostrarRfc(QStringLiteral("ZZZ")));
    }

    void loQueNoEsUnReporteNoSeMuestra()
    {
        frmVerReporte f;
        QVERIFY(f.Cargar(ruta, {}, DatosDeCorrida(), nullptr));
        const QString otro = dir.filePath(QStringLiteral("notas.txt"));
        QVERIFY(EscribirArchivo(otro, "hola\r\n"));
        QString error;
        QVERIFY(!f.Cargar(otro, {}, DatosDeCorrida(), &error));
        QCOMPARE(error, QStringLiteral("El renglón 1 del reporte no termina con «|»."));
        QCOMPARE(f.ruta(), ruta);
        QCOMPARE(f.tabla()->model()->rowCount(), 3);
    }

    // An earlier report comes with the review written beside it.
    void reporteAnteriorConSuRevision()
    {
        const QString anterior = dir.filePath(QStringLiteral("anterior.txt"));
        QVERIFY(EscribirArchivo(anterior, Reporte));
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("Revisionanterior.txt")),
                         "Revisi\xF3n del reporte anterior.txt (clientes): 3 hallazgos\r\n"
                         "RFC con min\xFAsculas | RFC: bbb020202bbb | Clave: C2 | Nombre: DOS | en el reporte\r\n"
                         "d\xEDgito verificador incorrecto (deber\xED" "a ser 1) | RFC: BBB020202BBB | Clave: C2 | "
                         "Nombre: DOS | en el reporte\r\n"
                         "RFC vac\xEDo | RFC:  | fuera del reporte\r\n"));
        frmVerReporte f;
        QString error;
        QVERIFY2(f.AbrirArchivo(anterior, &error), qPrintable(error));
        QCOMPARE(f.resumen().rfcs[0].rfc, QStringLiteral("BBB020202BBB"));
        QCOMPARE(f.resumen().rfcs[0].hallazgos, 2);
        QCOMPARE(f.resumen().hallazgosEnReporte, 2);
        QVERIFY2(f.datos()->text().contains(QStringLiteral("Reporte de clientes, generado el ")), qPrintable(f.datos()->text()));
        // Without a review beside it, no finding is counted.
        const QString solo = dir.filePath(QStringLiteral("solo.txt"));
        QVERIFY(EscribirArchivo(solo, Reporte));
        QVERIFY(f.AbrirArchivo(solo, nullptr));
        QCOMPARE(f.resumen().hallazgosEnReporte, 0);
        QCOMPARE(f.ruta(), solo);
    }

    void pdfDelResumen()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdftotext y pdfinfo (poppler-utils) no están instalados: el PDF no se puede leer de vuelta");
        frmVerReporte f;
        QVERIFY(f.Cargar(ruta, hallazgos, corrida, nullptr));
        const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
        QString error;
        QVERIFY2(f.GuardarPdf(pdf, &error), qPrintable(error));
        QVERIFY(Correr(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages: +1\n"))));
        const QString texto = Correr(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        for (const QString &esperado :
             {QStringLiteral("Reporte especial de IEPS: resumen"), QStringLiteral("Base de datos: demo"),
              QStringLiteral("Reporte de clientes del 01/01/2018 al 31/03/2018"),
              QStringLiteral("Generado el 02/04/2018 a las 09:30"), QStringLiteral("COMERCIAL DEL NORTE SA DE CV"),
              QStringLiteral("DISTRIBUIDORA ÑUÑO"), QStringLiteral("Página 1 de 1"), QStringLiteral("Revisión"),
              QStringLiteral("RFC con minúsculas")})
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + QStringLiteral(" en:\n") + texto));
        QVERIFY2(texto.contains(QRegularExpression(QStringLiteral("Total +3 RFC +4 +254 +5007 +381 +802 +2"))),
                 qPrintable(texto));
        // The review's counts by kind: all of them, and those about RFCs of the report.
        QVERIFY2(texto.contains(QRegularExpression(QStringLiteral("1 +0 +producto que no está en el catálogo"))),
                 qPrintable(texto));

        // Fifty RFCs of three lines take more than one page, each numbered.
        QByteArray grande;
        for (int i = 1; i <= 50; ++i)
            for (int l = 0; l < 3; ++l)
                grande += Renglon(QStringLiteral("C|RFC%1|CLIENTE %1|14|020|00|00%2|000|1|005|1.000|004|%1|0|1|2|")
                                      .arg(i)
                                      .arg(l)
                                      .toLatin1());
        const QString rutaGrande = dir.filePath(QStringLiteral("grande.txt"));
        QVERIFY(EscribirArchivo(rutaGrande, grande));
        QVERIFY(f.Cargar(rutaGrande, {}, corrida, nullptr));
        QVERIFY(f.GuardarPdf(pdf, nullptr));
        const QRegularExpressionMatch paginas =
            QRegularExpression(QStringLiteral("Pages: +(\\d+)\n")).match(Correr(QStringLiteral("pdfinfo"), {pdf}));
        QVERIFY(paginas.hasMatch());
        const int n = paginas.captured(1).toInt();
        QVERIFY2(n >= 2, qPrintable(paginas.captured(0)));
        const QString textoGrande = Correr(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        for (int p = 1; p <= n; ++p)
            QVERIFY(textoGrande.contains(QStringLiteral("Página %1 de %2").arg(p).arg(n)));
        QVERIFY(textoGrande.contains(QStringLiteral("CLIENTE 50")));
        QVERIFY(textoGrande.contains(QRegularExpression(QStringLiteral("Total +50 RFC +150 +150 +3825 +150 +300"))));
    }

    void totalesMasLargosQueCadaRfc()
    {
        // Nine RFCs of eleven-digit figures: the totals have twelve digits and show whole all the same.
        QByteArray texto;
        for (int i = 1; i <= 9; ++i)
            texto += Renglon(QStringLiteral("C|RFC%1|CLIENTE %1|14|020|00|000|000|99999999999|005|1.000|004|99999999999|0|99999999999|99999999999|")
                                 .arg(i)
                                 .toLatin1());
        const QString rutaNueve = dir.filePath(QStringLiteral("nueve.txt"));
        QVERIFY(EscribirArchivo(rutaNueve, texto));
        frmVerReporte f;
        QVERIFY(f.Cargar(rutaNueve, {}, corrida, nullptr));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QFontMetrics negrita(f.totales()->font());
        for (int c = frmVerReporte::ColCantidad; c <= frmVerReporte::ColIva; ++c) {
            const QString total = f.totales()->item(0, c)->text();
            QCOMPARE(total, QStringLiteral("899999999991"));
            QVERIFY2(negrita.horizontalAdvance(total) <= f.totales()->columnWidth(c), qPrintable(total));
        }
    }

    void pdfQueNoSePuedeEscribirArchivo()
    {
        frmVerReporte f;
        QVERIFY(f.Cargar(ruta, {}, corrida, nullptr));
        QString error;
        QVERIFY(!f.GuardarPdf(dir.filePath(QStringLiteral("no/hay/resumen.pdf")), &error));
        QCOMPARE(error, QStringLiteral("No se pudo escribir el PDF %1: no se pudo crear el archivo.")
                            .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("no/hay/resumen.pdf")))));
    }
};

QTEST_MAIN(TestUiVerReporte)
#include "TestUiVerReporte.moc"

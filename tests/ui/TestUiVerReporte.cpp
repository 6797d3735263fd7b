#include "Archivos.h"
#include "Atajos.h"
#include "DialogosGrabados.h"
#include "DispositivoQueFalla.h"
#include "Procesos.h"
#include "PanelDeDetalle.h"
#include "frmComparacion.h"
#include "frmVerReporte.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// A row of a model as its texts joined by "|", as a line of the report.
QString Fila(const QAbstractItemModel *m, int fila)
{
    QStringList r;
    for (int c = 0; c < m->columnCount(); ++c)
        r << m->index(fila, c).data().toString();
    return r.join(QLatin1Char('|'));
}

QString Rfc(const QAbstractItemModel *m, int fila)
{
    return m->index(fila, frmVerReporte::ColRfc).data().toString();
}

// The text of a PDF as poppler's pdftotext reads it; empty without poppler.
QString TextoDePdf(const QString &pdf)
{
    return Correr(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
}
} // namespace

// The report view: what it reads back, its order, sorting, filter, detail and copies, its PDF and
// the line that says where an export went.
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

    // One row per RFC in the report's order with its totals (the sums themselves:
    // TestResumenDeReporte); sorting, the filter (texts only), the lines of the chosen RFC, rows
    // copied with Ctrl+C, and a file that is not a report leaves the view as it was.
    void porRfcOrdenFiltroYRenglones()
    {
        frmVerReporte f;
        QString error;
        QVERIFY2(f.Cargar(ruta, hallazgos, corrida, &error), qPrintable(error));
        const QAbstractItemModel *m = f.tabla()->model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(Fila(m, 1), QStringLiteral("2|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|2|250|4,000|300|640|2"));
        QCOMPARE(Fila(f.totales()->model(), 0), QStringLiteral("|Total|3 RFC||4|254|5,007|381|802|2"));
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

        // Sorting by amount is by value, not by text ("7" < "1000" < "4000").
        f.tabla()->sortByColumn(frmVerReporte::ColImporte, Qt::AscendingOrder);
        QCOMPARE(QStringList({Rfc(m, 0), Rfc(m, 1), Rfc(m, 2)}), QStringList({"BBB020202BBB", "XAXX010101000", "AAA010101AAA"}));

        // Two rows (not next to each other) copied in the order shown, under the headings.
        f.tabla()->selectRow(0);
        QTest::mouseClick(f.tabla()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          f.tabla()->visualRect(m->index(2, 1)).center());
        QCOMPARE(f.detalle()->rowCount(), 2); // the lines of the current row, AAA's
        QTest::keyClick(f.tabla(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Nº\tRFC\tNombre\tEstado\tRenglones\tCantidad\tImporte\tIEPS\tIVA\tHallazgos\n"
                                "1\tBBB020202BBB\tDISTRIBUIDORA ÑUÑO\t09\t1\t3\t7\t1\t2\t0\n"
                                "2\tAAA010101AAA\tCOMERCIAL DEL NORTE SA DE CV\t19\t2\t250\t4,000\t300\t640\t2\n"));

        // "250" is only a figure of AAA's; "norte" is in its name.
        f.filtro()->setText(QStringLiteral("250"));
        QCOMPARE(m->rowCount(), 0);
        f.filtro()->setText(QStringLiteral("norte"));
        QCOMPARE(m->rowCount(), 1);
        f.tabla()->selectRow(0);
        QCOMPARE(f.detalle()->rowCount(), 2);
        QCOMPARE(f.detalle()->horizontalHeaderItem(6)->text(), QStringLiteral("Clave genérica"));
        // Figures grouped; the presentation keeps its decimals, codes their zeros.
        QCOMPARE(Fila(f.detalle()->model(), 0),
                 QStringLiteral("C|AAA010101AAA|COMERCIAL DEL NORTE SA DE CV|19|020|00|001|000|240|005|0.250|004|3,150.5|0|252.04|504.08"));
        f.detalle()->selectRow(1);
        QTest::keyClick(f.detalle(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 engine::EncabezadosDeCampos().join('\t') + "\nC\tAAA010101AAA\tCOMERCIAL DEL NORTE SA DE CV\t19\t019\t00\t002"
                 "\t000\t10\t005\t0.600\t004\t849.5\t0\t47.96\t135.92\n");
        QCOMPARE(f.tituloDetalle()->text(),
                 QStringLiteral("Renglones del reporte de AAA010101AAA — COMERCIAL DEL NORTE SA DE CV (2 renglones)"));

        // Asked for an RFC the filter hides, the view shows it.
        QVERIFY(f.MostrarRfc(QStringLiteral("bbb-020202-bbb")));
        QCOMPARE(f.detalle()->rowCount(), 1);
        QCOMPARE(f.detalle()->item(0, 1)->text(), QStringLiteral("BBB020202BBB"));
        QVERIFY(!f.MostrarRfc(QStringLiteral("ZZZ")));

        // The reason is the summary's (its texts: TestResumenDeReporte); the view keeps its report.
        const QString otro = dir.filePath(QStringLiteral("notas.txt"));
        QVERIFY(EscribirArchivo(otro, "hola\r\n"));
        QVERIFY(!f.Cargar(otro, {}, DatosDeCorrida(), &error));
        QCOMPARE(error, QStringLiteral("El renglón 1 del reporte no termina con «|»."));
        QCOMPARE(f.ruta(), ruta);
        QCOMPARE(f.tabla()->model()->rowCount(), 3);
    }

    // An earlier report comes with the review written beside it (the counting itself:
    // TestResumenDeReporte::hallazgosPorRfc).
    void reporteAnteriorConSuRevision()
    {
        const QString anterior = dir.filePath(QStringLiteral("anterior.txt"));
        QVERIFY(EscribirArchivo(anterior, Reporte));
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("Revisionanterior.txt")),
                         "Revisi\xF3n del reporte anterior.txt (clientes): 2 hallazgos\r\n"
                         "RFC con min\xFAsculas | RFC: bbb020202bbb | Clave: C2 | Nombre: DOS | en el reporte\r\n"
                         "RFC vac\xEDo | RFC:  | fuera del reporte\r\n"));
        frmVerReporte f;
        QString error;
        QVERIFY2(f.AbrirArchivo(anterior, &error), qPrintable(error));
        QCOMPARE(f.resumen().rfcs[0].hallazgos, 1); // BBB's, its RFC written in lowercase
        QVERIFY2(f.datos()->text().contains(QStringLiteral("Reporte de clientes, generado el ")), qPrintable(f.datos()->text()));
        // Without a review beside it, no finding is counted.
        QVERIFY(f.AbrirArchivo(ruta, nullptr));
        QCOMPARE(f.resumen().hallazgosEnReporte, 0);
        QCOMPARE(f.ruta(), ruta);
    }

    // An earlier report opened with its detail beside it: a line shows its trail and tie-out, an RFC
    // its payments; a detail that does not add up is named and shows nothing.
    void detalleDeLasCifras_data()
    {
        QTest::addColumn<QByteArray>("ieps");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("corresponde") << QByteArray("1") << "Detalle del renglón de BBB020202BBB, campo 5 020, clave "
                                                          "genérica 004, presentación 1.000 (2 líneas)";
        QTest::newRow("editado") << QByteArray("2") << "El detalle Detallerep.txt no corresponde a su reporte (las "
            "líneas del RFC BBB020202BBB, campo 5 020, clave genérica 004, presentación 1.000 no suman lo del reporte: "
            "IEPS 2, el reporte dice 1): no se usa para cuadrar las cifras.";
    }
    void detalleDeLasCifras()
    {
        QFETCH(QByteArray, ieps);
        QFETCH(QString, titulo);
        QTemporaryDir otra;
        const QString r = otra.filePath(QStringLiteral("rep.txt"));
        const QByteArray linea = "|09/01/2018|C2|BBB020202BBB|Factura A9|10|10|1|1|P4|020|004|1.000|";
        QVERIFY(EscribirArchivo(r, Reporte.left(Reporte.indexOf('\n') + 1)));
        QVERIFY(EscribirArchivo(otra.filePath(QStringLiteral("Detallerep.txt")),
                                "Folio del pago|Fecha del pago|Clave|RFC|Documento|Total del documento|Pagado|Parte|Partida|"
                                "Producto|Campo 5|Clave gen\xE9rica|Presentaci\xF3n|Cantidad|Importe|IEPS|IVA|\r\n7"
                                    + linea + "1|3|0|1|\r\n8" + linea + "2|4|" + ieps + "|1|\r\n"));
        frmVerReporte f;
        QString error;
        QVERIFY2(f.AbrirArchivo(r, &error), qPrintable(error));
        QCOMPARE(f.rastro()->lineas()->rowCount(), ieps == "1" ? 2 : 0); // BBB's payments
        f.detalle()->setCurrentCell(0, 0);
        QCOMPARE(f.rastro()->titulo()->text(), titulo);
        QCOMPARE(f.rastro()->cuadre()->text(), ieps == "1" ? QStringLiteral("Suma del detalle: igual al reporte") : QString());
    }

    // Compared with an earlier report where only XAXX's amount differs: only what changed until all
    // are asked for, sorted by value; a report of the other side is refused (the comparison's
    // figures and texts: TestComparacionDeReportes).
    void comparacionConUnReporteAnterior()
    {
        const QString anterior = dir.filePath(QStringLiteral("comparado.txt"));
        QVERIFY(EscribirArchivo(anterior, QByteArray(Reporte).replace("|1000|0|80|", "|900|0|80|")));
        frmVerReporte f;
        QString error;
        QVERIFY(f.Cargar(ruta, hallazgos, corrida, nullptr) && f.CompararCon(anterior, &error));
        auto *c = qobject_cast<frmComparacion *>(f.comparacion());
        QVERIFY(c && c->rfcs()->model()->rowCount() == 1 && c->renglones()->model()->rowCount() == 1);
        QCOMPARE(Fila(c->rfcs()->model(), 0).section('|', 6, 8), QStringLiteral("900.00|1,000.00|100.00"));
        c->todos()->setChecked(true);
        c->rfcs()->sortByColumn(7, Qt::AscendingOrder); // amount now
        const QAbstractItemModel *m = c->rfcs()->model();
        QCOMPARE(QStringList({m->index(0, 0).data().toString(), m->index(1, 0).data().toString(), m->index(2, 0).data().toString()}),
                 QStringList({"BBB020202BBB", "XAXX010101000", "AAA010101AAA"}));
        QCOMPARE(c->renglones()->model()->rowCount(), 4);
        QVERIFY(EscribirArchivo(anterior, QByteArray(Reporte).replace("C|", "P|")));
        QVERIFY(!f.CompararCon(anterior, &error));
        QCOMPARE(error, QStringLiteral("No se pueden comparar: el reporte anterior es de proveedores (PR) y este es de clientes (CT)."));
    }

    // The PDF, and the line that says where each export went, with its buttons.
    void pdfDelResumen()
    {
        frmVerReporte f;
        QVERIFY(f.Cargar(ruta, hallazgos, corrida, nullptr));
        QVERIFY(f.ExportarExcel(dir.filePath(QStringLiteral("libro.xlsx")), nullptr));
        QCOMPARE(f.guardado()->text(), QStringLiteral("Libro de Excel guardado en ")
                                           + QDir::toNativeSeparators(dir.filePath(QStringLiteral("libro.xlsx"))));
        QVERIFY(f.guardado()->isVisibleTo(&f)); // and its buttons, with their Alt letters
        QCOMPARE(AtajosRepetidos(&f), QStringList());
        QString error;
        // Neither in a folder that is not there nor over the report shown.
        QVERIFY(!f.GuardarPdf(dir.filePath(QStringLiteral("no/hay/resumen.pdf")), &error));
        QCOMPARE(error, QStringLiteral("La carpeta «%1» no existe: el PDF no puede escribirse en ella.")
                            .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("no/hay")))));
        QVERIFY(!f.GuardarPdf(f.ruta(), &error));
        QCOMPARE(error, QStringLiteral("«%1» es el reporte: el PDF no puede escribirse sobre él.").arg(QDir::toNativeSeparators(f.ruta())));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) no está instalado: el PDF no se puede leer de vuelta");
        const QString pdf = dir.filePath(QStringLiteral("resumen.pdf"));
        QVERIFY2(f.GuardarPdf(pdf, &error), qPrintable(error));
        QCOMPARE(f.guardado()->text(), QStringLiteral("PDF guardado en ") + QDir::toNativeSeparators(pdf));
        DialogosGrabados dialogos;
        f.findChild<QPushButton *>(QStringLiteral("cmdAbrirGuardado"))->click();
        f.findChild<QPushButton *>(QStringLiteral("cmdCarpetaGuardado"))->click();
        QCOMPARE(dialogos.documentos, QStringList({pdf, dir.path()}));
        const QString texto = TextoDePdf(pdf);
        // A failed write leaves the earlier PDF as it was, and nothing beside it.
        const QStringList antes = QDir(dir.path()).entryList(QDir::Files);
        {
            host::FabricaDeSalidaGuard lleno(queFalla(1000, QStringLiteral("No space left on device")));
            QVERIFY(!f.GuardarPdf(pdf, &error));
        }
        QCOMPARE(error, QStringLiteral("No se pudo escribir el archivo %1: no queda espacio en el disco")
                            .arg(QDir::toNativeSeparators(pdf)));
        QCOMPARE(TextoDePdf(pdf), texto);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), antes);
        // The report by its name alone, the run's data, the RFCs (Windows-1252 names read as such), the review, one page.
        for (const QString &esperado :
             {QStringLiteral("Reporte especial de IEPS: resumen"), QStringLiteral("Reporte: rep.txt\n"), QStringLiteral("Base de datos: demo"),
              QStringLiteral("Reporte de clientes del 01/01/2018 al 31/03/2018"),
              QStringLiteral("Generado el 02/04/2018 a las 09:30"), QStringLiteral("DISTRIBUIDORA ÑUÑO"),
              QStringLiteral("Página 1 de 1"), QStringLiteral("RFC con minúsculas")})
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + QStringLiteral(" en:\n") + texto));
        // The totals row and the page numbers with more pages: cincuentaRfc.
        // The review's counts by kind: all of them, and those about RFCs of the report.
        QVERIFY2(texto.contains(QRegularExpression(QStringLiteral("1 +0 +producto que no está en el catálogo"))),
                 qPrintable(texto));
    }

    // Fifty RFCs of ten-digit figures: the totals have eleven digits and show whole all the same; in
    // the PDF they take more than one page, each numbered and under the headings. Every seventh
    // is of state 09: filtered by it, the totals are those of the seven.
    void cincuentaRfc()
    {
        QByteArray texto;
        for (int i = 1; i <= 50; ++i)
            texto += Renglon(QStringLiteral("C|RFC%1|CLIENTE %1|%2|020|00|000|000|1999999999|005|1.000|004|1999999999|0|1999999999|1999999999|")
                                 .arg(i)
                                 .arg(i % 7 ? "14" : "09")
                                 .toLatin1());
        const QString rutaGrande = dir.filePath(QStringLiteral("grande.txt"));
        QVERIFY(EscribirArchivo(rutaGrande, texto));
        frmVerReporte f;
        QVERIFY(f.Cargar(rutaGrande, {}, corrida, nullptr));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QFontMetrics negrita(f.totales()->font());
        for (int c = frmVerReporte::ColCantidad; c <= frmVerReporte::ColIva; ++c) {
            const QString total = f.totales()->item(0, c)->text();
            QCOMPARE(total, QStringLiteral("99,999,999,950"));
            QVERIFY2(negrita.horizontalAdvance(total) <= f.totales()->columnWidth(c), qPrintable(total));
        }
        f.filtro()->setText(QStringLiteral("09"));
        QCOMPARE(Fila(f.totales()->model(), 0),
                 QStringLiteral("|Total|Total de 7 de 50 RFC||7|13,999,999,993|13,999,999,993|13,999,999,993|13,999,999,993|0"));
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo (poppler-utils) no está instalado: el PDF no se puede leer de vuelta");
        const QString pdf = dir.filePath(QStringLiteral("grande.pdf"));
        QVERIFY(f.GuardarPdf(pdf, nullptr));
        const QRegularExpressionMatch paginas =
            QRegularExpression(QStringLiteral("Pages: +(\\d+)\n")).match(Correr(QStringLiteral("pdfinfo"), {pdf}).out);
        const int n = paginas.captured(1).toInt();
        QVERIFY2(n >= 2, qPrintable(paginas.captured(0)));
        const QString textoPdf = TextoDePdf(pdf);
        const QStringList paginasPdf = textoPdf.split(QLatin1Char('\f'));
        for (int p = 1; p <= n; ++p) {
            QVERIFY(paginasPdf.at(p - 1).contains(QStringLiteral("Página %1 de %2").arg(p).arg(n)));
            if (paginasPdf.at(p - 1).contains(QLatin1String("CLIENTE")))
                QVERIFY2(paginasPdf.at(p - 1).contains(QRegularExpression(QStringLiteral("Nº +RFC +Nombre +Estado +Renglones"))),
                         qPrintable(paginasPdf.at(p - 1)));
        }
        QVERIFY(textoPdf.contains(QStringLiteral("CLIENTE 50")));
        QVERIFY2(textoPdf.contains(QRegularExpression(QStringLiteral("Total +50 RFC +50( +99,999,999,950){4}"))), qPrintable(textoPdf));
    }
};

QTEST_MAIN(TestUiVerReporte)
#include "TestUiVerReporte.moc"

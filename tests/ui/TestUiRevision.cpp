#include "ArchivoIni.h"
#include "Archivos.h"
#include "Programa.h"
#include "frmRevision.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

using engine::Hallazgo;
using ui::frmRevision;

namespace {
const QString Digito = QStringLiteral("dígito verificador incorrecto");
const QString Producto = QStringLiteral("producto que no está en el catálogo");
const QString Folio = QStringLiteral("folio compartido por varios pagos");

// Findings in the order a review lists them: grouped by kind, in and out of the report mixed.
QList<Hallazgo> Hallazgos()
{
    return {
        {Digito, Digito + QStringLiteral(" (debería ser 8)"), "GODE561231GR9", {"C5"}, "GODE", QString(), false},
        {Digito, Digito + QStringLiteral(" (debería ser 3)"), "SAT970701NN4", {"C1", "C2"}, "UNO", QString(), true},
        {Digito, Digito + QStringLiteral(" (debería ser 1)"), "aaa010101aa9", {"C7"}, "ABARROTES", QString(), true},
        {Folio,
         Folio + QStringLiteral(" (los documentos del folio se cuentan en cada pago, así que el importe, el IEPS y el "
                                "IVA de esos documentos se suman dos veces en el reporte si no se corrige el folio)"),
         "ZZZ010101ZZ1", {"C9"}, "ZETA COMERCIAL DEL GOLFO Y DEL PACÍFICO SA", QStringLiteral("folio 7: 2 pagos"), true},
        {Producto, Producto, "P9", {}, QString(), QStringLiteral("2 líneas"), false},
    };
}

QStringList Columna(const QTableWidget *t, int c)
{
    QStringList r;
    for (int f = 0; f < t->rowCount(); ++f)
        r << t->item(f, c)->text();
    return r;
}
} // namespace

// The review window: its order, its counts, the problem's whole text, and what it copies.
class TestUiRevision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // In the report first, then by kind in the review's order, then by RFC (any case); a double
    // click asks for an RFC of the report; the copy is the table as it is seen.
    void ordenConteoDobleClicYCopia()
    {
        frmRevision f(Hallazgos(), QStringLiteral("Revisionr.txt"));
        QCOMPARE(Columna(f.tabla(), 0),
                 QStringList({"aaa010101aa9", "SAT970701NN4", "ZZZ010101ZZ1", "GODE561231GR9", "P9"}));
        QCOMPARE(Columna(f.tabla(), 3), QStringList({"sí", "sí", "sí", "no", "no"}));
        // The rows that change the filing stand out.
        QVERIFY(f.tabla()->item(0, 2)->background() != f.tabla()->item(3, 2)->background());
        QVERIFY(f.tabla()->isSortingEnabled());
        QCOMPARE(f.resumen()->text(), QStringLiteral("5 hallazgos; el archivo Revisionr.txt los guarda.\n"
                                                     "3 sobre RFC del reporte: van primero y resaltados (doble clic: el "
                                                     "RFC en el reporte)."));
        // The count of each kind, and of those in the report.
        QCOMPARE(Columna(f.conteo(), 2), QStringList({Digito, Folio, Producto}));
        QCOMPARE(Columna(f.conteo(), 0), QStringList({"3", "1", "1"}));
        QCOMPARE(Columna(f.conteo(), 1), QStringList({"2", "1", "0"}));
        QVERIFY(f.windowFlags() & Qt::FramelessWindowHint); // the program's own band

        QSignalSpy pedido(&f, &frmRevision::rfcElegido);
        Q_EMIT f.tabla()->cellDoubleClicked(1, 2);
        Q_EMIT f.tabla()->cellDoubleClicked(4, 0); // a product out of the report: nothing to show
        QCOMPARE(pedido.size(), 1);
        QCOMPARE(pedido.first().first().toString(), QStringLiteral("SAT970701NN4"));

        f.tabla()->sortItems(0, Qt::AscendingOrder);
        f.Copiar();
        const QStringList lineas = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lineas.value(0), QStringLiteral("RFC\tNombre\tProblema\tEn el reporte"));
        QCOMPARE(lineas.value(1), QStringLiteral("aaa010101aa9\tC7 - ABARROTES\tdígito verificador incorrecto (debería ser 1)\tsí"));
        QCOMPARE(lineas.size(), 7); // five findings and the empty text after the last line end
        QVERIFY(lineas.contains(QStringLiteral("P9\t\tproducto que no está en el catálogo: 2 líneas\tno")));
    }

    // At its size when it opens, every problem can be read whole: it wraps in its column, even with
    // more findings than the window shows, where the scroll bar narrows the column (without the bar
    // the column is only wider).
    void elProblemaSeLeeCompleto()
    {
        QList<Hallazgo> muchos = Hallazgos();
        for (int i = 0; i < 40; ++i)
            muchos << Hallazgo{Folio, Folio, QStringLiteral("XYZ0101010%1").arg(i, 2, 10, QLatin1Char('0')), {"C9"},
                               QStringLiteral("COMERCIAL"), QString(), true};
        frmRevision f(muchos, QStringLiteral("Revisionr.txt"));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTableWidget *t = f.tabla();
        QTRY_VERIFY(t->verticalScrollBar()->isVisible());
        QVERIFY(t->columnViewportPosition(2) + t->columnWidth(2) <= t->viewport()->width());
        for (int fila = 0; fila < t->rowCount(); ++fila) {
            for (const int c : {1, 2}) {
                const QString texto = t->item(fila, c)->text();
                const QRect necesario = t->fontMetrics().boundingRect(QRect(0, 0, t->columnWidth(c) - 8, 10000),
                                                                      Qt::TextWordWrap, texto);
                QVERIFY2(necesario.height() <= t->rowHeight(fila), qPrintable(texto));
            }
        }
        // The long one (ZZZ010101ZZ1, the last finding of the report) takes more than one line.
        QVERIFY(t->rowHeight(42) > t->rowHeight(0));
        // Narrower than its columns, the table scrolls sideways to the last one.
        f.resize(f.minimumSize());
        QTRY_VERIFY(t->horizontalScrollBar()->isVisible());
    }

    // The list chosen is read first: a file that is not the list is said and not remembered. The
    // window opens also after a run without findings, where the list is chosen.
    void listaElegidaSeRecuerda()
    {
        QTemporaryDir dir;
        ui::Programa().archivoConfig = dir.filePath(QStringLiteral("repieps.ini"));
        const QString mala = QDir::toNativeSeparators(dir.filePath(QStringLiteral("mala.csv")));
        const QString buena = QDir::toNativeSeparators(dir.filePath(QStringLiteral("buena.csv")));
        QVERIFY(EscribirArchivo(mala, "Folio,Fecha\n1,2\n"));
        QVERIFY(EscribirArchivo(buena, "Actualizada al 30/11/2026\nNo,RFC,Situaci\xF3n\n1,BBB010101ABA,Presunto\n"));
        frmRevision f({}, QStringLiteral("Revisionr.txt"));
        QCOMPARE(f.resumen()->text(), QStringLiteral("Sin hallazgos; el archivo Revisionr.txt lo dice."));
        QCOMPARE(f.lista69B()->text(), QStringLiteral("Lista 69-B del SAT: ninguna; la revisión no busca en ella los RFC."));
        const auto elegida = [] { return host::ini::Lee(ui::Programa().archivoConfig, "Configuración", "Lista 69-B"); };
        f.ElegirLista69B(mala);
        QCOMPARE(f.lista69B()->text(), QStringLiteral("El archivo %1 no es la lista 69-B del SAT: ninguna de sus primeras "
                                                      "líneas (hasta la línea 2) tiene las columnas «RFC» y «Situación del "
                                                      "contribuyente».").arg(mala));
        QCOMPARE(elegida(), QString());
        f.ElegirLista69B(buena);
        QCOMPARE(f.lista69B()->text(), QStringLiteral("Lista 69-B del SAT al 30/11/2026: %1. La próxima corrida busca en ella "
                                                      "los RFC de sus pagos.").arg(buena));
        QCOMPARE(elegida(), buena);
    }
};

QTEST_MAIN(TestUiRevision)
#include "TestUiRevision.moc"

#include "frmRevision.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using engine::Hallazgo;

// The review window: its table, its counts, its order and what it copies.
class TestUiRevision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tablaResumenYCopia()
    {
        const QString digito = QStringLiteral("dígito verificador incorrecto");
        const QString producto = QStringLiteral("producto que no está en el catálogo");
        const QList<Hallazgo> h{
            {digito, digito + QStringLiteral(" (debería ser 8)"), "GODE561231GR9", {"C5"}, "GODE", QString(), false},
            {producto, producto, "P9", {}, QString(), QStringLiteral("2 líneas"), false},
            {digito, digito + QStringLiteral(" (debería ser 3)"), "SAT970701NN4", {"C1", "C2"}, "UNO", QString(), true},
        };
        frmRevision f(h, QStringLiteral("Revisionr.txt"));
        QCOMPARE(f.tabla()->rowCount(), 3);
        QVERIFY(f.tabla()->isSortingEnabled());
        QCOMPARE(f.resumen()->text(), QStringLiteral("3 hallazgos; el archivo Revisionr.txt los guarda.\n"
                                                     "2  dígito verificador incorrecto\n"
                                                     "1  producto que no está en el catálogo"));

        f.tabla()->sortItems(3, Qt::DescendingOrder); // the RFCs of the report first
        f.Copiar();
        const QStringList lineas = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lineas.value(0), QStringLiteral("RFC\tNombre\tProblema\tEn el reporte"));
        QCOMPARE(lineas.value(1), QStringLiteral("SAT970701NN4\tC1, C2 - UNO\tdígito verificador incorrecto (debería ser 3)\tsí"));
        QCOMPARE(lineas.size(), 5); // three findings and the empty text after the last line end
        QVERIFY(lineas.contains(QStringLiteral("P9\t\tproducto que no está en el catálogo: 2 líneas\tno")));
    }
};

QTEST_MAIN(TestUiRevision)
#include "TestUiRevision.moc"

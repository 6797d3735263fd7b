#include "Archivos.h"
#include "Atajos.h"
#include "DialogosQt.h"
#include "PanelDesenlace.h"
#include "Procesos.h"
#include "VentanaEspera.h"
#include "frmDescripcion.h"
#include "frmInicial.h"
#include "frmRevision.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace ui;

namespace {
// What is off the screen: the window's frame out of the available area, a button not whole in
// sight (once its scroll area, if any, brings it into view), a table's last column cut off.
QStringList Fuera(QWidget *w)
{
    QStringList fuera;
    if (!w->screen()->availableGeometry().contains(w->frameGeometry()))
        fuera << QLatin1String(w->metaObject()->className());
    for (QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(w) || !(qobject_cast<QPushButton *>(b) || b->objectName().startsWith(QLatin1String("cmd"))))
            continue;
        for (QWidget *p = b; p != w; p = p->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(p))
                area->ensureWidgetVisible(b, 0, 0);
        if (b->visibleRegion() != QRegion(b->rect()))
            fuera << QLatin1String(w->metaObject()->className()) + QStringLiteral(": ") + b->text() + b->objectName();
    }
    for (QTableView *t : w->findChildren<QTableView *>(QRegularExpression(QStringLiteral("^tbl(Rfc|Hallazgos)$")))) {
        const int ultima = t->model()->columnCount() - 1;
        if (t->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
            && t->columnViewportPosition(ultima) + t->columnWidth(ultima) > t->viewport()->width())
            fuera << t->objectName();
    }
    return fuera;
}
} // namespace

// Every window and box of the program opens inside the available area of its screen, at every
// scale, with its buttons in reach; the tables' windows maximise and resize from their edges.
class TestUiPantalla : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    const QList<engine::Hallazgo> hallazgos{{"folio", "folio compartido", "AAA010101AAA", {"C1"}, "COMERCIAL", "", true}};

private Q_SLOTS:
    // Each screen in a process of its own, started with that screen and scale (the toolkit reads
    // the scale once, at its start; with QT_SCALE_FACTOR set, this is that process). There every
    // window opens, the main window half off the screen for its boxes and its wait window.
    void pantallas_data()
    {
        QTest::addColumn<QSize>("pantalla"); // the available area in real pixels
        QTest::addColumn<QString>("escala");
        QTest::newRow("1366x768 con barra de tareas, a 1.25") << QSize(1366, 728) << "1.25";
        QTest::newRow("1366x768 con barra de tareas, a 1.5") << QSize(1366, 728) << "1.5";
        QTest::newRow("1920x1080 a 2") << QSize(1920, 1080) << "2";
        QTest::newRow("1024x768 a 1") << QSize(1024, 768) << "1";
    }
    void pantallas()
    {
        QFETCH(QSize, pantalla);
        QFETCH(QString, escala);
        if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
#ifdef Q_OS_WIN
            QSKIP("Windows no tiene la plataforma sin pantalla");
#endif
            const QString config = dir.filePath(QStringLiteral("pantalla.json"));
            EscribirArchivo(config, QStringLiteral(R"({"screens": [{"name": "p", "width": %1, "height": %2}]})")
                                        .arg(pantalla.width()).arg(pantalla.height()).toUtf8());
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
            e.insert(QStringLiteral("QT_SCALE_FACTOR"), escala);
            const Salida s = Correr(QCoreApplication::applicationFilePath(),
                                    {QStringLiteral("-silent"), QStringLiteral("pantallas:") + QTest::currentDataTag()}, QString(), e);
            QVERIFY2(s.codigo == 0 && s.out.contains(QLatin1String(" 0 failed, 0 skipped")), qPrintable(s.out + s.err));
            return;
        }
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), escala.toDouble());
        // The main window without a server, showing the outcome of a run with every button.
        frmInicial::Opciones o{[](host::LibKVRS &, host::DelRegistro &, host::BasesDD &, const QString &, bool) { return true; },
                               {}, [] { return true; }, dir.filePath(QStringLiteral("repieps.ini")), dir.path()};
        auto f = std::make_unique<frmInicial>(o);
        const QString r = dir.filePath(QStringLiteral("r.txt"));
        EscribirArchivo(r, "C|AAA010101AAA|COMERCIAL|19|020|00|001|000|240|005|0.250|004|3150.5|0|252.04|504.08|||||||||||\r\n");
        const Desenlace desenlace{QStringLiteral("Reporte generado."), false, false, r, r, dir.path(), hallazgos, r, {}, {}, {}};
        QVERIFY(f->Cargar());
        f->panelDesenlace->Mostrar(desenlace);
        f->panelDesenlace->setVisible(true);
        f->MostrarCentrada();
        f->panelDesenlace->VerRevision();
        f->panelDesenlace->VerReporte();
        f->Descripcion()->Mostrar();
        QStringList fuera = Fuera(f.get()) + Fuera(f->findChild<QWidget *>(QStringLiteral("frmVerReporte")))
            + Fuera(f->findChild<frmRevision *>()) + Fuera(f->Descripcion());
        f->move(f->screen()->availableGeometry().bottomRight() - QPoint(f->width(), f->height()) / 3);
        f->ventanaEspera()->Mostrar(QStringLiteral("Generando archivo"), f.get());
        fuera << Fuera(f->ventanaEspera());
        DialogosQt d;
        d.setDueno(f.get());
        for (const QString &texto : {QStringLiteral("¿Desea cerrar?"), QStringLiteral("x\r\n").repeated(40), QString()}) {
            QTimer::singleShot(0, [&fuera] {
                auto *w = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                fuera << (w ? Fuera(w) : QStringList{QStringLiteral("sin caja")});
                if (w)
                    w->done(1);
            });
            texto.isEmpty() ? d.MsgBoxSkn(QStringLiteral("Fin del proceso"), 0, QString(), 9) : d.MsgBox(texto, 4, QString());
        }
        // Under the inputs, the outcome's buttons share no Alt letter with them, whichever side is
        // chosen; nor in the review.
        fuera << AtajosRepetidos(f.get()) << AtajosRepetidos(f->findChild<frmRevision *>());
        f->optProvs->click();
        f->panelDesenlace->Mostrar(desenlace); // the choice cleared it
        f->panelDesenlace->setVisible(true);
        QVERIFY2((fuera << AtajosRepetidos(f.get())).isEmpty(), qPrintable(fuera.join(QLatin1Char('\n'))));
    }

    // From each edge and corner (the cursor shows which way), never below the least size; by the
    // band: moved, or maximised by a double click or by the button beside the "×", and back.
    void raton_data()
    {
        QTest::addColumn<QPoint>("desde"); // in the window, at 100,100 and 700x500; -1,-1: the button
        QTest::addColumn<QPoint>("hasta"); // where the button is released; 0,0: a double click
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QRect>("queda");
        QTest::newRow("derecha") << QPoint(697, 250) << QPoint(737, 280) << int(Qt::SizeHorCursor) << QRect(100, 100, 740, 500);
        QTest::newRow("arriba") << QPoint(350, 1) << QPoint(350, -19) << int(Qt::SizeVerCursor) << QRect(100, 80, 700, 520);
        QTest::newRow("esquina inferior izquierda")
            << QPoint(2, 490) << QPoint(-28, 510) << int(Qt::SizeBDiagCursor) << QRect(70, 100, 730, 520);
        QTest::newRow("izquierda, más allá del mínimo")
            << QPoint(0, 250) << QPoint(690, 250) << int(Qt::SizeHorCursor) << QRect(480, 100, 320, 500);
        QTest::newRow("banda") << QPoint(350, 15) << QPoint(390, 45) << int(Qt::ArrowCursor) << QRect(140, 130, 700, 500);
        QTest::newRow("doble clic en la banda") << QPoint(350, 15) << QPoint() << int(Qt::ArrowCursor) << QRect(0, 0, 800, 800);
        QTest::newRow("botón Maximizar") << QPoint(-1, -1) << QPoint(-1, -1) << int(Qt::ArrowCursor) << QRect(0, 0, 800, 800);
    }
    void raton()
    {
        QFETCH(QPoint, desde);
        QFETCH(QPoint, hasta);
        QFETCH(int, cursor);
        QFETCH(QRect, queda);
#ifdef Q_OS_WIN
        QSKIP("Windows cambia el tamaño por su cuenta, con su propio ratón");
#endif
        frmRevision v(hallazgos, QString());
        v.setGeometry(100, 100, 700, 500);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const auto usar = [&] {
            QWidget *w = desde.x() < 0 ? static_cast<QWidget *>(v.cmdMaximizar()) : &v;
            const QPoint p = desde.x() < 0 ? w->rect().center() : desde;
            const QPoint fin = desde.x() < 0 || hasta.isNull() ? p : hasta;
            QTest::mouseMove(w, p);
            QCOMPARE(int(v.cursor().shape()), cursor);
            if (hasta.isNull()) {
                QTest::mouseDClick(w, Qt::LeftButton, {}, p); // it leaves the button down
            } else {
                QTest::mousePress(w, Qt::LeftButton, {}, p);
                QTest::mouseMove(w, fin);
            }
            QTest::mouseRelease(w, Qt::LeftButton, {}, fin);
        };
        const bool maximiza = queda.topLeft().isNull();
        usar();
        QCOMPARE(v.geometry(), queda);
        QCOMPARE(v.cmdMaximizar()->toolTip(), maximiza ? QStringLiteral("Restaurar") : QStringLiteral("Maximizar"));
        if (maximiza) {
            usar();
            QCOMPARE(v.geometry(), QRect(100, 100, 700, 500));
        }
    }
};

QTEST_MAIN(TestUiPantalla)
#include "TestUiPantalla.moc"

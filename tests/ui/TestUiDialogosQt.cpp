#include "DialogosQt.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using namespace ui;

// The desktop message boxes: which buttons a box has and what each answers, and the box of a
// list too long for the screen.
class TestUiDialogosQt : public QObject {
    Q_OBJECT

private:
    // Runs a box and, once it is up, hands it to mira and presses the button captioned boton.
    static int Responder(const std::function<int()> &caja, const std::function<void(QWidget *)> &mira, const QString &boton)
    {
        QTimer::singleShot(0, [mira, boton] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            mira(w);
            for (QPushButton *b : w->findChildren<QPushButton *>()) {
                if (b->text() == boton) {
                    b->click();
                    return;
                }
            }
            QFAIL(qPrintable(QStringLiteral("Sin botón ") + boton));
        });
        return caja();
    }

    static QStringList Leyendas(QWidget *caja)
    {
        QList<QPushButton *> botones = caja->findChildren<QPushButton *>();
        std::sort(botones.begin(), botones.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        QStringList l;
        for (QPushButton *b : botones)
            l << b->text();
        return l;
    }

private Q_SLOTS:
    void botones_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<QStringList>("leyendas");
        QTest::addColumn<QList<int>>("codigos");
        QTest::addColumn<int>("defecto");
        QTest::newRow("aceptar") << 0 << QStringList{"Aceptar"} << QList<int>{1} << 0;
        QTest::newRow("aceptar y cancelar") << 1 << QStringList{"Aceptar", "Cancelar"} << QList<int>{1, 2} << 0;
        QTest::newRow("anular, reintentar, omitir")
            << 2 << QStringList{"Anular", "Reintentar", "Omitir"} << QList<int>{3, 4, 5} << 0;
        QTest::newRow("si, no y cancelar") << 3 << QStringList{"Sí", "No", "Cancelar"} << QList<int>{6, 7, 2} << 0;
        QTest::newRow("si y no") << 4 << QStringList{"Sí", "No"} << QList<int>{6, 7} << 0;
        QTest::newRow("reintentar y cancelar") << 5 << QStringList{"Reintentar", "Cancelar"} << QList<int>{4, 2} << 0;
        QTest::newRow("segundo por defecto") << 4 + 256 << QStringList{"Sí", "No"} << QList<int>{6, 7} << 1;
        QTest::newRow("tercero por defecto") << 3 + 512 << QStringList{"Sí", "No", "Cancelar"} << QList<int>{6, 7, 2} << 2;
        QTest::newRow("tercero que no hay") << 4 + 512 << QStringList{"Sí", "No"} << QList<int>{6, 7} << 0;
        QTest::newRow("icono no cuenta") << 1 + 48 << QStringList{"Aceptar", "Cancelar"} << QList<int>{1, 2} << 0;
    }
    void botones()
    {
        QFETCH(int, botones);
        QFETCH(QStringList, leyendas);
        QFETCH(QList<int>, codigos);
        QFETCH(int, defecto);
        // Asked for a default button that the set lacks, the first one.
        QCOMPARE(BotonPorDefecto(botones, int(codigos.size())), defecto);
        // The skinned box shows them in that order, the default one marked, and each answers its own code.
        DialogosQt d;
        for (int i = 0; i < codigos.size(); ++i) {
            QStringList vistas;
            QString porDefecto;
            const int r = Responder([&] { return d.MsgBoxSkn(QStringLiteral("¿Seguro?"), botones, QStringLiteral("T"), 0); },
                                    [&](QWidget *caja) {
                                        vistas = Leyendas(caja);
                                        for (QPushButton *b : caja->findChildren<QPushButton *>())
                                            if (b->isDefault())
                                                porDefecto = b->text();
                                    },
                                    leyendas.at(i));
            QCOMPARE(vistas, leyendas);
            QCOMPARE(porDefecto, leyendas.at(defecto));
            QCOMPARE(r, codigos.at(i));
        }
    }

    // The icon flag of a box's buttons picks its icon; the end-of-run notice (kind 9) shows
    // information without one.
    void iconos_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("icono");
        QTest::newRow("crítico") << 16 << 0 << int(QMessageBox::Critical);
        QTest::newRow("pregunta") << 32 + 4 << 0 << int(QMessageBox::Question);
        QTest::newRow("exclamación") << 48 << 0 << int(QMessageBox::Warning);
        QTest::newRow("información") << 64 << 0 << int(QMessageBox::Information);
        QTest::newRow("sin icono") << 0 << 0 << int(QMessageBox::NoIcon);
        QTest::newRow("fin del proceso") << 0 << 9 << int(QMessageBox::Information);
    }
    void iconos()
    {
        QFETCH(int, botones);
        QFETCH(int, tipo);
        QFETCH(int, icono);
        DialogosQt d;
        QMessageBox::Icon visto = QMessageBox::NoIcon;
        QImage imagen;
        const QString boton = LeyendaDeBoton(BotonesDeCaja(botones).first());
        if (tipo == 0)
            Responder([&] { return d.MsgBox(QStringLiteral("Texto"), botones, QStringLiteral("T")); },
                      [&](QWidget *caja) { visto = qobject_cast<QMessageBox *>(caja)->icon(); }, boton);
        // The skinned box draws the same icon as the standard box would.
        Responder([&] { return d.MsgBoxSkn(QStringLiteral("Texto"), botones, QStringLiteral("T"), tipo); },
                  [&](QWidget *caja) {
                      for (QLabel *l : caja->findChildren<QLabel *>())
                          if (!l->pixmap().isNull())
                              imagen = l->pixmap().toImage();
                  },
                  boton);
        if (tipo == 0)
            QCOMPARE(int(visto), icono);
        QMessageBox muestra;
        muestra.setIcon(QMessageBox::Icon(icono));
        QCOMPARE(imagen.isNull(), icono == int(QMessageBox::NoIcon));
        if (!imagen.isNull())
            QCOMPARE(imagen, muestra.iconPixmap().toImage());
    }
    void listaLargaSeDesplaza_data()
    {
        QTest::addColumn<int>("productos");
        QTest::newRow("35") << 35;
        QTest::newRow("400") << 400;
    }
    void listaLargaSeDesplaza()
    {
        QFETCH(int, productos);
        QStringList lista;
        for (int i = 1; i <= productos; ++i)
            lista << QStringLiteral("PRODUCTO-%1").arg(i);
        const QString texto =
            QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:\r\n") + lista.join(QStringLiteral("\r\n"));
        DialogosQt d;
        int alto = 0;
        const int r = Responder([&] { return d.MsgBox(texto, 0, QStringLiteral("Reporte especial de IEPS")); },
                                [&](QWidget *caja) {
                                    alto = caja->height();
                                    auto *caja2 = caja->findChild<QPlainTextEdit *>();
                                    QVERIFY(caja2);
                                    QCOMPARE(caja2->toPlainText(), lista.join(QLatin1Char('\n')));
                                    QVERIFY(caja2->verticalScrollBar()->maximum() > 0);
                                    QCOMPARE(Leyendas(caja), QStringList{"Aceptar"});
                                    QCOMPARE(caja->findChild<QLabel *>()->text(),
                                             QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:"));
                                },
                                QStringLiteral("Aceptar"));
        QCOMPARE(r, 1);
        // However long the list, the box is as high as one of a dozen lines.
        QVERIFY2(alto > 0 && alto < 400, qPrintable(QString::number(alto)));
    }
};

QTEST_MAIN(TestUiDialogosQt)
#include "TestUiDialogosQt.moc"

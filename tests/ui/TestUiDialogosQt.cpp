#include "DialogosQt.h"
#include "VentanaEspera.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
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

    // The captions of a box's buttons from left to right, the default one marked with "*".
    static QStringList Leyendas(QWidget *caja)
    {
        QList<QPushButton *> botones = caja->findChildren<QPushButton *>();
        std::sort(botones.begin(), botones.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        QStringList l;
        for (QPushButton *b : botones)
            l << b->text() + (b->isDefault() ? QStringLiteral("*") : QString());
        return l;
    }

private Q_SLOTS:
    // Each set of buttons once; the default-button flags ride on some of them, and the icon bits
    // (48) do not change the set.
    void botones_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<QStringList>("leyendas");
        QTest::addColumn<QList<int>>("codigos");
        QTest::newRow("aceptar") << 0 << QStringList{"Aceptar*"} << QList<int>{1};
        QTest::newRow("aceptar y cancelar, icono") << 1 + 48 << QStringList{"Aceptar*", "Cancelar"} << QList<int>{1, 2};
        QTest::newRow("anular, reintentar, omitir")
            << 2 << QStringList{"Anular*", "Reintentar", "Omitir"} << QList<int>{3, 4, 5};
        QTest::newRow("si, no y cancelar, tercero por defecto")
            << 3 + 512 << QStringList{"Sí", "No", "Cancelar*"} << QList<int>{6, 7, 2};
        QTest::newRow("si y no, segundo por defecto") << 4 + 256 << QStringList{"Sí", "No*"} << QList<int>{6, 7};
        // Asked for a default button that the set lacks, the first one.
        QTest::newRow("reintentar y cancelar, tercero que no hay")
            << 5 + 512 << QStringList{"Reintentar*", "Cancelar"} << QList<int>{4, 2};
    }
    void botones()
    {
        QFETCH(int, botones);
        QFETCH(QStringList, leyendas);
        QFETCH(QList<int>, codigos);
        // The skinned box shows them in that order, the default one marked, and each answers its own code.
        DialogosQt d;
        for (int i = 0; i < codigos.size(); ++i) {
            QStringList vistas;
            const int r = Responder([&] { return d.MsgBoxSkn(QStringLiteral("¿Seguro?"), botones, QStringLiteral("T"), 0); },
                                    [&](QWidget *caja) { vistas = Leyendas(caja); },
                                    QString(leyendas.at(i)).remove(QLatin1Char('*')));
            QCOMPARE(vistas, leyendas);
            QCOMPARE(r, codigos.at(i));
        }
        // The standard box picks its default by this index: one the set lacks would be out of range.
        const int defecto = int(leyendas.indexOf(QRegularExpression(QStringLiteral(".*\\*"))));
        QCOMPARE(BotonPorDefecto(botones, int(codigos.size())), defecto);
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
        const QString boton = LeyendaDeBoton(BotonesDeCaja(botones).first());
        if (tipo == 0) {
            QMessageBox::Icon visto = QMessageBox::NoIcon;
            Responder([&] { return d.MsgBox(QStringLiteral("Texto"), botones, QStringLiteral("T")); },
                      [&](QWidget *caja) { visto = qobject_cast<QMessageBox *>(caja)->icon(); }, boton);
            QCOMPARE(int(visto), icono);
        }
        // The skinned box draws the same icon as the standard box would (none: a null image).
        QImage imagen;
        Responder([&] { return d.MsgBoxSkn(QStringLiteral("Texto"), botones, QStringLiteral("T"), tipo); },
                  [&](QWidget *caja) {
                      for (QLabel *l : caja->findChildren<QLabel *>())
                          if (!l->pixmap().isNull())
                              imagen = l->pixmap().toImage();
                  },
                  boton);
        QCOMPARE(imagen, QMessageBox::standardIcon(QMessageBox::Icon(icono)).toImage());
    }

    // However long the list (400 products), the box is as high as one of a dozen lines: the list
    // scrolls in it.
    void listaLargaSeDesplaza()
    {
        QStringList lista;
        for (int i = 1; i <= 400; ++i)
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
                                    QCOMPARE(caja->findChild<QLabel *>()->text(),
                                             QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:"));
                                },
                                QStringLiteral("Aceptar"));
        QCOMPARE(r, 1);
        QVERIFY2(alto > 0 && alto < 400, qPrintable(QString::number(alto)));
    }

    // Whatever line comes or goes, the wait window keeps its size and "Cancelar" its place; its
    // bar moves while nothing else does.
    void esperaQuieta()
    {
        VentanaEspera v(nullptr, QStringLiteral("Procesando…"));
        v.setCancelable(true);
        v.Mostrar(QStringLiteral("Procesando…"), nullptr);
        const auto medida = [&v] {
            QCoreApplication::processEvents();
            return QList<QRect>{v.geometry(), v.cmdCancelar->geometry()};
        };
        QCOMPARE(VentanaEspera::TextoDeAvance(0, 0, 3), QStringLiteral("Preparando el proceso · 3 s"));
        QCOMPARE(VentanaEspera::TextoDeAvance(1234, 1000000, 12), QStringLiteral("Pago 1 234 de 1 000 000 · 12 s"));
        const QList<QRect> antes = medida();
        v.setAvance(1234, 20000);
        QVERIFY(v.lblAvance->text().startsWith(QStringLiteral("Pago 1 234 de 20 000 · ")));
        v.setEstado(QStringLiteral("Esperando al servidor… (5 s)"));
        QCOMPARE(medida(), antes);
        v.setEstado(QString());
        v.setCancelable(false);
        QCOMPARE(medida().first(), antes.first());
        const QImage barra = v.barra->grab().toImage();
        QTRY_VERIFY(v.barra->grab().toImage() != barra);
    }
};

QTEST_MAIN(TestUiDialogosQt)
#include "TestUiDialogosQt.moc"

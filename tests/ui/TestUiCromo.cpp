#include "Campos.h"
#include "ControlesCromo.h"
#include "Cromo.h"
#include "DialogosGrabados.h"
#include "DialogosQt.h"
#include "Programa.h"
#include "Twips.h"
#include "frmDescripcion.h"

#include "DeArchivos.h"
#include "DeControles.h"
#include "Errores.h"
#include "LibKVRS.h"
#include "Utilerias.h"

#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui;

namespace {
// Counts the drags that the chrome asks for.
class ControlesContados : public host::DeControles {
public:
    void MoverVentana(QObject *ventana) override { movidas << ventana; }
    QList<QObject *> movidas;
};

// A skinned box that fails.
class UtileriasQueFallan : public host::Utilerias {};
class DialogosQueFallan : public DialogosGrabados {
public:
    int MsgBoxSkn(const QString &, int, const QString &, int) override
    {
        throw host::Error(91, QStringLiteral("Variable de objeto no establecida"));
    }
};
} // namespace

// The chrome routines: collapse arithmetic, remembered geometry, the skinned question, the
// helpers of the input fields.
class TestUiCromo : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString ini() const { return dir.filePath(QStringLiteral("prueba.ini")); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(ini());
        Programa() = ObjetosPrograma();
    }
    void cleanup() { Programa() = ObjetosPrograma(); }

    void etiquetaDeGeometria()
    {
        GeometriaTwips g{9000, 6000, 1000, 800};
        QCOMPARE(EtiquetaDeGeometria(g), QStringLiteral("9000\t6000\t1000\t800"));
        GeometriaTwips leida;
        QVERIFY(GeometriaDeEtiqueta(EtiquetaDeGeometria(g), leida));
        QCOMPARE(leida, g);
        QCOMPARE(EtiquetaDeGeometria(GeometriaTwips{12.5f, 375, -30, 0}), QStringLiteral("12.5\t375\t-30\t0"));
    }

    void etiquetaIncompletaNoCambiaNada()
    {
        GeometriaTwips g{1, 2, 3, 4};
        QVERIFY(!GeometriaDeEtiqueta(QStringLiteral("9000\t6000\t1000"), g));
        QCOMPARE(g, (GeometriaTwips{1, 2, 3, 4}));
        QVERIFY(GeometriaDeEtiqueta(QStringLiteral("9000 twips\t6000\tx\t800"), g));
        QCOMPARE(g, (GeometriaTwips{9000, 6000, 0, 800}));
    }

    void colapso()
    {
        const GeometriaTwips g = GeometriaColapsada(11520, 375, 2345);
        QCOMPARE(g.arriba, 10645.0f);
        QCOMPARE(g.izquierda, 200.0f);
        QCOMPARE(g.alto, 375.0f);
        QCOMPARE(g.ancho, 3145.0f);
    }

    void enteroDe16Bits_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("resultado");
        QTest::newRow("entero") << 1200.0 << true << 1200;
        QTest::newRow("media a par abajo") << 2.5 << true << 2;
        QTest::newRow("media a par arriba") << 3.5 << true << 4;
        QTest::newRow("media negativa") << -2.5 << true << -2;
        QTest::newRow("maximo") << 32767.0 << true << 32767;
        QTest::newRow("minimo") << -32768.0 << true << -32768;
        QTest::newRow("se pasa") << 32767.5 << false << 0;
        QTest::newRow("muy negativo") << -40000.0 << false << 0;
    }
    void enteroDe16Bits()
    {
        QFETCH(double, valor);
        QFETCH(bool, ok);
        QFETCH(int, resultado);
        qint16 r = 0;
        QCOMPARE(EnteroDe16Bits(valor, r), ok);
        if (ok)
            QCOMPARE(int(r), resultado);
    }

    void enteroDe16BitsDeTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("resultado");
        QTest::newRow("numero") << "4500" << true << 4500;
        QTest::newRow("blancos") << " 4500 " << true << 4500;
        QTest::newRow("decimal a par") << "0.5" << true << 0;
        QTest::newRow("vacio") << "" << false << 0;
        QTest::newRow("letras") << "ancho" << false << 0;
        QTest::newRow("con unidad") << "4500tw" << false << 0;
        QTest::newRow("fuera de rango") << "70000" << false << 0;
    }
    void enteroDe16BitsDeTexto()
    {
        QFETCH(QString, texto);
        QFETCH(bool, ok);
        QFETCH(int, resultado);
        qint16 r = 0;
        QCOMPARE(EnteroDe16Bits(texto, r), ok);
        if (ok)
            QCOMPARE(int(r), resultado);
    }

    void geometriaRecordada_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("ancho");
        QTest::addColumn<QString>("alto");
        QTest::addColumn<bool>("conTamano");
        QTest::addColumn<QList<int>>("esperado"); // top, left, width, height
        QTest::newRow("completa") << "1200" << "900" << "7000" << "5000" << true << QList<int>{1200, 900, 7000, 5000};
        QTest::newRow("sin tamano") << "1200" << "900" << "7000" << "5000" << false << QList<int>{1200, 900, 0, 0};
        QTest::newRow("nada guardado") << "" << "" << "" << "" << false << QList<int>{0, 0, 0, 0};
        QTest::newRow("guardada sin tamano, leida con tamano")
            << "1200" << "900" << "" << "" << true << QList<int>{0, 0, 0, 0};
        QTest::newRow("linea con texto detras") << "1200.5 twips" << "901" << "" << "" << false << QList<int>{1200, 901, 0, 0};
        QTest::newRow("linea fuera de rango") << "99999" << "900" << "" << "" << false << QList<int>{0, 900, 0, 0};
        QTest::newRow("alto invalido") << "1200" << "900" << "7000" << "x" << true << QList<int>{0, 0, 7000, 0};
    }
    void geometriaRecordada()
    {
        QFETCH(QString, linea);
        QFETCH(QString, columna);
        QFETCH(QString, ancho);
        QFETCH(QString, alto);
        QFETCH(bool, conTamano);
        QFETCH(QList<int>, esperado);
        const QHash<QString, QString> valores{{QStringLiteral("Linea"), linea},
                                              {QStringLiteral("Columna"), columna},
                                              {QStringLiteral("Ancho"), ancho},
                                              {QStringLiteral("Alto"), alto}};
        QStringList leidas;
        const GeometriaRecordada r = LeerGeometriaRecordada(QStringLiteral("frmX"), conTamano, [&](const QString &k) {
            leidas << k;
            return valores.value(k);
        });
        QCOMPARE((QList<int>{r.arriba, r.izquierda, r.ancho, r.alto}), esperado);
        QVERIFY(!leidas.contains(QStringLiteral("Ventana")));
    }

    void sinSeccionNoSeLeeNada()
    {
        bool leyo = false;
        const GeometriaRecordada r = LeerGeometriaRecordada(QString(), true, [&](const QString &) {
            leyo = true;
            return QStringLiteral("100");
        });
        QVERIFY(!leyo);
        QCOMPARE(int(r.arriba), 0);
    }

    void seccionDeVentana()
    {
        QWidget w;
        w.setObjectName(QStringLiteral(" frmDescripcion "));
        QCOMPARE(SeccionDeVentana(&w), QStringLiteral("frmDescripcion"));
        w.setProperty("Tag", QStringLiteral("   "));
        QCOMPARE(SeccionDeVentana(&w), QStringLiteral("frmDescripcion"));
        w.setProperty("Tag", QStringLiteral(" Otra "));
        QCOMPARE(SeccionDeVentana(&w), QStringLiteral(" Otra "));
    }

    void guardarYRestaurarVentana()
    {
        host::LibKVRS lib;
        QWidget w;
        w.setObjectName(QStringLiteral("frmPrueba"));
        w.setWindowTitle(QStringLiteral("Ventana de prueba"));
        w.move(60, 40);
        w.resize(400, 300);
        GuardarVentana(&w, true, lib, ini());
        const float t = TwipsPorPixel(&w);
        QCOMPARE(lib.LeeIni(QStringLiteral("frmPrueba"), QStringLiteral("Ventana"), ini()), QStringLiteral("Ventana de prueba"));
        QCOMPARE(lib.LeeIni(QStringLiteral("frmPrueba"), QStringLiteral("Ancho"), ini()), TextoDeNumero(400 * t));
        QCOMPARE(lib.LeeIni(QStringLiteral("frmPrueba"), QStringLiteral("Linea"), ini()), TextoDeNumero(40 * t));

        QWidget otra;
        otra.setObjectName(QStringLiteral("frmPrueba"));
        otra.move(5, 5);
        otra.resize(100, 100);
        RestaurarVentana(&otra, true, lib, ini());
        QCOMPARE(otra.pos(), QPoint(60, 40));
        QCOMPARE(otra.size(), QSize(400, 300));
    }

    void guardadaSinTamanoYRestauradaConTamano()
    {
        host::LibKVRS lib;
        QWidget w;
        w.setObjectName(QStringLiteral("frmPrueba"));
        w.move(60, 40);
        GuardarVentana(&w, false, lib, ini());
        QVERIFY(lib.LeeIni(QStringLiteral("frmPrueba"), QStringLiteral("Ancho"), ini()).isEmpty());
        QWidget otra;
        otra.setObjectName(QStringLiteral("frmPrueba"));
        otra.move(70, 70);
        otra.resize(320, 200);
        RestaurarVentana(&otra, true, lib, ini());
        QCOMPARE(otra.pos(), QPoint(0, 0));
        QCOMPARE(otra.size(), QSize(320, 200));
    }

    void minimizarYRestaurar()
    {
        QWidget w(nullptr, Qt::FramelessWindowHint);
        w.setWindowTitle(QStringLiteral("Reporte especial de IEPS   v 2.2.0"));
        w.move(90, 60);
        w.resize(600, 400);
        auto *barra = new BotonDegradado(&w);
        barra->resize(600, 25);
        barra->hide();
        const float t = TwipsPorPixel(&w);

        MinimizarFormulario(&w, barra);
        QCOMPARE(barra->Tag, EtiquetaDeGeometria(GeometriaTwips{600 * t, 400 * t, 90 * t, 60 * t}));
        QVERIFY(barra->isVisibleTo(&w));
        QCOMPARE(barra->text(), QStringLiteral("   Reporte especial de IEPS   v 2.2.0"));
        QCOMPARE(w.height(), 25);
        QCOMPARE(w.x(), APixeles(&w, 200));
        QCOMPARE(w.y(), APixeles(&w, AltoPantalla(&w) - 25 * t - 500));
        QCOMPARE(w.width(), barra->width());
        QVERIFY(w.width() < 600);

        RestaurarFormulario(&w, barra);
        QVERIFY(!barra->isVisibleTo(&w));
        QCOMPARE(w.pos(), QPoint(90, 60));
        QCOMPARE(w.size(), QSize(600, 400));
    }

    void moverSoloConElBotonIzquierdo_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<int>("movidas");
        QTest::newRow("izquierdo") << int(Qt::LeftButton) << 1;
        QTest::newRow("derecho") << int(Qt::RightButton) << 0;
        QTest::newRow("ambos") << int(Qt::LeftButton | Qt::RightButton) << 0;
        QTest::newRow("ninguno") << int(Qt::NoButton) << 0;
    }
    void moverSoloConElBotonIzquierdo()
    {
        QFETCH(int, botones);
        QFETCH(int, movidas);
        auto controles = std::make_shared<ControlesContados>();
        Programa().deControles = controles;
        QWidget w;
        MoverFormulario(Qt::MouseButtons(botones), &w);
        QCOMPARE(controles->movidas.size(), movidas);
        if (movidas)
            QCOMPARE(controles->movidas.first(), static_cast<QObject *>(&w));
    }

    void preguntaEnLaCajaConSkin_data()
    {
        QTest::addColumn<bool>("noPorDefecto");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("botones");
        QTest::addColumn<bool>("si");
        QTest::newRow("si") << false << 6 << 36 << true;
        QTest::newRow("no") << false << 7 << 36 << false;
        QTest::newRow("no por defecto, si") << true << 6 << 292 << true;
        QTest::newRow("no por defecto, no") << true << 7 << 292 << false;
    }
    void preguntaEnLaCajaConSkin()
    {
        QFETCH(bool, noPorDefecto);
        QFETCH(int, respuesta);
        QFETCH(int, botones);
        QFETCH(bool, si);
        DialogosGrabados dlg;
        dlg.respuestas << respuesta;
        QWidget principal;
        Programa().ventanaPrincipal = &principal;
        QCOMPARE(Pregunta(QStringLiteral("¿Desea cerrar este programa?"), QStringLiteral("Finalizar"), noPorDefecto), si);
        QCOMPARE(dlg.cajas.size(), 1);
        QVERIFY(dlg.cajas.at(0).skin);
        QCOMPARE(dlg.cajas.at(0).botones, botones);
        QCOMPARE(dlg.cajas.at(0).tipo, 0);
        QCOMPARE(dlg.cajas.at(0).titulo, QStringLiteral("Finalizar"));
        QVERIFY(Programa().utilerias);
        QCOMPARE(Programa().utilerias->ElMenu(), static_cast<QObject *>(&principal));
    }

    void cajaQueFallaEsUnNo()
    {
        DialogosQueFallan dlg;
        QVERIFY(!Pregunta(QStringLiteral("¿Desea cerrar este programa?"), QStringLiteral("Finalizar"), false));
        QCOMPARE(dlg.cajas.size(), 1);
        QCOMPARE(dlg.cajas.at(0).texto, QStringLiteral("Error 91, Variable de objeto no establecida"));
        QCOMPARE(dlg.cajas.at(0).titulo, QStringLiteral("Error"));
        QCOMPARE(dlg.cajas.at(0).botones, int(host::vbCritical));
        QVERIFY(!dlg.cajas.at(0).skin);
    }

    void margenesDelTexto_data()
    {
        QTest::addColumn<QSizeF>("ventana");
        QTest::addColumn<QSizeF>("texto");
        QTest::newRow("normal") << QSizeF(9000, 6600) << QSizeF(8740, 6000);
        QTest::newRow("justo") << QSizeF(260, 600) << QSizeF(0, 0);
        QTest::newRow("mas chica") << QSizeF(100, 300) << QSizeF(0, 0);
        QTest::newRow("solo angosta") << QSizeF(200, 1000) << QSizeF(0, 400);
    }
    void margenesDelTexto()
    {
        QFETCH(QSizeF, ventana);
        QFETCH(QSizeF, texto);
        QCOMPARE(frmDescripcion::TamanoTexto(ventana), texto);
    }

    void descripcionSinNadaGuardadoVaAlOrigen()
    {
        auto lib = std::make_shared<host::LibKVRS>();
        Programa().libKVRS = lib;
        Programa().archivoConfig = ini();
        auto *d = new frmDescripcion;
        QCOMPARE(d->pos(), QPoint(0, 0));
        QCOMPARE(d->size(), QSize(600, 440));
        QVERIFY(d->rtbTexto->toPlainText().contains(QStringLiteral("Procesar")));
        QCOMPARE(d->mnUno->actions().size(), 2);
        QCOMPARE(d->mnUno->actions().at(0)->text(), QStringLiteral("Descripción del programa"));
        QCOMPARE(d->mnUno->actions().at(1)->text(), QStringLiteral("Editar archivo INI de configuración"));
        d->Mostrar();
        d->resize(300, 30);
        // The margins are taken from the outer size, frame included.
        QCOMPARE(d->rtbTexto->size(), QSize(APixeles(d, d->frameGeometry().width() * TwipsPorPixel(d) - 260), 0));
        delete d;
    }

    void descripcionRecuerdaLugarYTamano()
    {
        Programa().libKVRS = std::make_shared<host::LibKVRS>();
        Programa().archivoConfig = ini();
        QPointer<frmDescripcion> d = new frmDescripcion;
        d->Mostrar();
        d->move(120, 90);
        d->resize(500, 350);
        d->close(); // unloads it
        QTRY_VERIFY(!d);
        QCOMPARE(Programa().libKVRS->LeeIni(QStringLiteral("frmDescripcion"), QStringLiteral("Ventana"), ini()),
                 QStringLiteral("Descripción del programa"));
        frmDescripcion otra;
        QCOMPARE(otra.pos(), QPoint(120, 90));
        QCOMPARE(otra.size(), QSize(500, 350));
    }

    void editarIniSinMostrarLaVentana()
    {
        DialogosGrabados dlg;
        Programa().libKVRS = std::make_shared<host::LibKVRS>();
        Programa().deArchivos = std::make_shared<host::DeArchivos>();
        Programa().archivoConfig = ini();
        frmDescripcion d;
        d.mnEditINI->trigger();
        QCOMPARE(dlg.documentos, QStringList{ini()});
        QVERIFY(!d.isVisible());
        d.mnDescrip->trigger();
        QVERIFY(d.isVisible());
    }

    void mascaraDeFecha()
    {
        QCOMPARE(MascaraQt(host::LibKVRS::MascaraFecha()), QStringLiteral("99/99/9999;_"));
        QLineEdit caja;
        caja.setInputMask(MascaraQt(host::LibKVRS::MascaraFecha()));
        caja.setText(QStringLiteral("05032018"));
        QCOMPARE(caja.text(), QStringLiteral("05/03/2018"));
        QVERIFY(caja.hasAcceptableInput());
    }

    void enterPasaAlSiguienteCampo()
    {
        QWidget w;
        auto *a = new QLineEdit(&w);
        auto *b = new QLineEdit(&w);
        auto *c = new QLineEdit(&w);
        b->setEnabled(false);
        QWidget::setTabOrder(a, b);
        QWidget::setTabOrder(b, c);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        a->setFocus();
        int tecla = Qt::Key_Return;
        Teclas(tecla, a);
        QCOMPARE(tecla, 0);
        QVERIFY(c->hasFocus()); // the disabled field is skipped
        tecla = Qt::Key_A;
        Teclas(tecla, c);
        QCOMPARE(tecla, int(Qt::Key_A));
        QVERIFY(c->hasFocus());
    }

    void botonesDeLasCajas_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<QStringList>("leyendas");
        QTest::addColumn<int>("defecto");
        QTest::newRow("aceptar") << 0 << QStringList{"Aceptar"} << 0;
        QTest::newRow("si no") << 36 << QStringList{"Sí", "No"} << 0;
        QTest::newRow("si no, no por defecto") << 292 << QStringList{"Sí", "No"} << 1;
        QTest::newRow("si no cancelar, tercero") << (3 + 512) << QStringList{"Sí", "No", "Cancelar"} << 2;
        QTest::newRow("aceptar, segundo inexistente") << 256 << QStringList{"Aceptar"} << 0;
        QTest::newRow("aceptar cancelar") << (1 + 16) << QStringList{"Aceptar", "Cancelar"} << 0;
    }
    void botonesDeLasCajas()
    {
        QFETCH(int, botones);
        QFETCH(QStringList, leyendas);
        QFETCH(int, defecto);
        QStringList vistas;
        for (int codigo : BotonesDeCaja(botones))
            vistas << LeyendaDeBoton(codigo);
        QCOMPARE(vistas, leyendas);
        QCOMPARE(BotonPorDefecto(botones, leyendas.size()), defecto);
    }
};

QTEST_MAIN(TestUiCromo)
#include "TestUiCromo.moc"

#include "BaseDePrueba.h"
#include "ControlesCromo.h"
#include "DialogosGrabados.h"
#include "Programa.h"
#include "frmDescripcion.h"
#include "frmInicial.h"

#include "BasesDD.h"
#include "DelRegistro.h"
#include "LibKVRS.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui;

// The main window against a database of the private test server: its inputs, the party
// look-up, the launch of a run and the closing rules.
class TestBdFrmInicial : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;
    QTemporaryDir dir;
    DialogosGrabados *dlg = nullptr;

    QString ini() const { return dir.filePath(QStringLiteral("repieps.ini")); }
    static QString hoy() { return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")); }

    frmInicial::Opciones opciones(bool desarrollo = false)
    {
        frmInicial::Opciones o;
        o.configurar = [this](host::LibKVRS &, host::DelRegistro &, host::BasesDD &b, const QString &, bool leerBase) {
            b.cRuta = bd->bases.cRuta;
            b.cPuerto = bd->bases.cPuerto;
            b.cUsuario = bd->bases.cUsuario;
            b.cPassword = bd->bases.cPassword;
            if (leerBase)
                b.cMiBase = bd->nombre();
            return true;
        };
        o.modoDesarrollo = [desarrollo] { return desarrollo; };
        o.archivoConfig = ini();
        o.carpeta = dir.path();
        o.lanzar = [](frmInicial &, frmInicial::SolicitudReporte &) { QFAIL("no run expected"); };
        return o;
    }

    std::unique_ptr<frmInicial> abrir(frmInicial::Opciones o)
    {
        auto f = std::make_unique<frmInicial>(std::move(o));
        if (!f->Cargar())
            return nullptr;
        f->MostrarCentrada();
        if (!QTest::qWaitForWindowActive(f.get()))
            return nullptr;
        return f;
    }

    void salir(frmInicial *f, QWidget *hacia)
    {
        hacia->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(f->isActiveWindow());
    }

private Q_SLOTS:
    void initTestCase()
    {
        bd = new BaseDePrueba(QStringLiteral("ventana"));
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(QStringLiteral(
            "INSERT INTO clientes (Clave, Nombre, RFC, Estado) VALUES "
            "('A', 'ALFA', 'AAA010101AAA', 'JALISCO'), ('AB', 'ABARROTES BETO', 'BBB010101BBB', 'SONORA'),"
            "('N', NULL, '', ''), ('O''B', 'O''BRIEN E HIJOS', '', '');\n"
            "INSERT INTO proveedores (Clave, Nombre, RFC, Estado) VALUES ('A', 'PROVEEDORA ALFA', '', '');\n"));
    }
    void cleanupTestCase() { delete bd; }
    void init()
    {
        QFile::remove(ini());
        dlg = new DialogosGrabados;
    }
    void cleanup()
    {
        delete dlg;
        dlg = nullptr;
    }

    void valoresAlAbrir()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QStringLiteral("Reporte especial de IEPS   v ") + frmInicial::Version());
        QVERIFY(f->windowTitle().endsWith(QStringLiteral("   v 2.2.0")));
        QCOMPARE(f->property("Tag").toString(), QStringLiteral("1"));
        QCOMPARE(f->lblMuestra->text(), QStringLiteral(" Servidor: 127.0.0.1\n  Base de datos: ") + bd->nombre());
        QCOMPARE(f->mskFecha[0]->text(), hoy());
        QCOMPARE(f->mskFecha[1]->text(), hoy());
        QCOMPARE(f->txtDato[1]->text(), QString());
        QCOMPARE(f->txtDato[1]->maxLength(), 10);
        QCOMPARE(f->lblEtiq[3]->text(), QStringLiteral("Cliente:"));
        QCOMPARE(f->txtDato[0]->text(),
                 QStringLiteral("Reporte-CT-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt"));
        QVERIFY(f->optCtes->isChecked());
        QVERIFY(!f->optProvs->isChecked());
        QVERIFY(f->optProcesar[0]->isChecked());
        QVERIFY(f->PorLineaDeProductos());
        QVERIFY(!f->chkTodos->isChecked());
        QVERIFY(!f->lblCliente->isVisible());
        QVERIFY(!f->lblProceso->isVisible());
        QCOMPARE(f->imgLogoVentana->toolTip(), QStringLiteral("Menú de opciones generales"));
        QCOMPARE(Programa().archivoConfig, ini());
        QVERIFY(dlg->cajas.isEmpty());
    }

    void modoDesarrolloPoneFechasYNoPregunta()
    {
        auto f = abrir(opciones(true));
        QVERIFY(f);
        QCOMPARE(f->mskFecha[0]->text(), QStringLiteral("01/01/2018"));
        QCOMPARE(f->mskFecha[1]->text(), QStringLiteral("31/03/2018"));
        f->SolicitarCierre();
        QVERIFY(!f->isVisible());
        QVERIFY(dlg->cajas.isEmpty());
        QVERIFY(!Programa().basesDD);
    }

    void configuracionFallidaTerminaSinMostrar()
    {
        auto o = opciones();
        o.configurar = [](host::LibKVRS &, host::DelRegistro &, host::BasesDD &, const QString &, bool) { return false; };
        frmInicial f(o);
        QVERIFY(!f.Cargar());
        QVERIFY(!f.isVisible());
        QVERIFY(!f.CerrarVentana); // the window was never dressed
        QVERIFY(dlg->cajas.isEmpty());
    }

    void ordenDelFoco()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        const QList<QWidget *> entradas{f->mskFecha[0], f->mskFecha[1], f->txtDato[1], f->txtDato[0], f->optCtes,
                                        f->optProvs,    f->optProcesar[0], f->optProcesar[1], f->chkTodos, f->cmdProcesar};
        QList<QWidget *> vistas;
        QWidget *w = f->mskFecha[0];
        do {
            if (entradas.contains(w) && !vistas.contains(w))
                vistas << w;
            w = w->nextInFocusChain();
        } while (w != f->mskFecha[0]);
        QCOMPARE(vistas, entradas);
        // Enter moves on like Tab, and the field that receives the focus is selected.
        f->mskFecha[0]->setFocus();
        QTest::keyClick(f->mskFecha[0], Qt::Key_Return);
        QVERIFY(f->mskFecha[1]->hasFocus());
        QTest::keyClick(f->mskFecha[1], Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(f->txtDato[1]->hasFocus());
        QTest::keyClick(f->txtDato[1], Qt::Key_Return);
        QVERIFY(f->txtDato[0]->hasFocus());
        QCOMPARE(f->txtDato[0]->selectedText(), f->txtDato[0]->text());
    }

    void busquedaPorCadaTecla()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setFocus();
        const qint64 antes = f->conexion().consultas();
        QTest::keyClicks(f->txtDato[1], QStringLiteral("AB"));
        QCOMPARE(f->conexion().consultas() - antes, qint64(2));
        QCOMPARE(f->lblCliente->text(), QStringLiteral("ABARROTES BETO"));
        QVERIFY(f->lblCliente->isVisible());
        QTest::keyClick(f->txtDato[1], Qt::Key_Backspace);
        QCOMPARE(f->lblCliente->text(), QStringLiteral("ALFA"));
        QTest::keyClick(f->txtDato[1], Qt::Key_Z);
        QCOMPARE(f->lblCliente->text(), QString());
        QVERIFY(!f->lblCliente->isVisible());
    }

    void busquedaSinConsulta_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("consultas");
        QTest::newRow("blancos") << "   " << "" << 0;
        QTest::newRow("con blancos alrededor") << " AB " << "ABARROTES BETO" << 1;
        QTest::newRow("nombre nulo") << "N" << "" << 1;
        QTest::newRow("comilla") << "O'B" << "O'BRIEN E HIJOS" << 1;
        QTest::newRow("comilla que intenta mas") << "' OR '1'='1" << "" << 1;
        QTest::newRow("inexistente") << "NADIE" << "" << 1;
    }
    void busquedaSinConsulta()
    {
        QFETCH(QString, clave);
        QFETCH(QString, nombre);
        QFETCH(int, consultas);
        auto f = abrir(opciones());
        QVERIFY(f);
        const qint64 antes = f->conexion().consultas();
        f->txtDato[1]->setText(clave);
        QCOMPARE(f->conexion().consultas() - antes, qint64(consultas));
        QCOMPARE(f->lblCliente->text(), nombre);
        QCOMPARE(f->lblCliente->isVisible(), !nombre.isEmpty());
    }

    void proveedoresReiniciaClaveLeyendaYArchivo()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setText(QStringLiteral("A"));
        QCOMPARE(f->lblCliente->text(), QStringLiteral("ALFA"));
        f->txtDato[0]->setText(QStringLiteral("mio.txt"));
        QTest::mouseClick(f->optProvs, Qt::LeftButton);
        QVERIFY(f->optProvs->isChecked());
        QCOMPARE(f->txtDato[1]->text(), QString());
        QVERIFY(!f->lblCliente->isVisible());
        QCOMPARE(f->lblEtiq[3]->text(), QStringLiteral("Proveedor:"));
        QCOMPARE(f->txtDato[0]->text(),
                 QStringLiteral("Reporte-PR-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt"));
        // The look-up now reads the suppliers.
        f->txtDato[1]->setText(QStringLiteral("A"));
        QCOMPARE(f->lblCliente->text(), QStringLiteral("PROVEEDORA ALFA"));
        QTest::mouseClick(f->optCtes, Qt::LeftButton);
        QCOMPARE(f->lblEtiq[3]->text(), QStringLiteral("Cliente:"));
        QVERIFY(f->txtDato[0]->text().startsWith(QStringLiteral("Reporte-CT-")));
    }

    void reglaDelNombreDeArchivo_data()
    {
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("queda");
        QTest::newRow("blancos y sin extension") << "  datos  " << "datos.txt";
        QTest::newRow("mayusculas") << "X.TXT" << "X.TXT";
        QTest::newRow("otra extension") << "a.csv" << "a.csv.txt";
        QTest::newRow("ya con txt") << " r.txt " << "r.txt";
        QTest::newRow("con carpeta") << "sub/rep" << "sub/rep.txt";
    }
    void reglaDelNombreDeArchivo()
    {
        QFETCH(QString, escrito);
        QFETCH(QString, queda);
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[0]->setFocus();
        f->txtDato[0]->setText(escrito);
        salir(f.get(), f->chkTodos);
        QCOMPARE(f->txtDato[0]->text(), queda);
        QVERIFY(f->chkTodos->hasFocus());
    }

    void nombreEnBlancoRetieneElFoco()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[0]->setFocus();
        f->txtDato[0]->setText(QStringLiteral("    "));
        salir(f.get(), f->chkTodos);
        QCOMPARE(f->txtDato[0]->text(), QString());
        QTRY_VERIFY(f->txtDato[0]->hasFocus());
    }

    void claveSoloPierdeBlancos()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setFocus();
        f->txtDato[1]->setText(QStringLiteral(" AB "));
        salir(f.get(), f->chkTodos);
        QCOMPARE(f->txtDato[1]->text(), QStringLiteral("AB"));
    }

    void reglaDeFechas_data()
    {
        QTest::addColumn<QString>("escrita");
        QTest::addColumn<QString>("queda");
        QTest::newRow("valida") << "15/02/2018" << "15/02/2018";
        QTest::newRow("incompleta") << "12/0" << hoy();
        QTest::newRow("dia imposible") << "30/02/2018" << hoy();
        QTest::newRow("vacia") << "" << hoy();
    }
    void reglaDeFechas()
    {
        QFETCH(QString, escrita);
        QFETCH(QString, queda);
        auto f = abrir(opciones());
        QVERIFY(f);
        for (int i = 0; i < 2; ++i) {
            f->mskFecha[i]->setFocus();
            f->mskFecha[i]->setText(escrita);
            salir(f.get(), f->chkTodos);
            QCOMPARE(f->mskFecha[i]->text(), queda);
        }
    }

    void filtrosDeTeclas_data()
    {
        QTest::addColumn<int>("campo"); // 0, 1 dates; 2 key; 3 file name
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::newRow("fecha solo digitos") << 0 << "0a1b0c22018" << "01/02/2018";
        QTest::newRow("clave sin comillas") << 2 << "O'B\"X" << "OBX";
        QTest::newRow("archivo sin comodines") << 3 << "r*e?p.txt" << "rep.txt";
    }
    void filtrosDeTeclas()
    {
        QFETCH(int, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        auto f = abrir(opciones());
        QVERIFY(f);
        QLineEdit *caja = campo < 2 ? f->mskFecha[campo] : f->txtDato[campo == 2 ? 1 : 0];
        caja->setFocus();
        caja->selectAll();
        if (campo < 2)
            caja->home(false);
        else
            caja->clear();
        QTest::keyClicks(caja, tecleado);
        QCOMPARE(caja->text(), queda);
    }

    void procesarEntregaLosSeisArgumentos()
    {
        QList<frmInicial::SolicitudReporte> pedidas;
        bool bloqueada = false;
        auto o = opciones();
        o.lanzar = [&](frmInicial &f, frmInicial::SolicitudReporte &s) {
            pedidas << s;
            bloqueada = !f.cmdProcesar->isEnabled() && !f.mskFecha[0]->isEnabled() && !f.txtDato[1]->isEnabled()
                && !f.optProvs->isEnabled() && !f.chkTodos->isEnabled() && f.enProceso();
            f.Procesar(); // a second launch while the run goes on starts nothing
            s.stArchivo = QStringLiteral("/otra/carpeta/") + s.stArchivo;
        };
        auto f = abrir(o);
        QVERIFY(f);
        f->mskFecha[0]->setText(QStringLiteral("31/03/2018"));
        f->mskFecha[1]->setText(QStringLiteral("01/01/2018"));
        f->txtDato[0]->setText(QStringLiteral("salida.txt"));
        QTest::mouseClick(f->chkTodos, Qt::LeftButton);
        QTest::mouseClick(f->optProcesar[1], Qt::LeftButton);
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(pedidas.size(), 1);
        const frmInicial::SolicitudReporte &s = pedidas.first();
        QCOMPARE(s.dtInicial, QDate(2018, 3, 31));
        QCOMPARE(s.dtFinal, QDate(2018, 1, 1));
        QCOMPARE(s.stArchivo, QStringLiteral("salida.txt"));
        QCOMPARE(s.stCliente, QString());
        QVERIFY(s.blSonCtes);
        QVERIFY(s.blTodosLosPagos);
        QVERIFY(bloqueada);
        QVERIFY(!f->PorLineaDeProductos());
        // Nothing the run does to its copies reaches the window; the inputs are back.
        QCOMPARE(f->txtDato[0]->text(), QStringLiteral("salida.txt"));
        QVERIFY(f->cmdProcesar->isEnabled());
        QVERIFY(f->mskFecha[0]->isEnabled());
        QVERIFY(!f->enProceso());
        QVERIFY(dlg->cajas.isEmpty());

        QTest::mouseClick(f->optProvs, Qt::LeftButton);
        f->txtDato[1]->setText(QStringLiteral(" A "));
        QTest::mouseClick(f->chkTodos, Qt::LeftButton);
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(pedidas.size(), 2);
        QCOMPARE(pedidas.at(1).stCliente, QStringLiteral(" A "));
        QVERIFY(!pedidas.at(1).blSonCtes);
        QVERIFY(!pedidas.at(1).blTodosLosPagos);
    }

    void fechaIlegibleNoLanza()
    {
        int lanzadas = 0;
        auto o = opciones();
        o.lanzar = [&](frmInicial &, frmInicial::SolicitudReporte &) { ++lanzadas; };
        auto f = abrir(o);
        QVERIFY(f);
        f->mskFecha[1]->setText(QStringLiteral("31/02/2018")); // the date rule has not run
        f->Procesar();
        QCOMPARE(lanzadas, 0);
        QCOMPARE(dlg->cajas.size(), 1);
        QVERIFY(dlg->cajas.at(0).texto.contains(QStringLiteral("fecha final")));
        QVERIFY(!dlg->cajas.at(0).skin);
    }

    void cierreDuranteLaCorridaEspera()
    {
        auto o = opciones();
        int preguntasDurante = -1;
        o.lanzar = [&](frmInicial &f, frmInicial::SolicitudReporte &) {
            f.SolicitarCierre();
            QVERIFY(f.isVisible());
            preguntasDurante = dlg->cajas.size();
        };
        auto f = abrir(o);
        QVERIFY(f);
        f->Procesar();
        QCOMPARE(preguntasDurante, 0);
        QCOMPARE(dlg->cajas.size(), 1); // asked once the run had ended
        QCOMPARE(dlg->cajas.at(0).texto, QStringLiteral("¿Desea cerrar este programa?"));
        QVERIFY(f->isVisible());
    }

    void corridaRealSinPagos()
    {
        auto o = opciones(true);
        o.lanzar = nullptr; // the real engine
        auto f = abrir(o);
        QVERIFY(f);
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(dlg->ventanas, (QStringList{QStringLiteral("muestra:Generando archivo"), QStringLiteral("quita")}));
        QVERIFY(!dlg->cajas.isEmpty());
        const DialogosGrabados::Caja &fin = dlg->cajas.last();
        QCOMPARE(fin.texto, QStringLiteral("Fin del proceso"));
        QCOMPARE(fin.titulo, QStringLiteral("Atención"));
        QVERIFY(fin.skin);
        QCOMPARE(fin.tipo, 9);
        QVERIFY(!f->lblProceso->isVisible());
        QVERIFY(f->cmdProcesar->isEnabled());
        QVERIFY(!QFile::exists(dir.filePath(f->txtDato[0]->text())));
    }

    void f1DosVecesUnaDescripcion()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[0]->setFocus();
        QTest::keyClick(f->txtDato[0], Qt::Key_F1);
        QPointer<frmDescripcion> d = f->Descripcion();
        QVERIFY(d->isVisible());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTest::keyClick(f->mskFecha[1], Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(f->Descripcion(), d.data());
        int visibles = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            visibles += qobject_cast<frmDescripcion *>(w) && w->isVisible();
        QCOMPARE(visibles, 1);
        QVERIFY(f->txtDato[0]->text().endsWith(QStringLiteral(".txt"))); // F1 typed nothing
        // Closing the main window takes the description window with it.
        f->SolicitarCierre();
        QVERIFY(f->isVisible()); // answered No
        dlg->respuestas << host::vbYes;
        f->SolicitarCierre();
        QVERIFY(!f->isVisible());
        QVERIFY(!d);
    }

    void teclasDeCierre_data()
    {
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<int>("preguntas");
        QTest::newRow("Alt+F4") << int(Qt::AltModifier) << 1;
        QTest::newRow("F4") << int(Qt::NoModifier) << 0;
        QTest::newRow("Ctrl+Alt+F4") << int(Qt::ControlModifier | Qt::AltModifier) << 0;
        QTest::newRow("Shift+Alt+F4") << int(Qt::ShiftModifier | Qt::AltModifier) << 0;
    }
    void teclasDeCierre()
    {
        QFETCH(int, modificadores);
        QFETCH(int, preguntas);
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setFocus();
        QTest::keyClick(f->txtDato[1], Qt::Key_F4, Qt::KeyboardModifiers(modificadores));
        QCOMPARE(dlg->cajas.size(), preguntas);
        if (preguntas) {
            const DialogosGrabados::Caja &c = dlg->cajas.first();
            QCOMPARE(c.texto, QStringLiteral("¿Desea cerrar este programa?"));
            QCOMPARE(c.titulo, QStringLiteral("Finalizar"));
            QCOMPARE(c.botones, 36);
            QVERIFY(c.skin);
            QCOMPARE(c.tipo, 0);
        }
        QVERIFY(f->isVisible()); // No, or no question at all
        QVERIFY(Programa().basesDD);
    }

    void cerrarConSiTermina()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setText(QStringLiteral("AB")); // opens the connection
        QVERIFY(f->conexion().abierta());
        dlg->respuestas << host::vbYes;
        QTest::mouseClick(f->CerrarVentana, Qt::LeftButton);
        QCOMPARE(dlg->cajas.size(), 1);
        QVERIFY(!f->isVisible());
        QVERIFY(!f->conexion().abierta());
        QVERIFY(!Programa().libKVRS);
        QVERIFY(!Programa().delRegistro);
    }

    void cierreDelGestorMinimiza()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QCloseEvent e;
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(f.get(), &e); // as the window system delivers it (sendEvent would clear the flag)
        QVERIFY(!e.isAccepted());
        QVERIFY(f->isMinimized());
        QVERIFY(dlg->cajas.isEmpty());
    }

    void dobleClicEnElFondoAbreLaConfiguracion()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QWidget *fondo = f->findChild<QWidget *>(QStringLiteral("contenido"));
        QVERIFY(fondo);
        QTest::mouseDClick(f->lblEtiq[0], Qt::LeftButton);
        QVERIFY(dlg->documentos.isEmpty());
        QTest::mouseDClick(fondo, Qt::LeftButton, {}, QPoint(fondo->width() - 4, fondo->height() - 4));
        QCOMPARE(dlg->documentos, QStringList{ini()});
    }

    void menuDelLogo()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QTest::mouseClick(f->imgLogoVentana, Qt::LeftButton);
        QMenu *menu = f->Descripcion()->mnUno;
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!f->Descripcion()->isVisible());
        f->Descripcion()->mnEditINI->trigger();
        menu->close();
        QCOMPARE(dlg->documentos, QStringList{ini()});
        QVERIFY(!f->Descripcion()->isVisible());
    }

    void minimizarEnLaBarra()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        const QRect antes = f->geometry();
        QTest::mouseClick(f->MinimizarVentana, Qt::LeftButton);
        QVERIFY(f->RestaurarForma->isVisible());
        QCOMPARE(f->height(), f->RestaurarForma->height());
        QCOMPARE(f->RestaurarForma->text(), QStringLiteral("   ") + f->windowTitle());
        QTest::mouseClick(f->RestaurarForma, Qt::LeftButton);
        QVERIFY(!f->RestaurarForma->isVisible());
        QCOMPARE(f->geometry(), antes);
    }
};

QTEST_MAIN(TestBdFrmInicial)
#include "TestBdFrmInicial.moc"

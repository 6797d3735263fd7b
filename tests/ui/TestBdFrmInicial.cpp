#include "BaseDePrueba.h"
#include "DialogosGrabados.h"
#include "Programa.h"
#include "frmDescripcion.h"
#include "frmInicial.h"
#include "frmRevision.h"

#include <QTableWidget>

#include "BasesDD.h"
#include "DelRegistro.h"
#include "LibKVRS.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace ui;

class TestBdFrmInicial : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;
    QTemporaryDir dir;
    DialogosGrabados *dlg = nullptr;

    QString ini() const { return dir.filePath(QStringLiteral("repieps.ini")); }
    static QString hoy() { return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")); }
    static QString archivo(const char *tipo)
    {
        return QStringLiteral("Reporte-%1-%2.txt").arg(QLatin1String(tipo), QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    }

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

private Q_SLOTS:
    void initTestCase()
    {
        bd = new BaseDePrueba(QStringLiteral("ventana"));
        QVERIFY2(bd->lista(), qPrintable(bd->error()));
        bd->ejecutar(QStringLiteral(
            "INSERT INTO clientes (Clave, Nombre, RFC, Estado) VALUES "
            "('A', 'ALFA', '', ''), ('AB', 'ABARROTES BETO', '', ''),"
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

    void modoDesarrollo()
    {
        auto f = abrir(opciones(true));
        QVERIFY(f);
        QCOMPARE(f->mskFecha[0]->text(), QStringLiteral("01/01/2018"));
        QCOMPARE(f->mskFecha[1]->text(), QStringLiteral("31/03/2018"));
        f->SolicitarCierre();
        QVERIFY(!f->isVisible());
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
        f->mskFecha[0]->setFocus();
        QTest::keyClick(f->mskFecha[0], Qt::Key_Return);
        QVERIFY(f->mskFecha[1]->hasFocus());
    }

    void busqueda_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("tecleada");
        QTest::addColumn<int>("consultas");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("una consulta por tecla") << "AB" << true << 2 << "ABARROTES BETO";
        QTest::newRow("nombre nulo") << "N" << false << 1 << "";
        QTest::newRow("comilla") << "O'B" << false << 1 << "O'BRIEN E HIJOS";
        QTest::newRow("comilla que intenta mas") << "' OR '1'='1" << false << 1 << "";
    }
    void busqueda()
    {
        QFETCH(QString, clave);
        QFETCH(bool, tecleada);
        QFETCH(int, consultas);
        QFETCH(QString, nombre);
        auto f = abrir(opciones());
        QVERIFY(f);
        f->txtDato[1]->setFocus();
        const qint64 antes = f->conexionBusqueda().consultas();
        if (tecleada)
            QTest::keyClicks(f->txtDato[1], clave);
        else
            f->txtDato[1]->setText(clave);
        QCOMPARE(f->conexionBusqueda().consultas() - antes, qint64(consultas));
        QCOMPARE(f->lblCliente->text(), nombre);
        QCOMPARE(f->lblCliente->isVisible(), !nombre.isEmpty());
    }

    void reglasAlSalir_data()
    {
        QTest::addColumn<int>("campo"); // 0, 1 dates; 2 file name; 3 key
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("queda");
        QTest::newRow("archivo recortado y con .txt") << 2 << "  datos  " << "datos.txt";
        QTest::newRow("archivo con .TXT") << 2 << "X.TXT" << "X.TXT";
        QTest::newRow("archivo en blanco") << 2 << "    " << "";
        QTest::newRow("clave recortada") << 3 << " AB " << "AB";
        QTest::newRow("fecha valida") << 0 << "15/02/2018" << "15/02/2018";
        QTest::newRow("fecha imposible") << 0 << "30/02/2018" << hoy();
        QTest::newRow("fecha incompleta") << 1 << "12/0" << hoy();
    }
    void reglasAlSalir()
    {
        QFETCH(int, campo);
        QFETCH(QString, escrito);
        QFETCH(QString, queda);
        auto f = abrir(opciones());
        QVERIFY(f);
        QLineEdit *caja = campo < 2 ? f->mskFecha[campo] : f->txtDato[campo - 2];
        caja->setFocus();
        caja->setText(escrito);
        f->chkTodos->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(caja->text(), queda);
        QTRY_VERIFY((queda.isEmpty() ? caja : static_cast<QWidget *>(f->chkTodos))->hasFocus());
    }

    void proveedoresReiniciaClaveLeyendaYArchivo()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QCOMPARE(f->lblEtiq[3]->text(), QStringLiteral("Cliente:"));
        QCOMPARE(f->txtDato[0]->text(), archivo("CT"));
        f->txtDato[1]->setText(QStringLiteral("A"));
        QTest::mouseClick(f->optProvs, Qt::LeftButton);
        QCOMPARE(f->txtDato[1]->text(), QString());
        QVERIFY(!f->lblCliente->isVisible());
        QCOMPARE(f->lblEtiq[3]->text(), QStringLiteral("Proveedor:"));
        QCOMPARE(f->txtDato[0]->text(), archivo("PR"));
        f->txtDato[1]->setText(QStringLiteral("A"));
        QCOMPARE(f->lblCliente->text(), QStringLiteral("PROVEEDORA ALFA"));
    }

    void procesarEntregaLosSeisArgumentos()
    {
        QList<frmInicial::SolicitudReporte> pedidas;
        bool bloqueada = false;
        auto o = opciones();
        o.lanzar = [&](frmInicial &f, frmInicial::SolicitudReporte &s) {
            pedidas << s;
            bloqueada = !f.cmdProcesar->isEnabled() && !f.txtDato[1]->isEnabled() && f.enProceso();
        };
        auto f = abrir(o);
        QVERIFY(f);
        f->mskFecha[0]->setText(QStringLiteral("31/03/2018"));
        f->mskFecha[1]->setText(QStringLiteral("01/01/2018"));
        f->txtDato[0]->setText(QStringLiteral("salida.txt"));
        QTest::mouseClick(f->chkTodos, Qt::LeftButton);
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
        QVERIFY(f->cmdProcesar->isEnabled());
    }

    void revisionTrasLaCorrida()
    {
        // A party without RFC and a product missing from the catalogue: after the run the window
        // shows the review beside itself.
        bd->ejecutar(QStringLiteral(
            "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,'2018-02-01','AB',100,0);\n"
            "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (1,1,100);\n"
            "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (1,'A',1,90,0,10,0);\n"
            "INSERT INTO facturasdetalle VALUES (1,1,'NOHAY',1,90,0,10);\n"));
        auto o = opciones();
        o.lanzar = nullptr; // the real run
        auto f = abrir(o);
        QVERIFY(f);
        f->mskFecha[0]->setText(QStringLiteral("01/01/2018"));
        f->mskFecha[1]->setText(QStringLiteral("31/03/2018"));
        f->txtDato[0]->setText(QStringLiteral("revision.txt"));
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        bd->ejecutar(QStringLiteral("DELETE FROM edoctacli;\nDELETE FROM anexopagosctes;\nDELETE FROM facturas;\n"
                                    "DELETE FROM facturasdetalle;\n"));
        QCOMPARE(dlg->cajas.last().texto, QStringLiteral("Fin del proceso"));
        frmRevision *revision = f->findChild<frmRevision *>();
        QVERIFY(revision);
        QVERIFY(revision->isVisible());
        QCOMPARE(revision->tabla()->rowCount(), 2);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Revisionrevision.txt"))));
    }

    void f1DosVecesUnaDescripcion()
    {
        auto f = abrir(opciones());
        QVERIFY(f);
        QTest::keyClick(f->txtDato[0], Qt::Key_F1);
        QPointer<frmDescripcion> d = f->Descripcion();
        QVERIFY(d->isVisible());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTest::keyClick(f->mskFecha[1], Qt::Key_F1);
        QCOMPARE(f->Descripcion(), d.data());
        int visibles = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            visibles += qobject_cast<frmDescripcion *>(w) && w->isVisible();
        QCOMPARE(visibles, 1);
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
    }
    void teclasDeCierre()
    {
        QFETCH(int, modificadores);
        QFETCH(int, preguntas);
        auto f = abrir(opciones());
        QVERIFY(f);
        dlg->respuestas << host::vbNo;
        QTest::keyClick(f->txtDato[1], Qt::Key_F4, Qt::KeyboardModifiers(modificadores));
        QCOMPARE(dlg->cajas.size(), preguntas);
        if (preguntas)
            QCOMPARE(dlg->cajas.first().texto, QStringLiteral("¿Desea cerrar este programa?"));
        QVERIFY(f->isVisible());
    }
};

QTEST_MAIN(TestBdFrmInicial)
#include "TestBdFrmInicial.moc"

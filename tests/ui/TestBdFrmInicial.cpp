#include "ArchivoIni.h"
#include "Archivos.h"
#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "BusquedaDeTercero.h"
#include "ControlesCromo.h"
#include "CorridaEnHilo.h"
#include "DialogosGrabados.h"
#include "DispositivoQueFalla.h"
#include "Hoy.h"
#include "PanelDesenlace.h"
#include "Programa.h"
#include "Utilerias.h"
#include "VentanaEspera.h"
#include "frmConexionDirecta.h"
#include "frmDescripcion.h"
#include "frmInicial.h"
#include "frmRevision.h"
#include "frmVerReporte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

using namespace ui;

namespace {
// Locks a table from the test's own session for as long as it lives.
struct TablaBloqueada {
    TablaBloqueada(BaseDePrueba &bd, const QString &tabla) : bd_(bd)
    {
        bd_.ejecutar(QStringLiteral("LOCK TABLES %1 WRITE").arg(tabla));
    }
    ~TablaBloqueada() { bd_.ejecutar(QStringLiteral("UNLOCK TABLES")); }
    BaseDePrueba &bd_;
};

// The letter of a caption's Alt+letter shortcut; none without '&'.
QChar Atajo(const QString &texto)
{
    const int amp = int(texto.indexOf(QLatin1Char('&')));
    return amp >= 0 ? texto.at(amp + 1).toLower() : QChar();
}
} // namespace

// The main window driven as a user does, against the private server. The rules behind it have
// their own tests (names of files: TestComprobacionDeSalida; default names and the period:
// TestOpcionesCli; the collapse: TestUiCromo; the review and the report view: TestUiRevision,
// TestUiVerReporte); here, that the window applies them and what it shows.
class TestBdFrmInicial : public QObject {
    Q_OBJECT

private:
    BaseDePrueba *bd = nullptr;
    QTemporaryDir dir;
    std::unique_ptr<DialogosGrabados> dlg; // the boxes of one test function
    std::unique_ptr<frmInicial> f;         // its window, with opciones() unless the test opens another

    QString ini() const { return dir.filePath(QStringLiteral("repieps.ini")); }

    frmInicial::Opciones opciones(bool desarrollo = false, const QString &puerto = QString())
    {
        frmInicial::Opciones o;
        o.configurar = [this, puerto](host::LibKVRS &, host::DelRegistro &, host::BasesDD &b, const QString &,
                                      bool leerBase) {
            b.cRuta = bd->bases.cRuta;
            b.cPuerto = puerto.isEmpty() ? bd->bases.cPuerto : puerto;
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

    // Puts a window with these options in place of the test's window (one at a time: the window
    // holds the program's objects).
    bool abrir(frmInicial::Opciones o)
    {
        f.reset();
        f = std::make_unique<frmInicial>(std::move(o));
        if (!f->Cargar())
            return false;
        f->MostrarCentrada();
        return QTest::qWaitForWindowActive(f.get());
    }

    // The window with the real run behind its button, its inputs filled in.
    bool abrirParaCorrer(const QString &archivo, const QString &puerto = QString(),
                         const QString &desde = QStringLiteral("01/01/2018"), const QString &hasta = QStringLiteral("31/03/2018"))
    {
        auto o = opciones(false, puerto);
        o.lanzar = nullptr;
        if (!abrir(o))
            return false;
        f->mskFecha[0]->setText(desde);
        f->mskFecha[1]->setText(hasta);
        f->txtDato[0]->setText(archivo);
        return true;
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
        dlg = std::make_unique<DialogosGrabados>();
        QVERIFY(abrir(opciones()));
    }
    void cleanup()
    {
        f.reset();
        dlg.reset();
    }

    // The configuration file lacks a value and the disk takes none: the reason in a box, the file
    // as it was, and the window is never shown.
    void configuracionQueNoSeGuardaDetieneElPrograma()
    {
        const QByteArray antes = "[Configuración]\r\n; sin ruta\r\n";
        QVERIFY(EscribirArchivo(ini(), antes));
        frmInicial::Opciones o = opciones();
        o.configurar = nullptr; // the program's own loader
        host::FabricaDeSalidaGuard lleno(queFalla(0, QStringLiteral("No space left on device"), QStringLiteral("repieps.ini")));
        QVERIFY(!abrir(o));
        QVERIFY(!f->isVisible());
        QCOMPARE(dlg->cajas.size(), 1);
        QVERIFY2(dlg->cajas[0].texto.startsWith(QStringLiteral("No se pudo anotar el valor inicial de «Ruta de Nubora")),
                 qPrintable(dlg->cajas[0].texto)); // the whole text: TestConfiguracion
        QCOMPARE(LeerArchivo(ini()), antes);
    }

    void modoDesarrollo()
    {
        QVERIFY(abrir(opciones(true)));
        QCOMPARE(f->mskFecha[0]->text(), QStringLiteral("01/01/2018"));
        QCOMPARE(f->mskFecha[1]->text(), QStringLiteral("31/03/2018"));
        f->SolicitarCierre();
        QVERIFY(!f->isVisible());
        QVERIFY(dlg->cajas.isEmpty());
    }

    // The inputs in focus order (Enter moves on: enterAvanzaYProcesa); each one named for a screen reader
    // and taken with Alt+letter (a box by its caption), no two sharing a letter.
    void entradasEnOrdenConAtajoYNombre()
    {
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

        QSet<QChar> letras;
        for (QWidget *entrada : entradas) {
            QVERIFY2(!entrada->accessibleName().isEmpty(), qPrintable(entrada->objectName()));
            const QString texto = entrada->property("text").toString();
            if (!qobject_cast<QLineEdit *>(entrada)) {
                letras << Atajo(texto);
                QCOMPARE(entrada->accessibleName(), QString(texto).remove(QLatin1Char('&')));
            }
            for (QLabel *l : f->lblEtiq)
                if (l->buddy() == entrada)
                    letras << Atajo(l->text());
        }
        letras << Atajo(f->cmdTrimestre->text());
        letras.remove(QChar());
        QCOMPARE(letras.size(), 11);
        f->txtDato[1]->setFocus();
        QTest::keyClick(f.get(), Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(f->mskFecha[0]->hasFocus());
    }

    void busqueda_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("tecleada");
        QTest::addColumn<int>("consultas");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("a lo mas una consulta por tecla") << "AB" << true << 2 << "ABARROTES BETO";
        QTest::newRow("nombre nulo") << "N" << false << 1 << "";
        // With the quote left bare the query fails or finds another name (the escape: TestBdConexion).
        QTest::newRow("comilla") << "O'B" << false << 1 << "O'BRIEN E HIJOS";
    }
    void busqueda()
    {
        QFETCH(QString, clave);
        QFETCH(bool, tecleada);
        QFETCH(int, consultas);
        QFETCH(QString, nombre);
        f->txtDato[1]->setFocus();
        QSignalSpy respuestas(&f->busqueda(), &BusquedaDeTercero::encontrado);
        const qint64 antes = f->busqueda().conexion().consultas();
        if (tecleada)
            QTest::keyClicks(f->txtDato[1], clave);
        else
            f->txtDato[1]->setText(clave);
        // The answer to the last key; an older key may have been overtaken before it was sent.
        QTRY_VERIFY(!respuestas.isEmpty() && respuestas.last().at(1).toString() == nombre);
        QTRY_COMPARE(f->lblCliente->text(), nombre);
        const qint64 enviadas = f->busqueda().conexion().consultas() - antes;
        QVERIFY2(enviadas >= 1 && enviadas <= consultas, qPrintable(QString::number(enviadas)));
        QCOMPARE(f->lblCliente->isVisible(), !nombre.isEmpty());
    }

    void busquedaSinServidorEsperaAntesDeReintentar()
    {
        // A server that closes every connection at once, counting them.
        QTcpServer mudo;
        QVERIFY(mudo.listen(QHostAddress::LocalHost));
        int conexiones = 0;
        connect(&mudo, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket *s = mudo.nextPendingConnection()) {
                ++conexiones;
                s->abort();
            }
        });
        QVERIFY(abrir(opciones(false, QString::number(mudo.serverPort()))));
        f->txtDato[1]->setFocus();
        QTest::keyClick(f->txtDato[1], Qt::Key_A);
        QTRY_COMPARE(f->lblCliente->text(), QStringLiteral("Sin conexión"));
        QCOMPARE(conexiones, 1);
        // The next keys do not try again while the wait after the failure lasts.
        QTest::keyClicks(f->txtDato[1], QStringLiteral("BC"));
        QTest::qWait(200);
        QCOMPARE(conexiones, 1);
        QCOMPARE(f->lblCliente->text(), QStringLiteral("Sin conexión"));
        // An empty key asks nothing and says nothing.
        f->txtDato[1]->clear();
        QVERIFY(!f->lblCliente->isVisible());
        // Once the wait is over, a key tries again.
        f->setEsperaTrasFalloDeBusqueda(0);
        QTest::keyClick(f->txtDato[1], Qt::Key_D);
        QTRY_COMPARE(conexiones, 2);
        QCOMPARE(f->busqueda().conexion().segundosParaConectar(), BusquedaDeTercero::SegundosDeEspera);
    }

    void busquedaConLaTablaBloqueadaNoDetieneLaEscritura()
    {
        // Another session holds the customers table: the look-up waits in its own thread, the
        // keys go on, and once its short wait is over it says so (the wait before trying again:
        // busquedaSinServidorEsperaAntesDeReintentar).
        TablaBloqueada bloqueo(*bd, QStringLiteral("clientes"));
        f->txtDato[1]->setFocus();
        const qint64 antes = f->busqueda().conexion().consultas();
        QTest::keyClicks(f->txtDato[1], QStringLiteral("ABC"));
        QCOMPARE(f->txtDato[1]->text(), QStringLiteral("ABC"));
        // The keys came back before the server answered.
        QVERIFY(f->lblCliente->text().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(f->lblCliente->text(), QStringLiteral("Sin conexión"), 15000);
        // While the first key waited, the second was overtaken by the third: it was not sent.
        QVERIFY(f->busqueda().conexion().consultas() - antes <= 2);
    }

    void enterAvanzaYProcesa_data()
    {
        // 0 mskFecha[0], 1 mskFecha[1], 2 optCtes, 3 optProvs, 4 optProcesar[0], 5 optProcesar[1], 6 chkTodos, 7 cmdProcesar
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta"); // the same
        QTest::newRow("fecha") << 0 << 1; // a box moves on with every Enter, an option only on Enter
        QTest::newRow("clientes") << 2 << 4; // past the other option of its group, as from optProcesar[0]
        QTest::newRow("por clasificacion") << 5 << 6;
        // Then Enter on the button runs the report.
        QTest::newRow("todos los pagos") << 6 << 7;
    }
    void enterAvanzaYProcesa()
    {
        QFETCH(int, desde);
        QFETCH(int, hasta);
        int corridas = 0;
        auto o = opciones();
        o.lanzar = [&corridas](frmInicial &, frmInicial::SolicitudReporte &) { ++corridas; };
        QVERIFY(abrir(o));
        QWidget *campos[] = {f->mskFecha[0],    f->mskFecha[1],    f->optCtes,  f->optProvs,
                             f->optProcesar[0], f->optProcesar[1], f->chkTodos, f->cmdProcesar};
        if (desde == 5)
            f->optProcesar[1]->setChecked(true);
        campos[desde]->setFocus(Qt::TabFocusReason);
        QVERIFY(campos[desde]->hasFocus());
        QTest::keyClick(campos[desde], Qt::Key_Return);
        QVERIFY(campos[hasta]->hasFocus());
        QVERIFY(f->optCtes->isChecked() && !f->chkTodos->isChecked()); // Enter chose nothing
        QCOMPARE(corridas, 0);
        QTest::keyClick(f->focusWidget(), Qt::Key_Enter); // the keypad's Enter does the same
        QCOMPARE(corridas, hasta == 7 ? 1 : 0);
    }

    void colapsoYRestauracion()
    {
        // The window's own buttons collapse and restore it (the geometry: TestUiCromo).
        const QRect antes = f->geometry();
        QTest::mouseClick(f->MinimizarVentana, Qt::LeftButton);
        QVERIFY(f->RestaurarForma->isVisible() && !f->cmdProcesar->isVisible());
        QCOMPARE(f->size(), f->RestaurarForma->size());
        QCOMPARE(f->RestaurarForma->text(), QStringLiteral("   ") + f->windowTitle());
        QTest::mouseClick(f->RestaurarForma, Qt::LeftButton);
        QCOMPARE(f->geometry(), antes);
        // What was hidden before stays hidden: TestUiCromo::minimizarYRestaurar.
        QVERIFY(!f->RestaurarForma->isVisible() && f->cmdProcesar->isVisible());
    }

    void configuracionSinProgramaQueLaAbra()
    {
        dlg->abre = false;
        QTest::mouseDClick(f.get(), Qt::LeftButton, Qt::NoModifier, QPoint(f->width() - 4, f->height() - 4));
        QCOMPARE(dlg->documentos, QStringList{ini()});
        QCOMPARE(dlg->cajas.size(), 1);
        QCOMPARE(dlg->cajas.first().texto,
                 QStringLiteral("No hay un programa que abra el archivo de configuración.\r\n\r\nEstá en:\r\n%1\r\n\r\n"
                                "Es un archivo de texto simple: puede abrirlo con el Bloc de notas o con cualquier "
                                "editor de texto.")
                     .arg(QDir::toNativeSeparators(ini())));
        // The same from the menu of the logo; nothing to say when a program opens it.
        f->Descripcion()->mnEditINI->trigger();
        QCOMPARE(dlg->cajas.size(), 2);
        dlg->abre = true;
        f->Descripcion()->mnEditINI->trigger();
        QCOMPARE(dlg->cajas.size(), 2);
    }

    // What each box leaves as the cursor leaves it; one row per rule. An empty file name:
    // procesarSoloConEntradasValidas.
    void reglasAlSalir_data()
    {
        QTest::addColumn<int>("campo"); // 0, 1 dates; 2 file name; 3 key
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("queda");
        QTest::newRow("archivo recortado y con .txt") << 2 << "  datos  " << "datos.txt";
        QTest::newRow("archivo con .TXT") << 2 << "X.TXT" << "X.TXT";
        QTest::newRow("clave recortada") << 3 << " AB " << "AB";
        QTest::newRow("fecha valida") << 0 << "15/02/2018" << "15/02/2018";
        // Said as typed, without the mask's blanks; an impossible date (30/02) takes the same path.
        QTest::newRow("fecha incompleta") << 1 << "12/0" << "06/05/2031"; // today, as reglasAlSalir fixes it
    }
    void reglasAlSalir()
    {
        QFETCH(int, campo);
        QFETCH(QString, escrito);
        QFETCH(QString, queda);
        config::FijarHoy(QDate(2031, 5, 6));
        QLineEdit *caja = campo < 2 ? f->mskFecha[campo] : f->txtDato[campo - 2];
        caja->setFocus();
        caja->setText(escrito);
        f->chkTodos->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(caja->text(), queda);
        QTRY_VERIFY(f->chkTodos->hasFocus());
        // A date that did not stand is named under its box until the next key.
        const bool fechaCambiada = campo < 2 && queda != escrito;
        QCOMPARE(f->lblAvisoFecha->isVisible(), fechaCambiada);
        if (fechaCambiada) {
            QCOMPARE(f->lblAvisoFecha->text(), escrito + QStringLiteral(" no es una fecha válida; se puso la fecha de hoy"));
            QTest::keyClick(f->chkTodos, Qt::Key_Shift);
            QVERIFY(!f->lblAvisoFecha->isVisible());
        }
    }

    // "/" gives the day or the month typed so far its leading zero.
    void barraCompletaLaFecha_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::newRow("dia y mes") << "1/1/2018" << "01/01/2018";
        QTest::newRow("solo el mes") << "12/3/2018" << "12/03/2018";
    }
    void barraCompletaLaFecha()
    {
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        f->mskFecha[0]->setFocus();
        QTest::keyClicks(f->mskFecha[0], tecleado);
        QCOMPARE(f->mskFecha[0]->text(), queda);
    }

    // "Trimestre…" lists the last eight quarters that have ended, the latest first (on its last day
    // a quarter has not ended); one fills both dates and leaves the file name as it was.
    void trimestres_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<int>("elegido");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::newRow("diciembre") << QDate(2026, 12, 7) << 0 << "3.º trimestre de 2026 (julio a septiembre)" << "01/07/2026"
                                   << "30/09/2026";
        QTest::newRow("cambio de año") << QDate(2027, 1, 1) << 0 << "4.º trimestre de 2026 (octubre a diciembre)"
                                       << "01/10/2026" << "31/12/2026";
        QTest::newRow("el octavo") << QDate(2027, 1, 1) << 7 << "1.º trimestre de 2025 (enero a marzo)" << "01/01/2025"
                                   << "31/03/2025";
        QTest::newRow("su último día") << QDate(2026, 6, 30) << 1 << "4.º trimestre de 2025 (octubre a diciembre)"
                                       << "01/10/2025" << "31/12/2025";
    }
    void trimestres()
    {
        QFETCH(QDate, hoy);
        QFETCH(int, elegido);
        QFETCH(QString, nombre);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        config::FijarHoy(hoy);
        const QString archivo = f->txtDato[0]->text();
        QTest::mouseClick(f->cmdTrimestre, Qt::LeftButton);
        config::FijarHoy(QDate());
        QTRY_VERIFY(f->mnTrimestres->isVisible());
        const QList<QAction *> lista = f->mnTrimestres->actions();
        QCOMPARE(lista.size(), 8);
        QCOMPARE(lista[elegido]->text(), nombre);
        lista[elegido]->trigger();
        QCOMPARE((QStringList{f->mskFecha[0]->text(), f->mskFecha[1]->text(), f->txtDato[0]->text()}),
                 (QStringList{desde, hasta, archivo}));
    }

    // A report already in the folder is replaced only when the user says so: "No", the default,
    // goes back to the name with the three files as they were and nothing run (without a report
    // nothing is asked, and "Sí" runs: revisionTrasLaCorrida).
    void reemplazoPreguntado()
    {
        int corridas = 0;
        auto o = opciones();
        o.lanzar = [&corridas](frmInicial &, frmInicial::SolicitudReporte &) { ++corridas; };
        QVERIFY(abrir(o));
        const QStringList nombres{"hecho.txt", "Loghecho.txt", "Revisionhecho.txt"};
        for (const QString &n : nombres)
            QVERIFY(EscribirArchivo(dir.filePath(n), n.toUtf8()));
        QFile hecho(dir.filePath("hecho.txt"));
        QVERIFY(hecho.open(QIODevice::ReadWrite)
                && hecho.setFileTime(QDateTime(QDate(2026, 10, 5), QTime(9, 7)), QFileDevice::FileModificationTime));
        f->txtDato[0]->setText(QStringLiteral("hecho.txt"));
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(corridas, 0);
        QCOMPARE(dlg->cajas.size(), 1);
        QCOMPARE(dlg->cajas[0].texto, QStringLiteral("Ya existe «hecho.txt» (generado el 05/10/2026 09:07). ¿Desea reemplazarlo?"));
        QVERIFY(dlg->cajas[0].skin && dlg->cajas[0].botones == (host::vbYesNo | host::vbQuestion | host::vbDefaultButton2));
        QTRY_VERIFY(f->txtDato[0]->hasFocus());
        for (const QString &n : nombres)
            QCOMPARE(LeerArchivo(dir.filePath(n)), n.toUtf8());
    }

    // A first start without an installation always leads somewhere: where nothing opens the file,
    // a box says where it is; then a direct connection, whose dialog keeps nothing that does not
    // connect, starts the window, and the next start goes straight to it.
    void primerInicioSinInstalacion()
    {
        QVERIFY(EscribirArchivo(ini(), "[Configuración]\r\nRuta de Nubora Premium=/no/existe\r\n"));
        frmInicial::Opciones o = opciones();
        o.configurar = nullptr; // the program's own loader
        dlg->abre = false;
        dlg->respuestas << host::vbOK << host::vbYes << host::vbNo;
        QVERIFY(!abrir(o));
        QCOMPARE(dlg->cajas.size(), 4);
        QVERIFY(dlg->cajas[2].texto.startsWith(QStringLiteral("No hay un programa que abra el archivo de configuración.")));
        QCOMPARE(dlg->cajas[3].texto, QStringLiteral("¿Desea conectarse directamente a un servidor MySQL?"));

        dlg->respuestas << host::vbOK << host::vbNo << host::vbYes;
        QString rechazo, servidorTrasRechazo = QStringLiteral("?");
        bool listadas = false;
        QTimer buscar;
        connect(&buscar, &QTimer::timeout, this, [&] {
            auto *c = qobject_cast<frmConexionDirecta *>(QApplication::activeModalWidget());
            if (!c)
                return;
            buscar.stop();
            c->txtServidor->setText(bd->bases.cRuta);
            c->txtPuerto->setText(bd->bases.cPuerto);
            c->txtUsuario->setText(bd->bases.cUsuario);
            c->txtContrasena->setText(bd->bases.cPassword + QStringLiteral("mala"));
            c->cboBase->setEditText(bd->nombre());
            c->cmdGuardar->click();
            rechazo = c->lblEstado->text();
            servidorTrasRechazo = host::ini::Lee(ini(), QStringLiteral("Conexión directa"), QStringLiteral("Servidor"));
            c->txtContrasena->setText(bd->bases.cPassword);
            c->cmdProbar->click();
            listadas = c->cboBase->findText(bd->nombre()) >= 0 && c->cboBase->findText(QStringLiteral("mysql")) < 0;
            c->cmdGuardar->click();
        });
        buscar.start(50);
        QVERIFY(abrir(o));
        QVERIFY2(rechazo.contains(QStringLiteral("el servidor no aceptó el usuario o la contraseña")), qPrintable(rechazo));
        QCOMPARE(servidorTrasRechazo, QString());
        QVERIFY(listadas);
        QCOMPARE(host::ini::Lee(ini(), QStringLiteral("Conexión directa"), QStringLiteral("Contraseña")),
                 host::Utilerias::Encripta(bd->bases.cPassword));
        QCOMPARE(f->lblMuestra->text().section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral(" Servidor: %1\n  Base de datos: %2").arg(bd->bases.cRuta, bd->nombre()));
        dlg = std::make_unique<DialogosGrabados>();
        QVERIFY(abrir(o));
        QVERIFY(dlg->cajas.isEmpty());
    }

    void proveedoresReiniciaClaveLeyendaYArchivo()
    {
        // The default names themselves: TestOpcionesCli.
        QCOMPARE(f->lblEtiq[3]->text().remove(QLatin1Char('&')), QStringLiteral("Cliente:"));
        QVERIFY2(f->txtDato[0]->text().startsWith(QStringLiteral("Reporte-CT-")), qPrintable(f->txtDato[0]->text()));
        f->txtDato[1]->setText(QStringLiteral("A"));
        QTest::mouseClick(f->optProvs, Qt::LeftButton);
        QCOMPARE(f->txtDato[1]->text(), QString());
        QVERIFY(!f->lblCliente->isVisible());
        QCOMPARE(f->lblEtiq[3]->text().remove(QLatin1Char('&')), QStringLiteral("Proveedor:"));
        QVERIFY2(f->txtDato[0]->text().startsWith(QStringLiteral("Reporte-PR-")), qPrintable(f->txtDato[0]->text()));
        f->txtDato[1]->setText(QStringLiteral("A"));
        QTRY_COMPARE(f->lblCliente->text(), QStringLiteral("PROVEEDORA ALFA"));
    }

    // The button runs only with inputs that can make a report, and hands the run its six
    // arguments with the window locked.
    void procesarSoloConEntradasValidas()
    {
        QList<frmInicial::SolicitudReporte> pedidas;
        bool bloqueada = false;
        auto o = opciones();
        o.lanzar = [&](frmInicial &ventana, frmInicial::SolicitudReporte &s) {
            pedidas << s;
            bloqueada = !ventana.cmdProcesar->isEnabled() && !ventana.txtDato[1]->isEnabled() && ventana.enProceso();
        };
        QVERIFY(abrir(o));
        // No file name: said under the box as the cursor leaves it, which goes back to the box.
        const QString sinNombre = QStringLiteral("Escriba el nombre del archivo del reporte.");
        f->txtDato[0]->setFocus();
        f->txtDato[0]->clear();
        QTest::keyClick(f->txtDato[0], Qt::Key_Tab);
        QTRY_VERIFY(f->txtDato[0]->hasFocus());
        QCOMPARE(f->lblAvisoFecha->text(), sinNombre);
        QVERIFY(f->lblAvisoFecha->isVisible() && dlg->cajas.isEmpty());
        // A click on the button is not swallowed by the cursor going back to the box.
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QTRY_COMPARE(dlg->cajas.size(), 1);
        QCOMPARE(dlg->cajas.last().texto, sinNombre);
        QCOMPARE(dlg->cajas.last().titulo, QStringLiteral("Nombre del archivo"));
        QTRY_VERIFY(f->txtDato[0]->hasFocus());
        // A period the wrong way round is said as the command line says it, and not run.
        f->mskFecha[0]->setText(QStringLiteral("31/03/2018"));
        f->mskFecha[1]->setText(QStringLiteral("01/01/2018"));
        f->txtDato[0]->setText(QStringLiteral("salida.txt"));
        QTest::mouseClick(f->chkTodos, Qt::LeftButton);
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(dlg->cajas.size(), 2);
        QCOMPARE(dlg->cajas.last().texto, QStringLiteral("La fecha inicial (31/03/2018) es posterior a la final (01/01/2018)."));
        QCOMPARE(pedidas.size(), 0);
        f->mskFecha[0]->setText(QStringLiteral("01/01/2018"));
        f->mskFecha[1]->setText(QStringLiteral("31/03/2018"));
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QCOMPARE(pedidas.size(), 1);
        const frmInicial::SolicitudReporte &s = pedidas.first();
        QCOMPARE(std::tuple(s.dtInicial, s.dtFinal, s.stArchivo, s.stCliente, s.blSonCtes, s.blTodosLosPagos),
                 std::tuple(QDate(2018, 1, 1), QDate(2018, 3, 31), QStringLiteral("salida.txt"), QString(), true, true));
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
            "INSERT INTO facturasdetalle VALUES (1,1,'NOHAY',1,45,0,5),(1,2,'P1',1,45,0,5);\n"
            "INSERT INTO lineas VALUES (1,'BOTANAS');\n"
            "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS');\n"));
        QVERIFY(abrirParaCorrer(QStringLiteral("revision.txt")));
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton); // the run starts at once: corridaSinReporte
        QTRY_VERIFY_WITH_TIMEOUT(!f->enProceso(), 60000);
        // A second run while the first one's review is still open shows its own.
        QPointer<frmRevision> primera = f->findChild<frmRevision *>();
        QVERIFY(primera && primera->isVisible());
        // The keyboard is on the outcome, not on "Procesar"; the second run replaces the report once asked.
        QCOMPARE(f->focusWidget(), f->panelDesenlace->cmdVerReporte);
        dlg->respuestas << host::vbYes;
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f->enProceso(), 60000);
        QTRY_VERIFY(!primera);
        bd->ejecutar(QStringLiteral("DELETE FROM edoctacli;\nDELETE FROM anexopagosctes;\nDELETE FROM facturas;\n"
                                    "DELETE FROM facturasdetalle;\nDELETE FROM lineas;\nDELETE FROM productos;\n"));
        // The end-of-run box comes through the window as in corridaSinReporte.
        frmRevision *revision = f->findChild<frmRevision *>();
        QVERIFY(revision && revision->isVisible());
        QCOMPARE(revision->tabla()->rowCount(), 2);

        // The outcome stays under the inputs, with the files it names a click away.
        PanelDesenlace *panel = f->panelDesenlace;
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->desenlace().texto,
                 QStringLiteral("Reporte generado, clientes del 01/01/2018 al 31/03/2018: 1 pago y 2 líneas procesados; "
                                "1 RFC en el reporte.\n"
                                "Carpeta: %1\n"
                                "Reporte: revision.txt    Log: Logrevision.txt\n"
                                "Revisión: 2 hallazgos por revisar, en Revisionrevision.txt.")
                     .arg(QDir::toNativeSeparators(dir.path())));
        QVERIFY(!panel->desenlace().fallo);
        // All of it in sight: the lines above the buttons, the buttons inside the window.
        QWidget *lineas = panel->findChild<QScrollArea *>();
        QVERIFY(lineas && lineas->geometry().bottom() < panel->cmdAbrirReporte->geometry().top());
        QVERIFY(panel->cmdAbrirReporte->mapTo(f.get(), QPoint(0, panel->cmdAbrirReporte->height())).y() < f->height());
        for (QPushButton *boton : {panel->cmdAbrirReporte, panel->cmdAbrirLog, panel->cmdAbrirCarpeta})
            QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(QDir::fromNativeSeparators(dlg->documentos.join(QLatin1Char('|'))),
                 QStringList({dir.filePath("revision.txt"), dir.filePath("Logrevision.txt"), dir.path()})
                     .join(QLatin1Char('|')));
        // Closed, the review comes back from its button.
        revision->close();
        QTRY_VERIFY(!f->findChild<frmRevision *>());
        QTest::mouseClick(panel->cmdVerRevision, Qt::LeftButton);
        revision = f->findChild<frmRevision *>();
        QVERIFY(revision && revision->isVisible());

        // "Ver reporte" shows the file as it was written, with the run's data.
        QTest::mouseClick(panel->cmdVerReporte, Qt::LeftButton);
        frmVerReporte *vista = f->findChild<frmVerReporte *>();
        QVERIFY(vista && vista->isVisible());
        QCOMPARE(QDir::fromNativeSeparators(vista->ruta()), dir.filePath(QStringLiteral("revision.txt")));
        const QString datos = QStringLiteral("Reporte de clientes del 01/01/2018 al 31/03/2018, base de datos ") + bd->nombre();
        QVERIFY2(vista->datos()->text().contains(datos), qPrintable(vista->datos()->text()));
        // The finding of the report (first in the review), double-clicked, brings its RFC up in the view.
        vista->close();
        QTRY_VERIFY(!f->findChild<frmVerReporte *>());
        QCOMPARE(revision->tabla()->item(0, 3)->text(), QStringLiteral("sí"));
        Q_EMIT revision->tabla()->cellDoubleClicked(0, 0);
        vista = f->findChild<frmVerReporte *>();
        QVERIFY(vista && vista->isVisible());
        QCOMPARE(vista->detalle()->rowCount(), vista->resumen().rfcs.first().renglones.size());
    }

    // A cancelled run asks nothing: not even the wait window is taken away for a box.
    void corridaCanceladaNoPregunta()
    {
        CorridaEnHilo corrida(bd->bases, frmInicial::SolicitudReporte(), false, dir.path(), QString(), *dlg);
        QSignalSpy espera(&corrida, &CorridaEnHilo::esperaPedida);
        corrida.Cancelar();
        int respuesta = 0;
        const auto caja = [](host::Dialogos &) { return host::vbYes; };
        const std::unique_ptr<QThread> hilo(QThread::create([&] { respuesta = corrida.Preguntar(caja, host::vbNo); }));
        hilo->start();
        QTRY_VERIFY(hilo->isFinished());
        QVERIFY(respuesta == host::vbNo && espera.isEmpty());
    }

    // Runs that write no report: no payment in the period, no server, and runs cancelled while they
    // wait: on a statement on a table another session holds ("Cancelar" ends the statement), or on
    // a server that takes the connection and never greets (Escape frees the window although the
    // server cannot be told anything). The outcome says why under the inputs, the files of an
    // earlier run stay byte for byte, and the work table goes.
    void corridaSinReporte_data()
    {
        QTest::addColumn<int>("caso"); // 0 no payments, 1 no server, 2 statement waiting, 3 silent server
        QTest::addColumn<QString>("caja"); // the end of the run in a box, but none for a cancel the user asked for
        // The outcome as a pattern; without the server, the Spanish reason whole and the client's own
        // text on the line after it.
        QTest::addColumn<QString>("desenlace");
        QTest::newRow("sin pagos") << 0 << "Fin del proceso"
                                   << "^No se generó ningún archivo, clientes del 01/01/2030 al 31/01/2030: 0 pagos; "
                                      "ningún pago del periodo cumple las condiciones\\.";
        QTest::newRow("sin conexion") << 1 << "Fin del proceso"
                                      << "^No se generó el reporte, clientes del 01/01/2030 al 31/01/2030\\.\n"
                                         "No se pudo conectar con la base de datos «[^\n]*que el servidor y el puerto sean "
                                         "los correctos\n\\([^\n]*\\)\\z";
        QTest::newRow("sentencia que espera una tabla") << 2 << "" << "^Proceso cancelado, clientes del 01/01/2030 al 31/01/2030";
        QTest::newRow("servidor que no saluda") << 3 << "" << "^Proceso cancelado, clientes del 01/01/2030 al 31/01/2030";
    }
    void corridaSinReporte()
    {
        QFETCH(int, caso);
        QFETCH(QString, caja);
        QFETCH(QString, desenlace);
        const QByteArray anterior("anterior\r\n");
        const QStringList archivos{"nada.txt", "Lognada.txt", "Revisionnada.txt"};
        for (const QString &nombre : archivos)
            QVERIFY(EscribirArchivo(dir.filePath(nombre), anterior));
        // Listens and never takes a connection out of its queue; closed, nobody listens on its port.
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        const QString puerto = caso == 1 || caso == 3 ? QString::number(servidor.serverPort()) : QString();
        if (caso == 1)
            servidor.close();
        QVERIFY(abrirParaCorrer(QStringLiteral("nada.txt"), puerto, QStringLiteral("01/01/2030"), QStringLiteral("31/01/2030")));
        std::optional<TablaBloqueada> bloqueo;
        if (caso == 2)
            bloqueo.emplace(*bd, QStringLiteral("edoctacli"));
        // No box of the run is shown over the wait window.
        bool esperaBajoUnaCaja = false;
        dlg->alMostrar = [&] { esperaBajoUnaCaja = esperaBajoUnaCaja || f->ventanaEspera()->isVisible(); };
        dlg->respuestas << host::vbYes; // the earlier report is replaced
        QTest::mouseClick(f->cmdProcesar, Qt::LeftButton);
        QVERIFY(f->enProceso());
        QVERIFY(!dlg->cajas.isEmpty() && dlg->cajas.takeFirst().texto.startsWith(QStringLiteral("Ya existe «nada.txt» (generado el ")));
        if (caso >= 2) {
            QTimer latido;
            QSignalSpy latidos(&latido, &QTimer::timeout);
            latido.start(100);
            if (caso == 2) {
                const QString esperan = QStringLiteral("SELECT COUNT(*) FROM information_schema.processlist WHERE db='%1' AND "
                                                       "state LIKE 'Waiting for table metadata lock'");
                QTRY_VERIFY_WITH_TIMEOUT(bd->cn.Valor(esperan.arg(bd->nombre())).toInt() == 1, 15000);
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(f->ventanaEspera()->lblEstado->text().startsWith(QStringLiteral("Esperando al servidor… (")),
                                         15000);
                QVERIFY(f->ventanaEspera()->lblEstado->isVisible());
                QCOMPARE(f->ventanaEspera()->lblEstado->text(), QStringLiteral("Esperando al servidor… (5 s)"));
            }
            QTRY_VERIFY(latidos.size() >= 2); // the window's thread goes on while the run waits
            QVERIFY(f->ventanaEspera()->isVisible());
            // During the run F1 does nothing.
            QTest::keyClick(f.get(), Qt::Key_F1);
            QVERIFY(!f->Descripcion()->isVisible());
            if (caso == 2)
                QTest::mouseClick(f->ventanaEspera()->cmdCancelar, Qt::LeftButton);
            else
                QTest::keyClick(f.get(), Qt::Key_Escape);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!f->enProceso(), 30000);
        bloqueo.reset();
        dlg->alMostrar = nullptr;
        QVERIFY(!esperaBajoUnaCaja);
        QVERIFY(!f->ventanaEspera()->isVisible());
        QCOMPARE(dlg->cajas.isEmpty() ? QString() : dlg->cajas.last().texto, caja);
        PanelDesenlace *panel = f->panelDesenlace;
        QVERIFY(panel->isVisible());
        QVERIFY2(QRegularExpression(desenlace).match(panel->desenlace().texto).hasMatch(), qPrintable(panel->desenlace().texto));
        QCOMPARE(panel->lblDesenlace->text(), panel->desenlace().texto);
        QCOMPARE(panel->desenlace().fallo, caso == 1);
        // Nothing was written: no button offers to open it.
        QVERIFY(!panel->cmdAbrirReporte->isVisible() && !panel->cmdAbrirLog->isVisible()
                && !panel->cmdVerRevision->isVisible() && !panel->cmdAbrirCarpeta->isVisible());
        for (const QString &nombre : archivos)
            QCOMPARE(LeerArchivo(dir.filePath(nombre)), anterior);
        const QString deTrabajo = QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE "
                                                 "table_schema='%1' AND table_name='tmptempoieps'");
        QCOMPARE(bd->cn.Valor(deTrabajo.arg(bd->nombre())).toInt(), 0);
        QVERIFY(f->cmdProcesar->isEnabled());
        // The outcome goes as soon as an input changes: it no longer describes the window.
        f->txtDato[0]->setFocus();
        QTest::keyClick(f->txtDato[0], Qt::Key_X);
        QVERIFY(!panel->isVisible());
        QVERIFY(panel->desenlace().texto.isEmpty());
    }

    // F1 twice shows one description. Alt+F4 asks before closing (answered No, the window stays);
    // F4 with other modifiers does nothing; once closed, the description goes with the window.
    void f1YTeclasDeCierre()
    {
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
        dlg->respuestas << host::vbNo << host::vbYes;
        QTest::keyClick(f->txtDato[1], Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(dlg->cajas.isEmpty());
        QTest::keyClick(f->txtDato[1], Qt::Key_F4, Qt::AltModifier);
        QCOMPARE(dlg->cajas.size(), 1);
        QCOMPARE(dlg->cajas.first().texto, QStringLiteral("¿Desea cerrar este programa?"));
        QVERIFY(f->isVisible());
        f->SolicitarCierre();
        QVERIFY(!f->isVisible());
        QVERIFY(!d);
    }
};

QTEST_MAIN(TestBdFrmInicial)
#include "TestBdFrmInicial.moc"

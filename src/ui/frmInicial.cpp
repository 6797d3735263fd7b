#include "frmInicial.h"

#include "AbrirArchivos.h"
#include "BusquedaDeTercero.h"
#include "CorridaEnHilo.h"
#include "DentroDeLaPantalla.h"
#include "PanelDesenlace.h"
#include "Programa.h"
#include "Skin.h"
#include "VentanaEspera.h"
#include "frmConexionDirecta.h"

#include "BasesDD.h"
#include "CarpetasDelPrograma.h"
#include "Configuracion.h"
#include "DeArchivos.h"
#include "DeControles.h"
#include "DelRegistro.h"
#include "Efectos.h"
#include "LibKVRS.h"
#include "LineaDeComandos.h"
#include "Objetos.h"
#include "Plugins.h"
#include "Utilerias.h"
#include "Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {
const QString TituloDeDiseno = QStringLiteral(" Reporte especial de IEPS ");
} // namespace

frmInicial::frmInicial(Opciones opciones)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), opciones_(std::move(opciones))
{
    setObjectName(QStringLiteral("frmInicial"));
    setWindowTitle(TituloDeDiseno.trimmed());
    // Beside the program, or in the user's documents when the program's folder cannot be written.
    const config::CarpetasDelPrograma carpetas = config::CarpetasDeEstePrograma();
    carpeta_ = opciones_.carpeta.isEmpty() ? carpetas.salida : opciones_.carpeta;
    lineaCarpetas_ = opciones_.carpeta.isEmpty() ? config::LineaDeCarpetas(carpetas) : QString();
    if (!opciones_.configurar)
        opciones_.configurar = [](host::LibKVRS &lib, host::DelRegistro &registro, host::BasesDD &bases,
                                  const QString &archivo, bool leerBase) {
            // Without an installation the user is shown where the file is, and may reach a server directly.
            const config::PrimerInicio primerInicio{EditarConfiguracion, [archivo] { return PedirConexionDirecta(archivo); }};
            return config::CargarConfiguracion(lib, registro, bases, archivo, leerBase, &primerInicio);
        };
    if (!opciones_.modoDesarrollo)
        opciones_.modoDesarrollo = [] { return config::ModoDesarrollo(); };
    if (!opciones_.lanzar)
        opciones_.lanzar = [](frmInicial &f, SolicitudReporte &s) { f.iniciarCorrida(s); };
    busqueda_ = new BusquedaDeTercero(this);
    connect(busqueda_, &BusquedaDeTercero::encontrado, this, &frmInicial::terceroEncontrado);
    construir();
    qApp->installEventFilter(this);
}

frmInicial::~frmInicial()
{
    if (corrida_) {
        // Only when the program ends in the middle of a run: nothing of it may reach the window.
        corrida_->Abandonar();
        corrida_.reset();
    }
    if (cargada_)
        descargar();
}

bool frmInicial::modoDesarrollo() const
{
    return opciones_.modoDesarrollo();
}

void frmInicial::construir()
{
    desplazable_ = new QScrollArea(this);
    desplazable_->setObjectName(QStringLiteral("desplazable"));
    desplazable_->setFrameShape(QFrame::NoFrame);
    desplazable_->setWidgetResizable(true);
    desplazable_->viewport()->setAutoFillBackground(false);
    contenido_ = new QWidget(desplazable_);
    contenido_->setObjectName(QStringLiteral("contenido"));
    contenido_->setStyleSheet(QStringLiteral(
        "QLabel#lblMuestra { background: #e6edf5; border: 1px solid #c3d0df; border-radius: 4px;"
        "  padding: 6px 8px; color: #17385f; }"
        "QLabel#lblCliente { color: #17385f; font-weight: bold; }"
        "QLabel#lblProceso { color: #2b3f55; }"
        "QFrame#Frame1, QWidget#grpTercero { background: #ffffff; border: 1px solid #d3dbe5; border-radius: 4px; }"
        "QLineEdit { padding: 3px 6px; border: 1px solid #b9c6d6; border-radius: 3px; background: white; }"
        "QLineEdit:focus { border: 1px solid #2b578a; background: #fffdf2; }"
        "QLineEdit:disabled { background: #eef1f5; color: #6b7785; }"
        "QPushButton#cmdProcesar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f6aa8, stop:1 #1c4778);"
        "  color: white; font-weight: bold; border: 1px solid #143559; border-radius: 4px; padding: 6px 22px; }"
        "QPushButton#cmdProcesar:hover { background: #2f6aa8; }"
        "QPushButton#cmdProcesar:focus { border: 2px solid #e09a1f; }"
        "QPushButton#cmdProcesar:disabled { background: #9aa8b8; border-color: #8493a4; }"
        "QLabel#lblCliente[sinConexion=\"true\"] { color: #a33b2b; font-weight: normal; font-style: italic; }"
        "QWidget#panelDesenlace { background: #edf5ea; border: 1px solid #b7d2ab; border-radius: 4px; }"
        "QWidget#panelDesenlace[fallo=\"true\"] { background: #fbefed; border-color: #dfb3ab; }"
        "QWidget#panelDesenlace QLabel { color: #22331c; }"
        "QWidget#panelDesenlace[fallo=\"true\"] QLabel { color: #5a1f16; }"
        "QWidget#panelDesenlace[aviso=\"true\"] { background: #fdf6e3; border-color: #e2cf9a; }"
        "QWidget#panelDesenlace[aviso=\"true\"] QLabel { color: #4a3a10; }"
        "QWidget#panelDesenlace QPushButton { padding: 3px 10px; border: 1px solid #8d9db1; border-radius: 3px;"
        "  background: #f8fafc; }"
        "QWidget#panelDesenlace QPushButton:focus { border: 2px solid #e09a1f; }"
        "QLabel#lblAvisoFecha { background: #fff4cc; border: 1px solid #d9b54a; border-radius: 3px;"
        "  padding: 2px 6px; color: #4a3a10; }"));

    // Boxes tall enough for descenders and for the underscores of an empty date mask.
    const auto altoDeCaja = [](QLineEdit *caja) { caja->setFixedHeight(caja->fontMetrics().height() + 14); };

    auto *raiz = new QVBoxLayout(contenido_);
    raiz->setContentsMargins(18, 14, 18, 12);
    raiz->setSpacing(10);

    lblMuestra = new QLabel(contenido_);
    lblMuestra->setObjectName(QStringLiteral("lblMuestra"));
    raiz->addWidget(lblMuestra);

    for (int i = 0; i < 4; ++i) {
        lblEtiq[i] = new QLabel(contenido_);
        lblEtiq[i]->setObjectName(QStringLiteral("lblEtiq_%1").arg(i));
    }
    // Each caption names its box and gives it an Alt+letter.
    lblEtiq[0]->setText(QStringLiteral("Fecha &inicial:"));
    lblEtiq[1]->setText(QStringLiteral("Fecha &final:"));
    lblEtiq[2]->setText(QStringLiteral("Nombre del &archivo:"));
    lblEtiq[3]->setText(QStringLiteral("&Cliente:"));

    auto *rejilla = new QGridLayout;
    rejilla->setHorizontalSpacing(10);
    rejilla->setVerticalSpacing(8);
    rejilla->setColumnStretch(1, 1);
    rejilla->setColumnStretch(3, 1);

    for (int i = 0; i < 2; ++i) {
        mskFecha[i] = new QLineEdit(contenido_);
        mskFecha[i]->setObjectName(QStringLiteral("mskFecha_%1").arg(i));
        mskFecha[i]->setFixedWidth(110);
        mskFecha[i]->setAlignment(Qt::AlignCenter);
        altoDeCaja(mskFecha[i]);
    }
    rejilla->addWidget(lblEtiq[0], 0, 0);
    rejilla->addWidget(mskFecha[0], 0, 1, Qt::AlignLeft);
    rejilla->addWidget(lblEtiq[1], 0, 2);
    rejilla->addWidget(mskFecha[1], 0, 3, Qt::AlignLeft);
    construirTrimestres(rejilla, 0, 4);

    txtDato[1] = new QLineEdit(contenido_);
    txtDato[1]->setObjectName(QStringLiteral("txtDato_1"));
    txtDato[1]->setMaxLength(10);
    txtDato[1]->setFixedWidth(110);
    altoDeCaja(txtDato[1]);
    rejilla->addWidget(lblEtiq[3], 1, 0);
    rejilla->addWidget(txtDato[1], 1, 1, Qt::AlignLeft);

    lblCliente = new QLabel(contenido_);
    lblCliente->setObjectName(QStringLiteral("lblCliente"));
    lblCliente->setVisible(false);
    // The name has its own line, kept even while it is hidden so that nothing moves.
    auto *lineaNombre = new QWidget(contenido_);
    auto *ln = new QHBoxLayout(lineaNombre);
    ln->setContentsMargins(0, 0, 0, 0);
    ln->addWidget(lblCliente);
    lineaNombre->setFixedHeight(lblCliente->sizeHint().height() + 2);
    rejilla->addWidget(lineaNombre, 2, 1, 1, 3);

    txtDato[0] = new QLineEdit(contenido_);
    txtDato[0]->setObjectName(QStringLiteral("txtDato_0"));
    altoDeCaja(txtDato[0]);
    rejilla->addWidget(lblEtiq[2], 3, 0);
    rejilla->addWidget(txtDato[0], 3, 1, 1, 3);
    raiz->addLayout(rejilla);

    // The options, which a run disables: the wait window is shown over them (see DialogosQt),
    // leaving the connection, the dates and the progress in sight.
    auto *zonaEspera = new QWidget(contenido_);
    zonaEspera->setObjectName(QStringLiteral("zonaEspera"));
    auto *ze = new QVBoxLayout(zonaEspera);
    ze->setContentsMargins(0, 0, 0, 0);
    ze->setSpacing(raiz->spacing());

    auto *grpTercero = new QWidget(zonaEspera);
    grpTercero->setObjectName(QStringLiteral("grpTercero"));
    grpTercero->setAttribute(Qt::WA_StyledBackground);
    auto *gt = new QHBoxLayout(grpTercero);
    gt->setContentsMargins(12, 8, 12, 8);
    optCtes = new QRadioButton(QStringLiteral("Clien&tes"), grpTercero);
    optCtes->setObjectName(QStringLiteral("optCtes"));
    optProvs = new QRadioButton(QStringLiteral("Pro&veedores"), grpTercero);
    optProvs->setObjectName(QStringLiteral("optProvs"));
    optCtes->setChecked(true);
    gt->addWidget(optCtes);
    gt->addSpacing(30);
    gt->addWidget(optProvs);
    gt->addStretch();
    ze->addWidget(grpTercero);

    Frame1 = new QFrame(zonaEspera);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *f1 = new QHBoxLayout(Frame1);
    f1->setContentsMargins(12, 8, 12, 8);
    for (int i = 0; i < 2; ++i) {
        optProcesar[i] = new QRadioButton(Frame1);
        optProcesar[i]->setObjectName(QStringLiteral("optProcesar_%1").arg(i));
    }
    optProcesar[0]->setText(QStringLiteral("Por línea de pro&ductos"));
    optProcesar[1]->setText(QStringLiteral("Por clasificación IEP&S"));
    optProcesar[0]->setChecked(true);
    f1->addWidget(optProcesar[0]);
    f1->addSpacing(30);
    f1->addWidget(optProcesar[1]);
    f1->addStretch();
    ze->addWidget(Frame1);
    raiz->addWidget(zonaEspera);

    auto *filaFinal = new QHBoxLayout;
    chkTodos = new QCheckBox(QStringLiteral("En el LOG &grabar todos los pagos"), contenido_);
    chkTodos->setObjectName(QStringLiteral("chkTodos"));
    cmdProcesar = new QPushButton(QStringLiteral("Pr&ocesar"), contenido_);
    cmdProcesar->setObjectName(QStringLiteral("cmdProcesar"));
    cmdProcesar->setCursor(Qt::PointingHandCursor);
    filaFinal->addWidget(chkTodos);
    filaFinal->addStretch();
    filaFinal->addWidget(cmdProcesar);
    raiz->addLayout(filaFinal);

    // Progress of a run: four lines of text and a bar; after it, the run's outcome. The space is
    // kept while they are hidden, so that nothing moves.
    auto *zona = new QWidget(contenido_);
    auto *zp = new QVBoxLayout(zona);
    zp->setContentsMargins(0, 2, 0, 0);
    zp->setSpacing(4);
    lblProceso = new QLabel(zona);
    lblProceso->setObjectName(QStringLiteral("lblProceso"));
    lblProceso->setTextFormat(Qt::PlainText);
    lblProceso->setVisible(false);
    barAvance = new QProgressBar(zona);
    barAvance->setObjectName(QStringLiteral("barAvance"));
    barAvance->setFixedHeight(14);
    barAvance->setTextVisible(false);
    barAvance->setVisible(false);
    panelDesenlace = new PanelDesenlace(zona);
    panelDesenlace->setVisible(false);
    zp->addWidget(lblProceso);
    zp->addWidget(barAvance);
    zp->addWidget(panelDesenlace);
    zp->addStretch();
    zona->setFixedHeight(std::max(lblProceso->fontMetrics().lineSpacing() * 4 + 26, panelDesenlace->height() + 2));
    raiz->addWidget(zona);
    raiz->addStretch();

    // Focus order of the inputs.
    QWidget *orden[] = {mskFecha[0], mskFecha[1], txtDato[1], txtDato[0], optCtes,
                        optProvs,    optProcesar[0], optProcesar[1], chkTodos, cmdProcesar};
    for (size_t i = 0; i + 1 < std::size(orden); ++i)
        setTabOrder(orden[i], orden[i + 1]);

    // The notice under a date box, over the rows below it: nothing moves when it shows.
    lblAvisoFecha = new QLabel(contenido_);
    lblAvisoFecha->setObjectName(QStringLiteral("lblAvisoFecha"));
    lblAvisoFecha->setTextFormat(Qt::PlainText);
    lblAvisoFecha->setVisible(false);
    relojAvisoFecha_ = new QTimer(this);
    relojAvisoFecha_->setSingleShot(true);
    relojAvisoFecha_->setInterval(6000);
    connect(relojAvisoFecha_, &QTimer::timeout, lblAvisoFecha, &QWidget::hide);

    espera_ = new VentanaEspera(this, QString());
    connect(espera_, &VentanaEspera::cancelar, this, &frmInicial::Cancelar);
    reloj_ = new QTimer(this);
    reloj_->setInterval(200);
    connect(reloj_, &QTimer::timeout, this, &frmInicial::revisarCorrida);

    connect(txtDato[1], &QLineEdit::textChanged, this, [this] { buscarTercero(); });
    // The outcome of the last run no longer describes what the window holds.
    for (QLineEdit *caja : {mskFecha[0], mskFecha[1], txtDato[0], txtDato[1]})
        connect(caja, &QLineEdit::textEdited, this, &frmInicial::entradaCambiada);
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{optCtes, optProvs, optProcesar[0],
                                                                        optProcesar[1], chkTodos})
        connect(b, &QAbstractButton::toggled, this, &frmInicial::entradaCambiada);
    ponerAccesibilidad();
    connect(optCtes, &QRadioButton::clicked, this, [this] { AjustaTipoTercero(); });
    connect(optProvs, &QRadioButton::clicked, this, [this] { AjustaTipoTercero(); });
    connect(cmdProcesar, &QPushButton::clicked, this, [this] { Procesar(); });

    desplazable_->setWidget(contenido_);
    contenido_->setAutoFillBackground(false); // the window's own background shows through
    ajustarTamano();
}

void frmInicial::ponerAccesibilidad()
{
    lblEtiq[0]->setBuddy(mskFecha[0]);
    lblEtiq[1]->setBuddy(mskFecha[1]);
    lblEtiq[2]->setBuddy(txtDato[0]);
    lblEtiq[3]->setBuddy(txtDato[1]);
    const auto nombrar = [](QWidget *w, const QString &nombre, const QString &descripcion) {
        w->setAccessibleName(nombre);
        w->setAccessibleDescription(descripcion);
    };
    nombrar(mskFecha[0], QStringLiteral("Fecha inicial"), QStringLiteral("Primer día del periodo, día/mes/año"));
    nombrar(mskFecha[1], QStringLiteral("Fecha final"), QStringLiteral("Último día del periodo, día/mes/año"));
    nombrar(txtDato[1], QStringLiteral("Clave del cliente"),
            QStringLiteral("Clave de un solo cliente o proveedor; vacía para todos"));
    nombrar(txtDato[0], QStringLiteral("Nombre del archivo"), QStringLiteral("Nombre del archivo del reporte, sin carpeta"));
    nombrar(optCtes, QStringLiteral("Clientes"), QStringLiteral("Reporte de los pagos recibidos de clientes"));
    nombrar(optProvs, QStringLiteral("Proveedores"), QStringLiteral("Reporte de los pagos hechos a proveedores"));
    nombrar(optProcesar[0], QStringLiteral("Por línea de productos"),
            QStringLiteral("Clasifica cada producto por el nombre de su línea"));
    nombrar(optProcesar[1], QStringLiteral("Por clasificación IEPS"),
            QStringLiteral("Clasifica cada producto por su categoría de IEPS"));
    nombrar(chkTodos, QStringLiteral("En el LOG grabar todos los pagos"),
            QStringLiteral("El Log lista también los pagos sin documentos con IEPS"));
    nombrar(cmdProcesar, QStringLiteral("Procesar"), QStringLiteral("Genera el reporte, el Log y la revisión"));
    nombrar(lblMuestra, QStringLiteral("Conexión"), QStringLiteral("Servidor y base de datos en uso"));
    nombrar(lblCliente, QStringLiteral("Nombre del cliente"), QString());
    nombrar(lblProceso, QStringLiteral("Avance del proceso"), QString());
    nombrar(barAvance, QStringLiteral("Pagos procesados"), QString());
    nombrar(lblAvisoFecha, QStringLiteral("Aviso"), QString());
}

void frmInicial::ajustarTamano()
{
    // Measured once the style sheet and the skin have dressed the controls (padding, fonts).
    contenido_->ensurePolished();
    const QSize medida = contenido_->sizeHint();
    QSize tamano(std::max(560, medida.width() + 2), skin::AltoBanda + 3 + medida.height() + 1);
    // Too high or too wide for the screen (MostrarCentrada makes it fit): the contents scroll, with
    // room for the bar across the other way so that a single bar is enough.
    const QSize zona = ZonaDisponible(this).size();
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, desplazable_);
    if (tamano.height() > zona.height())
        tamano.rwidth() += barra;
    if (tamano.width() > zona.width())
        tamano.rheight() += barra;
    resize(tamano);
}

bool frmInicial::Cargar()
{
    std::shared_ptr<host::Efectos> efectos;
    host::CrearObjeto(efectos, QStringLiteral("Efectos"), host::BibliotecaHost());

    QDir::setCurrent(carpeta_);

    ObjetosPrograma &p = Programa();
    const QString kv = host::BibliotecaHost();
    host::CrearObjeto(p.libKVRS, QStringLiteral("libKVRS"), kv);
    host::CrearObjeto(p.plugins, QStringLiteral("Plugins"), kv);
    host::CrearObjeto(p.basesDD, QStringLiteral("BasesDD"), kv);
    host::CrearObjeto(p.utilerias, QStringLiteral("Utilerias"), kv);
    host::CrearObjeto(p.deArchivos, QStringLiteral("DeArchivos"), kv);
    host::CrearObjeto(p.delRegistro, QStringLiteral("DelRegistro"), kv);
    host::CrearObjeto(p.deControles, QStringLiteral("DeControles"), kv);
    cargada_ = true;

    p.archivoConfig = opciones_.archivoConfig.isEmpty() ? config::RutaConfiguracion() : opciones_.archivoConfig;
    p.ventanaPrincipal = this;

    if (!p.libKVRS || !p.delRegistro || !p.basesDD
        || !opciones_.configurar(*p.libKVRS, *p.delRegistro, *p.basesDD, p.archivoConfig, true)) {
        // The program ends here: nothing was shown and nothing is asked.
        descargada_ = true;
        p = ObjetosPrograma();
        cargada_ = false;
        return false;
    }

    // The window's own title; the program sets no application display name, which the window
    // system would add to it a second time.
    setWindowTitle(TituloDeDiseno.trimmed() + QStringLiteral("   v ") + config::Version());
    setProperty("Tag", QStringLiteral("1"));
    crearCromo();
    if (efectos)
        efectos->PintarSkin(this);

    lblMuestra->setText(QStringLiteral(" Servidor: ") + p.basesDD->cRuta + QLatin1Char('\n')
                        + QStringLiteral("  Base de datos: ") + p.basesDD->cMiBase
                        + (lineaCarpetas_.isEmpty() ? QString() : QLatin1Char('\n') + lineaCarpetas_));
    iniciarEntradas();
    ajustarTamano();
    efectos.reset();
    return true;
}

void frmInicial::MostrarCentrada()
{
    CentrarEn(this, ZonaDisponible(this).center());
    show();
    raise();
    activateWindow();
    mskFecha[0]->setFocus(Qt::OtherFocusReason);
}

} // namespace ui

#include "frmInicial.h"

#include "AbrirArchivos.h"
#include "BusquedaDeTercero.h"
#include "Campos.h"
#include "ControlesCromo.h"
#include "CorridaEnHilo.h"
#include "Cromo.h"
#include "Desenlace.h"
#include "PanelDesenlace.h"
#include "Programa.h"
#include "Skin.h"
#include "VentanaEspera.h"
#include "frmDescripcion.h"

#include "BasesDD.h"
#include "CarpetasDelPrograma.h"
#include "ComprobacionDeSalida.h"
#include "Configuracion.h"
#include "DeArchivos.h"
#include "DeControles.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "Efectos.h"
#include "Errores.h"
#include "LibKVRS.h"
#include "LineaDeComandos.h"
#include "Objetos.h"
#include "OpcionesCli.h"
#include "Plugins.h"
#include "Registros.h"
#include "Utilerias.h"
#include "Version.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {
const QString TituloDeDiseno = QStringLiteral(" Reporte especial de IEPS ");

QString Hoy()
{
    return QDate::currentDate().toString(host::LibKVRS::FormatoFecha());
}

QDate FechaDeCaja(const QLineEdit *caja)
{
    return QDate::fromString(caja->text(), host::LibKVRS::FormatoFecha());
}
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
        opciones_.configurar = config::CargarConfiguracion;
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
        if (corrida_->wait(2000))
            delete corrida_.data();
        else
            connect(corrida_.data(), &QThread::finished, corrida_.data(), &QObject::deleteLater);
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
    contenido_ = new QWidget(this);
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
    resize(std::max(560, medida.width() + 2), skin::AltoBanda + 3 + medida.height() + 1);
}

void frmInicial::crearCromo()
{
    MinimizarVentana = new ImagenVentana(this);
    MinimizarVentana->setObjectName(QStringLiteral("MinimizarVentana"));
    MinimizarVentana->setToolTip(QStringLiteral("Minimizar"));
    CerrarVentana = new ImagenVentana(this);
    CerrarVentana->setObjectName(QStringLiteral("CerrarVentana"));
    CerrarVentana->setToolTip(QStringLiteral("Cerrar"));
    RestaurarForma = new BotonDegradado(this);
    RestaurarForma->setObjectName(QStringLiteral("RestaurarForma"));
    RestaurarForma->resize(width(), 25);
    RestaurarForma->setVisible(false);
    imgLogoVentana = new ImagenVentana(this);
    imgLogoVentana->setObjectName(QStringLiteral("imgLogoVentana"));

    connect(MinimizarVentana, &ImagenVentana::clic, this, [this] { MinimizarFormulario(this, RestaurarForma); });
    connect(RestaurarForma, &QAbstractButton::clicked, this, [this] { RestaurarFormulario(this, RestaurarForma); });
    connect(RestaurarForma, &BotonDegradado::movido, this, [this](Qt::MouseButtons b) { MoverFormulario(b, this); });
    connect(CerrarVentana, &ImagenVentana::clic, this, [this] { SolicitarCierre(); });
    connect(imgLogoVentana, &ImagenVentana::clic, this, [this](const QPoint &donde) {
        if (!enProceso_)
            Descripcion()->mnUno->popup(donde);
    });
    for (QWidget *w : {static_cast<QWidget *>(MinimizarVentana), static_cast<QWidget *>(CerrarVentana),
                       static_cast<QWidget *>(imgLogoVentana)})
        w->show();
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
    imgLogoVentana->setToolTip(QStringLiteral("Menú de opciones generales"));
    if (efectos)
        efectos->PintarSkin(this);

    lblMuestra->setText(QStringLiteral(" Servidor: ") + p.basesDD->cRuta + QLatin1Char('\n')
                        + QStringLiteral("  Base de datos: ") + p.basesDD->cMiBase
                        + (lineaCarpetas_.isEmpty() ? QString() : QLatin1Char('\n') + lineaCarpetas_));

    for (QLineEdit *caja : mskFecha) {
        caja->setInputMask(MascaraQt(host::LibKVRS::MascaraFecha()));
        caja->setText(Hoy());
    }
    if (modoDesarrollo()) {
        mskFecha[0]->setText(QStringLiteral("01/01/2018"));
        mskFecha[1]->setText(QStringLiteral("31/03/2018"));
    }
    AjustaTipoTercero();
    ajustarTamano();
    efectos.reset();
    return true;
}

void frmInicial::MostrarCentrada()
{
    if (QScreen *s = screen() ? screen() : QApplication::primaryScreen()) {
        // Centred, but never with its title band off the screen: a scaled screen may be smaller
        // than the window.
        const QRect zona = s->availableGeometry();
        QPoint esquina = zona.center() - QPoint(width() / 2, height() / 2);
        esquina.setX(std::max(zona.left(), std::min(esquina.x(), zona.right() + 1 - width())));
        esquina.setY(std::max(zona.top(), std::min(esquina.y(), zona.bottom() + 1 - height())));
        move(esquina);
    }
    show();
    raise();
    activateWindow();
    mskFecha[0]->setFocus(Qt::OtherFocusReason);
}

void frmInicial::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (contenido_)
        contenido_->setGeometry(1, skin::AltoBanda + 2, std::max(0, width() - 2),
                                std::max(0, height() - skin::AltoBanda - 3));
}

// ---- Inputs ----

void frmInicial::AjustaTipoTercero()
{
    if (txtDato[1]->text().isEmpty())
        buscarTercero(); // no change of text, but the name must go as well
    else
        txtDato[1]->setText(QString());
    const bool clientes = optCtes->isChecked();
    lblEtiq[3]->setText(clientes ? QStringLiteral("&Cliente:") : QStringLiteral("&Proveedor:"));
    txtDato[1]->setAccessibleName(clientes ? QStringLiteral("Clave del cliente") : QStringLiteral("Clave del proveedor"));
    lblCliente->setAccessibleName(clientes ? QStringLiteral("Nombre del cliente") : QStringLiteral("Nombre del proveedor"));
    txtDato[0]->setText(config::NombreReportePorDefecto(clientes, QDate::currentDate()));
}

void frmInicial::buscarTercero()
{
    const QString clave = txtDato[1]->text().trimmed();
    ++numeroBusqueda_; // an answer still on its way is for an older key
    host::BasesDD *bases = Programa().basesDD.get();
    if (clave.isEmpty() || !bases) {
        mostrarTercero(QString(), false);
        return;
    }
    if (desdeFalloBusqueda_.isValid() && !desdeFalloBusqueda_.hasExpired(esperaTrasFallo_)) {
        mostrarTercero(QString(), true);
        return;
    }
    desdeFalloBusqueda_.invalidate();
    mostrarTercero(QString(), false);
    busqueda_->Buscar(numeroBusqueda_, *bases, clave, optCtes->isChecked());
}

void frmInicial::terceroEncontrado(int numero, const QString &nombre, bool sinConexion)
{
    if (numero != numeroBusqueda_)
        return;
    if (sinConexion)
        desdeFalloBusqueda_.start();
    mostrarTercero(nombre, sinConexion);
}

void frmInicial::mostrarTercero(const QString &nombre, bool sinConexion)
{
    lblCliente->setText(sinConexion ? QStringLiteral("Sin conexión") : nombre);
    if (lblCliente->property("sinConexion").toBool() != sinConexion) {
        lblCliente->setProperty("sinConexion", sinConexion);
        lblCliente->style()->unpolish(lblCliente);
        lblCliente->style()->polish(lblCliente);
    }
    lblCliente->setVisible(!lblCliente->text().isEmpty());
}

void frmInicial::avisarBajo(QWidget *caja, const QString &aviso)
{
    lblAvisoFecha->setText(aviso);
    lblAvisoFecha->adjustSize();
    lblAvisoFecha->setAccessibleDescription(aviso);
    // Under the box it speaks of, over what lies below: nothing moves.
    const QPoint debajo = caja->mapTo(contenido_, QPoint(0, caja->height() + 2));
    lblAvisoFecha->move(std::min(debajo.x(), std::max(0, contenido_->width() - lblAvisoFecha->width() - 4)), debajo.y());
    lblAvisoFecha->raise();
    lblAvisoFecha->show();
    relojAvisoFecha_->start();
}

void frmInicial::reglaDeFecha(QLineEdit *caja)
{
    if (!FechaDeCaja(caja).isValid()) {
        // The beep alone goes unnoticed on a machine without a speaker: the box says it too.
        QApplication::beep();
        // As typed: without the mask's blanks and the separators after the last digit.
        QString dejado = caja->displayText().remove(QLatin1Char('_')).trimmed();
        while (dejado.endsWith(QLatin1Char('/')))
            dejado.chop(1);
        caja->setText(Hoy());
        avisarBajo(caja, QStringLiteral("%1 no es una fecha válida; se puso la fecha de hoy").arg(dejado));
    }
}

void frmInicial::reglaDeTexto(QLineEdit *caja)
{
    caja->setText(caja->text().trimmed());
    if (caja != txtDato[0])
        return;
    if (caja->text().isEmpty()) {
        // A click on "Procesar" goes on to its own check, which says what is missing in a box;
        // any other way out keeps the cursor in the box and says why under it.
        if (QApplication::focusWidget() == cmdProcesar)
            return;
        QPointer<QLineEdit> guarda(caja);
        QTimer::singleShot(0, this, [guarda] {
            if (guarda)
                guarda->setFocus(Qt::OtherFocusReason);
        });
        avisarBajo(caja, config::ComprobarSalida(carpeta_, QString()));
        return;
    }
    if (caja->text().right(4).toLower() != QLatin1String(".txt"))
        caja->setText(caja->text() + QStringLiteral(".txt"));
}

QString frmInicial::filtroDe(QObject *campo) const
{
    if (campo == mskFecha[0] || campo == mskFecha[1])
        return QStringLiteral("9");
    if (campo == txtDato[0])
        return QStringLiteral("X");
    if (campo == txtDato[1])
        return QStringLiteral("!");
    return QString();
}

bool frmInicial::teclaDeCampo(QWidget *campo, QKeyEvent *e)
{
    const bool esCaja = campo == mskFecha[0] || campo == mskFecha[1] || campo == txtDato[0] || campo == txtDato[1];
    const bool esOpcion = campo == optCtes || campo == optProvs || campo == optProcesar[0] || campo == optProcesar[1]
                          || campo == chkTodos;
    const bool conCaracter = esCaja || campo == optCtes || campo == optProvs || campo == chkTodos;
    const bool esEnter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // Enter moves on from an option as it does from a box, and on the button it runs the report,
    // so that a user who goes through the window with Enter gets to the end.
    if (esEnter && campo == cmdProcesar) {
        if (!e->isAutoRepeat())
            cmdProcesar->click();
        return true;
    }
    if (esCaja || (esOpcion && esEnter)) {
        int tecla = e->key();
        Teclas(tecla, campo);
        if (tecla == 0)
            return true;
    }
    if (!conCaracter || e->text().size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const int original = e->text().at(0).unicode();
    int caracter = original;
    host::LibKVRS::Enter(caracter, filtroDe(campo));
    if (caracter == 0)
        return true;
    if (caracter != original) {
        if (auto *caja = qobject_cast<QLineEdit *>(campo))
            caja->insert(QString(QChar(caracter)));
        return true;
    }
    return false;
}

bool frmInicial::eventFilter(QObject *objeto, QEvent *evento)
{
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::FocusIn && tipo != QEvent::FocusOut)
        return false;
    auto *w = qobject_cast<QWidget *>(objeto);
    if (!w || w->window() != this)
        return false;

    if (tipo == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(evento);
        // A notice under a box lasts until the next key.
        if (lblAvisoFecha->isVisible() && objeto != lblAvisoFecha)
            lblAvisoFecha->hide();
        if (enProceso_) {
            // During a run only Escape (cancel) and Alt+F4 (close once it ends) do something.
            if (k->key() == Qt::Key_Escape)
                Cancelar();
            else if (k->key() == Qt::Key_F4 && (k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier)
                SolicitarCierre();
            return true;
        }
        // The window sees these keys before the field that has the focus.
        if (k->key() == Qt::Key_F1) {
            Descripcion()->Mostrar();
            return true;
        }
        if (k->key() == Qt::Key_F4 && (k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
            SolicitarCierre();
            return true;
        }
        return teclaDeCampo(w, k);
    }

    auto *caja = qobject_cast<QLineEdit *>(w);
    const bool esCaja = caja && (caja == mskFecha[0] || caja == mskFecha[1] || caja == txtDato[0] || caja == txtDato[1]);
    if (!esCaja)
        return false;
    const Qt::FocusReason razon = static_cast<QFocusEvent *>(evento)->reason();
    if (tipo == QEvent::FocusIn) {
        Resalta(caja);
        return false;
    }
    // Switching to another window or opening a menu is not leaving the field.
    if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason || razon == Qt::MenuBarFocusReason
        || enProceso_)
        return false;
    if (caja == mskFecha[0] || caja == mskFecha[1])
        reglaDeFecha(caja);
    else
        reglaDeTexto(caja);
    return false;
}

// ---- Run ----

void frmInicial::Procesar()
{
    if (enProceso_)
        return;
    for (int i = 0; i < 2; ++i) {
        if (!FechaDeCaja(mskFecha[i]).isValid()) {
            host::Dialogos::actual().MsgBox(
                QStringLiteral("La %1 no es una fecha válida.\r\nEscríbala como día/mes/año, por ejemplo 31/03/2018.")
                    .arg(i == 0 ? QStringLiteral("fecha inicial") : QStringLiteral("fecha final")),
                host::vbExclamation, QStringLiteral("Fecha no válida"));
            mskFecha[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (FechaDeCaja(mskFecha[0]) > FechaDeCaja(mskFecha[1])) {
        host::Dialogos::actual().MsgBox(config::MensajePeriodoAlReves(mskFecha[0]->text(), mskFecha[1]->text()),
                                        host::vbExclamation, QStringLiteral("Periodo al revés"));
        mskFecha[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString motivo = config::ComprobarSalida(carpeta_, txtDato[0]->text());
    if (!motivo.isEmpty()) {
        host::Dialogos::actual().MsgBox(motivo, host::vbExclamation, QStringLiteral("Nombre del archivo"));
        txtDato[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    SolicitudReporte s;
    s.dtInicial = FechaDeCaja(mskFecha[0]);
    s.dtFinal = FechaDeCaja(mskFecha[1]);
    s.stArchivo = txtDato[0]->text();
    s.stCliente = txtDato[1]->text();
    s.blSonCtes = optCtes->isChecked();
    s.blTodosLosPagos = chkTodos->isChecked();

    enProceso_ = true;
    bloquear(true);
    try {
        opciones_.lanzar(*this, s);
    } catch (const host::Error &e) {
        host::Dialogos::actual().MsgBox(e.texto(), host::vbCritical, NombreDelPrograma());
    }
    if (!corrida_)
        terminarCorrida(nullptr); // a launcher that did its work before returning
}

void frmInicial::iniciarCorrida(SolicitudReporte &s)
{
    corrida_ = new CorridaEnHilo(*Programa().basesDD, s, PorLineaDeProductos(), carpeta_, NombreDelPrograma(),
                                 host::Dialogos::actual());
    connect(corrida_.data(), &CorridaEnHilo::progresoCambiado, this, &frmInicial::mostrarProgreso);
    connect(corrida_.data(), &CorridaEnHilo::esperaPedida, this, [this](bool visible, const QString &mensaje) {
        if (!visible) {
            espera_->hide();
            return;
        }
        espera_->setEstado(QString());
        espera_->setCancelable(true);
        espera_->Mostrar(mensaje, this);
    });
    connect(corrida_.data(), &QThread::finished, this, &frmInicial::corridaTerminada);
    desdeCancelacion_.invalidate();
    reloj_->start();
    corrida_->start();
}

void frmInicial::Cancelar()
{
    if (!corrida_ || desdeCancelacion_.isValid())
        return;
    desdeCancelacion_.start();
    corrida_->Cancelar();
    espera_->cmdCancelar->setEnabled(false);
    espera_->setEstado(QStringLiteral("Cancelando…"));
}

void frmInicial::revisarCorrida()
{
    if (!corrida_)
        return;
    if (desdeCancelacion_.isValid()) {
        if (desdeCancelacion_.hasExpired(qint64(SegundosParaCancelar) * 1000) && corrida_->isRunning()) {
            // The server answers not even to end the statement: the run is left to end alone.
            CorridaEnHilo *dejada = corrida_;
            const Periodo periodo{dejada->solicitud().dtInicial, dejada->solicitud().dtFinal,
                                  dejada->solicitud().blSonCtes};
            dejada->Abandonar();
            disconnect(dejada, nullptr, this, nullptr);
            connect(dejada, &QThread::finished, dejada, &QObject::deleteLater);
            corrida_ = nullptr;
            const Desenlace d = DesenlaceCancelado(periodo);
            terminarCorrida(&d);
        }
        return;
    }
    const int segundos = corrida_->segundosSinRespuesta();
    espera_->setEstado(segundos >= SegundosAntesDeAvisarEspera
                           ? QStringLiteral("Esperando al servidor… (%1 s)").arg(segundos)
                           : QString());
}

void frmInicial::mostrarProgreso()
{
    if (!corrida_)
        return;
    const CorridaEnHilo::Progreso p = corrida_->progreso();
    lblProceso->setText(p.texto);
    lblProceso->setVisible(p.visible);
    barAvance->setMaximum(std::max(p.total, 1));
    barAvance->setValue(std::clamp(p.hechos, 0, std::max(p.total, 1)));
    barAvance->setVisible(p.total > 0 && p.visible);
}

void frmInicial::corridaTerminada()
{
    CorridaEnHilo *terminada = qobject_cast<CorridaEnHilo *>(sender());
    if (!terminada || terminada != corrida_)
        return;
    mostrarProgreso();
    const Desenlace d = terminada->desenlace();
    corrida_ = nullptr;
    terminada->deleteLater();
    terminarCorrida(&d);
}

void frmInicial::terminarCorrida(const Desenlace *d)
{
    reloj_->stop();
    espera_->hide();
    lblProceso->setVisible(false);
    bloquear(false);
    enProceso_ = false;
    if (d) {
        // Where the files went, and what would make the filing wrong when there is something to say.
        panelDesenlace->Mostrar(*d);
        panelDesenlace->setVisible(true);
        panelDesenlace->VerRevision();
    }

    // A close asked for during the run is dealt with now.
    const Cierre pendiente = cierrePendiente_;
    cierrePendiente_ = Cierre::Ninguno;
    if (pendiente == Cierre::DelGestor)
        showMinimized();
    else if (pendiente == Cierre::Propio)
        SolicitarCierre();
}

void frmInicial::entradaCambiada()
{
    if (!enProceso_)
        panelDesenlace->Limpiar();
}

void frmInicial::bloquear(bool enCurso)
{
    for (QWidget *w : std::initializer_list<QWidget *>{mskFecha[0], mskFecha[1], txtDato[1], txtDato[0], optCtes,
                                                      optProvs, optProcesar[0], optProcesar[1], chkTodos, cmdProcesar})
        w->setEnabled(!enCurso);
    if (enCurso) {
        panelDesenlace->setVisible(false);
        lblAvisoFecha->hide();
        setCursor(Qt::BusyCursor);
        // The keyboard stays with the window, where Escape cancels.
        setFocus(Qt::OtherFocusReason);
    } else {
        unsetCursor();
        barAvance->setVisible(false);
        if (isVisible())
            cmdProcesar->setFocus(Qt::OtherFocusReason);
    }
}

bool frmInicial::PorLineaDeProductos() const
{
    return optProcesar[0]->isChecked();
}

// ---- Window ----

frmDescripcion *frmInicial::Descripcion()
{
    if (!descripcion_)
        descripcion_ = new frmDescripcion(nullptr);
    return descripcion_;
}

void frmInicial::SolicitarCierre()
{
    cierrePropio_ = true;
    close();
    cierrePropio_ = false;
}

void frmInicial::closeEvent(QCloseEvent *e)
{
    if (descargada_) {
        e->accept();
        return;
    }
    const bool delGestor = e->spontaneous() && !cierrePropio_;
    if (enProceso_) {
        // The engine is using the window and the connection: the close waits for the run's end.
        if (cierrePendiente_ != Cierre::Propio)
            cierrePendiente_ = delGestor ? Cierre::DelGestor : Cierre::Propio;
        e->ignore();
        return;
    }
    if (!modoDesarrollo()) {
        if (delGestor) {
            e->ignore();
            showMinimized();
            return;
        }
        if (!Pregunta(QStringLiteral("¿Desea cerrar este programa?"), QStringLiteral("Finalizar"), false)) {
            e->ignore();
            return;
        }
    }
    descargar();
    e->accept();
}

void frmInicial::descargar()
{
    if (descargada_)
        return;
    descargada_ = true;
    if (descripcion_) {
        if (descripcion_->isVisible())
            descripcion_->close();
        delete descripcion_.data();
    }
    ObjetosPrograma &p = Programa();
    p.libKVRS.reset();
    p.plugins.reset();
    p.basesDD.reset();
    p.utilerias.reset();
    p.deArchivos.reset();
    p.deControles.reset();
    p.delRegistro.reset();
}

void frmInicial::mouseMoveEvent(QMouseEvent *e)
{
    MoverFormulario(e->buttons(), this);
    QWidget::mouseMoveEvent(e);
}

void frmInicial::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (enProceso_)
        return;
    QWidget *debajo = childAt(e->position().toPoint());
    if (debajo && debajo != contenido_) {
        QWidget::mouseDoubleClickEvent(e);
        return;
    }
    EditarConfiguracion();
}

} // namespace ui

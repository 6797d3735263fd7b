#include "VentanaDeTabla.h"

#include "BordesDeVentana.h"
#include "DentroDeLaPantalla.h"
#include "Skin.h"

#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {
QToolButton *BotonDeBanda(QWidget *ventana, const char *nombre, const QString &leyenda)
{
    auto *b = new QToolButton(ventana);
    b->setObjectName(QLatin1String(nombre));
    b->setToolTip(leyenda);
    b->setAccessibleName(leyenda);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The contents' layout as their scroll area reads it: by its least size alone. A label that
// wraps would have the area ask for the contents' preferred height, and scroll long before the
// tables must.
class SinAltoPorAncho : public QVBoxLayout {
public:
    bool hasHeightForWidth() const override { return false; }
};
} // namespace

VentanaDeTabla::VentanaDeTabla(QWidget *padre, const QString &titulo)
    : VentanaConBanda(padre, titulo)
    , disposicion_(new SinAltoPorAncho)
    , maximizar_(BotonDeBanda(this, "cmdMaximizarVentana", QStringLiteral("Maximizar")))
    , cerrar_(BotonDeBanda(this, "cmdCerrarVentana", QStringLiteral("Cerrar")))
    , bordes_(new BordesDeVentana(this))
{
    setWindowFlag(Qt::Window);
    setSizeGripEnabled(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(320, 240); // smaller, the contents scroll
    // The same colours as the main window's inputs and outcome area.
    setStyleSheet(QStringLiteral(
        "QLabel#lblDatos { background: #e6edf5; border: 1px solid #c3d0df; border-radius: 4px; padding: 6px 8px;"
        "  color: #17385f; }"
        "QTableView { background: white; alternate-background-color: #f3f6fa; gridline-color: #dde4ec;"
        "  selection-background-color: #2b578a; selection-color: white; border: 1px solid #c3d0df; }"
        "QHeaderView::section { background: #e6edf5; color: #17385f; border: 0; border-right: 1px solid #c3d0df;"
        "  border-bottom: 1px solid #c3d0df; padding: 3px 6px; font-weight: bold; }"
        "QLineEdit { padding: 3px 6px; border: 1px solid #b9c6d6; border-radius: 3px; background: white; }"
        "QLineEdit:focus { border: 1px solid #2b578a; background: #fffdf2; }"
        "QPushButton { padding: 4px 12px; border: 1px solid #8d9db1; border-radius: 3px; background: #f8fafc; }"
        "QPushButton:focus { border: 2px solid #e09a1f; }"
        "QPushButton:default { border: 1px solid #143559; }"
        "QToolButton#cmdCerrarVentana, QToolButton#cmdMaximizarVentana { border: 0; background: transparent; }"
        "QToolButton#cmdCerrarVentana:hover, QToolButton#cmdMaximizarVentana:hover { background: #3a6aa0; }"));

    cerrar_->setIcon(QIcon(skin::ImagenCerrar(devicePixelRatioF())));
    connect(cerrar_, &QToolButton::clicked, this, &QDialog::close);
    maximizar_->setIcon(QIcon(skin::ImagenMaximizar(devicePixelRatioF())));
    connect(maximizar_, &QToolButton::clicked, this, [this] { setMaximizada(!maximizada_); });

    // The margins leave the edges to BordesDeVentana. On a screen smaller than the contents'
    // least size the contents scroll.
    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(10, skin::AltoBanda + 8, 10, 10);
    auto *desplazable = new QScrollArea(this);
    desplazable->setFrameShape(QFrame::NoFrame);
    desplazable->setWidgetResizable(true);
    desplazable->viewport()->setAutoFillBackground(false);
    auto *contenido = new QWidget(desplazable);
    contenido->setLayout(disposicion_);
    disposicion_->setContentsMargins(0, 0, 0, 0);
    disposicion_->setSpacing(8);
    desplazable->setWidget(contenido);
    contenido->setAutoFillBackground(false);
    raiz->addWidget(desplazable);
}

void VentanaDeTabla::ponerTamanoInicial(const QSize &preferido)
{
    resize(TamanoInicial(this, preferido));
}

void VentanaDeTabla::setMaximizada(bool maximizada)
{
    if (maximizada == maximizada_)
        return;
    if (maximizada)
        normal_ = geometry();
    maximizada_ = maximizada;
    bordes_->setActivo(!maximizada);
    setGeometry(maximizada ? ZonaDisponible(this) : normal_);
    const QString leyenda = maximizada ? QStringLiteral("Restaurar") : QStringLiteral("Maximizar");
    maximizar_->setToolTip(leyenda);
    maximizar_->setAccessibleName(leyenda);
    maximizar_->setIcon(QIcon(maximizada ? skin::ImagenRestaurar(devicePixelRatioF())
                                         : skin::ImagenMaximizar(devicePixelRatioF())));
}

void VentanaDeTabla::showEvent(QShowEvent *e)
{
    VentanaConBanda::showEvent(e);
    if (!maximizada_)
        MeterEnPantalla(this);
}

void VentanaDeTabla::resizeEvent(QResizeEvent *e)
{
    VentanaConBanda::resizeEvent(e);
    const int lado = skin::AltoBanda - 8;
    cerrar_->setGeometry(width() - lado - 6, 4, lado, lado);
    maximizar_->setGeometry(width() - 2 * lado - 8, 4, lado, lado);
    for (QToolButton *b : {cerrar_, maximizar_}) {
        b->setIconSize(QSize(lado - 4, lado - 4));
        b->raise();
    }
}

void VentanaDeTabla::mousePressEvent(QMouseEvent *e)
{
    if (!maximizada_) // a maximised window stays put
        VentanaConBanda::mousePressEvent(e);
}

void VentanaDeTabla::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && e->position().y() < skin::AltoBanda)
        setMaximizada(!maximizada_);
    else
        VentanaConBanda::mouseDoubleClickEvent(e);
}

} // namespace ui

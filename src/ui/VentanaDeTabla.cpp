#include "VentanaDeTabla.h"

#include "Skin.h"

#include <QHBoxLayout>
#include <QSizeGrip>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

VentanaDeTabla::VentanaDeTabla(QWidget *padre, const QString &titulo)
    : VentanaConBanda(padre, titulo)
    , disposicion_(new QVBoxLayout)
    , cerrar_(new QToolButton(this))
{
    setWindowFlag(Qt::Window);
    setSizeGripEnabled(false);
    setAttribute(Qt::WA_DeleteOnClose);
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
        "QToolButton#cmdCerrarVentana { border: 0; background: transparent; }"));

    cerrar_->setObjectName(QStringLiteral("cmdCerrarVentana"));
    cerrar_->setIcon(QIcon(skin::ImagenCerrar(devicePixelRatioF())));
    cerrar_->setToolTip(QStringLiteral("Cerrar"));
    cerrar_->setAccessibleName(QStringLiteral("Cerrar"));
    cerrar_->setCursor(Qt::PointingHandCursor);
    cerrar_->setFocusPolicy(Qt::NoFocus);
    connect(cerrar_, &QToolButton::clicked, this, &QDialog::close);

    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(10, skin::AltoBanda + 8, 10, 4);
    raiz->setSpacing(0);
    raiz->addLayout(disposicion_);
    disposicion_->setSpacing(8);
    auto *pie = new QHBoxLayout;
    pie->setContentsMargins(0, 0, 0, 0);
    pie->addStretch();
    pie->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    raiz->addLayout(pie);
}

void VentanaDeTabla::resizeEvent(QResizeEvent *e)
{
    VentanaConBanda::resizeEvent(e);
    const int lado = skin::AltoBanda - 8;
    cerrar_->setGeometry(width() - lado - 6, 4, lado, lado);
    cerrar_->setIconSize(QSize(lado - 4, lado - 4));
    cerrar_->raise();
}

} // namespace ui

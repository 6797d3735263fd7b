#include "VentanaEspera.h"

#include "DentroDeLaPantalla.h"
#include "Programa.h"
#include "Skin.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ui {

VentanaEspera::VentanaEspera(QWidget *padre, const QString &mensaje)
    : VentanaConBanda(padre, NombreDelPrograma())
{
    setObjectName(QStringLiteral("ventanaEspera"));
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(18, skin::AltoBanda + 12, 18, 14);
    texto = new QLabel(mensaje, this);
    QFont f = texto->font();
    f.setBold(true);
    texto->setFont(f);
    raiz->addWidget(texto);
    lblEstado = new QLabel(this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    lblEstado->setVisible(false);
    raiz->addWidget(lblEstado);
    auto *barra = new QProgressBar(this);
    barra->setRange(0, 0);
    barra->setTextVisible(false);
    barra->setFixedHeight(8);
    raiz->addWidget(barra);
    auto *fila = new QHBoxLayout;
    fila->addStretch();
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setAccessibleName(QStringLiteral("Cancelar"));
    cmdCancelar->setAccessibleDescription(QStringLiteral("Detiene el proceso; los archivos anteriores quedan como estaban"));
    cmdCancelar->setToolTip(QStringLiteral("Detiene el proceso (Esc)"));
    cmdCancelar->setFocusPolicy(Qt::NoFocus); // the window never takes the focus
    cmdCancelar->setVisible(false);
    fila->addWidget(cmdCancelar);
    raiz->addLayout(fila);
    connect(cmdCancelar, &QPushButton::clicked, this, &VentanaEspera::cancelar);
    setFixedWidth(300);
}

void VentanaEspera::setEstado(const QString &estado)
{
    if (lblEstado->text() == estado)
        return;
    lblEstado->setText(estado);
    lblEstado->setVisible(!estado.isEmpty());
    adjustSize();
}

void VentanaEspera::setCancelable(bool cancelable)
{
    cmdCancelar->setVisible(cancelable);
    cmdCancelar->setEnabled(true);
    adjustSize();
}

void VentanaEspera::Mostrar(const QString &mensaje, QWidget *sobre)
{
    texto->setText(mensaje);
    adjustSize();
    // Wherever the owner is, the window stays whole on the screen.
    if (sobre && sobre->isVisible()) {
        const QRect z = sobre->frameGeometry();
        if (auto *zona = sobre->findChild<QWidget *>(QStringLiteral("zonaEspera")); zona && zona->isVisible()) {
            CentrarEn(this, zona->mapToGlobal(zona->rect().center()));
        } else {
            move(z.center().x() - width() / 2, z.top() + skin::AltoBanda + 8);
            MeterEnPantalla(this);
        }
    } else {
        CentrarEn(this, ZonaDisponible(this).center());
    }
    show();
    raise();
}

void VentanaEspera::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && cmdCancelar->isVisible() && cmdCancelar->isEnabled()) {
        cmdCancelar->click();
        return;
    }
    VentanaConBanda::keyPressEvent(e);
}

} // namespace ui

#include "frmInicial.h"

#include "AbrirArchivos.h"
#include "ControlesCromo.h"
#include "Cromo.h"
#include "Programa.h"
#include "Skin.h"
#include "frmDescripcion.h"

#include <QCloseEvent>
#include <QMenu>
#include <QScrollArea>

namespace ui {

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
    imgLogoVentana->setToolTip(QStringLiteral("Menú de opciones generales"));

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

void frmInicial::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (desplazable_)
        desplazable_->setGeometry(1, skin::AltoBanda + 2, std::max(0, width() - 2),
                                  std::max(0, height() - skin::AltoBanda - 3));
}

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

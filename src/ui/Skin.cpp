#include "Skin.h"

#include "ControlesCromo.h"

#include "Objetos.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace ui {

namespace skin {

QColor BandaArriba() { return QColor(0x2b, 0x57, 0x8a); }
QColor BandaAbajo() { return QColor(0x17, 0x38, 0x5f); }
QColor Borde() { return QColor(0x12, 0x2c, 0x4b); }
QColor Fondo() { return QColor(0xf3, 0xf5, 0xf8); }
QColor Acento() { return QColor(0xe0, 0x9a, 0x1f); }
QColor TextoBanda() { return QColor(Qt::white); }

namespace {
QPixmap lienzo(int lado, qreal escala)
{
    QPixmap px(QSize(lado, lado) * escala);
    px.setDevicePixelRatio(escala);
    px.fill(Qt::transparent);
    return px;
}
} // namespace

QPixmap ImagenLogo(qreal escala)
{
    QPixmap px = lienzo(22, escala);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    // A sheet with a folded corner and three bars: a report.
    QPainterPath hoja;
    hoja.moveTo(4, 1.5);
    hoja.lineTo(14, 1.5);
    hoja.lineTo(18.5, 6);
    hoja.lineTo(18.5, 20.5);
    hoja.lineTo(4, 20.5);
    hoja.closeSubpath();
    p.setPen(QPen(QColor(0xd6, 0xde, 0xe8), 1));
    p.setBrush(Qt::white);
    p.drawPath(hoja);
    p.setBrush(QColor(0xd6, 0xde, 0xe8));
    p.drawPolygon(QPolygonF({QPointF(14, 1.5), QPointF(14, 6), QPointF(18.5, 6)}));
    p.setPen(Qt::NoPen);
    p.setBrush(BandaArriba());
    p.drawRect(QRectF(6.5, 13, 2.5, 5));
    p.drawRect(QRectF(10, 10, 2.5, 8));
    p.setBrush(Acento());
    p.drawRect(QRectF(13.5, 7.5, 2.5, 10.5));
    return px;
}

QPixmap ImagenMinimizar(qreal escala)
{
    QPixmap px = lienzo(18, escala);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(TextoBanda(), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 12.5), QPointF(13.5, 12.5));
    return px;
}

QPixmap ImagenCerrar(qreal escala)
{
    QPixmap px = lienzo(18, escala);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(TextoBanda(), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(13, 13));
    p.drawLine(QPointF(13, 5), QPointF(5, 13));
    return px;
}

QPixmap ImagenMaximizar(qreal escala)
{
    QPixmap px = lienzo(18, escala);
    QPainter p(&px);
    p.setPen(QPen(TextoBanda(), 1.5));
    p.drawRect(QRectF(4.5, 4.5, 9, 9));
    p.drawLine(QPointF(4.5, 5.5), QPointF(13.5, 5.5));
    return px;
}

QPixmap ImagenRestaurar(qreal escala)
{
    QPixmap px = lienzo(18, escala);
    QPainter p(&px);
    p.setPen(QPen(TextoBanda(), 1.5));
    p.drawPolyline(QPolygonF({QPointF(6.5, 4.5), QPointF(13.5, 4.5), QPointF(13.5, 11.5)}));
    p.drawRect(QRectF(4.5, 6.5, 7, 7));
    return px;
}

void PintarMarco(QPainter &p, const QRect &r, const QString &titulo, int izquierdaTitulo)
{
    p.fillRect(r, Fondo());
    const QRect banda(r.left(), r.top(), r.width(), AltoBanda);
    QLinearGradient g(banda.topLeft(), banda.bottomLeft());
    g.setColorAt(0, BandaArriba());
    g.setColorAt(1, BandaAbajo());
    p.fillRect(banda, g);
    p.fillRect(QRect(banda.left(), banda.bottom() + 1, banda.width(), 2), Acento());
    if (!titulo.isEmpty()) {
        QFont f = p.font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(TextoBanda());
        const QRect zona = banda.adjusted(izquierdaTitulo, 0, -70, 0);
        p.drawText(zona, Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(titulo, Qt::ElideRight, zona.width()));
    }
    p.setPen(Borde());
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace skin

namespace {

// Paints the band and the border of a skinned window and keeps its chrome images in place.
class PintorSkin : public QObject {
public:
    explicit PintorSkin(QWidget *ventana)
        : QObject(ventana), ventana_(ventana)
    {
        setObjectName(QStringLiteral("pintorSkin"));
        ventana->installEventFilter(this);
    }

    void colocar()
    {
        const int centro = skin::AltoBanda / 2;
        int x = ventana_->width() - 8;
        for (const char *nombre : {"CerrarVentana", "MinimizarVentana"}) {
            if (auto *img = ventana_->findChild<ImagenVentana *>(QLatin1String(nombre), Qt::FindDirectChildrenOnly)) {
                img->resize(24, 24);
                x -= img->width();
                img->move(x, centro - img->height() / 2);
                img->raise();
                x -= 2;
            }
        }
        if (auto *logo = ventana_->findChild<ImagenVentana *>(QStringLiteral("imgLogoVentana"), Qt::FindDirectChildrenOnly)) {
            logo->resize(26, 26);
            logo->move(6, centro - logo->height() / 2);
            logo->raise();
        }
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == ventana_) {
            if (e->type() == QEvent::Paint) {
                QPainter p(ventana_);
                skin::PintarMarco(p, ventana_->rect(), ventana_->windowTitle(), 38);
            } else if (e->type() == QEvent::Resize || e->type() == QEvent::Show) {
                colocar();
            } else if (e->type() == QEvent::WindowTitleChange) {
                ventana_->update(0, 0, ventana_->width(), skin::AltoBanda);
            }
        }
        return false;
    }

private:
    QWidget *ventana_;
};

// The window follows the cursor while the left button stays down.
class ArrastreManual : public QObject {
public:
    explicit ArrastreManual(QWidget *ventana)
        : ventana_(ventana), desfase_(QCursor::pos() - ventana->pos())
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseMove) {
            auto *m = static_cast<QMouseEvent *>(e);
            if (ventana_ && (m->buttons() & Qt::LeftButton))
                ventana_->move(m->globalPosition().toPoint() - desfase_);
        } else if (e->type() == QEvent::MouseButtonRelease) {
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> ventana_;
    QPoint desfase_;
};

QPointer<ArrastreManual> arrastre;

// The window manager moves the window once asked and keeps the button's release to itself, so
// the toolkit may go on reporting the left button as held. Until the next press or release
// really arrives, moves with the button "held" do not start another move.
class MovimientoDelGestor : public QObject {
public:
    MovimientoDelGestor() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease
            || e->type() == QEvent::NonClientAreaMouseButtonPress) {
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

QPointer<MovimientoDelGestor> movimientoDelGestor;

} // namespace

void EfectosQt::PintarSkin(QObject *objeto)
{
    auto *ventana = qobject_cast<QWidget *>(objeto);
    if (!ventana)
        return;
    QPalette pal = ventana->palette();
    pal.setColor(QPalette::Window, skin::Fondo());
    pal.setColor(QPalette::Highlight, skin::BandaArriba());
    ventana->setPalette(pal);
    ventana->setAutoFillBackground(false);

    const qreal escala = ventana->devicePixelRatioF();
    if (auto *img = ventana->findChild<ImagenVentana *>(QStringLiteral("MinimizarVentana")))
        img->setImagen(skin::ImagenMinimizar(escala));
    if (auto *img = ventana->findChild<ImagenVentana *>(QStringLiteral("CerrarVentana")))
        img->setImagen(skin::ImagenCerrar(escala));
    if (auto *img = ventana->findChild<ImagenVentana *>(QStringLiteral("imgLogoVentana")))
        img->setImagen(skin::ImagenLogo(escala));
    if (auto *barra = ventana->findChild<BotonDegradado *>(QStringLiteral("RestaurarForma"))) {
        barra->colorArriba = skin::BandaArriba();
        barra->colorAbajo = skin::BandaAbajo();
        QFont f = barra->font();
        f.setBold(true);
        barra->setFont(f);
        barra->hide();
    }
    auto *pintor = ventana->findChild<PintorSkin *>(QStringLiteral("pintorSkin"), Qt::FindDirectChildrenOnly);
    if (!pintor)
        pintor = new PintorSkin(ventana);
    pintor->colocar();
    ventana->update();
}

void ControlesQt::MoverVentana(QObject *objeto)
{
    auto *w = qobject_cast<QWidget *>(objeto);
    if (!w || arrastre || movimientoDelGestor)
        return;
    w = w->window();
    if (QWindow *h = w->windowHandle(); h && h->startSystemMove()) {
        movimientoDelGestor = new MovimientoDelGestor;
        return;
    }
    arrastre = new ArrastreManual(w);
}

void RegistrarClasesDeDibujo()
{
    host::RegistrarClase(host::BibliotecaHost(), QStringLiteral("Efectos"), [] { return std::make_shared<EfectosQt>(); });
    host::RegistrarClase(host::BibliotecaHost(), QStringLiteral("DeControles"),
                         [] { return std::make_shared<ControlesQt>(); });
}

} // namespace ui

#include "VentanaEspera.h"

#include "DentroDeLaPantalla.h"
#include "Programa.h"
#include "Skin.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

// A bar with a block that sweeps from side to side: the program is working, however long a
// statement takes (the style's own busy bar may not move on every platform).
class BarraOcupada : public QWidget {
public:
    explicit BarraOcupada(QWidget *padre) : QWidget(padre)
    {
        setObjectName(QStringLiteral("barOcupada"));
        setFixedHeight(8);
    }
    void Avanzar()
    {
        paso_ = (paso_ + 1) % (2 * Pasos);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xdd, 0xe4, 0xec));
        p.drawRoundedRect(rect(), 3, 3);
        const int ancho = std::max(width() / 4, 12);
        const int ida = paso_ < Pasos ? paso_ : 2 * Pasos - paso_;
        const int x = (width() - ancho) * ida / Pasos;
        p.setBrush(skin::Acento());
        p.drawRoundedRect(QRect(x, 0, ancho, height()), 3, 3);
    }

private:
    static constexpr int Pasos = 40;
    int paso_ = 0;
};

// Thousands apart by a blank, as a counter reads: 20 000.
QString ConEspacios(int n)
{
    QString t = QString::number(n);
    for (int i = int(t.size()) - 3; i > (n < 0 ? 1 : 0); i -= 3)
        t.insert(i, QLatin1Char(' '));
    return t;
}

} // namespace

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
    lblAvance = new QLabel(this);
    lblAvance->setObjectName(QStringLiteral("lblAvance"));
    raiz->addWidget(lblAvance);
    lblEstado = new QLabel(this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    raiz->addWidget(lblEstado);
    auto *ocupada = new BarraOcupada(this);
    barra = ocupada;
    raiz->addWidget(barra);
    auto *fila = new QHBoxLayout;
    fila->addStretch();
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setAccessibleName(QStringLiteral("Cancelar"));
    cmdCancelar->setAccessibleDescription(QStringLiteral("Detiene el proceso; los archivos anteriores quedan como estaban"));
    cmdCancelar->setToolTip(QStringLiteral("Detiene el proceso (Esc)"));
    cmdCancelar->setFocusPolicy(Qt::NoFocus); // the window never takes the focus
    fila->addWidget(cmdCancelar);
    raiz->addLayout(fila);
    connect(cmdCancelar, &QPushButton::clicked, this, &VentanaEspera::cancelar);

    // Every line has its place whether it shows or not: one size for the whole run.
    for (QWidget *w : std::initializer_list<QWidget *>{texto, lblAvance, lblEstado}) {
        w->setFixedHeight(w->fontMetrics().lineSpacing() + 2);
        w->setMinimumWidth(0);
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{lblEstado, cmdCancelar}) {
        QSizePolicy sp = w->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        w->setSizePolicy(sp);
        w->setVisible(false);
    }
    ensurePolished();
    setFixedSize(300, raiz->sizeHint().height());

    latido_ = new QTimer(this);
    latido_->setInterval(100);
    connect(latido_, &QTimer::timeout, this, &VentanaEspera::latir);
    Empezar();
}

QString VentanaEspera::TextoDeAvance(int hechos, int total, qint64 segundos)
{
    if (total <= 0)
        return QStringLiteral("Preparando el proceso · %1 s").arg(segundos);
    return QStringLiteral("Pago %1 de %2 · %3 s").arg(ConEspacios(hechos), ConEspacios(total)).arg(segundos);
}

void VentanaEspera::Empezar()
{
    hechos_ = 0;
    total_ = 0;
    desde_.start();
    latir();
}

void VentanaEspera::setAvance(int hechos, int total)
{
    hechos_ = hechos;
    total_ = total;
    lblAvance->setText(TextoDeAvance(hechos_, total_, desde_.elapsed() / 1000));
}

void VentanaEspera::latir()
{
    lblAvance->setText(TextoDeAvance(hechos_, total_, desde_.elapsed() / 1000));
    static_cast<BarraOcupada *>(barra)->Avanzar();
}

void VentanaEspera::showEvent(QShowEvent *e)
{
    VentanaConBanda::showEvent(e);
    latido_->start();
}

void VentanaEspera::hideEvent(QHideEvent *e)
{
    latido_->stop();
    VentanaConBanda::hideEvent(e);
}

void VentanaEspera::setEstado(const QString &estado)
{
    if (lblEstado->text() == estado)
        return;
    lblEstado->setText(estado);
    lblEstado->setVisible(!estado.isEmpty());
}

void VentanaEspera::setCancelable(bool cancelable)
{
    cmdCancelar->setVisible(cancelable);
    cmdCancelar->setEnabled(true);
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

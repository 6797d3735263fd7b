#include "PanelDesenlace.h"

#include "AbrirArchivos.h"
#include "frmRevision.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

PanelDesenlace::PanelDesenlace(QWidget *padre)
    : QWidget(padre)
{
    setObjectName(QStringLiteral("panelDesenlace"));
    setAttribute(Qt::WA_StyledBackground);
    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(10, 6, 10, 6);
    raiz->setSpacing(6);

    lblDesenlace = new QLabel(this);
    lblDesenlace->setObjectName(QStringLiteral("lblDesenlace"));
    lblDesenlace->setTextFormat(Qt::PlainText);
    lblDesenlace->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDesenlace->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblDesenlace->setFixedHeight(lblDesenlace->fontMetrics().lineSpacing() * LineasVisibles() + 2);
    raiz->addWidget(lblDesenlace);

    auto *botones = new QHBoxLayout;
    botones->setSpacing(6);
    const auto boton = [this, botones](const char *nombre, const QString &texto) {
        auto *b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nombre));
        b->setCursor(Qt::PointingHandCursor);
        botones->addWidget(b);
        return b;
    };
    cmdAbrirReporte = boton("cmdAbrirReporte", QStringLiteral("Abrir reporte"));
    cmdAbrirLog = boton("cmdAbrirLog", QStringLiteral("Abrir Log"));
    cmdAbrirCarpeta = boton("cmdAbrirCarpeta", QStringLiteral("Abrir carpeta"));
    cmdVerRevision = boton("cmdVerRevision", QStringLiteral("Ver revisión"));
    botones->addStretch();
    raiz->addLayout(botones);

    // As high as its lines and its buttons whether or not these are shown: the window keeps
    // room for it, and nothing moves when it appears.
    cmdAbrirReporte->ensurePolished();
    setFixedHeight(raiz->contentsMargins().top() + lblDesenlace->height() + raiz->spacing()
                   + cmdAbrirReporte->sizeHint().height() + raiz->contentsMargins().bottom());
    connect(cmdAbrirReporte, &QPushButton::clicked, this,
            [this] { AbrirArchivoDeTexto(d_.reporte, QStringLiteral("el reporte")); });
    connect(cmdAbrirLog, &QPushButton::clicked, this,
            [this] { AbrirArchivoDeTexto(d_.log, QStringLiteral("el Log")); });
    connect(cmdAbrirCarpeta, &QPushButton::clicked, this, [this] { AbrirCarpeta(d_.carpeta); });
    connect(cmdVerRevision, &QPushButton::clicked, this, &PanelDesenlace::VerRevision);
    Mostrar(Desenlace());
}

int PanelDesenlace::LineasVisibles()
{
    return 5;
}

void PanelDesenlace::Mostrar(const Desenlace &d)
{
    d_ = d;
    // The review of an earlier run does not stay beside the outcome of this one.
    if (revision_)
        revision_->close();
    setProperty("fallo", d.fallo);
    style()->unpolish(this);
    style()->polish(this);
    cmdAbrirReporte->setVisible(!d.reporte.isEmpty());
    cmdAbrirLog->setVisible(!d.log.isEmpty());
    cmdAbrirCarpeta->setVisible(!d.carpeta.isEmpty() && !d.texto.isEmpty());
    cmdVerRevision->setVisible(!d.hallazgos.isEmpty());
    lblDesenlace->setToolTip(d.texto);
    recortar();
}

void PanelDesenlace::VerRevision()
{
    if (d_.hallazgos.isEmpty())
        return;
    if (!revision_)
        revision_ = new frmRevision(d_.hallazgos, d_.rutaRevision, window());
    revision_->show();
    revision_->raise();
    revision_->activateWindow();
}

void PanelDesenlace::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    recortar();
}

void PanelDesenlace::recortar()
{
    const int ancho = std::max(40, lblDesenlace->width() - 4);
    const QFontMetrics fm = lblDesenlace->fontMetrics();
    QStringList lineas;
    for (const QString &linea : d_.texto.split(QLatin1Char('\n'))) {
        if (lineas.size() == LineasVisibles())
            break;
        lineas << fm.elidedText(linea, Qt::ElideMiddle, ancho);
    }
    lblDesenlace->setText(d_.texto.isEmpty() ? QString() : lineas.join(QLatin1Char('\n')));
}

} // namespace ui

#include "PanelDesenlace.h"

#include "AbrirArchivos.h"
#include "Dialogos.h"
#include "frmRevision.h"
#include "frmVerReporte.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

namespace {
bool Existe(const QString &ruta)
{
    return !ruta.isEmpty() && QFileInfo::exists(ruta);
}
} // namespace

PanelDesenlace::PanelDesenlace(QWidget *padre)
    : QWidget(padre)
{
    setObjectName(QStringLiteral("panelDesenlace"));
    setAttribute(Qt::WA_StyledBackground);
    setAccessibleName(QStringLiteral("Resultado del proceso"));
    auto *raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(10, 6, 10, 6);
    raiz->setSpacing(6);

    lblDesenlace = new QLabel;
    lblDesenlace->setObjectName(QStringLiteral("lblDesenlace"));
    lblDesenlace->setTextFormat(Qt::PlainText);
    lblDesenlace->setWordWrap(true);
    lblDesenlace->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDesenlace->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblDesenlace->setAccessibleName(QStringLiteral("Resultado del proceso"));
    desplazable_ = new QScrollArea(this);
    desplazable_->setObjectName(QStringLiteral("desplazableDesenlace"));
    desplazable_->setFrameShape(QFrame::NoFrame);
    desplazable_->setWidgetResizable(true);
    desplazable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    desplazable_->viewport()->setAutoFillBackground(false);
    desplazable_->setWidget(lblDesenlace);
    lblDesenlace->setAutoFillBackground(false);
    desplazable_->setFixedHeight(lblDesenlace->fontMetrics().lineSpacing() * LineasVisibles + 4);
    raiz->addWidget(desplazable_);

    auto *botones = new QHBoxLayout;
    botones->setSpacing(6);
    const auto boton = [this, botones](const char *nombre, const QString &texto, const QString &descripcion) {
        auto *b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nombre));
        b->setCursor(Qt::PointingHandCursor);
        b->setAccessibleName(QString(texto).remove(QLatin1Char('&')));
        b->setAccessibleDescription(descripcion);
        botones->addWidget(b);
        return b;
    };
    // Alt letters that none of the main window's inputs takes (i f a c p t v d s g o): the
    // buttons show under them.
    cmdVerReporte = boton("cmdVerReporte", QStringLiteral("Ver r&eporte"),
                          QStringLiteral("Muestra el reporte por RFC con sus totales, tal como quedó en el archivo"));
    cmdAbrirReporte = boton("cmdAbrirReporte", QStringLiteral("Abrir &reporte"),
                            QStringLiteral("Abre el reporte en el programa de textos"));
    cmdAbrirLog = boton("cmdAbrirLog", QStringLiteral("Abrir &Log"), QStringLiteral("Abre la bitácora del proceso"));
    cmdAbrirCarpeta = boton("cmdAbrirCarpeta", QStringLiteral("A&brir carpeta"),
                            QStringLiteral("Abre la carpeta donde quedaron los archivos"));
    cmdVerRevision = boton("cmdVerRevision", QStringLiteral("Ver revisió&n"),
                           QStringLiteral("Muestra lo que conviene revisar antes de presentar el reporte"));
    botones->addStretch();
    raiz->addLayout(botones);
    raiz->addStretch(); // without buttons, the lines stay at the top

    // As high as its lines and its buttons whether or not these are shown: the window keeps
    // room for it, and nothing moves when it appears.
    cmdAbrirReporte->ensurePolished();
    setFixedHeight(raiz->contentsMargins().top() + desplazable_->height() + raiz->spacing()
                   + cmdAbrirReporte->sizeHint().height() + raiz->contentsMargins().bottom());
    connect(cmdAbrirReporte, &QPushButton::clicked, this,
            [this] { AbrirArchivoDeTexto(d_.reporte, QStringLiteral("el reporte")); });
    connect(cmdAbrirLog, &QPushButton::clicked, this,
            [this] { AbrirArchivoDeTexto(d_.log, QStringLiteral("el Log")); });
    connect(cmdAbrirCarpeta, &QPushButton::clicked, this, [this] { AbrirCarpeta(d_.carpeta); });
    connect(cmdVerRevision, &QPushButton::clicked, this, &PanelDesenlace::AbrirRevision);
    connect(cmdVerReporte, &QPushButton::clicked, this, [this] { VerReporte(); });
    Mostrar(Desenlace());
}

void PanelDesenlace::Mostrar(const Desenlace &d)
{
    d_ = d;
    // The review of an earlier run does not stay beside the outcome of this one.
    cerrarRevision();
    cerrarReporte();
    setProperty("fallo", d.fallo);
    setProperty("aviso", d.aviso && !d.fallo);
    style()->unpolish(this);
    style()->polish(this);
    cmdVerReporte->setVisible(Existe(d.reporte));
    cmdAbrirReporte->setVisible(Existe(d.reporte));
    cmdAbrirLog->setVisible(Existe(d.log));
    cmdAbrirCarpeta->setVisible(Existe(d.carpeta) && (Existe(d.reporte) || Existe(d.log)));
    cmdVerRevision->setVisible(Existe(d.rutaRevision));
    lblDesenlace->setText(d.texto);
    lblDesenlace->setAccessibleDescription(d.texto);
}

void PanelDesenlace::Limpiar()
{
    if (d_.texto.isEmpty())
        return;
    Mostrar(Desenlace());
    setVisible(false);
}

void PanelDesenlace::cerrarRevision()
{
    // Closed with delete-on-close it is only deleted later: it is forgotten now, so that the
    // next run's review is made anew and shown.
    if (revision_) {
        revision_->close();
        revision_ = nullptr;
    }
}

void PanelDesenlace::cerrarReporte()
{
    if (reporte_) {
        reporte_->close();
        reporte_ = nullptr;
    }
}

void PanelDesenlace::VerReporte(const QString &rfc)
{
    if (!Existe(d_.reporte))
        return;
    if (!reporte_) {
        auto *ventana = new frmVerReporte(window());
        QString error;
        if (!ventana->Cargar(d_.reporte, d_.hallazgos, DatosDeCorrida{d_.periodo, d_.base, d_.momento}, &error)) {
            delete ventana;
            host::Dialogos::actual().MsgBox(error, host::vbCritical, QStringLiteral("Reporte"));
            return;
        }
        reporte_ = ventana;
    }
    if (!rfc.isNull())
        reporte_->MostrarRfc(rfc);
    reporte_->show();
    reporte_->raise();
    reporte_->activateWindow();
}

void PanelDesenlace::VerRevision()
{
    if (!d_.hallazgos.isEmpty())
        AbrirRevision();
}

void PanelDesenlace::AbrirRevision()
{
    if (!revision_) {
        revision_ = new frmRevision(d_.hallazgos, d_.rutaRevision, window());
        connect(revision_, &frmRevision::rfcElegido, this, [this](const QString &rfc) { VerReporte(rfc); });
    }
    revision_->show();
    revision_->raise();
    revision_->activateWindow();
}

QPushButton *PanelDesenlace::PrimerBoton() const
{
    for (QPushButton *b : {cmdVerReporte, cmdAbrirReporte, cmdAbrirLog, cmdAbrirCarpeta, cmdVerRevision})
        if (!b->isHidden())
            return b;
    return nullptr;
}

} // namespace ui

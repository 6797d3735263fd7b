#include "DialogosQt.h"

#include "DentroDeLaPantalla.h"
#include "Programa.h"
#include "Skin.h"
#include "VentanaConBanda.h"
#include "VentanaEspera.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

namespace {

enum : int { Abortar = 3, Reintentar = 4, Ignorar = 5 };

QString TituloPorDefecto(const QString &titulo)
{
    return titulo.isEmpty() ? NombreDelPrograma() : titulo;
}

// The icon of a box by its flags (and, for the skinned box, its kind code), as the standard box
// and the skinned one name it.
struct Icono {
    QMessageBox::Icon caja;
    QStyle::StandardPixmap imagen;
};
Icono IconoDeCaja(int botones, int tipo = 0)
{
    switch (botones & 0x70) {
    case host::vbCritical:
        return {QMessageBox::Critical, QStyle::SP_MessageBoxCritical};
    case host::vbQuestion:
        return {QMessageBox::Question, QStyle::SP_MessageBoxQuestion};
    case host::vbExclamation:
        return {QMessageBox::Warning, QStyle::SP_MessageBoxWarning};
    case host::vbInformation:
        return {QMessageBox::Information, QStyle::SP_MessageBoxInformation};
    default:
        // The end-of-run notice comes without an icon flag.
        if (tipo == 9)
            return {QMessageBox::Information, QStyle::SP_MessageBoxInformation};
        return {QMessageBox::NoIcon, QStyle::SP_CustomBase};
    }
}

// Over the window it belongs to, else on the screen, and whole inside the screen either way.
void Centrar(QWidget *w, QWidget *sobre)
{
    w->adjustSize();
    CentrarEn(w, sobre && sobre->isVisible() ? sobre->frameGeometry().center() : ZonaDisponible(w).center());
}

// The standard box, which takes its final size as it shows, kept inside the screen then.
class CajaEstandar : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *e) override
    {
        QMessageBox::showEvent(e);
        MeterEnPantalla(this);
    }
};

// The buttons of a box, by its flags, in a row: each answers its result code; the default one has
// the focus. Returns the codes in order.
QList<int> PonerBotones(QDialog *caja, QHBoxLayout *fila, int botones)
{
    fila->addStretch();
    const QList<int> codigos = BotonesDeCaja(botones);
    const int defecto = BotonPorDefecto(botones, int(codigos.size()));
    for (int i = 0; i < codigos.size(); ++i) {
        const int codigo = codigos.at(i);
        auto *b = new QPushButton(LeyendaDeBoton(codigo), caja);
        b->setMinimumWidth(84);
        b->setAutoDefault(true);
        if (i == defecto) {
            b->setDefault(true);
            b->setFocus();
        }
        QObject::connect(b, &QPushButton::clicked, caja, [caja, codigo] { caja->done(codigo); });
        fila->addWidget(b);
    }
    return codigos;
}

// A message too long for a box (a list of products): its first line on top, the rest in a box of
// fixed height that scrolls, so that the buttons stay on the screen however long the list.
class CajaConLista : public QDialog {
public:
    CajaConLista(QWidget *padre, const QString &texto, int botones, const QString &titulo)
        : QDialog(padre)
    {
        setObjectName(QStringLiteral("cajaConLista"));
        setWindowTitle(titulo);
        const QStringList lineas = texto.split(QLatin1Char('\n'));
        auto *raiz = new QVBoxLayout(this);
        auto *encabezado = new QLabel(lineas.first(), this);
        encabezado->setTextFormat(Qt::PlainText);
        raiz->addWidget(encabezado);
        lista = new QPlainTextEdit(this);
        lista->setObjectName(QStringLiteral("lista"));
        lista->setReadOnly(true);
        lista->setLineWrapMode(QPlainTextEdit::NoWrap);
        lista->setPlainText(lineas.mid(1).join(QLatin1Char('\n')));
        const QFontMetrics fm(lista->font());
        lista->setFixedHeight(fm.lineSpacing() * LineasDeLista + 2 * lista->frameWidth() + 8);
        lista->setMinimumWidth(360);
        raiz->addWidget(lista);
        auto *fila = new QHBoxLayout;
        codigos_ = PonerBotones(this, fila, botones);
        raiz->addLayout(fila);
    }
    static constexpr int LineasDeLista = 12;
    QPlainTextEdit *lista;

protected:
    void reject() override
    {
        if (codigos_.contains(host::vbCancel))
            done(host::vbCancel);
        else if (codigos_.size() == 1)
            done(codigos_.first());
    }

private:
    QList<int> codigos_;
};

class CajaSkin : public VentanaConBanda {
public:
    CajaSkin(QWidget *padre, const QString &texto, int botones, const QString &titulo, int tipo)
        : VentanaConBanda(padre, titulo)
    {
        setObjectName(QStringLiteral("cajaSkin"));
        auto *raiz = new QVBoxLayout(this);
        raiz->setContentsMargins(18, skin::AltoBanda + 16, 18, 14);
        raiz->setSpacing(16);

        auto *fila = new QHBoxLayout;
        fila->setSpacing(14);
        const QStyle::StandardPixmap icono = IconoDeCaja(botones, tipo).imagen;
        if (icono != QStyle::SP_CustomBase) {
            auto *img = new QLabel(this);
            img->setPixmap(style()->standardIcon(icono).pixmap(32, 32));
            img->setAlignment(Qt::AlignTop);
            fila->addWidget(img);
        }
        auto *mensaje = new QLabel(host::Renglones(texto), this);
        mensaje->setObjectName(QStringLiteral("texto"));
        mensaje->setTextFormat(Qt::PlainText);
        mensaje->setWordWrap(false);
        mensaje->setMinimumWidth(220);
        fila->addWidget(mensaje, 1);
        raiz->addLayout(fila);

        auto *botonera = new QHBoxLayout;
        codigos_ = PonerBotones(this, botonera, botones);
        raiz->addLayout(botonera);
        setMinimumWidth(320);
    }

protected:
    void showEvent(QShowEvent *e) override
    {
        VentanaConBanda::showEvent(e);
        // Without a window manager nobody else gives a new window the keyboard: Enter must
        // answer the box.
        activateWindow();
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_Escape) {
            // Escape answers Cancel, or closes a box that only informs.
            if (codigos_.contains(host::vbCancel))
                done(host::vbCancel);
            else if (codigos_ == QList<int>{host::vbOK})
                done(host::vbOK);
            return;
        }
        VentanaConBanda::keyPressEvent(e);
    }
    void reject() override {} // only the buttons and Escape answer

private:
    QList<int> codigos_;
};

} // namespace

DialogosQt::DialogosQt() = default;

DialogosQt::~DialogosQt()
{
    delete espera_.data();
}

QWidget *DialogosQt::dueno() const
{
    if (dueno_)
        return dueno_;
    return QApplication::activeWindow();
}

QList<int> BotonesDeCaja(int botones)
{
    switch (botones & 0x0F) {
    case 1:
        return {host::vbOK, host::vbCancel};
    case 2:
        return {Abortar, Reintentar, Ignorar};
    case 3:
        return {host::vbYes, host::vbNo, host::vbCancel};
    case host::vbYesNo:
        return {host::vbYes, host::vbNo};
    case 5:
        return {Reintentar, host::vbCancel};
    default:
        return {host::vbOK};
    }
}

QString LeyendaDeBoton(int resultado)
{
    switch (resultado) {
    case host::vbOK:
        return QStringLiteral("Aceptar");
    case host::vbCancel:
        return QStringLiteral("Cancelar");
    case Abortar:
        return QStringLiteral("Anular");
    case Reintentar:
        return QStringLiteral("Reintentar");
    case Ignorar:
        return QStringLiteral("Omitir");
    case host::vbYes:
        return QStringLiteral("Sí");
    case host::vbNo:
        return QStringLiteral("No");
    default:
        return QString();
    }
}

int BotonPorDefecto(int botones, int cuantos)
{
    const int pedido = (botones & 0x300) == 0x200 ? 2 : (botones & 0x300) == host::vbDefaultButton2 ? 1 : 0;
    return pedido < cuantos ? pedido : 0;
}

int DialogosQt::MsgBox(const QString &texto, int botones, const QString &titulo)
{
    if (host::Renglones(texto).count(QLatin1Char('\n')) > CajaConLista::LineasDeLista) {
        CajaConLista caja(dueno(), host::Renglones(texto), botones, TituloPorDefecto(titulo));
        Centrar(&caja, dueno());
        return caja.exec();
    }
    CajaEstandar caja(dueno());
    caja.setWindowTitle(TituloPorDefecto(titulo));
    caja.setText(host::Renglones(texto));
    caja.setIcon(IconoDeCaja(botones).caja);
    const QList<int> codigos = BotonesDeCaja(botones);
    const int defecto = BotonPorDefecto(botones, codigos.size());
    QList<QPushButton *> lista;
    for (int codigo : codigos) {
        QMessageBox::ButtonRole rol = QMessageBox::AcceptRole;
        if (codigo == host::vbNo)
            rol = QMessageBox::NoRole;
        else if (codigo == host::vbYes)
            rol = QMessageBox::YesRole;
        else if (codigo == host::vbCancel)
            rol = QMessageBox::RejectRole;
        else if (codigo == Ignorar || codigo == Abortar)
            rol = QMessageBox::DestructiveRole;
        lista << caja.addButton(LeyendaDeBoton(codigo), rol);
    }
    caja.setDefaultButton(lista.at(defecto));
    if (codigos.contains(host::vbCancel))
        caja.setEscapeButton(lista.at(codigos.indexOf(host::vbCancel)));
    else if (codigos.size() == 1)
        caja.setEscapeButton(lista.first());
    caja.exec();
    const int i = lista.indexOf(qobject_cast<QPushButton *>(caja.clickedButton()));
    return i >= 0 ? codigos.at(i) : (codigos.contains(host::vbCancel) ? int(host::vbCancel) : codigos.first());
}

int DialogosQt::MsgBoxSkn(const QString &texto, int botones, const QString &titulo, int tipo)
{
    CajaSkin caja(dueno(), texto, botones, TituloPorDefecto(titulo), tipo);
    Centrar(&caja, dueno());
    return caja.exec();
}

void DialogosQt::MuestraWnd(const QString &mensaje)
{
    if (!espera_)
        espera_ = new VentanaEspera(dueno(), mensaje);
    espera_->Mostrar(mensaje, dueno());
}

void DialogosQt::QuitaWnd()
{
    if (espera_)
        espera_->hide();
}

bool DialogosQt::AbreDocumento(const QString &ruta)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(ruta)));
}

} // namespace ui

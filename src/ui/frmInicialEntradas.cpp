#include "frmInicial.h"

#include "BusquedaDeTercero.h"
#include "Campos.h"
#include "Cromo.h"
#include "Programa.h"
#include "frmDescripcion.h"

#include "ComprobacionDeSalida.h"
#include "Configuracion.h"
#include "Dialogos.h"
#include "Hoy.h"
#include "LibKVRS.h"
#include "OpcionesCli.h"
#include "ReporteExistente.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace ui {

namespace {
QString Hoy()
{
    return config::Hoy().toString(host::LibKVRS::FormatoFecha());
}

QDate FechaDeCaja(const QLineEdit *caja)
{
    return QDate::fromString(caja->text(), host::LibKVRS::FormatoFecha());
}
} // namespace

void frmInicial::iniciarEntradas()
{
    for (QLineEdit *caja : mskFecha) {
        caja->setInputMask(MascaraQt(host::LibKVRS::MascaraFecha()));
        caja->setText(Hoy());
    }
    if (modoDesarrollo()) {
        mskFecha[0]->setText(QStringLiteral("01/01/2018"));
        mskFecha[1]->setText(QStringLiteral("31/03/2018"));
    }
    AjustaTipoTercero();
}

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
    txtDato[0]->setText(config::NombreReportePorDefecto(clientes, config::Hoy()));
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
        QString motivo;
        config::ComprobarSalida(carpeta_, QString(), &motivo);
        avisarBajo(caja, motivo);
        return;
    }
    if (caja->text().right(4).toLower() != QLatin1String(".txt"))
        caja->setText(caja->text() + QStringLiteral(".txt"));
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
    // The host library's filter of each box: the dates, the file name, the key.
    host::LibKVRS::Enter(caracter, campo == mskFecha[0] || campo == mskFecha[1] ? QStringLiteral("9")
                                   : campo == txtDato[0]                        ? QStringLiteral("X")
                                   : campo == txtDato[1]                        ? QStringLiteral("!")
                                                                                : QString());
    if (caracter == 0)
        return true;
    if (caracter == '/' && (campo == mskFecha[0] || campo == mskFecha[1])
        && CompletarParteDeFecha(static_cast<QLineEdit *>(campo)))
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
        // The window sees these keys before the field that has the focus; during a run only Escape
        // (cancel) and Alt+F4 (close once it ends) do something.
        if (k->key() == Qt::Key_F4 && (k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier)
            SolicitarCierre();
        else if (enProceso_ && k->key() == Qt::Key_Escape)
            Cancelar();
        else if (!enProceso_ && k->key() == Qt::Key_F1)
            Descripcion()->Mostrar();
        else if (!enProceso_)
            return teclaDeCampo(w, k);
        return true;
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

bool frmInicial::leerSolicitud(SolicitudReporte &s)
{
    for (int i = 0; i < 2; ++i) {
        if (!FechaDeCaja(mskFecha[i]).isValid()) {
            host::Dialogos::actual().MsgBox(
                QStringLiteral("La %1 no es una fecha válida.\r\nEscríbala como día/mes/año, por ejemplo 31/03/2018.")
                    .arg(i == 0 ? QStringLiteral("fecha inicial") : QStringLiteral("fecha final")),
                host::vbExclamation, QStringLiteral("Fecha no válida"));
            mskFecha[i]->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    if (FechaDeCaja(mskFecha[0]) > FechaDeCaja(mskFecha[1])) {
        host::Dialogos::actual().MsgBox(config::MensajePeriodoAlReves(mskFecha[0]->text(), mskFecha[1]->text()),
                                        host::vbExclamation, QStringLiteral("Periodo al revés"));
        mskFecha[0]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!config::FechaFinalAdmitida(FechaDeCaja(mskFecha[1]))) {
        host::Dialogos::actual().MsgBox(config::MensajeFechaFinalNoAdmitida(mskFecha[1]->text()), host::vbExclamation,
                                        QStringLiteral("Fecha no válida"));
        mskFecha[1]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    QString motivo;
    if (!config::ComprobarSalida(carpeta_, txtDato[0]->text(), &motivo, ArchivosPropios())) {
        host::Dialogos::actual().MsgBox(motivo, host::vbExclamation, QStringLiteral("Nombre del archivo"));
        txtDato[0]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    // A report already filed is replaced only when the user says so; "No" is the default, so a
    // stray Enter changes nothing.
    const QString reemplazo = config::PreguntaDeReemplazo(carpeta_, txtDato[0]->text());
    if (!reemplazo.isEmpty() && !Pregunta(reemplazo, QStringLiteral("Reemplazar reporte"), true)) {
        txtDato[0]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    s.dtInicial = FechaDeCaja(mskFecha[0]);
    s.dtFinal = FechaDeCaja(mskFecha[1]);
    s.stArchivo = txtDato[0]->text();
    s.stCliente = txtDato[1]->text();
    s.blSonCtes = optCtes->isChecked();
    s.blTodosLosPagos = chkTodos->isChecked();
    return true;
}

bool frmInicial::PorLineaDeProductos() const
{
    return optProcesar[0]->isChecked();
}

} // namespace ui

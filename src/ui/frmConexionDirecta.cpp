#include "frmConexionDirecta.h"

#include "Programa.h"

#include "BasesDD.h"
#include "ConexionDirecta.h"
#include "Configuracion.h"
#include "Conexion.h"
#include "Errores.h"
#include "LibKVRS.h"
#include "OpcionesCli.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace ui {

frmConexionDirecta::frmConexionDirecta(const QString &archivoConfig, QWidget *padre)
    : QDialog(padre), archivoConfig_(archivoConfig)
{
    setObjectName(QStringLiteral("frmConexionDirecta"));
    setWindowTitle(QStringLiteral("Conexión directa a un servidor MySQL"));
    txtServidor = new QLineEdit(QStringLiteral("localhost"), this);
    txtPuerto = new QLineEdit(config::PuertoPorDefecto(), this);
    txtPuerto->setValidator(new QIntValidator(1, 65535, txtPuerto));
    txtUsuario = new QLineEdit(config::UsuarioPorDefecto(), this);
    txtContrasena = new QLineEdit(this);
    txtContrasena->setEchoMode(QLineEdit::Password);
    cboBase = new QComboBox(this);
    cboBase->setEditable(true);
    cboBase->setEditText(QStringLiteral("datos1"));
    lblEstado = new QLabel(this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    lblEstado->setWordWrap(true);
    lblEstado->setTextFormat(Qt::PlainText);
    cmdProbar = new QPushButton(QStringLiteral("&Probar conexión"), this);
    cmdGuardar = new QPushButton(QStringLiteral("&Guardar"), this);
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdGuardar->setDefault(true);

    auto *campos = new QFormLayout;
    campos->addRow(QStringLiteral("&Servidor:"), txtServidor);
    campos->addRow(QStringLiteral("P&uerto:"), txtPuerto);
    campos->addRow(QStringLiteral("U&suario:"), txtUsuario);
    campos->addRow(QStringLiteral("&Contraseña:"), txtContrasena);
    campos->addRow(QStringLiteral("&Base de datos:"), cboBase);
    auto *botones = new QHBoxLayout;
    botones->addWidget(cmdProbar);
    botones->addStretch();
    botones->addWidget(cmdGuardar);
    botones->addWidget(cmdCancelar);
    auto *raiz = new QVBoxLayout(this);
    raiz->addLayout(campos);
    raiz->addWidget(lblEstado);
    raiz->addLayout(botones);
    setMinimumWidth(460);

    connect(cmdProbar, &QPushButton::clicked, this, [this] { Probar(); });
    connect(cmdGuardar, &QPushButton::clicked, this, &frmConexionDirecta::Guardar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmConexionDirecta::Probar()
{
    host::BasesDD bases;
    bases.cRuta = txtServidor->text().trimmed();
    bases.cPuerto = txtPuerto->text().trimmed();
    bases.cUsuario = txtUsuario->text();
    bases.cPassword = txtContrasena->text();
    bases.nEsperaSegundos = 10;
    const QString base = cboBase->currentText().trimmed();
    host::Conexion cn;
    cn.setSegundosParaConectar(10);
    QString motivo;
    if (!bases.AbrirBdD(cn, base, &motivo)) {
        lblEstado->setText(motivo);
        return false;
    }
    // What the user may choose from: the server's own schemas hold no point of sale.
    QStringList vistas;
    try {
        QSqlQuery q(cn.bd());
        cn.Ejecutar(q, QStringLiteral("SHOW DATABASES"));
        while (q.next())
            if (!config::EsBaseDelServidor(q.value(0).toString()))
                vistas << q.value(0).toString();
    } catch (const host::Error &e) {
        motivo = e.texto();
    }
    bases.CierraBdD(cn);
    cboBase->clear();
    cboBase->addItems(vistas);
    cboBase->setEditText(base);
    lblEstado->setText(QStringLiteral("Conexión correcta con el servidor «%1», puerto %2.").arg(bases.cRuta, bases.cPuerto)
                       + (vistas.isEmpty() ? QStringLiteral(" No se ve ninguna base de datos de un punto de venta.")
                                           : QStringLiteral(" Bases de datos que puede usar: %1.").arg(vistas.join(QStringLiteral(", "))))
                       + (motivo.isEmpty() ? QString() : QLatin1Char('\n') + motivo));
    return true;
}

void frmConexionDirecta::Guardar()
{
    const QString base = cboBase->currentText().trimmed();
    if (base.isEmpty() || config::EsBaseDelServidor(base)) {
        lblEstado->setText(base.isEmpty() ? QStringLiteral("Escriba o elija la base de datos del punto de venta.")
                                          : config::MensajeBaseDelServidor(base));
        return;
    }
    // Only what connects is kept: a wrong password is said now, not at the next start.
    if (!Probar())
        return;
    host::LibKVRS lib;
    QString motivo;
    const config::ConexionDirecta c{txtServidor->text().trimmed(), txtPuerto->text().trimmed(), txtUsuario->text(),
                                    txtContrasena->text(), base};
    if (!config::GuardarConexionDirecta(lib, archivoConfig_, c, &motivo)) {
        lblEstado->setText(motivo);
        return;
    }
    accept();
}

bool PedirConexionDirecta(const QString &archivoConfig)
{
    frmConexionDirecta dialogo(archivoConfig, Programa().ventanaPrincipal.data());
    return dialogo.exec() == QDialog::Accepted;
}

} // namespace ui

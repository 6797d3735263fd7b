#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// The first start's way to a server when the point of sale is not installed: server, port, user,
// password and database. "Probar conexión" connects as a run does and says in Spanish what
// happened, listing the databases the user may see; "Guardar" connects first and, only when that
// works, writes the values into the configuration file's own section (config::ConexionDirecta) and
// closes with Accepted.
class frmConexionDirecta : public QDialog {
    Q_OBJECT
public:
    explicit frmConexionDirecta(const QString &archivoConfig, QWidget *padre = nullptr);

    // Tries the values typed; true when the server took them. What happened is in lblEstado.
    bool Probar();
    void Guardar();

    QLineEdit *txtServidor = nullptr;
    QLineEdit *txtPuerto = nullptr;
    QLineEdit *txtUsuario = nullptr;
    QLineEdit *txtContrasena = nullptr;
    QComboBox *cboBase = nullptr;
    QLabel *lblEstado = nullptr;
    QPushButton *cmdProbar = nullptr;
    QPushButton *cmdGuardar = nullptr;
    QPushButton *cmdCancelar = nullptr;

private:
    QString archivoConfig_;
};

// Shows the dialog over the main window; true once it saved the connection.
bool PedirConexionDirecta(const QString &archivoConfig);

} // namespace ui

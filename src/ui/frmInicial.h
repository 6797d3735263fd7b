#pragma once

#include "Conexion.h"
#include "VistaProceso.h"

#include <QDate>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace host {
class BasesDD;
class DelRegistro;
class LibKVRS;
} // namespace host

namespace ui {

class BotonDegradado;
class ImagenVentana;
class PanelDesenlace;
class frmDescripcion;

// The program's working window: collects one report request, runs it and shows its progress.
class frmInicial : public QWidget, public engine::VistaProceso {
    Q_OBJECT
public:
    // The request handed to the report engine, in the order of its arguments.
    struct SolicitudReporte {
        QDate dtInicial;
        QDate dtFinal;
        QString stArchivo;
        QString stCliente;
        bool blSonCtes = true;
        bool blTodosLosPagos = false;
    };
    using Lanzador = std::function<void(frmInicial &, SolicitudReporte &)>;
    using Configurador = std::function<bool(host::LibKVRS &, host::DelRegistro &, host::BasesDD &,
                                            const QString &archivoConfig, bool leerBase)>;

    // What the window takes from outside; every empty member gets the program's own.
    struct Opciones {
        Configurador configurar;                 // config::CargarConfiguracion
        Lanzador lanzar;                         // runs a clsRepIEPS
        std::function<bool()> modoDesarrollo;    // config::ModoDesarrollo
        QString archivoConfig;                   // config::RutaConfiguracion()
        QString carpeta;                         // config::CarpetasDeEstePrograma().salida
    };

    explicit frmInicial(Opciones opciones = {});
    ~frmInicial() override;

    // Start-up. False when the configuration could not be loaded: the program must end without
    // showing the window (the reason was already shown).
    bool Cargar();
    // Shows the window centred on its screen.
    void MostrarCentrada();

    // Empties the party key and sets its caption and the default file name for customers or
    // suppliers.
    void AjustaTipoTercero();
    // Launches a report with what the inputs hold ("Procesar").
    void Procesar();
    // The description window, loaded (unseen) if it is not.
    frmDescripcion *Descripcion();
    // Asks the window to close as the program's own close does (close image, Alt+F4).
    void SolicitarCierre();

    bool enProceso() const { return enProceso_; }
    host::Conexion &conexion() { return cn_; }
    // The party look-up's own connection: it gives up quickly, and after a failure no new try is
    // made for esperaTrasFallo milliseconds (30 s), so typing is never held up by a silent server.
    host::Conexion &conexionBusqueda() { return cnBusqueda_; }
    void setEsperaTrasFalloDeBusqueda(int milisegundos) { esperaTrasFallo_ = milisegundos; }
    static constexpr int SegundosParaConectarBusqueda = 3;
    const QString &carpeta() const { return carpeta_; }
    bool modoDesarrollo() const;
    // The program's version, "2.2.0", and its title text, "   v 2.2.0".
    static QString Version();
    static QString TextoVersion();

    // VistaProceso
    void TextoProceso(const QString &texto) override;
    void VerProceso(bool visible) override;
    void ProcesarEventos() override;
    bool PorLineaDeProductos() const override;
    void Avance(int hechos, int total) override;

    // Inputs, in focus order, and the display elements.
    QLineEdit *mskFecha[2] = {};
    QLineEdit *txtDato[2] = {};
    QRadioButton *optCtes = nullptr;
    QRadioButton *optProvs = nullptr;
    QRadioButton *optProcesar[2] = {};
    QCheckBox *chkTodos = nullptr;
    QPushButton *cmdProcesar = nullptr;
    QLabel *lblEtiq[4] = {};
    QLabel *lblMuestra = nullptr;
    QLabel *lblCliente = nullptr;
    QLabel *lblProceso = nullptr;
    QProgressBar *barAvance = nullptr;
    QFrame *Frame1 = nullptr;
    // The outcome of the last run, where the progress was shown.
    PanelDesenlace *panelDesenlace = nullptr;

    // Chrome, made at start-up.
    ImagenVentana *MinimizarVentana = nullptr;
    ImagenVentana *CerrarVentana = nullptr;
    BotonDegradado *RestaurarForma = nullptr;
    ImagenVentana *imgLogoVentana = nullptr;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void construir();
    void ajustarTamano();
    void crearCromo();
    void buscarTercero();
    bool teclaDeCampo(QWidget *campo, QKeyEvent *e);
    void reglaDeFecha(QLineEdit *caja);
    void reglaDeTexto(QLineEdit *caja);
    void bloquear(bool enCurso);
    void ejecutarMotor(SolicitudReporte &s);
    void descargar();
    QString filtroDe(QObject *campo) const;

    Opciones opciones_;
    QString carpeta_;
    QString lineaCarpetas_; // where the outputs go, when it is not beside the program
    host::Conexion cn_;
    host::Conexion cnBusqueda_;
    QElapsedTimer desdeFalloBusqueda_; // valid while the look-up waits after a failure
    int esperaTrasFallo_ = 30000;
    QWidget *contenido_ = nullptr;
    QPointer<frmDescripcion> descripcion_;
    bool cargada_ = false;
    bool descargada_ = false;
    bool enProceso_ = false;
    enum class Cierre { Ninguno, DelGestor, Propio };
    Cierre cierrePendiente_ = Cierre::Ninguno;
    bool cierrePropio_ = false;
};

} // namespace ui

#pragma once

#include "Desenlace.h"
#include "HiloPropio.h"

#include <QDate>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;

namespace config {
struct Trimestre;
} // namespace config

namespace host {
class BasesDD;
class DelRegistro;
class LibKVRS;
} // namespace host

namespace ui {

class BotonDegradado;
class BusquedaDeTercero;
class CorridaEnHilo;
class ImagenVentana;
class PanelDesenlace;
class VentanaEspera;
class frmDescripcion;

// The program's working window: collects one report request, runs it in a worker thread
// (CorridaEnHilo) and shows its progress, a wait window that can cancel it, and its outcome.
// The window keeps repainting, moving and answering "Cancelar" whatever the server does; during
// a run its inputs, the logo menu, F1 and the double click do nothing.
class frmInicial : public QWidget {
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
        Lanzador lanzar;                         // starts a clsRepIEPS in its thread
        std::function<bool()> modoDesarrollo;    // config::ModoDesarrollo
        QString archivoConfig;                   // config::RutaConfiguracion()
        QString carpeta;                         // config::CarpetasDeEstePrograma().salida
    };

    explicit frmInicial(Opciones opciones = {});
    ~frmInicial() override;

    // Start-up. False when the configuration could not be loaded: the program must end without
    // showing the window (the reason was already shown).
    bool Cargar();
    // Shows the window centred on its screen, inside its available area; on a screen too small for
    // it the window takes the area and its contents scroll.
    void MostrarCentrada();

    // Empties the party key and sets its caption and the default file name for customers or
    // suppliers.
    void AjustaTipoTercero();
    // Launches a report with what the inputs hold ("Procesar"), after checking the dates, the
    // period and the file name.
    void Procesar();
    // Stops the run in progress ("Cancelar" of the wait window, Escape): at its next row, and
    // the server's statement with it. A server that answers not even that is left behind after
    // SegundosParaCancelar: the window is free again and says "Proceso cancelado".
    void Cancelar();
    static constexpr int SegundosParaCancelar = 2;
    // The wait window of a run (Cancelar, the server's silence).
    VentanaEspera *ventanaEspera() const { return espera_; }
    // When the server has been silent this long, the wait window says for how long.
    static constexpr int SegundosAntesDeAvisarEspera = 5;
    // The description window, loaded (unseen) if it is not.
    frmDescripcion *Descripcion();
    // Asks the window to close as the program's own close does (close image, Alt+F4).
    void SolicitarCierre();

    bool enProceso() const { return enProceso_; }
    // The party look-up: off the window's thread, the newest key wins; after a failure no new
    // try is made for esperaTrasFallo milliseconds (30 s).
    BusquedaDeTercero &busqueda() { return *busqueda_; }
    void setEsperaTrasFalloDeBusqueda(int milisegundos) { esperaTrasFallo_ = milisegundos; }
    bool modoDesarrollo() const;

    // Whether "Por línea de productos" is selected: what a run started now classifies by.
    bool PorLineaDeProductos() const;

    // Inputs, in focus order, and the display elements.
    QLineEdit *mskFecha[2] = {};
    QLineEdit *txtDato[2] = {};
    QRadioButton *optCtes = nullptr;
    QRadioButton *optProvs = nullptr;
    QRadioButton *optProcesar[2] = {};
    QCheckBox *chkTodos = nullptr;
    QPushButton *cmdProcesar = nullptr;
    // Beside the dates: the last eight quarters, the latest that has ended first; one fills both dates.
    QPushButton *cmdTrimestre = nullptr;
    QMenu *mnTrimestres = nullptr;
    QLabel *lblEtiq[4] = {};
    QLabel *lblMuestra = nullptr;
    QLabel *lblCliente = nullptr;
    QLabel *lblProceso = nullptr;
    // Under the dates: why a date box was given today's date.
    QLabel *lblAvisoFecha = nullptr;
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
    // The widgets, made once (frmInicial.cpp).
    void construir();
    void ponerAccesibilidad();
    void ajustarTamano();
    // The quarter button and its list (frmInicialTrimestres.cpp).
    void construirTrimestres(QGridLayout *rejilla, int fila, int columna);
    void elegirTrimestre(const config::Trimestre &t);
    // The inputs and their rules (frmInicialEntradas.cpp).
    void iniciarEntradas();
    void buscarTercero();
    void terceroEncontrado(int numero, const QString &nombre, bool sinConexion);
    void mostrarTercero(const QString &nombre, bool sinConexion);
    void avisarBajo(QWidget *caja, const QString &aviso);
    void reglaDeFecha(QLineEdit *caja);
    void reglaDeTexto(QLineEdit *caja);
    bool teclaDeCampo(QWidget *campo, QKeyEvent *e);
    // The request the inputs hold. When a date, the period or the file name does not stand, or the
    // user would not replace the report of that name: false, a box has said why, and the cursor is
    // in the box at fault.
    bool leerSolicitud(SolicitudReporte &s);
    // The run, its view and its outcome (frmInicialCorrida.cpp).
    void iniciarCorrida(SolicitudReporte &s);
    void revisarCorrida();
    void mostrarProgreso();
    void corridaTerminada();
    void terminarCorrida(const Desenlace *d);
    void entradaCambiada();
    void bloquear(bool enCurso);
    // The chrome and the close (frmInicialCromo.cpp).
    void crearCromo();
    void descargar();

    Opciones opciones_;
    QString carpeta_;
    QString lineaCarpetas_; // where the outputs go, when it is not beside the program
    BusquedaDeTercero *busqueda_ = nullptr;
    int numeroBusqueda_ = 0;
    QElapsedTimer desdeFalloBusqueda_; // valid while the look-up waits after a failure
    // The run; the window waits for it at most two seconds when it closes in the middle of one.
    HiloPropio<CorridaEnHilo> corrida_{nullptr, FinDeHilo{2000}};
    VentanaEspera *espera_ = nullptr;
    QTimer *reloj_ = nullptr;        // looks at the run while it lasts
    QTimer *relojAvisoFecha_ = nullptr;
    QElapsedTimer desdeCancelacion_; // valid once a cancel was asked for
    int esperaTrasFallo_ = 30000;
    QWidget *contenido_ = nullptr;
    QScrollArea *desplazable_ = nullptr; // holds contenido_: it scrolls on a screen too small for it
    QPointer<frmDescripcion> descripcion_;
    bool cargada_ = false;
    bool descargada_ = false;
    bool enProceso_ = false;
    enum class Cierre { Ninguno, DelGestor, Propio };
    Cierre cierrePendiente_ = Cierre::Ninguno;
    bool cierrePropio_ = false;
};

} // namespace ui

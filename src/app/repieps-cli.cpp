// The command-line program: the same report as the desktop window, for scheduled and scripted
// runs. Exit status: 0 report written, 1 the run failed, 2 bad usage, 3 no payment qualified,
// 4 another run holds the database.
#include "BasesDD.h"
#include "Cancelacion.h"
#include "ComparacionDeReportes.h"
#include "Conexion.h"
#include "Configuracion.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "Hoy.h"
#include "LibKVRS.h"
#include "LibroExcel.h"
#include "OpcionesCli.h"
#include "PdfDelResumen.h"
#include "ResumenDeReporte.h"
#include "TextosDeQt.h"
#include "TextosDelFinal.h"
#include "Version.h"
#include "clsRepIEPS.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

enum Salida { Correcto = 0, Fallo = 1, UsoIncorrecto = 2, SinPagos = 3, BaseOcupada = 4 };

// Ctrl+C or a termination request: the run stops at its next row and the server's statement is
// ended (see host::Cancelacion); a second one ends the program at once.
std::atomic<bool> senalRecibida{false};

extern "C" void AlRecibirSenal(int senal)
{
    if (senalRecibida.exchange(true)) {
        std::signal(senal, SIG_DFL);
        std::raise(senal);
    }
}

// Progress of the run: a bar on stderr when it is a terminal, nothing otherwise.
class VistaConsola : public engine::VistaProceso {
public:
    explicit VistaConsola(const host::Cancelacion &cancelacion)
        : cancelacion_(cancelacion)
        , terminal_(isatty(fileno(stderr)))
    {
        reloj_.start();
    }
    ~VistaConsola() override { terminar(); }

    void TextoProceso(const QString &) override {}
    void VerProceso(bool) override {}
    void ProcesarEventos() override { cancelacion_.Comprobar(); }
    bool Cancelado() const override { return cancelacion_.pedida(); }
    void Avance(int hechos, int total) override
    {
        if (!terminal_ || total <= 0)
            return;
        if (hechos != total && ultimo_.isValid() && ultimo_.elapsed() < 100)
            return;
        ultimo_.start();
        const int ancho = 30;
        const int lleno = int(qint64(ancho) * hechos / total);
        const qint64 s = reloj_.elapsed() / 1000;
        std::fprintf(stderr, "\r[%s%s] %d/%d pagos  %02lld:%02lld", QByteArray(lleno, '#').constData(),
                     QByteArray(ancho - lleno, ' ').constData(), hechos, total, s / 60, s % 60);
        std::fflush(stderr);
        dibujado_ = true;
    }
    void terminar()
    {
        if (dibujado_) {
            std::fputc('\n', stderr);
            dibujado_ = false;
        }
    }

private:
    const host::Cancelacion &cancelacion_;
    bool terminal_;
    bool dibujado_ = false;
    QElapsedTimer reloj_;
    QElapsedTimer ultimo_;
};

QtMessageHandler avisosDeQt = nullptr;

// While the GUI application starts, Qt's remarks about the desktop session ("XDG_RUNTIME_DIR not
// set" under cron) mean nothing to a program that opens no window: they stay off the console.
// Errors still reach it.
void SinNotasDeArranque(QtMsgType tipo, const QMessageLogContext &contexto, const QString &texto)
{
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
        avisosDeQt(tipo, contexto, texto);
}

// --pdf draws the summary's text, which takes a GUI application (fonts, QPdfWriter): then one on
// the offscreen platform, which needs no display, unless the user chose a platform (Windows' own
// needs no display either). Without --pdf, the plain application as always.
std::unique_ptr<QCoreApplication> Aplicacion(int &argc, char **argv)
{
    QStringList argumentos;
    for (int i = 1; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    if (!config::OpcionDada(argumentos, "--pdf"))
        return std::make_unique<QCoreApplication>(argc, argv);
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    avisosDeQt = qInstallMessageHandler(SinNotasDeArranque);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(avisosDeQt);
    return app;
}

#ifdef Q_OS_WIN
// The program writes UTF-8. A Windows console shows its own code page (850 in Mexico), where
// "bitácora" would come out garbled: while the program runs the console reads UTF-8, and it gets
// its code page back when the program ends. Pipes and files get the same UTF-8 as on Linux.
class ConsolaUtf8 {
public:
    ConsolaUtf8() : anterior_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~ConsolaUtf8() { SetConsoleOutputCP(anterior_); }
    ConsolaUtf8(const ConsolaUtf8 &) = delete;
    ConsolaUtf8 &operator=(const ConsolaUtf8 &) = delete;

private:
    UINT anterior_;
};
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    const ConsolaUtf8 consola;
#endif
    const std::unique_ptr<QCoreApplication> aplicacion = Aplicacion(argc, argv);
    QCoreApplication &app = *aplicacion;
    // The desktop program's name, so that both find the same user folders.
    QCoreApplication::setApplicationName(QStringLiteral("repieps"));
    // Qt's own texts in Spanish, as in the window (without the file, English).
    config::CargarTextosDeQt();
    QTextStream err(stderr);
    QTextStream out(stdout);

    config::OpcionesCli op;
    QString error;
    if (!config::LeerOpcionesCli(app.arguments().mid(1), op, &error)) {
        err << error << Qt::endl << "Use --help para ver las opciones." << Qt::endl;
        return UsoIncorrecto;
    }
    if (op.ayuda) {
        out << config::AyudaCli();
        return Correcto;
    }
    if (op.version) {
        out << config::LineaDeVersion() << Qt::endl;
        return Correcto;
    }

    // The earlier report is read before the run, which may replace it, and a wrong one stops it.
    engine::ResumenDeReporte anterior;
    if (!op.comparar.isEmpty()) {
        if (engine::LeerReporteAnterior(op.comparar, anterior, &error))
            error = engine::MotivoDeLadosDistintos(anterior.tipo, op.proveedores ? QStringLiteral("P") : QStringLiteral("C"));
        if (!error.isEmpty()) {
            err << error << Qt::endl << "Use --help para ver las opciones." << Qt::endl;
            return UsoIncorrecto;
        }
    }

    // Once the run is cancelled, its boxes say nothing: the program says "Proceso cancelado".
    host::DialogosConsola dialogos(&senalRecibida);
    host::Dialogos::instalar(&dialogos);

    host::BasesDD bases;
    if (!op.servidor.isEmpty()) {
        bases.cRuta = op.servidor;
        bases.cPuerto = op.puerto.isEmpty() ? config::PuertoPorDefecto() : op.puerto;
        bases.cUsuario = op.usuario.isEmpty() ? config::UsuarioPorDefecto() : op.usuario;
        bases.cPassword = qEnvironmentVariable("REPIEPS_PASSWORD");
        bases.cMiBase = op.base.isEmpty() ? config::BasePrincipalPorDefecto() : op.base;
        bases.nEsperaSegundos = config::EsperaPorDefecto;
    } else {
        host::LibKVRS lib;
        host::DelRegistro registro;
        if (!config::CargarConfiguracion(lib, registro, bases, config::ArchivoDeConfiguracion(op), true))
            return Fallo;
        // The installation's settings file is known now, still before any connection.
        if (!config::ComprobarSalidasCli(op, registro.archivo(), &error)) {
            err << error << Qt::endl << "Use --help para ver las opciones." << Qt::endl;
            return UsoIncorrecto;
        }
        if (!op.base.isEmpty())
            bases.cMiBase = op.base;
        if (config::EsBaseDelServidor(bases.cMiBase)) {
            // The same wrong use as --base naming it, whichever of the two named it.
            err << config::MensajeBaseDelServidor(bases.cMiBase) << Qt::endl;
            return UsoIncorrecto;
        }
    }

    host::Conexion cn;
    const QString carpeta = config::CarpetaDeSalida(op);
    QString archivo = config::NombreDelReporte(op);

    QElapsedTimer reloj;
    reloj.start();
    host::Cancelacion cancelacion(bases, cn);
    std::signal(SIGINT, AlRecibirSenal);
    std::signal(SIGTERM, AlRecibirSenal);
    cancelacion.Vigilar(&senalRecibida);
    VistaConsola vista(cancelacion);
    engine::clsRepIEPS reporte(bases, cn, vista, carpeta);
    reporte.setTituloAplicacion(QStringLiteral("repieps"));
    reporte.setPorLineaDeProductos(!op.porCategoria);
    if (op.porRenglon)
        reporte.setLectura(engine::clsRepIEPS::Lectura::PorRenglon);
    reporte.setLista69B(op.lista69B, config::Hoy());
    // What went wrong was told through the dialogs; the ending gives the exit code.
    const auto resultado = reporte.ProcesarReporte(op.desde, op.hasta, archivo, op.clave, !op.proveedores,
                                                   op.todosLosPagos);
    vista.terminar();
    cancelacion.Detener();
    const double segundos = reloj.nsecsElapsed() / 1e9;

    if (op.estadisticas)
        err << "pagos=" << reporte.pagosProcesados() << " lineas=" << reporte.lineasProcesadas()
            << " consultas=" << cn.consultas() << " segundos=" << QString::number(segundos, 'f', 3) << " lectura="
            << (reporte.lecturaUsada() == engine::clsRepIEPS::Lectura::PorPeriodo ? "periodo" : "renglon") << Qt::endl;
    if (op.estadisticas && !reporte.motivoLectura().isEmpty())
        err << "Se leyó renglón por renglón: " << reporte.motivoLectura() << Qt::endl;
    if (op.estadisticas)
        for (const QString &duda : reporte.dudasDeLectura())
            err << "Se leyó aparte: " << duda << Qt::endl;

    bases.CierraBdD(cn);
    if (senalRecibida.load() && resultado != engine::clsRepIEPS::Resultado::Completo) {
        err << engine::TextoDelCancelado(QString()) << Qt::endl;
        return Fallo;
    }
    switch (resultado) {
    case engine::clsRepIEPS::Resultado::Completo:
        out << "Reporte: " << archivo << Qt::endl << "Log: " << QDir::toNativeSeparators(reporte.rutaLog()) << Qt::endl;
        if (!reporte.rutaRevision().isEmpty()) {
            // The review's summary: how many findings of each kind, and where they are.
            const QList<engine::HallazgosDeUnTipo> tipos = engine::ContarPorTipo(reporte.hallazgos());
            err << "Revisión: " << (tipos.isEmpty() ? QStringLiteral("sin hallazgos")
                                                     : QStringLiteral("%1 hallazgos").arg(reporte.hallazgos().size()))
                << " en " << QDir::toNativeSeparators(reporte.rutaRevision()) << Qt::endl;
            for (const engine::HallazgosDeUnTipo &t : tipos)
                err << "  " << t.todos << "  " << t.tipo << Qt::endl;
        }
        // A list that could not be used changes nothing of the run's ending.
        if (!reporte.motivoLista69B().isEmpty())
            err << reporte.motivoLista69B() << Qt::endl;
        // The files stay and the exit status is 0: they are what the database holds, and the
        // review tells what went nowhere.
        if (!reporte.avisoDeReporteVacio().isEmpty())
            err << reporte.avisoDeReporteVacio() << Qt::endl;
        if (!reporte.avisoDeMomento().isEmpty())
            err << reporte.avisoDeMomento() << Qt::endl;
        if (op.resumen || !op.excel.isEmpty() || !op.pdf.isEmpty() || !op.comparar.isEmpty()) {
            // What was filed, read back from the file just written.
            engine::ResumenDeReporte resumen;
            QString motivo;
            if (!engine::LeerResumenDeArchivo(archivo, resumen, &motivo)) {
                err << motivo << Qt::endl;
                return Fallo;
            }
            engine::ContarHallazgos(resumen, reporte.hallazgos());
            if (op.resumen)
                out << Qt::endl << engine::ResumenComoTexto(resumen);
            engine::ComparacionDeReportes comparacion;
            if (!op.comparar.isEmpty()) {
                if (!engine::CompararReportes(anterior, resumen, comparacion, &motivo)) {
                    err << motivo << Qt::endl;
                    return Fallo;
                }
                out << Qt::endl << engine::ComparacionComoTexto(comparacion, op.comparar);
            }
            const engine::DatosDeCorrida corrida{engine::TextoDelPeriodo({op.desde, op.hasta, !op.proveedores}),
                                                 bases.cMiBase, QDateTime::currentDateTime()};
            if (!op.excel.isEmpty()) {
                const QString libro = QFileInfo(op.excel).absoluteFilePath();
                // The run's own detail, beside the report it just wrote.
                engine::DetalleDelReporte detalle;
                const bool conDetalle =
                    engine::CargarDetalle(archivo, resumen, detalle, nullptr) == engine::EstadoDelDetalle::Corresponde;
                if (!engine::EscribirLibroExcel(libro, resumen, reporte.hallazgos(), archivo, corrida, &motivo,
                                                conDetalle ? &detalle : nullptr,
                                                op.comparar.isEmpty() ? nullptr : &comparacion, op.comparar)) {
                    err << motivo << Qt::endl;
                    return Fallo;
                }
                out << "Libro de Excel: " << QDir::toNativeSeparators(libro) << Qt::endl;
            }
            if (!op.pdf.isEmpty()) {
                const QString pdf = QFileInfo(op.pdf).absoluteFilePath();
                if (!engine::EscribirPdfDelResumen(pdf, resumen, reporte.hallazgos(), archivo, corrida, &motivo)) {
                    err << motivo << Qt::endl;
                    return Fallo;
                }
                out << "PDF: " << QDir::toNativeSeparators(pdf) << Qt::endl;
            }
        }
        return Correcto;
    case engine::clsRepIEPS::Resultado::Ocupada:
        return BaseOcupada; // the engine said why; a scheduled script can try again later
    case engine::clsRepIEPS::Resultado::SinPagos:
        err << engine::TextoDelFinal(resultado, QString()) << Qt::endl;
        return SinPagos;
    default:
        // The earlier report, log and review are as they were; what this run logged is beside them.
        if (!reporte.rutaLog().isEmpty() && QFileInfo::exists(reporte.rutaLog()))
            err << "Log del proceso fallido: " << QDir::toNativeSeparators(reporte.rutaLog()) << Qt::endl;
        return Fallo;
    }
}

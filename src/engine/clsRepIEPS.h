#pragma once

#include "Clasificacion.h"
#include "NucleoDeProrrateo.h"
#include "Registros.h"
#include "Revision.h"
#include "RevisionDe69B.h"
#include "RevisionDeRepetidos.h"
#include "VistaProceso.h"

#include <QDate>
#include <QString>

#include <memory>

namespace host {
class ArchivoDeSalida;
class BasesDD;
class Conexion;
} // namespace host

namespace engine {

class Acumulador;
class ArchivoLog;
class FuenteDeRenglones;
class RastroDeDetalle;
class Tramo;
struct Pago;

// One special IEPS report: selects the payments of a date range, prorates the IEPS, IVA,
// quantity and amount of every invoice or purchase line they paid, sums them per party in the
// work table tmptempoieps, and writes the report of the fifty largest parties and a log.
class clsRepIEPS {
public:
    enum class Resultado {
        SinEjecutar,
        Completo,    // the report was written
        SinPagos,    // no payment qualified: no log, no report
        SinConexion, // the database could not be opened
        Ocupada,     // another run holds the database's work table
        Error,       // an error ended the run
    };

    // How a run fetches its rows. Both give the same log, report and ending; they differ only in
    // the statements sent to the server.
    enum class Lectura {
        PorPeriodo, // the payments' links, documents and lines read ahead in batches (the default)
        PorRenglon, // one statement per payment, document, line and group (the reference)
    };

    // carpeta: where the report and the log are written (the program's folder for the window).
    clsRepIEPS(host::BasesDD &bases, host::Conexion &cn, VistaProceso &vista, const QString &carpeta);
    ~clsRepIEPS();

    // One complete run, and how it ended; when it is Error, SinConexion or Ocupada, the Spanish
    // text of why in *error (the user was told through the dialogs). After it, stArchivo holds the
    // report's full path when the log was opened.
    Resultado ProcesarReporte(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo,
                              const QString &stCliente, bool blSonCtes, bool blTodosLosPagos, QString *error = nullptr);

    // The last run's ending and its text (after a complete run, a clean-up that failed), for
    // whoever shows the run afterwards: the window's outcome.
    Resultado resultado() const { return estado_.resultado; }
    const QString &mensajeError() const { return estado_.mensajeError; }
    // The log's full path (set once the log was opened): "Log" + the report's name after a run
    // that wrote its report, "LogFallo" + the report's name, what was logged until the failure,
    // after a run that ended in an error (the earlier log, report and review stay as they were).
    const QString &rutaLog() const { return estado_.rutaLog; }
    // Products missing from the catalogue, one entry per detail line, in the order met.
    const QStringList &productosInexistentes() const { return estado_.inexistentes; }
    // What the review found after a run that wrote its report, and the file it was written to.
    const QList<Hallazgo> &hallazgos() const { return estado_.hallazgos; }
    const QString &rutaRevision() const { return estado_.rutaRevision; }
    // After a run that wrote its report from tables that cannot be read in one moment (MyISAM,
    // Aria, MEMORY...), the sentence that says so for its outcome (empty otherwise).
    const QString &avisoDeMomento() const { return estado_.avisoDeMomento; }
    int pagosProcesados() const { return estado_.pagos; }
    // Different RFCs written in the report, byte for byte.
    int rfcsEnElReporte() const { return estado_.rfcsEscritos; }
    int lineasProcesadas() const { return estado_.lineas; }
    // After a run that wrote an empty report while payments applied to documents that do not
    // exist or have no lines: a Spanish sentence that says so (empty otherwise).
    QString avisoDeReporteVacio() const;

    // The way of reading asked for the next runs (PorPeriodo unless told otherwise).
    void setLectura(Lectura lectura) { lectura_ = lectura; }
    // Payments read ahead per batch by the whole-period reading (tests use small batches).
    void setPagosPorLote(int pagos) { pagosPorLote_ = pagos > 0 ? pagos : 1; }
    // Whether the next runs take the clave genérica from the name of the product line ("Por
    // línea de productos", the default) or from the product's IEPS category.
    void setPorLineaDeProductos(bool porLinea) { porLinea_ = porLinea; }
    // The way the last run read its rows, and why it read row by row when asked to read whole
    // periods (empty otherwise): the database does not guarantee the same rows in the same order.
    Lectura lecturaUsada() const { return estado_.lecturaUsada; }
    const QString &motivoLectura() const { return estado_.motivoLectura; }
    // What the last run, reading whole periods, read again with the per-row statements because
    // the rows that came back left their order or uniqueness in doubt (empty when nothing).
    QStringList dudasDeLectura() const;

    // The 69-B list the next runs check their parties against (a CSV file; empty: none), and why
    // the last run could not use the one given (empty when it could, or none was given).
    void setLista69B(const QString &ruta, const QDate &hoy)
    {
        rutaLista69B_ = ruta;
        hoy_ = hoy;
    }
    const QString &motivoLista69B() const { return estado_.lista69B.motivo(); }

    // Title of the missing-products box.
    void setTituloAplicacion(const QString &titulo) { titulo_ = titulo; }

private:
    void ejecutar(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo, const QString &stCliente);
    void elegirLectura();
    void ProcesarPago(int indice, const Pago &pago);
    void ProcesarDetalle(const Pago &pago, const QVariant &cantidadAnexo, const QVariant &totalDocumento, Parte &parte,
                         const Tramo &detalle);
    // A link whose amount went nowhere (documento: "Factura con Id 7", "Factura A77").
    void anotarPerdido(Revision::Dato dato, const Pago &pago, const QString &documento, const QVariant &cantidad);
    // Hands the notes of the line's arithmetic to the review.
    void anotar(const Pago &pago, const NotasDelProrrateo &notas);
    void CrearTablaTemporal();
    void buscarTablasSinInstantanea();
    // Where a run past its payment loop stops when it was cancelled.
    void comprobarCancelacion();
    QString lineaDePago(const Pago &pago) const;
    void escribirLog(const QString &linea);
    void cierre(bool soltarTabla);

    host::BasesDD &bases_;
    host::Conexion &cn_;
    VistaProceso &vista_;
    QString carpeta_;
    QString titulo_;


    host::Registros rsPagos_, rsTemporal_;
    std::unique_ptr<FuenteDeRenglones> fuente_;
    std::unique_ptr<Acumulador> acumulador_;
    std::unique_ptr<ArchivoLog> log_;
    std::unique_ptr<RastroDeDetalle> rastro_; // the detail beside the report

    Lectura lectura_ = Lectura::PorPeriodo;
    int pagosPorLote_ = 5000;
    bool porLinea_ = true;
    QString rutaLista69B_;
    QDate hoy_; // for the age of the 69-B list

    // What one run finds and sums; every run starts from a fresh one.
    struct EstadoDeCorrida {
        Resultado resultado = Resultado::SinEjecutar;
        QString mensajeError;
        bool blSonCtes = true;
        bool blTodosLosPagos = false;
        bool porLinea = true;
        Lectura lecturaUsada = Lectura::PorRenglon;
        QString motivoLectura;
        QString rutaLog;
        bool bloqueada = false; // this run holds the database's work table
        QString juegoRfc;       // character set of the work table's RFC column
        QString stLista;        // missing products, each followed by CR LF
        QStringList inexistentes;
        Claves claves; // of the last detail line that had a product line
        Revision revision;
        RevisionDeRepetidos repetidos;
        RevisionDe69B lista69B;
        QSet<QString> rfcsDelReporte; // as written in the report, in capitals
        int rfcsEscritos = 0;         // set by the report's writing
        QList<Hallazgo> hallazgos;
        QString rutaRevision;
        QString avisoDeMomento;
        int pagos = 0;
        int lineas = 0;
        int perdidos = 0; // links whose amount went nowhere
    };
    EstadoDeCorrida estado_;
};

} // namespace engine

#pragma once

#include "Registros.h"
#include "Revision.h"
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

    // Collapses runs of blanks of a trimmed text (six passes, pairs do not overlap).
    static QString QuitarEspaciosDobles(const QString &stCadena);

    // One complete run, and how it ended; when it is Error, SinConexion or Ocupada, the Spanish
    // text of why in *error (the user was told through the dialogs). After it, stArchivo holds the
    // report's full path when the log was opened.
    Resultado ProcesarReporte(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo,
                              const QString &stCliente, bool blSonCtes, bool blTodosLosPagos, QString *error = nullptr);

    // The last run's ending and its text (after a complete run, a clean-up that failed), for
    // whoever shows the run afterwards: the window's outcome.
    Resultado resultado() const { return resultado_; }
    const QString &mensajeError() const { return mensajeError_; }
    // The log's full path (set once the log was opened): "Log" + the report's name after a run
    // that wrote its report, "LogFallo" + the report's name, what was logged until the failure,
    // after a run that ended in an error (the earlier log, report and review stay as they were).
    const QString &rutaLog() const { return rutaLog_; }
    // Products missing from the catalogue, one entry per detail line, in the order met.
    const QStringList &productosInexistentes() const { return inexistentes_; }
    // What the review found after a run that wrote its report, and the file it was written to.
    const QList<Hallazgo> &hallazgos() const { return hallazgos_; }
    const QString &rutaRevision() const { return rutaRevision_; }
    // After a run that wrote its report from tables that cannot be read in one moment (MyISAM,
    // Aria, MEMORY...), the sentence that says so for its outcome (empty otherwise).
    const QString &avisoDeMomento() const { return avisoDeMomento_; }
    int pagosProcesados() const { return pagos_; }
    // Different RFCs written in the report, byte for byte.
    int rfcsEnElReporte() const { return rfcsEscritos_; }
    int lineasProcesadas() const { return lineas_; }
    // After a run that wrote an empty report while payments applied to documents that do not
    // exist or have no lines: a Spanish sentence that says so (empty otherwise).
    QString avisoDeReporteVacio() const;

    // The way of reading asked for the next runs (PorPeriodo unless told otherwise).
    void setLectura(Lectura lectura) { lectura_ = lectura; }
    // Payments read ahead per batch by the whole-period reading (tests use small batches).
    void setPagosPorLote(int pagos) { pagosPorLote_ = pagos > 0 ? pagos : 1; }
    // The way the last run read its rows, and why it read row by row when asked to read whole
    // periods (empty otherwise): the database does not guarantee the same rows in the same order.
    Lectura lecturaUsada() const { return lecturaUsada_; }
    const QString &motivoLectura() const { return motivoLectura_; }
    // What the last run, reading whole periods, read again with the per-row statements because
    // the rows that came back left their order or uniqueness in doubt (empty when nothing).
    QStringList dudasDeLectura() const;

    // Title of the missing-products box.
    void setTituloAplicacion(const QString &titulo) { titulo_ = titulo; }

    // The helpers of the run, open for the tests.
    // A character that would break a report line: the field separator "|" and the control
    // characters (line ends, NUL, tabs...).
    static bool RompeElRenglon(QChar c);
    // Removes blanks, "-", "|" and control characters.
    static QString LimpiarRFC(QString &stRFC);
    // Turns "|" and control characters into blanks, so that a party's name cannot split a report
    // field or line.
    static QString QuitarSeparadores(const QString &texto);
    static QString QuitarCaracteresEspeciales(const QString &texto);
    static QString ObtenerClaveEstado(const QString &stEstado);
    // Clave genérica by category text ("000" when none matches).
    static QString ClavePorCategoria(const QString &categoria);
    // Clave genérica by the name of the product line ("000" when none matches).
    static QString ClavePorNombreDeLinea(const QVariant &nombre);
    // Campo 5 code by the name of the product line: "019" insecticides and pesticides, else "020".
    static QString ClavePlaguicidaPorNombre(const QVariant &nombre);

private:
    void ejecutar(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo, const QString &stCliente);
    void elegirLectura();
    void ProcesarPago(int indice, const Pago &pago);
    // The share of a document that a payment covers: the same for all the document's lines,
    // worked out (and its failures met) at the first of them.
    struct Parte {
        QString documento; // for the review: "Factura A77", "Compra 900"
        QString lugar;     // for the errors: "el pago 1404, factura A77"
        bool calculada = false;
        QString linea; // the share line of the log
        double fraccion = 0;
    };
    void ProcesarDetalle(const Pago &pago, const QVariant &cantidadAnexo, const QVariant &totalDocumento, Parte &parte,
                         const Tramo &detalle);
    // A link whose amount went nowhere (documento: "Factura con Id 7", "Factura A77").
    void anotarPerdido(Revision::Dato dato, const Pago &pago, const QString &documento, const QVariant &cantidad);
    // A value the arithmetic needs (NULL ends the run); a text that does not read as a number
    // counts as 0, as always, and the review says so.
    double Cifra(const Pago &pago, const Parte &parte, const QVariant &valor, const QString &columna);
    void CrearTablaTemporal();
    void buscarTablasSinInstantanea();
    // Where a run past its payment loop stops when it was cancelled.
    void comprobarCancelacion();
    QString ObtenerClavePlaguicida(int idLinea);
    QString ObtenerClaveGenerica(int idLinea, const QString &categoria);
    QString lineaDePago(const Pago &pago) const;
    void escribirLog(const QString &linea);
    void cierre(bool soltarTabla);

    host::BasesDD &bases_;
    host::Conexion &cn_;
    VistaProceso &vista_;
    QString carpeta_;
    QString titulo_;

    bool blSonCtes_ = true;
    bool blTodosLosPagos_ = false;
    QString stLista_; // missing products, each followed by CR LF
    QStringList inexistentes_;
    QString clave5_;   // Campo 5 code of the last detail line that had a product line
    QString claveGen_; // clave genérica of the same line

    host::Registros rsPagos_, rsTemporal_;
    std::unique_ptr<FuenteDeRenglones> fuente_;
    std::unique_ptr<Acumulador> acumulador_;
    std::unique_ptr<ArchivoLog> log_;
    QString rutaLog_;
    bool bloqueada_ = false; // this run holds the database's work table
    QString juegoRfc_;       // character set of the work table's RFC column

    Lectura lectura_ = Lectura::PorPeriodo;
    Lectura lecturaUsada_ = Lectura::PorRenglon;
    QString motivoLectura_;
    int pagosPorLote_ = 5000;

    Revision revision_;
    RevisionDeRepetidos repetidos_;
    QSet<QString> rfcsDelReporte_; // as written in the report, in capitals
    int rfcsEscritos_ = 0;         // set by the report's writing
    QList<Hallazgo> hallazgos_;
    QString rutaRevision_;
    QString avisoDeMomento_;

    Resultado resultado_ = Resultado::SinEjecutar;
    QString mensajeError_;
    int pagos_ = 0;
    int lineas_ = 0;
    int perdidos_ = 0; // links whose amount went nowhere
};

} // namespace engine

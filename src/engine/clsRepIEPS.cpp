// The report run: payment selection, proration of the IEPS lines of every paid document, the
// log, and the closing of the run.
#include "clsRepIEPS.h"

#include "AcumuladorEnMemoria.h"
#include "AcumuladorEnTabla.h"
#include "ArchivoLog.h"
#include "ArchivosDeLaCorrida.h"
#include "BasesDD.h"
#include "Cancelacion.h"
#include "Conexion.h"
#include "Dialogos.h"
#include "Errores.h"
#include "EscritorDeReporte.h"
#include "EleccionDeLectura.h"
#include "Formatos.h"
#include "FuentePorPeriodo.h"
#include "FuentePorRenglon.h"
#include "LibKVRS.h"
#include "ReemplazoEnConjunto.h"

#include <QDir>
#include <cmath>
#include <exception>
#include <limits>

namespace engine {

namespace {
const QString CRLF = QStringLiteral("\r\n");

// A log line written from print position n: the text starts in column n, after n-1 blanks.
QString Sangria(int posicion, const QString &texto)
{
    return QString(posicion - 1, QLatin1Char(' ')) + texto;
}

// A value that the arithmetic needs: a NULL cannot take part in it.
double Numero(const QVariant &v, const QString &lugar, const QString &columna)
{
    return NoNulo(v, lugar, columna).toDouble();
}

// An amount of the log; NULL writes nothing.
QString Importe(const QVariant &v)
{
    return v.isNull() ? QString() : FormatoImporte(v.toDouble());
}

// A line Id as a 32-bit integer (halves to even when the column is not a whole number).
int Entero32(const QVariant &v, const QString &lugar, const QString &columna)
{
    const double d = RedondeoPar(Numero(v, lugar, columna));
    if (d < double(std::numeric_limits<int>::min()) || d > double(std::numeric_limits<int>::max()))
        throw host::errores::desbordamiento(
            QStringLiteral("%1, columna %2 vale %3, más de lo que cabe en un número entero")
                .arg(lugar, columna, ValorComoTexto(v)));
    return int(d);
}

// The name under which a run holds the database's work table; a second run on the same
// database finds it taken. The server computes it, so it fits the 64 characters of a lock name.
const QString NombreBloqueo = QStringLiteral("CONCAT('repieps.tmptempoieps.', MD5(DATABASE()))");

// A run holding the lock whose session has said nothing to the server for this long is taken for
// one cut off from its client: a run at work is silent between its statements for moments only
// (or while a box of it waits for the user).
constexpr int SegundosSinResponder = 10;

// Why the database's work table is taken: another run at work, or a session that the server keeps
// for a run that no longer answers (its client went silent; the server waits for it until its
// wait_timeout, hours).
QString PorQueEstaTomada(host::Conexion &cn, const QString &base)
{
    const QString trabajando = QStringLiteral("Otro reporte de IEPS se está generando en la base de datos «%1». "
                                              "Espere a que termine y vuelva a intentarlo.")
                                   .arg(base);
    host::Registros rs;
    try {
        rs.Abrir(cn,
                 QStringLiteral("SELECT ID,COMMAND,TIME FROM information_schema.PROCESSLIST WHERE ID=IS_USED_LOCK(%1)")
                     .arg(NombreBloqueo),
                 QString());
    } catch (const host::Error &) {
        return trabajando;
    }
    if (rs.Eof() || rs.Campo(QStringLiteral("COMMAND")).toString() != QLatin1String("Sleep")
        || rs.Campo(QStringLiteral("TIME")).toLongLong() < SegundosSinResponder)
        return trabajando;
    return QStringLiteral("Otro reporte de IEPS tiene tomada la base de datos «%1»: una corrida que no responde desde "
                          "hace %2 s, conexión %3. Quien administra la base de datos puede terminar esa conexión; si "
                          "no, el servidor la cerrará por sí solo más tarde. Vuelva a intentarlo después.")
        .arg(base, rs.Campo(QStringLiteral("TIME")).toString(), rs.Campo(QStringLiteral("ID")).toString());
}
} // namespace

clsRepIEPS::clsRepIEPS(host::BasesDD &bases, host::Conexion &cn, VistaProceso &vista, const QString &carpeta)
    : bases_(bases)
    , cn_(cn)
    , vista_(vista)
    , carpeta_(carpeta)
    , titulo_(QStringLiteral("Reporte especial de IEPS"))
{
}

clsRepIEPS::~clsRepIEPS() = default;

clsRepIEPS::Resultado clsRepIEPS::ProcesarReporte(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo,
                                                   const QString &stCliente, bool blSonCtes, bool blTodosLosPagos,
                                                   QString *error)
{
    resultado_ = Resultado::SinEjecutar;
    stLista_.clear();
    inexistentes_.clear();
    clave5_.clear();
    claveGen_.clear();
    mensajeError_.clear();
    rutaLog_.clear();
    pagos_ = lineas_ = perdidos_ = 0;
    lecturaUsada_ = lectura_;
    motivoLectura_.clear();
    revision_.Limpiar();
    repetidos_.Limpiar(blSonCtes);
    rfcsDelReporte_.clear();
    hallazgos_.clear();
    rutaRevision_.clear();
    avisoDeMomento_.clear();
    blSonCtes_ = blSonCtes;
    blTodosLosPagos_ = blTodosLosPagos;
    bloqueada_ = false;

    host::Dialogos &dialogos = host::Dialogos::actual();
    dialogos.MuestraWnd(QStringLiteral("Generando archivo"));
    try {
        if (!bases_.AbrirBdD(cn_, bases_.cMiBase, &mensajeError_)) {
            resultado_ = Resultado::SinConexion;
            dialogos.MsgBox(mensajeError_, host::vbCritical, titulo_);
        } else {
            ejecutar(dtInicial, dtFinal, stArchivo, stCliente);
        }
        cierre(resultado_ == Resultado::Completo || resultado_ == Resultado::SinPagos);
        dialogos.MsgBoxSkn(QStringLiteral("Fin del proceso"), 0, QStringLiteral("Atención"), 9);
    } catch (...) {
        // Whatever ended the run (a database or file error, its own arithmetic, running out of
        // memory) ends here, on the thread that ran it: what was logged stays under the failed
        // run's name, the report, log and review of an earlier run are untouched, the run's
        // transaction is rolled back and the database's lock released; the work table is left
        // for the next run to drop. A failure while cleaning up after the files were put in
        // place leaves them valid.
        if (resultado_ != Resultado::Completo)
            resultado_ = Resultado::Error;
        mensajeError_ = host::TextoDeError(std::current_exception());
        try {
            // A cancelled run drops its work table too: the user stopped it, nothing is left to see.
            cierre(vista_.Cancelado());
        } catch (...) {
        }
        try {
            dialogos.MsgBox(mensajeError_, host::vbCritical, titulo_);
        } catch (...) {
        }
    }
    if (error && !mensajeError_.isEmpty())
        *error = mensajeError_;
    return resultado_;
}

void clsRepIEPS::ejecutar(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo, const QString &stCliente)
{
    vista_.TextoProceso(QString());
    vista_.VerProceso(true);

    if (cn_.Valor(QStringLiteral("SELECT GET_LOCK(%1, 0)").arg(NombreBloqueo)).toInt() != 1) {
        resultado_ = Resultado::Ocupada;
        mensajeError_ = PorQueEstaTomada(cn_, bases_.cMiBase);
        host::Dialogos::actual().MsgBox(mensajeError_, host::vbExclamation, titulo_);
        vista_.TextoProceso(QString());
        vista_.VerProceso(false);
        return;
    }
    bloqueada_ = true;

    CrearTablaTemporal();
    // One moment for all the run reads, the payments first, whatever isolation the server gives
    // its sessions: one transaction that starts its snapshot at once. The work table is made
    // before it, because CREATE TABLE commits; its rows then get one commit instead of one per line.
    cn_.Execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"));
    cn_.Execute(QStringLiteral("START TRANSACTION WITH CONSISTENT SNAPSHOT"));

    QString desde, campos;
    const QString desdeTexto = host::LibKVRS::FechaSQL(dtInicial);
    // The period covers its last day whole, also where Fecha keeps a time of day.
    const QString hastaTexto = host::LibKVRS::FechaSQL(dtFinal.addDays(1));
    if (blSonCtes_) {
        desde = QStringLiteral("edoctacli LEFT JOIN clientes ON edoctacli.Clave=clientes.Clave WHERE Fecha>='")
                + desdeTexto + QStringLiteral("' AND Fecha<'") + hastaTexto
                + QStringLiteral("' AND CantidadPago>0 AND NotaCredito=0");
        if (!stCliente.isEmpty())
            desde += QStringLiteral(" AND clientes.Clave='") + cn_.Escapa(stCliente) + QStringLiteral("'");
        campos = QStringLiteral("edoctacli.Id,edoctacli.Folio,edoctacli.Fecha,DATE(edoctacli.Fecha) AS DiaDelPago,"
                                "edoctacli.CantidadPago,clientes.Clave,clientes.Nombre,clientes.RFC,clientes.Estado,"
                                "CAST(edoctacli.Fecha AS CHAR) AS FechaGuardada");
    } else {
        desde = QStringLiteral("edoctaprov LEFT JOIN proveedores ON edoctaprov.Clave=proveedores.Clave where Fecha>='")
                + desdeTexto + QStringLiteral("' AND Fecha<'") + hastaTexto + QStringLiteral("' AND CantidadPago>0");
        if (!stCliente.isEmpty())
            desde += QStringLiteral(" AND proveedores.Clave='") + cn_.Escapa(stCliente) + QStringLiteral("'");
        campos = QStringLiteral("edoctaprov.Id,edoctaprov.Folio,edoctaprov.Fecha,DATE(edoctaprov.Fecha) AS DiaDelPago,"
                                "edoctaprov.CantidadPago,proveedores.Clave,proveedores.Nombre,proveedores.RFC,"
                                "proveedores.Estado,CAST(edoctaprov.Fecha AS CHAR) AS FechaGuardada");
    }

    if (!bases_.AbrirTabla(rsPagos_, cn_, desde, campos)) {
        resultado_ = Resultado::SinPagos;
    } else {
        buscarTablasSinInstantanea();
        elegirLectura();
        const QString nombre = stArchivo;
        const QString rutaDelLog = QDir(carpeta_).filePath(ArchivoLog::NombreDelLog(nombre));
        rutaLog_ = QDir(carpeta_).filePath(ArchivoLog::NombreDelLogFallido(nombre));
        log_ = std::make_unique<ArchivoLog>(rutaDelLog, rutaLog_);
        stArchivo = QDir::toNativeSeparators(QDir(carpeta_).filePath(stArchivo));

        const int total = rsPagos_.cantidadFilas();
        vista_.Avance(0, total);
        while (!rsPagos_.Eof()) {
            Pago pago;
            pago.id = rsPagos_.Campo(QStringLiteral("ID"));
            pago.folio = rsPagos_.Campo(QStringLiteral("Folio"));
            pago.fecha = rsPagos_.Campo(QStringLiteral("Fecha"));
            // A Fecha with a time of day arrives rounded to the millisecond (23:59:59.9995 and later
            // becomes the next day); the day is the server's date part of the value it keeps.
            if (pago.fecha.metaType().id() == QMetaType::QDateTime)
                pago.fecha = rsPagos_.Campo(QStringLiteral("DiaDelPago"));
            pago.cantidad = rsPagos_.Campo(QStringLiteral("CantidadPago"));
            pago.clave = rsPagos_.Campo(QStringLiteral("Clave"));
            pago.nombre = rsPagos_.Campo(QStringLiteral("Nombre"));
            pago.rfc = rsPagos_.Campo(QStringLiteral("RFC"));
            pago.estado = rsPagos_.Campo(QStringLiteral("Estado"));

            QString progreso;
            if (!pago.clave.isNull() && !pago.rfc.isNull())
                progreso = QStringLiteral("Fecha ") + host::LibKVRS::FechaComoTexto(pago.fecha) + CRLF
                           + QStringLiteral("No. ") + ValorComoTexto(pago.id) + CRLF
                           + (blSonCtes_ ? QStringLiteral("Cliente: ") : QStringLiteral("Proveedor: "))
                           + pago.clave.toString() + QStringLiteral(" - ") + pago.rfc.toString() + CRLF;
            progreso += Texto(pago.nombre);
            vista_.TextoProceso(progreso);
            vista_.ProcesarEventos();

            revision_.AnotarParte(pago.rfc, pago.clave, pago.nombre);
            // A party's key repeated in its catalogue brings the payment once per catalogue row:
            // still one payment of its folio.
            if (repetidos_.AnotarPago(pago.id, pago.clave, RfcDeLaTabla(RfcDelGrupo(pago)), pago.nombre))
                revision_.AnotarPago(pago.folio, pago.rfc, pago.clave, pago.nombre);
            // A day the calendar lacks ("2018-02-00") reads as no date at all.
            if (host::LibKVRS::FechaComoTexto(pago.fecha).isEmpty())
                revision_.AnotarDato(Revision::Dato::FechaQueNoEsDia, pago.rfc, pago.clave, pago.nombre,
                                     QStringLiteral("folio %1: %2")
                                         .arg(ValorComoTexto(pago.folio), Texto(rsPagos_.Campo(QStringLiteral("FechaGuardada")))));
            if (blTodosLosPagos_)
                escribirLog(lineaDePago(pago));
            ProcesarPago(pagos_, pago);
            log_->Vaciar();
            ++pagos_;
            vista_.Avance(pagos_, total);
            rsPagos_.MoveNext();
        }
        log_->Cerrar();
        acumulador_->Terminar([this] { comprobarCancelacion(); });
        comprobarCancelacion();
        repetidos_.BuscarProductos(cn_);
        cn_.Execute(QStringLiteral("COMMIT"));

        if (!stLista_.isEmpty())
            host::Dialogos::actual().MsgBox(
                QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:") + CRLF + stLista_,
                host::vbOKOnly, titulo_);
        comprobarCancelacion();

        // The report and the review are written whole beside their names before anything takes
        // the place of an earlier file, so a full disk or any other failure up to here leaves the
        // earlier report, log and review together, as they were.
        host::ArchivoDeSalida reporte(stArchivo, host::ArchivoDeSalida::Modo::Reemplazar);
        EscritorDeReporte escritor(bases_, cn_, juegoRfc_, revision_, repetidos_);
        escritor.Escribir(reporte, rsTemporal_, blSonCtes_, [this] { comprobarCancelacion(); });
        rfcsDelReporte_ = escritor.rfcsEnMayusculas();
        rfcsEscritos_ = escritor.rfcsEscritos();
        reporte.Vaciar();

        QList<Hallazgo> hallazgos =
            repetidos_.Hallazgos(rfcsDelReporte_) + revision_.Hallazgos(rfcsDelReporte_, inexistentes_);
        const QString rutaRevision = QDir(carpeta_).filePath(host::NombreDe(host::DeLaCorrida::Revision, nombre));
        host::ArchivoDeSalida archivoRevision(rutaRevision, host::ArchivoDeSalida::Modo::Reemplazar);
        EscribirRevision(archivoRevision,
                         QStringLiteral("Revisión del reporte %1 (%2): %3")
                             .arg(nombre, blSonCtes_ ? QStringLiteral("clientes") : QStringLiteral("proveedores"),
                                  hallazgos.isEmpty() ? QStringLiteral("sin hallazgos")
                                                      : QStringLiteral("%1 hallazgos").arg(hallazgos.size())),
                         hallazgos);
        archivoRevision.Vaciar();

        // A cancel up to here leaves the earlier files as they were.
        comprobarCancelacion();
        // All three or none. The report first: it is the file most often held open (by a
        // spreadsheet) by the user.
        host::ReemplazoEnConjunto juntos;
        juntos.Agregar(reporte);
        juntos.Agregar(archivoRevision);
        juntos.Agregar(log_->rutaEscrita(), rutaDelLog);
        juntos.Reemplazar();
        rutaLog_ = rutaDelLog;
        hallazgos_ = std::move(hallazgos);
        rutaRevision_ = rutaRevision;
        resultado_ = Resultado::Completo;
    }
    vista_.TextoProceso(QString());
    vista_.VerProceso(false);
}

QString clsRepIEPS::lineaDePago(const Pago &pago) const
{
    if (pago.clave.isNull() || pago.rfc.isNull())
        return QStringLiteral("Null: ") + Texto(pago.nombre);
    return QStringLiteral("Pago ---> Folio ") + ValorComoTexto(pago.folio) + QStringLiteral(", Fecha: ")
           + host::LibKVRS::FechaComoTexto(pago.fecha) + QStringLiteral(", Monto: ")
           + Importe(pago.cantidad) + QStringLiteral(", ")
           + (blSonCtes_ ? QStringLiteral("Cliente: ") : QStringLiteral("Proveedor: ")) + pago.clave.toString()
           + QStringLiteral(" - ") + pago.rfc.toString() + QStringLiteral(": ") + Texto(pago.nombre);
}

void clsRepIEPS::comprobarCancelacion()
{
    // Past the payment loop a run that goes on tells its view nothing new: only a cancelled one
    // goes to the view's ProcesarEventos, which ends it there, as in the loop.
    if (vista_.Cancelado())
        vista_.ProcesarEventos();
}

void clsRepIEPS::buscarTablasSinInstantanea()
{
    const Lado &lado = Lado::De(blSonCtes_);
    QStringList nombres;
    for (const char *t : {blSonCtes_ ? "edoctacli" : "edoctaprov", blSonCtes_ ? "clientes" : "proveedores",
                          lado.anexos, lado.documentos, lado.detalle, "productos", "lineas"})
        nombres << QLatin1Char('\'') + QLatin1String(t) + QLatin1Char('\'');
    // Only InnoDB keeps the versions of its rows that a snapshot reads.
    host::Registros rs;
    rs.Abrir(cn_,
             QStringLiteral("SELECT TABLE_NAME,ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA=DATABASE() "
                            "AND TABLE_TYPE='BASE TABLE' AND ENGINE<>'InnoDB' AND TABLE_NAME IN (%1) ORDER BY TABLE_NAME")
                 .arg(nombres.join(QLatin1Char(','))),
             QString());
    QStringList tablas;
    for (int i = 0; i < rs.cantidadFilas(); ++i)
        tablas << QStringLiteral("%1 (%2)").arg(rs.CampoDeFila(i, QStringLiteral("TABLE_NAME")).toString(),
                                                rs.CampoDeFila(i, QStringLiteral("ENGINE")).toString());
    if (tablas.isEmpty())
        return;
    const QString lista = tablas.join(QStringLiteral(", "));
    revision_.AnotarTablasSinInstantanea(lista);
    avisoDeMomento_ = QStringLiteral("Tablas que no se pueden leer en un solo momento: %1; si el punto de venta "
                                     "escribió durante la corrida, las cifras pueden mezclar momentos distintos.")
                          .arg(lista);
}

void clsRepIEPS::escribirLog(const QString &linea)
{
    log_->Escribir(linea);
}

void clsRepIEPS::elegirLectura()
{
    const Lado &lado = Lado::De(blSonCtes_);
    EleccionDeLectura eleccion;
    if (lectura_ == Lectura::PorPeriodo) {
        eleccion = ElegirLectura(cn_, lado, rsPagos_);
        if (!eleccion.motivo.isEmpty()) {
            lecturaUsada_ = Lectura::PorRenglon;
            motivoLectura_ = eleccion.motivo;
        }
    }
    if (lecturaUsada_ == Lectura::PorPeriodo) {
        fuente_ = std::make_unique<FuentePorPeriodo>(bases_, cn_, lado, rsPagos_, eleccion, pagosPorLote_);
        acumulador_ = std::make_unique<AcumuladorEnMemoria>(cn_);
    } else {
        fuente_ = std::make_unique<FuentePorRenglon>(bases_, cn_, lado);
        acumulador_ = std::make_unique<AcumuladorEnTabla>(bases_, cn_, rsTemporal_, juegoRfc_);
    }
}

QStringList clsRepIEPS::dudasDeLectura() const
{
    return fuente_ ? fuente_->Dudas() : QStringList();
}

void clsRepIEPS::ProcesarPago(int indice, const Pago &pago)
{
    const QString referencia = QLatin1String(Lado::De(blSonCtes_).documentoDelAnexo);
    // The folio links the payment to its documents: without it nothing can be looked up.
    NoNulo(pago.folio, QStringLiteral("el pago con Id ") + ValorComoTexto(pago.id), QStringLiteral("Folio"));
    const QString elPago = QStringLiteral("el pago ") + ValorComoTexto(pago.folio);
    for (Tramo anexos = fuente_->Anexos(indice, pago); !anexos.Eof(); anexos.MoveNext()) {
        const QVariant documento = anexos.Campo(referencia);
        const QVariant cantidadAnexo = anexos.Campo(QStringLiteral("Cantidad"));
        const Tramo factura = fuente_->Documento(documento);
        if (factura.Eof()) {
            // A document without IEPS or cancelled is the normal case; a link to no row at all
            // is a payment that went nowhere: the Log shows it.
            if (!fuente_->DocumentoExiste(documento)) {
                const QString clave = (blSonCtes_ ? QStringLiteral("Factura con Id ") : QStringLiteral("Compra "))
                                      + ValorComoTexto(documento);
                if (!blTodosLosPagos_)
                    escribirLog(lineaDePago(pago));
                escribirLog(Sangria(10, clave + QStringLiteral(": no existe")));
                anotarPerdido(Revision::Dato::PagoSinDocumento, pago, clave, cantidadAnexo);
            }
            continue;
        }
        if (!blTodosLosPagos_)
            escribirLog(lineaDePago(pago));

        Parte parte;
        const QVariant impuesto = factura.Campo(QStringLiteral("ImpuestoAd"));
        const QVariant total = factura.Campo(QStringLiteral("Totaluco"));
        const QString importes = QStringLiteral(", IEPS: ") + Importe(impuesto) + QStringLiteral(", Total: ") + Importe(total);
        if (blSonCtes_) {
            const QVariant serie = factura.Campo(QStringLiteral("Serie"));
            const QString numero = Texto(serie) + ValorComoTexto(factura.Campo(QStringLiteral("Factura")));
            parte.documento = QStringLiteral("Factura ") + numero;
            parte.lugar = elPago + QStringLiteral(", factura ") + numero;
            escribirLog(Sangria(10, serie.isNull() ? QStringLiteral("Null") : QStringLiteral("Factura: ") + numero + importes));
        } else {
            const QString numero = ValorComoTexto(factura.Campo(QStringLiteral("Compra")));
            parte.documento = QStringLiteral("Compra ") + numero;
            parte.lugar = elPago + QStringLiteral(", compra ") + numero;
            escribirLog(Sangria(10, QStringLiteral("Compra: ") + numero + importes));
        }
        repetidos_.EmpezarDocumento();
        Tramo detalle = fuente_->Detalle(documento);
        if (detalle.Eof() && !fuente_->DocumentoTieneLineas(documento))
            anotarPerdido(Revision::Dato::PagoADocumentoSinLineas, pago, parte.documento, cantidadAnexo);
        for (; !detalle.Eof(); detalle.MoveNext())
            ProcesarDetalle(pago, cantidadAnexo, total, parte, detalle);
    }
}

void clsRepIEPS::anotarPerdido(Revision::Dato dato, const Pago &pago, const QString &documento,
                               const QVariant &cantidad)
{
    ++perdidos_;
    revision_.AnotarDato(dato, pago.rfc, pago.clave, pago.nombre,
                         QStringLiteral("folio %1, %2: %3").arg(ValorComoTexto(pago.folio), documento, Importe(cantidad)));
}

double clsRepIEPS::Cifra(const Pago &pago, const Parte &parte, const QVariant &valor, const QString &columna)
{
    const double numero = Numero(valor, parte.lugar, columna);
    if (TextoQueNoEsNumero(valor))
        revision_.AnotarDato(Revision::Dato::TextoQueNoEsNumero, pago.rfc, pago.clave, pago.nombre,
                             QStringLiteral("folio %1, %2, columna %3: «%4»")
                                 .arg(ValorComoTexto(pago.folio), parte.documento, columna, valor.toString()));
    return numero;
}

QString clsRepIEPS::avisoDeReporteVacio() const
{
    if (resultado_ != Resultado::Completo || !rfcsDelReporte_.isEmpty() || perdidos_ == 0)
        return QString();
    return QStringLiteral("El reporte quedó vacío: ningún pago llegó a él (pagos procesados: %1; aplicados a documentos "
                          "que no existen o que no tienen líneas: %2, en la revisión). El Log muestra los pagos.")
        .arg(pagos_)
        .arg(perdidos_);
}

void clsRepIEPS::ProcesarDetalle(const Pago &pago, const QVariant &cantidadAnexo, const QVariant &totalDocumento,
                                 Parte &parte, const Tramo &rsDetalle)
{
    vista_.ProcesarEventos();

    if (!parte.calculada) {
        // Share of the document that this payment covers, held in single precision.
        const QString columnaAnexo = QStringLiteral("Cantidad de ") + QLatin1String(Lado::De(blSonCtes_).anexos);
        const double aplicado = Cifra(pago, parte, cantidadAnexo, columnaAnexo);
        // The total as the user knows it: the document's columns it is made from.
        const QString elTotal = QStringLiteral("el total (%1)").arg(Lado::TotalDelDocumento());
        if (totalDocumento.isNull())
            throw host::errores::usoNoValidoDeNull(
                QStringLiteral("%1, una de las columnas del total (%2) está vacía").arg(parte.lugar, Lado::TotalDelDocumento()));
        const double total = totalDocumento.toDouble();
        const double numerador = aplicado * 100;
        // A total that prints as 0.00 is a rounding residue of a zero total, not a document.
        if (std::fabs(total) < 0.005)
            throw numerador == 0
                ? host::errores::desbordamiento(QStringLiteral("%1, columna %2 y %3 valen 0").arg(parte.lugar, columnaAnexo, elTotal))
                : host::errores::divisionPorCero(QStringLiteral("%1, %2 vale 0").arg(parte.lugar, elTotal));
        const float porcentaje = float(numerador / total);
        if (!std::isfinite(porcentaje))
            throw host::errores::desbordamiento(
                QStringLiteral("%1, la proporción de %2 entre %3 es demasiado grande").arg(parte.lugar, columnaAnexo, elTotal));
        parte.linea = Sangria(20, QStringLiteral("Pago por: ") + FormatoImporte(aplicado)
                                      + QStringLiteral(", Proporción del pago respecto al total: ")
                                      + FormatoImporte(double(porcentaje)) + QStringLiteral(" %"));
        parte.fraccion = double(float(double(porcentaje) / 100));
        parte.calculada = true;
        // As the log prints it: 100.004 % is 100.00 %.
        if (double(porcentaje) <= -0.005 || double(porcentaje) >= 100.005)
            revision_.AnotarParteDelDocumento(pago.rfc, pago.clave, pago.nombre,
                                              QStringLiteral("folio %1, %2: %3 %")
                                                  .arg(ValorComoTexto(pago.folio), parte.documento,
                                                       FormatoImporte(double(porcentaje))));
    }
    escribirLog(parte.linea);
    const double f = parte.fraccion;

    const QString campoPrecio = QLatin1String(Lado::De(blSonCtes_).precio);
    const double cantidad = Cifra(pago, parte, rsDetalle.Campo(QStringLiteral("Cantidad")), QStringLiteral("Cantidad"));
    const double precio = Cifra(pago, parte, rsDetalle.Campo(campoPrecio), campoPrecio);
    const QVariant tasaIeps = rsDetalle.Campo(QStringLiteral("ImpuestoAd"));
    const double importe = cantidad * precio;
    const double ieps = importe * Cifra(pago, parte, tasaIeps, QStringLiteral("ImpuestoAd")) / 100;
    const double iepsProrrateado = RedondeoPar(f * ieps);

    const double tasaIva = Cifra(pago, parte, rsDetalle.Campo(QStringLiteral("IVA")), QStringLiteral("IVA"));
    double ivaProrrateado = 0;
    if (tasaIva != 0) {
        const double iva = (importe + ieps) * tasaIva / 100;
        ivaProrrateado = RedondeoPar(f * iva);
    }
    // Amounts beyond what a double holds would reach the work table as "inf".
    if (!std::isfinite(importe) || !std::isfinite(ieps) || !std::isfinite(ivaProrrateado))
        throw host::errores::desbordamiento(
            QStringLiteral("%1, columnas Cantidad y %2: el importe es demasiado grande").arg(parte.lugar, campoPrecio));
    Prorrateo prorrateo;
    prorrateo.cantidad = RedondeoPar(f * cantidad);
    prorrateo.importe = RedondeoPar(f * importe);
    prorrateo.ieps = iepsProrrateado;
    prorrateo.iva = ivaProrrateado;

    const QVariant producto = rsDetalle.Campo(QStringLiteral("Producto"));
    const QVariant linea = rsDetalle.Campo(QStringLiteral("Linea"));
    const QVariant categoria = rsDetalle.Campo(QStringLiteral("CategoriaIEPS"));
    QString nombreLinea;
    if (!linea.isNull()) {
        const int idLinea = Entero32(linea, parte.lugar, QStringLiteral("Linea"));
        clave5_ = ObtenerClavePlaguicida(idLinea);
        const QString generica = ObtenerClaveGenerica(idLinea, Texto(categoria));
        claveGen_ = clave5_ == QLatin1String("019") ? QStringLiteral("003") : generica;
        QVariant nombre;
        if (fuente_->NombreDeLinea(idLinea, nombre))
            nombreLinea = Texto(nombre);
    } else {
        // Not in the catalogue, or without a product line: listed at the end of the run. The
        // codes of the previous line stand.
        stLista_ += Texto(producto) + CRLF;
        inexistentes_ << Texto(producto);
    }

    escribirLog(Sangria(30, producto.isNull()
                                ? QStringLiteral("Null")
                                : QStringLiteral("Producto: ") + producto.toString() + QStringLiteral(", Linea: ") + nombreLinea
                                      + QStringLiteral(", Cantidad: ") + NumeroGeneral(cantidad) + QStringLiteral(", ")
                                      + (blSonCtes_ ? QStringLiteral("Precio") : QStringLiteral("Costo"))
                                      + QStringLiteral(": ") + FormatoImporte(precio) + QStringLiteral(", Importe: ")
                                      + FormatoImporte(importe)));
    escribirLog(Sangria(40, categoria.isNull()
                                ? QStringLiteral("Null")
                                : QStringLiteral(", % IEPS: ") + ValorComoTexto(tasaIeps) + QStringLiteral(", $ IEPS: ")
                                      + FormatoImporte(ieps) + QStringLiteral(", $ IEPS proporcional al pago: ")
                                      + FormatoImporte(f * ieps) + QStringLiteral(", Campo 5: ") + clave5_
                                      + QStringLiteral(", Clave gener.: ") + claveGen_ + QStringLiteral(", ")
                                      + categoria.toString()));

    const QVariant pedimento = rsDetalle.Campo(QStringLiteral("Pedimento"));
    acumulador_->Acumular(pago, pedimento, clave5_, claveGen_, prorrateo);
    repetidos_.AnotarLinea(producto, clave5_, claveGen_, pedimento);
    ++lineas_;
}

void clsRepIEPS::cierre(bool soltarTabla)
{
    if (fuente_)
        fuente_->Cerrar();
    bases_.CierraTabla(rsTemporal_);
    bases_.CierraTabla(rsPagos_);
    // Whatever was logged reaches the file; a failure here must not hide the run's own error.
    log_.reset();
    vista_.VerProceso(false);

    // The lock is released and the wait window removed even when dropping the table fails.
    std::exception_ptr fallo;
    // A run that failed leaves no transaction open on the connection: its rows are undone and
    // the point-of-sale tables it read are free for the point-of-sale program at once. After a
    // commit this undoes nothing.
    if (cn_.abierta()) {
        try {
            cn_.Execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
            fallo = std::current_exception();
            // The connection no longer reaches the server (its wait ran out on a silent network,
            // say), which may keep the run's session, with its transaction, its table locks and
            // the database's lock, for hours: it is ended from a second connection, and the lock
            // goes with it.
            host::Conexion corte;
            host::CortarEnServidor(bases_, corte, cn_.idEnServidor(), host::Corte::Sesion);
            bloqueada_ = false;
        }
    }
    if (bloqueada_ && cn_.abierta()) {
        bloqueada_ = false;
        if (soltarTabla) {
            try {
                cn_.Execute(QStringLiteral("DROP TABLE IF EXISTS tmptempoieps"));
            } catch (...) {
                if (!fallo)
                    fallo = std::current_exception();
            }
        }
        try {
            cn_.Valor(QStringLiteral("SELECT RELEASE_LOCK(%1)").arg(NombreBloqueo));
        } catch (...) {
            if (!fallo)
                fallo = std::current_exception();
        }
    }
    host::Dialogos::actual().QuitaWnd();
    if (fallo)
        std::rethrow_exception(fallo);
}

} // namespace engine

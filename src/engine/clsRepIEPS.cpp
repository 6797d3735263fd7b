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
#include "RastroDeDetalle.h"
#include "ReemplazoEnConjunto.h"

#include <QDir>
#include <cmath>
#include <exception>
#include <limits>

namespace engine {

namespace {
const QString CRLF = QStringLiteral("\r\n");

// An amount of the log; NULL writes nothing.
QString Importe(const QVariant &v)
{
    return v.isNull() ? QString() : FormatoImporte(v.toDouble());
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
    estado_ = EstadoDeCorrida{};
    estado_.blSonCtes = blSonCtes;
    estado_.blTodosLosPagos = blTodosLosPagos;
    estado_.porLinea = porLinea_;
    estado_.lecturaUsada = lectura_;
    estado_.repetidos.Limpiar(blSonCtes);

    host::Dialogos &dialogos = host::Dialogos::actual();
    dialogos.MuestraWnd(QStringLiteral("Generando archivo"));
    try {
        if (!bases_.AbrirBdD(cn_, bases_.cMiBase, &estado_.mensajeError)) {
            estado_.resultado = Resultado::SinConexion;
            dialogos.MsgBox(estado_.mensajeError, host::vbCritical, titulo_);
        } else {
            ejecutar(dtInicial, dtFinal, stArchivo, stCliente);
        }
        cierre(estado_.resultado == Resultado::Completo || estado_.resultado == Resultado::SinPagos);
        dialogos.MsgBoxSkn(QStringLiteral("Fin del proceso"), 0, QStringLiteral("Atención"), 9);
    } catch (...) {
        // Whatever ended the run (a database or file error, its own arithmetic, running out of
        // memory) ends here, on the thread that ran it: what was logged stays under the failed
        // run's name, the report, log and review of an earlier run are untouched, the run's
        // transaction is rolled back and the database's lock released; the work table is left
        // for the next run to drop. A failure while cleaning up after the files were put in
        // place leaves them valid.
        if (estado_.resultado != Resultado::Completo)
            estado_.resultado = Resultado::Error;
        estado_.mensajeError = host::TextoDeError(std::current_exception());
        try {
            // A cancelled run drops its work table too: the user stopped it, nothing is left to see.
            cierre(vista_.Cancelado());
        } catch (...) {
        }
        try {
            dialogos.MsgBox(estado_.mensajeError, host::vbCritical, titulo_);
        } catch (...) {
        }
    }
    if (error && !estado_.mensajeError.isEmpty())
        *error = estado_.mensajeError;
    return estado_.resultado;
}

void clsRepIEPS::ejecutar(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo, const QString &stCliente)
{
    vista_.TextoProceso(QString());
    vista_.VerProceso(true);

    if (cn_.Valor(QStringLiteral("SELECT GET_LOCK(%1, 0)").arg(NombreBloqueo)).toInt() != 1) {
        estado_.resultado = Resultado::Ocupada;
        estado_.mensajeError = PorQueEstaTomada(cn_, bases_.cMiBase);
        host::Dialogos::actual().MsgBox(estado_.mensajeError, host::vbExclamation, titulo_);
        vista_.TextoProceso(QString());
        vista_.VerProceso(false);
        return;
    }
    estado_.bloqueada = true;

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
    if (estado_.blSonCtes) {
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
        estado_.resultado = Resultado::SinPagos;
    } else {
        buscarTablasSinInstantanea();
        elegirLectura();
        const QString nombre = stArchivo;
        const QString rutaDelLog = QDir(carpeta_).filePath(ArchivoLog::NombreDelLog(nombre));
        estado_.rutaLog = QDir(carpeta_).filePath(ArchivoLog::NombreDelLogFallido(nombre));
        log_ = std::make_unique<ArchivoLog>(rutaDelLog, estado_.rutaLog);
        rastro_ = std::make_unique<RastroDeDetalle>(QDir(carpeta_).filePath(host::NombreDe(host::DeLaCorrida::Detalle, nombre)));
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
                           + (estado_.blSonCtes ? QStringLiteral("Cliente: ") : QStringLiteral("Proveedor: "))
                           + pago.clave.toString() + QStringLiteral(" - ") + pago.rfc.toString() + CRLF;
            progreso += Texto(pago.nombre);
            vista_.TextoProceso(progreso);
            vista_.ProcesarEventos();

            estado_.revision.AnotarParte(pago.rfc, pago.clave, pago.nombre);
            // A party's key repeated in its catalogue brings the payment once per catalogue row:
            // still one payment of its folio.
            if (estado_.repetidos.AnotarPago(pago.id, pago.clave, RfcDeLaTabla(RfcDelGrupo(pago)), pago.nombre))
                estado_.revision.AnotarPago(pago.folio, pago.rfc, pago.clave, pago.nombre);
            // A day the calendar lacks ("2018-02-00") reads as no date at all.
            if (host::LibKVRS::FechaComoTexto(pago.fecha).isEmpty())
                estado_.revision.AnotarDato(Revision::Dato::FechaQueNoEsDia, pago.rfc, pago.clave, pago.nombre,
                                     QStringLiteral("folio %1: %2")
                                         .arg(ValorComoTexto(pago.folio), Texto(rsPagos_.Campo(QStringLiteral("FechaGuardada")))));
            if (estado_.blTodosLosPagos)
                escribirLog(lineaDePago(pago));
            ProcesarPago(estado_.pagos, pago);
            log_->Vaciar();
            ++estado_.pagos;
            vista_.Avance(estado_.pagos, total);
            rsPagos_.MoveNext();
        }
        log_->Cerrar();
        acumulador_->Terminar([this] { comprobarCancelacion(); });
        comprobarCancelacion();
        estado_.repetidos.BuscarProductos(cn_);
        cn_.Execute(QStringLiteral("COMMIT"));

        if (!estado_.stLista.isEmpty())
            host::Dialogos::actual().MsgBox(
                QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:") + CRLF + estado_.stLista,
                host::vbOKOnly, titulo_);
        comprobarCancelacion();

        // The report and the review are written whole beside their names before anything takes
        // the place of an earlier file, so a full disk or any other failure up to here leaves the
        // earlier report, log and review together, as they were.
        host::ArchivoDeSalida reporte(stArchivo, host::ArchivoDeSalida::Modo::Reemplazar);
        EscritorDeReporte escritor(bases_, cn_, estado_.juegoRfc, estado_.revision, estado_.repetidos);
        escritor.Escribir(reporte, rsTemporal_, estado_.blSonCtes, [this] { comprobarCancelacion(); });
        estado_.rfcsDelReporte = escritor.rfcsEnMayusculas();
        estado_.rfcsEscritos = escritor.rfcsEscritos();
        reporte.Vaciar();

        estado_.lista69B.Cargar(rutaLista69B_);
        QList<Hallazgo> hallazgos = estado_.lista69B.Hallazgos(estado_.revision.Partes(), estado_.rfcsDelReporte)
                                    + estado_.repetidos.Hallazgos(estado_.rfcsDelReporte)
                                    + estado_.revision.Hallazgos(estado_.rfcsDelReporte, estado_.inexistentes);
        const QString rutaRevision = QDir(carpeta_).filePath(host::NombreDe(host::DeLaCorrida::Revision, nombre));
        host::ArchivoDeSalida archivoRevision(rutaRevision, host::ArchivoDeSalida::Modo::Reemplazar);
        EscribirRevision(archivoRevision,
                         QStringLiteral("Revisión del reporte %1 (%2): %3")
                             .arg(nombre, estado_.blSonCtes ? QStringLiteral("clientes") : QStringLiteral("proveedores"),
                                  hallazgos.isEmpty() ? QStringLiteral("sin hallazgos")
                                                      : QStringLiteral("%1 hallazgos").arg(hallazgos.size()))
                             + QStringLiteral("; ") + estado_.lista69B.Oracion(hoy_),
                         hallazgos);
        archivoRevision.Vaciar();
        rastro_->archivo().Vaciar();

        // A cancel up to here leaves the earlier files as they were.
        comprobarCancelacion();
        // All four or none. The report first: it is the file most often held open (by a
        // spreadsheet) by the user.
        host::ReemplazoEnConjunto juntos;
        juntos.Agregar(reporte);
        juntos.Agregar(archivoRevision);
        juntos.Agregar(rastro_->archivo());
        juntos.Agregar(log_->rutaEscrita(), rutaDelLog);
        juntos.Reemplazar();
        estado_.rutaLog = rutaDelLog;
        estado_.hallazgos = std::move(hallazgos);
        estado_.rutaRevision = rutaRevision;
        estado_.resultado = Resultado::Completo;
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
           + (estado_.blSonCtes ? QStringLiteral("Cliente: ") : QStringLiteral("Proveedor: ")) + pago.clave.toString()
           + QStringLiteral(" - ") + pago.rfc.toString() + QStringLiteral(": ") + Texto(pago.nombre);
}

void clsRepIEPS::comprobarCancelacion()
{
    // Past the payment loop a run that goes on tells its view nothing new: only a cancelled one
    // goes to the view's ProcesarEventos, which ends it there, as in the loop.
    if (vista_.Cancelado())
        vista_.ProcesarEventos();
}

void clsRepIEPS::CrearTablaTemporal()
{
    cn_.Execute(QStringLiteral("DROP TABLE IF EXISTS tmptempoieps"));
    cn_.Execute(QStringLiteral(
        "Create table tmptempoieps (Clave VarChar(10) default '',RFC VarChar(13) default '',Nombre VarChar(120) "
        "default '',Estado VarChar(2) default '',Linea VarChar(3) default '',ClaveGenerica VarChar(3) default "
        "'',Presentacion float default 0,CantidadFactura Double default 0,Importe Double default 0,IEPS Double "
        "default 0,IVA Double default 0,Key( RFC,ClaveGenerica,Presentacion ))"));
    estado_.juegoRfc = JuegoDelRfc(cn_);
}

void clsRepIEPS::buscarTablasSinInstantanea()
{
    const Lado &lado = Lado::De(estado_.blSonCtes);
    QStringList nombres;
    for (const char *t : {estado_.blSonCtes ? "edoctacli" : "edoctaprov", estado_.blSonCtes ? "clientes" : "proveedores",
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
    estado_.revision.AnotarTablasSinInstantanea(lista);
    estado_.avisoDeMomento = QStringLiteral("Tablas que no se pueden leer en un solo momento: %1; si el punto de venta "
                                     "escribió durante la corrida, las cifras pueden mezclar momentos distintos.")
                          .arg(lista);
}

void clsRepIEPS::escribirLog(const QString &linea)
{
    log_->Escribir(linea);
}

void clsRepIEPS::elegirLectura()
{
    const Lado &lado = Lado::De(estado_.blSonCtes);
    EleccionDeLectura eleccion;
    if (lectura_ == Lectura::PorPeriodo) {
        eleccion = ElegirLectura(cn_, lado, rsPagos_);
        if (!eleccion.motivo.isEmpty()) {
            estado_.lecturaUsada = Lectura::PorRenglon;
            estado_.motivoLectura = eleccion.motivo;
        }
    }
    if (estado_.lecturaUsada == Lectura::PorPeriodo) {
        fuente_ = std::make_unique<FuentePorPeriodo>(bases_, cn_, lado, rsPagos_, eleccion, pagosPorLote_);
        acumulador_ = std::make_unique<AcumuladorEnMemoria>(cn_);
    } else {
        fuente_ = std::make_unique<FuentePorRenglon>(bases_, cn_, lado);
        acumulador_ = std::make_unique<AcumuladorEnTabla>(bases_, cn_, rsTemporal_, estado_.juegoRfc);
    }
}

QStringList clsRepIEPS::dudasDeLectura() const
{
    return fuente_ ? fuente_->Dudas() : QStringList();
}

void clsRepIEPS::ProcesarPago(int indice, const Pago &pago)
{
    const QString referencia = QLatin1String(Lado::De(estado_.blSonCtes).documentoDelAnexo);
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
                const QString clave = (estado_.blSonCtes ? QStringLiteral("Factura con Id ") : QStringLiteral("Compra "))
                                      + ValorComoTexto(documento);
                if (!estado_.blTodosLosPagos)
                    escribirLog(lineaDePago(pago));
                escribirLog(Sangria(10, clave + QStringLiteral(": no existe")));
                anotarPerdido(Revision::Dato::PagoSinDocumento, pago, clave, cantidadAnexo);
            }
            continue;
        }
        if (!estado_.blTodosLosPagos)
            escribirLog(lineaDePago(pago));

        Parte parte;
        parte.folio = ValorComoTexto(pago.folio);
        const QVariant impuesto = factura.Campo(QStringLiteral("ImpuestoAd"));
        const QVariant total = factura.Campo(QStringLiteral("Totaluco"));
        const QString importes = QStringLiteral(", IEPS: ") + Importe(impuesto) + QStringLiteral(", Total: ") + Importe(total);
        if (estado_.blSonCtes) {
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
        estado_.repetidos.EmpezarDocumento();
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
    ++estado_.perdidos;
    estado_.revision.AnotarDato(dato, pago.rfc, pago.clave, pago.nombre,
                         QStringLiteral("folio %1, %2: %3").arg(ValorComoTexto(pago.folio), documento, Importe(cantidad)));
}

void clsRepIEPS::anotar(const Pago &pago, const NotasDelProrrateo &notas)
{
    for (const NotaDelProrrateo &nota : notas) {
        if (nota.tipo == NotaDelProrrateo::Tipo::ParteFueraDeRango)
            estado_.revision.AnotarParteDelDocumento(pago.rfc, pago.clave, pago.nombre, nota.texto);
        else
            estado_.revision.AnotarDato(Revision::Dato::TextoQueNoEsNumero, pago.rfc, pago.clave, pago.nombre, nota.texto);
    }
}

QString clsRepIEPS::avisoDeReporteVacio() const
{
    if (estado_.resultado != Resultado::Completo || !estado_.rfcsDelReporte.isEmpty() || estado_.perdidos == 0)
        return QString();
    return QStringLiteral("El reporte quedó vacío: ningún pago llegó a él (pagos procesados: %1; aplicados a documentos "
                          "que no existen o que no tienen líneas: %2, en la revisión). El Log muestra los pagos.")
        .arg(estado_.pagos)
        .arg(estado_.perdidos);
}

void clsRepIEPS::ProcesarDetalle(const Pago &pago, const QVariant &cantidadAnexo, const QVariant &totalDocumento,
                                 Parte &parte, const Tramo &rsDetalle)
{
    vista_.ProcesarEventos();

    NotasDelProrrateo notas;
    if (!parte.calculada)
        CalcularParte(estado_.blSonCtes, parte, cantidadAnexo, totalDocumento, notas);
    escribirLog(parte.linea);
    ValoresDeLinea valores;
    valores.cantidad = rsDetalle.Campo(QStringLiteral("Cantidad"));
    valores.precio = rsDetalle.Campo(QLatin1String(Lado::De(estado_.blSonCtes).precio));
    valores.tasaIeps = rsDetalle.Campo(QStringLiteral("ImpuestoAd"));
    valores.tasaIva = rsDetalle.Campo(QStringLiteral("IVA"));
    const LineaProrrateada prorrateada = Prorratear(estado_.blSonCtes, parte, valores, notas);
    anotar(pago, notas);

    const QVariant producto = rsDetalle.Campo(QStringLiteral("Producto"));
    const QVariant linea = rsDetalle.Campo(QStringLiteral("Linea"));
    const QVariant categoria = rsDetalle.Campo(QStringLiteral("CategoriaIEPS"));
    QString nombreLinea;
    if (!linea.isNull()) {
        QVariant nombre;
        const bool enCatalogo = fuente_->NombreDeLinea(IdDeLinea(linea, parte.lugar), nombre);
        estado_.claves = Clasificar(estado_.porLinea, enCatalogo, nombre, Texto(categoria));
        if (enCatalogo)
            nombreLinea = Texto(nombre);
    } else {
        // Not in the catalogue, or without a product line: listed at the end of the run. The
        // codes of the previous line stand.
        estado_.stLista += Texto(producto) + CRLF;
        estado_.inexistentes << Texto(producto);
    }
    escribirLog(LineaDelProducto(estado_.blSonCtes, producto, nombreLinea, prorrateada));
    escribirLog(LineaDelIeps(categoria, valores.tasaIeps, prorrateada, parte.fraccion, estado_.claves));

    const QString &clave5 = estado_.claves.campo5, &claveGen = estado_.claves.generica;
    const QVariant pedimento = rsDetalle.Campo(QStringLiteral("Pedimento"));
    acumulador_->Acumular(pago, pedimento, clave5, claveGen, prorrateada.prorrateo);
    rastro_->Anotar(pago, parte.documento, totalDocumento, cantidadAnexo, parte.fraccion, producto, clave5, claveGen,
                    pedimento, prorrateada.prorrateo);
    estado_.repetidos.AnotarLinea(producto, clave5, claveGen, pedimento);
    ++estado_.lineas;
}

void clsRepIEPS::cierre(bool soltarTabla)
{
    if (fuente_)
        fuente_->Cerrar();
    bases_.CierraTabla(rsTemporal_);
    bases_.CierraTabla(rsPagos_);
    // Whatever was logged reaches the file; a failure here must not hide the run's own error.
    log_.reset();
    rastro_.reset();
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
            estado_.bloqueada = false;
        }
    }
    if (estado_.bloqueada && cn_.abierta()) {
        estado_.bloqueada = false;
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

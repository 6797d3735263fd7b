// The report run: payment selection, proration of the IEPS lines of every paid document, the
// log, and the closing of the run.
#include "clsRepIEPS.h"

#include "ArchivoLog.h"
#include "BasesDD.h"
#include "Conexion.h"
#include "Dialogos.h"
#include "Errores.h"
#include "Formatos.h"
#include "LibKVRS.h"

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
double Numero(const QVariant &v)
{
    if (v.isNull())
        throw host::errores::usoNoValidoDeNull();
    return v.toDouble();
}

QString Texto(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

// A line Id as a 32-bit integer (halves to even when the column is not a whole number).
int Entero32(const QVariant &v)
{
    const double d = RedondeoPar(Numero(v));
    if (d < double(std::numeric_limits<int>::min()) || d > double(std::numeric_limits<int>::max()))
        throw host::errores::desbordamiento();
    return int(d);
}

// The name under which a run holds the database's work table; a second run on the same
// database finds it taken. The server computes it, so it fits the 64 characters of a lock name.
const QString NombreBloqueo = QStringLiteral("CONCAT('repieps.tmptempoieps.', MD5(DATABASE()))");
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

void clsRepIEPS::ProcesarReporte(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo,
                                 const QString &stCliente, bool blSonCtes, bool blTodosLosPagos)
{
    resultado_ = Resultado::SinEjecutar;
    stLista_.clear();
    inexistentes_.clear();
    clave5_.clear();
    claveGen_.clear();
    mensajeError_.clear();
    rutaLog_.clear();
    pagos_ = lineas_ = 0;
    blSonCtes_ = blSonCtes;
    blTodosLosPagos_ = blTodosLosPagos;
    bloqueada_ = false;

    host::Dialogos &dialogos = host::Dialogos::actual();
    dialogos.MuestraWnd(QStringLiteral("Generando archivo"));
    try {
        if (!bases_.AbrirBdD(cn_, bases_.cMiBase)) {
            resultado_ = Resultado::SinConexion;
            mensajeError_ = bases_.UltimoError();
            dialogos.MsgBox(mensajeError_, host::vbCritical, titulo_);
        } else {
            ejecutar(dtInicial, dtFinal, stArchivo, stCliente);
        }
        cierre(resultado_ == Resultado::Completo || resultado_ == Resultado::SinPagos);
        dialogos.MsgBoxSkn(QStringLiteral("Fin del proceso"), 0, QStringLiteral("Atención"), 9);
    } catch (const host::Error &e) {
        // The run ends here: what was logged stays, the report of an earlier run is untouched,
        // and the work table is left for the next run to drop. A failure while cleaning up after
        // the report was written leaves that report valid.
        if (resultado_ != Resultado::Completo)
            resultado_ = Resultado::Error;
        mensajeError_ = e.texto();
        try {
            cierre(false);
        } catch (const host::Error &) {
        }
        dialogos.MsgBox(mensajeError_, host::vbCritical, titulo_);
    }
}

void clsRepIEPS::ejecutar(const QDate &dtInicial, const QDate &dtFinal, QString &stArchivo, const QString &stCliente)
{
    vista_.TextoProceso(QString());
    vista_.VerProceso(true);

    if (cn_.Valor(QStringLiteral("SELECT GET_LOCK(%1, 0)").arg(NombreBloqueo)).toInt() != 1) {
        resultado_ = Resultado::Ocupada;
        mensajeError_ = QStringLiteral("Otro reporte de IEPS se está generando en la base de datos «%1». "
                                       "Espere a que termine y vuelva a intentarlo.")
                            .arg(bases_.cMiBase);
        host::Dialogos::actual().MsgBox(mensajeError_, host::vbExclamation, titulo_);
        vista_.TextoProceso(QString());
        vista_.VerProceso(false);
        return;
    }
    bloqueada_ = true;

    CrearTablaTemporal();

    QString desde, campos;
    const QString desdeTexto = host::LibKVRS::FechaSQL(dtInicial);
    const QString hastaTexto = host::LibKVRS::FechaSQL(dtFinal);
    if (blSonCtes_) {
        desde = QStringLiteral("edoctacli LEFT JOIN clientes ON edoctacli.Clave=clientes.Clave WHERE Fecha>='")
                + desdeTexto + QStringLiteral("' AND Fecha<='") + hastaTexto
                + QStringLiteral("' AND CantidadPago>0 AND NotaCredito=0");
        if (!stCliente.isEmpty())
            desde += QStringLiteral(" AND clientes.Clave='") + cn_.Escapa(stCliente) + QStringLiteral("'");
        campos = QStringLiteral("edoctacli.Id,edoctacli.Folio,edoctacli.Fecha,edoctacli.CantidadPago,clientes.Clave,"
                                "clientes.Nombre,clientes.RFC,clientes.Estado");
    } else {
        desde = QStringLiteral("edoctaprov LEFT JOIN proveedores ON edoctaprov.Clave=proveedores.Clave where Fecha>='")
                + desdeTexto + QStringLiteral("' AND Fecha<='") + hastaTexto + QStringLiteral("' AND CantidadPago>0");
        if (!stCliente.isEmpty())
            desde += QStringLiteral(" AND proveedores.Clave='") + cn_.Escapa(stCliente) + QStringLiteral("'");
        campos = QStringLiteral("edoctaprov.Id,edoctaprov.Folio,edoctaprov.Fecha,edoctaprov.CantidadPago,"
                                "proveedores.Clave,proveedores.Nombre,proveedores.RFC,proveedores.Estado");
    }

    if (!bases_.AbrirTabla(rsPagos_, cn_, desde, campos)) {
        resultado_ = Resultado::SinPagos;
    } else {
        rutaLog_ = QDir(carpeta_).filePath(QStringLiteral("Log") + stArchivo);
        log_ = std::make_unique<ArchivoLog>(rutaLog_);
        stArchivo = QDir::toNativeSeparators(QDir(carpeta_).filePath(stArchivo));

        // The work table's rows are written in one transaction: one commit instead of one per line.
        cn_.Execute(QStringLiteral("START TRANSACTION"));
        const int total = rsPagos_.cantidadFilas();
        vista_.Avance(0, total);
        while (!rsPagos_.Eof()) {
            Pago pago;
            pago.id = rsPagos_.Campo(QStringLiteral("ID"));
            pago.folio = rsPagos_.Campo(QStringLiteral("Folio"));
            pago.fecha = rsPagos_.Campo(QStringLiteral("Fecha"));
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

            if (blTodosLosPagos_)
                escribirLog(lineaDePago(pago));
            ProcesarPago(pago);
            ++pagos_;
            vista_.Avance(pagos_, total);
            rsPagos_.MoveNext();
        }
        log_->Cerrar();
        cn_.Execute(QStringLiteral("COMMIT"));

        if (!stLista_.isEmpty())
            host::Dialogos::actual().MsgBox(
                QStringLiteral("Lista de productos inexistentes que podrían afectar el reporte:") + CRLF + stLista_,
                host::vbOKOnly, titulo_);

        GenerarArchivoReporte(stArchivo, rsTemporal_, blSonCtes_);
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
           + (pago.cantidad.isNull() ? QString() : FormatoImporte(pago.cantidad.toDouble())) + QStringLiteral(", ")
           + (blSonCtes_ ? QStringLiteral("Cliente: ") : QStringLiteral("Proveedor: ")) + pago.clave.toString()
           + QStringLiteral(" - ") + pago.rfc.toString() + QStringLiteral(": ") + Texto(pago.nombre);
}

void clsRepIEPS::escribirLog(const QString &linea)
{
    log_->Escribir(linea);
}

void clsRepIEPS::ProcesarPago(const Pago &pago)
{
    const QString folio = ValorComoTexto(pago.folio);
    const QString referencia = blSonCtes_ ? QStringLiteral("Factura") : QStringLiteral("Compra");
    const QString desde = blSonCtes_
                              ? QStringLiteral("anexopagosctes WHERE FolioDelPago=") + folio + QStringLiteral(" AND Factura<>0")
                              : QStringLiteral("anexopagosprov WHERE FolioDelPago=") + folio + QStringLiteral(" AND Compra<>0");
    if (!bases_.AbrirTabla(rsAnexo_, cn_, desde, QStringLiteral("Cantidad,") + referencia))
        return;

    while (!rsAnexo_.Eof()) {
        const QString documento = ValorComoTexto(rsAnexo_.Campo(referencia));
        const QVariant cantidadAnexo = rsAnexo_.Campo(QStringLiteral("Cantidad"));
        const bool califica =
            blSonCtes_
                ? bases_.AbrirTabla(rsFactura_, cn_,
                                    QStringLiteral("facturas WHERE Id=") + documento
                                        + QStringLiteral(" AND ImpuestoAd<>0 AND Cancelada=0 LIMIT 1"),
                                    QStringLiteral("Serie,Factura,ImpuestoAd,(SubTotal+IVA+ImpuestoAd) AS Totaluco,Cancelada"))
                : bases_.AbrirTabla(rsFactura_, cn_,
                                    QStringLiteral("compras WHERE Compra=") + documento
                                        + QStringLiteral(" AND ImpuestoAd<>0 AND Cancelada=0 LIMIT 1"),
                                    QStringLiteral("Compra,ImpuestoAd,(SubTotal+IVA+ImpuestoAd) AS Totaluco,Cancelada"));
        if (califica) {
            if (!blTodosLosPagos_)
                escribirLog(lineaDePago(pago));

            const QVariant impuesto = rsFactura_.Campo(QStringLiteral("ImpuestoAd"));
            const QVariant total = rsFactura_.Campo(QStringLiteral("Totaluco"));
            const QString importes = QStringLiteral(", IEPS: ") + (impuesto.isNull() ? QString() : FormatoImporte(impuesto.toDouble()))
                                     + QStringLiteral(", Total: ") + (total.isNull() ? QString() : FormatoImporte(total.toDouble()));
            if (blSonCtes_) {
                const QVariant serie = rsFactura_.Campo(QStringLiteral("Serie"));
                escribirLog(Sangria(10, serie.isNull() ? QStringLiteral("Null")
                                                       : QStringLiteral("Factura: ") + serie.toString()
                                                             + ValorComoTexto(rsFactura_.Campo(QStringLiteral("Factura")))
                                                             + importes));
            } else {
                escribirLog(Sangria(10, QStringLiteral("Compra: ") + ValorComoTexto(rsFactura_.Campo(QStringLiteral("Compra")))
                                            + importes));
            }
            // The document's lines that carry IEPS, with their product's line, presentation and category.
            const QString detalle =
                blSonCtes_ ? QStringLiteral("facturasdetalle LEFT JOIN productos ON facturasdetalle.Producto=productos.Clave "
                                            "WHERE facturasdetalle.ImpuestoAd<>0 AND facturasdetalle.Id=")
                           : QStringLiteral("comprasdetalle LEFT JOIN productos ON comprasdetalle.Producto=productos.Clave "
                                            "WHERE comprasdetalle.ImpuestoAd<>0 AND comprasdetalle.Compra=");
            const QString columnas =
                blSonCtes_ ? QStringLiteral("facturasdetalle.Producto,facturasdetalle.Cantidad,facturasdetalle.PrecioNeto,"
                                            "facturasdetalle.IVA,facturasdetalle.ImpuestoAd,productos.Linea,"
                                            "productos.Pedimento,productos.CategoriaIEPS")
                           : QStringLiteral("comprasdetalle.Producto,comprasdetalle.Cantidad,comprasdetalle.CostoNeto,"
                                            "comprasdetalle.IVA,comprasdetalle.ImpuestoAd,productos.Linea,"
                                            "productos.Pedimento,productos.CategoriaIEPS");
            bases_.AbrirTabla(rsDetalle_, cn_, detalle + documento + QStringLiteral(" ORDER BY Partida"), columnas);
            while (!rsDetalle_.Eof()) {
                ProcesarDetalle(pago, cantidadAnexo, total);
                rsDetalle_.MoveNext();
            }
        }
        rsAnexo_.MoveNext();
    }
}

void clsRepIEPS::ProcesarDetalle(const Pago &pago, const QVariant &cantidadAnexo, const QVariant &totalDocumento)
{
    vista_.ProcesarEventos();

    // Share of the document that this payment covers, held in single precision.
    const double aplicado = Numero(cantidadAnexo);
    const double total = Numero(totalDocumento);
    const double numerador = aplicado * 100;
    if (total == 0)
        throw numerador == 0 ? host::errores::desbordamiento() : host::errores::divisionPorCero();
    const float porcentaje = float(numerador / total);
    if (!std::isfinite(porcentaje))
        throw host::errores::desbordamiento();
    escribirLog(Sangria(20, QStringLiteral("Pago por: ") + FormatoImporte(aplicado)
                                + QStringLiteral(", Proporción del pago respecto al total: ")
                                + FormatoImporte(double(porcentaje)) + QStringLiteral(" %")));
    const float fraccion = float(double(porcentaje) / 100);
    const double f = double(fraccion);

    const QString campoPrecio = blSonCtes_ ? QStringLiteral("PrecioNeto") : QStringLiteral("CostoNeto");
    const double cantidad = Numero(rsDetalle_.Campo(QStringLiteral("Cantidad")));
    const double precio = Numero(rsDetalle_.Campo(campoPrecio));
    const QVariant tasaIeps = rsDetalle_.Campo(QStringLiteral("ImpuestoAd"));
    const double importe = cantidad * precio;
    const double ieps = importe * Numero(tasaIeps) / 100;
    const double iepsProrrateado = RedondeoPar(f * ieps);

    const QVariant tasaIva = rsDetalle_.Campo(QStringLiteral("IVA"));
    double ivaProrrateado = 0;
    if (tasaIva.isNull() || tasaIva.toDouble() != 0) {
        const double iva = (importe + ieps) * Numero(tasaIva) / 100;
        ivaProrrateado = RedondeoPar(f * iva);
    }
    const double cantidadProrrateada = RedondeoPar(f * cantidad);
    const double importeProrrateado = RedondeoPar(f * importe);

    const QVariant producto = rsDetalle_.Campo(QStringLiteral("Producto"));
    const QVariant linea = rsDetalle_.Campo(QStringLiteral("Linea"));
    const QVariant categoria = rsDetalle_.Campo(QStringLiteral("CategoriaIEPS"));
    QString nombreLinea;
    if (!linea.isNull()) {
        const int idLinea = Entero32(linea);
        clave5_ = ObtenerClavePlaguicida(idLinea);
        const QString generica = ObtenerClaveGenerica(idLinea, Texto(categoria));
        claveGen_ = clave5_ == QLatin1String("019") ? QStringLiteral("003") : generica;
        if (bases_.AbrirTabla(rsLinea_, cn_,
                              QStringLiteral("lineas WHERE Id=") + QString::number(idLinea) + QStringLiteral(" LIMIT 1"),
                              QStringLiteral("Linea")))
            nombreLinea = Texto(rsLinea_.Campo(QStringLiteral("Linea")));
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

    Acumular(pago, rsDetalle_.Campo(QStringLiteral("Pedimento")), cantidadProrrateada, importeProrrateado,
             iepsProrrateado, ivaProrrateado);
    ++lineas_;
}

void clsRepIEPS::cierre(bool soltarTabla)
{
    bases_.CierraTabla(rsLinea_);
    bases_.CierraTabla(rsAnexo_);
    bases_.CierraTabla(rsFactura_);
    bases_.CierraTabla(rsDetalle_);
    bases_.CierraTabla(rsTemporal_);
    bases_.CierraTabla(rsPagos_);
    if (log_)
        log_->Cerrar();
    vista_.VerProceso(false);

    // The lock is released and the wait window removed even when dropping the table fails.
    std::exception_ptr fallo;
    if (bloqueada_ && cn_.abierta()) {
        bloqueada_ = false;
        if (soltarTabla) {
            try {
                cn_.Execute(QStringLiteral("DROP TABLE IF EXISTS tmptempoieps"));
            } catch (...) {
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

// The work table tmptempoieps: one row per party RFC, Campo 5 code, clave genérica and product
// presentation, with the sums of the prorated quantity, amount, IEPS and IVA.
#include "clsRepIEPS.h"

#include "BasesDD.h"
#include "Conexion.h"
#include "Formatos.h"
#include "LibKVRS.h"

namespace engine {

void clsRepIEPS::CrearTablaTemporal()
{
    cn_.Execute(QStringLiteral("DROP TABLE IF EXISTS tmptempoieps"));
    cn_.Execute(QStringLiteral(
        "Create table tmptempoieps (Clave VarChar(10) default '',RFC VarChar(13) default '',Nombre VarChar(120) "
        "default '',Estado VarChar(2) default '',Linea VarChar(3) default '',ClaveGenerica VarChar(3) default "
        "'',Presentacion float default 0,CantidadFactura Double default 0,Importe Double default 0,IEPS Double "
        "default 0,IVA Double default 0,Key( RFC,ClaveGenerica,Presentacion ))"));
}

void clsRepIEPS::Acumular(const Pago &pago, const QVariant &pedimento, double cantidad, double importe, double ieps,
                          double iva)
{
    // A product without a presentation (always so when it is missing from the catalogue) has
    // no group: it is logged and listed, not summed.
    if (pedimento.isNull())
        return;

    QString rfc = pago.rfc.isNull() ? QString() : pago.rfc.toString();
    LimpiarRFC(rfc);
    const QString presentacion = NumeroGeneral(host::LibKVRS::kvVal(pedimento));
    // The column holds the nearest single-precision number to that text; 17 digits name it exactly.
    const QString presentacionExacta = QString::number(double(float(presentacion.toDouble())), 'g', 17);

    bases_.AbrirTabla(rsTemporal_, cn_,
                      QStringLiteral("tmptempoieps WHERE RFC='") + cn_.Escapa(rfc) + QStringLiteral("' and Linea='")
                          + cn_.Escapa(clave5_) + QStringLiteral("' and Clavegenerica='") + cn_.Escapa(claveGen_)
                          + QStringLiteral("' AND Presentacion=") + presentacionExacta);
    if (rsTemporal_.Eof()) {
        rsTemporal_.AddNew();
        rsTemporal_.Collect(QStringLiteral("RFC"), rfc);
        if (rfc != QLatin1String("XAXX010101000"))
            rsTemporal_.Collect(QStringLiteral("Nombre"),
                                QuitarCaracteresEspeciales(QuitarEspaciosDobles(pago.nombre.isNull() ? QString()
                                                                                                     : pago.nombre.toString())));
        else
            rsTemporal_.Collect(QStringLiteral("Nombre"), QStringLiteral("PUBLICO EN GENERAL"));
        rsTemporal_.Collect(QStringLiteral("Estado"),
                            ObtenerClaveEstado(pago.estado.isNull() ? QString() : pago.estado.toString()));
        rsTemporal_.Collect(QStringLiteral("Linea"), clave5_);
        rsTemporal_.Collect(QStringLiteral("Presentacion"), presentacion);
        rsTemporal_.Collect(QStringLiteral("ClaveGenerica"), claveGen_);
        rsTemporal_.Collect(QStringLiteral("CantidadFactura"), 0.0);
        rsTemporal_.Collect(QStringLiteral("Importe"), 0.0);
        rsTemporal_.Collect(QStringLiteral("IEPS"), 0.0);
        rsTemporal_.Collect(QStringLiteral("IVA"), 0.0);
    }
    const auto sumar = [this](const QString &columna, double valor) {
        rsTemporal_.Collect(columna, rsTemporal_.Collect(columna).toDouble() + valor);
    };
    sumar(QStringLiteral("CantidadFactura"), cantidad);
    sumar(QStringLiteral("Importe"), importe);
    sumar(QStringLiteral("IEPS"), ieps);
    sumar(QStringLiteral("IVA"), iva);
    rsTemporal_.Update();
}

} // namespace engine

#include "Configuracion.h"

#include "ArchivoIni.h"
#include "BasesDD.h"
#include "CarpetasDelPrograma.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "LibKVRS.h"
#include "Objetos.h"
#include "Utilerias.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <memory>

namespace config {

using namespace host;

namespace {

const QChar CR(13);

// The installation's settings while they are brought up to date. A setting whose initial value
// could not be stored (a read-only settings file) is used as it would have been stored, so the
// program still starts with the same values.
class DatosInstalacion {
public:
    explicit DatosInstalacion(DelRegistro &registro) : registro_(registro) {}

    QString dato(const QString &nombre) const
    {
        const auto it = sinGuardar_.constFind(nombre);
        return it != sinGuardar_.constEnd() ? it.value() : registro_.DatosNbr(nombre);
    }
    void guardar(const QString &nombre, const QString &valor)
    {
        if (registro_.GuardaDatosNbr(nombre, valor))
            sinGuardar_.remove(nombre);
        else
            sinGuardar_.insert(nombre, valor);
    }

private:
    DelRegistro &registro_;
    QHash<QString, QString> sinGuardar_;
};

void avisarInstalacionNoEncontrada(const QString &archivoConfig, const QString &ruta, DeArchivos &archivos)
{
    const QString texto = QStringLiteral("En el archivo de configuración de este programa") + CR + CR + QLatin1Char('(')
                          + QDir::toNativeSeparators(archivoConfig) + QLatin1Char(')') + CR + CR
                          + QStringLiteral("debe indicarse la ruta correcta de Nubora Premium.") + CR
                          + QStringLiteral("Ruta indicada e incorrecta: ") + CR + CR + ruta;
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
    if (Dialogos::actual().MsgBox(QStringLiteral("¿Desea editar el archivo de configuración?"), vbYesNo + vbQuestion,
                                  QStringLiteral("Editar INI"))
        == vbYes) {
        QString archivo = archivoConfig;
        archivos.AbreDocumento(archivo, 0, 1);
    }
}

void avisarDatoDanado(const QString &nombre, const QString &archivo)
{
    const QString texto = QStringLiteral("El dato «") + nombre
                          + QStringLiteral("» de la configuración de Nubora Premium está dañado: "
                                           "no es un texto encriptado válido.")
                          + CR + CR + QStringLiteral("Archivo: ") + QDir::toNativeSeparators(archivo) + CR + CR
                          + QStringLiteral("Corríjalo, o bórrelo para que este programa lo vuelva a crear "
                                           "con su valor inicial.");
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

// A settings file that cannot be decoded is left as it is: rewriting it would damage it.
void avisarArchivoIlegible(const QString &archivo, const QString &problema, bool delPuntoDeVenta)
{
    const QString texto = (delPuntoDeVenta ? QStringLiteral("No se puede usar el archivo de configuración de Nubora Premium")
                                           : QStringLiteral("No se puede usar el archivo de configuración de este programa"))
                          + CR + CR + QLatin1Char('(') + QDir::toNativeSeparators(archivo) + QLatin1Char(')') + CR + CR
                          + QStringLiteral("Motivo: ") + problema + QLatin1Char('.') + CR + CR
                          + (delPuntoDeVenta ? QStringLiteral("Este programa no lo modificó.")
                                             : QStringLiteral("Este programa no lo modificó. Corríjalo, o bórrelo para que "
                                                              "se vuelva a crear con sus valores iniciales."));
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Atención"));
}

} // namespace

QString RutaConfiguracion()
{
    const QString programa = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(CarpetasDeEstePrograma().configuracion).filePath(programa + QStringLiteral(".ini"));
}

QString LeerIniConDefecto(const QString &seccion, const QString &clave, const QString &defecto, LibKVRS &lib,
                          const QString &archivo)
{
    const QString valor = lib.LeeIni(seccion, clave, archivo);
    if (!valor.isEmpty())
        return valor;
    lib.EscribeIni(seccion, clave, defecto, archivo);
    return defecto;
}

QString NombreReportePorDefecto(bool clientes, const QDate &hoy)
{
    return QStringLiteral("Reporte-") + (clientes ? QStringLiteral("CT") : QStringLiteral("PR"))
           + hoy.toString(QStringLiteral("-yyyyMMdd")) + QStringLiteral(".txt");
}

int SegundosDeEspera(const QString &valor)
{
    bool ok = false;
    const int n = valor.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 86400 ? n : EsperaPorDefecto;
}

QString BuscarInstalacion(const QString &ruta, DelRegistro &registro)
{
    try {
        QString r = ruta;
        return registro.BuscarRegistroNbr(r);
    } catch (...) {
        return QString();
    }
}

bool CargarConfiguracion(LibKVRS &lib, DelRegistro &registro, BasesDD &bases, const QString &archivoConfig,
                         bool leerBase)
{
    // Each failed creation has shown its own box; without these objects there is nothing to do.
    std::shared_ptr<LibKVRS> miLib;
    std::shared_ptr<DeArchivos> archivos;
    std::shared_ptr<Utilerias> utilerias;
    if (!CrearObjeto(miLib, QStringLiteral("LibKVRS"), BibliotecaHost())
        || !CrearObjeto(archivos, QStringLiteral("DeArchivos"), BibliotecaHost())
        || !CrearObjeto(utilerias, QStringLiteral("Utilerias"), BibliotecaHost()))
        return false;

    const QString problemaConfig = ini::Problema(archivoConfig);
    if (!problemaConfig.isEmpty()) {
        avisarArchivoIlegible(archivoConfig, problemaConfig, false);
        return false;
    }
    const QString ruta = LeerIniConDefecto(SeccionConfiguracion(), ClaveRutaNubora(), RutaNuboraPorDefecto(), lib,
                                           archivoConfig);
    if (BuscarInstalacion(ruta, registro).isEmpty()) {
        avisarInstalacionNoEncontrada(archivoConfig, ruta, *archivos);
        return false;
    }
    const QString problemaDatos = ini::Problema(registro.archivo());
    if (!problemaDatos.isEmpty()) {
        avisarArchivoIlegible(registro.archivo(), problemaDatos, true);
        return false;
    }

    bases.cPuerto = QStringLiteral("3306");
    bases.cPassword = QString();
    bases.cUsuario = QStringLiteral("root");

    DatosInstalacion datos(registro);
    if (miLib->kvVal(datos.dato(DatoPuerto())) == 0)
        datos.guardar(DatoPuerto(), bases.cPuerto);
    if (datos.dato(DatoServidor()).trimmed().isEmpty())
        datos.guardar(DatoServidor(), datos.dato(DatoServidorAntiguo()));
    if (datos.dato(DatoUsuario()).trimmed().isEmpty())
        datos.guardar(DatoUsuario(), utilerias->Encripta(bases.cUsuario));
    if (datos.dato(DatoPassword()).trimmed().isEmpty())
        datos.guardar(DatoPassword(), utilerias->Encripta(bases.cPassword));

    bool valido = false;
    bases.cPassword = utilerias->DesEncripta(datos.dato(DatoPassword()), &valido);
    if (!valido) {
        avisarDatoDanado(DatoPassword(), registro.archivo());
        return false;
    }
    bases.cUsuario = utilerias->DesEncripta(datos.dato(DatoUsuario()), &valido);
    if (!valido) {
        avisarDatoDanado(DatoUsuario(), registro.archivo());
        return false;
    }
    bases.cPuerto = datos.dato(DatoPuerto());
    bases.cRuta = datos.dato(DatoServidor());

    bases.nEsperaSegundos = SegundosDeEspera(LeerIniConDefecto(
        SeccionConfiguracion(), ClaveEsperaServidor(), QString::number(EsperaPorDefecto), lib, archivoConfig));
    if (leerBase)
        bases.cMiBase = LeerIniConDefecto(SeccionConfiguracion(), ClaveBasePrincipal(), BasePrincipalPorDefecto(), lib,
                                          archivoConfig);
    return true;
}

} // namespace config

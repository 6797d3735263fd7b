#include "OpcionesCli.h"

#include "CarpetasDelPrograma.h"
#include "ComprobacionDeSalida.h"
#include "Configuracion.h"
#include "Errores.h"
#include "Hoy.h"
#include "ReporteExistente.h"
#include "Trimestres.h"

#include <QDir>
#include <QRegularExpression>

namespace config {

namespace {
// The last day a MySQL date holds: the run asks for the payments before the day after the
// period, which must be one.
const QDate UltimaFechaDeLaBase(9999, 12, 31);
} // namespace

QDate FechaDiaMesAnio(const QString &texto)
{
    static const QRegularExpression patron(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QRegularExpressionMatch m = patron.match(texto.trimmed());
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

bool LeerOpcionesCli(const QStringList &argumentos, OpcionesCli &o, QString *error)
{
    const auto falla = [error](const QString &texto) { return host::Falla(error, texto); };
    struct ConValor {
        const char *nombre;
        QString *destino;
    };
    QString desde, hasta, trimestre;
    const ConValor conValor[] = {
        {"--desde", &desde},      {"--hasta", &hasta},     {"--clave", &o.clave},
        {"--trimestre", &trimestre},
        {"--archivo", &o.archivo}, {"--carpeta", &o.carpeta}, {"--config", &o.config},
        {"--servidor", &o.servidor}, {"--puerto", &o.puerto}, {"--usuario", &o.usuario},
        {"--base", &o.base}, {"--excel", &o.excel}, {"--pdf", &o.pdf},
        {"--comparar", &o.comparar}, {"--lista-69b", &o.lista69B},
    };
    const struct {
        const char *nombre;
        bool *destino;
    } banderas[] = {
        {"--proveedores", &o.proveedores},   {"--por-categoria", &o.porCategoria},
        {"--todos-los-pagos", &o.todosLosPagos}, {"--estadisticas", &o.estadisticas},
        {"--resumen", &o.resumen},
        {"--sin-reemplazar", &o.sinReemplazar},
        {"--consultas-por-renglon", &o.porRenglon},
        {"--help", &o.ayuda},                {"-h", &o.ayuda},
        {"--ayuda", &o.ayuda},               {"--version", &o.version},
    };

    for (int i = 0; i < argumentos.size(); ++i) {
        QString arg = argumentos[i];
        QString valorEnLinea;
        bool tieneValorEnLinea = false;
        const int igual = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && igual > 0) {
            valorEnLinea = arg.mid(igual + 1);
            arg = arg.left(igual);
            tieneValorEnLinea = true;
        }
        bool conocida = false;
        for (const auto &b : banderas) {
            if (arg == QLatin1String(b.nombre)) {
                if (tieneValorEnLinea)
                    return falla(QStringLiteral("La opción %1 no lleva valor.").arg(arg));
                *b.destino = true;
                conocida = true;
            }
        }
        for (const ConValor &c : conValor) {
            if (arg != QLatin1String(c.nombre))
                continue;
            conocida = true;
            if (tieneValorEnLinea) {
                *c.destino = valorEnLinea;
            } else {
                if (i + 1 >= argumentos.size() || argumentos[i + 1].startsWith(QLatin1String("--")))
                    return falla(QStringLiteral("Falta el valor de la opción %1.").arg(arg));
                *c.destino = argumentos[++i];
            }
        }
        if (!conocida)
            return falla(QStringLiteral("Opción desconocida: %1").arg(argumentos[i]));
    }
    if (o.ayuda || o.version)
        return true;
    const auto dada = [&argumentos](const char *opcion) { return OpcionDada(argumentos, opcion); };

    // A quarter is the same as its first and last days given as dates.
    if (dada("--trimestre")) {
        if (dada("--desde") || dada("--hasta"))
            return falla(QStringLiteral("La opción --trimestre no va junto con --desde ni --hasta."));
        Trimestre t;
        if (!LeerTrimestre(trimestre, t, error))
            return false;
        desde = t.primerDia().toString(QStringLiteral("dd/MM/yyyy"));
        hasta = t.ultimoDia().toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (desde.isEmpty())
        return falla(QStringLiteral("Falta la fecha inicial (--desde DD/MM/AAAA)."));
    if (hasta.isEmpty())
        return falla(QStringLiteral("Falta la fecha final (--hasta DD/MM/AAAA)."));
    o.desde = FechaDiaMesAnio(desde);
    if (!o.desde.isValid())
        return falla(QStringLiteral("La fecha inicial «%1» no es una fecha válida (DD/MM/AAAA).").arg(desde));
    o.hasta = FechaDiaMesAnio(hasta);
    if (!o.hasta.isValid())
        return falla(QStringLiteral("La fecha final «%1» no es una fecha válida (DD/MM/AAAA).").arg(hasta));
    if (o.desde > o.hasta)
        return falla(MensajePeriodoAlReves(desde, hasta));
    if (!FechaFinalAdmitida(o.hasta))
        return falla(MensajeFechaFinalNoAdmitida(hasta));
    // "--archivo=" given empty is as wrong as a name of blanks: it must not fall back to the
    // default name silently.
    if (dada("--archivo") && o.archivo.trimmed().isEmpty())
        return falla(QStringLiteral("El nombre del archivo no puede quedar en blanco."));
    // Nor may any other option given blank mean "all" or its default.
    const struct {
        const char *opcion;
        const QString &valor;
        const char *falta;
    } sinBlancos[] = {
        {"--clave", o.clave, "la clave del cliente o proveedor"}, {"--carpeta", o.carpeta, "el nombre de la carpeta"},
        {"--config", o.config, "el nombre del archivo de configuración"}, {"--servidor", o.servidor, "el nombre del servidor"},
        {"--puerto", o.puerto, "el número del puerto"}, {"--usuario", o.usuario, "el nombre del usuario"},
        {"--base", o.base, "el nombre de la base de datos"}, {"--excel", o.excel, "el nombre del libro de Excel"},
        {"--pdf", o.pdf, "el nombre del PDF"}, {"--comparar", o.comparar, "el nombre del reporte anterior"},
        {"--lista-69b", o.lista69B, "el nombre de la lista 69-B"},
    };
    for (const auto &b : sinBlancos) {
        if (dada(b.opcion) && b.valor.trimmed().isEmpty())
            return falla(QStringLiteral("Falta %1 en %2.").arg(QString::fromUtf8(b.falta), QLatin1String(b.opcion)));
    }
    if (!o.puerto.isEmpty() && !EsPuertoValido(o.puerto))
        return falla(QStringLiteral("El puerto «%1» no es un número de puerto válido.").arg(o.puerto));

    // The connection comes whole from the options or whole from the configuration: a port or a
    // user without a server would otherwise be silently ignored.
    for (const char *opcion : {"--puerto", "--usuario"}) {
        if (dada(opcion) && !dada("--servidor"))
            return falla(QStringLiteral("La opción %1 sólo vale junto con --servidor; sin --servidor la conexión "
                                        "sale de la configuración.")
                             .arg(QLatin1String(opcion)));
    }
    if (EsBaseDelServidor(o.base))
        return falla(MensajeBaseDelServidor(o.base));
    // Checked here, before any connection: a run that could not write its files is not started.
    if (!ComprobarSalidasCli(o, QString(), error))
        return false;
    return !o.sinReemplazar || ComprobarQueNoExiste(CarpetaDeSalida(o), NombreDelReporte(o), error);
}

bool ComprobarSalidasCli(const OpcionesCli &o, const QString &instalacion, QString *error)
{
    const ArchivosDelPrograma propios{{ArchivoDeConfiguracion(OpcionesCli()), o.config}, instalacion};
    const QString carpeta = CarpetaDeSalida(o);
    if (!ComprobarSalida(carpeta, NombreDelReporte(o), error, propios))
        return false;
    const QString reporte = QDir(carpeta).filePath(NombreDelReporte(o));
    return (o.excel.isEmpty() || ComprobarOtraSalida(o.excel, QStringLiteral("el libro de Excel"), reporte, propios, error))
           && (o.pdf.isEmpty() || ComprobarOtraSalida(o.pdf, QStringLiteral("el PDF"), reporte, propios, error));
}

QString NombreDelReporte(const OpcionesCli &o)
{
    return o.archivo.isEmpty() ? NombreReportePorDefecto(!o.proveedores, Hoy()) : o.archivo;
}

QString ArchivoDeConfiguracion(const OpcionesCli &o)
{
    return o.config.isEmpty() ? QDir(CarpetasDeEstePrograma().configuracion).filePath(QStringLiteral("repieps.ini"))
                              : o.config;
}

bool OpcionDada(const QStringList &argumentos, const char *opcion)
{
    for (const QString &a : argumentos) {
        if (a == QLatin1String(opcion) || a.startsWith(QLatin1String(opcion) + QLatin1Char('=')))
            return true;
    }
    return false;
}

QString CarpetaDeSalida(const OpcionesCli &o)
{
    if (!o.carpeta.isEmpty())
        return o.carpeta;
    // Where the program's folder can be written, the current folder as for any command; installed,
    // the same folder in the user's documents as the window's.
    const CarpetasDelPrograma carpetas = CarpetasDeEstePrograma();
    return carpetas.delUsuario ? carpetas.salida : QDir::currentPath();
}

bool EsBaseDelServidor(const QString &base)
{
    static const QStringList propias{QStringLiteral("mysql"), QStringLiteral("information_schema"),
                                     QStringLiteral("performance_schema"), QStringLiteral("sys")};
    return propias.contains(base.trimmed(), Qt::CaseInsensitive);
}

QString MensajeBaseDelServidor(const QString &base)
{
    return QStringLiteral("La base «%1» es del propio servidor MySQL, no de un punto de venta: el reporte no se "
                          "genera en ella.")
        .arg(base.trimmed());
}

QString AyudaCli()
{
    return QStringLiteral(
        "Uso: repieps-cli --desde DD/MM/AAAA --hasta DD/MM/AAAA [opciones]\n"
        "     repieps-cli --trimestre AAAA-T [opciones]\n"
        "\n"
        "Genera el reporte especial de IEPS de los pagos del periodo y su bitácora (Log).\n"
        "\n"
        "Opciones:\n"
        "  --desde DD/MM/AAAA     primer día del periodo (incluido)\n"
        "  --hasta DD/MM/AAAA     último día del periodo (incluido)\n"
        "  --trimestre AAAA-T     el trimestre T (1 a 4) del año AAAA, en lugar de --desde y\n"
        "                         --hasta: 2018-1 es del 01/01/2018 al 31/03/2018\n"
        "  --proveedores          reporte de proveedores (compras); sin ella, de clientes (facturas)\n"
        "  --clave CLAVE          sólo el cliente o proveedor con esa clave; sin ella, todos\n"
        "  --archivo NOMBRE       nombre del reporte (por omisión Reporte-CT-aaaammdd.txt o\n"
        "                         Reporte-PR-aaaammdd.txt); la bitácora se llama LogNOMBRE y la\n"
        "                         revisión del reporte RevisionNOMBRE (su resumen sale en la\n"
        "                         salida de errores)\n"
        "  --carpeta DIR          carpeta del reporte y de la bitácora (por omisión, la actual;\n"
        "                         con el programa instalado, la carpeta repieps de Documentos)\n"
        "  --por-categoria        clasifica por la categoría IEPS del producto; sin ella, por\n"
        "                         la línea de productos\n"
        "  --todos-los-pagos      la bitácora registra todos los pagos\n"
        "  --config ARCHIVO.ini   archivo de configuración (por omisión repieps.ini junto al programa;\n"
        "                         con el programa instalado, en la carpeta de configuración del\n"
        "                         usuario, ~/.config/repieps en Linux); su clave «Segundos de\n"
        "                         espera del servidor» dice cuánto puede tardar el servidor en\n"
        "                         responder una consulta (%1 si falta)\n"
        "  --servidor HOST        toma la conexión de estas opciones y no lee la configuración;\n"
        "                         la contraseña se lee de la variable de entorno REPIEPS_PASSWORD;\n"
        "                         el servidor tiene %1 segundos para responder cada consulta\n"
        "  --puerto N             puerto del servidor MySQL (por omisión %2); sólo con --servidor\n"
        "  --usuario USUARIO      usuario de MySQL (por omisión %3); sólo con --servidor\n"
        "  --base NOMBRE          base de datos (por omisión la de la configuración, o datos1)\n"
        "  --resumen              al terminar, escribe el resumen del reporte leído de su archivo:\n"
        "                         por RFC, en el orden del reporte, sus renglones, cantidad,\n"
        "                         importe, IEPS, IVA y hallazgos de la revisión, y los totales\n"
        "  --excel ARCHIVO.xlsx   al terminar, escribe el reporte en un libro de Excel: hojas\n"
        "                         Resumen (por RFC, con totales), Renglones (cada renglón del\n"
        "                         reporte, un campo por columna) y Revisión (los hallazgos)\n"
        "  --pdf ARCHIVO.pdf      al terminar, escribe el resumen del reporte en un PDF: por RFC,\n"
        "                         con totales, y los hallazgos de la revisión por tipo (no\n"
        "                         necesita pantalla)\n"
        "  --comparar ANTERIOR.txt  al terminar, compara el reporte con uno anterior del mismo\n"
        "                         lado (leído antes de la corrida, así que puede ser el que esta\n"
        "                         reemplaza): por RFC y por renglón que cambió, cantidad, importe,\n"
        "                         IEPS e IVA antes, ahora y su diferencia, los RFC que entraron o\n"
        "                         salieron de los 50 y los totales; con --excel, también en la\n"
        "                         hoja Comparación\n"
        "  --lista-69b ARCHIVO.csv  la revisión busca los RFC de los pagos en esa copia del\n"
        "                         «Listado completo 69-B» del SAT (contribuyentes con operaciones\n"
        "                         simuladas); una lista que no se puede leer no detiene el\n"
        "                         proceso: la revisión y la salida de errores dicen por qué\n"
        "  --sin-reemplazar       si el reporte ya existe en la carpeta, no lo reemplaza y sale\n"
        "                         con 2 (sin ella, el reporte, el Log y la revisión anteriores se\n"
        "                         reemplazan)\n"
        "  --estadisticas         al terminar, escribe en la salida de errores pagos, líneas,\n"
        "                         consultas, segundos y la forma de lectura del proceso\n"
        "  --consultas-por-renglon  lee la base renglón por renglón (una consulta por pago,\n"
        "                         documento y línea), como referencia; sin ella lee el periodo\n"
        "                         por lotes, con el mismo resultado y muchas menos consultas\n"
        "  --help                 muestra esta ayuda\n"
        "  --version              muestra la versión del programa\n"
        "\n"
        "Códigos de salida:\n"
        "  0  el reporte se generó\n"
        "  1  el proceso falló (no se pudo abrir la base de datos, el servidor no respondió a\n"
        "     tiempo, un disco lleno u otro error lo detuvo): el reporte, el Log y la revisión\n"
        "     anteriores quedan como estaban y lo registrado queda en LogFallo + el nombre;\n"
        "     también si el reporte se generó pero no se pudo leer para el resumen o escribir\n"
        "     el libro de Excel o el PDF\n"
        "  2  uso incorrecto (opción desconocida o con el valor vacío, fecha faltante, mal escrita,\n"
        "     después del 30/12/9999 o periodo al revés, --puerto o --usuario sin --servidor, una\n"
        "     base propia del servidor, un nombre de archivo vacío, con carpeta o demasiado largo,\n"
        "     una carpeta que no existe o sin permiso de escritura, un reporte, libro o PDF sobre\n"
        "     repieps.ini, NuboraPremium.ini u otro archivo del mismo reporte, un reporte, Log o\n"
        "     revisión anterior de solo lectura, un reporte que ya existe con --sin-reemplazar,\n"
        "     un reporte anterior de --comparar que no se puede leer, que no es un reporte o que\n"
        "     es del otro lado)\n"
        "  3  ningún pago cumple las condiciones: no se escribió ningún archivo\n"
        "  4  otro reporte se está generando en la misma base, o la tiene tomada una corrida que\n"
        "     no responde: inténtelo más tarde\n")
        .arg(QString::number(EsperaPorDefecto), PuertoPorDefecto(), UsuarioPorDefecto());
}

QString MensajePeriodoAlReves(const QString &desde, const QString &hasta)
{
    return QStringLiteral("La fecha inicial (%1) es posterior a la final (%2).").arg(desde, hasta);
}

bool FechaFinalAdmitida(const QDate &hasta)
{
    return hasta < UltimaFechaDeLaBase;
}

QString MensajeFechaFinalNoAdmitida(const QString &hasta)
{
    return QStringLiteral("La fecha final (%1) no se puede usar: el periodo debe terminar a más tardar el %2.")
        .arg(hasta, UltimaFechaDeLaBase.addDays(-1).toString(QStringLiteral("dd/MM/yyyy")));
}

} // namespace config

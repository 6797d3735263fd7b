#include "MotivosDelSistema.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

namespace host {

namespace {

struct Traduccion {
    const char *sistema; // as the system or Qt words it, compared without case or final period
    const char *espanol;
};

// POSIX texts (strerror), the same failures as Windows words them in English (and Wine, in
// shorter words), and Qt's own.
const Traduccion Traducciones[] = {
    {"Disk full", "no queda espacio en el disco"},
    {"Access denied", "permiso denegado"},
    {"File not found", "no existe el archivo o la carpeta"},
    {"Path not found", "no existe el archivo o la carpeta"},
    {"Write protected", "el disco es de solo lectura"},
    {"Sharing violation", "el archivo está en uso"},
    {"No space left on device", "no queda espacio en el disco"},
    {"There is not enough space on the disk", "no queda espacio en el disco"},
    {"Partial write. Partition full?", "no queda espacio en el disco"},
    {"Disk quota exceeded", "no queda espacio en el disco (se alcanzó la cuota del usuario)"},
    {"Permission denied", "permiso denegado"},
    {"Access is denied", "permiso denegado"},
    {"Operation not permitted", "permiso denegado"},
    {"No such file or directory", "no existe el archivo o la carpeta"},
    {"The system cannot find the file specified", "no existe el archivo o la carpeta"},
    {"The system cannot find the path specified", "no existe el archivo o la carpeta"},
    {"File name too long", "el nombre es demasiado largo"},
    {"The filename or extension is too long", "el nombre es demasiado largo"},
    {"Read-only file system", "el disco es de solo lectura"},
    {"The media is write protected", "el disco es de solo lectura"},
    {"Is a directory", "es una carpeta, no un archivo"},
    {"Filename refers to a directory", "es una carpeta, no un archivo"},
    {"Not a directory", "una parte de la ruta no es una carpeta"},
    {"Input/output error", "error de lectura o escritura en el disco"},
    {"Too many open files", "hay demasiados archivos abiertos"},
    {"Text file busy", "el archivo está en uso"},
    {"The process cannot access the file because it is being used by another process", "el archivo está en uso"},
};

QString normalizado(QString t)
{
    t = t.trimmed();
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

// The folder that holds the file, or the nearest one above it that exists.
QString carpetaExistente(const QString &ruta)
{
    QString carpeta = QFileInfo(ruta).absolutePath();
    while (!QFileInfo::exists(carpeta)) {
        const QString arriba = QFileInfo(carpeta).absolutePath();
        if (arriba == carpeta)
            break;
        carpeta = arriba;
    }
    return carpeta;
}

} // namespace

QString MotivoEnEspanol(const QString &textoDelSistema)
{
    const QString t = normalizado(textoDelSistema);
    for (const Traduccion &tr : Traducciones) {
        if (t.compare(QLatin1String(tr.sistema), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(tr.espanol);
    }
    // Qt's "Existing file %1 is not writable" names the file.
    if (t.startsWith(QLatin1String("Existing file "), Qt::CaseInsensitive)
        && t.endsWith(QLatin1String(" is not writable"), Qt::CaseInsensitive))
        return QStringLiteral("permiso denegado");
    if (t.isEmpty() || t.compare(QLatin1String("Unknown error"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("el sistema no dio el motivo");
    return textoDelSistema.trimmed();
}

QString MotivoDeArchivo(const QFileDevice &archivo)
{
    // Windows says only "access denied" when a folder is opened as a file.
    if (!archivo.fileName().isEmpty() && QFileInfo(archivo.fileName()).isDir())
        return MotivoEnEspanol(QStringLiteral("Is a directory"));
    const QString motivo = MotivoEnEspanol(archivo.errorString());
    if (motivo == QLatin1String("el sistema no dio el motivo") && !archivo.fileName().isEmpty()) {
        const QStorageInfo disco(carpetaExistente(archivo.fileName()));
        if (disco.isValid() && disco.isReady() && disco.bytesAvailable() == 0)
            return MotivoEnEspanol(QStringLiteral("No space left on device"));
    }
    return motivo;
}

QString MotivoDeConexion(int numero, const QString &textoDelCliente)
{
    const QString t = textoDelCliente.trimmed();
    // errno 110 / WSAETIMEDOUT 10060 in the text: the server's machine did not answer at all.
    const bool sinRespuesta = t.endsWith(QLatin1String("(110)")) || t.endsWith(QLatin1String("(10060)"))
                              || t.contains(QLatin1String("system error: 110"));
    QString motivo;
    switch (numero) {
    case 2002:
    case 2003:
        motivo = sinRespuesta ? QStringLiteral("el servidor no respondió a tiempo")
                              : QStringLiteral("el servidor no acepta conexiones en ese puerto: revise que esté "
                                               "encendido y que el servidor y el puerto sean los correctos");
        break;
    case 2005:
        motivo = QStringLiteral("no se encontró un servidor con ese nombre");
        break;
    case 2013:
        motivo = QStringLiteral("el servidor no respondió a tiempo");
        break;
    case 1040:
        motivo = QStringLiteral("el servidor tiene demasiadas conexiones abiertas; intente más tarde");
        break;
    case 1044:
        motivo = QStringLiteral("el usuario no tiene permiso para usar esa base de datos");
        break;
    case 1045:
        motivo = QStringLiteral("el servidor no aceptó el usuario o la contraseña");
        break;
    case 1049:
        motivo = QStringLiteral("no existe esa base de datos en el servidor");
        break;
    case 1130:
        motivo = QStringLiteral("el servidor no admite conexiones desde este equipo");
        break;
    default:
        return t;
    }
    return t.isEmpty() ? motivo : motivo + QStringLiteral(" (") + t + QLatin1Char(')');
}

QString MotivoDelServidor(int numero, const QString &textoDelServidor, const QString &base)
{
    const QString t = textoDelServidor.trimmed();
    QString motivo;
    switch (numero) {
    case 1044: // database access denied
    case 1142: // command denied for a table
    case 1143: // command denied for a column
    case 1227: // a global privilege is missing
        motivo = QStringLiteral("el usuario de la base de datos no tiene los permisos que el reporte necesita en la "
                                "base «%1»: además de consultar (SELECT) las tablas del punto de venta, debe poder "
                                "crear, borrar y llenar (CREATE, DROP e INSERT) la tabla de trabajo tmptempoieps, "
                                "que el reporte arma en esa misma base")
                     .arg(base);
        break;
    case 1226:
        motivo = QStringLiteral("el usuario de la base de datos llegó a un límite de uso que el servidor le fija; intente más tarde");
        break;
    case 1317:
        motivo = QStringLiteral("el servidor interrumpió la consulta: se canceló desde otra conexión o el servidor "
                                "se está deteniendo");
        break;
    case 1050: // table exists
    case 1347: // not a base table
        motivo = t.contains(QLatin1String("tmptempoieps"))
                     ? QStringLiteral("en la base «%1» hay otro objeto (una vista u otra tabla) con el nombre "
                                      "tmptempoieps, que el reporte usa para su tabla de trabajo: pida a quien "
                                      "administra la base que lo cambie de nombre o lo borre")
                           .arg(base)
                     : QStringLiteral("en la base «%1» hay otro objeto con ese nombre").arg(base);
        break;
    case 1264: // out of range for its column
    case 1690: // out of range in an expression
    case 1406: // too long for its column
        motivo = QStringLiteral("un valor es demasiado grande para su columna en la base «%1»").arg(base);
        break;
    case 1267: // "Illegal mix of collations", of two, three or more texts
    case 1270:
    case 1271:
        motivo = QStringLiteral("la base «%1» guarda textos que el reporte compara con reglas de comparación "
                                "(colaciones) distintas, que el servidor no puede comparar entre sí: pida a quien "
                                "administra la base que las tablas del punto de venta usen la misma")
                     .arg(base);
        break;
    case 1205:
    case 1213:
        motivo = QStringLiteral("otra conexión tiene ocupadas las tablas que el reporte necesita; intente más tarde");
        break;
    case 1146:
        motivo = QStringLiteral("falta una tabla del punto de venta en la base «%1»: revise que sea la base de "
                                "Nubora Premium")
                     .arg(base);
        break;
    case 1054:
        motivo = QStringLiteral("falta una columna que el reporte lee en la base «%1»: revise que sea la base de "
                                "Nubora Premium")
                     .arg(base);
        break;
    default:
        return t;
    }
    return t.isEmpty() ? motivo : motivo + QStringLiteral(" (") + t + QLatin1Char(')');
}

Error ErrorDeArchivo(const QString &accion, const QString &ruta, const QString &motivo)
{
    return Error(errores::AccesoArchivo,
                 QStringLiteral("%1 el archivo %2: %3").arg(accion, QDir::toNativeSeparators(ruta), motivo));
}

Error ErrorDeArchivo(const QString &accion, const QFileDevice &archivo)
{
    return ErrorDeArchivo(accion, archivo.fileName(), MotivoDeArchivo(archivo));
}

} // namespace host

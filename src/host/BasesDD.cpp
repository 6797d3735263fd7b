#include "BasesDD.h"

#include "Conexion.h"
#include "Errores.h"
#include "MotivosDelSistema.h"
#include "Registros.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace host {

namespace {
const QString Driver = QStringLiteral("QMYSQL");

// Whether an open connection still reaches the server (it may have been closed by an idle
// timeout, a KILL or a server restart).
bool viva(Conexion &cn)
{
    if (!cn.abierta())
        return false;
    QSqlQuery q(cn.bd());
    return q.exec(QStringLiteral("DO 1"));
}

// A set-up statement that failed: what the session lacks without it, and the server's reason.
QString Fallida(const QSqlQuery &q, const QString &sentencia, const QString &sinElla, const QString &base)
{
    return sinElla + QStringLiteral(" (") + ErrorDeConsulta(q.lastError(), sentencia, base).descripcion() + QLatin1Char(')');
}

// The session as a run needs it, or why it cannot be had. Without its id on the server a run
// could not be cancelled; without UTF-8 the names would be read in the server's default character
// set. Text columns of the work table take what fits, as a lenient server would, instead of
// refusing a long name; and the escaping must know how the server reads backslashes.
QString prepararSesion(Conexion &cn)
{
    QSqlQuery q(cn.bd());
    const QString base = cn.bd().databaseName();
    const QString id = QStringLiteral("SELECT CONNECTION_ID()");
    if (!q.exec(id) || !q.next())
        return Fallida(q, id, QStringLiteral("el servidor no dio el número de la conexión, sin el cual el proceso no se "
                                             "podría cancelar"), base);
    cn.setIdEnServidor(q.value(0).toLongLong());
    const QString utf8 = QStringLiteral("SET NAMES utf8mb4");
    if (!q.exec(utf8))
        return Fallida(q, utf8, QStringLiteral("el servidor no aceptó hablar en UTF-8, y los nombres con acentos se leerían "
                                               "mal"), base);
    const QString modo = QStringLiteral("SELECT @@SESSION.sql_mode");
    if (!q.exec(modo) || !q.next())
        return Fallida(q, modo, QStringLiteral("no se pudo leer el modo de la sesión (sql_mode)"), base);
    QStringList modos = q.value(0).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
    cn.setSinEscapesBarra(modos.contains(QLatin1String("NO_BACKSLASH_ESCAPES")));
    if (modos.removeAll(QLatin1String("STRICT_TRANS_TABLES")) + modos.removeAll(QLatin1String("STRICT_ALL_TABLES")) == 0)
        return QString();
    const QString sinEstricto = QStringLiteral("SET SESSION sql_mode='%1'").arg(modos.join(QLatin1Char(',')));
    if (!q.exec(sinEstricto))
        return Fallida(q, sinEstricto, QStringLiteral("no se pudo quitar el modo estricto de la sesión (sql_mode), y un "
                                                      "nombre largo detendría el proceso"), base);
    return QString();
}
} // namespace

QString ConsultaDeTabla(const QString &desde, const QString &campos)
{
    return QStringLiteral("SELECT ") + (campos.isEmpty() ? QStringLiteral("*") : campos) + QStringLiteral(" FROM ") + desde;
}

QString TablaDeConsulta(const QString &desde)
{
    const QString t = desde.trimmed();
    int fin = 0;
    while (fin < t.size() && !t.at(fin).isSpace())
        ++fin;
    const QString tabla = t.left(fin);
    const QString resto = t.mid(fin).trimmed();
    if (resto.isEmpty() || resto.startsWith(QLatin1String("WHERE "), Qt::CaseInsensitive))
        return tabla;
    return QString();
}

bool BasesDD::AbrirBdD(Conexion &cn, const QString &base, QString *error)
{
    if (cn.abierta() && cn.bd().databaseName() == base && viva(cn))
        return true;
    return conectar(cn, base, error);
}

bool BasesDD::conectar(Conexion &cn, const QString &base, QString *error)
{
    QSqlDatabase &bd = cn.bd();
    if (bd.isValid())
        bd.close();
    else
        bd = QSqlDatabase::addDatabase(Driver, cn.nombre());
    if (!bd.isValid())
        return Falla(error, QStringLiteral("No está disponible el controlador de MySQL (%1) de Qt.").arg(Driver));
    bool ok = false;
    const int puerto = cPuerto.trimmed().toInt(&ok);
    bd.setHostName(cRuta.trimmed());
    bd.setPort(ok && puerto > 0 ? puerto : PuertoDeMySQL);
    bd.setUserName(cUsuario);
    bd.setPassword(cPassword);
    bd.setDatabaseName(base);
    QString opciones = QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(cn.segundosParaConectar());
    if (nEsperaSegundos > 0)
        opciones += QStringLiteral(";MYSQL_OPT_READ_TIMEOUT=%1;MYSQL_OPT_WRITE_TIMEOUT=%1").arg(nEsperaSegundos);
    bd.setConnectOptions(opciones);
    cn.setEsperaMaxima(nEsperaSegundos);
    cn.EmpezarEspera();
    const bool abierta = bd.open();
    cn.TerminarEspera();
    if (!abierta) {
        const QSqlError e = bd.lastError();
        bd.close();
        return Falla(error, QStringLiteral("No se pudo conectar con la base de datos «%1» en el servidor «%2», puerto %3: %4")
                                .arg(base, cRuta, QString::number(bd.port()),
                                     MotivoDeConexion(e.nativeErrorCode().toInt(),
                                                      e.databaseText().isEmpty() ? e.driverText() : e.databaseText())));
    }
    const QString problema = prepararSesion(cn);
    if (!problema.isEmpty()) {
        bd.close();
        cn.setIdEnServidor(0);
        return Falla(error, QStringLiteral("No se pudo preparar la conexión con la base de datos «%1» en el servidor «%2», "
                                           "puerto %3: %4")
                                .arg(base, cRuta, QString::number(bd.port()), problema));
    }
    return true;
}

bool BasesDD::AbrirTabla(Registros &rs, Conexion &cn, const QString &desde, const QString &campos)
{
    rs.Abrir(cn, ConsultaDeTabla(desde, campos), TablaDeConsulta(desde));
    return !rs.Eof();
}

void BasesDD::CierraTabla(Registros &rs)
{
    rs.Cerrar();
}

void BasesDD::CierraBdD(Conexion &cn)
{
    if (cn.bd().isValid())
        cn.bd().close();
}

} // namespace host

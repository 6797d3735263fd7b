#include "Conexion.h"

#include "Errores.h"
#include "LibKVRS.h"
#include "MotivosDelSistema.h"

#include <QAtomicInt>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

#include <chrono>
#include <charconv>

namespace host {

namespace {
QAtomicInt siguiente;
} // namespace

QString NumeroSql(double valor)
{
    char texto[32];
    const auto fin = std::to_chars(texto, texto + sizeof texto, valor).ptr;
    return QString::fromLatin1(texto, int(fin - texto));
}

namespace {
const QString TextoSinConexion = QStringLiteral("No hay conexión con la base de datos");
} // namespace

bool ConexionPerdida(int numero)
{
    return numero == 2006 || numero == 2013 || numero == 2055 || numero == 1053 || numero == 1927;
}

ErrorSql SinConexion(const QString &sentencia)
{
    return ErrorSql(2006, TextoSinConexion, sentencia);
}

ErrorSql ErrorDeConsulta(const QSqlError &e, const QString &sentencia, const QString &base)
{
    bool ok = false;
    int numero = e.nativeErrorCode().toInt(&ok);
    QString mensaje = e.databaseText().isEmpty() ? e.driverText() : e.databaseText();
    // The client library's own messages are in English; the ones a user meets when the network
    // or the server fails get a Spanish explanation in front.
    if (ok && (numero == 2006 || numero == 2013))
        mensaje = QStringLiteral("Se perdió la conexión con el servidor de base de datos (%1)").arg(mensaje);
    else if (mensaje.isEmpty())
        mensaje = TextoSinConexion;
    else if (ok)
        mensaje = MotivoDelServidor(numero, mensaje, base);
    return ErrorSql(ok ? numero : -1, mensaje, sentencia);
}

ErrorSql SinRespuesta(int segundos, const QString &sentencia)
{
    return ErrorSql(2013, QStringLiteral("El servidor de base de datos no respondió en %1 segundos").arg(segundos),
                    sentencia);
}

Conexion::Conexion()
    : nombre_(QStringLiteral("repieps-%1").arg(siguiente.fetchAndAddRelaxed(1)))
{
}

Conexion::~Conexion()
{
    Soltar();
}

void Conexion::Soltar()
{
    if (bd_.isValid()) {
        bd_.close();
        bd_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre_);
    }
    idEnServidor_ = 0;
}

qint64 Conexion::ServidorMs()
{
    using namespace std::chrono;
    // Never 0, which means "not waiting".
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
}

void Conexion::EmpezarEspera()
{
    esperandoDesde_ = ServidorMs();
}

void Conexion::TerminarEspera()
{
    esperandoDesde_ = 0;
}

bool Conexion::abierta() const
{
    return bd_.isValid() && bd_.isOpen();
}

void Conexion::Ejecutar(QSqlQuery &q, const QString &sentencia)
{
    if (!abierta())
        throw SinConexion(sentencia);
    sentenciaEnCurso_ = ++consultas_;
    QElapsedTimer reloj;
    reloj.start();
    EmpezarEspera();
    const bool hecha = q.exec(sentencia);
    TerminarEspera();
    if (!hecha)
        Fallo(q.lastError(), sentencia, reloj.elapsed());
}

bool Conexion::SiguienteResultado(QSqlQuery &q, const QString &sentencias)
{
    QElapsedTimer reloj;
    reloj.start();
    EmpezarEspera();
    const bool hay = q.nextResult();
    TerminarEspera();
    if (hay)
        return true;
    // The statements after one that failed are not run: its error ends them all.
    if (q.lastError().type() != QSqlError::NoError)
        Fallo(q.lastError(), sentencias, reloj.elapsed());
    return false;
}

void Conexion::Fallo(const QSqlError &e, const QString &sentencia, qint64 msEsperados) const
{
    // The client library gives up on a silent server once the wait is over, with "lost
    // connection" while reading its answer or "server has gone away" while sending to it.
    const QString numero = e.nativeErrorCode();
    if (esperaMaxima_ > 0 && (numero == QLatin1String("2013") || numero == QLatin1String("2006"))
        && msEsperados >= qint64(esperaMaxima_) * 1000 - 250)
        throw SinRespuesta(esperaMaxima_, sentencia);
    throw ErrorDeConsulta(e, sentencia, bd_.databaseName());
}

void Conexion::Execute(const QString &sentencia)
{
    QSqlQuery q(bd_);
    Ejecutar(q, sentencia);
}

QVariant Conexion::Valor(const QString &consulta)
{
    QSqlQuery q(bd_);
    q.setForwardOnly(true);
    Ejecutar(q, consulta);
    return q.next() ? q.value(0) : QVariant();
}

QString Conexion::Escapa(const QString &texto) const
{
    if (!texto.contains(QLatin1Char('\'')) && !texto.contains(QLatin1Char('\\')))
        return texto;
    QString r;
    r.reserve(texto.size() + 8);
    for (QChar c : texto) {
        if (c == QLatin1Char('\''))
            r += QLatin1String("''");
        else if (c == QLatin1Char('\\') && !sinEscapesBarra_)
            r += QLatin1String("\\\\");
        else
            r += c;
    }
    return r;
}

QString Conexion::Literal(const QVariant &valor) const
{
    if (!valor.isValid() || valor.isNull())
        return QStringLiteral("NULL");
    switch (valor.metaType().id()) {
    case QMetaType::Double:
        return NumeroSql(valor.toDouble());
    case QMetaType::Float:
        return NumeroSql(double(valor.toFloat()));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return valor.toString();
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDate:
        return QLatin1Char('\'') + LibKVRS::FechaSQL(valor.toDate()) + QLatin1Char('\'');
    case QMetaType::QDateTime:
        return QLatin1Char('\'') + valor.toDateTime().toString(LibKVRS::FormatoFechaSQL() + QStringLiteral(" HH:mm:ss.zzz"))
               + QLatin1Char('\'');
    default:
        return QLatin1Char('\'') + Escapa(valor.toString()) + QLatin1Char('\'');
    }
}

} // namespace host

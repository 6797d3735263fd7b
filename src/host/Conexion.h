#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <atomic>

class QSqlError;
class QSqlQuery;

namespace host {

class ErrorSql;

// A double written for SQL with the fewest digits that read back as exactly the same number.
QString NumeroSql(double valor);

// Whether a statement's error number says that the connection is gone: the server closed it or
// stopped, the session was killed, or the server did not answer (2006, 2013, 2055, 1053, 1927).
bool ConexionPerdida(int numero);

// The error of a statement that found the connection closed.
ErrorSql SinConexion(const QString &sentencia);

// The error of a statement the server refused (or that could not be sent), as an exception, with
// the server's text explained in Spanish (base: the database it ran on).
ErrorSql ErrorDeConsulta(const QSqlError &error, const QString &sentencia, const QString &base);
// The error of a statement the server did not answer in time.
ErrorSql SinRespuesta(int segundos, const QString &sentencia);

// The program's one database connection. Opened and checked by BasesDD::AbrirBdD; every query of
// the program goes through it. Failing statements throw ErrorSql.
class Conexion {
public:
    Conexion();
    ~Conexion();
    Conexion(const Conexion &) = delete;
    Conexion &operator=(const Conexion &) = delete;

    bool abierta() const;
    // Closes the connection and forgets it; the thread that opened it must call this (the
    // destructor does it too, for a connection that stayed in one thread).
    void Soltar();
    // Runs a statement on q (made on bd()). A statement the server does not answer within
    // esperaMaxima() seconds ends with "El servidor de base de datos no respondió en N segundos".
    void Ejecutar(QSqlQuery &q, const QString &sentencia);
    // After Ejecutar of a text with several statements separated by ";" (one round trip; the
    // server runs each as if sent alone and answers in their order): moves q to the next
    // statement's result. False when there is none; throws, as Ejecutar does, when that statement
    // failed (the ones after it are not run).
    bool SiguienteResultado(QSqlQuery &q, const QString &sentencias);
    // Runs a statement that returns no rows.
    void Execute(const QString &sentencia);
    // Runs a query and returns the first column of its first row (null when there is none).
    QVariant Valor(const QString &consulta);

    // Escapes a text that the caller places between single quotes: a quote or a backslash can
    // neither end the literal nor change its meaning. A text without them comes back unchanged.
    QString Escapa(const QString &texto) const;
    // A value written as an SQL literal: NULL, a number as it round-trips, or an escaped text.
    QString Literal(const QVariant &valor) const;

    // Number of query texts sent to the server since the connection object was made: one round
    // trip each, whether the text holds one statement or several.
    qint64 consultas() const { return consultas_.load(); }

    // What another thread may ask of a connection in use (a run's window, its cancellation):
    // the milliseconds (ServidorMs clock) since which the server has not answered the open or
    // the statement in progress, 0 while nothing is waiting; the number of that statement
    // (consultas() when it was sent); and the server's id of the connection, for KILL QUERY.
    qint64 esperandoDesdeMs() const { return esperandoDesde_.load(); }
    qint64 sentenciaEnCurso() const { return sentenciaEnCurso_.load(); }
    qint64 idEnServidor() const { return idEnServidor_.load(); }
    void setIdEnServidor(qint64 id) { idEnServidor_ = id; }
    // Marks the start and the end of a wait for the server (the open uses it as well).
    void EmpezarEspera();
    void TerminarEspera();
    // A steady clock in milliseconds, for esperandoDesdeMs().
    static qint64 ServidorMs();

    QSqlDatabase &bd() { return bd_; }
    const QString &nombre() const { return nombre_; }
    // Seconds an open waits for the server to answer (10 unless told otherwise).
    int segundosParaConectar() const { return segundosParaConectar_; }
    void setSegundosParaConectar(int segundos) { segundosParaConectar_ = segundos > 0 ? segundos : 1; }
    // Set on each open: whether the server treats backslashes literally in quoted texts.
    void setSinEscapesBarra(bool sin) { sinEscapesBarra_ = sin; }
    // Set on each open: seconds a statement may wait for the server (0: no limit).
    void setEsperaMaxima(int segundos) { esperaMaxima_ = segundos; }
    int esperaMaxima() const { return esperaMaxima_; }

private:
    [[noreturn]] void Fallo(const QSqlError &e, const QString &sentencia, qint64 msEsperados) const;

    QString nombre_;
    QSqlDatabase bd_;
    std::atomic<qint64> consultas_{0};
    std::atomic<qint64> esperandoDesde_{0};
    std::atomic<qint64> sentenciaEnCurso_{0};
    std::atomic<qint64> idEnServidor_{0};
    int segundosParaConectar_ = 10;
    bool sinEscapesBarra_ = false;
    int esperaMaxima_ = 0;
};

} // namespace host

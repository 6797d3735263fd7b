#pragma once

#include <QString>
#include <exception>
#include <stdexcept>

namespace host {

// An error that ends the operation in progress: a number and a Spanish description, shown to
// the user as "Error nº <número>, <descripción>".
class Error : public std::runtime_error {
public:
    Error(int numero, const QString &descripcion)
        : std::runtime_error(descripcion.toStdString()), numero_(numero), descripcion_(descripcion)
    {
    }
    int numero() const { return numero_; }
    const QString &descripcion() const { return descripcion_; }
    QString texto() const { return QStringLiteral("Error nº %1, %2").arg(numero_).arg(descripcion_); }

private:
    int numero_;
    QString descripcion_;
};

// A statement that the server refused or that could not be sent: the server's error number,
// its message and the statement.
class ErrorSql : public Error {
public:
    ErrorSql(int numero, const QString &mensaje, const QString &sentencia)
        : Error(numero, mensaje), sentencia_(sentencia)
    {
    }
    const QString &sentencia() const { return sentencia_; }

private:
    QString sentencia_;
};

// Errors of the run's own arithmetic and values, numbered as the classic runtime numbers them.
namespace errores {
constexpr int Desbordamiento = 6;
constexpr int DivisionPorCero = 11;
constexpr int UsoNoValidoDeNull = 94;
constexpr int AccesoArchivo = 75;
constexpr int NoPuedeCrearObjeto = 429;

// donde: where it happened, e.g. "el pago 1404, factura 3302, columna Cantidad está vacía",
// written after the description and ": ".
Error desbordamiento(const QString &donde = QString());
Error divisionPorCero(const QString &donde = QString());
Error usoNoValidoDeNull(const QString &donde = QString());
} // namespace errores

// How a function at a module's edge fails: false, with the Spanish message in *error when the
// caller asked for it.
inline bool Falla(QString *error, const QString &mensaje)
{
    if (error)
        *error = mensaje;
    return false;
}

// What an exception says: an Error's description, any other exception's what() read as UTF-8
// (an Error's what() is its description in UTF-8, whatever the system's code page).
QString DescripcionDe(const std::exception &e);

// The Spanish text of whatever ended an operation: "Error nº <número>, <descripción>" for an
// Error, a Spanish sentence for running out of memory and for any other exception.
QString TextoDeError(const std::exception_ptr &error);

} // namespace host

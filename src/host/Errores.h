#pragma once

#include <QString>
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

Error desbordamiento();
Error divisionPorCero();
Error usoNoValidoDeNull();
} // namespace errores

} // namespace host

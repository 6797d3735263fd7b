#pragma once

#include "ObjetoHost.h"

#include <QString>

namespace host {

class Conexion;
class Registros;

// Database access: connection settings, opening the shared connection and running queries.
class BasesDD : public ObjetoHost {
public:
    QString cRuta;      // server host
    QString cPuerto;    // port, as stored in the installation settings
    QString cUsuario;
    QString cPassword;
    QString cMiBase;    // database name
    int nEsperaSegundos = 0; // how long a statement may wait for the server; 0: no limit
    // MySQL's own port, for a server given without one (or with one that is not a number).
    static constexpr int PuertoDeMySQL = 3306;

    // Opens cn on the database, or checks that it is still open and alive. A connection that the
    // server dropped is opened again. False when it cannot connect, or when the session cannot be
    // set up as a run needs it (its id on the server, UTF-8, the sql_mode), with server, port and
    // the reason in Spanish in *error.
    bool AbrirBdD(Conexion &cn, const QString &base, QString *error = nullptr);
    // "SELECT " + campos (or "*") + " FROM " + desde. True only when a row came back; otherwise rs
    // is open and at end of data. Throws ErrorSql when the server refuses the query.
    bool AbrirTabla(Registros &rs, Conexion &cn, const QString &desde, const QString &campos = QString());
    void CierraTabla(Registros &rs);
    void CierraBdD(Conexion &cn);

private:
    bool conectar(Conexion &cn, const QString &base, QString *error);
};

// The statement that AbrirTabla sends: "SELECT " + campos (or "*") + " FROM " + desde.
QString ConsultaDeTabla(const QString &desde, const QString &campos);

// The table that a FROM text reads: its first word, when what follows is a plain condition.
QString TablaDeConsulta(const QString &desde);

} // namespace host

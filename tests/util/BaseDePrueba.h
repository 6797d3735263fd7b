#pragma once

#include "BasesDD.h"
#include "Conexion.h"

#include <QString>

// A fresh database with the point-of-sale tables on the private test server, dropped when the
// object goes away. The server is the one that the test fixture started.
class BaseDePrueba {
public:
    explicit BaseDePrueba(const QString &prefijo);
    ~BaseDePrueba();

    bool lista() const { return lista_; }
    const QString &error() const { return error_; }
    const QString &nombre() const { return nombre_; }
    QString puerto() const { return bases.cPuerto; }

    // Runs statements separated by ";" at line ends; throws host::ErrorSql on failure.
    void ejecutar(const QString &sql);

    host::BasesDD bases; // settings of the test server, cMiBase = this database
    host::Conexion cn;   // open on this database

private:
    QString nombre_;
    QString error_;
    bool lista_ = false;
};

// Settings of the private test server (host, port, user), or an error text when it is not running.
bool ServidorDePrueba(host::BasesDD &bases, QString *error);

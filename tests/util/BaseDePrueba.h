#pragma once

#include "BasesDD.h"
#include "Conexion.h"

#include <QStringList>

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
    // The command-line options that connect a program to this database.
    QStringList conexion() const
    {
        return {"--servidor", bases.cRuta, "--puerto", puerto(), "--usuario", bases.cUsuario, "--base", nombre_};
    }

    // Runs statements separated by ";" at line ends; throws host::ErrorSql on failure.
    void ejecutar(const QString &sql);

    host::BasesDD bases; // settings of the test server, cMiBase = this database
    host::Conexion cn;   // open on this database

private:
    QString nombre_;
    QString error_;
    bool lista_ = false;
};

// A customer's payment of February 2018 for an invoice with one IEPS line of a catalogued product
// and two of a product the catalogue lacks, and a line of an invoice that does not exist.
inline const char *const PagoDeFebrero =
    "INSERT INTO lineas VALUES (1,'BOTANAS');\n"
    "INSERT INTO productos VALUES ('P1','Papas',1,'0.25','BOTANAS');\n"
    "INSERT INTO clientes VALUES ('C1','ABARROTES','AAA010101AAA','JALISCO',NULL);\n"
    "INSERT INTO edoctacli (Folio,Fecha,Clave,CantidadPago,NotaCredito) VALUES (1,'2018-02-01','C1',100,0);\n"
    "INSERT INTO anexopagosctes (FolioDelPago,Factura,Cantidad) VALUES (1,1,100);\n"
    "INSERT INTO facturas (Id,Serie,Factura,SubTotal,IVA,ImpuestoAd,Cancelada) VALUES (1,'A',1,90,0,10,0);\n"
    "INSERT INTO facturasdetalle VALUES (1,1,'P1',10,9,0,10),(1,2,'FALTA',1,1,0,10),(1,3,'FALTA',1,1,0,10),"
    "(2,1,'P1',1,1,0,10);\n";

// Settings of the private test server (host, port, user), or an error text when it is not running.
bool ServidorDePrueba(host::BasesDD &bases, QString *error);

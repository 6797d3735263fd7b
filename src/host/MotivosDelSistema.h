#pragma once

#include "Errores.h"

#include <QString>

class QFileDevice;

// Every failure of the system that reaches the user (a file that cannot be read, created or
// written) is explained in Spanish here, and only here.
namespace host {

// The reason in Spanish for what the system or Qt said, e.g. "No space left on device" gives
// "no queda espacio en el disco". A text it does not know comes back as it is.
QString MotivoEnEspanol(const QString &textoDelSistema);

// Why the last operation on the file failed, in Spanish. When the system gave no reason, a disk
// without free space is recognised by the free space of the file's folder.
QString MotivoDeArchivo(const QFileDevice &archivo);

// The error that ends an operation on a file: "<accion> el archivo <ruta>: <motivo>", with the
// path as the system writes it, e.g. "No se pudo escribir el archivo C:\r\R.txt: permiso denegado".
Error ErrorDeArchivo(const QString &accion, const QString &ruta, const QString &motivo);
Error ErrorDeArchivo(const QString &accion, const QFileDevice &archivo);

// Why the database server could not be reached or refused the connection, in Spanish, from the
// client library's error number and text; the text follows in parentheses for whoever looks after
// the server, e.g. "el servidor no aceptó el usuario o la contraseña (Access denied for user …)".
QString MotivoDeConexion(int numero, const QString &textoDelCliente);

// What a statement's failure means for the user, in Spanish, from the server's error number and
// text, with that text in parentheses, e.g. for 1142 "el usuario de la base de datos no tiene los
// permisos que el reporte necesita en la base «datos1»: … (DROP command denied to user …)". base:
// the database the statement ran on. A number it does not know gives the server's text as it is.
QString MotivoDelServidor(int numero, const QString &textoDelServidor, const QString &base);

// The actions, so that each message is worded once.
inline QString NoSePudoCrear() { return QStringLiteral("No se pudo crear"); }
inline QString NoSePudoEscribir() { return QStringLiteral("No se pudo escribir"); }
inline QString NoSePudoLeer() { return QStringLiteral("No se pudo leer"); }
inline QString NoSePudoReemplazar() { return QStringLiteral("No se pudo reemplazar"); }
// The reason an earlier file that the user marked read-only is not replaced.
inline QString ArchivoDeSoloLectura() { return QStringLiteral("el archivo es de solo lectura"); }

} // namespace host

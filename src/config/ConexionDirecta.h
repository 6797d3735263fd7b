#pragma once

#include <QString>

namespace host {
class LibKVRS;
} // namespace host

namespace config {

// A connection straight to a MySQL server, for a machine without the point of sale's installation
// (a first start on Linux). It lives in the program's own configuration file, in a section of its
// own; the point of sale's files are never written. The password is scrambled as the
// installation's is (host::Utilerias::Encripta).
inline QString SeccionConexionDirecta() { return QStringLiteral("Conexión directa"); }

struct ConexionDirecta {
    QString servidor;
    QString puerto;
    QString usuario;
    QString contrasena; // as the user typed it
    QString base;
};

// The saved connection. False when the section names no server; then, or when its password is not
// scrambled text (*danada), c is not to be used.
bool LeerConexionDirecta(const host::LibKVRS &lib, const QString &archivoConfig, ConexionDirecta &c, bool *danada);
// Writes the section, the server last: a write that fails half-way leaves no server, so no
// connection. False with the Spanish reason in *error.
bool GuardarConexionDirecta(host::LibKVRS &lib, const QString &archivoConfig, const ConexionDirecta &c, QString *error);

} // namespace config

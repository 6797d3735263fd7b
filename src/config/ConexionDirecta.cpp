#include "ConexionDirecta.h"

#include "LibKVRS.h"
#include "Utilerias.h"

namespace config {

namespace {
const char *const Servidor = "Servidor";
const char *const Puerto = "Puerto";
const char *const Usuario = "Usuario";
const char *const Contrasena = "Contraseña";
const char *const Base = "Base de datos";
} // namespace

bool LeerConexionDirecta(const host::LibKVRS &lib, const QString &archivoConfig, ConexionDirecta &c, bool *danada)
{
    const auto leer = [&](const char *clave) {
        return lib.LeeIni(SeccionConexionDirecta(), QString::fromUtf8(clave), archivoConfig);
    };
    c.servidor = leer(Servidor).trimmed();
    if (c.servidor.isEmpty())
        return false;
    c.puerto = leer(Puerto).trimmed();
    c.usuario = leer(Usuario);
    c.base = leer(Base).trimmed();
    // A password deleted by hand is an empty one, as in the installation's settings.
    const QString revuelta = leer(Contrasena);
    bool valida = revuelta.trimmed().isEmpty();
    c.contrasena = valida ? QString() : host::Utilerias::DesEncripta(revuelta, &valida);
    if (danada)
        *danada = !valida;
    return true;
}

bool GuardarConexionDirecta(host::LibKVRS &lib, const QString &archivoConfig, const ConexionDirecta &c, QString *error)
{
    const std::pair<const char *, QString> valores[] = {
        {Puerto, c.puerto},
        {Usuario, c.usuario},
        {Contrasena, host::Utilerias::Encripta(c.contrasena)},
        {Base, c.base},
        {Servidor, c.servidor},
    };
    for (const auto &[clave, valor] : valores)
        if (!lib.EscribeIni(SeccionConexionDirecta(), QString::fromUtf8(clave), valor, archivoConfig, error))
            return false;
    return true;
}

} // namespace config

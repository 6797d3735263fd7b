#pragma once

#include "Errores.h"
#include "ObjetoHost.h"

#include <QString>

#include <functional>
#include <memory>

namespace host {

using FabricaObjeto = std::function<std::shared_ptr<ObjetoHost>()>;

// Library of the host classes.
inline QString BibliotecaHost() { return QStringLiteral("kvnb5"); }

// Registers (or replaces) the class biblioteca.clase. Names compare without regard to case. The
// library "kvnb5" starts with LibKVRS, Plugins, BasesDD, Utilerias, DeArchivos, DelRegistro,
// DeControles and Efectos; the desktop program replaces DeControles and Efectos with its own.
void RegistrarClase(const QString &biblioteca, const QString &clase, FabricaObjeto fabrica);
// Puts back the built-in classes, forgetting every later registration.
void RestablecerClases();

// Creates an object of biblioteca.clase; nullptr when the class is not registered or its
// factory made nothing. No message.
std::shared_ptr<ObjetoHost> FabricarObjeto(const QString &clase, const QString &biblioteca);

// Shows the failure of a creation through the dialog seam, critical icon, title "Alerta":
// "Error nº <numero>, <descripcion>" CR LF "Intentanto crear \"<biblioteca>.<clase>\"".
void AvisarFalloCreacion(int numero, const QString &descripcion, const QString &clase, const QString &biblioteca);

// Creates biblioteca.clase into objeto and returns true. When the class is unknown, or is not a
// T, it shows the failure (AvisarFalloCreacion) and returns false with objeto reset.
template <class T>
bool CrearObjeto(std::shared_ptr<T> &objeto, const QString &clase, const QString &biblioteca)
{
    objeto.reset();
    std::shared_ptr<ObjetoHost> creado = FabricarObjeto(clase, biblioteca);
    if (!creado) {
        AvisarFalloCreacion(errores::NoPuedeCrearObjeto, QStringLiteral("El componente ActiveX no puede crear el objeto"), clase, biblioteca);
        return false;
    }
    objeto = std::dynamic_pointer_cast<T>(creado);
    if (!objeto) {
        AvisarFalloCreacion(13, QStringLiteral("No coinciden los tipos"), clase, biblioteca);
        return false;
    }
    return true;
}

} // namespace host

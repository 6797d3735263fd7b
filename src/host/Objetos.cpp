#include "Objetos.h"

#include "BasesDD.h"
#include "DeArchivos.h"
#include "DeControles.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "Efectos.h"
#include "LibKVRS.h"
#include "Plugins.h"
#include "Utilerias.h"

#include <QHash>

namespace host {

namespace {

QString llave(const QString &biblioteca, const QString &clase)
{
    return biblioteca.toLower() + QLatin1Char('.') + clase.toLower();
}

template <class T>
void registrarPropia(QHash<QString, FabricaObjeto> &clases, const char *clase)
{
    clases.insert(llave(BibliotecaHost(), QString::fromLatin1(clase)), [] { return std::make_shared<T>(); });
}

QHash<QString, FabricaObjeto> clasesPropias()
{
    QHash<QString, FabricaObjeto> c;
    registrarPropia<LibKVRS>(c, "LibKVRS");
    registrarPropia<Plugins>(c, "Plugins");
    registrarPropia<BasesDD>(c, "BasesDD");
    registrarPropia<Utilerias>(c, "Utilerias");
    registrarPropia<DeArchivos>(c, "DeArchivos");
    registrarPropia<DelRegistro>(c, "DelRegistro");
    registrarPropia<DeControles>(c, "DeControles");
    registrarPropia<Efectos>(c, "Efectos");
    return c;
}

QHash<QString, FabricaObjeto> &clases()
{
    static QHash<QString, FabricaObjeto> registro = clasesPropias();
    return registro;
}

} // namespace

void RegistrarClase(const QString &biblioteca, const QString &clase, FabricaObjeto fabrica)
{
    clases().insert(llave(biblioteca, clase), std::move(fabrica));
}

void RestablecerClases()
{
    clases() = clasesPropias();
}

std::shared_ptr<ObjetoHost> FabricarObjeto(const QString &clase, const QString &biblioteca)
{
    const auto it = clases().constFind(llave(biblioteca, clase));
    if (it == clases().constEnd() || !it.value())
        return nullptr;
    return it.value()();
}

void AvisarFalloCreacion(int numero, const QString &descripcion, const QString &clase, const QString &biblioteca)
{
    const QString texto = Error(numero, descripcion).texto() + QStringLiteral("\r\nIntentanto crear \"") + biblioteca
                          + QLatin1Char('.') + clase + QLatin1Char('"');
    Dialogos::actual().MsgBox(texto, vbCritical, QStringLiteral("Alerta"));
}

} // namespace host

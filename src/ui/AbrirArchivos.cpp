#include "AbrirArchivos.h"

#include "Programa.h"

#include "DeArchivos.h"
#include "Dialogos.h"

#include <QDir>

namespace ui {

QString MensajeSinProgramaParaAbrir(const QString &ruta, const QString &que)
{
    return QStringLiteral("No hay un programa que abra %1.\r\n\r\nEstá en:\r\n%2\r\n\r\nEs un archivo de texto simple: "
                          "puede abrirlo con el Bloc de notas o con cualquier editor de texto.")
        .arg(que, QDir::toNativeSeparators(ruta));
}

namespace {
bool Abrir(const QString &ruta)
{
    QString r = ruta;
    if (const auto &archivos = Programa().deArchivos)
        return archivos->AbreDocumento(r, 0, 1);
    return host::Dialogos::actual().AbreDocumento(r);
}
} // namespace

bool AbrirArchivoDeTexto(const QString &ruta, const QString &que)
{
    if (Abrir(ruta))
        return true;
    host::Dialogos::actual().MsgBox(MensajeSinProgramaParaAbrir(ruta, que), host::vbInformation, NombreDelPrograma());
    return false;
}

bool AbrirCarpeta(const QString &ruta)
{
    if (Abrir(ruta))
        return true;
    host::Dialogos::actual().MsgBox(QStringLiteral("No se pudo abrir la carpeta.\r\n\r\nEstá en:\r\n%1").arg(QDir::toNativeSeparators(ruta)),
                    host::vbInformation, NombreDelPrograma());
    return false;
}

bool EditarConfiguracion()
{
    return AbrirArchivoDeTexto(Programa().archivoConfig, QStringLiteral("el archivo de configuración"));
}

} // namespace ui

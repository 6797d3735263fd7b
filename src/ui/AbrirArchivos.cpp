#include "AbrirArchivos.h"

#include "Programa.h"

#include "DeArchivos.h"
#include "Dialogos.h"

#include <QDir>

namespace ui {

namespace {
// Opens ruta with the program the system has for it; where there is none, a box says noAbre.
void Abrir(const QString &ruta, const QString &noAbre)
{
    QString r = ruta;
    const auto &archivos = Programa().deArchivos;
    if (!(archivos ? archivos->AbreDocumento(r, 0, 1) : host::Dialogos::actual().AbreDocumento(r)))
        host::Dialogos::actual().MsgBox(noAbre, host::vbInformation, NombreDelPrograma());
}
} // namespace

void AbrirArchivoDeTexto(const QString &ruta, const QString &que)
{
    Abrir(ruta, QStringLiteral("No hay un programa que abra %1.\r\n\r\nEstá en:\r\n%2\r\n\r\nEs un archivo de texto "
                               "simple: puede abrirlo con el Bloc de notas o con cualquier editor de texto.")
                    .arg(que, QDir::toNativeSeparators(ruta)));
}

void AbrirCarpeta(const QString &ruta)
{
    Abrir(ruta, QStringLiteral("No se pudo abrir la carpeta.\r\n\r\nEstá en:\r\n%1").arg(QDir::toNativeSeparators(ruta)));
}

void EditarConfiguracion()
{
    AbrirArchivoDeTexto(Programa().archivoConfig, QStringLiteral("el archivo de configuración"));
}

} // namespace ui

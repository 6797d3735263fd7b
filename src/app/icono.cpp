// Build tool: draws the window's logo as the program's icon.
//   repieps-icono CARPETA TAMAÑO...        one PNG per size in the freedesktop layout,
//                                          <CARPETA>/<n>x<n>/apps/repieps.png (the Linux menu)
//   repieps-icono --ico ARCHIVO TAMAÑO...  one Windows icon file holding every size (the .exe's
//                                          icon, for Explorer and the Start menu)
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "Skin.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>
#include <QtEndian>

namespace {

// The logo is drawn on a 22-pixel square; the scale makes it lado pixels wide.
QImage Icono(int lado)
{
    return ui::skin::ImagenLogo(lado / 22.0).toImage();
}

QByteArray Png(const QImage &imagen)
{
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    imagen.save(&b, "PNG");
    return datos;
}

template <typename T> void Agregar(QByteArray &destino, T valor)
{
    char bytes[sizeof(T)];
    qToLittleEndian(valor, bytes);
    destino.append(bytes, sizeof(T));
}

// An .ico file: a directory of images, each stored as PNG (Windows reads PNG entries of any size).
QByteArray ArchivoIco(const QList<QImage> &imagenes)
{
    QByteArray directorio, datos;
    Agregar<quint16>(directorio, 0);
    Agregar<quint16>(directorio, 1);
    Agregar<quint16>(directorio, quint16(imagenes.size()));
    const quint32 inicio = 6 + 16 * quint32(imagenes.size());
    for (const QImage &imagen : imagenes) {
        const QByteArray png = Png(imagen);
        // A side of 256 is written as 0.
        directorio.append(char(imagen.width() & 0xff));
        directorio.append(char(imagen.height() & 0xff));
        directorio.append(char(0)); // no palette
        directorio.append(char(0));
        Agregar<quint16>(directorio, 1);  // planes
        Agregar<quint16>(directorio, 32); // bits per pixel
        Agregar<quint32>(directorio, quint32(png.size()));
        Agregar<quint32>(directorio, inicio + quint32(datos.size()));
        datos += png;
    }
    return directorio + datos;
}

bool Falla(const QString &texto)
{
    QTextStream(stderr) << texto << Qt::endl;
    return false;
}

bool EscribirPngs(const QString &raiz, const QList<int> &lados)
{
    for (int lado : lados) {
        const QImage imagen = Icono(lado);
        const QString carpeta = QDir(raiz).filePath(QStringLiteral("%1x%1/apps").arg(lado));
        if (imagen.width() != lado || !QDir().mkpath(carpeta)
            || !imagen.save(QDir(carpeta).filePath(QStringLiteral("repieps.png")), "PNG"))
            return Falla(QStringLiteral("No se pudo dibujar el icono de %1 pixeles en %2").arg(lado).arg(carpeta));
    }
    return true;
}

bool EscribirIco(const QString &ruta, const QList<int> &lados)
{
    QList<QImage> imagenes;
    for (int lado : lados) {
        if (lado > 256)
            return Falla(QStringLiteral("Un icono de Windows mide a lo más 256 pixeles (se pidió %1)").arg(lado));
        imagenes.append(Icono(lado));
    }
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(ArchivoIco(imagenes)) < 0 || !f.commit())
        return Falla(QStringLiteral("No se pudo escribir %1: %2").arg(ruta, f.errorString()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool ico = !args.isEmpty() && args.first() == QLatin1String("--ico");
    if (ico)
        args.removeFirst();
    QList<int> lados;
    bool validos = args.size() >= 2;
    for (const QString &t : args.mid(1)) {
        bool ok = false;
        lados.append(t.toInt(&ok));
        validos = validos && ok && lados.last() > 0;
    }
    if (!validos) {
        QTextStream(stderr) << "Uso: repieps-icono CARPETA TAMAÑO...\n"
                               "     repieps-icono --ico ARCHIVO.ico TAMAÑO..." << Qt::endl;
        return 2;
    }
    return (ico ? EscribirIco(args[0], lados) : EscribirPngs(args[0], lados)) ? 0 : 1;
}

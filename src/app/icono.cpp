// Build tool: draws the window's logo as the application icon of the desktop menu, one PNG per
// size in the freedesktop layout: <folder>/<n>x<n>/apps/repieps.png. Run with
// QT_QPA_PLATFORM=offscreen where there is no display.
#include "Skin.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        QTextStream(stderr) << "Uso: repieps-icono CARPETA TAMAÑO..." << Qt::endl;
        return 2;
    }
    for (const QString &tamano : args.mid(1)) {
        const int lado = tamano.toInt();
        // The logo is drawn on a 22-pixel square; the scale makes it lado pixels wide.
        const QImage imagen = ui::skin::ImagenLogo(lado / 22.0).toImage();
        const QString carpeta = QDir(args[0]).filePath(QStringLiteral("%1x%1/apps").arg(lado));
        if (lado <= 0 || imagen.width() != lado || !QDir().mkpath(carpeta)
            || !imagen.save(QDir(carpeta).filePath(QStringLiteral("repieps.png")), "PNG")) {
            QTextStream(stderr) << "No se pudo dibujar el icono de " << tamano << " pixeles en " << carpeta << Qt::endl;
            return 1;
        }
    }
    return 0;
}

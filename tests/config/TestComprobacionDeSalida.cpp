#include "Archivos.h"
#include "ComprobacionDeSalida.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace config;

// The reason ComprobarSalida gives, empty when the output will do; checked against its answer.
static QString Motivo(const QString &carpeta, const QString &archivo)
{
    QString motivo;
    if (ComprobarSalida(carpeta, archivo, &motivo) != motivo.isEmpty())
        return QStringLiteral("<respuesta y motivo no concuerdan>");
    return motivo;
}

// The output check made before a run: the reasons, word for word, and the names that pass.
class TestComprobacionDeSalida : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nombres_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("comun") << "Reporte-CT-20180331.txt" << "";
        QTest::newRow("con blancos y acentos") << "Marzo año 2018.txt" << "";
        QTest::newRow("puntos dentro") << "a..b.txt" << "";
        QTest::newRow("justo cabe") << QString(247, QLatin1Char('x')) << "";
        QTest::newRow("vacio") << "" << "Escriba el nombre del archivo del reporte.";
        QTest::newRow("blancos") << "   " << "Escriba el nombre del archivo del reporte.";
        QTest::newRow("barra") << "datos/r.txt"
                               << "El nombre del archivo «datos/r.txt» lleva una carpeta: escriba sólo el nombre, "
                                  "sin «/» ni «\\».";
        QTest::newRow("diagonal invertida") << "..\\r.txt"
                                            << "El nombre del archivo «..\\r.txt» lleva una carpeta: escriba sólo el "
                                               "nombre, sin «/» ni «\\».";
        QTest::newRow("carpeta de arriba") << ".." << "«..» no es un nombre de archivo.";
        QTest::newRow("punto") << "." << "«.» no es un nombre de archivo.";
        QTest::newRow("dos puntos") << "C:r.txt"
                                    << "El nombre del archivo «C:r.txt» lleva un carácter que no puede usarse en un "
                                       "nombre de archivo (: * ? \" < > | o de control).";
        QTest::newRow("tabulador") << "r\t.txt"
                                   << "El nombre del archivo «r\t.txt» lleva un carácter que no puede usarse en un "
                                      "nombre de archivo (: * ? \" < > | o de control).";
        QTest::newRow("no cabe con el prefijo")
            << QString(248, QLatin1Char('x')) << "El nombre del archivo es demasiado largo: tiene 248 caracteres y caben 247.";
    }
    void nombres()
    {
        QFETCH(QString, archivo);
        QFETCH(QString, motivo);
        QString dicho;
        QCOMPARE(ComprobarNombreDeSalida(archivo, &dicho), motivo.isEmpty());
        QCOMPARE(dicho, motivo);
        QTemporaryDir dir;
        // A bad name is reported before the folder is looked at.
        QCOMPARE(Motivo(dir.path() + QStringLiteral("/no-existe"), archivo),
                 motivo.isEmpty() ? QStringLiteral("La carpeta «%1» no existe.")
                                        .arg(QDir::toNativeSeparators(dir.path() + QStringLiteral("/no-existe")))
                                  : motivo);
    }

    void carpetaBuena()
    {
        QTemporaryDir dir;
        QCOMPARE(Motivo(dir.path(), QStringLiteral("r.txt")), QString());
        // The trial file does not stay behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void carpetaQueEsArchivo()
    {
        QTemporaryDir dir;
        const QString ruta = dir.filePath(QStringLiteral("archivo"));
        QVERIFY(EscribirArchivo(ruta, QByteArray()));
        QCOMPARE(Motivo(ruta, QStringLiteral("r.txt")),
                 QStringLiteral("«%1» no es una carpeta.").arg(QDir::toNativeSeparators(ruta)));
    }

    void carpetaSinEscritura()
    {
        // Even the administrator cannot create a file among the kernel's process entries.
        // (Wine shows Linux's /proc to Windows programs, but Windows has no such folder.)
#ifndef Q_OS_LINUX
        QSKIP("Sólo Linux tiene /proc");
#endif
        if (!QFileInfo(QStringLiteral("/proc/self")).isDir())
            QSKIP("Sin /proc en este sistema");
        QCOMPARE(Motivo(QStringLiteral("/proc"), QStringLiteral("r.txt")),
                 QStringLiteral("No se puede crear un archivo en la carpeta «/proc»: no existe el archivo o la carpeta."));
    }
};

QTEST_GUILESS_MAIN(TestComprobacionDeSalida)
#include "TestComprobacionDeSalida.moc"

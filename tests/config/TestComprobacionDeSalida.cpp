#include "Archivos.h"
#include "ComprobacionDeSalida.h"

#include <QDir>
#include <QFileInfo>
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
    void salida_data()
    {
        QTest::addColumn<QString>("carpeta"); // in a new folder that holds only a file "archivo"; "/proc" as it is
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("motivo"); // "%1": the folder as shown
        const QString conCarpeta = QStringLiteral("» lleva una carpeta: escriba sólo el nombre, sin «/» ni «\\».");
        const QString caracter = QStringLiteral("» lleva un carácter que no puede usarse en un nombre de archivo (: * ? \" < > | o "
                                                "de control).");
        QTest::newRow("con blancos y acentos") << "" << "Marzo año 2018.txt" << "";
        QTest::newRow("puntos dentro") << "" << "a..b.txt" << "";
        QTest::newRow("justo cabe") << "" << QString(247, QLatin1Char('x')) << "";
        QTest::newRow("blancos") << "" << "   " << "Escriba el nombre del archivo del reporte.";
        QTest::newRow("barra") << "" << "datos/r.txt" << "El nombre del archivo «datos/r.txt" + conCarpeta;
        QTest::newRow("diagonal invertida") << "" << "..\\r.txt" << "El nombre del archivo «..\\r.txt" + conCarpeta;
        QTest::newRow("carpeta de arriba") << "" << ".." << "«..» no es un nombre de archivo.";
        QTest::newRow("dos puntos") << "" << "C:r.txt" << "El nombre del archivo «C:r.txt" + caracter;
        QTest::newRow("tabulador") << "" << "r\t.txt" << "El nombre del archivo «r\t.txt" + caracter;
        QTest::newRow("no cabe con el prefijo")
            << "" << QString(248, QLatin1Char('x')) << "El nombre del archivo es demasiado largo: tiene 248 caracteres y caben 247.";
        // A bad name is reported before the folder is looked at.
        QTest::newRow("nombre malo, carpeta que no existe") << "no-existe" << "." << "«.» no es un nombre de archivo.";
        QTest::newRow("carpeta que no existe") << "no-existe" << "r.txt" << "La carpeta «%1» no existe.";
        QTest::newRow("carpeta que es archivo") << "archivo" << "r.txt" << "«%1» no es una carpeta.";
        // Even the administrator cannot create a file among the kernel's process entries.
        QTest::newRow("carpeta sin escritura")
            << "/proc" << "r.txt" << "No se puede crear un archivo en la carpeta «%1»: no existe el archivo o la carpeta.";
    }
    void salida()
    {
        QFETCH(QString, carpeta);
        QFETCH(QString, archivo);
        QFETCH(QString, motivo);
        if (carpeta == QStringLiteral("/proc")) {
            // Wine shows Linux's /proc to Windows programs, but Windows has no such folder.
#ifndef Q_OS_LINUX
            QSKIP("Sólo Linux tiene /proc");
#endif
            if (!QFileInfo(QStringLiteral("/proc/self")).isDir())
                QSKIP("Sin /proc en este sistema");
        }
        QTemporaryDir dir;
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("archivo")), QByteArray()));
        const QString ruta = carpeta.startsWith(QLatin1Char('/')) ? carpeta : QDir(dir.path()).filePath(carpeta);
        QCOMPARE(Motivo(ruta, archivo), QString(motivo).replace(QStringLiteral("%1"), QDir::toNativeSeparators(ruta)));
        // The trial file does not stay behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("archivo")});
    }
};

QTEST_GUILESS_MAIN(TestComprobacionDeSalida)
#include "TestComprobacionDeSalida.moc"

#include "Archivos.h"
#include "ComprobacionDeSalida.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace config;

// The reason the check gives, empty when the output will do; checked against its answer.
static QString Motivo(bool respuesta, const QString &motivo)
{
    return respuesta == motivo.isEmpty() ? motivo : QStringLiteral("<respuesta y motivo no concuerdan>");
}

// A new folder that holds a file "archivo", the program's files repieps.ini and
// nubora/NuboraPremium.ini, and a read-only Logviejo.txt of an earlier report.
struct Carpeta {
    QTemporaryDir dir;
    ArchivosDelPrograma propios{{dir.filePath(QStringLiteral("repieps.ini"))}, dir.filePath(QStringLiteral("nubora/NuboraPremium.ini"))};
    Carpeta()
    {
        QDir(dir.path()).mkdir(QStringLiteral("nubora"));
        for (const char *nombre : {"archivo", "repieps.ini", "nubora/NuboraPremium.ini", "Logviejo.txt"})
            EscribirArchivo(dir.filePath(QLatin1String(nombre)), QByteArray());
        QFile::setPermissions(dir.filePath(QStringLiteral("Logviejo.txt")), QFile::ReadOwner | QFile::ReadGroup);
    }
    QStringList archivos() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// "%1" in a reason stands for a path; such a reason is shown with the system's separators.
static QString ConRuta(QString motivo, const QString &ruta)
{
    return motivo.contains(QStringLiteral("%1")) ? QDir::toNativeSeparators(motivo.replace(QStringLiteral("%1"), ruta)) : motivo;
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
        // The run's files over the program's own, wherever the path goes through; an earlier file it cannot replace.
        QTest::newRow("sobre la configuración") << "" << "repieps.ini"
                                                << "«%1/repieps.ini» es el archivo de configuración de este programa: el "
                                                   "reporte no puede escribirse sobre él.";
        QTest::newRow("sobre el del punto de venta")
            << "nubora/../nubora" << "NuboraPremium.ini"
            << "«%1/NuboraPremium.ini» es el archivo de configuración de Nubora Premium: el reporte no puede escribirse sobre él.";
        QTest::newRow("Log anterior de solo lectura")
            << "" << "viejo.txt" << "No se puede reemplazar «%1/Logviejo.txt»: el archivo es de solo lectura.";
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
        Carpeta c;
        const QStringList antes = c.archivos();
        const QString ruta = carpeta.startsWith(QLatin1Char('/')) ? carpeta : QDir(c.dir.path()).filePath(carpeta);
        QString dado;
        QCOMPARE(Motivo(ComprobarSalida(ruta, archivo, &dado, c.propios), dado), ConRuta(motivo, ruta));
        // The trial file does not stay behind.
        QCOMPARE(c.archivos(), antes);
    }

    // A workbook or a PDF made from the report r.txt of the folder.
    void otraSalida_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("motivo"); // "%1": the folder
        const QString encima = QStringLiteral(": el libro de Excel no puede escribirse sobre él.");
        QTest::newRow("junto al reporte") << "r.xlsx" << "";
        QTest::newRow("sobre el reporte") << "r.txt" << "«%1/r.txt» es el reporte" + encima;
        QTest::newRow("sobre la revisión") << "nubora/../Revisionr.txt"
                                           << "«%1/nubora/../Revisionr.txt» es la revisión del reporte «r.txt»" + encima;
        QTest::newRow("sobre el detalle") << "Detaller.txt" << "«%1/Detaller.txt» es el detalle del reporte «r.txt»" + encima;
        QTest::newRow("carpeta que no existe") << "no/hay/r.xlsx" << "La carpeta «%1/no/hay» no existe: el libro de Excel no puede escribirse en ella.";
        QTest::newRow("una carpeta") << "nubora" << "«%1/nubora» es una carpeta, no un archivo.";
    }
    void otraSalida()
    {
        QFETCH(QString, ruta);
        QFETCH(QString, motivo);
        Carpeta c;
        QString dado;
        const bool respuesta = ComprobarOtraSalida(c.dir.filePath(ruta), QStringLiteral("el libro de Excel"),
                                                   c.dir.filePath(QStringLiteral("r.txt")), c.propios, &dado);
        QCOMPARE(Motivo(respuesta, dado), ConRuta(motivo, c.dir.path()));
    }
};

QTEST_GUILESS_MAIN(TestComprobacionDeSalida)
#include "TestComprobacionDeSalida.moc"

#include "ArchivoIni.h"
#include "Archivos.h"
#include "DelRegistro.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;

// Finding the point-of-sale installation by its settings file, and its settings.
class TestDelRegistro : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString escribir(const QString &carpeta, const QString &archivo, const QByteArray &bytes)
    {
        QDir(dir.path()).mkpath(carpeta);
        const QString ruta = dir.filePath(carpeta + QLatin1Char('/') + archivo);
        EscribirArchivo(ruta, bytes);
        return ruta;
    }

private Q_SLOTS:
    void initTestCase()
    {
        escribir(QStringLiteral("instalada"), QStringLiteral("NuboraPremium.ini"), "[Datos]\nservidor=caja1\n");
        escribir(QStringLiteral("otro caso"), QStringLiteral("nuboraPREMIUM.INI"), "[Datos]\n");
        QDir(dir.path()).mkpath(QStringLiteral("engañosa/NuboraPremium.ini"));
    }

    void buscar_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("instalada") << QStringLiteral("instalada/") << QStringLiteral("instalada/NuboraPremium.ini");
        QTest::newRow("otras mayúsculas") << QStringLiteral("otro caso") << QStringLiteral("otro caso/nuboraPREMIUM.INI");
        QTest::newRow("carpeta con el nombre del archivo") << QStringLiteral("engañosa") << QString();
        QTest::newRow("carpeta inexistente") << QStringLiteral("no existe") << QString();
        QTest::newRow("es un archivo") << QStringLiteral("instalada/NuboraPremium.ini") << QString();
    }
    void buscar()
    {
        QFETCH(QString, ruta);
        QFETCH(QString, esperado);
        DelRegistro registro;
        QString r = dir.filePath(ruta);
        const QString completo = esperado.isEmpty() ? QString() : dir.filePath(esperado);
        QCOMPARE(registro.BuscarRegistroNbr(r), completo);
        QCOMPARE(r, dir.filePath(ruta));
        QCOMPARE(registro.archivo(), completo);
        QString vacia; // a failed search keeps the file found before
        QVERIFY(registro.BuscarRegistroNbr(vacia).isEmpty() && registro.archivo() == completo);
    }

    void datosDeLaSeccionDatos()
    {
        DelRegistro registro;
        QVERIFY(registro.DatosNbr(QStringLiteral("servidor")).isEmpty() && !registro.GuardaDatosNbr(QStringLiteral("x"), QStringLiteral("1")));
        const QString archivo = escribir(QStringLiteral("datos"), QStringLiteral("NuboraPremium.ini"),
                                         "[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\n");
        QString ruta = dir.filePath(QStringLiteral("datos"));
        QCOMPARE(registro.BuscarRegistroNbr(ruta), archivo);
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")) + registro.DatosNbr(QStringLiteral("MySQLPuerto")), QStringLiteral("caja1"));
        QVERIFY(registro.GuardaDatosNbr(QStringLiteral("MySQLPuerto"), QStringLiteral("3306")));
        QCOMPARE(ini::Lee(archivo, QStringLiteral("General"), QStringLiteral("MySQLPuerto")), QStringLiteral("1"));
        QCOMPARE(ini::Lee(archivo, QStringLiteral("Datos"), QStringLiteral("mysqlpuerto")), QStringLiteral("3306"));
    }
};

QTEST_GUILESS_MAIN(TestDelRegistro)
#include "TestDelRegistro.moc"

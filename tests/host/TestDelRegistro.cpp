#include "ArchivoIni.h"
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

    QString carpeta(const QString &nombre)
    {
        QDir(dir.path()).mkpath(nombre);
        return dir.filePath(nombre);
    }
    static void escribir(const QString &archivo, const QByteArray &bytes)
    {
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        escribir(carpeta(QStringLiteral("instalada")) + QStringLiteral("/NuboraPremium.ini"), "[Datos]\nservidor=caja1\n");
        escribir(carpeta(QStringLiteral("otro caso")) + QStringLiteral("/nuboraPREMIUM.INI"), "[Datos]\n");
        carpeta(QStringLiteral("vacía"));
        carpeta(QStringLiteral("engañosa/NuboraPremium.ini"));
        escribir(dir.filePath(QStringLiteral("un archivo")), "x");
    }

    void buscar_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("instalada") << dir.filePath(QStringLiteral("instalada"))
                                   << dir.filePath(QStringLiteral("instalada/NuboraPremium.ini"));
        QTest::newRow("con barra final") << dir.filePath(QStringLiteral("instalada")) + QLatin1Char('/')
                                         << dir.filePath(QStringLiteral("instalada/NuboraPremium.ini"));
        QTest::newRow("nombre en otras mayúsculas") << dir.filePath(QStringLiteral("otro caso"))
                                                    << dir.filePath(QStringLiteral("otro caso/nuboraPREMIUM.INI"));
        QTest::newRow("carpeta sin archivo") << dir.filePath(QStringLiteral("vacía")) << QString();
        QTest::newRow("carpeta con el nombre del archivo") << dir.filePath(QStringLiteral("engañosa")) << QString();
        QTest::newRow("carpeta inexistente") << dir.filePath(QStringLiteral("no existe")) << QString();
        QTest::newRow("es un archivo") << dir.filePath(QStringLiteral("un archivo")) << QString();
        QTest::newRow("vacía") << QString() << QString();
        QTest::newRow("blancos") << QStringLiteral("   ") << QString();
    }
    void buscar()
    {
        QFETCH(QString, ruta);
        QFETCH(QString, esperado);
        DelRegistro registro;
        QString r = ruta;
        QCOMPARE(registro.BuscarRegistroNbr(r), esperado);
        QCOMPARE(r, ruta);
        QCOMPARE(registro.archivo(), esperado);
    }

    void sinInstalacionNoHayDatos()
    {
        DelRegistro registro;
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")), QString());
        QVERIFY(!registro.GuardaDatosNbr(QStringLiteral("MySQLPuerto"), QStringLiteral("3306")));
    }

    void datosDeLaSeccionDatos()
    {
        QString ruta = carpeta(QStringLiteral("datos"));
        const QString archivo = ruta + QStringLiteral("/NuboraPremium.ini");
        escribir(archivo, "[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\n");
        DelRegistro registro;
        QCOMPARE(registro.BuscarRegistroNbr(ruta), archivo);
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")), QStringLiteral("caja1"));
        QCOMPARE(registro.DatosNbr(QStringLiteral("MySQLPuerto")), QString());
        QVERIFY(registro.GuardaDatosNbr(QStringLiteral("MySQLPuerto"), QStringLiteral("3306")));
        QCOMPARE(registro.DatosNbr(QStringLiteral("mysqlpuerto")), QStringLiteral("3306"));
        QCOMPARE(ini::Lee(archivo, QStringLiteral("General"), QStringLiteral("MySQLPuerto")), QStringLiteral("1"));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\nMySQLPuerto=3306\r\n"));
    }

    void unaBusquedaFallidaConservaLaAnterior()
    {
        DelRegistro registro;
        QString buena = dir.filePath(QStringLiteral("instalada"));
        QString mala = dir.filePath(QStringLiteral("vacía"));
        QVERIFY(!registro.BuscarRegistroNbr(buena).isEmpty());
        QCOMPARE(registro.BuscarRegistroNbr(mala), QString());
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")), QStringLiteral("caja1"));
    }
};

QTEST_GUILESS_MAIN(TestDelRegistro)
#include "TestDelRegistro.moc"

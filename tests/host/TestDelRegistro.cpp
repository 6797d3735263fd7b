#include "Archivos.h"
#include "DelRegistro.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;

// Finding the point-of-sale installation by its settings file, and its settings.
class TestDelRegistro : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        // The settings file in other letter cases than its own name.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("instalada")));
        QVERIFY(EscribirArchivo(dir.filePath(QStringLiteral("instalada/nuboraPREMIUM.INI")),
                                "[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\n"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("engañosa/NuboraPremium.ini")));
    }

    void buscar_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("instalada") << QStringLiteral("instalada/") << dir.filePath(QStringLiteral("instalada/nuboraPREMIUM.INI"));
        QTest::newRow("carpeta con el nombre del archivo") << QStringLiteral("engañosa") << QString();
    }
    void buscar()
    {
        QFETCH(QString, ruta);
        QFETCH(QString, esperado);
        DelRegistro registro;
        QString r = dir.filePath(ruta);
        QCOMPARE(registro.BuscarRegistroNbr(r), esperado);
        QCOMPARE(r, dir.filePath(ruta)); // the caller shows it to the user
        QString sinArchivo = dir.filePath(QStringLiteral("engañosa")); // a failed search keeps the file found before
        QVERIFY(registro.BuscarRegistroNbr(sinArchivo).isEmpty());
        QCOMPARE(registro.archivo(), esperado);
    }

    // Settings are read and written in the [Datos] section only.
    void datosDeLaSeccionDatos()
    {
        DelRegistro registro;
        QString ruta = dir.filePath(QStringLiteral("instalada"));
        QVERIFY(!registro.BuscarRegistroNbr(ruta).isEmpty());
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")) + registro.DatosNbr(QStringLiteral("MySQLPuerto")), QStringLiteral("caja1"));
        QVERIFY(registro.GuardaDatosNbr(QStringLiteral("mysqlpuerto"), QStringLiteral("3306")));
        QCOMPARE(LeerArchivo(registro.archivo()), QByteArray("[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\nmysqlpuerto=3306\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDelRegistro)
#include "TestDelRegistro.moc"

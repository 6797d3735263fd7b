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

    // The settings file in its folder, also named with a final separator; a folder with the
    // file's name is not it, and a failed search keeps the file found before. Its settings are
    // read and written in the [Datos] section only.
    void buscarYSusDatos()
    {
        DelRegistro registro;
        QString sinArchivo = dir.filePath(QStringLiteral("engañosa"));
        QString instalada = dir.filePath(QStringLiteral("instalada/"));
        QVERIFY(registro.BuscarRegistroNbr(sinArchivo).isEmpty());
        const QString archivo = dir.filePath(QStringLiteral("instalada/nuboraPREMIUM.INI"));
        QCOMPARE(registro.BuscarRegistroNbr(instalada), archivo);
        QCOMPARE(instalada, dir.filePath(QStringLiteral("instalada/"))); // the caller shows it to the user
        QVERIFY(registro.BuscarRegistroNbr(sinArchivo).isEmpty());
        QCOMPARE(registro.archivo(), archivo);
        QCOMPARE(registro.DatosNbr(QStringLiteral("servidor")) + registro.DatosNbr(QStringLiteral("MySQLPuerto")), QStringLiteral("caja1"));
        QVERIFY(registro.GuardaDatosNbr(QStringLiteral("mysqlpuerto"), QStringLiteral("3306")));
        QCOMPARE(LeerArchivo(archivo), QByteArray("[General]\r\nMySQLPuerto=1\r\n[Datos]\r\nservidor=caja1\r\nmysqlpuerto=3306\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDelRegistro)
#include "TestDelRegistro.moc"

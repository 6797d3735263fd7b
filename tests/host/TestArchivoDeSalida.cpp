#include "ArchivoDeSalida.h"
#include "Archivos.h"
#include "DispositivoQueFalla.h"
#include "Errores.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;
using namespace Qt::StringLiterals;


// The files written for the user, and how their failures reach the user.
class TestArchivoDeSalida : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

private Q_SLOTS:
    void motivos_data()
    {
        QTest::addColumn<QString>("sistema");
        QTest::addColumn<QString>("espanol");
        QTest::newRow("disco lleno") << u"No space left on device"_s << u"no queda espacio en el disco"_s;
        QTest::newRow("disco lleno, Windows") << u"There is not enough space on the disk."_s << u"no queda espacio en el disco"_s;
        QTest::newRow("escritura parcial") << u"Partial write. Partition full?"_s << u"no queda espacio en el disco"_s;
        QTest::newRow("permiso") << u"Permission denied"_s << u"permiso denegado"_s;
        QTest::newRow("permiso, Windows") << u"Access is denied."_s << u"permiso denegado"_s;
        QTest::newRow("disco lleno, Wine") << u"Disk full."_s << u"no queda espacio en el disco"_s;
        QTest::newRow("permiso, Wine") << u"Access denied."_s << u"permiso denegado"_s;
        QTest::newRow("ruta, Wine") << u"Path not found."_s << u"no existe el archivo o la carpeta"_s;
        QTest::newRow("no escribible") << u"Existing file /a/R.txt is not writable"_s << u"permiso denegado"_s;
        QTest::newRow("no existe") << u"No such file or directory"_s << u"no existe el archivo o la carpeta"_s;
        QTest::newRow("nombre largo") << u"File name too long"_s << u"el nombre es demasiado largo"_s;
        QTest::newRow("solo lectura") << u"Read-only file system"_s << u"el disco es de solo lectura"_s;
        QTest::newRow("carpeta") << u"Is a directory"_s << u"es una carpeta, no un archivo"_s;
        QTest::newRow("carpeta, al reemplazar") << u"Filename refers to a directory"_s << u"es una carpeta, no un archivo"_s;
        QTest::newRow("sin motivo") << u"Unknown error"_s << u"el sistema no dio el motivo"_s;
        QTest::newRow("desconocido") << u"Algo raro "_s << u"Algo raro"_s;
    }
    void motivos()
    {
        QFETCH(QString, sistema);
        QFETCH(QString, espanol);
        QCOMPARE(MotivoEnEspanol(sistema), espanol);
    }

    // Real failures of the system, with the message the user reads.
    void fallasReales_data()
    {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<bool>("reemplazar");
        QTest::addColumn<QString>("mensaje");
        const QString falta = dir.filePath(u"falta/R.txt"_s);
        QTest::newRow("carpeta que no existe") << falta << true
                                               << u"Error nº 75, No se pudo crear el archivo %1: no existe el archivo o la carpeta"_s.arg(QDir::toNativeSeparators(falta));
        QTest::newRow("una carpeta, directo") << dir.path() << false
                                              << u"Error nº 75, No se pudo crear el archivo %1: es una carpeta, no un archivo"_s.arg(QDir::toNativeSeparators(dir.path()));
        QTest::newRow("una carpeta, reemplazo") << dir.path() << true
                                                << u"Error nº 75, No se pudo crear el archivo %1: es una carpeta, no un archivo"_s.arg(QDir::toNativeSeparators(dir.path()));
    }
    void fallasReales()
    {
        QFETCH(QString, ruta);
        QFETCH(bool, reemplazar);
        QFETCH(QString, mensaje);
        try {
            ArchivoDeSalida a(ruta, reemplazar ? ArchivoDeSalida::Modo::Reemplazar : ArchivoDeSalida::Modo::Directo);
            a.EscribirLinea(u"x"_s);
            a.Terminar();
            QFAIL("no falló");
        } catch (const Error &e) {
            QCOMPARE(e.texto(), mensaje);
        }
    }

    void discoLlenoDeVerdad()
    {
        if (!QFile::exists(u"/dev/full"_s))
            QSKIP("este sistema no tiene /dev/full");
        ArchivoDeSalida a(u"/dev/full"_s, ArchivoDeSalida::Modo::Directo);
        a.EscribirLinea(u"x"_s);
        try {
            a.Vaciar();
            QFAIL("no falló");
        } catch (const Error &e) {
            QCOMPARE(e.texto(), u"Error nº 75, No se pudo escribir el archivo /dev/full: no queda espacio en el disco"_s);
        }
    }

    // A report that cannot be finished leaves the earlier one as it was: the disk fills at the
    // start, in the middle, or (for a report larger than the writer's chunks) only with the last
    // bytes, which reach the system when the file is finished.
    void reemplazoFallidoConservaElAnterior_data()
    {
        QTest::addColumn<int>("renglones");
        QTest::addColumn<qint64>("cabe");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("motivo");
        const qint64 grande = 3000 * qint64(sizeof "renglón 0000 ........................................");
        const QString lleno = u"No space left on device"_s, espacio = u"no queda espacio en el disco"_s;
        QTest::newRow("disco lleno al empezar") << 5 << qint64(0) << lleno << espacio;
        QTest::newRow("disco lleno a medias") << 5 << qint64(9) << lleno << espacio;
        QTest::newRow("error de escritura") << 5 << qint64(3) << u"Input/output error"_s
                                            << u"error de lectura o escritura en el disco"_s;
        QTest::newRow("grande, primer tramo") << 3000 << qint64(100) << lleno << espacio;
        QTest::newRow("grande, a medias") << 3000 << grande / 2 << lleno << espacio;
        QTest::newRow("grande, último tramo") << 3000 << grande - 10 << lleno << espacio;
    }
    void reemplazoFallidoConservaElAnterior()
    {
        QFETCH(int, renglones);
        QFETCH(qint64, cabe);
        QFETCH(QString, error);
        QFETCH(QString, motivo);
        const QString ruta = dir.filePath(u"R.txt"_s);
        QVERIFY(EscribirArchivo(ruta, "anterior\r\n"));
        FabricaDeSalidaGuard falla(queFalla(cabe, error));
        try {
            ArchivoDeSalida a(ruta, ArchivoDeSalida::Modo::Reemplazar);
            for (int i = 0; i < renglones; ++i)
                a.EscribirLinea(u"renglón %1 ........................................"_s.arg(i, 4, 10, '0'_L1));
            a.Terminar();
            QFAIL("no falló");
        } catch (const Error &e) {
            QCOMPARE(e.texto(), u"Error nº 75, No se pudo escribir el archivo %1: %2"_s.arg(QDir::toNativeSeparators(ruta), motivo));
        }
        QCOMPARE(LeerArchivo(ruta), QByteArray("anterior\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"R.txt"_s});
    }

    // A finished file takes the place of an earlier one; when it cannot, the earlier one stays.
    void ponerEnSuLugar()
    {
        const QString nuevo = dir.filePath(u"nuevo.txt"_s), destino = dir.filePath(u"destino.txt"_s);
        QVERIFY(EscribirArchivo(nuevo, "nuevo"));
        PonerEnSuLugar(nuevo, destino);
        QCOMPARE(LeerArchivo(destino), QByteArray("nuevo"));
        QVERIFY(EscribirArchivo(nuevo, "otro"));
        PonerEnSuLugar(nuevo, destino);
        QCOMPARE(LeerArchivo(destino), QByteArray("otro"));
        QCOMPARE(LeerArchivo(nuevo), NoExiste);
        try {
            PonerEnSuLugar(dir.filePath(u"falta.txt"_s), destino);
            QFAIL("no falló");
        } catch (const Error &e) {
            QVERIFY2(e.texto().startsWith(u"Error nº 75, No se pudo reemplazar el archivo %1: "_s.arg(QDir::toNativeSeparators(destino))),
                     qPrintable(e.texto()));
        }
        QCOMPARE(LeerArchivo(destino), QByteArray("otro"));
        QCOMPARE(QDir(dir.path()).entryList({u"destino*"_s}, QDir::Files), QStringList{u"destino.txt"_s});
    }

    // The log keeps what reached it before the failure.
    void directoFallidoConservaLoEscrito()
    {
        const QString ruta = dir.filePath(u"LogR.txt"_s);
        FabricaDeSalidaGuard falla(queFalla(12, u"No space left on device"_s));
        ArchivoDeSalida a(ruta, ArchivoDeSalida::Modo::Directo);
        a.EscribirLinea(u"año 1"_s);
        a.Vaciar();
        QVERIFY_THROWS_EXCEPTION(Error, {
            a.EscribirLinea(u"año 2"_s);
            a.Vaciar();
        });
        QCOMPARE(LeerArchivo(ruta), QByteArray("a\xF1o 1\r\n"));
    }

    void laGuardaDevuelveLaFabricaAnterior()
    {
        const QString ruta = dir.filePath(u"G.txt"_s);
        {
            FabricaDeSalidaGuard falla(queFalla(0, u"No space left on device"_s));
        }
        ArchivoDeSalida a(ruta, ArchivoDeSalida::Modo::Reemplazar);
        a.EscribirLinea(u"€"_s);
        a.Terminar();
        QCOMPARE(LeerArchivo(ruta), QByteArray("\x80\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestArchivoDeSalida)
#include "TestArchivoDeSalida.moc"

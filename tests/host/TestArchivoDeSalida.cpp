#include "ArchivoDeSalida.h"
#include "Archivos.h"
#include "DispositivoQueFalla.h"
#include "Errores.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QFile>
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
    // One row per way a system text is matched (a final period, Qt's sentence that names the
    // file, no reason at all, a text not known) and per Spanish reason that the real and
    // simulated failures below do not meet.
    void motivos_data()
    {
        QTest::addColumn<QString>("sistema");
        QTest::addColumn<QString>("espanol");
        QTest::newRow("permiso, Windows") << u"Access is denied."_s << u"permiso denegado"_s;
        QTest::newRow("no escribible") << u"Existing file /a/R.txt is not writable"_s << u"permiso denegado"_s;
        QTest::newRow("nombre largo") << u"File name too long"_s << u"el nombre es demasiado largo"_s;
        QTest::newRow("error de disco") << u"Input/output error"_s << u"error de lectura o escritura en el disco"_s;
        QTest::newRow("solo lectura") << u"Read-only file system"_s << u"el disco es de solo lectura"_s;
        QTest::newRow("sin motivo") << u"Unknown error"_s << u"el sistema no dio el motivo"_s;
        QTest::newRow("desconocido") << u"Algo raro "_s << u"Algo raro"_s;
    }
    void motivos()
    {
        QFETCH(QString, sistema);
        QFETCH(QString, espanol);
        QCOMPARE(MotivoEnEspanol(sistema), espanol);
    }

    // Real failures of the system, in either mode, with the message the user reads.
    void fallasReales()
    {
        const auto mensaje = [](const QString &ruta, ArchivoDeSalida::Modo modo) {
            try {
                ArchivoDeSalida a(ruta, modo);
                a.EscribirLinea(u"x"_s);
                a.Vaciar();
            } catch (const Error &e) {
                return e.texto();
            }
            return QString();
        };
        const QString falta = dir.filePath(u"falta/R.txt"_s);
        QCOMPARE(mensaje(falta, ArchivoDeSalida::Modo::Reemplazar),
                 u"Error nº 75, No se pudo crear el archivo %1: no existe el archivo o la carpeta"_s.arg(QDir::toNativeSeparators(falta)));
        QCOMPARE(mensaje(dir.path(), ArchivoDeSalida::Modo::Directo),
                 u"Error nº 75, No se pudo crear el archivo %1: es una carpeta, no un archivo"_s.arg(QDir::toNativeSeparators(dir.path())));
        // A full disk, where the system has one to try, is met when the file is emptied.
        if (QFile::exists(u"/dev/full"_s))
            QCOMPARE(mensaje(u"/dev/full"_s, ArchivoDeSalida::Modo::Directo),
                     u"Error nº 75, No se pudo escribir el archivo /dev/full: no queda espacio en el disco"_s);
    }

    // A disk that fills while a file is written: the message names the file and the reason. A
    // replacement leaves the earlier file as it was, whether the disk fills with the first bytes
    // (which reach it when the file is finished) or after the first of a large report's chunks;
    // a direct file (the log) keeps the lines it handed to the system before.
    void discoLleno_data()
    {
        QTest::addColumn<bool>("reemplazar");
        QTest::addColumn<int>("renglones");
        QTest::addColumn<qint64>("cabe");
        QTest::addColumn<QByteArray>("queda");
        QTest::newRow("reemplazo") << true << 5 << qint64(0) << QByteArray("anterior\r\n");
        // 3000 lines of 55 bytes: the first 64 KiB chunk fits, the second does not.
        QTest::newRow("reemplazo grande") << true << 3000 << qint64(100000) << QByteArray("anterior\r\n");
        QTest::newRow("directo") << false << 3 << qint64(60)
                                 << QByteArray("rengl\xF3n 0000 ........................................\r\n");
    }
    void discoLleno()
    {
        QFETCH(bool, reemplazar);
        QFETCH(int, renglones);
        QFETCH(qint64, cabe);
        QFETCH(QByteArray, queda);
        const QString ruta = dir.filePath(u"R.txt"_s);
        QVERIFY(EscribirArchivo(ruta, "anterior\r\n"));
        FabricaDeSalidaGuard falla(queFalla(cabe, u"No space left on device"_s));
        try {
            ArchivoDeSalida a(ruta, reemplazar ? ArchivoDeSalida::Modo::Reemplazar : ArchivoDeSalida::Modo::Directo);
            for (int i = 0; i < renglones; ++i) {
                a.EscribirLinea(u"renglón %1 ........................................"_s.arg(i, 4, 10, '0'_L1));
                if (!reemplazar)
                    a.Vaciar();
            }
            a.Terminar();
            QFAIL("no falló");
        } catch (const Error &e) {
            QCOMPARE(e.texto(), u"Error nº 75, No se pudo escribir el archivo %1: no queda espacio en el disco"_s.arg(QDir::toNativeSeparators(ruta)));
        }
        QCOMPARE(LeerArchivo(ruta), queda);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"R.txt"_s});
    }

    // A replacement is written beside its file, which stays whole until the new one is
    // finished (after a failing maker of files has gone: the real one is back). A finished file
    // takes the place of none or of an earlier one; when it cannot, the earlier one stays.
    void ponerEnSuLugar()
    {
        const QString nuevo = dir.filePath(u"nuevo.txt"_s), destino = dir.filePath(u"destino.txt"_s);
        QVERIFY(EscribirArchivo(nuevo, "nuevo"));
        {
            FabricaDeSalidaGuard falla(queFalla(0, u"No space left on device"_s));
        }
        ArchivoDeSalida a(nuevo, ArchivoDeSalida::Modo::Reemplazar);
        a.EscribirLinea(u"€"_s);
        QCOMPARE(LeerArchivo(nuevo), QByteArray("nuevo"));
        a.Terminar();
        PonerEnSuLugar(nuevo, destino);
        QCOMPARE(LeerArchivo(destino), QByteArray("\x80\r\n"));
        QVERIFY(EscribirArchivo(nuevo, "otro"));
        PonerEnSuLugar(nuevo, destino);
        QCOMPARE(LeerArchivo(destino), QByteArray("otro"));
        QCOMPARE(QDir(dir.path()).entryList({u"destino*"_s, u"nuevo*"_s}, QDir::Files), QStringList{u"destino.txt"_s});
        try {
            PonerEnSuLugar(dir.filePath(u"falta.txt"_s), destino);
            QFAIL("no falló");
        } catch (const Error &e) {
            QVERIFY2(e.texto().startsWith(u"Error nº 75, No se pudo reemplazar el archivo %1: "_s.arg(QDir::toNativeSeparators(destino))),
                     qPrintable(e.texto()));
        }
        QCOMPARE(LeerArchivo(destino), QByteArray("otro"));
    }
};

QTEST_GUILESS_MAIN(TestArchivoDeSalida)
#include "TestArchivoDeSalida.moc"

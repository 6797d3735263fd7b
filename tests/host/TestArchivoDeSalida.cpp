#include "ArchivoDeSalida.h"
#include "Archivos.h"
#include "DispositivoQueFalla.h"
#include "Errores.h"
#include "MotivosDelSistema.h"
#include "ReemplazoEnConjunto.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <QtTest>

using namespace host;
using namespace Qt::StringLiterals;

// The files written for the user, and how their failures reach the user.
class TestArchivoDeSalida : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    // The files before a replace of a report set, name=contents.
    const QStringList Antes{u"LogFallor.txt=log nuevo"_s, u"Logr.txt=log anterior"_s, u"r.txt=anterior"_s};

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

    // A report, its review and its log (written whole as LogFallor.txt) take the places of the
    // earlier r.txt and Logr.txt (there is no earlier review) all together, or none does: a
    // rename that fails ("de>a", by name), a disk that fills as the review is finished, an earlier
    // file marked read-only. The replacements stay beside their names until then.
    void reemplazoEnConjunto_data()
    {
        QTest::addColumn<QStringList>("fallan");
        QTest::addColumn<QString>("lleno");
        QTest::addColumn<QString>("soloLectura");
        QTest::addColumn<QString>("mensaje"); // %1 stands for the folder and its separator
        QTest::addColumn<QStringList>("quedan");
        const QString permiso = u"Error nº 75, No se pudo reemplazar el archivo %1Logr.txt: permiso denegado"_s;
        QTest::newRow("todos") << QStringList() << QString() << QString() << QString()
                               << QStringList{u"Logr.txt=log nuevo"_s, u"Revisionr.txt=revisión"_s, u"r.txt=nuevo"_s};
        QTest::newRow("el Log no toma su lugar") << QStringList{u"LogFallor.txt>Logr.txt"_s} << QString() << QString() << permiso << Antes;
        QTest::newRow("disco lleno en la revisión")
            << QStringList() << u"Revisionr.txt"_s << QString()
            << u"Error nº 75, No se pudo escribir el archivo %1Revisionr.txt: no queda espacio en el disco"_s << Antes;
        QTest::newRow("el anterior no vuelve")
            << QStringList{u"LogFallor.txt>Logr.txt"_s, u"r.txt.anterior>r.txt"_s} << QString() << QString()
            << permiso + u"; tampoco se pudo devolver el archivo anterior %1r.txt, que quedó como %1r.txt.anterior: permiso denegado"_s
            << QStringList{u"LogFallor.txt=log nuevo"_s, u"Logr.txt=log anterior"_s, u"r.txt.anterior=anterior"_s};
        QTest::newRow("Log de solo lectura")
            << QStringList() << QString() << u"Logr.txt"_s
            << u"Error nº 75, No se pudo reemplazar el archivo %1Logr.txt: el archivo es de solo lectura"_s << Antes;
    }
    void reemplazoEnConjunto()
    {
        QFETCH(QStringList, fallan);
        QFETCH(QString, lleno);
        QFETCH(QString, soloLectura);
        QFETCH(QString, mensaje);
        QFETCH(QStringList, quedan);
        QTemporaryDir carpeta;
        const QDir d(carpeta.path());
        for (const QString &antes : Antes)
            QVERIFY(EscribirArchivo(d.filePath(antes.section('='_L1, 0, 0)), antes.section('='_L1, 1).toUtf8()));
        if (!soloLectura.isEmpty())
            QVERIFY(QFile::setPermissions(d.filePath(soloLectura), QFile::ReadOwner | QFile::ReadGroup));
        RenombradoGuard renombrado([&](const QString &de, const QString &a, QString *motivo) {
            if (fallan.contains(QFileInfo(de).fileName() + '>'_L1 + QFileInfo(a).fileName()))
                return (*motivo = u"permiso denegado"_s), false;
            return QFile::rename(de, a);
        });
        std::optional<FabricaDeSalidaGuard> disco;
        if (!lleno.isEmpty())
            disco.emplace(queFalla(0, u"No space left on device"_s, lleno));
        QString error;
        {
            // The writers go before the folder is read, as they go when a run fails: with them
            // their unfinished copies (visible files on Windows).
            ArchivoDeSalida reporte(d.filePath(u"r.txt"_s), ArchivoDeSalida::Modo::Reemplazar);
            ArchivoDeSalida revision(d.filePath(u"Revisionr.txt"_s), ArchivoDeSalida::Modo::Reemplazar);
            reporte.EscribirBytes("nuevo");
            revision.EscribirBytes("revisión");
            ReemplazoEnConjunto juntos;
            juntos.Agregar(reporte);
            juntos.Agregar(revision);
            juntos.Agregar(d.filePath(u"LogFallor.txt"_s), d.filePath(u"Logr.txt"_s));
            QCOMPARE(LeerArchivo(d.filePath(u"r.txt"_s)), QByteArray("anterior"));
            try {
                juntos.Reemplazar();
            } catch (const Error &e) {
                error = e.texto();
            }
            QCOMPARE(error, mensaje.replace(u"%1"_s, QDir::toNativeSeparators(d.path() + '/'_L1)));
        }
        QStringList hay;
        for (const QString &nombre : d.entryList(QDir::Files | QDir::Hidden, QDir::Name))
            hay << nombre + '='_L1 + QString::fromUtf8(LeerArchivo(d.filePath(nombre)));
        QCOMPARE(hay, quedan);
    }
};

QTEST_GUILESS_MAIN(TestArchivoDeSalida)
#include "TestArchivoDeSalida.moc"

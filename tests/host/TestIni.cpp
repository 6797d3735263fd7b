#include "ArchivoIni.h"
#include "Archivos.h"
#include "DispositivoQueFalla.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace host;
using namespace Qt::StringLiterals;

// Hand-edited INI files: reading, and writing one key without disturbing the rest.
class TestIni : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    int numero = 0;
    const QByteArray fin = QDir::separator() == '\\'_L1 ? "\r\n" : "\n";

    // A new file with these bytes; with null bytes, a name that does not exist.
    QString archivoCon(const QByteArray &bytes)
    {
        QFile f(dir.filePath(u"prueba%1.ini"_s.arg(++numero)));
        if (!bytes.isNull() && f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }

private Q_SLOTS:
    void lee_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("mayúsculas, acentos, blancos") << QByteArray("  [ SECCIÓN ]  \n\t CLAVE Ñ \t= C:\\a b \n") << u"Sección"_s
                                                      << u"clave ñ"_s << u" C:\\a b "_s;
        QTest::newRow("igual en el valor, CR LF") << QByteArray("[A]\r\nk=x=y\r\n") << u"A"_s << u"k"_s << u"x=y"_s;
        QTest::newRow("repetida: la primera") << QByteArray("[A]\nk=1\n[a]\nk=2") << u"A"_s << u"k"_s << u"1"_s;
        QTest::newRow("de otra sección") << QByteArray("k=v\n[B]\nk=v\n[A]\n") << u"A"_s << u"k"_s << QString();
        QTest::newRow("comentario") << QByteArray("[A]\n  ;k=v\n") << u"A"_s << u";k"_s << QString();
    }
    void lee()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, esperado);
        QCOMPARE(ini::Lee(archivoCon(contenido), seccion, clave), esperado);
    }

    // Null "antes": no file yet. The point-of-sale program reads its own settings file in its
    // own encoding: a written key must not change the encoding, the byte-order mark, the line
    // ends or any other line; each encoding is also read back here. A write that is refused
    // ("problema") leaves the file as it was, and a file it cannot decode is not read either.
    void escribe_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QByteArray>("despues");
        QTest::addColumn<QString>("problema");
        const QByteArray fijo = "[A]\nk=1\n";
        QTest::newRow("archivo nuevo") << QByteArray() << u"Sección"_s << u"k"_s << u"C:\\ñ"_s
                                       << "[Sección]" + fin + "k=C:\\ñ" + fin << QString();
        // Blanks, accents, backslashes and what looks like a comment or a section, as they are; a
        // new section at the end of a file whose last line has no line end.
        QTest::newRow("valor tal cual") << QByteArray("; c\n[Otra]\nk=1") << u"B"_s << u"k"_s << u" ; [x] C:\\Año\\ a=b "_s
                                        << QByteArray("; c\n[Otra]\nk=1\n\n[B]\nk= ; [x] C:\\Año\\ a=b ") << QString();
        QTest::newRow("clave existente en su sitio")
            << QByteArray("; Conf\r\n[Conf]\r\n# ruta\r\n  RUTA  =C:\\vieja\r\nBase=1\r\n\r\n[frm]\r\nL=1\r\n") << u"conf"_s << u"Ruta"_s
            << u"D:\\Ñ"_s << QByteArray("; Conf\r\n[Conf]\r\n# ruta\r\n  RUTA  =D:\\Ñ\r\nBase=1\r\n\r\n[frm]\r\nL=1\r\n") << QString();
        // With the line end most lines have, before the comment that opens the next section.
        QTest::newRow("clave nueva al final de su sección") << QByteArray("[A]\r\nk=1\n\r\n; B\r\n[B]\r\nj=2") << u"A"_s << u"n"_s
                                                            << u"3"_s << QByteArray("[A]\r\nk=1\nn=3\r\n\r\n; B\r\n[B]\r\nj=2") << QString();
        QTest::newRow("empate de fines de línea: LF") << QByteArray("[A]\r\nk=1\n") << u"A"_s << u"n"_s << u"3"_s
                                                      << QByteArray("[A]\r\nk=1\nn=3\n") << QString();
        QTest::newRow("Windows-1252") << QByteArray("[A]\r\nr=Compa\xF1\xED" "a\r\nk=\r\n") << u"A"_s << u"k"_s << u"ÄBÇ€"_s
                                      << QByteArray("[A]\r\nr=Compa\xF1\xED" "a\r\nk=\xC4" "B\xC7\x80\r\n") << QString();
        QTest::newRow("UTF-8 con marca") << QByteArray("\xEF\xBB\xBF[A]\nr=Ñandú\nk=\n") << u"A"_s << u"k"_s << u"Ä€"_s
                                         << QByteArray("\xEF\xBB\xBF[A]\nr=Ñandú\nk=Ä€\n") << QString();
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\r\0\n\0", 20) << u"A"_s << u"k"_s << u"Ñ€"_s
                                   << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xD1\0\xAC\x20\r\0\n\0", 24) << QString();
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\0\r\0\n", 20) << u"A"_s << u"k"_s << u"Ñ€"_s
                                   << QByteArray("\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\0\xD1\x20\xAC\0\r\0\n", 24) << QString();
        // One row per reason to refuse; the file stays as it was.
        const auto rechazo = [](const char *nombre, const QByteArray &antes, const QString &seccion, const QString &clave,
                                const QString &valor, const QString &problema) {
            QTest::newRow(nombre) << antes << seccion << clave << valor << QByteArray() << problema;
        };
        const QString binario = u"no es un archivo de texto: tiene bytes nulos o caracteres de control "
                                "(¿es un archivo binario, o texto UTF-16 sin su marca de orden de bytes?)"_s;
        rechazo("UTF-16 sin marca", QByteArray("[\0A\0]\0\n\0k\0=\0\xF1\0\n\0", 16), u"A"_s, u"k"_s, u"v"_s, binario);
        rechazo("byte sin carácter en Windows-1252", QByteArray("[A]\nk=\x81\n"), u"A"_s, u"k"_s, u"v"_s, binario);
        rechazo("marca de UTF-8, texto que no lo es", QByteArray("\xEF\xBB\xBF[A]\nk=\xF1\n"), u"A"_s, u"k"_s, u"v"_s,
                u"empieza como texto UTF-8 pero no lo es"_s);
        rechazo("marca de UTF-16, bytes impares", QByteArray("\xFF\xFE[\0A\0]", 7), u"A"_s, u"k"_s, u"v"_s,
                u"empieza como texto UTF-16 pero no lo es"_s);
        rechazo("valor que no cabe en Windows-1252", QByteArray("[A]\nk=A\xF1o\n"), u"A"_s, u"n"_s, u"ā"_s,
                u"el valor de «n» tiene caracteres que no caben en la codificación Windows-1252 del archivo"_s);
        rechazo("sección con corchete", fijo, u"a]b"_s, u"k"_s, QString(), u"el nombre de la sección «a]b» no es válido"_s);
        rechazo("clave con igual", fijo, u"A"_s, u"a=b"_s, QString(), u"el nombre de la clave «a=b» no es válido"_s);
        rechazo("valor con salto", fijo, u"A"_s, u"j"_s, u"v\nk=x"_s, u"el valor de «j» tiene un salto de línea"_s);
    }
    void escribe()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QFETCH(QByteArray, despues);
        QFETCH(QString, problema);
        const QString archivo = archivoCon(antes);
        QString motivo;
        QCOMPARE(ini::Escribe(archivo, seccion, clave, valor, &motivo), problema.isEmpty());
        QCOMPARE(motivo, problema);
        QCOMPARE(LeerArchivo(archivo), problema.isEmpty() ? despues : antes);
        QCOMPARE(ini::Lee(archivo, seccion, clave), problema.isEmpty() ? valor : QString());
    }

    void archivosLegiblesYLugaresSinEscritura()
    {
        QString problema;
        QVERIFY(ini::Legible(dir.filePath(u"no-existe.ini"_s), &problema));
        QVERIFY(!ini::Legible(dir.path(), &problema));
        QCOMPARE(problema, u"es una carpeta, no un archivo"_s);
        // Nothing is written where nothing can be: a missing folder is not made.
        QVERIFY(!ini::Escribe(dir.filePath(u"no/x.ini"_s), u"A"_s, u"k"_s, QString()));
        QVERIFY(!QDir(dir.filePath(u"no"_s)).exists());
    }

    // A disk that fills while the new text is written: the settings file keeps every byte, and
    // the reason is the system's, in Spanish.
    void discoLlenoDejaElArchivoComoEstaba()
    {
        const QByteArray antes = "; repieps\r\n[Configuraci\xF3n]\r\nRuta de Nubora Premium=D:\\np\r\nBase de datos principal=\r\n";
        const QString archivo = archivoCon(antes);
        FabricaDeSalidaGuard falla(queFalla(20, u"No space left on device"_s));
        QString motivo;
        QVERIFY(!ini::Escribe(archivo, u"Configuración"_s, u"Base de datos principal"_s, u"datos1"_s, &motivo));
        QCOMPARE(motivo, u"No se pudo escribir el archivo %1: no queda espacio en el disco"_s.arg(QDir::toNativeSeparators(archivo)));
        QCOMPARE(LeerArchivo(archivo), antes);
    }

    void escribeATravesDeUnArchivoTemporal()
    {
#ifdef Q_OS_UNIX
        // A file rewritten in place would change under its second name (a hard link) too.
        const QString archivo = archivoCon("[A]\nk=1\n"), otro = dir.filePath(u"enlace.ini"_s);
        QCOMPARE(::link(QFile::encodeName(archivo).constData(), QFile::encodeName(otro).constData()), 0);
        QVERIFY(ini::Escribe(archivo, u"A"_s, u"k"_s, u"2"_s));
        QCOMPARE(LeerArchivo(archivo), QByteArray("[A]\nk=2\n"));
        QCOMPARE(LeerArchivo(otro), QByteArray("[A]\nk=1\n"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "TestIni.moc"

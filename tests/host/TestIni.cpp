#include "ArchivoIni.h"
#include "Archivos.h"
#include "DispositivoQueFalla.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        QTest::newRow("valor de blancos") << QByteArray("[A]\nk=   \n") << u"A"_s << u"k"_s << u"   "_s;
        QTest::newRow("igual en el valor, CR LF") << QByteArray("[A]\r\nk=x=y\r\n") << u"A"_s << u"k"_s << u"x=y"_s;
        QTest::newRow("repetida: la primera") << QByteArray("[A]\nk=1\n[a]\nk=2") << u"A"_s << u"k"_s << u"1"_s;
        QTest::newRow("archivo ausente") << QByteArray() << u"A"_s << u"k"_s << QString();
        QTest::newRow("clave ausente") << QByteArray("[A]\nk=v\n") << u"A"_s << u"j"_s << QString();
        QTest::newRow("sección ausente") << QByteArray("[A]\nk=v\n") << u"B"_s << u"k"_s << QString();
        QTest::newRow("de otra sección") << QByteArray("k=v\n[B]\nk=v\n[A]\n") << u"A"_s << u"k"_s << QString();
        QTest::newRow("comentarios") << QByteArray("[A]\n;k=v\n  # k=w\n") << u"A"_s << u"k"_s << QString();
        QTest::newRow("clave de blancos") << QByteArray("[A]\n   =v\n") << u"A"_s << u"   "_s << QString();
        QTest::newRow("BOM de UTF-8") << QByteArray("\xEF\xBB\xBF[A]\nk=D:\\ñ\n") << u"A"_s << u"k"_s << u"D:\\ñ"_s;
        QTest::newRow("Windows-1252") << QByteArray("[A\xF1o]\r\nk=C:\\\xF1 \x80\r\n") << u"Año"_s << u"k"_s << u"C:\\ñ €"_s;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE[\0A\0]\0\n\0k\0=\0\xF1\0\n\0", 18) << u"A"_s << u"k"_s << u"ñ"_s;
    }
    void lee()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, esperado);
        QCOMPARE(ini::Lee(archivoCon(contenido), seccion, clave), esperado);
    }

    // Null "antes": no file yet. Null "despues": the write fails and the file stays as it was.
    void escribe_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QByteArray>("despues");
        const QByteArray otra = "; c\n[Otra]\nk=1\n", fijo = "[A]\nk=1\n";
        QTest::newRow("archivo nuevo") << QByteArray() << u"Sección"_s << u"k"_s << u"C:\\ñ"_s
                                       << "[Sección]" + fin + "k=C:\\ñ" + fin;
        QTest::newRow("valor vacío") << otra << u"B"_s << u"k"_s << QString() << otra + "\n[B]\nk=\n";
        QTest::newRow("valor de blancos") << otra << u"B"_s << u"k"_s << u"  "_s << otra + "\n[B]\nk=  \n";
        QTest::newRow("acentos y barras") << otra << u"B"_s << u"k"_s << u" C:\\Año\\ "_s << otra + "\n[B]\nk= C:\\Año\\ \n";
        QTest::newRow("parece comentario") << otra << u"B"_s << u"k"_s << u"; [x] a=b"_s << otra + "\n[B]\nk=; [x] a=b\n";
        QTest::newRow("clave existente en su sitio")
            << QByteArray("; Conf\r\n[Conf]\r\n# ruta\r\n  RUTA  =C:\\vieja\r\nBase=1\r\n\r\n[frm]\r\nL=1\r\n") << u"conf"_s
            << u"Ruta"_s << u"D:\\Ñ"_s << QByteArray("; Conf\r\n[Conf]\r\n# ruta\r\n  RUTA  =D:\\Ñ\r\nBase=1\r\n\r\n[frm]\r\nL=1\r\n");
        QTest::newRow("clave nueva al final de su sección") << QByteArray("[A]\nk=1\n\n; B\n[B]\nj=2\n") << u"A"_s << u"n"_s
                                                            << u"3"_s << QByteArray("[A]\nk=1\nn=3\n\n; B\n[B]\nj=2\n");
        QTest::newRow("sin salto final") << QByteArray("[A]\nk=1") << u"B"_s << u"n"_s << u"2"_s
                                         << QByteArray("[A]\nk=1\n\n[B]\nn=2");
        QTest::newRow("saltos mezclados") << QByteArray("[A]\r\nk=1\n\r\n[B]\r\nj=2") << u"A"_s << u"n"_s << u"3"_s
                                          << QByteArray("[A]\r\nk=1\nn=3\r\n\r\n[B]\r\nj=2");
        QTest::newRow("valor que no cabe en Windows-1252") << QByteArray("[A]\nk=A\xF1o\n") << u"A"_s << u"n"_s << u"ā"_s << QByteArray();
        QTest::newRow("sección de blancos") << fijo << u"  "_s << u"k"_s << QString() << QByteArray();
        QTest::newRow("sección con corchete") << fijo << u"a]b"_s << u"k"_s << QString() << QByteArray();
        QTest::newRow("clave de blancos") << fijo << u"A"_s << u"   "_s << QString() << QByteArray();
        QTest::newRow("clave con igual") << fijo << u"A"_s << u"a=b"_s << QString() << QByteArray();
        QTest::newRow("valor con salto") << fijo << u"A"_s << u"k"_s << u"v\nk=x"_s << QByteArray();
    }
    void escribe()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        QFETCH(QByteArray, despues);
        const QString archivo = archivoCon(antes);
        QString motivo;
        QCOMPARE(ini::Escribe(archivo, seccion, clave, valor, &motivo), !despues.isNull());
        QCOMPARE(motivo.isEmpty(), !despues.isNull());
        QCOMPARE(LeerArchivo(archivo), despues.isNull() ? antes : despues);
        if (!despues.isNull())
            QCOMPARE(ini::Lee(archivo, seccion, clave), valor);
    }

    // The point-of-sale program reads its own settings file in its own encoding: a written key
    // must not change the encoding, the byte-order mark, the line ends or any other line.
    void conservaLaCodificacion_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("despues");
        QTest::addColumn<QString>("valor");
        const auto utf16 = [](const QString &t, bool le) {
            QByteArray b = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
            for (QChar c : t) {
                const char alto = char(c.unicode() >> 8), bajo = char(c.unicode() & 0xFF);
                b.append(le ? bajo : alto).append(le ? alto : bajo);
            }
            return b;
        };
        const QString ini16 = u"[Sistema]\r\nRazón social=Compañía Ñandú\r\nMySQLUsuario=\r\n"_s;
        const QString fin16 = u"[Sistema]\r\nRazón social=Compañía Ñandú\r\nMySQLUsuario=ÄBÇ€\r\n"_s;
        QTest::newRow("Windows-1252")
            << QByteArray("[Sistema]\r\nRaz\xF3n social=Compa\xF1\xED" "a \xD1" "and\xFA\r\nMySQLUsuario=\r\n")
            << QByteArray("[Sistema]\r\nRaz\xF3n social=Compa\xF1\xED" "a \xD1" "and\xFA\r\nMySQLUsuario=\xC4" "B\xC7\x80\r\n")
            << u"ÄBÇ€"_s;
        QTest::newRow("UTF-8 sin marca") << ini16.toUtf8() << fin16.toUtf8() << u"ÄBÇ€"_s;
        QTest::newRow("UTF-8 con marca") << "\xEF\xBB\xBF" + ini16.toUtf8() << "\xEF\xBB\xBF" + fin16.toUtf8() << u"ÄBÇ€"_s;
        QTest::newRow("UTF-16 LE") << utf16(ini16, true) << utf16(fin16, true) << u"ÄBÇ€"_s;
        QTest::newRow("UTF-16 BE") << utf16(ini16, false) << utf16(fin16, false) << u"ÄBÇ€"_s;
        QTest::newRow("UTF-16 LE, clave nueva") << utf16(u"[Sistema]\nA=\u0101\n"_s, true)
                                                << utf16(u"[Sistema]\nA=\u0101\nMySQLUsuario=ÄBÇ€\n"_s, true) << u"ÄBÇ€"_s;
    }
    void conservaLaCodificacion()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, despues);
        QFETCH(QString, valor);
        const QString archivo = archivoCon(antes);
        QString motivo;
        QVERIFY2(ini::Escribe(archivo, u"Sistema"_s, u"MySQLUsuario"_s, valor, &motivo), qPrintable(motivo));
        QCOMPARE(LeerArchivo(archivo), despues);
        QCOMPARE(ini::Lee(archivo, u"Sistema"_s, u"MySQLUsuario"_s), valor);
    }

    // A file that is not text in an encoding the program can write back is neither read nor written.
    void noTocaLoQueNoEntiende_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("problema");
        const QString binario = u"no es un archivo de texto: tiene bytes nulos o caracteres de control "
                                "(¿es un archivo binario, o texto UTF-16 sin su marca de orden de bytes?)"_s;
        QByteArray basura(4096, '\0');
        for (int i = 0; i < basura.size(); ++i)
            basura[i] = char((i * 7919 + 13) % 256);
        QTest::newRow("binario") << basura << binario;
        QTest::newRow("UTF-16 sin marca") << QByteArray("[\0A\0]\0\n\0k\0=\0\xF1\0\n\0", 16) << binario;
        QTest::newRow("byte sin carácter en Windows-1252") << QByteArray("[A]\nk=\x81\n") << binario;
        QTest::newRow("marca de UTF-8, texto que no lo es") << QByteArray("\xEF\xBB\xBF[A]\nk=\xF1\n")
                                                            << u"empieza como texto UTF-8 pero no lo es"_s;
        QTest::newRow("marca de UTF-16, bytes impares") << QByteArray("\xFF\xFE[\0A\0]", 7)
                                                        << u"empieza como texto UTF-16 pero no lo es"_s;
    }
    void noTocaLoQueNoEntiende()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, problema);
        const QString archivo = archivoCon(contenido);
        QString dicho, motivo;
        QVERIFY(!ini::Legible(archivo, &dicho));
        QCOMPARE(dicho, problema);
        QVERIFY(!ini::Escribe(archivo, u"A"_s, u"k"_s, u"v"_s, &motivo));
        QCOMPARE(motivo, problema);
        QCOMPARE(LeerArchivo(archivo), contenido);
        QCOMPARE(ini::Lee(archivo, u"A"_s, u"k"_s), QString());
    }

    void archivosLegiblesYLugaresSinEscritura()
    {
        QString problema;
        QVERIFY(ini::Legible(dir.filePath(u"no-existe.ini"_s), &problema));
        QVERIFY(ini::Legible(archivoCon("[A]\r\nk=\xF1\r\n"), &problema));
        QVERIFY(!ini::Legible(dir.path(), &problema));
        QCOMPARE(problema, u"es una carpeta, no un archivo"_s);
        // Nothing is written where nothing can be: a missing folder is not made, a folder stays.
        QVERIFY(!ini::Escribe(dir.filePath(u"no/x.ini"_s), u"A"_s, u"k"_s, QString()));
        QVERIFY(!QDir(dir.filePath(u"no"_s)).exists());
        QVERIFY(!ini::Escribe(dir.path(), u"A"_s, u"k"_s, QString()));
    }

    // A disk that fills while the new text is written: the settings file keeps every byte, and
    // the reason is the system's, in Spanish.
    void discoLlenoDejaElArchivoComoEstaba_data()
    {
        QTest::addColumn<qint64>("cabe");
        QTest::newRow("nada") << qint64(0);
        QTest::newRow("a medias") << qint64(20);
        QTest::newRow("todo menos el final") << qint64(47);
    }
    void discoLlenoDejaElArchivoComoEstaba()
    {
        QFETCH(qint64, cabe);
        const QByteArray antes = "; repieps\r\n[Configuraci\xF3n]\r\nRuta de Nubora Premium=D:\\np\r\nBase de datos principal=\r\n";
        const QString archivo = archivoCon(antes);
        FabricaDeSalidaGuard falla(queFalla(cabe, u"No space left on device"_s));
        QString motivo;
        QVERIFY(!ini::Escribe(archivo, u"Configuración"_s, u"Base de datos principal"_s, u"datos1"_s, &motivo));
        QCOMPARE(motivo, u"No se pudo escribir el archivo %1: no queda espacio en el disco"_s.arg(QDir::toNativeSeparators(archivo)));
        QCOMPARE(LeerArchivo(archivo), antes);
        QCOMPARE(QDir(dir.path()).entryList({QFileInfo(archivo).fileName() + u"*"_s}, QDir::Files).size(), 1);
    }

    void escribeATravesDeUnArchivoTemporal()
    {
#ifdef Q_OS_UNIX
        // A file rewritten in place would change under its second name too.
        QTemporaryDir aparte;
        const QString archivo = aparte.filePath(u"a.ini"_s), otro = aparte.filePath(u"b.ini"_s);
        QVERIFY(QFile::copy(archivoCon("[A]\nk=1\n"), archivo));
        QCOMPARE(::link(QFile::encodeName(archivo).constData(), QFile::encodeName(otro).constData()), 0);
        QVERIFY(ini::Escribe(archivo, u"A"_s, u"k"_s, u"2"_s));
        QCOMPARE(LeerArchivo(archivo), QByteArray("[A]\nk=2\n"));
        QCOMPARE(LeerArchivo(otro), QByteArray("[A]\nk=1\n"));
        QCOMPARE(QDir(aparte.path()).entryList(QDir::Files), (QStringList{u"a.ini"_s, u"b.ini"_s}));
#endif
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "TestIni.moc"

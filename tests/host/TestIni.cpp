#include "ArchivoIni.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace host;

// Hand-edited INI files: reading, writing one key without disturbing the rest, encodings.
class TestIni : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    int numero = 0;

    QString nuevoArchivo() { return dir.filePath(QStringLiteral("prueba%1.ini").arg(++numero)); }
    static void escribir(const QString &archivo, const QByteArray &bytes)
    {
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray leer(const QString &archivo)
    {
        QFile f(archivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se pudo leer>");
    }
    static QByteArray finDeLinea()
    {
#ifdef Q_OS_WIN
        return "\r\n";
#else
        return "\n";
#endif
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void lee_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("esperado");

        const QString conf = QStringLiteral("Configuración");
        const QString ruta = QStringLiteral("Ruta de Nubora Premium");
        QTest::newRow("sencillo") << QByteArray("[Configuración]\nRuta de Nubora Premium=C:\\nuborapremium\n") << conf
                                  << ruta << QStringLiteral("C:\\nuborapremium");
        QTest::newRow("mayúsculas y acentos") << QByteArray("[CONFIGURACIÓN]\nruta DE nubora PREMIUM=x\n") << conf << ruta
                                              << QStringLiteral("x");
        QTest::newRow("blancos alrededor de los nombres")
            << QByteArray("  [ Configuración ]  \n\t Ruta de Nubora Premium \t= C:\\a b \n") << conf << ruta
            << QStringLiteral(" C:\\a b ");
        QTest::newRow("valor de blancos") << QByteArray("[A]\nk=   \n") << QStringLiteral("a") << QStringLiteral("K")
                                          << QStringLiteral("   ");
        QTest::newRow("igual dentro del valor") << QByteArray("[A]\nk=x=y\n") << QStringLiteral("A") << QStringLiteral("k")
                                                << QStringLiteral("x=y");
        QTest::newRow("CR LF") << QByteArray("[A]\r\nk=v\r\nj=w\r\n") << QStringLiteral("A") << QStringLiteral("k")
                               << QStringLiteral("v");
        QTest::newRow("última línea sin salto") << QByteArray("[A]\nk=v") << QStringLiteral("A") << QStringLiteral("k")
                                                << QStringLiteral("v");
        QTest::newRow("clave ausente") << QByteArray("[A]\nk=v\n") << QStringLiteral("A") << QStringLiteral("j") << QString();
        QTest::newRow("clave de otra sección") << QByteArray("[A]\nk=v\n[B]\nj=w\n") << QStringLiteral("A")
                                               << QStringLiteral("j") << QString();
        QTest::newRow("sección ausente") << QByteArray("[A]\nk=v\n") << QStringLiteral("B") << QStringLiteral("k") << QString();
        QTest::newRow("clave antes de toda sección")
            << QByteArray("k=v\n[A]\nj=w\n") << QStringLiteral("A") << QStringLiteral("k") << QString();
        QTest::newRow("comentario con punto y coma") << QByteArray("[A]\n;k=v\n") << QStringLiteral("A")
                                                     << QStringLiteral("k") << QString();
        QTest::newRow("comentario con almohadilla") << QByteArray("[A]\n  # k=v\n") << QStringLiteral("A")
                                                    << QStringLiteral("k") << QString();
        QTest::newRow("clave de blancos no se busca")
            << QByteArray("[A]\n   =v\n=w\n") << QStringLiteral("A") << QStringLiteral("   ") << QString();
        QTest::newRow("clave vacía no se busca") << QByteArray("[A]\n=w\n") << QStringLiteral("A") << QString() << QString();
        QTest::newRow("sección vacía no se busca") << QByteArray("[]\nk=w\n") << QString() << QStringLiteral("k") << QString();
        QTest::newRow("clave repetida: la primera") << QByteArray("[A]\nk=1\nk=2\n") << QStringLiteral("A")
                                                    << QStringLiteral("k") << QStringLiteral("1");
        QTest::newRow("sección repetida") << QByteArray("[A]\nk=1\n[B]\n[a]\nj=2\n") << QStringLiteral("A")
                                          << QStringLiteral("j") << QStringLiteral("2");
        QTest::newRow("BOM de UTF-8") << QByteArray("\xEF\xBB\xBF[Configuración]\nRuta de Nubora Premium=D:\\ñ\n") << conf
                                      << ruta << QStringLiteral("D:\\ñ");
        QTest::newRow("Windows-1252")
            << QByteArray("[Configuraci\xF3n]\r\nRuta de Nubora Premium=C:\\Se\xF1or \x80\\x\r\n") << conf << ruta
            << QStringLiteral("C:\\Señor €\\x");
        QTest::newRow("línea sin igual se ignora") << QByteArray("[A]\nbasura\nk=v\n") << QStringLiteral("A")
                                                   << QStringLiteral("basura") << QString();
    }
    void lee()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, esperado);
        const QString archivo = nuevoArchivo();
        escribir(archivo, contenido);
        const QString valor = ini::Lee(archivo, seccion, clave);
        QCOMPARE(valor, esperado);
        QCOMPARE(valor.isNull() || valor.isEmpty(), esperado.isEmpty());
    }

    void leeUtf16ConBom()
    {
        const QString archivo = nuevoArchivo();
        const QString texto = QStringLiteral("[Configuración]\r\nRuta de Nubora Premium=C:\\Año\r\n");
        QByteArray bytes("\xFF\xFE");
        for (QChar c : texto) {
            bytes += char(c.unicode() & 0xFF);
            bytes += char(c.unicode() >> 8);
        }
        escribir(archivo, bytes);
        QCOMPARE(ini::Lee(archivo, QStringLiteral("Configuración"), QStringLiteral("Ruta de Nubora Premium")),
                 QStringLiteral("C:\\Año"));
    }

    void leeArchivoAusenteOCarpeta()
    {
        QCOMPARE(ini::Lee(dir.filePath(QStringLiteral("no-existe.ini")), QStringLiteral("A"), QStringLiteral("k")), QString());
        QCOMPARE(ini::Lee(dir.path(), QStringLiteral("A"), QStringLiteral("k")), QString());
        QCOMPARE(ini::Lee(QString(), QStringLiteral("A"), QStringLiteral("k")), QString());
    }

    void escribeArchivoNuevoTalCual()
    {
        const QString archivo = nuevoArchivo();
        QVERIFY(ini::Escribe(archivo, QStringLiteral("Configuración"), QStringLiteral("Ruta de Nubora Premium"),
                             QStringLiteral("C:\\nuborapremium")));
        const QByteArray fin = finDeLinea();
        QCOMPARE(leer(archivo), QByteArray("[Configuración]") + fin + "Ruta de Nubora Premium=C:\\nuborapremium" + fin);
        QVERIFY(ini::Escribe(archivo, QStringLiteral("Configuración"), QStringLiteral("Base de datos principal"),
                             QStringLiteral("datos1")));
        QCOMPARE(leer(archivo), QByteArray("[Configuración]") + fin + "Ruta de Nubora Premium=C:\\nuborapremium" + fin
                                    + "Base de datos principal=datos1" + fin);
    }

    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::newRow("vacío") << QString();
        QTest::newRow("blancos") << QStringLiteral("   ");
        QTest::newRow("ruta con blancos y acentos") << QStringLiteral(" C:\\Archivos de programa\\Nubora Año\\ ");
        QTest::newRow("igual") << QStringLiteral("a=b=");
        QTest::newRow("parece comentario") << QStringLiteral("; no es comentario");
        QTest::newRow("parece sección") << QStringLiteral("[x]");
        QTest::newRow("por ciento") << QStringLiteral("100%20 %C3%B1");
        QTest::newRow("comillas y tabulador") << QStringLiteral("\"a\"\t'b'");
        QTest::newRow("fuera del plano básico") << QStringLiteral("€ 😀");
    }
    void idaYVuelta()
    {
        QFETCH(QString, valor);
        const QString archivo = nuevoArchivo();
        escribir(archivo, "; comentario inicial\n[Otra]\nk=1\n");
        QVERIFY(ini::Escribe(archivo, QStringLiteral("Sección Ñ"), QStringLiteral("Clave con blancos"), valor));
        QCOMPARE(ini::Lee(archivo, QStringLiteral("sección ñ"), QStringLiteral("clave con blancos")), valor);
        QCOMPARE(ini::Lee(archivo, QStringLiteral("Otra"), QStringLiteral("k")), QStringLiteral("1"));
        QVERIFY(leer(archivo).contains(QStringLiteral("Clave con blancos=%1").arg(valor).toUtf8()));
    }

    void escribeConservaTodoLoDemas()
    {
        const QString archivo = nuevoArchivo();
        const QByteArray antes = "; Configuración de repieps\r\n"
                                 "[Configuración]\r\n"
                                 "# la ruta de la instalación\r\n"
                                 "  RUTA de Nubora Premium  =C:\\vieja\r\n"
                                 "Base de datos principal=datos1\r\n"
                                 "\r\n"
                                 "; ventanas\r\n"
                                 "[frmDescripcion]\r\n"
                                 "Linea=120\r\n";
        escribir(archivo, antes);
        QVERIFY(ini::Escribe(archivo, QStringLiteral("configuración"), QStringLiteral("Ruta de Nubora Premium"),
                             QStringLiteral("D:\\Nubora Premium")));
        QByteArray despues = antes;
        despues.replace("  RUTA de Nubora Premium  =C:\\vieja", "  RUTA de Nubora Premium  =D:\\Nubora Premium");
        QCOMPARE(leer(archivo), despues);
    }

    void claveNuevaAlFinalDeSuSeccion()
    {
        const QString archivo = nuevoArchivo();
        escribir(archivo, "[A]\n"
                          "k=1\n"
                          "\n"
                          "; la sección B\n"
                          "[B]\n"
                          "j=2\n");
        QVERIFY(ini::Escribe(archivo, QStringLiteral("A"), QStringLiteral("n"), QStringLiteral("3")));
        QVERIFY(ini::Escribe(archivo, QStringLiteral("B"), QStringLiteral("m"), QStringLiteral("4")));
        QCOMPARE(leer(archivo), QByteArray("[A]\n"
                                           "k=1\n"
                                           "n=3\n"
                                           "\n"
                                           "; la sección B\n"
                                           "[B]\n"
                                           "j=2\n"
                                           "m=4\n"));
    }

    void claveNuevaEnSeccionVaciaYSeccionRepetida()
    {
        const QString archivo = nuevoArchivo();
        escribir(archivo, "[A]\n[B]\nj=2\n[A]\nz=9\n");
        QVERIFY(ini::Escribe(archivo, QStringLiteral("A"), QStringLiteral("n"), QStringLiteral("3")));
        QVERIFY(ini::Escribe(archivo, QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("8")));
        QCOMPARE(leer(archivo), QByteArray("[A]\nn=3\n[B]\nj=2\n[A]\nz=8\n"));
    }

    void seccionNuevaAlFinal_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("despues");
        QTest::newRow("con salto final") << QByteArray("[A]\r\nk=1\r\n") << QByteArray("[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n");
        QTest::newRow("sin salto final") << QByteArray("[A]\nk=1") << QByteArray("[A]\nk=1\n\n[B]\nj=2");
        QTest::newRow("ya termina en blanco") << QByteArray("[A]\nk=1\n\n") << QByteArray("[A]\nk=1\n\n[B]\nj=2\n");
        QTest::newRow("archivo vacío") << QByteArray() << QByteArray("[B]") + finDeLinea() + "j=2" + finDeLinea();
    }
    void seccionNuevaAlFinal()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, despues);
        const QString archivo = nuevoArchivo();
        escribir(archivo, antes);
        QVERIFY(ini::Escribe(archivo, QStringLiteral("B"), QStringLiteral("j"), QStringLiteral("2")));
        QCOMPARE(leer(archivo), despues);
    }

    void escrituraImposibleNoTocaElArchivo_data()
    {
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("valor");
        QTest::newRow("sección de blancos") << QStringLiteral("  ") << QStringLiteral("k") << QStringLiteral("v");
        QTest::newRow("sección con corchete") << QStringLiteral("a]b") << QStringLiteral("k") << QStringLiteral("v");
        QTest::newRow("clave de blancos") << QStringLiteral("A") << QStringLiteral("   ") << QStringLiteral("v");
        QTest::newRow("clave con igual") << QStringLiteral("A") << QStringLiteral("a=b") << QStringLiteral("v");
        QTest::newRow("clave de comentario") << QStringLiteral("A") << QStringLiteral(";k") << QStringLiteral("v");
        QTest::newRow("valor con salto") << QStringLiteral("A") << QStringLiteral("k") << QStringLiteral("v\r\nk=x");
    }
    void escrituraImposibleNoTocaElArchivo()
    {
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, valor);
        const QString archivo = nuevoArchivo();
        const QByteArray antes("[A]\nk=1\n");
        escribir(archivo, antes);
        QVERIFY(!ini::Escribe(archivo, seccion, clave, valor));
        QCOMPARE(leer(archivo), antes);
    }

    void windows1252SeReescribeEnUtf8()
    {
        const QString archivo = nuevoArchivo();
        escribir(archivo, "; Configuraci\xF3n del programa\r\n[Configuraci\xF3n]\r\nRuta de Nubora Premium=C:\\A\xF1o\r\n");
        QVERIFY(ini::Escribe(archivo, QStringLiteral("Configuración"), QStringLiteral("Base de datos principal"),
                             QStringLiteral("datos1")));
        QCOMPARE(leer(archivo), QStringLiteral("; Configuración del programa\r\n[Configuración]\r\n"
                                               "Ruta de Nubora Premium=C:\\Año\r\nBase de datos principal=datos1\r\n")
                                    .toUtf8());
    }

    void bomSeOmiteAlEscribir()
    {
        const QString archivo = nuevoArchivo();
        escribir(archivo, "\xEF\xBB\xBF[A]\nk=1\n");
        QVERIFY(ini::Escribe(archivo, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("2")));
        QCOMPARE(leer(archivo), QByteArray("[A]\nk=2\n"));
    }

    void noSeEscribeDondeNoSePuede()
    {
        QVERIFY(!ini::Escribe(dir.filePath(QStringLiteral("no/existe/x.ini")), QStringLiteral("A"), QStringLiteral("k"),
                              QStringLiteral("v")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("no"))));
        QVERIFY(!ini::Escribe(dir.path(), QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void archivoIlegibleNoSeSobrescribe()
    {
        const QString archivo = nuevoArchivo();
        const QByteArray antes("[A]\nk=1\n; mucho que perder\n");
        escribir(archivo, antes);
        QFile::setPermissions(archivo, QFile::WriteOwner);
        {
            QFile prueba(archivo);
            if (prueba.open(QIODevice::ReadOnly)) {
                QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner);
                QSKIP("Este usuario puede leer cualquier archivo");
            }
        }
        QCOMPARE(ini::Lee(archivo, QStringLiteral("A"), QStringLiteral("k")), QString());
        QVERIFY(!ini::Escribe(archivo, QStringLiteral("A"), QStringLiteral("j"), QStringLiteral("2")));
        QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(leer(archivo), antes);
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "TestIni.moc"

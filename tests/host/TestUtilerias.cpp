#include "DialogosGrabados.h"
#include "Utilerias.h"

#include <QtTest>

using namespace host;

// Scrambling of stored settings and the dialogs that Utilerias hands to the dialog seam.
class TestUtilerias : public QObject {
    Q_OBJECT

private:
    // The scrambling as its comment describes it, written independently: a check byte, the UTF-8
    // bytes, XOR with the key stream, upper-case hex.
    static QString revolverSegunDocumentacion(const QByteArray &claro)
    {
        const QByteArray clave("IEPS-repieps");
        unsigned int suma = 0xA5 + claro.size();
        for (char c : claro)
            suma += static_cast<unsigned char>(c);
        const QByteArray bytes = QByteArray(1, char(suma & 0xFF)) + claro;
        QByteArray salida;
        for (int i = 0; i < bytes.size(); ++i)
            salida += char(static_cast<unsigned char>(bytes[i]) ^ static_cast<unsigned char>(clave[i % 12])
                           ^ static_cast<unsigned char>((29 * i) & 0xFF));
        return QString::fromLatin1(salida.toHex().toUpper());
    }

private Q_SLOTS:
    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("vacío") << QString();
        QTest::newRow("root") << QStringLiteral("root");
        QTest::newRow("acentos") << QStringLiteral("Contraseña Ñandú áéíóú ÁÉÍÓÚ ü");
        QTest::newRow("blancos") << QStringLiteral("   ");
        QTest::newRow("barras y comillas") << QStringLiteral("C:\\a \"b\" 'c'=;#[x]");
        QTest::newRow("controles") << QStringLiteral("\t\r\n");
        QTest::newRow("fuera del plano básico") << QStringLiteral("€😀");
        QTest::newRow("largo") << QStringLiteral("0123456789").repeated(50);
    }
    void idaYVuelta()
    {
        QFETCH(QString, texto);
        const QString revuelto = Utilerias::Encripta(texto);
        QVERIFY(!revuelto.trimmed().isEmpty());
        QCOMPARE(revuelto, revolverSegunDocumentacion(texto.toUtf8()));
        QVERIFY2(!revuelto.contains(QRegularExpression(QStringLiteral("[^0-9A-F]"))), qPrintable(revuelto));
        if (!texto.isEmpty())
            QVERIFY(!revuelto.contains(QString::fromLatin1(texto.toUtf8().toHex().toUpper())));
        bool valido = false;
        QCOMPARE(Utilerias::DesEncripta(revuelto, &valido), texto);
        QVERIFY(valido);
        QCOMPARE(Utilerias::DesEncripta(QStringLiteral("  ") + revuelto.toLower() + QStringLiteral(" "), &valido), texto);
        QVERIFY(valido);
        QCOMPARE(Utilerias::DesEncripta(revuelto), texto); // without the flag
    }

    void textoNoRevueltoEsInvalido_data()
    {
        QTest::addColumn<QString>("texto");
        const QString root = Utilerias::Encripta(QStringLiteral("root"));
        QTest::newRow("vacío") << QString();
        QTest::newRow("blancos") << QStringLiteral("    ");
        QTest::newRow("un dígito") << QStringLiteral("A");
        QTest::newRow("impar") << root.left(root.size() - 1);
        QTest::newRow("no hexadecimal") << QStringLiteral("ZZ");
        QTest::newRow("contraseña en claro") << QStringLiteral("secreto");
        QTest::newRow("contraseña en claro de dígitos") << QStringLiteral("123456");
        QTest::newRow("blanco en medio") << root.left(4) + QLatin1Char(' ') + root.mid(4);
        QTest::newRow("un dígito cambiado") << root.left(5) + (root.at(5) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0'))
                                                  + root.mid(6);
        QTest::newRow("recortado") << root.left(root.size() - 2);
        QTest::newRow("verificador cambiado") << (root.at(0) == QLatin1Char('F') ? QLatin1Char('E') : QLatin1Char('F'))
                                                     + root.mid(1);
        QTest::newRow("UTF-8 inválido con verificador correcto") << revolverSegunDocumentacion(QByteArray("\xC3\x28"));
    }
    void textoNoRevueltoEsInvalido()
    {
        QFETCH(QString, texto);
        bool valido = true;
        QCOMPARE(Utilerias::DesEncripta(texto, &valido), QString());
        QVERIFY(!valido);
    }

    void ventanaDeEsperaYCajaConPiel()
    {
        DialogosGrabados dialogos;
        dialogos.respuestas << vbYes;
        Utilerias u;
        u.MuestraWnd(QStringLiteral("Procesando…"));
        u.QuitaWnd();
        QCOMPARE(dialogos.ventanas, (QStringList{QStringLiteral("muestra:Procesando…"), QStringLiteral("quita")}));
        QCOMPARE(u.MsgBoxSkn(QStringLiteral("¿Desea cerrar este programa?"), 36, QStringLiteral("Finalizar"), 0), int(vbYes));
        QCOMPARE(u.MsgBoxSkn(QStringLiteral("Fin del proceso"), 0, QStringLiteral("Atención"), 9), int(vbOK));
        QCOMPARE(dialogos.cajas.size(), 2);
        QCOMPARE(dialogos.cajas[0].texto, QStringLiteral("¿Desea cerrar este programa?"));
        QCOMPARE(dialogos.cajas[0].botones, 36);
        QCOMPARE(dialogos.cajas[0].titulo, QStringLiteral("Finalizar"));
        QVERIFY(dialogos.cajas[0].skin);
        QCOMPARE(dialogos.cajas[0].tipo, 0);
        QCOMPARE(dialogos.cajas[1].tipo, 9);
        QCOMPARE(dialogos.cajas[1].titulo, QStringLiteral("Atención"));
    }

    void elMenuSeOlvidaCuandoLaVentanaDesaparece()
    {
        Utilerias u;
        QCOMPARE(u.ElMenu(), nullptr);
        auto *ventana = new QObject;
        u.setElMenu(ventana);
        QCOMPARE(u.ElMenu(), ventana);
        delete ventana;
        QCOMPARE(u.ElMenu(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestUtilerias)
#include "TestUtilerias.moc"

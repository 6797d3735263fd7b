#include "DialogosGrabados.h"
#include "Utilerias.h"

#include <QtTest>

using namespace host;

// Scrambling of stored settings and the dialogs that Utilerias hands to the dialog seam.
class TestUtilerias : public QObject {
    Q_OBJECT

private:
    // The documented scrambling, written independently: check byte, UTF-8 bytes, XOR key stream, hex.
    static QString revolver(const QByteArray &claro)
    {
        unsigned int suma = 0xA5 + claro.size();
        for (char c : claro)
            suma += static_cast<unsigned char>(c);
        const QByteArray bytes = char(suma & 0xFF) + claro, clave("IEPS-repieps");
        QByteArray salida;
        for (int i = 0; i < bytes.size(); ++i)
            salida += char(bytes[i] ^ clave[i % 12] ^ char((29 * i) & 0xFF));
        return QString::fromLatin1(salida.toHex().toUpper());
    }

private Q_SLOTS:
    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("vacío") << QString();
        QTest::newRow("acentos y blancos") << QStringLiteral(" Contraseña Ñandú áéíóú ü €😀 ");
        QTest::newRow("largo") << QStringLiteral("0123456789").repeated(50);
    }
    void idaYVuelta()
    {
        QFETCH(QString, texto);
        const QString revuelto = Utilerias::Encripta(texto);
        QCOMPARE(revuelto, revolver(texto.toUtf8()));
        bool valido = false;
        QCOMPARE(Utilerias::DesEncripta(QStringLiteral(" ") + revuelto.toLower() + QStringLiteral(" "), &valido), texto);
        QVERIFY(valido);
    }

    void textoDanadoSeRechaza_data()
    {
        QTest::addColumn<QString>("texto");
        const QString root = Utilerias::Encripta(QStringLiteral("root"));
        QTest::newRow("vacío") << QString();
        QTest::newRow("impar") << root.left(root.size() - 1);
        QTest::newRow("no hexadecimal") << QStringLiteral("ZZ");
        QTest::newRow("en claro") << QStringLiteral("123456");
        QTest::newRow("recortado") << root.left(root.size() - 2);
        QTest::newRow("dígito cambiado") << QString(root).replace(5, 1, root.at(5) == QLatin1Char('0') ? QChar(u'1') : QChar(u'0'));
        QTest::newRow("UTF-8 inválido") << revolver(QByteArray("\xC3\x28"));
    }
    void textoDanadoSeRechaza()
    {
        QFETCH(QString, texto);
        bool valido = true;
        QCOMPARE(Utilerias::DesEncripta(texto, &valido), QString());
        QVERIFY(!valido);
    }

    void dialogosPorLaCosturaYVentanaDuena()
    {
        DialogosGrabados dialogos;
        dialogos.respuestas << vbYes;
        Utilerias u;
        u.MuestraWnd(QStringLiteral("Procesando…"));
        u.QuitaWnd();
        QCOMPARE(dialogos.ventanas, (QStringList{QStringLiteral("muestra:Procesando…"), QStringLiteral("quita")}));
        QCOMPARE(u.MsgBoxSkn(QStringLiteral("¿Salir?"), 36, QStringLiteral("Fin"), 9), int(vbYes));
        const auto &c = dialogos.cajas.value(0);
        QVERIFY(c.texto == QStringLiteral("¿Salir?") && c.botones == 36 && c.titulo == QStringLiteral("Fin") && c.skin && c.tipo == 9);
        auto *ventana = new QObject;
        u.setElMenu(ventana);
        QCOMPARE(u.ElMenu(), ventana);
        delete ventana;
        QCOMPARE(u.ElMenu(), nullptr);
    }
};

QTEST_GUILESS_MAIN(TestUtilerias)
#include "TestUtilerias.moc"

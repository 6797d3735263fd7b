#include "BasesDD.h"
#include "DeArchivos.h"
#include "DeControles.h"
#include "DelRegistro.h"
#include "DialogosGrabados.h"
#include "Efectos.h"
#include "LibKVRS.h"
#include "Objetos.h"
#include "Plugins.h"
#include "Utilerias.h"

#include <QtTest>

#include <typeinfo>

using namespace host;

// Creation of host objects by library and class name.
class TestObjetos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Puts back the built-in classes after a test replaced one: clasesPropias, which runs after
    // fallaConSuMensaje, finds the real Plugins again only if it does.
    void cleanup() { RestablecerClases(); }

    // A name that is not known, a class whose later registration (names in any case) makes
    // nothing, and an object of another type: nothing is made, and a critical box says why.
    void fallaConSuMensaje()
    {
        RegistrarClase(QStringLiteral("KVNB5"), QStringLiteral("plugins"), [] { return std::shared_ptr<ObjetoHost>(); });
        DialogosGrabados dialogos;
        auto objeto = std::make_shared<LibKVRS>();
        QVERIFY(!CrearObjeto(objeto, QStringLiteral("Fantasma"), QStringLiteral("kvnb6")));
        QVERIFY(!objeto);
        QVERIFY(!CrearObjeto(objeto, QStringLiteral("Plugins"), QStringLiteral("kvnb5")));
        QVERIFY(!CrearObjeto(objeto, QStringLiteral("Utilerias"), QStringLiteral("KVNB5")));
        const QString e429 = QStringLiteral("Error nº 429, El componente ActiveX no puede crear el objeto\r\nIntentanto crear ");
        QCOMPARE(dialogos.cajas.size(), 3);
        QCOMPARE(dialogos.cajas[0].texto, e429 + "\"kvnb6.Fantasma\"");
        QCOMPARE(dialogos.cajas[1].texto, e429 + "\"kvnb5.Plugins\"");
        QCOMPARE(dialogos.cajas[2].texto, QStringLiteral("Error nº 13, No coinciden los tipos\r\nIntentanto crear \"KVNB5.Utilerias\""));
        for (const DialogosGrabados::Caja &caja : std::as_const(dialogos.cajas))
            QVERIFY(caja.titulo == QStringLiteral("Alerta") && caja.botones == vbCritical && !caja.skin);
    }

    // Each built-in class, by its name (the row's) in any case, without a word to the user.
    void clasesPropias_data()
    {
        QTest::addColumn<QByteArray>("tipo");
        QTest::newRow("libKVRS") << QByteArray(typeid(LibKVRS).name());
        QTest::newRow("Plugins") << QByteArray(typeid(Plugins).name());
        QTest::newRow("BasesDD") << QByteArray(typeid(BasesDD).name());
        QTest::newRow("utilerias") << QByteArray(typeid(Utilerias).name());
        QTest::newRow("DeArchivos") << QByteArray(typeid(DeArchivos).name());
        QTest::newRow("DELREGISTRO") << QByteArray(typeid(DelRegistro).name());
        QTest::newRow("DeControles") << QByteArray(typeid(DeControles).name());
        QTest::newRow("Efectos") << QByteArray(typeid(Efectos).name());
    }
    void clasesPropias()
    {
        QFETCH(QByteArray, tipo);
        DialogosGrabados dialogos;
        std::shared_ptr<ObjetoHost> objeto;
        QVERIFY(CrearObjeto(objeto, QString::fromLatin1(QTest::currentDataTag()), QStringLiteral("Kvnb5")));
        QCOMPARE(QByteArray(typeid(*objeto).name()), tipo);
        QVERIFY(dialogos.cajas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestObjetos)
#include "TestObjetos.moc"

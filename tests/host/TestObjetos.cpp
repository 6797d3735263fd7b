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
    void cleanup() { RestablecerClases(); }

    void clasesPropias_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("biblioteca");
        QTest::addColumn<QByteArray>("tipo");
        QTest::newRow("libKVRS") << QStringLiteral("libKVRS") << QStringLiteral("kvnb5") << QByteArray(typeid(LibKVRS).name());
        QTest::newRow("Plugins") << QStringLiteral("Plugins") << QStringLiteral("kvnb5") << QByteArray(typeid(Plugins).name());
        QTest::newRow("BasesDD") << QStringLiteral("BasesDD") << QStringLiteral("KVNB5") << QByteArray(typeid(BasesDD).name());
        QTest::newRow("utilerias") << QStringLiteral("utilerias") << QStringLiteral("kvnb5") << QByteArray(typeid(Utilerias).name());
        QTest::newRow("DeArchivos") << QStringLiteral("DeArchivos") << QStringLiteral("Kvnb5") << QByteArray(typeid(DeArchivos).name());
        QTest::newRow("DELREGISTRO") << QStringLiteral("DELREGISTRO") << QStringLiteral("kvnb5") << QByteArray(typeid(DelRegistro).name());
        QTest::newRow("DeControles") << QStringLiteral("DeControles") << QStringLiteral("kvnb5") << QByteArray(typeid(DeControles).name());
        QTest::newRow("Efectos") << QStringLiteral("Efectos") << QStringLiteral("kvnb5") << QByteArray(typeid(Efectos).name());
    }
    void clasesPropias()
    {
        QFETCH(QString, clase);
        QFETCH(QString, biblioteca);
        QFETCH(QByteArray, tipo);
        DialogosGrabados dialogos;
        std::shared_ptr<ObjetoHost> objeto;
        QVERIFY(CrearObjeto(objeto, clase, biblioteca));
        QCOMPARE(QByteArray(typeid(*objeto).name()), tipo);
        QVERIFY(dialogos.cajas.isEmpty());
    }

    void fallaConSuMensaje_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("biblioteca");
        QTest::addColumn<QString>("texto");
        const QString e429 = QStringLiteral("Error nº 429, El componente ActiveX no puede crear el objeto\r\nIntentanto crear ");
        QTest::newRow("clase desconocida") << QStringLiteral("Fantasma") << QStringLiteral("kvnb5") << e429 + "\"kvnb5.Fantasma\"";
        QTest::newRow("biblioteca desconocida") << QStringLiteral("LibKVRS") << QStringLiteral("kvnb6") << e429 + "\"kvnb6.LibKVRS\"";
        QTest::newRow("fábrica sin objeto") << QStringLiteral("Plugins") << QStringLiteral("kvnb5") << e429 + "\"kvnb5.Plugins\"";
        QTest::newRow("tipo equivocado") << QStringLiteral("Utilerias") << QStringLiteral("KVNB5")
                                         << QStringLiteral("Error nº 13, No coinciden los tipos\r\nIntentanto crear \"KVNB5.Utilerias\"");
    }
    void fallaConSuMensaje()
    {
        QFETCH(QString, clase);
        QFETCH(QString, biblioteca);
        QFETCH(QString, texto);
        RegistrarClase(QStringLiteral("kvnb5"), QStringLiteral("Plugins"), [] { return std::shared_ptr<ObjetoHost>(); });
        DialogosGrabados dialogos;
        auto objeto = std::make_shared<LibKVRS>();
        QVERIFY(!CrearObjeto(objeto, clase, biblioteca));
        QVERIFY(!objeto);
        QCOMPARE(dialogos.cajas.size(), 1);
        QCOMPARE(dialogos.cajas[0].texto, texto);
        QVERIFY(dialogos.cajas[0].titulo == QStringLiteral("Alerta") && dialogos.cajas[0].botones == vbCritical
                && !dialogos.cajas[0].skin);
    }

    void registroPosteriorReemplazaHastaRestablecer()
    {
        RegistrarClase(QStringLiteral("KVNB5"), QStringLiteral("decontroles"), [] { return std::make_shared<Efectos>(); });
        std::shared_ptr<Efectos> e;
        QVERIFY(CrearObjeto(e, QStringLiteral("DeControles"), QStringLiteral("kvnb5")));
        RestablecerClases();
        DialogosGrabados dialogos;
        QVERIFY(!CrearObjeto(e, QStringLiteral("DeControles"), QStringLiteral("kvnb5")));
    }
};

QTEST_GUILESS_MAIN(TestObjetos)
#include "TestObjetos.moc"

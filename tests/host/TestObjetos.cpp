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

namespace {
// A drawing layer's replacement for the host's do-nothing class.
class ControlesQueArrastran : public DeControles {
public:
    void MoverVentana(QObject *ventana) override { movidas << ventana; }
    QList<QObject *> movidas;
};
} // namespace

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
        QTest::newRow("LibKVRS") << QStringLiteral("LibKVRS") << QStringLiteral("kvnb5") << QByteArray(typeid(LibKVRS).name());
        QTest::newRow("Plugins") << QStringLiteral("Plugins") << QStringLiteral("kvnb5") << QByteArray(typeid(Plugins).name());
        QTest::newRow("BasesDD") << QStringLiteral("BasesDD") << QStringLiteral("KVNB5") << QByteArray(typeid(BasesDD).name());
        QTest::newRow("Utilerias") << QStringLiteral("utilerias") << QStringLiteral("kvnb5")
                                   << QByteArray(typeid(Utilerias).name());
        QTest::newRow("DeArchivos") << QStringLiteral("DeArchivos") << QStringLiteral("Kvnb5")
                                    << QByteArray(typeid(DeArchivos).name());
        QTest::newRow("DelRegistro") << QStringLiteral("DELREGISTRO") << QStringLiteral("kvnb5")
                                     << QByteArray(typeid(DelRegistro).name());
        QTest::newRow("DeControles") << QStringLiteral("DeControles") << QStringLiteral("kvnb5")
                                     << QByteArray(typeid(DeControles).name());
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
        QVERIFY(objeto);
        QCOMPARE(QByteArray(typeid(*objeto).name()), tipo);
        QVERIFY(dialogos.cajas.isEmpty());
    }

    void fallaConSuMensaje_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("biblioteca");
        QTest::addColumn<QString>("texto");
        QTest::newRow("clase desconocida")
            << QStringLiteral("Fantasma") << QStringLiteral("kvnb5")
            << QStringLiteral("Error nº 429, El componente ActiveX no puede crear el objeto\r\nIntentanto crear \"kvnb5.Fantasma\"");
        QTest::newRow("biblioteca desconocida")
            << QStringLiteral("LibKVRS") << QStringLiteral("kvnb6")
            << QStringLiteral("Error nº 429, El componente ActiveX no puede crear el objeto\r\nIntentanto crear \"kvnb6.LibKVRS\"");
        QTest::newRow("nombres vacíos") << QString() << QString()
                                        << QStringLiteral("Error nº 429, El componente ActiveX no puede crear el "
                                                          "objeto\r\nIntentanto crear \".\"");
        QTest::newRow("tipo equivocado")
            << QStringLiteral("Utilerias") << QStringLiteral("KVNB5")
            << QStringLiteral("Error nº 13, No coinciden los tipos\r\nIntentanto crear \"KVNB5.Utilerias\"");
    }
    void fallaConSuMensaje()
    {
        QFETCH(QString, clase);
        QFETCH(QString, biblioteca);
        QFETCH(QString, texto);
        DialogosGrabados dialogos;
        auto objeto = std::make_shared<LibKVRS>();
        QVERIFY(!CrearObjeto(objeto, clase, biblioteca));
        QVERIFY(!objeto);
        QCOMPARE(dialogos.cajas.size(), 1);
        QCOMPARE(dialogos.cajas[0].texto, texto);
        QCOMPARE(dialogos.cajas[0].titulo, QStringLiteral("Alerta"));
        QCOMPARE(dialogos.cajas[0].botones, int(vbCritical));
        QVERIFY(!dialogos.cajas[0].skin);
    }

    void fabricaQueNoCreaNadaEsUnFallo()
    {
        DialogosGrabados dialogos;
        RegistrarClase(QStringLiteral("kvnb5"), QStringLiteral("Plugins"), [] { return std::shared_ptr<ObjetoHost>(); });
        std::shared_ptr<Plugins> p;
        QVERIFY(!CrearObjeto(p, QStringLiteral("Plugins"), QStringLiteral("kvnb5")));
        QCOMPARE(dialogos.cajas.size(), 1);
        QVERIFY(dialogos.cajas[0].texto.startsWith(QStringLiteral("Error nº 429, ")));
    }

    void unRegistroPosteriorReemplazaAlAnterior()
    {
        RegistrarClase(QStringLiteral("KVNB5"), QStringLiteral("decontroles"),
                       [] { return std::make_shared<ControlesQueArrastran>(); });
        std::shared_ptr<DeControles> controles;
        QVERIFY(CrearObjeto(controles, QStringLiteral("DeControles"), QStringLiteral("kvnb5")));
        QObject ventana;
        controles->MoverVentana(&ventana);
        auto *propios = dynamic_cast<ControlesQueArrastran *>(controles.get());
        QVERIFY(propios);
        QCOMPARE(propios->movidas, QList<QObject *>{&ventana});

        RestablecerClases();
        QVERIFY(CrearObjeto(controles, QStringLiteral("DeControles"), QStringLiteral("kvnb5")));
        QVERIFY(!dynamic_cast<ControlesQueArrastran *>(controles.get()));
    }

    void bibliotecaNueva()
    {
        DialogosGrabados dialogos;
        RegistrarClase(QStringLiteral("pruebas"), QStringLiteral("Piel"), [] { return std::make_shared<Efectos>(); });
        std::shared_ptr<Efectos> e;
        QVERIFY(CrearObjeto(e, QStringLiteral("PIEL"), QStringLiteral("Pruebas")));
        QVERIFY(!CrearObjeto(e, QStringLiteral("Piel"), QStringLiteral("kvnb5")));
        QCOMPARE(dialogos.cajas.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestObjetos)
#include "TestObjetos.moc"

#include "LineaDeComandos.h"

#include <QCoreApplication>
#include <QtTest>

// The developer switch "-kvrs".
class TestLineaDeComandos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modoDesarrollo_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("sin argumentos") << QStringList() << false;
        QTest::newRow("argumento vacío") << QStringList{QString()} << false;
        QTest::newRow("el interruptor") << QStringList{QStringLiteral("-kvrs")} << true;
        QTest::newRow("en mayúsculas") << QStringList{QStringLiteral("-KVRS")} << false;
        QTest::newRow("mayúsculas mezcladas") << QStringList{QStringLiteral("-Kvrs")} << false;
        QTest::newRow("pegado a otro texto") << QStringList{QStringLiteral("x-kvrsy")} << true;
        QTest::newRow("con dos guiones") << QStringList{QStringLiteral("--kvrs")} << true;
        QTest::newRow("dos veces") << QStringList{QStringLiteral("-kvrs"), QStringLiteral("-kvrs")} << true;
        QTest::newRow("tras otro argumento") << QStringList{QStringLiteral("/a"), QStringLiteral("-kvrs")} << true;
        QTest::newRow("incompleto") << QStringList{QStringLiteral("-kvr")} << false;
        QTest::newRow("sin guion") << QStringList{QStringLiteral("kvrs")} << false;
        QTest::newRow("partido en dos argumentos") << QStringList{QStringLiteral("-kv"), QStringLiteral("rs")} << false;
        QTest::newRow("dentro de un argumento con blancos") << QStringList{QStringLiteral("a -kvrs b")} << true;
    }
    void modoDesarrollo()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(bool, esperado);
        QCOMPARE(config::ModoDesarrollo(argumentos), esperado);
    }

    // main() below starts the application with "-kvrs" after the program's name.
    void leeLaLineaDeComandosDelPrograma() { QVERIFY(config::ModoDesarrollo()); }
    void elNombreDelProgramaNoCuenta()
    {
        QVERIFY(QCoreApplication::arguments().size() >= 2);
        QVERIFY(!config::ModoDesarrollo(QStringList{QCoreApplication::arguments().first()}));
    }
};

// The application object sees the switch; the test runner gets the command line it was given.
int main(int argc, char *argv[])
{
    QByteArray interruptor("-kvrs");
    std::vector<char *> argumentos(argv, argv + argc);
    argumentos.insert(argumentos.begin() + 1, interruptor.data());
    int cuenta = int(argumentos.size());
    argumentos.push_back(nullptr);
    QCoreApplication app(cuenta, argumentos.data());
    TestLineaDeComandos prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "TestLineaDeComandos.moc"

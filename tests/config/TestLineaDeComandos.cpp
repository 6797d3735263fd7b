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
        QTest::newRow("mayúsculas") << QStringList{QStringLiteral("-KVRS"), QStringLiteral("-Kvrs")} << false;
        QTest::newRow("pegado a otro texto") << QStringList{QStringLiteral("x-kvrsy")} << true;
        QTest::newRow("dos veces") << QStringList{QStringLiteral("/a"), QStringLiteral("-kvrs"), QStringLiteral("-kvrs")} << true;
        QTest::newRow("incompleto o sin guion") << QStringList{QStringLiteral("-kvr"), QStringLiteral("kvrs")} << false;
        QTest::newRow("partido en dos argumentos") << QStringList{QStringLiteral("-kv"), QStringLiteral("rs")} << false;
    }
    void modoDesarrollo()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(bool, esperado);
        QCOMPARE(config::ModoDesarrollo(argumentos), esperado);
    }

    // main() puts "-kvrs" after the program's name.
    void leeLaLineaDeComandosDelPrograma() { QVERIFY(config::ModoDesarrollo()); }
};

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

#include "LineaDeComandos.h"

#include <QCoreApplication>
#include <QtTest>

#include <utility>

// The developer switch "-kvrs".
class TestLineaDeComandos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Anywhere in the arguments joined by blanks, also inside a word, but never across two
    // arguments; case-sensitive.
    void modoDesarrollo()
    {
        const std::pair<QStringList, bool> casos[] = {
            {{}, false}, {{"-kvrs"}, true}, {{"x-kvrsy"}, true}, {{"-KVRS", "-Kvrs"}, false},
            {{"-kvr", "kvrs"}, false}, {{"-kv", "rs"}, false},
        };
        for (const auto &[argumentos, esperado] : casos)
            QVERIFY2(config::ModoDesarrollo(argumentos) == esperado, qPrintable(argumentos.join(QLatin1Char(' '))));
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

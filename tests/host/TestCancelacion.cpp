#include "Cancelacion.h"

#include <QtTest>

using host::Corte;

// What the watcher of a cancelled run ends, on a clock in milliseconds: the cancel came at 10000,
// the watcher looks at 11001.
class TestCancelacion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queCortar_data()
    {
        QTest::addColumn<qint64>("desde");     // since when the statement waits (0: nothing waits)
        QTest::addColumn<qint64>("cortadaEn"); // when it was ended (0: not yet)
        QTest::addColumn<int>("corte");
        QTest::newRow("esperaba al cancelar") << qint64(9000) << qint64(0) << int(Corte::Sentencia);
        // The run's clean-up (ROLLBACK, DROP TABLE, RELEASE_LOCK) is left its second.
        QTest::newRow("limpieza de la corrida") << qint64(10500) << qint64(0) << int(Corte::Nada);
        QTest::newRow("sentencia de un segundo") << qint64(10001) << qint64(0) << int(Corte::Sentencia);
        QTest::newRow("cortada y sin respuesta") << qint64(9000) << qint64(9002) << int(Corte::Nada);
        QTest::newRow("el servidor ya no oye") << qint64(9000) << qint64(9001) << int(Corte::Sesion);
    }
    void queCortar()
    {
        QFETCH(qint64, desde);
        QFETCH(qint64, cortadaEn);
        QFETCH(int, corte);
        QCOMPARE(int(host::QueCortar(desde, 10000, 11001, cortadaEn)), corte);
    }
};

QTEST_APPLESS_MAIN(TestCancelacion)
#include "TestCancelacion.moc"

#include "Cancelacion.h"

#include <QtTest>

// What the watcher of a cancelled run ends, on a clock in milliseconds.
class TestCancelacion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queCortar()
    {
        using host::Corte;
        // The cancel came at 10000; the watcher looks at 11001. A statement that was waiting then
        // is ended at once; the run's clean-up (ROLLBACK, DROP TABLE, RELEASE_LOCK) is left its second.
        QCOMPARE(host::QueCortar(9000, 10000, 11001, 0), Corte::Sentencia);
        QCOMPARE(host::QueCortar(10500, 10000, 11001, 0), Corte::Nada);
        // A statement ended that still waits, two seconds later, is on a server that no longer hears the run.
        QCOMPARE(host::QueCortar(9000, 10000, 11001, 9002), Corte::Nada);
        QCOMPARE(host::QueCortar(9000, 10000, 11001, 9001), Corte::Sesion);
    }
};

QTEST_APPLESS_MAIN(TestCancelacion)
#include "TestCancelacion.moc"

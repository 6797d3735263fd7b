#include "Archivos.h"
#include "DescargaDeLista.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using ui::DescargaDeLista;

// The download against a server of the test's own on 127.0.0.1, which answers each request with
// its bytes and then closes the connection or, for a slow one, keeps it open.
class TestDescargaDeLista : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void descargar_data()
    {
        const QByteArray lista = "Informaci\xF3n actualizada al 30 de noviembre de 2026\r\nNo,RFC,Situaci\xF3n del contribuyente\r\n"
                                 "1,BBB010101ABA,Definitivo\r\n";
        const QByteArray largo = "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(lista.size());
        QTest::addColumn<QByteArray>("respuesta");
        QTest::addColumn<bool>("cerrar");
        QTest::addColumn<QString>("motivo"); // %1: the address, %2: the destination
        QTest::newRow("completa") << largo + "\r\n\r\n" + lista << true << "";
        QTest::newRow("interrumpida") << largo + "0\r\n\r\n" + lista << true
                                      << "La descarga de la lista 69-B desde %1 se interrumpió (llegaron 115 bytes de 1150); la "
                                         "copia anterior queda como estaba.";
        QTest::newRow("404") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n") << true
                             << "El servidor no tiene la lista 69-B en %1 (respondió 404, no encontrado); revise la "
                                "dirección en el archivo de configuración.";
        QTest::newRow("lenta") << largo + "\r\n\r\n" + lista.left(20) << false
                               << "La descarga de la lista 69-B desde %1 no terminó en 1 s; la copia anterior queda como estaba.";
        QTest::newRow("no es la lista") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n<html>") << true
                                        << "Lo descargado de %1 no se guardó: El archivo %2.parcial no es la lista 69-B del "
                                           "SAT: ninguna de sus primeras líneas (hasta la línea 1) tiene las columnas «RFC» y "
                                           "«Situación del contribuyente».";
    }
    void descargar()
    {
        QFETCH(QByteArray, respuesta);
        QFETCH(bool, cerrar);
        QFETCH(QString, motivo);
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost));
        connect(&servidor, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *s = servidor.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [s, respuesta, cerrar] {
                if (!s->readAll().contains("\r\n\r\n"))
                    return;
                s->write(respuesta);
                if (cerrar)
                    s->disconnectFromHost();
            });
        });
        QTemporaryDir dir;
        const QString destino = QDir::toNativeSeparators(dir.filePath(QStringLiteral("lista.csv")));
        QVERIFY(EscribirArchivo(destino, "anterior"));
        const QString direccion = QStringLiteral("http://127.0.0.1:%1/lista.csv").arg(servidor.serverPort());
        DescargaDeLista descarga(QUrl(direccion), destino, 1);
        QSignalSpy terminada(&descarga, &DescargaDeLista::terminada);
        descarga.Iniciar();
        QVERIFY(terminada.wait(10000));
        QCOMPARE(terminada.at(0).at(0).toString(), motivo.arg(direccion, destino));
        QCOMPARE(LeerArchivo(destino).left(9), motivo.isEmpty() ? QByteArray("Informaci") : QByteArray("anterior"));
        QVERIFY(!QFile::exists(DescargaDeLista::Parcial(destino)));
    }
};

QTEST_GUILESS_MAIN(TestDescargaDeLista)
#include "TestDescargaDeLista.moc"

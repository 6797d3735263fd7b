#include "Cp1252.h"
#include "Lista69B.h"

#include <QtTest>

using namespace engine;

namespace {
// The published heading: the SAT page's publication of each stage must not be taken for the DOF's.
const QString Encabezado = QStringLiteral(
    "No,RFC,Nombre del Contribuyente,Situación del contribuyente,Publicación página SAT presuntos,"
    "Publicación DOF presuntos,Publicación DOF desvirtuados,Publicación DOF definitivos,Publicación DOF sentencia favorable");
const QString Preambulo = QStringLiteral("Información actualizada al 30 de noviembre de 2026,,,\nListado completo de "
                                         "contribuyentes (Artículo 69-B del Código Fiscal de la Federación),,,\n");
QString Fila(int n, const QString &rfc, const QString &situacion)
{
    return QStringLiteral("%1,%2,\"EMPRESA \"\"%1\"\", S.A.\",%3,01/01/2018,05/02/2019,,10/03/2020 // 11/04/2021,\n")
        .arg(n)
        .arg(rfc, situacion);
}
} // namespace

class TestLista69B : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // motivo empty: the list is read, and lo is what it says of rfc ("" when it does not hold it).
    void leer_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<QString>("rfc");
        QTest::addColumn<QString>("lo");
        QTest::addColumn<QString>("fecha");
        const QString lista = Preambulo + Encabezado + QLatin1Char('\n') + Fila(1, "BBB010101ABA", "Definitivo")
                              + Fila(2, "CCC020202AB3", "Presunto") + Fila(3, " ddd-030303 ab7 ", "DESVIRTUADO");
        QString crlf = lista;
        crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        QTest::newRow("utf-8 con bom y crlf") << "\xEF\xBB\xBF" + crlf.toUtf8() + "\r\n\r\n" << "" << "BBB010101ABA"
                                              << "Definitivo 11/04/2021" << "30/11/2026";
        QTest::newRow("windows-1252 y lf") << lista.toLatin1() << "" << "CCC020202AB3" << "Presunto 05/02/2019" << "30/11/2026";
        QTest::newRow("rfc limpio, situacion sin fecha") << lista.toLatin1() << "" << "DDD030303AB7" << "Desvirtuado " << "30/11/2026";
        QTest::newRow("preambulo de una linea, fecha en cifras")
            << (QStringLiteral("Actualizada al 05/10/2026\n") + Encabezado + "\n,,,,\n" + Fila(1, "BBB010101ABA", "Sentencia favorable")).toUtf8()
            << "" << "BBB010101ABA" << "Sentencia Favorable " << "05/10/2026";
        QTest::newRow("otro csv") << QByteArray("Folio,Fecha,Importe\n1,2,3\n")
                                  << "El archivo l.csv no es la lista 69-B del SAT: ninguna de sus primeras líneas (hasta la "
                                     "línea 2) tiene las columnas «RFC» y «Situación del contribuyente»."
                                  << "" << "" << "";
        QTest::newRow("vacio") << QByteArray() << "El archivo l.csv no es la lista 69-B del SAT: ninguna de sus primeras líneas "
                                                  "(hasta la línea 1) tiene las columnas «RFC» y «Situación del contribuyente»."
                               << "" << "" << "";
        QTest::newRow("comillas sin cerrar") << (Preambulo + Encabezado + "\n1,BBB010101ABA,\"EMPRESA,Definitivo\n").toUtf8()
                                             << "El archivo l.csv no es la lista 69-B del SAT: unas comillas que abren en la "
                                                "línea 4 no cierran."
                                             << "" << "" << "";
        QTest::newRow("situacion desconocida") << (Preambulo + Encabezado + "\n" + Fila(1, "BBB010101ABA", "Cancelado")).toUtf8()
                                               << "El archivo l.csv, línea 4: la situación «Cancelado» del RFC BBB010101ABA no "
                                                  "es Presunto, Desvirtuado, Definitivo ni Sentencia Favorable."
                                               << "" << "" << "";
        QTest::newRow("sin contribuyentes") << (Preambulo + Encabezado + "\n\n").toUtf8()
                                            << "El archivo l.csv no es la lista 69-B del SAT: no tiene ningún contribuyente "
                                               "después de su encabezado (línea 3)."
                                            << "" << "" << "";
    }
    void leer()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, motivo);
        QFETCH(QString, rfc);
        QFETCH(QString, lo);
        QFETCH(QString, fecha);
        Lista69B lista;
        QString leido;
        QCOMPARE(LeerLista69B(bytes, QStringLiteral("l.csv"), lista, &leido), motivo.isEmpty());
        QCOMPARE(leido, motivo);
        if (!motivo.isEmpty())
            return;
        const ContribuyenteEn69B c = lista.porRfc.value(rfc);
        QCOMPARE(c.situacion + QLatin1Char(' ') + c.publicado.toString(QStringLiteral("dd/MM/yyyy")), lo);
        QCOMPARE(lista.fecha.toString(QStringLiteral("dd/MM/yyyy")), fecha);
    }

    // The list at its full size (its load time: repieps-lista69b-tiempo, from tools/lista69b).
    void listaCompleta()
    {
        QString texto = Preambulo + Encabezado + QStringLiteral("\r\n");
        for (int i = 0; i < 15000; ++i)
            texto += Fila(i + 1, QStringLiteral("AAA%1").arg(i, 10, 10, QLatin1Char('0')), i % 2 ? "Presunto" : "Definitivo");
        Lista69B lista;
        QVERIFY(LeerLista69B(host::ACp1252(texto), QStringLiteral("l.csv"), lista, nullptr));
        QCOMPARE(lista.porRfc.size(), 15000);
        QCOMPARE(lista.porRfc.value(QStringLiteral("AAA0000014999")).situacion, QStringLiteral("Presunto"));
    }
};

QTEST_GUILESS_MAIN(TestLista69B)
#include "TestLista69B.moc"

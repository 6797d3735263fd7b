// Checks that the sample database holds what the report needs to be exercised: the requested
// number of selectable payments, consistent payments, links and documents, and every kind of
// awkward row, always the same for the same seed.
#include "Generador.h"

#include <QtTest>

#include <map>
#include <set>
#include <sstream>

using namespace generador;

namespace {

std::string Sql(std::uint64_t semilla, int pagos)
{
    Opciones op;
    op.semilla = semilla;
    op.pagos = pagos;
    std::ostringstream o;
    EscribirSql(Generar(op), o);
    return o.str();
}

bool Seleccionable(const Movimiento &m, const Opciones &op)
{
    return m.fecha >= op.desde && m.fecha <= op.hasta && m.pago > 0 && !m.notaCredito;
}

} // namespace

class TestGenerador : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mismaSemillaMismaBase()
    {
        QCOMPARE(Sql(5, 300), Sql(5, 300));
        QVERIFY(Sql(5, 300) != Sql(6, 300));
    }

    void fechas_data()
    {
        QTest::addColumn<int>("anio");
        QTest::addColumn<int>("mes");
        QTest::addColumn<int>("dia");
        QTest::addColumn<QString>("texto");
        QTest::newRow("inicio del trimestre") << 2018 << 1 << 1 << "2018-01-01";
        QTest::newRow("fin del trimestre") << 2018 << 3 << 31 << "2018-03-31";
        QTest::newRow("bisiesto") << 2016 << 2 << 29 << "2016-02-29";
        QTest::newRow("fin de año") << 2017 << 12 << 31 << "2017-12-31";
    }
    void fechas()
    {
        QFETCH(int, anio);
        QFETCH(int, mes);
        QFETCH(int, dia);
        QFETCH(QString, texto);
        const int d = DiaDeFecha(anio, mes, dia);
        QCOMPARE(QString::fromStdString(TextoDeDia(d)), texto);
        QCOMPARE(QString::fromStdString(TextoDeDia(d + 1)) > texto, true);
    }

    void pagosPedidos_data()
    {
        QTest::addColumn<int>("pagos");
        QTest::addColumn<qulonglong>("semilla");
        QTest::newRow("ninguno") << 0 << 1ull;
        QTest::newRow("uno") << 1 << 2ull;
        QTest::newRow("pocos") << 37 << 3ull;
        QTest::newRow("trimestre") << 2000 << 2018ull;
    }
    void pagosPedidos()
    {
        QFETCH(int, pagos);
        QFETCH(qulonglong, semilla);
        Opciones op;
        op.semilla = semilla;
        op.pagos = pagos;
        const Base b = Generar(op);
        int seleccionables = 0;
        for (const Movimiento &m : b.clientes.movimientos)
            seleccionables += Seleccionable(m, op);
        QCOMPARE(seleccionables, pagos);
        QCOMPARE(int(b.proveedores.movimientos.size()) >= pagos / 4, true);
    }

    // Payments add up to their links, links point at documents that exist, documents add up to
    // their lines, for both sides of the books.
    void librosCuadrados_data()
    {
        QTest::addColumn<bool>("clientes");
        QTest::newRow("clientes") << true;
        QTest::newRow("proveedores") << false;
    }
    void librosCuadrados()
    {
        QFETCH(bool, clientes);
        Opciones op;
        op.semilla = 11;
        op.pagos = 1500;
        const Base b = Generar(op);
        const Libro &l = clientes ? b.clientes : b.proveedores;

        std::map<int, const Documento *> docs;
        for (const Documento &d : l.documentos)
            QVERIFY(docs.emplace(d.id, &d).second);
        std::map<int, std::vector<const Anexo *>> porFolio;
        for (const Anexo &a : l.anexos) {
            porFolio[a.folioDelPago].push_back(&a);
            QVERIFY(a.cantidad > 0);
            QVERIFY(a.documento == 0 || docs.count(a.documento));
        }
        std::set<int> folios;
        for (const Movimiento &m : l.movimientos) {
            QVERIFY(folios.insert(m.folio).second);
            const auto &ligas = porFolio[m.folio];
            Centavos suma = 0;
            for (const Anexo *a : ligas)
                suma += a->cantidad;
            QCOMPARE(suma, m.pago);
            QVERIFY(ligas.size() <= 3);
            QVERIFY(m.pago == 0 || !ligas.empty());
        }
        std::map<int, std::vector<const Partida *>> renglones;
        for (const Partida &p : l.partidas)
            renglones[p.documento].push_back(&p);
        for (const Documento &d : l.documentos) {
            const auto &rs = renglones[d.id];
            QVERIFY(rs.size() >= 1 && rs.size() <= 6);
            double sub = 0, ieps = 0;
            for (std::size_t i = 0; i < rs.size(); ++i) {
                QCOMPARE(rs[i]->partida, int(i) + 1);
                const double importe = rs[i]->cantidad * double(rs[i]->precio) / 100;
                sub += importe;
                ieps += importe * rs[i]->ieps / 100;
            }
            QCOMPARE(d.subtotal, std::llround(sub * 100));
            QCOMPARE(d.ieps, std::llround(ieps * 100));
            QVERIFY(d.total() > 0);
        }
    }

    // The awkward cases that a real catalogue and real books contain are all present.
    void casosDificiles()
    {
        Opciones op;
        op.semilla = 4;
        op.pagos = 3000;
        const Base b = Generar(op);
        std::set<std::string> categorias, productos;
        int sinPedimento = 0, sinLinea = 0;
        for (const Producto &p : b.productos) {
            productos.insert(p.clave);
            if (p.categoria)
                categorias.insert(*p.categoria);
            sinPedimento += !p.pedimento || p.pedimento->empty();
            sinLinea += !p.linea;
        }
        for (const char *c : {"BOTANAS", "PRODUCTOS DE CONFITERÍA", "CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO",
                              "FLANES Y PUDINES", "DULCES DE FRUTAS Y HORTALIZAS", "CREMAS DE CACAHUATE Y AVELLANAS",
                              "DULCES DE LECHE", "ALIMENTOS PREPARADOS A BASE DE CEREALES",
                              "HELADOS, NIEVES Y PALETAS DE HIELO", "BOTANAS ", "Botanas"})
            QVERIFY2(categorias.count(c), c);
        QVERIFY(sinPedimento > 0);
        QVERIFY(sinLinea > 0);

        std::set<std::string> lineas;
        for (const Linea &l : b.lineas)
            if (l.nombre)
                lineas.insert(*l.nombre);
        QVERIFY(lineas.count("INSECTICIDAS") && lineas.count("PLAGUICIDAS") && lineas.count("ABARROTES"));

        std::set<std::string> rfcs, estados;
        bool dobleBlanco = false, enie = false;
        for (const Parte &p : b.clientes.partes) {
            if (p.rfc)
                rfcs.insert(*p.rfc);
            if (p.estado)
                estados.insert(*p.estado);
            if (p.nombre) {
                dobleBlanco |= p.nombre->find("  ") != std::string::npos;
                enie |= p.nombre->find("Ñ") != std::string::npos;
            }
        }
        QVERIFY(rfcs.count("XAXX010101000") && rfcs.count("XAXX-010101-000"));
        QVERIFY(dobleBlanco && enie);
        QVERIFY(estados.count("EXTRANJERO") && estados.count("JAL.") && estados.count("NUEVO LEÓN"));

        int faltantes = 0, canceladas = 0, sinIeps = 0, notas = 0, fuera = 0, anticipos = 0;
        for (const Partida &p : b.clientes.partidas)
            faltantes += !productos.count(p.producto);
        for (const Documento &d : b.clientes.documentos) {
            canceladas += d.cancelada;
            sinIeps += d.ieps == 0;
        }
        for (const Movimiento &m : b.clientes.movimientos) {
            notas += m.notaCredito;
            fuera += m.fecha < op.desde || m.fecha > op.hasta;
        }
        std::map<int, int> pagosPorDocumento;
        for (const Anexo &a : b.clientes.anexos) {
            anticipos += a.documento == 0;
            if (a.documento)
                ++pagosPorDocumento[a.documento];
        }
        int parciales = 0;
        for (const auto &[doc, veces] : pagosPorDocumento)
            parciales += veces > 1;
        QVERIFY(faltantes > 0 && canceladas > 0 && sinIeps > 0 && notas > 0 && fuera > 0 && anticipos > 0);
        QVERIFY(parciales > 0);
    }

    void textosEscapados()
    {
        Base b;
        b.lineas.push_back({1, std::string("DULCERÍA D'ANGELO \\ SUR")});
        b.lineas.push_back({2, std::nullopt});
        std::ostringstream o;
        EscribirSql(b, o);
        QVERIFY(o.str().find("(1,'DULCERÍA D''ANGELO \\\\ SUR'),\n(2,NULL);") != std::string::npos);
    }
};

QTEST_APPLESS_MAIN(TestGenerador)
#include "TestGenerador.moc"

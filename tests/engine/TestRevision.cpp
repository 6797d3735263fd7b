#include "Cp1252.h"
#include "Revision.h"

#include <QtTest>

using namespace engine;

namespace {
// Every field of the findings, one text a finding.
QStringList Campos(const QList<Hallazgo> &hallazgos)
{
    QStringList c;
    for (const Hallazgo &h : hallazgos)
        c << QStringList{h.tipo, h.problema, h.rfc, h.claves.join(u','), h.nombre, h.detalle,
                         h.enReporte ? QStringLiteral("en el reporte") : QString()}
                 .join(u'|');
    return c;
}
} // namespace

// The review's findings from what a run told it, and the lines of the review file.
class TestRevision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hallazgosAgrupadosPorProblema()
    {
        Revision r;
        r.AnotarParte("SAT970701NN3", "C1", "UNO");
        r.AnotarParte("SAT970701NN3", "C1", "UNO");
        r.AnotarParte("sat-970701-nn3", "C2", "OTRO  NOMBRE"); // the same RFC in the report
        r.AnotarParte("XAXX010101000", "C3", "JUAN");           // the general public: many parties
        r.AnotarParte("XAXX010101000", "C4", "PEDRO");
        r.AnotarParte(QVariant(), QVariant(), QVariant());      // a party missing from the catalogue
        r.AnotarParte("GODE561231GR9", "C5", "GODE");           // out of the fifty
        r.AnotarParte("GODE561231GR9", "C5", "GODE SA");        // one key: one party, however named
        r.AnotarParteDelDocumento("SAT970701NN3", "C1", "UNO", "folio 7, Factura A1: 150.00 %");
        const QList<Hallazgo> h = r.Hallazgos({"SAT970701NN3", "XAXX010101000"}, {"P9", "P8", "P9"});
        QCOMPARE(LineasDeRevision(QStringLiteral("Revisión"), h),
                 QStringList({
                     "Revisión",
                     "RFC con minúsculas (la autoridad lo pide en mayúsculas; el público en general no se reconoce "
                     "así) | RFC: sat-970701-nn3 | Clave: C2 | Nombre: OTRO  NOMBRE | en el reporte",
                     "RFC vacío | RFC:  | fuera del reporte",
                     "dígito verificador incorrecto (debería ser 8) | RFC: GODE561231GR9 | Clave: C5 | Nombre: GODE | "
                     "fuera del reporte",
                     "un RFC con varias claves y nombres distintos | RFC: SAT970701NN3 | Clave: C1, C2 | "
                     "Nombre: UNO / OTRO NOMBRE | en el reporte",
                     "parte del documento fuera de 0 % a 100 % | RFC: SAT970701NN3 | Clave: C1 | Nombre: UNO | "
                     "folio 7, Factura A1: 150.00 % | en el reporte",
                     "producto que no está en el catálogo | Producto: P9 | 2 líneas",
                     "producto que no está en el catálogo | Producto: P8 | 1 línea",
                 }));
        // The review file read back gives the findings it was written from.
        const QString texto = LineasDeRevision(QStringLiteral("Revisión del reporte r.txt"), h).join(QStringLiteral("\r\n"));
        QCOMPARE(Campos(LeerRevision(host::ACp1252(texto + QStringLiteral("\r\n")))), Campos(h));
        QVERIFY(LeerRevision(QByteArray()).isEmpty());
    }

    // What the report files differently from the database, and what it counts twice. A party
    // met on each of its payments is said once.
    void pagosYNombresQueElReporteCambia()
    {
        Revision r;
        const auto pago = [&r](int folio, const QVariant &rfc, const QVariant &clave, const QVariant &nombre) {
            r.AnotarParte(rfc, clave, nombre);
            r.AnotarPago(folio, rfc, clave, nombre);
        };
        pago(1, "SAT970701NN3", "C1", QString::fromUtf8("TIENDA \xF0\x9F\x98\x80 \xE5\xB1\xB1 Ñ"));
        pago(2, QVariant(), QVariant(), QVariant()); // the party is not in the parties table
        pago(4, "SAT970701NN3", "C1", QString::fromUtf8("TIENDA \xF0\x9F\x98\x80 \xE5\xB1\xB1 Ñ"));
        pago(3, "GODE561231GR8", "C5", "GODE");
        pago(3, "GODE561231GR8", "C5", "GODE");
        r.AnotarParte("CACX7605101P8", "C6", "UNO|DOS\r\nTRES");
        const QList<Hallazgo> h = r.Hallazgos({"SAT970701NN3"});
        QCOMPARE(LineasDeRevision(QStringLiteral("T"), h),
                 QStringList({
                     "T",
                     QString::fromUtf8("nombre con caracteres que el reporte no puede escribir (se escriben como «?») | "
                                       "RFC: SAT970701NN3 | Clave: C1 | Nombre: TIENDA \xF0\x9F\x98\x80 \xE5\xB1\xB1 Ñ | "
                                       "se archiva como: TIENDA ? ? Ñ (no caben: U+1F600, U+5C71) | en el reporte"),
                     "RFC vacío | RFC:  | fuera del reporte",
                     "nombre con «|» o caracteres de control (en el reporte se cambiaron por blancos) | "
                     "RFC: CACX7605101P8 | Clave: C6 | Nombre: UNO|DOS  TRES | fuera del reporte",
                     "pago de un cliente o proveedor que no está en su catálogo (se reporta con RFC vacío y estado 00) | "
                     "RFC:  | folio 2 | fuera del reporte",
                     "folio compartido por varios pagos (los documentos del folio se cuentan en cada pago) | "
                     "RFC: GODE561231GR8 | Clave: C5 | Nombre: GODE | folio 3: 2 pagos | fuera del reporte",
                 }));
    }
};

QTEST_GUILESS_MAIN(TestRevision)
#include "TestRevision.moc"

// repieps-piso: the speed limit of a customer report run. One aggregate query does, on the
// server and in one statement, the work that a run does over the period: payments, what part
// of each went to which invoice, the invoices with IEPS, their lines with IEPS, product and
// product line, summed per RFC, line and presentation with the payment's share of each
// invoice. Its rows are fetched through the program's own database layer (BasesDD::AbrirTabla
// over one Conexion), so no run that reads the same data can hope to be faster:
//
//   repieps-piso --desde AAAA-MM-DD --hasta AAAA-MM-DD --servidor HOST --puerto N --usuario U --base NOMBRE
//
// Dates may also be written DD/MM/AAAA. The password comes from REPIEPS_PASSWORD. Output on
// stdout: "segundos=S filas=R lineas=L", L being the invoice lines that went into the sums.
#include "BasesDD.h"
#include "Conexion.h"
#include "Errores.h"
#include "Registros.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

QDate leerFecha(const QString &texto)
{
    QDate d = QDate::fromString(texto, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    return d;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    host::BasesDD bases;
    bases.cRuta = QStringLiteral("127.0.0.1");
    bases.cPuerto = QStringLiteral("3306");
    bases.cUsuario = QStringLiteral("root");
    bases.cPassword = qEnvironmentVariable("REPIEPS_PASSWORD");
    QDate desde, hasta;
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        const QString valor = i + 1 < a.size() ? a[i + 1] : QString();
        if (a[i] == QLatin1String("--servidor"))
            bases.cRuta = valor;
        else if (a[i] == QLatin1String("--puerto"))
            bases.cPuerto = valor;
        else if (a[i] == QLatin1String("--usuario"))
            bases.cUsuario = valor;
        else if (a[i] == QLatin1String("--base"))
            bases.cMiBase = valor;
        else if (a[i] == QLatin1String("--desde"))
            desde = leerFecha(valor);
        else if (a[i] == QLatin1String("--hasta"))
            hasta = leerFecha(valor);
        else {
            err << "repieps-piso: opción desconocida: " << a[i] << "\n";
            return 2;
        }
        ++i;
    }
    if (bases.cMiBase.isEmpty() || !desde.isValid() || !hasta.isValid()) {
        err << "uso: repieps-piso --desde AAAA-MM-DD --hasta AAAA-MM-DD --servidor HOST --puerto N --usuario U "
               "--base NOMBRE\n";
        return 2;
    }

    // share: the part of the invoice's total that this payment covered, as the run prorates it.
    const QString parte = QStringLiteral("(a.Cantidad/(f.SubTotal+f.IVA+f.ImpuestoAd))");
    const QString importe = QStringLiteral("(d.Cantidad*d.PrecioNeto)");
    const QString ieps = QStringLiteral("(%1*d.ImpuestoAd/100)").arg(importe);
    const QString campos =
        QStringLiteral("c.RFC, l.Linea, p.Pedimento, COUNT(*) AS Lineas, SUM(ROUND(%1*d.Cantidad)) AS Cantidad, "
                       "SUM(ROUND(%1*%2)) AS Importe, SUM(ROUND(%1*%3)) AS IEPS, "
                       "SUM(ROUND(%1*(%2+%3)*d.IVA/100)) AS IVA")
            .arg(parte, importe, ieps);
    const QString origen =
        QStringLiteral("edoctacli e LEFT JOIN clientes c ON c.Clave=e.Clave "
                       "JOIN anexopagosctes a ON a.FolioDelPago=e.Folio AND a.Factura<>0 "
                       "JOIN facturas f ON f.Id=a.Factura AND f.ImpuestoAd<>0 AND f.Cancelada=0 "
                       "JOIN facturasdetalle d ON d.Id=f.Id AND d.ImpuestoAd<>0 "
                       "LEFT JOIN productos p ON p.Clave=d.Producto "
                       "LEFT JOIN lineas l ON l.Id=p.Linea "
                       "WHERE e.Fecha>='%1' AND e.Fecha<'%2' AND e.CantidadPago>0 AND e.NotaCredito=0 "
                       "GROUP BY c.RFC, l.Linea, p.Pedimento ORDER BY NULL")
            .arg(desde.toString(Qt::ISODate), hasta.addDays(1).toString(Qt::ISODate)); // the last day whole, as a run reads it

    try {
        // The clock includes connecting, as a run's does.
        QElapsedTimer reloj;
        reloj.start();
        host::Conexion cn;
        QString error;
        if (!bases.AbrirBdD(cn, bases.cMiBase, &error)) {
            err << error << "\n";
            return 1;
        }
        // The groups of a long period outgrow the server's default in-memory temporary table; spilled
        // to disk they would make the limit slower than a run that groups in its own memory.
        cn.Execute(QStringLiteral("SET SESSION tmp_table_size=268435456, max_heap_table_size=268435456"));
        host::Registros rs;
        bases.AbrirTabla(rs, cn, origen, campos);
        qint64 filas = 0, lineas = 0;
        double suma = 0; // read every value, as a run would
        for (; !rs.Eof(); rs.MoveNext()) {
            ++filas;
            lineas += rs.Campo(QStringLiteral("Lineas")).toLongLong();
            suma += rs.Campo(QStringLiteral("Cantidad")).toDouble() + rs.Campo(QStringLiteral("Importe")).toDouble()
                    + rs.Campo(QStringLiteral("IEPS")).toDouble() + rs.Campo(QStringLiteral("IVA")).toDouble();
            rs.Campo(QStringLiteral("RFC"));
            rs.Campo(QStringLiteral("Linea"));
            rs.Campo(QStringLiteral("Pedimento"));
        }
        const double segundos = double(reloj.nsecsElapsed()) / 1e9;
        bases.CierraTabla(rs);
        bases.CierraBdD(cn);
        std::printf("segundos=%.3f filas=%lld lineas=%lld\n", segundos, static_cast<long long>(filas),
                    static_cast<long long>(lineas));
        static_cast<void>(suma);
    } catch (const host::Error &e) {
        err << e.texto() << "\n";
        return 1;
    }
    return 0;
}

// repieps-piso: the floor of a report run. Sends N single-row primary-key SELECTs one by one
// through the program's own database layer (BasesDD::AbrirTabla over one Conexion), reads a
// column of each row, and prints how long they took:
//
//   repieps-piso --servidor HOST --puerto N --usuario U --base NOMBRE --consultas N
//
// The password comes from REPIEPS_PASSWORD. Output: "consultas=N segundos=S" on stdout.
#include "BasesDD.h"
#include "Conexion.h"
#include "Errores.h"
#include "Registros.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    host::BasesDD bases;
    bases.cRuta = QStringLiteral("127.0.0.1");
    bases.cPuerto = QStringLiteral("3306");
    bases.cUsuario = QStringLiteral("root");
    bases.cPassword = qEnvironmentVariable("REPIEPS_PASSWORD");
    qint64 consultas = -1;
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
        else if (a[i] == QLatin1String("--consultas"))
            consultas = valor.toLongLong();
        else {
            err << "repieps-piso: opción desconocida: " << a[i] << "\n";
            return 2;
        }
        ++i;
    }
    if (bases.cMiBase.isEmpty() || consultas < 0) {
        err << "uso: repieps-piso --servidor HOST --puerto N --usuario U --base NOMBRE --consultas N\n";
        return 2;
    }

    try {
        host::Conexion cn;
        if (!bases.AbrirBdD(cn, bases.cMiBase)) {
            err << bases.UltimoError() << "\n";
            return 1;
        }
        // Keys of the tables that a run reads row by row, fetched before the clock starts.
        struct Tabla {
            QString desde, campo;
            QStringList claves;
        };
        QVector<Tabla> tablas = {{QStringLiteral("facturas WHERE Id="), QStringLiteral("Id"), {}},
                                 {QStringLiteral("productos WHERE Clave='%1'"), QStringLiteral("Clave"), {}},
                                 {QStringLiteral("lineas WHERE Id="), QStringLiteral("Id"), {}}};
        const char *fuentes[] = {"facturas", "productos", "lineas"};
        for (int t = 0; t < tablas.size(); ++t) {
            host::Registros rs;
            bases.AbrirTabla(rs, cn, QString::fromLatin1(fuentes[t]) + QStringLiteral(" LIMIT 200000"), tablas[t].campo);
            for (; !rs.Eof(); rs.MoveNext())
                tablas[t].claves << rs.Campo(tablas[t].campo).toString();
            if (tablas[t].claves.isEmpty()) {
                err << "repieps-piso: la tabla " << fuentes[t] << " está vacía\n";
                return 1;
            }
        }

        QElapsedTimer reloj;
        reloj.start();
        host::Registros rs;
        qint64 leidos = 0;
        for (qint64 i = 0; i < consultas; ++i) {
            const Tabla &t = tablas[int(i % tablas.size())];
            const QString &clave = t.claves[int((i / tablas.size()) % t.claves.size())];
            const QString desde = t.desde.contains(QLatin1String("%1")) ? t.desde.arg(clave) : t.desde + clave;
            if (bases.AbrirTabla(rs, cn, desde + QStringLiteral(" LIMIT 1")))
                leidos += !rs.Campo(t.campo).isNull();
            bases.CierraTabla(rs);
        }
        const double segundos = double(reloj.nsecsElapsed()) / 1e9;
        bases.CierraBdD(cn);
        std::printf("consultas=%lld segundos=%.3f filas=%lld\n", static_cast<long long>(consultas), segundos,
                    static_cast<long long>(leidos));
    } catch (const host::Error &e) {
        err << e.texto() << "\n";
        return 1;
    }
    return 0;
}

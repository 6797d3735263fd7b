// How long the 69-B list takes to load: a list of the published shape with N rows (15 000 unless
// given), made in memory, read the best of five times; or a real copy given by its path.
//   repieps-lista69b-tiempo [N | ARCHIVO.csv]
#include "Lista69B.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

int main(int argc, char **argv)
{
    const QString argumento = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("15000");
    bool esNumero = false;
    const int filas = argumento.toInt(&esNumero);
    QByteArray bytes;
    if (esNumero) {
        bytes = "Informaci\xF3n actualizada al 30 de noviembre de 2026\r\nListado completo\r\n"
                "No,RFC,Nombre del Contribuyente,Situaci\xF3n del contribuyente,Publicaci\xF3n DOF presuntos,"
                "Publicaci\xF3n DOF definitivos\r\n";
        for (int i = 0; i < filas; ++i)
            bytes += QStringLiteral("%1,AAA%2,\"CONTRIBUYENTE %1, S.A. DE C.V.\",%3,\"500-39-00-00-00-2019-1 de fecha 09 "
                                    "de enero de 2019 // 500-39-00-02-2019-2\",05/02/2019 // 17/03/2020\r\n")
                         .arg(i + 1)
                         .arg(i, 10, 10, QLatin1Char('0'))
                         .arg(i % 3 ? QStringLiteral("Definitivo") : QStringLiteral("Presunto"))
                         .toLatin1();
    } else {
        QFile f(argumento);
        if (!f.open(QIODevice::ReadOnly))
            return 2;
        bytes = f.readAll();
    }
    qint64 mejor = -1;
    int leidos = 0;
    for (int vez = 0; vez < 5; ++vez) {
        QElapsedTimer reloj;
        reloj.start();
        engine::Lista69B lista;
        QString motivo;
        if (!engine::LeerLista69B(bytes, argumento, lista, &motivo)) {
            QTextStream(stderr) << motivo << Qt::endl;
            return 1;
        }
        leidos = int(lista.porRfc.size());
        mejor = mejor < 0 ? reloj.nsecsElapsed() : qMin(mejor, reloj.nsecsElapsed());
    }
    QTextStream(stdout) << "lista69b rfc=" << leidos << " bytes=" << bytes.size()
                        << " segundos=" << QString::number(mejor / 1e9, 'f', 3) << Qt::endl;
    return 0;
}

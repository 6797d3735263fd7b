#include "Trimestres.h"

#include "Errores.h"

#include <QRegularExpression>

namespace config {

QDate Trimestre::primerDia() const
{
    return QDate(anio, 3 * numero - 2, 1);
}

QDate Trimestre::ultimoDia() const
{
    return primerDia().addMonths(3).addDays(-1);
}

QString Trimestre::nombre() const
{
    static const char *const meses[] = {"enero a marzo", "abril a junio", "julio a septiembre", "octubre a diciembre"};
    return QStringLiteral("%1.º trimestre de %2 (%3)").arg(numero).arg(anio).arg(QString::fromUtf8(meses[numero - 1]));
}

QList<Trimestre> UltimosTrimestres(const QDate &hoy, int cuantos)
{
    // The quarter today is in has not ended, not even on its last day.
    Trimestre t{hoy.year(), (hoy.month() - 1) / 3 + 1};
    QList<Trimestre> lista;
    while (lista.size() < cuantos) {
        t = t.numero == 1 ? Trimestre{t.anio - 1, 4} : Trimestre{t.anio, t.numero - 1};
        lista << t;
    }
    return lista;
}

bool LeerTrimestre(const QString &texto, Trimestre &t, QString *error)
{
    static const QRegularExpression patron(QStringLiteral("^(\\d{4})-([1-4])$"));
    const QRegularExpressionMatch m = patron.match(texto.trimmed());
    if (!m.hasMatch() || m.captured(1).toInt() < 1)
        return host::Falla(error, QStringLiteral("El trimestre «%1» no es válido: escríbalo como AAAA-T, del 1 al 4, "
                                                 "por ejemplo 2018-1.")
                                      .arg(texto));
    t = Trimestre{m.captured(1).toInt(), m.captured(2).toInt()};
    return true;
}

} // namespace config

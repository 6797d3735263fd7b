#include "Hoy.h"

namespace config {

namespace {
QDate &Fijado()
{
    static QDate dia;
    return dia;
}
} // namespace

QDate Hoy()
{
    if (Fijado().isValid())
        return Fijado();
    static const QDate delEntorno = QDate::fromString(qEnvironmentVariable("REPIEPS_HOY"), Qt::ISODate);
    return delEntorno.isValid() ? delEntorno : QDate::currentDate();
}

void FijarHoy(const QDate &dia)
{
    Fijado() = dia;
}

} // namespace config

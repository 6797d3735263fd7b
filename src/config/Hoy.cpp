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
    return Fijado().isValid() ? Fijado() : QDate::currentDate();
}

void FijarHoy(const QDate &dia)
{
    Fijado() = dia;
}

} // namespace config

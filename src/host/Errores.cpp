#include "Errores.h"

#include <new>

namespace host::errores {

namespace {
Error conLugar(int numero, const QString &descripcion, const QString &donde)
{
    return Error(numero, donde.isEmpty() ? descripcion : descripcion + QStringLiteral(": ") + donde);
}
} // namespace

Error desbordamiento(const QString &donde)
{
    return conLugar(Desbordamiento, QStringLiteral("Desbordamiento"), donde);
}

Error divisionPorCero(const QString &donde)
{
    return conLugar(DivisionPorCero, QStringLiteral("División por cero"), donde);
}

Error usoNoValidoDeNull(const QString &donde)
{
    return conLugar(UsoNoValidoDeNull, QStringLiteral("Uso no válido de Null"), donde);
}

} // namespace host::errores

namespace host {

QString DescripcionDe(const std::exception &e)
{
    if (const auto *error = dynamic_cast<const Error *>(&e))
        return error->descripcion();
    return QString::fromUtf8(e.what());
}

QString TextoDeError(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error &e) {
        return e.texto();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("No hubo memoria suficiente para terminar el proceso. Cierre otros programas o "
                              "elija un periodo más corto y vuelva a intentarlo.");
    } catch (const std::exception &e) {
        return QStringLiteral("El proceso se detuvo por un error interno del programa (%1).")
            .arg(DescripcionDe(e));
    } catch (...) {
        return QStringLiteral("El proceso se detuvo por un error interno del programa.");
    }
}

} // namespace host

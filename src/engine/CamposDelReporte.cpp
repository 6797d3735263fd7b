#include "CamposDelReporte.h"

namespace engine {

namespace {
using F = FormaDeCampo;

constexpr Campo Fijo(int posicion, const char *texto)
{
    return {posicion, nullptr, F::Codigo, nullptr, texto, nullptr, nullptr};
}

constexpr Campo Vacio(int posicion)
{
    return {posicion, nullptr, F::Vacio, nullptr, nullptr, nullptr, nullptr};
}

constexpr std::array<Campo, CamposPorRenglon> campos{{
    {CampoTipo, "Tipo", F::Tipo, nullptr, nullptr, nullptr, nullptr},
    {CampoRfc, "RFC", F::Texto, "RFC", nullptr, nullptr, nullptr},
    {CampoNombre, "Nombre", F::Texto, "Nombre", nullptr, nullptr, nullptr},
    {CampoEstado, "Estado", F::Codigo, "Estado", nullptr, nullptr, nullptr},
    {CampoLinea, nullptr, F::Codigo, "Linea", nullptr, nullptr, nullptr},
    Fijo(5, "00"),
    {CampoClaveGenerica, "Clave genérica", F::Codigo, "ClaveGenerica", nullptr, nullptr, nullptr},
    Fijo(7, "000"),
    {CampoCantidad, "Cantidad", F::Cifra, "CantidadFactura", nullptr, "la", "cantidad"},
    Fijo(9, "005"),
    {CampoPresentacion, "Presentación", F::Presentacion, "Presentacion", nullptr, "la", "presentación"},
    Fijo(11, "004"),
    {CampoImporte, "Importe", F::Cifra, "Importe", nullptr, "el", "importe"},
    Fijo(13, "0"),
    {CampoIeps, "IEPS", F::Cifra, "IEPS", nullptr, "el", "IEPS"},
    {CampoIva, "IVA", F::Cifra, "IVA", nullptr, "el", "IVA"},
    Vacio(16), Vacio(17), Vacio(18), Vacio(19), Vacio(20), Vacio(21), Vacio(22), Vacio(23), Vacio(24), Vacio(25),
}};

constexpr bool EnOrden()
{
    for (int i = 0; i < CamposPorRenglon; ++i)
        if (campos[size_t(i)].posicion != i || (campos[size_t(i)].forma == F::Vacio) != (i >= CamposQueSeMuestran))
            return false;
    return true;
}
static_assert(EnOrden(), "each field at its own position, the shown ones first");
} // namespace

const std::array<Campo, CamposPorRenglon> &CamposDelReporte()
{
    return campos;
}

QString EncabezadoDe(const Campo &c)
{
    return c.encabezado ? QString::fromUtf8(c.encabezado) : QStringLiteral("Campo %1").arg(c.posicion + 1);
}

const QStringList &EncabezadosDeCampos()
{
    static const QStringList encabezados = [] {
        QStringList e;
        for (int i = 0; i < CamposQueSeMuestran; ++i)
            e << EncabezadoDe(campos[size_t(i)]);
        return e;
    }();
    return encabezados;
}

bool CampoEsNumero(int i)
{
    const F forma = campos.at(size_t(i)).forma;
    return forma == F::Cifra || forma == F::Presentacion;
}

} // namespace engine

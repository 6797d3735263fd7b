// IEPS classification of a product line: the Campo 5 code (pesticides or not) and the clave
// genérica, from the name of the product line or from the product's IEPS category text.
#include "Clasificacion.h"

namespace engine {

namespace {
bool Contiene(const QString &n, const char *x)
{
    return n.contains(QLatin1String(x));
}

// The first four characters of the name equal the four-character fragment.
bool Empieza(const QString &n, const char *x)
{
    return n.startsWith(QLatin1String(x));
}

struct Categoria {
    const char *clave;
    const char16_t *descripcion;
};

// Compared in this order; the first equal description gives its code.
const Categoria Categorias[] = {
    {"008", u"ALIMENTOS PREPARADOS A BASE DE CEREALES"},
    {"001", u"BOTANAS"},
    {"003", u"CHOCOLATE Y DEMÁS PRODUCTOS DERIVADOS DEL CACAO"},
    {"006", u"CREMAS DE CACAHUATE Y AVELLANAS"},
    {"005", u"DULCES DE FRUTAS Y HORTALIZAS"},
    {"007", u"DULCES DE LECHE"},
    {"004", u"FLANES Y PUDINES"},
    {"009", u"HELADOS, NIEVES Y PALETAS DE HIELO"},
    {"002", u"PRODUCTOS DE CONFITERÍA"},
};
} // namespace

QString ClavePlaguicidaPorNombre(const QVariant &nombre)
{
    if (nombre.isNull())
        return QStringLiteral("020");
    const QString n = nombre.toString();
    return Contiene(n, "INSECT") || Contiene(n, "PLAGUI") ? QStringLiteral("019") : QStringLiteral("020");
}

QString ClavePorNombreDeLinea(const QVariant &nombre)
{
    if (nombre.isNull())
        return QStringLiteral("000");
    const QString n = nombre.toString();
    if (Empieza(n, "ALIM") || Contiene(n, "CEREAL"))
        return QStringLiteral("008");
    if (Contiene(n, "BOTAN"))
        return QStringLiteral("001");
    if (Contiene(n, "CHOC"))
        return QStringLiteral("003");
    if (Contiene(n, "CREM") && (Contiene(n, "CACAH") || Contiene(n, "AVELL")))
        return QStringLiteral("006");
    if (Empieza(n, "DULC") && (Contiene(n, "FRUT") || Contiene(n, "HORT")))
        return QStringLiteral("005");
    if (Empieza(n, "DULC") && Contiene(n, "LECH"))
        return QStringLiteral("007");
    if (Contiene(n, "FLAN") || Contiene(n, "PUDIN"))
        return QStringLiteral("004");
    if (Empieza(n, "HELA"))
        return QStringLiteral("009");
    if (Contiene(n, "CONFIT"))
        return QStringLiteral("002");
    return QStringLiteral("000");
}

QString ClavePorCategoria(const QString &categoria)
{
    for (const Categoria &c : Categorias) {
        if (categoria == QString::fromUtf16(c.descripcion))
            return QLatin1String(c.clave);
    }
    return QStringLiteral("000");
}

Claves Clasificar(bool porLinea, bool enCatalogo, const QVariant &nombre, const QString &categoria)
{
    Claves claves;
    claves.campo5 = enCatalogo ? ClavePlaguicidaPorNombre(nombre) : QStringLiteral("020");
    if (claves.campo5 == QLatin1String("019"))
        claves.generica = QStringLiteral("003");
    else if (!porLinea)
        claves.generica = ClavePorCategoria(categoria);
    else if (enCatalogo)
        claves.generica = ClavePorNombreDeLinea(nombre);
    return claves;
}

} // namespace engine

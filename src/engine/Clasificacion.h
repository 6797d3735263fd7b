#pragma once

#include <QString>
#include <QVariant>

// IEPS classification of a product line: the Campo 5 code (pesticides or not) and the clave
// genérica, from the name of the product line or from the product's IEPS category text.
namespace engine {

// Clave genérica by category text ("000" when none matches).
QString ClavePorCategoria(const QString &categoria);
// Clave genérica by the name of the product line ("000" when none matches).
QString ClavePorNombreDeLinea(const QVariant &nombre);
// Campo 5 code by the name of the product line: "019" insecticides and pesticides, else "020".
QString ClavePlaguicidaPorNombre(const QVariant &nombre);

struct Claves {
    QString campo5;
    QString generica;
};
// The codes of a detail line whose product has a product line. enCatalogo: whether the line
// table has that line, nombre its name there; porLinea: the run classifies by the line's name
// (else by the product's category). A pesticide is clave genérica "003" either way; a line
// missing from its table is "020" with no clave genérica by name.
Claves Clasificar(bool porLinea, bool enCatalogo, const QVariant &nombre, const QString &categoria);

} // namespace engine

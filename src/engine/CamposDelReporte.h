#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace engine {

// The fields of a report line, each followed by "|": the writer, the reader behind "Ver reporte",
// the workbook and the summaries all take them from here.

// How a field is written, and so how it is read back and shown.
enum class FormaDeCampo {
    Tipo,         // "C" customers, "P" suppliers
    Texto,        // a text of the work table as it is (RFC, name)
    Codigo,       // a code whose leading zeros count ("09", "020"): from the work table, or fixed
    Cifra,        // a figure in the report's general number form (NumeroGeneral); the summary sums it
    Presentacion, // a figure with three decimals, from a single-precision column
    Vacio,        // always empty, not shown
};

struct Campo {
    int posicion;           // 0-based, in the line's order; people count from 1
    const char *encabezado; // its heading in every view; nullptr: "Campo N", a code without a name
    FormaDeCampo forma;
    const char *columna;    // the work table's column it is written from (nullptr: not from there)
    const char *fijo;       // the text of a fixed code ("005")
    const char *articulo;   // a figure's name in messages, with its article: "la" "cantidad"
    const char *nombre;
};

constexpr int CamposPorRenglon = 26;
// The ones a person reads: those after them are always empty.
constexpr int CamposQueSeMuestran = 16;

// Positions of the fields that are read by name.
enum CampoDelReporte {
    CampoTipo = 0, CampoRfc = 1, CampoNombre = 2, CampoEstado = 3, CampoLinea = 4, CampoClaveGenerica = 6,
    CampoCantidad = 8, CampoPresentacion = 10, CampoImporte = 12, CampoIeps = 14, CampoIva = 15,
};

// The 26, in the line's order.
const std::array<Campo, CamposPorRenglon> &CamposDelReporte();

// The headings of the fields shown, in Spanish.
const QStringList &EncabezadosDeCampos();
QString EncabezadoDe(const Campo &c);
// Whether field i (0-based) holds a figure; the others are texts, codes among them.
bool CampoEsNumero(int i);

} // namespace engine

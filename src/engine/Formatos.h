#pragma once

#include <QString>
#include <QVariant>

namespace engine {

// Amount pattern "#,0.00": the value taken to 15 significant digits, then rounded half away from
// zero to two decimals; "," groups thousands, "." is the decimal mark (2.675 gives 2.68).
QString FormatoImporte(double valor);

// Fixed pattern "0.000": at least one integer digit and three decimals, halves away from zero.
QString FormatoTresDecimales(double valor);

// General number: at most 15 significant digits, no trailing zeros nor bare decimal point
// (240, 3150.5, 0.5), no grouping; exponent form only for very large or very small magnitudes.
QString NumeroGeneral(double valor);

// A number for people to read: the general form (or a number as the report writes it, such as
// "0.250") with "," grouping the thousands of its whole part: 1984075 gives "1,984,075", -3150.5
// "-3,150.5"; its decimals and the exponent form stay as they are. Files keep NumeroGeneral.
QString NumeroConSeparadores(const QString &numero);
QString NumeroConSeparadores(double valor);

// A database value written as text: whole-number columns as they are, other numbers in the
// general form, texts unchanged, NULL as empty text.
QString ValorComoTexto(const QVariant &valor);

// A database value's text as Qt writes it, NULL as the null text (numbers are not reformatted).
QString Texto(const QVariant &valor);

// A value the run cannot do without: NULL ends the run with "Uso no válido de Null: <lugar>,
// columna <columna> está vacía" (lugar: "el pago 1404, factura 3302").
const QVariant &NoNulo(const QVariant &valor, const QString &lugar, const QString &columna);

// A text that does not read as a number ("2,5", "12 kg"), which the arithmetic takes as 0. Blank
// texts and the values of number columns are not such texts.
bool TextoQueNoEsNumero(const QVariant &valor);

// Rounds to a whole number, halves going to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RedondeoPar(double valor);

} // namespace engine

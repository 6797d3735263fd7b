#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace engine {

// The generic RFCs: of the general public (sales to no one in particular) and of foreign parties.
inline QString RfcPublicoEnGeneral() { return QStringLiteral("XAXX010101000"); }
inline QString RfcExtranjero() { return QStringLiteral("XEXX010101000"); }
inline bool EsRfcGenerico(const QString &rfc) { return rfc == RfcPublicoEnGeneral() || rfc == RfcExtranjero(); }

// The check digit of an RFC without its last character: the characters, padded on the left with
// blanks to 12, valued by their place in "0123456789ABCDEFGHIJKLMN&OPQRSTUVWXYZ Ñ" and weighted
// 13 down to 2; 11 minus the sum modulo 11 gives the digit ("0" for 11, "A" for 10). A null
// QChar when a character has no value there (a lower-case letter, a symbol) or the text is longer
// than 12.
QChar DigitoVerificadorRfc(const QString &sinDigito);

// What makes an RFC, as the database holds it, unfit for the report: empty; "|" or control
// characters removed; lower-case letters; longer than 13 characters; not of the form of a company
// (3 letters, 6 digits, 3 characters) nor of a person (4 letters); its six digits not a date
// (YYMMDD); a wrong check digit (never for the generic RFCs of the general public and of foreign
// parties). One Spanish text per problem, in that order; none for a valid RFC.
QStringList ProblemasDeRfc(const QString &rfc);

} // namespace engine

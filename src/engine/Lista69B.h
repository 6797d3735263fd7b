#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>

namespace engine {

// What the tax authority's list of taxpayers with simulated operations (article 69-B of the
// Código Fiscal) says of one RFC.
struct ContribuyenteEn69B {
    QString situacion; // "Presunto", "Desvirtuado", "Definitivo" or "Sentencia Favorable"
    QDate publicado;   // the latest publication of that situation in the DOF; invalid when none is given
};

struct Lista69B {
    QString archivo; // where it was read, as given
    QDate fecha;     // of its preamble ("Información actualizada al 30 de noviembre de 2026"); invalid when none
    QHash<QString, ContribuyenteEn69B> porRfc; // by the RFC as the report writes it
};

// Reads the list as published: comma-separated, quoted cells, a preamble before a heading line
// with the columns "RFC" and "Situación del contribuyente", then one taxpayer a line. UTF-8 (with
// or without BOM) or Windows-1252, CR LF or LF, blank lines anywhere. False with a Spanish reason
// in *motivo naming archivo and the line when the bytes are not that list: no such heading, a
// quote left open, a situation that is none of the four, no taxpayer at all.
bool LeerLista69B(const QByteArray &bytes, const QString &archivo, Lista69B &lista, QString *motivo);
// The same from a file; a file that cannot be read is refused with the system's reason.
bool LeerLista69BDeArchivo(const QString &ruta, Lista69B &lista, QString *motivo);

} // namespace engine

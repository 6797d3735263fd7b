#pragma once

#include "Lista69B.h"
#include "Revision.h"

#include <QDate>
#include <QSet>

namespace engine {

// The review's check of the run's parties against the 69-B list: the list a run was given, read
// once, and what it says of the RFCs the run met. A list that cannot be used never stops the run:
// the review says why.
class RevisionDe69B {
public:
    // The list at ruta; empty: no list for this run.
    void Cargar(const QString &ruta);
    // Why the list given was not used (naming the file); empty when it was, or none was given.
    const QString &motivo() const { return motivo_; }

    // One finding per RFC of partes (Revision::Partes) that the list holds, in the order met:
    // "Presunto" and "Definitivo" are findings of the filing when the RFC is in the report,
    // "Desvirtuado" and "Sentencia Favorable" a notice of their own kind that never is.
    QList<Hallazgo> Hallazgos(const QList<Hallazgo> &partes, const QSet<QString> &rfcsDelReporte) const;

    // What the review's title says of the list: its date and file, that it is more than 90 days
    // older than hoy, why it was not used, or that none was checked.
    QString Oracion(const QDate &hoy) const;

private:
    QString ruta_, motivo_;
    Lista69B lista_;
};

// Whether a kind of finding is the 69-B list's notice about an RFC that left it: it says nothing
// of the filing.
bool EsAvisoDe69B(const QString &tipo);

} // namespace engine

#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace host {
class ArchivoDeSalida;
}

namespace engine {

// One thing that would make the filing wrong, as plain data for the review file, the
// command-line summary and the review window.
struct Hallazgo {
    QString tipo;       // the kind of problem, in Spanish; findings are grouped and counted by it
    QString problema;   // what is wrong, in Spanish
    QString rfc;        // as the database holds it (a product key for a missing product)
    QStringList claves; // party keys
    QString nombre;
    QString detalle;    // folio, document and share of a share out of range
    bool enReporte = false;
};

// How many findings there are of one kind, and how many of them are about RFCs of the report.
struct HallazgosDeUnTipo {
    QString tipo;
    int todos = 0, enReporte = 0;
};
// The findings counted per kind, the kinds in the order the list first names them.
QList<HallazgosDeUnTipo> ContarPorTipo(const QList<Hallazgo> &hallazgos);

// What a run tells the review while it goes, and the findings it adds up to.
class Revision {
public:
    // A payment's party, once per payment.
    void AnotarParte(const QVariant &rfc, const QVariant &clave, const QVariant &nombre);
    // A payment, once per payment: its folio, and its party as the parties table gave it (all
    // null when the party is missing from that table).
    void AnotarPago(const QVariant &folio, const QVariant &rfc, const QVariant &clave, const QVariant &nombre);
    // A share of a document below 0 % or above 100 %.
    void AnotarParteDelDocumento(const QVariant &rfc, const QVariant &clave, const QVariant &nombre,
                                 const QString &detalle);
    // The tables read that cannot be read in one moment, with their engines ("edoctacli (MyISAM)").
    void AnotarTablasSinInstantanea(const QString &tablas) { sinInstantanea_ = tablas; }

    // What a run met that makes a figure of the filing wrong or unreadable; these kinds are listed
    // before all others, in this order.
    enum class Dato {
        PagoSinDocumento,        // detail: folio, the document's key, the amount applied to it
        PagoADocumentoSinLineas, // detail: folio, the document, the amount applied to it
        TextoQueNoEsNumero,      // detail: folio, document, column, the text
        ImporteSinCifras,        // detail: the report's field and how it was written
        FechaQueNoEsDia,         // detail: folio, the date's text
    };
    void AnotarDato(Dato dato, const QVariant &rfc, const QVariant &clave, const QVariant &nombre,
                    const QString &detalle);

    // rfcsDelReporte: the RFCs written in the report; inexistentes: the products missing from the
    // catalogue, once per detail line, as the run lists them.
    QList<Hallazgo> Hallazgos(const QSet<QString> &rfcsDelReporte, const QStringList &inexistentes = {}) const;
    // The parties met, one per RFC as the database holds it, in the order met: RFC, keys, first name.
    QList<Hallazgo> Partes() const;

private:
    // Keys and names in the order met, each once, the first few only: enough to show and to tell
    // one party from several, and cheap for an RFC (the general public's) shared by thousands.
    struct Parte {
        QString rfc; // as first met
        QStringList claves, nombres;
    };
    QList<QString> ordenRfc_;          // distinct RFCs as the database holds them, in the order met
    QHash<QString, Parte> porRfc_;     // by that text
    QList<Hallazgo> partes_;           // shares out of range
    QList<QPair<Dato, Hallazgo>> datos_;
    QList<Hallazgo> HallazgosDeDatos(const std::function<bool(const QString &)> &enReporte) const;
    struct Folio {
        int pagos = 0;
        QString rfc, nombre;
        QStringList claves;
    };
    QList<qint64> ordenFolios_;        // folios in the order met, each once
    QHash<qint64, Folio> folios_;
    QList<qint64> sinParte_;           // folios of payments whose party is not in the parties table
    QString sinInstantanea_;
};

// An RFC as the report writes it (cleaned, upper case): findings about different spellings of one
// RFC belong to the same party of the report.
QString RfcComoEnElReporte(const QString &rfc);

// Writes the review into archivo (the caller puts it in its place beside the report): a title
// line, then one finding a line grouped by problem; Windows-1252 and CR LF like the report.
// Throws host::Error when it cannot.
void EscribirRevision(host::ArchivoDeSalida &archivo, const QString &titulo, const QList<Hallazgo> &hallazgos);

// The review's text lines (title first), as the file holds them.
QStringList LineasDeRevision(const QString &titulo, const QList<Hallazgo> &hallazgos);

// The findings of a review file's bytes (Windows-1252, CR LF), for a report written by an earlier
// run. A name that itself holds " | " cannot be told from what follows it: its pieces go to the
// detail, while the problem, the RFC and whether it is in the report are read right.
QList<Hallazgo> LeerRevision(const QByteArray &bytes);

} // namespace engine

#pragma once

#include "Revision.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace host {
class Conexion;
}

namespace engine {

// What the database multiplies or merges without a word, for the review: a catalogue key that
// repeats (the payments' join with the parties' catalogue, and the lines' join with the products'
// catalogue, give one row per catalogue row, and the report sums every one), and RFCs written in
// the report that the database's comparison takes as one. The report keeps its figures; the
// findings say which of its lines they are in.
class RevisionDeRepetidos {
public:
    // clientes: the run is about customers (else suppliers).
    void Limpiar(bool clientes);
    // A row of the payments' query: its payment Id, its party's key, name and RFC as the work
    // table keeps it. False when an earlier row was the same payment: its party's key repeats.
    bool AnotarPago(const QVariant &id, const QVariant &clave, const QString &rfc, const QVariant &nombre);
    // The lines of one document, paid by the last payment noted, begin.
    void EmpezarDocumento();
    // A line of that document, summed into the report line of the payment's RFC with these codes
    // and the product's presentation (pedimento); a line without presentation is not summed.
    void AnotarLinea(const QVariant &producto, const QString &clave5, const QString &claveGen, const QVariant &pedimento);
    // Asks the product catalogue how many rows hold each product that came twice in one
    // document: one statement per 500 such products, none when there are none.
    void BuscarProductos(host::Conexion &cn);
    // RFCs written in the report, each with its own lines, that the database takes as one.
    void AnotarRfcsUnidos(const QStringList &rfcs);

    // The findings, in this order: a party's key repeated (one per RFC its rows gave), a
    // product's key repeated (one per RFC of the report whose lines hold it, or one when none
    // does), RFCs merged.
    QList<Hallazgo> Hallazgos(const QSet<QString> &rfcsDelReporte) const;

private:
    bool clientes_ = true;
    QString rfcActual_; // of the last payment noted

    struct Parte {
        QString clave, nombre;
        QStringList rfcs;
        int pagos = 0, renglones = 1;
    };
    QList<Parte> partes_;
    QHash<QString, int> parteDe_;          // by key
    QHash<qint64, QPair<int, int>> pagos_; // payment Id -> its party, rows it came in

    struct Producto {
        QString clave;
        QStringList rfcs;                     // in the order met
        QHash<QString, QStringList> lineas;   // report lines, by RFC
        bool dosVecesEnUnDocumento = false;
        // Its first document came and went with the product once: a catalogue row repeated
        // would have brought every line of it twice there, so its lines need no keeping.
        bool unaVez = false;
        int renglones = 1;
    };
    QList<Producto> productos_;
    QHash<QString, int> productoDe_;
    QSet<int> enDocumento_;
    QHash<QString, QString> presentaciones_; // as the report writes them, by catalogue text

    QList<QStringList> unidos_;
};

} // namespace engine

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QSqlQuery;

namespace host {

class Conexion;

// A record set: the rows of one query, fetched whole so that other queries can run while it is
// read. Columns are read by name without regard to case; a NULL stays distinct from "" and 0.
// Over a single table it can also add a row or save changed columns of its current row.
class Registros {
public:
    Registros() = default;

    // Runs the query; throws ErrorSql when the server refuses it. tabla names the table that
    // AddNew/Update write to (empty when the query is not over one table).
    void Abrir(Conexion &cn, const QString &consulta, const QString &tabla);
    // Runs the queries in one round trip, each exactly as if sent alone, and gives their record
    // sets in the same order; a query that fails throws ErrorSql and those after it are not run.
    // The queries must not contain ";".
    static QVector<Registros> AbrirVarias(Conexion &cn, const QStringList &consultas);
    // Forgets the rows; harmless on a record set never opened.
    void Cerrar();

    bool abierto() const { return abierto_; }
    bool Eof() const;
    void MoveNext();
    int cantidadFilas() const { return filas_.size(); }

    // Value of a column of the current row; throws when there is no current row or no such column.
    QVariant Campo(const QString &nombre) const;
    // Value of a column of any fetched row (0 is the first), for readers that keep their own place.
    QVariant CampoDeFila(int fila, const QString &nombre) const;

    // Starts a new row with every column unset.
    void AddNew();
    // Reads or sets a column of the current (or new) row.
    QVariant Collect(const QString &nombre) const { return Campo(nombre); }
    void Collect(const QString &nombre, const QVariant &valor);
    // Inserts the new row, or saves the changed columns of the current row. The current row is
    // found by all its original values; a single-precision column is compared with the exact
    // value the server holds.
    void Update();

private:
    // Takes the rows of q's current result.
    void leer(Conexion &cn, QSqlQuery &q, const QString &tabla);
    int columna(const QString &nombre) const;
    QString condicionFila(int fila) const;

    Conexion *cn_ = nullptr;
    QString tabla_;
    bool abierto_ = false;
    QStringList columnas_;
    QVector<int> tiposSql_;
    QHash<QString, int> indices_;  // by lower-case name
    QHash<QString, int> exactos_;  // by the name as the server wrote it, for the usual look-up
    QVector<QVector<QVariant>> filas_;
    // Rows this record set inserted: columns left unset hold server defaults it never read.
    QHash<int, QVector<bool>> sinLeer_;
    int actual_ = 0;

    enum class Edicion { Ninguna, Nueva, Cambios };
    Edicion edicion_ = Edicion::Ninguna;
    QVector<QVariant> pendiente_;
    QVector<bool> cambiado_;
};

} // namespace host

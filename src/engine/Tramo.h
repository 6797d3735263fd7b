#pragma once

#include "Registros.h"

#include <QString>
#include <QVariant>

namespace engine {

// Consecutive rows of a fetched record set, read like a record set of their own: the links of
// one payment, one document, the detail lines of one document. Valid while the record set it
// looks into is neither reopened nor closed.
class Tramo {
public:
    Tramo() = default; // no rows
    Tramo(const host::Registros &rs, int desde, int hasta)
        : rs_(&rs)
        , actual_(desde)
        , hasta_(hasta)
    {
    }
    // All the rows of a record set.
    explicit Tramo(const host::Registros &rs)
        : Tramo(rs, 0, rs.cantidadFilas())
    {
    }

    bool Eof() const { return rs_ == nullptr || actual_ >= hasta_; }
    void MoveNext() { ++actual_; }
    // Value of a column of the current row; throws at end of data, as a record set does.
    QVariant Campo(const QString &nombre) const
    {
        static const host::Registros vacio;
        return (rs_ ? *rs_ : vacio).CampoDeFila(Eof() ? -1 : actual_, nombre);
    }

private:
    const host::Registros *rs_ = nullptr;
    int actual_ = 0;
    int hasta_ = 0;
};

} // namespace engine

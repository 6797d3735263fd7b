#pragma once

#include "ComparacionDeReportes.h"
#include "VentanaDeTabla.h"

class QCheckBox;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace ui {

// A report beside an earlier one: the counts and the totals above, a table of RFCs and one of
// report lines, each row with before, now and difference of every figure (sortable by any
// column, figures by their value). Only what changed is shown until "Mostrar también lo que no
// cambió" is checked.
class frmComparacion : public VentanaDeTabla {
    Q_OBJECT
public:
    frmComparacion(const engine::ComparacionDeReportes &c, const QString &anterior, const QString &ahora,
                   QWidget *padre = nullptr);

    QLabel *datos() const { return datos_; }
    QCheckBox *todos() const { return todos_; }
    QTableView *rfcs() const { return rfcs_; }
    QTableView *renglones() const { return renglones_; }

private:
    QLabel *datos_;
    QCheckBox *todos_;
    QTableView *rfcs_;
    QTableView *renglones_;
};

} // namespace ui

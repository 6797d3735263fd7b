#include "frmComparacion.h"

#include "Formatos.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int RolOrden = Qt::UserRole + 1;
constexpr int RolSinCambio = Qt::UserRole + 2;

// Rows without a change are hidden unless all are asked for.
class SoloCambios : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void mostrarTodos(bool todos)
    {
        todos_ = todos;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int fila, const QModelIndex &padre) const override
    {
        return todos_ || !sourceModel()->index(fila, 0, padre).data(RolSinCambio).toBool();
    }

private:
    bool todos_ = false;
};

// One row: its texts (the last twelve are figures, sorted by their value).
QList<QStandardItem *> Fila(const QStringList &textos, const QList<double> &cifras, bool sinCambio)
{
    QList<QStandardItem *> fila;
    const qsizetype primeraCifra = textos.size() - cifras.size();
    for (int c = 0; c < textos.size(); ++c) {
        auto *celda = new QStandardItem(textos.at(c));
        celda->setEditable(false);
        const bool numero = c >= primeraCifra;
        celda->setData(numero ? QVariant(cifras.at(c - primeraCifra)) : QVariant(textos.at(c)), RolOrden);
        if (numero)
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fila << celda;
    }
    fila.first()->setData(sinCambio, RolSinCambio);
    return fila;
}

QTableView *Tabla(QWidget *padre, const char *nombre, const QString &accesible, const QStringList &encabezados,
                  const QList<QList<QStandardItem *>> &filas, SoloCambios *filtro)
{
    auto *modelo = new QStandardItemModel(0, int(encabezados.size()), padre);
    modelo->setHorizontalHeaderLabels(encabezados);
    for (const QList<QStandardItem *> &f : filas)
        modelo->appendRow(f);
    filtro->setSourceModel(modelo);
    filtro->setSortRole(RolOrden);
    auto *t = new QTableView(padre);
    t->setObjectName(QLatin1String(nombre));
    t->setAccessibleName(accesible);
    t->setModel(filtro);
    t->setSortingEnabled(true);
    t->sortByColumn(-1, Qt::AscendingOrder); // the reports' order until a heading is clicked
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->hide();
    t->resizeColumnsToContents();
    return t;
}

} // namespace

frmComparacion::frmComparacion(const engine::ComparacionDeReportes &c, const QString &anterior, const QString &ahora,
                               QWidget *padre)
    : VentanaDeTabla(padre, QStringLiteral("Comparación"))
    , datos_(new QLabel(this))
    , todos_(new QCheckBox(QStringLiteral("&Mostrar también lo que no cambió"), this))
{
    setObjectName(QStringLiteral("frmComparacion"));
    setWindowTitle(QStringLiteral("Comparación de %1 con %2").arg(QFileInfo(ahora).fileName(), QFileInfo(anterior).fileName()));
    const QList<double> totales = engine::CifrasComparadas(c.antes, c.ahora);
    QStringList lineaDeTotales;
    const QStringList cifras{QStringLiteral("cantidad"), QStringLiteral("importe"), QStringLiteral("IEPS"), QStringLiteral("IVA")};
    for (int i = 0; i < cifras.size(); ++i)
        lineaDeTotales << QStringLiteral("%1 %2 antes, %3 ahora, diferencia %4")
                              .arg(cifras.at(i), engine::FormatoImporte(totales.at(3 * i)),
                                   engine::FormatoImporte(totales.at(3 * i + 1)), engine::FormatoImporte(totales.at(3 * i + 2)));
    datos_->setObjectName(QStringLiteral("lblDatos"));
    datos_->setTextFormat(Qt::PlainText);
    datos_->setWordWrap(true);
    datos_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    datos_->setText((QStringList{QStringLiteral("Reporte: ") + QDir::toNativeSeparators(ahora),
                                 QStringLiteral("Reporte anterior: ") + QDir::toNativeSeparators(anterior)}
                     + engine::LineasDeConteo(c) + QStringList{QStringLiteral("Totales: ") + lineaDeTotales.join(QStringLiteral("; ")) + QLatin1Char('.')})
                        .join(QLatin1Char('\n')));
    todos_->setObjectName(QStringLiteral("chkTodos"));

    QList<QList<QStandardItem *>> filasDeRfc, filasDeRenglon;
    for (const engine::RfcComparado &r : c.rfcs)
        filasDeRfc << Fila(engine::TextosDeRfcComparado(r), engine::CifrasComparadas(r.antes, r.ahora),
                           r.cambio == engine::Cambio::Igual);
    for (const engine::RenglonComparado &r : c.renglones)
        filasDeRenglon << Fila(engine::TextosDeRenglonComparado(r), engine::CifrasComparadas(r.antes, r.ahora),
                               r.cambio == engine::Cambio::Igual);
    auto *filtroRfc = new SoloCambios(this);
    auto *filtroRenglon = new SoloCambios(this);
    rfcs_ = Tabla(this, "tblRfcComparados", QStringLiteral("RFC comparados"), engine::EncabezadosDeRfcsComparados(),
                  filasDeRfc, filtroRfc);
    renglones_ = Tabla(this, "tblRenglonesComparados", QStringLiteral("Renglones comparados"),
                       engine::EncabezadosDeRenglonesComparados(), filasDeRenglon, filtroRenglon);
    connect(todos_, &QCheckBox::toggled, this, [filtroRfc, filtroRenglon](bool todos) {
        filtroRfc->mostrarTodos(todos);
        filtroRenglon->mostrarTodos(todos);
    });

    auto *division = new QSplitter(Qt::Vertical, this);
    division->addWidget(rfcs_);
    division->addWidget(renglones_);
    division->setChildrenCollapsible(false);
    disposicion()->addWidget(datos_);
    disposicion()->addWidget(todos_);
    disposicion()->addWidget(division, 1);
    ponerTamanoInicial(QSize(1200, 680));
}

} // namespace ui

#include "PanelDeDetalle.h"

#include "Formatos.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

PanelDeDetalle::PanelDeDetalle(QWidget *padre)
    : QWidget(padre)
    , titulo_(new QLabel(this))
    , lineas_(new QTableWidget(0, engine::CamposDelDetalle, this))
    , cuadre_(new QLabel(this))
{
    titulo_->setObjectName(QStringLiteral("lblRastro"));
    titulo_->setTextFormat(Qt::PlainText);
    titulo_->setWordWrap(true);
    cuadre_->setObjectName(QStringLiteral("lblCuadre"));
    cuadre_->setTextFormat(Qt::PlainText);
    lineas_->setObjectName(QStringLiteral("tblRastro"));
    lineas_->setHorizontalHeaderLabels(engine::EncabezadosDelDetalle());
    lineas_->verticalHeader()->hide();
    lineas_->setAlternatingRowColors(true);
    lineas_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lineas_->setAccessibleName(QStringLiteral("Detalle de las cifras"));
    auto *disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(0, 4, 0, 0);
    disposicion->addWidget(titulo_);
    disposicion->addWidget(lineas_, 1);
    disposicion->addWidget(cuadre_);
    Cargar(QString(), engine::ResumenDeReporte());
}

void PanelDeDetalle::Cargar(const QString &rutaReporte, const engine::ResumenDeReporte &reporte)
{
    reporte_ = reporte;
    aviso_.clear();
    detalle_ = engine::DetalleDelReporte();
    if (rutaReporte.isEmpty())
        aviso_ = QStringLiteral("Ningún reporte abierto.");
    else if (engine::CargarDetalle(rutaReporte, reporte_, detalle_, &aviso_) == engine::EstadoDelDetalle::NoHay)
        aviso_ = QStringLiteral("El reporte no tiene su detalle al lado: no se puede ver de qué pagos salen sus cifras.");
    mostrar({});
    titulo_->setText(aviso_.isEmpty() ? QStringLiteral("Elija un renglón del reporte para ver de qué pagos sale.") : aviso_);
}

void PanelDeDetalle::MostrarRenglon(int renglon)
{
    if (!aviso_.isEmpty() || renglon < 0 || renglon >= reporte_.renglones.size())
        return;
    const QStringList &r = reporte_.renglones.at(renglon);
    const QList<int> lineas = engine::LineasDelRenglon(detalle_, r);
    mostrar(lineas);
    titulo_->setText(QStringLiteral("Detalle del renglón de %1, campo 5 %2, clave genérica %3, presentación %4 (%5)")
                         .arg(r.at(engine::CampoRfc), r.at(engine::CampoLinea), r.at(engine::CampoClaveGenerica),
                              r.at(engine::CampoPresentacion),
                              lineas.size() == 1 ? QStringLiteral("1 línea") : QStringLiteral("%1 líneas").arg(lineas.size())));
    cuadre_->setText(engine::CuadreDelRenglon(detalle_, lineas, r));
}

void PanelDeDetalle::MostrarRfc(const QString &rfc)
{
    if (!aviso_.isEmpty())
        return;
    const QList<int> lineas = engine::LineasDelRfc(detalle_, rfc);
    mostrar(lineas);
    titulo_->setText(QStringLiteral("Pagos de %1 (%2)")
                         .arg(rfc, lineas.size() == 1 ? QStringLiteral("1 línea") : QStringLiteral("%1 líneas").arg(lineas.size())));
}

void PanelDeDetalle::mostrar(const QList<int> &lineas)
{
    cuadre_->clear();
    lineas_->setRowCount(int(lineas.size()));
    for (int f = 0; f < lineas.size(); ++f) {
        const QStringList &campos = detalle_.lineas.at(lineas.at(f));
        for (int c = 0; c < engine::CamposDelDetalle; ++c) {
            const bool cifra = engine::CampoDelDetalleEsNumero(c);
            auto *celda = new QTableWidgetItem(cifra ? engine::NumeroConSeparadores(campos.at(c)) : campos.at(c));
            celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (cifra)
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            lineas_->setItem(f, c, celda);
        }
    }
    lineas_->resizeColumnsToContents();
}

} // namespace ui

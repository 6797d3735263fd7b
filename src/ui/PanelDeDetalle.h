#pragma once

#include "DetalleDelReporte.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace ui {

// Under "Ver reporte", where a figure comes from: the lines of the detail beside the report that
// make up the report line chosen, with their tie-out ("Suma del detalle: igual al reporte"), or
// the payments of the RFC chosen. A report without a detail, or with one that does not match it,
// says so here and shows no lines.
class PanelDeDetalle : public QWidget {
    Q_OBJECT
public:
    explicit PanelDeDetalle(QWidget *padre = nullptr);

    // The detail beside the report at rutaReporte, checked against what was read of it.
    void Cargar(const QString &rutaReporte, const engine::ResumenDeReporte &reporte);
    // The lines behind the report line (position in the report's lines; -1: none).
    void MostrarRenglon(int renglon);
    // The lines of an RFC's payments.
    void MostrarRfc(const QString &rfc);

    // The detail, when it matches its report (nullptr otherwise).
    const engine::DetalleDelReporte *detalle() const { return aviso_.isEmpty() ? &detalle_ : nullptr; }
    QLabel *titulo() const { return titulo_; }
    QTableWidget *lineas() const { return lineas_; }
    QLabel *cuadre() const { return cuadre_; }

private:
    void mostrar(const QList<int> &lineas);

    engine::ResumenDeReporte reporte_;
    engine::DetalleDelReporte detalle_;
    QString aviso_; // why no lines can be shown; empty when the detail matches its report
    QLabel *titulo_;
    QTableWidget *lineas_;
    QLabel *cuadre_;
};

} // namespace ui

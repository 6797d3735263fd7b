#pragma once

#include "ComparacionDeReportes.h"
#include "DatosDeCorrida.h"
#include "ResumenDeReporte.h"
#include "VentanaDeTabla.h"

#include <QDateTime>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace ui {

class PanelDeDetalle;
using engine::DatosDeCorrida;

// The report as it was filed, read back from its file: one row per RFC in the report's order with
// its sums (sortable by any column, filtered by RFC, name or state in the box above it), the totals
// row under it (of the rows shown), and the lines of the current RFC with a heading for each field.
// Ctrl+C copies the selected rows of either table, with their headings, as tab-separated text.
// From here the report goes to an Excel workbook or a PDF of the summary, an earlier report can be
// opened, and the report can be compared with an earlier one.
class frmVerReporte : public VentanaDeTabla {
    Q_OBJECT
public:
    explicit frmVerReporte(QWidget *padre = nullptr);

    // Reads the report at ruta (hallazgos: the review of the run that wrote it, if known). False
    // with the reason in *error when the file is not a report; the window then keeps what it had.
    bool Cargar(const QString &ruta, const QList<engine::Hallazgo> &hallazgos, const DatosDeCorrida &datos,
                QString *error);
    // A report written by an earlier run, with the review beside it ("Revision" + its name) when
    // there is one; the run's time is the file's.
    bool AbrirArchivo(const QString &ruta, QString *error);
    // Compares the report shown with an earlier one at ruta and shows the comparison in a window
    // of its own (comparacion()), which a workbook exported afterwards carries too. False with the
    // reason in *error for a file that is not a report or one of the other side.
    bool CompararCon(const QString &ruta, QString *error);
    QWidget *comparacion() const { return ventanaComparacion_; }
    // Selects the RFC (as the report writes it, any case), clearing a filter that hides it.
    bool MostrarRfc(const QString &rfc);

    // The workbook and the PDF of what is shown; once written, a line under the tables says where,
    // with buttons that open the file and its folder.
    bool ExportarExcel(const QString &ruta, QString *error);
    bool GuardarPdf(const QString &ruta, QString *error);

    const engine::ResumenDeReporte &resumen() const { return resumen_; }
    const QString &ruta() const { return ruta_; }
    QTableView *tabla() const { return tabla_; }
    QSortFilterProxyModel *filas() const { return filtrado_; }
    QTableWidget *totales() const { return totales_; }
    QTableWidget *detalle() const { return detalle_; }
    QLineEdit *filtro() const { return filtro_; }
    QLabel *datos() const { return datos_; }
    QLabel *tituloDetalle() const { return tituloDetalle_; }
    QLabel *guardado() const { return guardado_; }
    PanelDeDetalle *rastro() const { return rastro_; }

    // Columns of the table of RFCs.
    enum Columna { ColOrden, ColRfc, ColNombre, ColEstado, ColRenglones, ColCantidad, ColImporte, ColIeps, ColIva,
                   ColHallazgos, Columnas };

public Q_SLOTS:
    void Abrir();
    void Exportar();
    void Pdf();
    void Comparar();

protected:
    bool eventFilter(QObject *objeto, QEvent *e) override;

private:
    void llenar();
    void mostrarDetalle();
    void mostrarRastro(int fila); // fila: of the current RFC's lines
    void llenarTotales();
    void igualarAnchos();
    void anunciar(const QString &texto, const QString &ruta, const QString &que);
    void abrirGuardado();
    void avisar(const QString &texto);
    QString nombreSugerido(const QString &extension) const;

    engine::ResumenDeReporte resumen_;
    QList<engine::Hallazgo> hallazgos_;
    DatosDeCorrida corrida_;
    QString ruta_;

    QLabel *datos_;
    QLineEdit *filtro_;
    QStandardItemModel *modelo_;
    QSortFilterProxyModel *filtrado_;
    QTableView *tabla_;
    QTableWidget *totales_;
    QLabel *tituloDetalle_;
    QTableWidget *detalle_;
    PanelDeDetalle *rastro_; // the detail beside the report
    QWidget *lineaGuardado_;
    QLabel *guardado_;
    engine::ComparacionDeReportes comparacion_;
    QString anterior_;  // the report compared with; empty: none since this one was loaded
    QPointer<QWidget> ventanaComparacion_;
    QString rutaGuardada_, queGuardado_; // the last file exported, and what it is ("el PDF")
};

} // namespace ui

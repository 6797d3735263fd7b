#pragma once

#include "Revision.h"
#include "VentanaDeTabla.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ui {

// The review of the last run, in the program's look: the count of each kind of finding in a small
// table at the top, then one row per finding (RFC, name, problem, whether the RFC is among the
// fifty of the report). The findings that change the filing come first and stand out, then the
// rest, each group by kind and then by RFC; the problem's whole text wraps in its column. Any
// column sorts; a button copies the table as text (tabs between columns) for a spreadsheet or a
// mail; a double click on a finding asks for its RFC in the report view. Below the summary, the
// 69-B list the next runs check, and the buttons that choose it or download it.
class frmRevision : public VentanaDeTabla {
    Q_OBJECT

public:
    frmRevision(const QList<engine::Hallazgo> &hallazgos, const QString &rutaArchivo, QWidget *padre = nullptr);

    QTableWidget *tabla() const { return tabla_; }
    QTableWidget *conteo() const { return conteo_; }
    QLabel *resumen() const { return resumen_; }
    // The table as it is shown (sorted as the user left it), a header line first.
    QString ComoTexto() const;

    // The order in which the window first lists the findings: in the report first, then by kind
    // (in the order the review met the kinds), then by RFC.
    static QList<engine::Hallazgo> EnOrden(const QList<engine::Hallazgo> &hallazgos);

    QLabel *lista69B() const { return lista69B_; }

public Q_SLOTS:
    void Copiar();
    // The 69-B list the next runs check (remembered as "Lista 69-B" in the configuration file):
    // a file the user chose, read first so that a file that is not the list is said at once.
    void ElegirLista69B(const QString &ruta);
    // Fetches the list from the configured address into the user's folder, then chooses it.
    void DescargarLista69B();

Q_SIGNALS:
    // A finding about an RFC was double-clicked.
    void rfcElegido(const QString &rfc);

private:
    QTableWidget *tabla_;
    QTableWidget *conteo_;
    QLabel *resumen_;
    QLabel *lista69B_;
    QPushButton *descargar_;
    QProgressBar *avance_;
};

} // namespace ui

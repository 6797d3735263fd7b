#pragma once

#include "Revision.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// The review of the last run: one row per finding (RFC, name, problem, whether the RFC is among
// the fifty of the report), sortable by any column, with the count per problem and a button that
// copies the table as text (tabs between columns) for a spreadsheet or a mail.
class frmRevision : public QDialog {
    Q_OBJECT

public:
    frmRevision(const QList<engine::Hallazgo> &hallazgos, const QString &rutaArchivo, QWidget *padre = nullptr);

    QTableWidget *tabla() const { return tabla_; }
    QLabel *resumen() const { return resumen_; }
    // The table as it is shown (sorted as the user left it), a header line first.
    QString ComoTexto() const;

public Q_SLOTS:
    void Copiar();

private:
    QTableWidget *tabla_;
    QLabel *resumen_;
};

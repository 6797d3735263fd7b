#include "frmInicial.h"

#include "Hoy.h"
#include "LibKVRS.h"
#include "Trimestres.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace ui {

void frmInicial::construirTrimestres(QGridLayout *rejilla, int fila, int columna)
{
    cmdTrimestre = new QPushButton(QStringLiteral("Tri&mestre…"), contenido_);
    cmdTrimestre->setObjectName(QStringLiteral("cmdTrimestre"));
    // Taken with the mouse or Alt+M; Enter and Tab go from the dates to the key as they always did.
    cmdTrimestre->setFocusPolicy(Qt::NoFocus);
    cmdTrimestre->setAccessibleName(QStringLiteral("Trimestre"));
    cmdTrimestre->setAccessibleDescription(QStringLiteral("Pone en las fechas uno de los últimos ocho trimestres"));
    mnTrimestres = new QMenu(cmdTrimestre);
    mnTrimestres->setObjectName(QStringLiteral("mnTrimestres"));
    rejilla->addWidget(cmdTrimestre, fila, columna);
    connect(cmdTrimestre, &QPushButton::clicked, this, [this] {
        // Made as it opens: a window left open from one quarter to the next offers the new one.
        mnTrimestres->clear();
        for (const config::Trimestre &t : config::UltimosTrimestres(config::Hoy()))
            connect(mnTrimestres->addAction(t.nombre()), &QAction::triggered, this, [this, t] { elegirTrimestre(t); });
        mnTrimestres->popup(cmdTrimestre->mapToGlobal(QPoint(0, cmdTrimestre->height())));
    });
}

void frmInicial::elegirTrimestre(const config::Trimestre &t)
{
    mskFecha[0]->setText(t.primerDia().toString(host::LibKVRS::FormatoFecha()));
    mskFecha[1]->setText(t.ultimoDia().toString(host::LibKVRS::FormatoFecha()));
    lblAvisoFecha->hide();
    entradaCambiada();
}

} // namespace ui

#include "frmRevision.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QStringList Columnas{QStringLiteral("RFC"), QStringLiteral("Nombre"), QStringLiteral("Problema"),
                           QStringLiteral("En el reporte")};
} // namespace

frmRevision::frmRevision(const QList<engine::Hallazgo> &hallazgos, const QString &rutaArchivo, QWidget *padre)
    : QDialog(padre)
    , tabla_(new QTableWidget(int(hallazgos.size()), int(Columnas.size()), this))
    , resumen_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Revisión del reporte"));
    setAttribute(Qt::WA_DeleteOnClose);

    QStringList tipos;
    QHash<QString, int> cuantos;
    for (int i = 0; i < hallazgos.size(); ++i) {
        const engine::Hallazgo &h = hallazgos.at(i);
        if (!cuantos.contains(h.tipo))
            tipos << h.tipo;
        ++cuantos[h.tipo];
        QString problema = h.problema;
        if (!h.detalle.isEmpty())
            problema += QStringLiteral(": ") + h.detalle;
        const QString nombre = h.claves.isEmpty() ? h.nombre
                                                  : h.claves.join(QStringLiteral(", ")) + QStringLiteral(" - ") + h.nombre;
        const QStringList celdas{h.rfc, nombre, problema, h.enReporte ? QStringLiteral("sí") : QStringLiteral("no")};
        for (int c = 0; c < celdas.size(); ++c) {
            auto *celda = new QTableWidgetItem(celdas.at(c));
            celda->setFlags(celda->flags() & ~Qt::ItemIsEditable);
            tabla_->setItem(i, c, celda);
        }
    }
    tabla_->setHorizontalHeaderLabels(Columnas);
    tabla_->setSortingEnabled(true);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->horizontalHeader()->setStretchLastSection(false);
    tabla_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    tabla_->resizeColumnsToContents();

    QStringList lineas;
    for (const QString &t : tipos)
        lineas << QStringLiteral("%1  %2").arg(cuantos[t]).arg(t);
    resumen_->setText(QStringLiteral("%1 hallazgos; el archivo %2 los guarda.\n")
                          .arg(hallazgos.size())
                          .arg(QDir::toNativeSeparators(rutaArchivo))
                      + lineas.join(QLatin1Char('\n')));
    resumen_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copiar = botones->addButton(QStringLiteral("Copiar"), QDialogButtonBox::ActionRole);
    connect(copiar, &QPushButton::clicked, this, &frmRevision::Copiar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::close);
    botones->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));

    auto *disposicion = new QVBoxLayout(this);
    disposicion->addWidget(resumen_);
    disposicion->addWidget(tabla_);
    disposicion->addWidget(botones);
    resize(900, 480);
}

QString frmRevision::ComoTexto() const
{
    QStringList lineas{Columnas.join(QLatin1Char('\t'))};
    for (int f = 0; f < tabla_->rowCount(); ++f) {
        QStringList celdas;
        for (int c = 0; c < tabla_->columnCount(); ++c)
            celdas << tabla_->item(f, c)->text();
        lineas << celdas.join(QLatin1Char('\t'));
    }
    return lineas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void frmRevision::Copiar()
{
    QApplication::clipboard()->setText(ComoTexto());
}

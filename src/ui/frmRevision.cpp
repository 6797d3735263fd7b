#include "frmRevision.h"

#include "CarpetasDelPrograma.h"
#include "Configuracion.h"
#include "DescargaDeLista.h"
#include "Lista69B.h"
#include "Programa.h"
#include "ArchivoIni.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {
const QStringList Columnas{QStringLiteral("RFC"), QStringLiteral("Nombre"), QStringLiteral("Problema"),
                           QStringLiteral("En el reporte")};
enum { ColRfc, ColNombre, ColProblema, ColEnReporte };

// Findings that change the filing: a pale amber row.
const QColor FondoEnReporte(0xfd, 0xf1, 0xd6);

// Sorted as a person reads: "aaa" next to "AAA", not after "ZZZ"; counts by their value.
class CeldaOrdenable : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem &otra) const override
    {
        bool n1 = false, n2 = false;
        const int a = text().toInt(&n1), b = otra.text().toInt(&n2);
        if (n1 && n2)
            return a < b;
        return QString::localeAwareCompare(text().toCaseFolded(), otra.text().toCaseFolded()) < 0;
    }
};

QTableWidgetItem *Celda(const QString &texto)
{
    auto *celda = new CeldaOrdenable(texto);
    celda->setFlags(celda->flags() & ~Qt::ItemIsEditable);
    return celda;
}

void SinEncabezadoDeFilas(QTableWidget *t)
{
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setAlternatingRowColors(true);
}
} // namespace

QList<engine::Hallazgo> frmRevision::EnOrden(const QList<engine::Hallazgo> &hallazgos)
{
    QHash<QString, int> lugar;
    for (const engine::Hallazgo &h : hallazgos) {
        if (!lugar.contains(h.tipo))
            lugar.insert(h.tipo, int(lugar.size()));
    }
    QList<engine::Hallazgo> r = hallazgos;
    std::stable_sort(r.begin(), r.end(), [&lugar](const engine::Hallazgo &a, const engine::Hallazgo &b) {
        if (a.enReporte != b.enReporte)
            return a.enReporte;
        if (a.tipo != b.tipo)
            return lugar.value(a.tipo) < lugar.value(b.tipo);
        return a.rfc.compare(b.rfc, Qt::CaseInsensitive) < 0;
    });
    return r;
}

frmRevision::frmRevision(const QList<engine::Hallazgo> &hallazgos, const QString &rutaArchivo, QWidget *padre)
    : VentanaDeTabla(padre, QStringLiteral("Revisión del reporte"))
    , tabla_(new QTableWidget(int(hallazgos.size()), int(Columnas.size()), this))
    , conteo_(new QTableWidget(0, 3, this))
    , resumen_(new QLabel(this))
    , lista69B_(new QLabel(this))
    , descargar_(new QPushButton(QStringLiteral("&Descargar"), this))
    , avance_(new QProgressBar(this))
{
    setObjectName(QStringLiteral("frmRevision"));
    const QList<engine::Hallazgo> enOrden = EnOrden(hallazgos);
    for (int i = 0; i < enOrden.size(); ++i) {
        const engine::Hallazgo &h = enOrden.at(i);
        QString problema = h.problema;
        if (!h.detalle.isEmpty())
            problema += QStringLiteral(": ") + h.detalle;
        const QString nombre = h.claves.isEmpty() ? h.nombre
                                                  : h.claves.join(QStringLiteral(", ")) + QStringLiteral(" - ") + h.nombre;
        const QStringList celdas{h.rfc, nombre, problema, h.enReporte ? QStringLiteral("sí") : QStringLiteral("no")};
        for (int c = 0; c < celdas.size(); ++c) {
            QTableWidgetItem *celda = Celda(celdas.at(c));
            if (h.enReporte) {
                celda->setBackground(FondoEnReporte);
                if (c == ColEnReporte) {
                    QFont f = celda->font();
                    f.setBold(true);
                    celda->setFont(f);
                }
            }
            tabla_->setItem(i, c, celda);
        }
    }
    tabla_->setObjectName(QStringLiteral("tblHallazgos"));
    tabla_->setHorizontalHeaderLabels(Columnas);
    SinEncabezadoDeFilas(tabla_);
    tabla_->setAlternatingRowColors(false); // the rows that matter have their own colour
    tabla_->setWordWrap(true);
    tabla_->setTextElideMode(Qt::ElideNone);
    // Every row as tall as its texts at the columns' current widths, whatever changes them (the
    // window's size, a scroll bar that comes or goes, a sort).
    tabla_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabla_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Sorting starts with no column chosen: the order above stays until the user clicks a heading.
    tabla_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tabla_->setSortingEnabled(true);
    tabla_->resizeColumnsToContents();
    tabla_->setColumnWidth(ColNombre, std::min(tabla_->columnWidth(ColNombre), 240));
    tabla_->horizontalHeader()->setSectionResizeMode(ColProblema, QHeaderView::Stretch);
    tabla_->setAccessibleName(QStringLiteral("Hallazgos"));
    connect(tabla_, &QTableWidget::cellDoubleClicked, this, [this](int fila, int) {
        const QString rfc = tabla_->item(fila, ColRfc)->text();
        if (tabla_->item(fila, ColEnReporte)->text() == QStringLiteral("sí"))
            Q_EMIT rfcElegido(rfc);
    });

    conteo_->setObjectName(QStringLiteral("tblConteo"));
    conteo_->setHorizontalHeaderLabels({QStringLiteral("Hallazgos"), QStringLiteral("En el reporte"), QStringLiteral("Tipo")});
    SinEncabezadoDeFilas(conteo_);
    const QList<engine::HallazgosDeUnTipo> tipos = engine::ContarPorTipo(enOrden);
    conteo_->setRowCount(int(tipos.size()));
    for (int i = 0; i < tipos.size(); ++i) {
        const engine::HallazgosDeUnTipo &n = tipos.at(i);
        QTableWidgetItem *todos = Celda(QString::number(n.todos));
        QTableWidgetItem *enReporte = Celda(QString::number(n.enReporte));
        todos->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        enReporte->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (n.enReporte > 0)
            enReporte->setBackground(FondoEnReporte);
        conteo_->setItem(i, 0, todos);
        conteo_->setItem(i, 1, enReporte);
        conteo_->setItem(i, 2, Celda(n.tipo));
    }
    conteo_->resizeColumnsToContents();
    conteo_->horizontalHeader()->setStretchLastSection(true);
    conteo_->setAccessibleName(QStringLiteral("Hallazgos por tipo"));
    conteo_->setFocusPolicy(Qt::NoFocus);
    const int filasVisibles = std::min(int(tipos.size()), 4); // more kinds scroll: the findings keep the room
    conteo_->setFixedHeight(conteo_->horizontalHeader()->sizeHint().height()
                            + conteo_->verticalHeader()->defaultSectionSize() * std::max(filasVisibles, 1)
                            + 2 * conteo_->frameWidth());

    const int enElReporte = int(std::count_if(hallazgos.cbegin(), hallazgos.cend(),
                                              [](const engine::Hallazgo &h) { return h.enReporte; }));
    resumen_->setObjectName(QStringLiteral("lblDatos"));
    // Reached also after a run without findings: to choose the 69-B list for the next runs.
    resumen_->setText(hallazgos.isEmpty()
                          ? QStringLiteral("Sin hallazgos; el archivo %1 lo dice.").arg(QDir::toNativeSeparators(rutaArchivo))
                          : QStringLiteral("%1 hallazgos; el archivo %2 los guarda.\n%3 sobre RFC del reporte: van primero y "
                                           "resaltados (doble clic: el RFC en el reporte).")
                                .arg(hallazgos.size())
                                .arg(QDir::toNativeSeparators(rutaArchivo))
                                .arg(enElReporte));
    resumen_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resumen_->setWordWrap(true);

    auto *botones = new QHBoxLayout;
    auto *copiar = new QPushButton(QStringLiteral("&Copiar"), this);
    copiar->setObjectName(QStringLiteral("cmdCopiar"));
    copiar->setAutoDefault(false);
    connect(copiar, &QPushButton::clicked, this, &frmRevision::Copiar);
    auto *cerrar = new QPushButton(QStringLiteral("Ce&rrar"), this);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar->setAutoDefault(false);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    botones->addWidget(copiar);
    botones->addStretch();
    botones->addWidget(cerrar);

    auto *lista = new QHBoxLayout;
    lista69B_->setObjectName(QStringLiteral("lblLista69B"));
    lista69B_->setWordWrap(true);
    lista69B_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString elegida = host::ini::Lee(Programa().archivoConfig, config::SeccionConfiguracion(), config::ClaveLista69B());
    lista69B_->setText(elegida.isEmpty() ? QStringLiteral("Lista 69-B del SAT: ninguna; la revisión no busca en ella los RFC.")
                                         : QStringLiteral("Lista 69-B del SAT: %1.").arg(QDir::toNativeSeparators(elegida)));
    auto *elegir = new QPushButton(QStringLiteral("&Lista 69-B…"), this);
    elegir->setObjectName(QStringLiteral("cmdLista69B"));
    elegir->setAutoDefault(false);
    connect(elegir, &QPushButton::clicked, this, [this, elegida] {
        const QString ruta = QFileDialog::getOpenFileName(this, QStringLiteral("Lista 69-B del SAT"), QFileInfo(elegida).path(),
                                                          QStringLiteral("Listas CSV (*.csv);;Todos los archivos (*)"));
        if (!ruta.isEmpty())
            ElegirLista69B(ruta);
    });
    descargar_->setObjectName(QStringLiteral("cmdDescargar"));
    descargar_->setAutoDefault(false);
    connect(descargar_, &QPushButton::clicked, this, &frmRevision::DescargarLista69B);
    avance_->setObjectName(QStringLiteral("barDescarga"));
    avance_->hide();
    lista->addWidget(lista69B_, 1);
    lista->addWidget(avance_);
    lista->addWidget(elegir);
    lista->addWidget(descargar_);

    disposicion()->addWidget(resumen_);
    disposicion()->addLayout(lista);
    disposicion()->addWidget(conteo_);
    disposicion()->addWidget(tabla_, 1);
    disposicion()->addLayout(botones);
    ponerTamanoInicial(QSize(960, 600));
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

void frmRevision::ElegirLista69B(const QString &ruta)
{
    engine::Lista69B lista;
    QString motivo;
    if (!engine::LeerLista69BDeArchivo(ruta, lista, &motivo)
        || !host::ini::Escribe(Programa().archivoConfig, config::SeccionConfiguracion(), config::ClaveLista69B(), ruta, &motivo)) {
        lista69B_->setText(motivo);
        return;
    }
    lista69B_->setText(QStringLiteral("Lista 69-B del SAT al %1: %2. La próxima corrida busca en ella los RFC de sus pagos.")
                           .arg(lista.fecha.isValid() ? lista.fecha.toString(QStringLiteral("dd/MM/yyyy")) : QStringLiteral("(sin fecha)"),
                                QDir::toNativeSeparators(ruta)));
}

void frmRevision::DescargarLista69B()
{
    QString direccion = host::ini::Lee(Programa().archivoConfig, config::SeccionConfiguracion(), config::ClaveDireccionLista69B());
    if (direccion.trimmed().isEmpty())
        direccion = config::DireccionLista69BPorDefecto();
    const QString destino = QDir(config::CarpetasDeEstePrograma().salida).filePath(QStringLiteral("Listado_Completo_69-B.csv"));
    auto *descarga = new DescargaDeLista(QUrl(direccion.trimmed()), destino, 300, this);
    descargar_->setEnabled(false);
    avance_->setRange(0, 0);
    avance_->show();
    lista69B_->setText(QStringLiteral("Descargando la lista 69-B desde %1…").arg(direccion.trimmed()));
    connect(descarga, &DescargaDeLista::avance, this, [this](qint64 recibidos, qint64 total) {
        if (total > 0) {
            avance_->setRange(0, 1000);
            avance_->setValue(int(recibidos * 1000 / total));
        }
    });
    connect(descarga, &DescargaDeLista::terminada, this, [this, descarga, destino](const QString &motivo) {
        descarga->deleteLater();
        avance_->hide();
        descargar_->setEnabled(true);
        if (motivo.isEmpty())
            ElegirLista69B(destino);
        else
            lista69B_->setText(motivo);
    });
    descarga->Iniciar();
}

void frmRevision::Copiar()
{
    QApplication::clipboard()->setText(ComoTexto());
}

} // namespace ui

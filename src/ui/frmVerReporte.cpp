#include "frmVerReporte.h"

#include "AbrirArchivos.h"
#include "ArchivosDeLaCorrida.h"
#include "Programa.h"
#include "Dialogos.h"
#include "frmComparacion.h"
#include "Formatos.h"
#include "LibKVRS.h"
#include "LibroExcel.h"
#include "PanelDeDetalle.h"
#include "PdfDelResumen.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

// The role that sorts: figures by their value, texts by their text.
constexpr int RolOrden = Qt::UserRole + 1;

QStandardItem *Celda(const QString &texto, const QVariant &orden, bool numero)
{
    auto *c = new QStandardItem(texto);
    c->setEditable(false);
    c->setData(orden, RolOrden);
    if (numero)
        c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

QTableWidgetItem *CeldaFija(const QString &texto, bool numero)
{
    auto *c = new QTableWidgetItem(texto);
    c->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (numero)
        c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return c;
}

// The filter's text is looked for in the RFC, the name and the state: a figure that happens to
// hold the same digits is not what a person searching means.
class FiltroDeTextos : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int fila, const QModelIndex &padre) const override
    {
        for (const int c : {frmVerReporte::ColRfc, frmVerReporte::ColNombre, frmVerReporte::ColEstado}) {
            if (sourceModel()->index(fila, c, padre).data().toString().contains(filterRegularExpression()))
                return true;
        }
        return false;
    }
};

// The selected rows of a table in the order shown, as tab-separated text under a line of its
// headings, for a spreadsheet or a message.
QString TextoDeFilas(const QAbstractItemView *tabla)
{
    const QAbstractItemModel *m = tabla->model();
    QModelIndexList filas = tabla->selectionModel()->selectedRows();
    std::sort(filas.begin(), filas.end());
    QStringList celdas;
    for (int c = 0; c < m->columnCount(); ++c)
        celdas << m->headerData(c, Qt::Horizontal).toString();
    QString texto = celdas.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QModelIndex &f : filas) {
        celdas.clear();
        for (int c = 0; c < m->columnCount(); ++c)
            celdas << m->index(f.row(), c).data().toString();
        texto += celdas.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return texto;
}

} // namespace

frmVerReporte::frmVerReporte(QWidget *padre)
    : VentanaDeTabla(padre, QStringLiteral("Reporte"))
    , datos_(new QLabel(this))
    , filtro_(new QLineEdit(this))
    , modelo_(new QStandardItemModel(0, Columnas, this))
    , filtrado_(new FiltroDeTextos(this))
    , tabla_(new QTableView(this))
    , totales_(new QTableWidget(1, Columnas, this))
    , tituloDetalle_(new QLabel(this))
    , detalle_(new QTableWidget(0, engine::CamposQueSeMuestran, this))
    , rastro_(new PanelDeDetalle(this))
    , lineaGuardado_(new QWidget(this))
    , guardado_(new QLabel(lineaGuardado_))
{
    setObjectName(QStringLiteral("frmVerReporte"));
    datos_->setObjectName(QStringLiteral("lblDatos"));
    datos_->setTextFormat(Qt::PlainText);
    datos_->setWordWrap(true);
    datos_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    filtro_->setObjectName(QStringLiteral("txtFiltro"));
    filtro_->setPlaceholderText(QStringLiteral("Filtrar por RFC, nombre o estado"));
    filtro_->setClearButtonEnabled(true);
    filtro_->setAccessibleName(QStringLiteral("Filtro"));
    auto *etiquetaFiltro = new QLabel(QStringLiteral("&Buscar:"), this);
    etiquetaFiltro->setBuddy(filtro_);

    modelo_->setHorizontalHeaderLabels(QStringList{QStringLiteral("Nº")} + engine::EncabezadosDeRfc());
    filtrado_->setSourceModel(modelo_);
    filtrado_->setSortRole(RolOrden);
    filtrado_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    tabla_->setObjectName(QStringLiteral("tblRfc"));
    tabla_->setModel(filtrado_);
    tabla_->setSortingEnabled(true);
    tabla_->sortByColumn(ColOrden, Qt::AscendingOrder);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabla_->setAlternatingRowColors(true);
    tabla_->verticalHeader()->hide();
    tabla_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabla_->setAccessibleName(QStringLiteral("RFC del reporte"));
    tabla_->horizontalHeader()->setSectionResizeMode(ColNombre, QHeaderView::Stretch);

    totales_->setObjectName(QStringLiteral("tblTotales"));
    totales_->horizontalHeader()->hide();
    totales_->verticalHeader()->hide();
    totales_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totales_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totales_->setFocusPolicy(Qt::NoFocus);
    totales_->setSelectionMode(QAbstractItemView::NoSelection);
    totales_->setAccessibleName(QStringLiteral("Totales del reporte"));
    QFont negrita = totales_->font();
    negrita.setBold(true);
    totales_->setFont(negrita);
    totales_->setFixedHeight(totales_->verticalHeader()->defaultSectionSize() + 2 * totales_->frameWidth());
    connect(tabla_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { igualarAnchos(); });
    // The name's column takes what the window gives it, without a signal of its own.
    tabla_->viewport()->installEventFilter(this);

    tituloDetalle_->setObjectName(QStringLiteral("lblDetalle"));
    tituloDetalle_->setTextFormat(Qt::PlainText);
    detalle_->setObjectName(QStringLiteral("tblRenglones"));
    detalle_->setHorizontalHeaderLabels(engine::EncabezadosDeCampos());
    detalle_->verticalHeader()->hide();
    detalle_->setAlternatingRowColors(true);
    detalle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    detalle_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    detalle_->setAccessibleName(QStringLiteral("Renglones del RFC"));
    // Ctrl+C copies whole rows, not the one cell a table copies by itself.
    tabla_->installEventFilter(this);
    detalle_->installEventFilter(this);
    connect(tabla_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { mostrarDetalle(); });
    connect(filtro_, &QLineEdit::textChanged, this, [this](const QString &t) {
        filtrado_->setFilterFixedString(t.trimmed());
        llenarTotales();
        mostrarDetalle();
    });

    auto *arriba = new QWidget(this);
    auto *disArriba = new QVBoxLayout(arriba);
    disArriba->setContentsMargins(0, 0, 0, 0);
    disArriba->setSpacing(0);
    disArriba->addWidget(tabla_);
    disArriba->addWidget(totales_);
    auto *abajo = new QWidget(this);
    auto *disAbajo = new QVBoxLayout(abajo);
    disAbajo->setContentsMargins(0, 4, 0, 0);
    disAbajo->addWidget(tituloDetalle_);
    disAbajo->addWidget(detalle_);
    auto *division = new QSplitter(Qt::Vertical, this);
    division->addWidget(arriba);
    division->addWidget(abajo);
    division->addWidget(rastro_);
    connect(detalle_, &QTableWidget::currentCellChanged, this, [this](int fila) { mostrarRastro(fila); });
    division->setStretchFactor(0, 3);
    division->setStretchFactor(1, 2);
    division->setChildrenCollapsible(false);

    auto *buscar = new QHBoxLayout;
    buscar->addWidget(etiquetaFiltro);
    buscar->addWidget(filtro_, 1);

    auto *botones = new QHBoxLayout;
    // A button of the row fila (the buttons' own, unless given).
    const auto boton = [this, botones](const char *nombre, const QString &texto, const QString &descripcion,
                                       QHBoxLayout *fila = nullptr) {
        auto *b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nombre));
        b->setAutoDefault(false);
        b->setAccessibleDescription(descripcion);
        (fila ? fila : botones)->addWidget(b);
        return b;
    };
    connect(boton("cmdAbrir", QStringLiteral("&Abrir…"), QStringLiteral("Muestra un reporte escrito antes")),
            &QPushButton::clicked, this, &frmVerReporte::Abrir);
    connect(boton("cmdExcel", QStringLiteral("Exportar a &Excel…"),
                  QStringLiteral("Guarda el reporte, su resumen y la revisión en un libro de Excel")),
            &QPushButton::clicked, this, &frmVerReporte::Exportar);
    connect(boton("cmdPdf", QStringLiteral("Guardar &PDF…"), QStringLiteral("Guarda el resumen en un PDF")),
            &QPushButton::clicked, this, &frmVerReporte::Pdf);
    connect(boton("cmdComparar", QStringLiteral("C&omparar con…"),
                  QStringLiteral("Compara este reporte con uno anterior del mismo lado")),
            &QPushButton::clicked, this, &frmVerReporte::Comparar);
    botones->addStretch();
    connect(boton("cmdCerrar", QStringLiteral("Cerrar"), QStringLiteral("Cierra esta ventana")), &QPushButton::clicked,
            this, &QDialog::close);

    // Where the last export went, with buttons that open it and its folder.
    guardado_->setObjectName(QStringLiteral("lblGuardado"));
    guardado_->setTextFormat(Qt::PlainText);
    guardado_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *disGuardado = new QHBoxLayout(lineaGuardado_);
    disGuardado->setContentsMargins(0, 0, 0, 0);
    disGuardado->addWidget(guardado_, 1);
    connect(boton("cmdAbrirGuardado", QStringLiteral("Ab&rir"), QStringLiteral("Abre el archivo que se acaba de guardar"),
                  disGuardado),
            &QPushButton::clicked, this, &frmVerReporte::abrirGuardado);
    connect(boton("cmdCarpetaGuardado", QStringLiteral("Abrir &carpeta"),
                  QStringLiteral("Abre la carpeta del archivo que se acaba de guardar"), disGuardado),
            &QPushButton::clicked, this, [this] { AbrirCarpeta(QFileInfo(rutaGuardada_).absolutePath()); });
    lineaGuardado_->hide();

    disposicion()->addWidget(datos_);
    disposicion()->addLayout(buscar);
    disposicion()->addWidget(division, 1);
    disposicion()->addWidget(lineaGuardado_);
    disposicion()->addLayout(botones);
    ponerTamanoInicial(QSize(1100, 680));
    llenar();
    tabla_->setFocus(); // the arrows go through the RFCs at once
}

bool frmVerReporte::Cargar(const QString &ruta, const QList<engine::Hallazgo> &hallazgos, const DatosDeCorrida &datos,
                           QString *error)
{
    engine::ResumenDeReporte leido;
    if (!engine::LeerResumenDeArchivo(ruta, leido, error))
        return false;
    engine::ContarHallazgos(leido, hallazgos);
    resumen_ = leido;
    hallazgos_ = hallazgos;
    corrida_ = datos;
    ruta_ = ruta;
    anterior_.clear();
    lineaGuardado_->hide(); // what was exported came from the report shown before
    rastro_->Cargar(ruta_, resumen_);
    llenar();
    return true;
}

void frmVerReporte::llenar()
{
    const engine::ResumenDeReporte &r = resumen_;
    const QString lado = r.tipo == QLatin1String("P") ? QStringLiteral("proveedores") : QStringLiteral("clientes");
    setWindowTitle(ruta_.isEmpty() ? QStringLiteral("Reporte")
                                   : QStringLiteral("Reporte %1").arg(QFileInfo(ruta_).fileName()));
    QStringList lineas;
    if (!ruta_.isEmpty())
        lineas << QStringLiteral("Reporte: ") + QDir::toNativeSeparators(ruta_);
    QStringList corrida;
    corrida << (corrida_.periodo.isEmpty() ? QStringLiteral("Reporte de ") + lado
                                           : QStringLiteral("Reporte de ") + corrida_.periodo);
    if (!corrida_.base.isEmpty())
        corrida << QStringLiteral("base de datos %1").arg(corrida_.base);
    if (corrida_.momento.isValid())
        corrida << QStringLiteral("generado el %1").arg(corrida_.momento.toString(QStringLiteral("dd/MM/yyyy hh:mm")));
    lineas << corrida.join(QStringLiteral(", "));
    lineas << QStringLiteral("%1 RFC y %2 renglones; %3 de la revisión sobre RFC del reporte. Las cifras son las del "
                             "archivo.")
                  .arg(r.rfcs.size())
                  .arg(r.renglones.size())
                  .arg(r.hallazgosEnReporte == 1 ? QStringLiteral("1 hallazgo")
                                                 : QStringLiteral("%1 hallazgos").arg(r.hallazgosEnReporte));
    datos_->setText(ruta_.isEmpty() ? QStringLiteral("Ningún reporte abierto.") : lineas.join(QLatin1Char('\n')));

    modelo_->removeRows(0, modelo_->rowCount());
    for (int i = 0; i < r.rfcs.size(); ++i) {
        const engine::RfcDelReporte &p = r.rfcs.at(i);
        const QStringList textos = QStringList{QString::number(i + 1)} + engine::TextosDeRfc(p);
        const QVariantList orden{i,      p.rfc,     p.nombre.toLower(), p.estado, int(p.renglones.size()),
                                 p.cantidad, p.importe, p.ieps,          p.iva,    p.hallazgos};
        QList<QStandardItem *> fila;
        for (int c = 0; c < Columnas; ++c)
            fila << Celda(textos.at(c), orden.at(c), c == ColOrden || c >= ColRenglones);
        modelo_->appendRow(fila);
        if (p.hallazgos > 0)
            modelo_->item(i, ColHallazgos)->setForeground(QColor(0xa3, 0x3b, 0x2b));
    }
    tabla_->sortByColumn(ColOrden, Qt::AscendingOrder);
    llenarTotales();
    // The order number's column of the totals row stays empty.
    const QStringList totales = QStringList{QString()} + engine::TextosDeTotales(r);
    tabla_->resizeColumnsToContents();
    // The totals, in bold and longer than any one RFC's figure, must fit their columns too (the
    // cell's margins as the style draws them, and some room).
    const QFontMetrics negrita(totales_->font());
    const int margenes = 2 * (totales_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, totales_) + 1) + 8;
    for (int c = 0; c < Columnas; ++c)
        tabla_->setColumnWidth(c, std::max(tabla_->columnWidth(c), negrita.horizontalAdvance(totales.at(c)) + margenes));
    tabla_->horizontalHeader()->setSectionResizeMode(ColNombre, QHeaderView::Stretch);
    igualarAnchos();
    if (filtrado_->rowCount() > 0)
        tabla_->selectRow(0);
    mostrarDetalle();
}

void frmVerReporte::llenarTotales()
{
    QList<int> mostrados;
    for (int f = 0; f < filtrado_->rowCount(); ++f)
        mostrados << filtrado_->mapToSource(filtrado_->index(f, 0)).row();
    std::sort(mostrados.begin(), mostrados.end());
    const QStringList totales = QStringList{QString()} + engine::TextosDeTotales(resumen_, mostrados);
    for (int c = 0; c < Columnas; ++c)
        totales_->setItem(0, c, CeldaFija(totales.at(c), c >= ColRenglones || c == ColOrden));
}

bool frmVerReporte::eventFilter(QObject *objeto, QEvent *e)
{
    if (objeto == tabla_->viewport() && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, [this] { igualarAnchos(); }, Qt::QueuedConnection);
    if ((objeto == tabla_ || objeto == detalle_) && e->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(e)->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(TextoDeFilas(static_cast<QAbstractItemView *>(objeto)));
        return true;
    }
    return VentanaDeTabla::eventFilter(objeto, e);
}

void frmVerReporte::igualarAnchos()
{
    for (int c = 0; c < Columnas; ++c)
        totales_->setColumnWidth(c, tabla_->columnWidth(c));
}

void frmVerReporte::mostrarDetalle()
{
    const QModelIndex actual = tabla_->currentIndex();
    detalle_->setRowCount(0);
    if (!actual.isValid()) {
        tituloDetalle_->setText(QStringLiteral("Elija un RFC para ver sus renglones del reporte."));
        return;
    }
    const int i = filtrado_->mapToSource(actual).row();
    const engine::RfcDelReporte &p = resumen_.rfcs.at(i);
    tituloDetalle_->setText(QStringLiteral("Renglones del reporte de %1 — %2 (%3)")
                                .arg(p.rfc, p.nombre)
                                .arg(p.renglones.size() == 1 ? QStringLiteral("1 renglón")
                                                             : QStringLiteral("%1 renglones").arg(p.renglones.size())));
    detalle_->setRowCount(int(p.renglones.size()));
    for (int f = 0; f < p.renglones.size(); ++f) {
        const QStringList &campos = resumen_.renglones.at(p.renglones.at(f));
        for (int c = 0; c < engine::CamposQueSeMuestran; ++c) {
            const bool numero = engine::CampoEsNumero(c);
            detalle_->setItem(f, c, CeldaFija(numero ? engine::NumeroConSeparadores(campos.at(c)) : campos.at(c), numero));
        }
    }
    detalle_->resizeColumnsToContents();
    rastro_->MostrarRfc(p.rfc);
}

void frmVerReporte::mostrarRastro(int fila)
{
    const QModelIndex actual = tabla_->currentIndex();
    if (!actual.isValid() || fila < 0)
        return;
    const engine::RfcDelReporte &p = resumen_.rfcs.at(filtrado_->mapToSource(actual).row());
    if (fila < p.renglones.size())
        rastro_->MostrarRenglon(p.renglones.at(fila));
}

bool frmVerReporte::MostrarRfc(const QString &rfc)
{
    const QString buscado = engine::RfcComoEnElReporte(rfc);
    for (int i = 0; i < resumen_.rfcs.size(); ++i) {
        if (resumen_.rfcs.at(i).rfc.toUpper() != buscado)
            continue;
        QModelIndex fila = filtrado_->mapFromSource(modelo_->index(i, 0));
        if (!fila.isValid()) {
            filtro_->clear();
            fila = filtrado_->mapFromSource(modelo_->index(i, 0));
        }
        tabla_->selectRow(fila.row());
        tabla_->scrollTo(fila);
        return true;
    }
    return false;
}

QString frmVerReporte::nombreSugerido(const QString &extension) const
{
    const QFileInfo f(ruta_);
    return f.dir().filePath(f.completeBaseName() + extension);
}

void frmVerReporte::avisar(const QString &texto)
{
    host::Dialogos::actual().MsgBox(texto, host::vbCritical, QStringLiteral("Reporte"));
}

void frmVerReporte::Abrir()
{
    const QString ruta = QFileDialog::getOpenFileName(this, QStringLiteral("Abrir reporte"),
                                                      ruta_.isEmpty() ? QString() : QFileInfo(ruta_).absolutePath(),
                                                      QStringLiteral("Reportes (*.txt);;Todos los archivos (*)"));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!AbrirArchivo(ruta, &error))
        avisar(error);
}

bool frmVerReporte::AbrirArchivo(const QString &ruta, QString *error)
{
    // The review that the same run wrote beside it, when it is there.
    QList<engine::Hallazgo> hallazgos;
    QFile revision(QFileInfo(ruta).dir().filePath(host::NombreDe(host::DeLaCorrida::Revision, QFileInfo(ruta).fileName())));
    if (revision.open(QIODevice::ReadOnly))
        hallazgos = engine::LeerRevision(revision.readAll());
    return Cargar(ruta, hallazgos, DatosDeCorrida{QString(), QString(), QFileInfo(ruta).lastModified()}, error);
}

void frmVerReporte::Comparar()
{
    if (ruta_.isEmpty())
        return;
    const QString ruta = QFileDialog::getOpenFileName(this, QStringLiteral("Comparar con un reporte anterior"),
                                                      QFileInfo(ruta_).absolutePath(),
                                                      QStringLiteral("Reportes (*.txt);;Todos los archivos (*)"));
    QString error;
    if (!ruta.isEmpty() && !CompararCon(ruta, &error))
        avisar(error);
}

bool frmVerReporte::CompararCon(const QString &ruta, QString *error)
{
    engine::ResumenDeReporte anterior;
    engine::ComparacionDeReportes c;
    if (!engine::LeerReporteAnterior(ruta, anterior, error) || !engine::CompararReportes(anterior, resumen_, c, error))
        return false;
    comparacion_ = c;
    anterior_ = ruta;
    delete ventanaComparacion_;
    ventanaComparacion_ = new frmComparacion(c, ruta, ruta_, this);
    ventanaComparacion_->setAttribute(Qt::WA_DeleteOnClose);
    ventanaComparacion_->show();
    return true;
}

void frmVerReporte::Exportar()
{
    if (ruta_.isEmpty())
        return;
    const QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar a Excel"), nombreSugerido(QStringLiteral(".xlsx")),
                                                      QStringLiteral("Libro de Excel (*.xlsx)"));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!ExportarExcel(ruta, &error))
        avisar(error);
}

void frmVerReporte::Pdf()
{
    if (ruta_.isEmpty())
        return;
    const QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar PDF"), nombreSugerido(QStringLiteral(".pdf")),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (ruta.isEmpty())
        return;
    QString error;
    if (!GuardarPdf(ruta, &error))
        avisar(error);
}

bool frmVerReporte::ExportarExcel(const QString &ruta, QString *error)
{
    if (!config::ComprobarOtraSalida(ruta, QStringLiteral("el libro de Excel"), ruta_, ArchivosPropios(), error)
        || !engine::EscribirLibroExcel(ruta, resumen_, hallazgos_, ruta_, corrida_, error, rastro_->detalle(),
                                       anterior_.isEmpty() ? nullptr : &comparacion_, anterior_))
        return false;
    anunciar(QStringLiteral("Libro de Excel guardado en %1"), ruta, QStringLiteral("el libro de Excel"));
    return true;
}

bool frmVerReporte::GuardarPdf(const QString &ruta, QString *error)
{
    if (!config::ComprobarOtraSalida(ruta, QStringLiteral("el PDF"), ruta_, ArchivosPropios(), error)
        || !engine::EscribirPdfDelResumen(ruta, resumen_, hallazgos_, ruta_, corrida_, error))
        return false;
    anunciar(QStringLiteral("PDF guardado en %1"), ruta, QStringLiteral("el PDF"));
    return true;
}

void frmVerReporte::anunciar(const QString &texto, const QString &ruta, const QString &que)
{
    rutaGuardada_ = QFileInfo(ruta).absoluteFilePath();
    queGuardado_ = que;
    guardado_->setText(texto.arg(QDir::toNativeSeparators(rutaGuardada_)));
    lineaGuardado_->show();
}

void frmVerReporte::abrirGuardado()
{
    if (!host::Dialogos::actual().AbreDocumento(rutaGuardada_))
        host::Dialogos::actual().MsgBox(QStringLiteral("No hay un programa que abra %1.\r\n\r\nEstá en:\r\n%2")
                                            .arg(queGuardado_, QDir::toNativeSeparators(rutaGuardada_)),
                                        host::vbInformation, QStringLiteral("Reporte"));
}

} // namespace ui

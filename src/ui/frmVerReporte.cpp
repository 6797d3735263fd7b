#include "frmVerReporte.h"

#include "Dialogos.h"
#include "Formatos.h"
#include "LibKVRS.h"
#include "LibroExcel.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

using engine::NumeroGeneral;

namespace {

const QStringList Encabezados{QStringLiteral("Nº"),      QStringLiteral("RFC"),       QStringLiteral("Nombre"),
                              QStringLiteral("Estado"),  QStringLiteral("Renglones"), QStringLiteral("Cantidad"),
                              QStringLiteral("Importe"), QStringLiteral("IEPS"),      QStringLiteral("IVA"),
                              QStringLiteral("Hallazgos")};

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

// The totals row's cells under the table's columns: the order number's column stays empty.
QStringList CeldasDeTotales(const engine::ResumenDeReporte &r)
{
    return QStringList{QString()} + engine::TextosDeTotales(r);
}

QString Escapar(const QString &t)
{
    return t.toHtmlEscaped();
}

} // namespace

frmVerReporte::frmVerReporte(QWidget *padre)
    : VentanaDeTabla(padre, QStringLiteral("Reporte"))
    , datos_(new QLabel(this))
    , filtro_(new QLineEdit(this))
    , modelo_(new QStandardItemModel(0, Columnas, this))
    , filtrado_(new QSortFilterProxyModel(this))
    , tabla_(new QTableView(this))
    , totales_(new QTableWidget(1, Columnas, this))
    , tituloDetalle_(new QLabel(this))
    , detalle_(new QTableWidget(0, engine::CamposQueSeMuestran, this))
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

    modelo_->setHorizontalHeaderLabels(Encabezados);
    filtrado_->setSourceModel(modelo_);
    filtrado_->setSortRole(RolOrden);
    filtrado_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filtrado_->setFilterKeyColumn(-1);
    tabla_->setObjectName(QStringLiteral("tblRfc"));
    tabla_->setModel(filtrado_);
    tabla_->setSortingEnabled(true);
    tabla_->sortByColumn(ColOrden, Qt::AscendingOrder);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
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
    detalle_->setAccessibleName(QStringLiteral("Renglones del RFC"));
    connect(tabla_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { mostrarDetalle(); });
    connect(filtro_, &QLineEdit::textChanged, this, [this](const QString &t) {
        filtrado_->setFilterFixedString(t.trimmed());
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
    division->setStretchFactor(0, 3);
    division->setStretchFactor(1, 2);
    division->setChildrenCollapsible(false);

    auto *buscar = new QHBoxLayout;
    buscar->addWidget(etiquetaFiltro);
    buscar->addWidget(filtro_, 1);

    auto *botones = new QHBoxLayout;
    const auto boton = [this, botones](const char *nombre, const QString &texto, const QString &descripcion) {
        auto *b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nombre));
        b->setAutoDefault(false);
        b->setAccessibleDescription(descripcion);
        botones->addWidget(b);
        return b;
    };
    connect(boton("cmdAbrir", QStringLiteral("&Abrir…"), QStringLiteral("Muestra un reporte escrito antes")),
            &QPushButton::clicked, this, &frmVerReporte::Abrir);
    connect(boton("cmdExcel", QStringLiteral("Exportar a &Excel…"),
                  QStringLiteral("Guarda el reporte, su resumen y la revisión en un libro de Excel")),
            &QPushButton::clicked, this, &frmVerReporte::Exportar);
    connect(boton("cmdPdf", QStringLiteral("Guardar &PDF…"), QStringLiteral("Guarda el resumen en un PDF")),
            &QPushButton::clicked, this, &frmVerReporte::Pdf);
    botones->addStretch();
    connect(boton("cmdCerrar", QStringLiteral("Cerrar"), QStringLiteral("Cierra esta ventana")), &QPushButton::clicked,
            this, &QDialog::close);

    disposicion()->addWidget(datos_);
    disposicion()->addLayout(buscar);
    disposicion()->addWidget(division, 1);
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
        modelo_->appendRow({Celda(QString::number(i + 1), i, true), Celda(p.rfc, p.rfc, false),
                            Celda(p.nombre, p.nombre.toLower(), false), Celda(p.estado, p.estado, false),
                            Celda(QString::number(p.renglones.size()), int(p.renglones.size()), true),
                            Celda(NumeroGeneral(p.cantidad), p.cantidad, true),
                            Celda(NumeroGeneral(p.importe), p.importe, true), Celda(NumeroGeneral(p.ieps), p.ieps, true),
                            Celda(NumeroGeneral(p.iva), p.iva, true), Celda(QString::number(p.hallazgos), p.hallazgos, true)});
        if (p.hallazgos > 0)
            modelo_->item(i, ColHallazgos)->setForeground(QColor(0xa3, 0x3b, 0x2b));
    }
    const QStringList totales = CeldasDeTotales(r);
    for (int c = 0; c < Columnas; ++c)
        totales_->setItem(0, c, CeldaFija(totales.at(c), c >= ColRenglones || c == ColOrden));
    tabla_->sortByColumn(ColOrden, Qt::AscendingOrder);
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

bool frmVerReporte::eventFilter(QObject *objeto, QEvent *e)
{
    if (objeto == tabla_->viewport() && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, [this] { igualarAnchos(); }, Qt::QueuedConnection);
    return VentanaDeTabla::eventFilter(objeto, e);
}

void frmVerReporte::igualarAnchos()
{
    for (int c = 0; c < Columnas; ++c)
        totales_->setColumnWidth(c, tabla_->columnWidth(c));
}

void frmVerReporte::mostrarDetalle()
{
    const QModelIndexList elegidas = tabla_->selectionModel()->selectedRows();
    detalle_->setRowCount(0);
    if (elegidas.isEmpty()) {
        tituloDetalle_->setText(QStringLiteral("Elija un RFC para ver sus renglones del reporte."));
        return;
    }
    const int i = filtrado_->mapToSource(elegidas.first()).row();
    const engine::RfcDelReporte &p = resumen_.rfcs.at(i);
    tituloDetalle_->setText(QStringLiteral("Renglones del reporte de %1 — %2 (%3)")
                                .arg(p.rfc, p.nombre)
                                .arg(p.renglones.size() == 1 ? QStringLiteral("1 renglón")
                                                             : QStringLiteral("%1 renglones").arg(p.renglones.size())));
    detalle_->setRowCount(int(p.renglones.size()));
    for (int f = 0; f < p.renglones.size(); ++f) {
        const QStringList &campos = resumen_.renglones.at(p.renglones.at(f));
        for (int c = 0; c < engine::CamposQueSeMuestran; ++c)
            detalle_->setItem(f, c, CeldaFija(campos.at(c), engine::CampoEsNumero(c)));
    }
    detalle_->resizeColumnsToContents();
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
    QFile revision(QFileInfo(ruta).dir().filePath(QStringLiteral("Revision") + QFileInfo(ruta).fileName()));
    if (revision.open(QIODevice::ReadOnly))
        hallazgos = engine::LeerRevision(revision.readAll());
    return Cargar(ruta, hallazgos, DatosDeCorrida{QString(), QString(), QFileInfo(ruta).lastModified()}, error);
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
    return engine::EscribirLibroExcel(ruta, resumen_, hallazgos_, ruta_, corrida_, error);
}

QString frmVerReporte::HtmlDelResumen() const
{
    const engine::ResumenDeReporte &r = resumen_;
    QString h = QStringLiteral("<h2 style=\"color:#17385f\">Reporte especial de IEPS: resumen</h2><p>");
    QStringList datos;
    datos << QStringLiteral("Reporte: ") + Escapar(QDir::toNativeSeparators(ruta_));
    if (!corrida_.base.isEmpty())
        datos << QStringLiteral("Base de datos: ") + Escapar(corrida_.base);
    datos << (corrida_.periodo.isEmpty()
                  ? QStringLiteral("Reporte de ") + (r.tipo == QLatin1String("P") ? QStringLiteral("proveedores")
                                                                                    : QStringLiteral("clientes"))
                  : QStringLiteral("Reporte de ") + Escapar(corrida_.periodo));
    if (corrida_.momento.isValid())
        datos << QStringLiteral("Generado el ") + corrida_.momento.toString(QStringLiteral("dd/MM/yyyy 'a las' hh:mm"));
    h += datos.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
                        "style=\"border-color:#c3d0df; font-size:8pt\"><tr style=\"background:#e6edf5\">");
    for (const QString &e : Encabezados)
        h += QStringLiteral("<th>") + e + QStringLiteral("</th>");
    h += QStringLiteral("</tr>");
    const auto fila = [&h](const QStringList &celdas, bool negrita) {
        h += QStringLiteral("<tr>");
        for (int c = 0; c < celdas.size(); ++c) {
            const bool numero = c == ColOrden || c >= ColRenglones;
            h += QStringLiteral("<td%1>%2%3%4</td>")
                     .arg(numero ? QStringLiteral(" align=\"right\"") : QString(),
                          negrita ? QStringLiteral("<b>") : QString(), Escapar(celdas.at(c)),
                          negrita ? QStringLiteral("</b>") : QString());
        }
        h += QStringLiteral("</tr>");
    };
    for (int i = 0; i < r.rfcs.size(); ++i) {
        const engine::RfcDelReporte &p = r.rfcs.at(i);
        fila(QStringList{QString::number(i + 1)} + engine::TextosDeRfc(p), false);
    }
    fila(CeldasDeTotales(r), true);
    h += QStringLiteral("</table>");

    // The review's counts by kind: all of them, and those about RFCs of the report.
    const QList<engine::HallazgosDeUnTipo> tipos = engine::ContarPorTipo(hallazgos_);
    h += QStringLiteral("<h3 style=\"color:#17385f\">Revisión</h3>");
    if (tipos.isEmpty()) {
        h += corrida_.momento.isValid() && !corrida_.periodo.isEmpty()
                 ? QStringLiteral("<p>Sin hallazgos.</p>")
                 : QStringLiteral("<p>Sin hallazgos, o sin el archivo de la revisión junto al reporte.</p>");
    } else {
        h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-color:#c3d0df; "
                            "font-size:8pt\"><tr style=\"background:#e6edf5\"><th>Hallazgos</th><th>En el reporte</th>"
                            "<th>Tipo</th></tr>");
        for (const engine::HallazgosDeUnTipo &t : tipos)
            h += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td><td>%3</td></tr>")
                     .arg(t.todos)
                     .arg(t.enReporte)
                     .arg(Escapar(t.tipo));
        h += QStringLiteral("</table>");
    }
    return h;
}

bool frmVerReporte::GuardarPdf(const QString &ruta, QString *error)
{
    QPdfWriter pdf(ruta);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("Resumen del reporte %1").arg(QFileInfo(ruta_).fileName()));
    pdf.setCreator(QStringLiteral("repieps"));
    QPainter p;
    if (!p.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("No se pudo escribir el PDF %1: no se pudo crear el archivo.")
                         .arg(QDir::toNativeSeparators(ruta));
        return false;
    }
    const QRect area = pdf.pageLayout().paintRectPixels(pdf.resolution());
    QFont letra(QStringLiteral("Sans Serif"));
    letra.setPointSizeF(9);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDefaultFont(letra);
    doc.setHtml(HtmlDelResumen());
    const int pie = QFontMetrics(letra, &pdf).height() * 2;
    const QSizeF pagina(area.width(), area.height() - pie);
    doc.setPageSize(pagina);
    const int paginas = doc.pageCount();
    p.setFont(letra);
    for (int n = 0; n < paginas; ++n) {
        if (n > 0)
            pdf.newPage();
        p.save();
        p.translate(0, -n * pagina.height());
        doc.drawContents(&p, QRectF(QPointF(0, n * pagina.height()), pagina));
        p.restore();
        p.drawText(QRectF(0, area.height() - pie, area.width(), pie), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("Página %1 de %2").arg(n + 1).arg(paginas));
    }
    if (!p.end()) {
        if (error)
            *error = QStringLiteral("No se pudo escribir el PDF %1.").arg(QDir::toNativeSeparators(ruta));
        return false;
    }
    return true;
}

} // namespace ui

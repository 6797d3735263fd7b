#include "PdfDelResumen.h"

#include "ArchivoDeSalida.h"
#include "Errores.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <memory>

namespace engine {

using host::Falla;

namespace {

QString Escapar(const QString &t)
{
    return t.toHtmlEscaped();
}

QString Html(const ResumenDeReporte &r, const QList<Hallazgo> &hallazgos, const QString &reporte,
             const DatosDeCorrida &corrida)
{
    QString h = QStringLiteral("<h2 style=\"color:#17385f\">Reporte especial de IEPS: resumen</h2><p>");
    QStringList datos;
    for (const QString &linea : LineasDeCorrida(r.tipo, reporte, corrida))
        datos << Escapar(linea);
    h += datos.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
    // The heading row in <thead>: the layout repeats it at the top of every page.
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
                        "style=\"border-color:#c3d0df; font-size:7.5pt\"><thead><tr style=\"background:#e6edf5\">");
    for (const QString &e : QStringList{QStringLiteral("Nº")} + EncabezadosDeRfc())
        h += QStringLiteral("<th>") + e + QStringLiteral("</th>");
    h += QStringLiteral("</tr></thead>");
    const auto fila = [&h](const QStringList &celdas, bool negrita) {
        h += QStringLiteral("<tr>");
        for (int c = 0; c < celdas.size(); ++c) {
            // The order number and the figures (from the lines on) to the right.
            const bool numero = c == 0 || c >= 4;
            h += QStringLiteral("<td%1>%2%3%4</td>")
                     .arg(numero ? QStringLiteral(" align=\"right\"") : QString(),
                          negrita ? QStringLiteral("<b>") : QString(), Escapar(celdas.at(c)),
                          negrita ? QStringLiteral("</b>") : QString());
        }
        h += QStringLiteral("</tr>");
    };
    for (int i = 0; i < r.rfcs.size(); ++i)
        fila(QStringList{QString::number(i + 1)} + TextosDeRfc(r.rfcs.at(i)), false);
    fila(QStringList{QString()} + TextosDeTotales(r), true);
    h += QStringLiteral("</table>");

    // The review's counts by kind: all of them, and those about RFCs of the report.
    const QList<HallazgosDeUnTipo> tipos = ContarPorTipo(hallazgos);
    h += QStringLiteral("<h3 style=\"color:#17385f\">Revisión</h3>");
    if (tipos.isEmpty()) {
        h += corrida.momento.isValid() && !corrida.periodo.isEmpty()
                 ? QStringLiteral("<p>Sin hallazgos.</p>")
                 : QStringLiteral("<p>Sin hallazgos, o sin el archivo de la revisión junto al reporte.</p>");
    } else {
        h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-color:#c3d0df; "
                            "font-size:8pt\"><tr style=\"background:#e6edf5\"><th>Hallazgos</th><th>En el reporte</th>"
                            "<th>Tipo</th></tr>");
        for (const HallazgosDeUnTipo &t : tipos)
            h += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td><td>%3</td></tr>")
                     .arg(t.todos)
                     .arg(t.enReporte)
                     .arg(Escapar(t.tipo));
        h += QStringLiteral("</table>");
    }
    return h;
}

// Draws the pages into pdf; false when the painter could not finish.
bool Dibujar(QPdfWriter &pdf, const QString &html)
{
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const QRect area = pdf.pageLayout().paintRectPixels(pdf.resolution());
    QFont letra(QStringLiteral("Sans Serif"));
    letra.setPointSizeF(9);
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDefaultFont(letra);
    // Lines break between words only: a figure is never cut, its column is made as wide as it.
    QTextOption renglones;
    renglones.setWrapMode(QTextOption::WordWrap);
    doc.setDefaultTextOption(renglones);
    doc.setHtml(html);
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
    return p.end();
}

} // namespace

bool EscribirPdfDelResumen(const QString &ruta, const ResumenDeReporte &resumen, const QList<Hallazgo> &hallazgos,
                           const QString &reporte, const DatosDeCorrida &corrida, QString *error)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setTitle(QStringLiteral("Resumen del reporte %1").arg(QFileInfo(reporte).fileName()));
        pdf.setCreator(QStringLiteral("repieps"));
        if (!Dibujar(pdf, Html(resumen, hallazgos, reporte, corrida)))
            return Falla(error, QStringLiteral("No se pudo escribir el PDF %1.").arg(QDir::toNativeSeparators(ruta)));
    }
    std::unique_ptr<host::ArchivoDeSalida> destino;
    try {
        destino = std::make_unique<host::ArchivoDeSalida>(ruta, host::ArchivoDeSalida::Modo::Reemplazar);
    } catch (const host::Error &) {
        return Falla(error, QStringLiteral("No se pudo escribir el PDF %1: no se pudo crear el archivo.")
                                .arg(QDir::toNativeSeparators(ruta)));
    }
    try {
        destino->EscribirBytes(bytes.data());
        destino->Terminar();
    } catch (const host::Error &e) {
        return Falla(error, e.descripcion());
    }
    return true;
}

} // namespace engine

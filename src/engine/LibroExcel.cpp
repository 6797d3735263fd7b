#include "LibroExcel.h"

#include "ArchivoDeSalida.h"
#include "CamposDelReporte.h"
#include "Formatos.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#ifndef Q_OS_WIN
#include <locale.h>
#endif

namespace engine {

using host::Falla;

namespace {

// The library writes numbers with the C library's printf, which follows the locale: under a
// locale with a decimal comma (Qt takes the user's at start-up on Linux) a cell would read
// "3150,5" and the book would not open. While alive, this thread formats numbers the C way.
// (Windows programs keep the "C" locale: Qt does not change it there.)
class NumerosComoEnC {
public:
    NumerosComoEnC()
    {
#ifndef Q_OS_WIN
        c_ = newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE));
        if (c_)
            anterior_ = uselocale(c_);
#endif
    }
    ~NumerosComoEnC()
    {
#ifndef Q_OS_WIN
        if (c_) {
            uselocale(anterior_);
            freelocale(c_);
        }
#endif
    }
    NumerosComoEnC(const NumerosComoEnC &) = delete;
    NumerosComoEnC &operator=(const NumerosComoEnC &) = delete;

private:
#ifndef Q_OS_WIN
    locale_t c_ = nullptr;
    locale_t anterior_ = nullptr;
#endif
};

// The cell formats of a book: figures with thousands separators, as accountants read them.
struct Estilos {
    lxw_format *negrita, *miles, *milesNegrita, *centavos, *centavosNegrita, *tresDecimales, *titulo;
    // "#,##0" for a whole figure; one with a fraction shows its cents ("#,##0.00"): a figure is
    // never shown other than the file has it.
    lxw_format *Cifra(double valor, bool enNegrita) const
    {
        if (std::floor(valor) == valor)
            return enNegrita ? milesNegrita : miles;
        return enNegrita ? centavosNegrita : centavos;
    }
};

// How wide a figure looks under its format: the amount form, without its decimals when whole.
int AnchoConMiles(double valor)
{
    return int(FormatoImporte(valor).size()) - (std::floor(valor) == valor ? 3 : 0);
}

// A sheet with its table's heading row (the first row unless something is printed above it) and
// the widest text of each of its columns, to fit their widths at the end. Printed, every sheet is
// one page wide on Letter paper, landscape, with its heading row on every page.
class Hoja {
public:
    Hoja(lxw_workbook *libro, const char *nombre, const QStringList &encabezados, const Estilos &e, int filaDeEncabezados = 0)
        : hoja_(workbook_add_worksheet(libro, nombre))
        , encabezados_(filaDeEncabezados)
        , anchos_(encabezados.size(), 0)
    {
        for (int c = 0; c < encabezados.size(); ++c)
            Texto(encabezados_, c, encabezados.at(c), e.negrita);
        worksheet_freeze_panes(hoja_, lxw_row_t(encabezados_ + 1), 0);
        worksheet_set_landscape(hoja_);
        worksheet_set_paper(hoja_, 1);
        worksheet_set_margins(hoja_, 0.3, 0.3, 0.4, 0.6);
        worksheet_fit_to_pages(hoja_, 1, 0);
        worksheet_repeat_rows(hoja_, lxw_row_t(encabezados_), lxw_row_t(encabezados_));
        worksheet_set_footer(hoja_, "&CPágina &P de &N");
    }
    int Encabezados() const { return encabezados_; }
    // A line above the table, not measured: it may run over the columns to its right.
    void Titulo(int fila, const QString &texto, lxw_format *formato)
    {
        worksheet_write_string(hoja_, lxw_row_t(fila), 0, texto.toUtf8().constData(), formato);
    }
    void Texto(int fila, int columna, const QString &texto, lxw_format *formato = nullptr)
    {
        Anotar(worksheet_write_string(hoja_, lxw_row_t(fila), lxw_col_t(columna), texto.toUtf8().constData(), formato));
        Medir(columna, int(texto.size()));
    }
    void Numero(int fila, int columna, double valor, int ancho, lxw_format *formato)
    {
        Anotar(worksheet_write_number(hoja_, lxw_row_t(fila), lxw_col_t(columna), valor, formato));
        Medir(columna, ancho);
    }
    void Formula(int fila, int columna, const QString &formula, double valor, lxw_format *formato)
    {
        Anotar(worksheet_write_formula_num(hoja_, lxw_row_t(fila), lxw_col_t(columna), formula.toUtf8().constData(),
                                           formato, valor));
        Medir(columna, AnchoConMiles(valor));
    }
    // The first cell the library turned down (a row past the sheet's last one, a text too long).
    lxw_error Error() const { return error_; }
    // A filter on the table from its heading row down to ultimaFila; none for a table without rows.
    void Filtrar(int ultimaFila)
    {
        if (ultimaFila > encabezados_)
            worksheet_autofilter(hoja_, lxw_row_t(encabezados_), 0, lxw_row_t(ultimaFila),
                                 lxw_col_t(anchos_.size() - 1));
    }
    // Widths in characters, with room for the filter arrow of a heading and a cap for long names.
    void AjustarAnchos()
    {
        for (int c = 0; c < anchos_.size(); ++c)
            worksheet_set_column(hoja_, lxw_col_t(c), lxw_col_t(c), std::min(anchos_.at(c) + 2, 70), nullptr);
    }

private:
    // A table under the first may be wider than its headings.
    void Medir(int columna, int ancho)
    {
        if (columna >= anchos_.size())
            anchos_.resize(columna + 1, 0);
        anchos_[columna] = std::max(anchos_.at(columna), ancho);
    }
    void Anotar(lxw_error error)
    {
        if (error_ == LXW_NO_ERROR)
            error_ = error;
    }

    lxw_worksheet *hoja_;
    int encabezados_;
    QList<int> anchos_;
    lxw_error error_ = LXW_NO_ERROR;
};

QString Columna(int c)
{
    return QString(QLatin1Char(char('A' + c)));
}

void LlenarResumen(Hoja &h, const ResumenDeReporte &r, const QStringList &titulo, const Estilos &e)
{
    for (int i = 0; i < titulo.size(); ++i)
        h.Titulo(i, titulo.at(i), i == 0 ? e.titulo : nullptr);
    const int primera = h.Encabezados() + 1;
    int fila = primera;
    for (const RfcDelReporte &p : r.rfcs) {
        h.Texto(fila, 0, p.rfc);
        h.Texto(fila, 1, p.nombre);
        h.Texto(fila, 2, p.estado);
        const double cifras[] = {double(p.renglones.size()), p.cantidad, p.importe, p.ieps, p.iva, double(p.hallazgos)};
        for (int c = 3; c <= 8; ++c)
            h.Numero(fila, c, cifras[c - 3], AnchoConMiles(cifras[c - 3]), e.Cifra(cifras[c - 3], false));
        ++fila;
    }
    h.Filtrar(fila - 1);
    // The totals are the sheet's own sums of the rows above; their cached values are the file's.
    h.Texto(fila, 0, QStringLiteral("Total"), e.negrita);
    h.Texto(fila, 1, QStringLiteral("%1 RFC").arg(r.rfcs.size()), e.negrita);
    const double valores[] = {double(r.renglones.size()), r.cantidad, r.importe, r.ieps, r.iva,
                              double(r.hallazgosEnReporte)};
    for (int c = 3; c <= 8; ++c) {
        const QString rango = r.rfcs.isEmpty() ? QStringLiteral("0")
                                               : QStringLiteral("SUM(%1%2:%1%3)").arg(Columna(c)).arg(primera + 1).arg(fila);
        h.Formula(fila, c, QStringLiteral("=") + rango, valores[c - 3], e.Cifra(valores[c - 3], true));
    }
}

void LlenarRenglones(Hoja &h, const ResumenDeReporte &r, const Estilos &e)
{
    for (int f = 0; f < r.renglones.size(); ++f) {
        const QStringList &campos = r.renglones.at(f);
        for (int c = 0; c < CamposQueSeMuestran; ++c) {
            const FormaDeCampo forma = CamposDelReporte().at(size_t(c)).forma;
            if (forma == FormaDeCampo::Presentacion)
                h.Numero(f + 1, c, campos.at(c).toDouble(), int(campos.at(c).size()), e.tresDecimales);
            else if (forma == FormaDeCampo::Cifra)
                h.Numero(f + 1, c, campos.at(c).toDouble(), AnchoConMiles(campos.at(c).toDouble()),
                         e.Cifra(campos.at(c).toDouble(), false));
            else
                h.Texto(f + 1, c, campos.at(c));
        }
    }
    h.Filtrar(int(r.renglones.size()));
}

void LlenarRevision(Hoja &h, const QList<Hallazgo> &hallazgos)
{
    for (int f = 0; f < hallazgos.size(); ++f) {
        const Hallazgo &x = hallazgos.at(f);
        h.Texto(f + 1, 0, x.enReporte ? QStringLiteral("sí") : QStringLiteral("no"));
        h.Texto(f + 1, 1, x.tipo);
        h.Texto(f + 1, 2, x.rfc);
        h.Texto(f + 1, 3, x.claves.join(QStringLiteral(", ")));
        h.Texto(f + 1, 4, x.nombre);
        h.Texto(f + 1, 5, x.detalle.isEmpty() ? x.problema : x.problema + QStringLiteral(": ") + x.detalle);
    }
    h.Filtrar(int(hallazgos.size()));
}

void LlenarDetalle(Hoja &h, const DetalleDelReporte &d, const Estilos &e)
{
    for (int f = 0; f < d.lineas.size(); ++f) {
        const QStringList &campos = d.lineas.at(f);
        for (int c = 0; c < CamposDelDetalle; ++c) {
            const double valor = campos.at(c).toDouble();
            if (c == DetPresentacion)
                h.Numero(f + 1, c, valor, int(campos.at(c).size()), e.tresDecimales);
            else if (CampoDelDetalleEsNumero(c))
                h.Numero(f + 1, c, valor, std::max(AnchoConMiles(valor), int(campos.at(c).size())), e.Cifra(valor, false));
            else
                h.Texto(f + 1, c, campos.at(c));
        }
    }
    h.Filtrar(int(d.lineas.size()));
}

// The comparison's title and counts, its table of RFCs with a totals row, and under it the lines
// that changed.
void LlenarComparacion(Hoja &h, const ComparacionDeReportes &c, const QStringList &titulo, const Estilos &e)
{
    for (int i = 0; i < titulo.size(); ++i)
        h.Titulo(i, titulo.at(i), i == 0 ? e.titulo : nullptr);
    int fila = h.Encabezados() + 1;
    // A row's texts, then its figures as numbers.
    const auto llenar = [&](const QStringList &textos, const QList<double> &cifras, lxw_format *negrita) {
        for (int col = 0; col < textos.size(); ++col) {
            if (!textos.at(col).isEmpty())
                h.Texto(fila, col, textos.at(col), negrita);
        }
        for (int i = 0; i < cifras.size(); ++i)
            h.Numero(fila, int(textos.size()) + i, cifras.at(i), AnchoConMiles(cifras.at(i)), e.Cifra(cifras.at(i), negrita != nullptr));
        ++fila;
    };
    for (const RfcComparado &r : c.rfcs)
        llenar({r.rfc, r.nombre, TextoDeCambio(r.cambio, true)}, CifrasComparadas(r.antes, r.ahora), nullptr);
    h.Filtrar(fila - 1);
    llenar({QStringLiteral("Total"), QStringLiteral("%1 RFC").arg(c.rfcs.size()), QString()},
           CifrasComparadas(c.antes, c.ahora), e.negrita);
    ++fila;
    h.Titulo(fila++, QStringLiteral("Renglones que cambiaron"), e.negrita);
    const QStringList &encabezados = EncabezadosDeRenglonesComparados();
    for (int col = 0; col < encabezados.size(); ++col)
        h.Texto(fila, col, encabezados.at(col), e.negrita);
    ++fila;
    for (const RenglonComparado &r : c.renglones) {
        if (r.cambio != Cambio::Igual)
            llenar({r.rfc, r.linea, r.claveGenerica, r.presentacion, TextoDeCambio(r.cambio, false)},
                   CifrasComparadas(r.antes, r.ahora), nullptr);
    }
}

} // namespace

QString MotivoDelLibro(int codigo)
{
    switch (codigo) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("no hay memoria suficiente");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("no se pudo crear el archivo");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("no se pudo usar un archivo temporal; quizá el disco está lleno");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("no se pudo escribir en el disco; quizá está lleno");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("tiene más renglones de los que caben en una hoja de Excel (1,048,576)");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("un texto pasa de los 32,767 caracteres que caben en una celda");
    default:
        return QStringLiteral("falló la biblioteca que escribe el libro (código %1)").arg(codigo);
    }
}

bool EscribirLibroExcel(const QString &ruta, const ResumenDeReporte &r, const QList<Hallazgo> &hallazgos,
                        const QString &reporte, const DatosDeCorrida &corrida, QString *error,
                        const DetalleDelReporte *detalle, const ComparacionDeReportes *comparacion,
                        const QString &anterior)
{
    const QString motivo = QStringLiteral("No se pudo escribir el libro de Excel %1").arg(QDir::toNativeSeparators(ruta));
    // The library writes to a path of plain bytes and keeps its pieces in temporary files: both in
    // a folder of our own, and the finished book is then put in its place whole.
    QTemporaryDir temporal;
    if (!temporal.isValid())
        return Falla(error, motivo + QStringLiteral(": no hay carpeta temporal (%1).")
                                         .arg(host::MotivoEnEspanol(temporal.errorString())));
    const QByteArray carpeta = QFile::encodeName(QDir::toNativeSeparators(temporal.path()));
    const QByteArray archivo = QFile::encodeName(QDir::toNativeSeparators(temporal.filePath(QStringLiteral("libro.xlsx"))));
    const NumerosComoEnC numeros;
    lxw_workbook_options opciones{};
    opciones.tmpdir = const_cast<char *>(carpeta.constData());
    lxw_workbook *libro = workbook_new_opt(archivo.constData(), &opciones);
    if (!libro)
        return Falla(error, motivo + QStringLiteral("."));
    Estilos estilos{};
    estilos.negrita = workbook_add_format(libro);
    format_set_bold(estilos.negrita);
    estilos.miles = workbook_add_format(libro);
    format_set_num_format(estilos.miles, "#,##0");
    estilos.milesNegrita = workbook_add_format(libro);
    format_set_num_format(estilos.milesNegrita, "#,##0");
    format_set_bold(estilos.milesNegrita);
    estilos.centavos = workbook_add_format(libro);
    format_set_num_format(estilos.centavos, "#,##0.00");
    estilos.centavosNegrita = workbook_add_format(libro);
    format_set_num_format(estilos.centavosNegrita, "#,##0.00");
    format_set_bold(estilos.centavosNegrita);
    estilos.tresDecimales = workbook_add_format(libro);
    format_set_num_format(estilos.tresDecimales, "0.000");
    estilos.titulo = workbook_add_format(libro);
    format_set_bold(estilos.titulo);
    format_set_font_size(estilos.titulo, 14);

    // The summary's table starts below its title and a blank row.
    const QStringList titulo = QStringList{QStringLiteral("Reporte especial de IEPS")} + LineasDeCorrida(r.tipo, reporte, corrida);
    Hoja resumen(libro, "Resumen", EncabezadosDeRfc(), estilos, int(titulo.size()) + 1);
    LlenarResumen(resumen, r, titulo, estilos);
    resumen.AjustarAnchos();
    Hoja renglones(libro, "Renglones", EncabezadosDeCampos(), estilos);
    LlenarRenglones(renglones, r, estilos);
    renglones.AjustarAnchos();
    Hoja revision(libro, "Revisión",
                  {QStringLiteral("En el reporte"), QStringLiteral("Tipo"), QStringLiteral("RFC o producto"),
                   QStringLiteral("Clave"), QStringLiteral("Nombre"), QStringLiteral("Problema")},
                  estilos);
    LlenarRevision(revision, hallazgos);
    revision.AjustarAnchos();
    lxw_error deOtrasHojas = LXW_NO_ERROR; // cells refused in the sheets that close before the book
    if (detalle) {
        Hoja hojaDetalle(libro, "Detalle", EncabezadosDelDetalle(), estilos);
        LlenarDetalle(hojaDetalle, *detalle, estilos);
        hojaDetalle.AjustarAnchos();
        deOtrasHojas = hojaDetalle.Error();
    }
    if (comparacion) {
        const QStringList lineas = QStringList{QStringLiteral("Comparación con el reporte anterior %1")
                                                   .arg(QDir::toNativeSeparators(anterior))}
                                   + LineasDeConteo(*comparacion);
        Hoja hoja(libro, "Comparación", EncabezadosDeRfcsComparados(), estilos, int(lineas.size()) + 1);
        LlenarComparacion(hoja, *comparacion, lineas, estilos);
        hoja.AjustarAnchos();
        deOtrasHojas = deOtrasHojas != LXW_NO_ERROR ? deOtrasHojas : hoja.Error();
    }

    lxw_error fallo = workbook_close(libro);
    for (const Hoja *h : {&resumen, &renglones, &revision})
        fallo = fallo != LXW_NO_ERROR ? fallo : h->Error();
    fallo = fallo != LXW_NO_ERROR ? fallo : deOtrasHojas;
    if (fallo != LXW_NO_ERROR)
        return Falla(error, motivo + QStringLiteral(": ") + MotivoDelLibro(fallo) + QStringLiteral("."));
    QFile hecho(temporal.filePath(QStringLiteral("libro.xlsx")));
    if (!hecho.open(QIODevice::ReadOnly))
        return Falla(error, host::ErrorDeArchivo(host::NoSePudoLeer(), hecho).descripcion());
    try {
        host::ArchivoDeSalida destino(ruta, host::ArchivoDeSalida::Modo::Reemplazar);
        destino.EscribirBytes(hecho.readAll());
        destino.Terminar();
    } catch (const host::Error &e) {
        return Falla(error, e.descripcion());
    }
    return true;
}

} // namespace engine

#include "Lista69B.h"

#include "Cp1252.h"
#include "Errores.h"
#include "MotivosDelSistema.h"
#include "Revision.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace engine {

namespace {
// The situations as the list writes them; one more would be a list this reader does not know.
const QStringList Situaciones{QStringLiteral("Presunto"), QStringLiteral("Desvirtuado"), QStringLiteral("Definitivo"),
                              QStringLiteral("Sentencia Favorable")};
// The word that names each situation's stage in the headings of its publications, in that order.
const char *const Etapas[] = {"presun", "desvirtu", "definitiv", "sentencia"};
// The heading is among the first lines; further down a file without it is not the list.
constexpr int LineasDeEncabezado = 10;

// Lower case without accents: headings and situations are compared so.
QString Sencillo(const QString &texto)
{
    QString r;
    for (const QChar c : texto.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            r += c.toLower();
    }
    return r.simplified();
}

// UTF-8 when the bytes are valid UTF-8 (a BOM is dropped), else Windows-1252.
QString Decodificado(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8.decode(bytes);
    return utf8.hasError() ? host::DesdeCp1252(bytes) : texto;
}

struct Renglon {
    int linea = 0; // where it starts, from 1
    QStringList celdas;
};

// The records of a comma-separated text; a quoted cell may hold commas, doubled quotes and line
// ends. False with the line of a quote left open.
bool Renglones(const QString &texto, QList<Renglon> &renglones, int &lineaAbierta)
{
    int linea = 1;
    Renglon actual{1, {}};
    QString celda;
    bool entreComillas = false, vacio = true;
    int abierta = 0;
    const auto terminar = [&] {
        if (!vacio) {
            actual.celdas << celda;
            renglones << actual;
        }
        celda.clear();
        actual = Renglon{linea, {}};
        vacio = true;
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (entreComillas) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < texto.size() && texto.at(i + 1) == QLatin1Char('"')) {
                    celda += c;
                    ++i;
                } else {
                    entreComillas = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++linea;
                celda += c;
            }
        } else if (c == QLatin1Char('"')) {
            entreComillas = true;
            abierta = linea;
            vacio = false;
        } else if (c == QLatin1Char(',')) {
            actual.celdas << celda;
            celda.clear();
            vacio = false;
        } else if (c == QLatin1Char('\n')) {
            ++linea;
            terminar();
        } else if (c != QLatin1Char('\r')) {
            celda += c;
            if (!c.isSpace())
                vacio = false;
        }
    }
    if (entreComillas) {
        lineaAbierta = abierta;
        return false;
    }
    terminar();
    return true;
}

const QStringList Meses{QStringLiteral("enero"),  QStringLiteral("febrero"),   QStringLiteral("marzo"),
                        QStringLiteral("abril"),  QStringLiteral("mayo"),      QStringLiteral("junio"),
                        QStringLiteral("julio"),  QStringLiteral("agosto"),    QStringLiteral("septiembre"),
                        QStringLiteral("octubre"), QStringLiteral("noviembre"), QStringLiteral("diciembre")};

// The date of a preamble line: "... al 30 de noviembre de 2026" or "... al 30/11/2026".
QDate FechaDelPreambulo(const QString &linea)
{
    static const QRegularExpression enLetra(QStringLiteral("(\\d{1,2}) de ([a-z]+) (?:de|del) (\\d{4})"));
    static const QRegularExpression enCifras(QStringLiteral("(\\d{1,2})/(\\d{1,2})/(\\d{4})"));
    const QString s = Sencillo(linea);
    QRegularExpressionMatch m = enLetra.match(s);
    if (m.hasMatch()) {
        const int mes = int(Meses.indexOf(m.captured(2))) + 1;
        return mes > 0 ? QDate(m.captured(3).toInt(), mes, m.captured(1).toInt()) : QDate();
    }
    m = enCifras.match(s);
    return m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()) : QDate();
}

// The latest of the dates of a cell ("09/01/2015 // 17/03/2016"): the publication in force.
QDate UltimaFecha(const QString &celda)
{
    static const QRegularExpression fecha(QStringLiteral("(\\d{1,2})[/-](\\d{1,2})[/-](\\d{4})"));
    QDate r;
    for (auto it = fecha.globalMatch(celda); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid() && (!r.isValid() || d > r))
            r = d;
    }
    return r;
}
} // namespace

bool LeerLista69B(const QByteArray &bytes, const QString &archivo, Lista69B &lista, QString *motivo)
{
    lista = Lista69B{archivo, QDate(), {}};
    const QString nombre = QDir::toNativeSeparators(archivo); // as the user knows it
    QList<Renglon> renglones;
    int abierta = 0;
    if (!Renglones(Decodificado(bytes), renglones, abierta))
        return host::Falla(motivo, QStringLiteral("El archivo %1 no es la lista 69-B del SAT: unas comillas que abren en "
                                                  "la línea %2 no cierran.")
                                       .arg(nombre)
                                       .arg(abierta));
    // The heading: the first record with the RFC and situation columns; before it, the preamble.
    int encabezado = -1, colRfc = -1, colSituacion = -1;
    for (int r = 0; r < renglones.size() && r < LineasDeEncabezado && encabezado < 0; ++r) {
        const QStringList &celdas = renglones.at(r).celdas;
        colRfc = colSituacion = -1;
        for (int c = 0; c < celdas.size(); ++c) {
            const QString t = Sencillo(celdas.at(c));
            if (t == QLatin1String("rfc") && colRfc < 0)
                colRfc = c;
            else if (t.startsWith(QLatin1String("situacion")) && colSituacion < 0)
                colSituacion = c;
        }
        if (colRfc >= 0 && colSituacion >= 0)
            encabezado = r;
        else if (!lista.fecha.isValid())
            lista.fecha = FechaDelPreambulo(celdas.join(QLatin1Char(' ')));
    }
    if (encabezado < 0)
        return host::Falla(motivo, QStringLiteral("El archivo %1 no es la lista 69-B del SAT: ninguna de sus primeras "
                                                  "líneas (hasta la línea %2) tiene las columnas «RFC» y «Situación del "
                                                  "contribuyente».")
                                       .arg(nombre)
                                       .arg(renglones.isEmpty() ? 1 : renglones.at(qMin(int(renglones.size()), LineasDeEncabezado) - 1).linea));
    // Each stage's publication in the DOF: "Publicación DOF definitivos".
    int colPublicacion[4] = {-1, -1, -1, -1};
    const QStringList &titulos = renglones.at(encabezado).celdas;
    for (int c = 0; c < titulos.size(); ++c) {
        const QString t = Sencillo(titulos.at(c));
        if (!t.contains(QLatin1String("publicacion")) || !t.contains(QLatin1String("dof")))
            continue;
        for (int e = 0; e < 4; ++e) {
            if (colPublicacion[e] < 0 && t.contains(QLatin1String(Etapas[e])))
                colPublicacion[e] = c;
        }
    }
    QStringList sencillas;
    for (const QString &s : Situaciones)
        sencillas << Sencillo(s);
    for (int r = encabezado + 1; r < renglones.size(); ++r) {
        const Renglon &renglon = renglones.at(r);
        const QString rfc = RfcComoEnElReporte(renglon.celdas.value(colRfc));
        if (rfc.isEmpty())
            continue; // a line of commas, a note below the list
        const int situacion = int(sencillas.indexOf(Sencillo(renglon.celdas.value(colSituacion))));
        if (situacion < 0)
            return host::Falla(motivo, QStringLiteral("El archivo %1, línea %2: la situación «%3» del RFC %4 no es "
                                                      "Presunto, Desvirtuado, Definitivo ni Sentencia Favorable.")
                                           .arg(nombre)
                                           .arg(renglon.linea)
                                           .arg(renglon.celdas.value(colSituacion).trimmed(), rfc));
        const int col = colPublicacion[situacion];
        lista.porRfc.insert(rfc, ContribuyenteEn69B{Situaciones.at(situacion),
                                                    col < 0 ? QDate() : UltimaFecha(renglon.celdas.value(col))});
    }
    if (lista.porRfc.isEmpty())
        return host::Falla(motivo, QStringLiteral("El archivo %1 no es la lista 69-B del SAT: no tiene ningún "
                                                  "contribuyente después de su encabezado (línea %2).")
                                       .arg(nombre)
                                       .arg(renglones.at(encabezado).linea));
    return true;
}

bool LeerLista69BDeArchivo(const QString &ruta, Lista69B &lista, QString *motivo)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        lista = Lista69B{ruta, QDate(), {}};
        return host::Falla(motivo, QStringLiteral("No se pudo leer la lista 69-B %1: %2.").arg(QDir::toNativeSeparators(ruta), host::MotivoDeArchivo(f)));
    }
    return LeerLista69B(f.readAll(), ruta, lista, motivo);
}

} // namespace engine

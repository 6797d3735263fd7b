#include "ArchivoIni.h"

#include "ArchivoDeSalida.h"
#include "Cp1252.h"
#include "MotivosDelSistema.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringConverter>

namespace host::ini {

namespace {

enum class Codificacion { Utf8, Utf8ConMarca, Utf16LE, Utf16BE, Cp1252 };

// A line as the file has it: its text and its own line end ("\r\n", "\n", or "" for a last
// line without one), so that a line the program does not change is written back byte for byte.
struct Linea {
    QString texto;
    QString fin;
};

struct Contenido {
    QList<Linea> lineas;
    Codificacion codificacion = Codificacion::Utf8;
    bool existe = false;
    QString finNuevo; // line end of added lines
};

const char MarcaUtf8[] = "\xEF\xBB\xBF";

QString finPorDefecto()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\r\n");
#else
    return QStringLiteral("\n");
#endif
}

QByteArray codificar(const QString &texto, Codificacion c)
{
    switch (c) {
    case Codificacion::Utf8:
        return texto.toUtf8();
    case Codificacion::Utf8ConMarca:
        return QByteArray(MarcaUtf8) + texto.toUtf8();
    case Codificacion::Utf16LE:
        return QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE)(texto);
    case Codificacion::Utf16BE:
        return QByteArray("\xFE\xFF") + QStringEncoder(QStringConverter::Utf16BE)(texto);
    case Codificacion::Cp1252:
        return ACp1252(texto);
    }
    return QByteArray();
}

// Whether the text survives the file's encoding (Windows-1252 has no room for most characters).
bool cabe(const QString &texto, Codificacion c)
{
    return c != Codificacion::Cp1252 || DesdeCp1252(ACp1252(texto)) == texto;
}

bool decodificaSinError(const QByteArray &bytes, QStringConverter::Encoding e, QString &texto)
{
    QStringDecoder d(e, QStringConverter::Flag::Stateless);
    texto = d(bytes);
    return !d.hasError();
}

// The text of the file; "" in problema when it decodes to text that writes back to the same bytes.
QString decodificar(const QByteArray &bytes, Codificacion &c, QString &problema)
{
    QString texto;
    if (bytes.startsWith(MarcaUtf8)) {
        c = Codificacion::Utf8ConMarca;
        if (!decodificaSinError(bytes.mid(3), QStringConverter::Utf8, texto))
            problema = QStringLiteral("empieza como texto UTF-8 pero no lo es");
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool le = bytes.startsWith("\xFF\xFE");
        c = le ? Codificacion::Utf16LE : Codificacion::Utf16BE;
        if (bytes.size() % 2 != 0
            || !decodificaSinError(bytes.mid(2), le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, texto))
            problema = QStringLiteral("empieza como texto UTF-16 pero no lo es");
    } else if (decodificaSinError(bytes, QStringConverter::Utf8, texto)) {
        c = Codificacion::Utf8;
    } else {
        c = Codificacion::Cp1252;
        texto = DesdeCp1252(bytes);
    }
    if (!problema.isEmpty())
        return QString();
    for (const QChar ch : std::as_const(texto)) {
        const char16_t u = ch.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || (u >= 0x7F && u <= 0x9F)) {
            problema = QStringLiteral("no es un archivo de texto: tiene bytes nulos o caracteres de control "
                                      "(¿es un archivo binario, o texto UTF-16 sin su marca de orden de bytes?)");
            return QString();
        }
    }
    if (codificar(texto, c) != bytes) {
        problema = QStringLiteral("su texto no se podría volver a escribir igual");
        return QString();
    }
    return texto;
}

// Reads the file. A missing file gives an empty content; a file that exists but cannot be read or
// decoded gives the reason, so that it is never overwritten.
QString leer(const QString &archivo, Contenido &c)
{
    c = Contenido();
    c.finNuevo = finPorDefecto();
    if (archivo.isEmpty())
        return QStringLiteral("no se indicó el nombre del archivo");
    const QFileInfo info(archivo);
    if (info.isDir())
        return MotivoEnEspanol(QStringLiteral("Is a directory"));
    if (!info.exists())
        return QString();
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        return MotivoDeArchivo(f);
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return MotivoDeArchivo(f);
    QString problema;
    const QString texto = decodificar(bytes, c.codificacion, problema);
    if (!problema.isEmpty())
        return problema;
    c.existe = true;

    int crlf = 0, lf = 0;
    qsizetype inicio = 0;
    while (inicio < texto.size()) {
        qsizetype salto = texto.indexOf(QLatin1Char('\n'), inicio);
        Linea l;
        if (salto < 0) {
            l.texto = texto.mid(inicio);
            inicio = texto.size();
        } else {
            qsizetype finTexto = salto;
            if (finTexto > inicio && texto.at(finTexto - 1) == QLatin1Char('\r')) {
                --finTexto;
                ++crlf;
            } else {
                ++lf;
            }
            l.texto = texto.mid(inicio, finTexto - inicio);
            l.fin = texto.mid(finTexto, salto + 1 - finTexto);
            inicio = salto + 1;
        }
        c.lineas << l;
    }
    if (crlf > lf)
        c.finNuevo = QStringLiteral("\r\n");
    else if (lf > 0)
        c.finNuevo = QStringLiteral("\n");
    return QString();
}

enum class Tipo { Otra, Seccion, Clave };

// What a line is; for a section its name, for a key its name and where its "=" is.
Tipo clasificar(const QString &linea, QString &nombre, int &igual)
{
    const QString t = linea.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return Tipo::Otra;
    if (t.startsWith(QLatin1Char('['))) {
        const int cierre = t.indexOf(QLatin1Char(']'));
        if (cierre > 0) {
            nombre = t.mid(1, cierre - 1).trimmed();
            return Tipo::Seccion;
        }
    }
    igual = linea.indexOf(QLatin1Char('='));
    if (igual < 0)
        return Tipo::Otra;
    nombre = linea.left(igual).trimmed();
    return Tipo::Clave;
}

bool mismoNombre(const QString &a, const QString &b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A comment or a blank line.
bool esNota(const QString &linea)
{
    const QString t = linea.trimmed();
    return t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

bool tieneSalto(const QString &texto)
{
    return texto.contains(QLatin1Char('\n')) || texto.contains(QLatin1Char('\r'));
}

QString valorDe(const QString &linea, int igual)
{
    QString v = linea.mid(igual + 1);
    if (v.endsWith(QLatin1Char('\r')))
        v.chop(1);
    return v;
}

// Inserts a line at position i; the line it follows gets a line end if it had none (the last one).
void insertar(Contenido &c, qsizetype i, const QString &texto)
{
    Linea nueva{texto, c.finNuevo};
    if (i > 0 && c.lineas.at(i - 1).fin.isEmpty()) {
        c.lineas[i - 1].fin = c.finNuevo;
        nueva.fin.clear();
    }
    c.lineas.insert(i, nueva);
}

} // namespace

bool Legible(const QString &archivo, QString *error)
{
    Contenido c;
    const QString problema = leer(archivo, c);
    return problema.isEmpty() || Falla(error, problema);
}

QString Lee(const QString &archivo, const QString &seccion, const QString &clave)
{
    const QString sec = seccion.trimmed();
    const QString cla = clave.trimmed();
    if (sec.isEmpty() || cla.isEmpty())
        return QString();
    Contenido c;
    if (!leer(archivo, c).isEmpty())
        return QString();
    bool enSeccion = false;
    for (const Linea &linea : std::as_const(c.lineas)) {
        QString nombre;
        int igual = -1;
        switch (clasificar(linea.texto, nombre, igual)) {
        case Tipo::Seccion:
            enSeccion = mismoNombre(nombre, sec);
            break;
        case Tipo::Clave:
            if (enSeccion && mismoNombre(nombre, cla))
                return valorDe(linea.texto, igual);
            break;
        case Tipo::Otra:
            break;
        }
    }
    return QString();
}

bool Escribe(const QString &archivo, const QString &seccion, const QString &clave, const QString &valor, QString *error)
{
    const QString sec = seccion.trimmed();
    const QString cla = clave.trimmed();
    if (sec.isEmpty() || tieneSalto(sec) || sec.contains(QLatin1Char('[')) || sec.contains(QLatin1Char(']')))
        return Falla(error, QStringLiteral("el nombre de la sección «%1» no es válido").arg(seccion));
    if (cla.isEmpty() || tieneSalto(cla) || cla.contains(QLatin1Char('=')) || cla.startsWith(QLatin1Char(';'))
        || cla.startsWith(QLatin1Char('#')) || cla.startsWith(QLatin1Char('[')))
        return Falla(error, QStringLiteral("el nombre de la clave «%1» no es válido").arg(clave));
    if (tieneSalto(valor))
        return Falla(error, QStringLiteral("el valor de «%1» tiene un salto de línea").arg(cla));

    Contenido c;
    const QString problema = leer(archivo, c);
    if (!problema.isEmpty())
        return Falla(error, problema);
    if (!cabe(sec + cla + valor, c.codificacion))
        return Falla(error, QStringLiteral("el valor de «%1» tiene caracteres que no caben en la codificación "
                                            "Windows-1252 del archivo")
                                 .arg(cla));

    int lineaClave = -1, posIgual = -1;
    int finSeccion = -1; // last header or entry line of the first section with this name
    int seccionesVistas = 0;
    bool enSeccion = false, enPrimera = false;
    for (int i = 0; i < c.lineas.size(); ++i) {
        const QString &linea = c.lineas.at(i).texto;
        QString nombre;
        int igual = -1;
        const Tipo tipo = clasificar(linea, nombre, igual);
        if (tipo == Tipo::Seccion) {
            enSeccion = mismoNombre(nombre, sec);
            if (enSeccion)
                ++seccionesVistas;
            enPrimera = enSeccion && seccionesVistas == 1;
        } else if (tipo == Tipo::Clave && enSeccion && mismoNombre(nombre, cla)) {
            lineaClave = i;
            posIgual = igual;
            break;
        } else if (tipo == Tipo::Otra && esNota(linea)) {
            // Comments and blank lines at the end of a section usually introduce the next one,
            // so a new key goes before them.
            continue;
        }
        if (enPrimera)
            finSeccion = i;
    }

    const QString nueva = cla + QLatin1Char('=') + valor;
    if (lineaClave >= 0) {
        if (valorDe(c.lineas.at(lineaClave).texto, posIgual) == valor)
            return true; // nothing to change: the file is not touched
        c.lineas[lineaClave].texto = c.lineas.at(lineaClave).texto.left(posIgual + 1) + valor;
    } else if (seccionesVistas > 0) {
        insertar(c, finSeccion + 1, nueva);
    } else {
        if (!c.lineas.isEmpty() && !c.lineas.constLast().texto.trimmed().isEmpty())
            insertar(c, c.lineas.size(), QString());
        insertar(c, c.lineas.size(), QLatin1Char('[') + sec + QLatin1Char(']'));
        insertar(c, c.lineas.size(), nueva);
    }

    QString texto;
    for (const Linea &l : std::as_const(c.lineas))
        texto += l.texto + l.fin;
    const QByteArray bytes = codificar(texto, c.codificacion);

    // Written beside, flushed and checked, then renamed: a full disk never leaves half a file.
    try {
        ArchivoDeSalida f(archivo, ArchivoDeSalida::Modo::Reemplazar);
        f.EscribirBytes(bytes);
        f.Terminar();
    } catch (const Error &e) {
        return Falla(error, e.descripcion());
    }
    return true;
}

} // namespace host::ini

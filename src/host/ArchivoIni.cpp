#include "ArchivoIni.h"

#include "Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringList>

namespace host::ini {

namespace {

// A file as lines, with what is needed to write it back in the same style.
struct Contenido {
    QStringList lineas;        // without their line ends
    bool existe = false;
    bool crlf = false;         // line ends to write
    bool saltoFinal = true;    // whether the last line ends with a line end
};

QString decodificar(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return utf16(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString texto = utf8(bytes);
    if (!utf8.hasError())
        return texto;
    return DesdeCp1252(bytes);
}

bool saltosPorDefectoCrLf()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

// Reads the file. A missing file gives an empty content and true; a file that exists but cannot
// be read (a folder, no permission) gives false, so that it is never overwritten blindly.
bool leer(const QString &archivo, Contenido &c)
{
    c = Contenido();
    c.crlf = saltosPorDefectoCrLf();
    if (archivo.isEmpty())
        return false;
    const QFileInfo info(archivo);
    if (!info.exists())
        return true;
    QFile f(archivo);
    if (info.isDir() || !f.open(QIODevice::ReadOnly))
        return false;
    const QString texto = decodificar(f.readAll());
    c.existe = true;
    if (texto.isEmpty())
        return true;
    if (texto.contains(QLatin1String("\r\n")))
        c.crlf = true;
    else if (texto.contains(QLatin1Char('\n')))
        c.crlf = false;
    c.lineas = texto.split(QLatin1Char('\n'));
    c.saltoFinal = texto.endsWith(QLatin1Char('\n'));
    if (c.saltoFinal)
        c.lineas.removeLast();
    for (QString &linea : c.lineas) {
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
    }
    return true;
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

} // namespace

QString Lee(const QString &archivo, const QString &seccion, const QString &clave)
{
    const QString sec = seccion.trimmed();
    const QString cla = clave.trimmed();
    if (sec.isEmpty() || cla.isEmpty())
        return QString();
    Contenido c;
    if (!leer(archivo, c))
        return QString();
    bool enSeccion = false;
    for (const QString &linea : std::as_const(c.lineas)) {
        QString nombre;
        int igual = -1;
        switch (clasificar(linea, nombre, igual)) {
        case Tipo::Seccion:
            enSeccion = mismoNombre(nombre, sec);
            break;
        case Tipo::Clave:
            if (enSeccion && mismoNombre(nombre, cla))
                return linea.mid(igual + 1);
            break;
        case Tipo::Otra:
            break;
        }
    }
    return QString();
}

bool Escribe(const QString &archivo, const QString &seccion, const QString &clave, const QString &valor)
{
    const QString sec = seccion.trimmed();
    const QString cla = clave.trimmed();
    if (sec.isEmpty() || tieneSalto(sec) || sec.contains(QLatin1Char('[')) || sec.contains(QLatin1Char(']')))
        return false;
    if (cla.isEmpty() || tieneSalto(cla) || cla.contains(QLatin1Char('=')) || cla.startsWith(QLatin1Char(';'))
        || cla.startsWith(QLatin1Char('#')) || cla.startsWith(QLatin1Char('[')))
        return false;
    if (tieneSalto(valor))
        return false;

    Contenido c;
    if (!leer(archivo, c))
        return false;

    int lineaClave = -1, posIgual = -1;
    int finSeccion = -1; // last header or entry line of the first section with this name
    int seccionesVistas = 0;
    bool enSeccion = false, enPrimera = false;
    for (int i = 0; i < c.lineas.size(); ++i) {
        const QString &linea = c.lineas.at(i);
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
        const QString cambiada = c.lineas.at(lineaClave).left(posIgual + 1) + valor;
        if (c.existe && cambiada == c.lineas.at(lineaClave))
            return true; // nothing to change: the file is not touched
        c.lineas[lineaClave] = cambiada;
    } else if (seccionesVistas > 0) {
        c.lineas.insert(finSeccion + 1, nueva);
    } else {
        if (!c.lineas.isEmpty() && !c.lineas.constLast().trimmed().isEmpty())
            c.lineas << QString();
        c.lineas << QLatin1Char('[') + sec + QLatin1Char(']') << nueva;
    }

    const QString fin = c.crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString texto = c.lineas.join(fin);
    if (c.saltoFinal)
        texto += fin;

    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = texto.toUtf8();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace host::ini

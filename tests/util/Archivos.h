#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>

// What a missing file reads as, so that it never looks like an empty one.
inline const QByteArray NoExiste = "<no existe>";

// The bytes of a file, or NoExiste.
inline QByteArray LeerArchivo(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : NoExiste;
}

// Writes a file with these bytes; whether it was written whole.
inline bool EscribirArchivo(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A text's lines in sorted order: the same lines, whatever order lines that tie came in.
inline QByteArray LineasOrdenadas(const QByteArray &texto)
{
    QList<QByteArray> lineas = texto.split('\n');
    std::sort(lineas.begin(), lineas.end());
    return lineas.join('\n');
}

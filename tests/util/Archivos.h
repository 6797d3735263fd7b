#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// What a missing file reads as, so that it never looks like an empty one.
inline const QByteArray NoExiste = "<no existe>";

// The bytes of a file, or NoExiste.
inline QByteArray LeerArchivo(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : NoExiste;
}

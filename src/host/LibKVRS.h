#pragma once

#include "ObjetoHost.h"

#include <QDate>
#include <QString>
#include <QVariant>

namespace host {

// General library: configuration files, numbers and dates as the program shows and stores them,
// and the filtering of typed characters.
class LibKVRS : public ObjetoHost {
public:
    // A key of a hand-edited INI file; "" when the file, the section or the key is missing.
    QString LeeIni(const QString &seccion, const QString &clave, const QString &archivo) const;
    // Writes one key, keeping everything else in the file; false when the file cannot be written,
    // with the reason in Spanish in *error (see ini::Escribe).
    bool EscribeIni(const QString &seccion, const QString &clave, const QString &valor, const QString &archivo,
                    QString *error = nullptr);

    // The number that starts a text, read like a classic Val: leading blanks skipped, the longest
    // leading number taken ("12.5 kg" gives 12.5, "abc" gives 0). Empty text or NULL give 0.
    static double kvVal(const QString &texto);
    static double kvVal(const QVariant &valor);

    // Date literal for SQL: yyyy-MM-dd.
    static QString FechaSQL(const QDate &fecha);
    // Display pattern of dates (day/month/year) and the input mask of date boxes.
    static QString FormatoFecha() { return QStringLiteral("dd/MM/yyyy"); }
    // How SQL writes a date (FechaSQL), and how a date kept as text in the database starts.
    static QString FormatoFechaSQL() { return QStringLiteral("yyyy-MM-dd"); }
    static QString MascaraFecha() { return QStringLiteral("99/99/9999"); }
    // A date (or date and time) value shown with FormatoFecha.
    static QString FechaComoTexto(const QVariant &fecha);

    // Filters one typed character by the filter code of the field; sets caracter to 0 to drop it.
    //   "9": digits only (with the separator "/" of dates); "X": characters allowed in a file
    //   name; "!": anything but quotes and the backslash. Control characters always pass.
    static void Enter(int &caracter, const QString &filtro = QString());
};

} // namespace host

#pragma once

#include "ObjetoHost.h"

#include <QString>

namespace host {

// Settings of the point-of-sale installation. An installation folder is recognised by its
// settings file, NuboraPremium.ini (an INI file, see ArchivoIni.h), whose section [Datos] holds
// one key per setting: MySQLServer, MySQLPuerto, MySQLUsuario, MySQLPassword, servidor.
class DelRegistro : public ObjetoHost {
public:
    // Name of the settings file inside an installation folder, and its section.
    static QString nombreArchivo() { return QStringLiteral("NuboraPremium.ini"); }
    static QString seccion() { return QStringLiteral("Datos"); }

    // Full path of the settings file when ruta is an existing folder that holds it (the file
    // name is matched without regard to case); "" otherwise. A successful search makes that file
    // the one DatosNbr and GuardaDatosNbr work on; a failed one leaves the previous in place.
    QString BuscarRegistroNbr(QString &ruta);

    // A setting by name; "" when it is unset or no installation has been found.
    QString DatosNbr(const QString &nombre) const;
    // Stores a setting; false when no installation has been found, or when the file cannot be
    // written, then with the reason in Spanish in *error (see ini::Escribe).
    bool GuardaDatosNbr(const QString &nombre, const QString &valor, QString *error = nullptr);

    // The settings file in use; "" before a successful search.
    const QString &archivo() const { return archivo_; }

private:
    QString archivo_;
};

} // namespace host

#pragma once

#include "ArchivoDeSalida.h"

#include <QFile>
#include <QSaveFile>

#include <limits>
#include <memory>

// Devices that take `cabe` bytes and then fail as the system would, with its English text.
template <class Base>
class QueFalla : public Base {
public:
    QueFalla(const QString &ruta, qint64 cabe, QString error) : Base(ruta), cabe_(cabe), error_(std::move(error)) {}

protected:
    qint64 writeData(const char *datos, qint64 n) override
    {
        if (escritos_ + n > cabe_) {
            this->setErrorString(error_);
            return -1;
        }
        escritos_ += n;
        return Base::writeData(datos, n);
    }

private:
    qint64 cabe_, escritos_ = 0;
    QString error_;
};

// A maker of files for host::FabricaDeSalidaGuard whose files take `cabe` bytes each. With
// soloPara, only the file of that name fails; the others are real.
inline host::ArchivoDeSalida::Fabrica queFalla(qint64 cabe, const QString &error, const QString &soloPara = QString())
{
    return [=](const QString &ruta, host::ArchivoDeSalida::Modo modo) -> std::unique_ptr<QFileDevice> {
        const bool falla = soloPara.isEmpty() || ruta.endsWith(soloPara);
        const qint64 limite = falla ? cabe : std::numeric_limits<qint64>::max() / 2;
        if (modo == host::ArchivoDeSalida::Modo::Reemplazar)
            return std::make_unique<QueFalla<QSaveFile>>(ruta, limite, error);
        return std::make_unique<QueFalla<QFile>>(ruta, limite, error);
    };
}

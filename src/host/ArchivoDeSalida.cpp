#include "ArchivoDeSalida.h"

#include "Cp1252.h"
#include "MotivosDelSistema.h"

#include <QFile>
#include <QSaveFile>

namespace host {

namespace {

std::unique_ptr<QFileDevice> archivoReal(const QString &ruta, ArchivoDeSalida::Modo modo)
{
    if (modo == ArchivoDeSalida::Modo::Reemplazar)
        return std::make_unique<QSaveFile>(ruta);
    return std::make_unique<QFile>(ruta);
}

ArchivoDeSalida::Fabrica &fabricaActual()
{
    static ArchivoDeSalida::Fabrica fabrica = archivoReal;
    return fabrica;
}

} // namespace

ArchivoDeSalida::ArchivoDeSalida(const QString &ruta, Modo modo)
    : ruta_(ruta), archivo_(fabricaActual()(ruta, modo))
{
    const auto apertura = modo == Modo::Directo ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::WriteOnly;
    if (!archivo_->open(apertura))
        throw ErrorDeArchivo(NoSePudoCrear(), ruta_, MotivoDeArchivo(*archivo_));
}

// The device's own destructor does the right thing: an unfinished replacement is dropped with its
// temporary copy, a direct file is closed with what was written.
ArchivoDeSalida::~ArchivoDeSalida() = default;

void ArchivoDeSalida::EscribirLinea(const QString &linea)
{
    const QByteArray bytes = ACp1252(linea) + "\r\n";
    if (archivo_->write(bytes) != bytes.size())
        fallar();
}

void ArchivoDeSalida::Vaciar()
{
    if (!archivo_->flush())
        fallar();
}

void ArchivoDeSalida::Terminar()
{
    if (auto *reemplazo = qobject_cast<QSaveFile *>(archivo_.get())) {
        if (!reemplazo->commit())
            fallar();
        return;
    }
    if (!archivo_->flush())
        fallar();
    archivo_->close();
}

void ArchivoDeSalida::fallar()
{
    const Error e = ErrorDeArchivo(NoSePudoEscribir(), ruta_, MotivoDeArchivo(*archivo_));
    if (auto *reemplazo = qobject_cast<QSaveFile *>(archivo_.get()))
        reemplazo->cancelWriting();
    throw e;
}

FabricaDeSalidaGuard::FabricaDeSalidaGuard(ArchivoDeSalida::Fabrica fabrica)
    : anterior_(std::move(fabricaActual()))
{
    fabricaActual() = std::move(fabrica);
}

FabricaDeSalidaGuard::~FabricaDeSalidaGuard()
{
    fabricaActual() = std::move(anterior_);
}

} // namespace host

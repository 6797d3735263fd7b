#include "ArchivoDeSalida.h"

#include "Cp1252.h"
#include "MotivosDelSistema.h"

#include <QFile>
#include <QSaveFile>

namespace host {

namespace {

// Bytes gathered before they are handed to the system: large enough that a report of a hundred
// thousand lines takes a few hundred writes.
constexpr qsizetype Tramo = 64 * 1024;

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

// An unfinished replacement is dropped with its temporary copy by its device's destructor; a
// direct file gets what is still pending, and is closed with it.
ArchivoDeSalida::~ArchivoDeSalida()
{
    if (!pendiente_.isEmpty() && !qobject_cast<QSaveFile *>(archivo_.get()) && archivo_->isOpen())
        archivo_->write(pendiente_);
}

void ArchivoDeSalida::EscribirLinea(const QString &linea)
{
    EscribirBytes(ACp1252(linea) + "\r\n");
}

void ArchivoDeSalida::EscribirBytes(const QByteArray &bytes)
{
    pendiente_ += bytes;
    if (pendiente_.size() >= Tramo)
        volcar();
}

void ArchivoDeSalida::volcar()
{
    if (pendiente_.isEmpty())
        return;
    const qint64 escritos = archivo_->write(pendiente_);
    if (escritos != pendiente_.size())
        fallar();
    pendiente_.clear();
}

void ArchivoDeSalida::Vaciar()
{
    volcar();
    // The device's own buffer: its write to the system is where a full disk is met.
    if (!archivo_->flush())
        fallar();
}

void ArchivoDeSalida::Terminar()
{
    Vaciar();
    if (auto *reemplazo = qobject_cast<QSaveFile *>(archivo_.get())) {
        if (!reemplazo->commit())
            fallar();
        return;
    }
    archivo_->close();
}

void ArchivoDeSalida::fallar()
{
    const Error e = ErrorDeArchivo(NoSePudoEscribir(), ruta_, MotivoDeArchivo(*archivo_));
    pendiente_.clear();
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

#include "ReemplazoEnConjunto.h"

#include "ArchivoDeSalida.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace host {

namespace {

bool renombrarReal(const QString &de, const QString &a, QString *motivo)
{
    QFile archivo(de);
    if (archivo.rename(a))
        return true;
    *motivo = MotivoDeArchivo(archivo);
    return false;
}

ReemplazoEnConjunto::Renombrado &renombradoActual()
{
    static ReemplazoEnConjunto::Renombrado renombrado = renombrarReal;
    return renombrado;
}

} // namespace

bool EsDeSoloLectura(const QString &ruta)
{
    const QFileInfo info(ruta);
    return info.exists() && !info.isDir() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner));
}

void ReemplazoEnConjunto::Agregar(const QString &origen, const QString &destino)
{
    Miembro m;
    m.origen = origen;
    m.destino = destino;
    miembros_.append(m);
}

void ReemplazoEnConjunto::Agregar(ArchivoDeSalida &archivo)
{
    Miembro m;
    m.destino = archivo.ruta();
    m.archivo = &archivo;
    miembros_.append(m);
}

void ReemplazoEnConjunto::Reemplazar()
{
    for (const Miembro &m : std::as_const(miembros_)) {
        if (EsDeSoloLectura(m.destino))
            throw ErrorDeArchivo(NoSePudoReemplazar(), m.destino, ArchivoDeSoloLectura());
    }
    // The message names the file of the report's set: the earlier one stepping aside, or the new one's place.
    const auto renombrar = [](const QString &de, const QString &a, const QString &nombrado) {
        QString motivo;
        if (!renombradoActual()(de, a, &motivo))
            throw ErrorDeArchivo(NoSePudoReemplazar(), nombrado, motivo);
    };
    try {
        for (Miembro &m : miembros_) {
            if (!QFileInfo::exists(m.destino))
                continue;
            const QString aparte = m.destino + QStringLiteral(".anterior");
            QFile::remove(aparte);
            renombrar(m.destino, aparte, m.destino);
            m.aparte = aparte;
        }
        for (Miembro &m : miembros_) {
            if (m.archivo)
                m.archivo->Terminar();
            else
                renombrar(m.origen, m.destino, m.destino);
            m.puesto = true;
        }
    } catch (const Error &e) {
        throw Error(e.numero(), e.descripcion() + deshacer());
    }
    for (const Miembro &m : std::as_const(miembros_)) {
        if (!m.aparte.isEmpty())
            QFile::remove(m.aparte);
    }
}

// The new files placed so far leave, and the earlier ones come back; what cannot come back is
// told, to be added to the failure's message.
QString ReemplazoEnConjunto::deshacer()
{
    QString noVolvieron;
    for (auto m = miembros_.rbegin(); m != miembros_.rend(); ++m) {
        QString motivo;
        if (m->puesto) {
            if (m->archivo)
                QFile::remove(m->destino);
            else
                renombradoActual()(m->destino, m->origen, &motivo);
        }
        if (!m->aparte.isEmpty() && !renombradoActual()(m->aparte, m->destino, &motivo))
            noVolvieron += QStringLiteral("; tampoco se pudo devolver el archivo anterior %1, que quedó como %2: %3")
                               .arg(QDir::toNativeSeparators(m->destino), QDir::toNativeSeparators(m->aparte), motivo);
    }
    return noVolvieron;
}

RenombradoGuard::RenombradoGuard(ReemplazoEnConjunto::Renombrado renombrado)
    : anterior_(std::move(renombradoActual()))
{
    renombradoActual() = std::move(renombrado);
}

RenombradoGuard::~RenombradoGuard()
{
    renombradoActual() = std::move(anterior_);
}

} // namespace host

#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace host {

class ArchivoDeSalida;

// The files of one piece of work (a report, its log and its review) that take the place of the
// earlier files of their names together: after Reemplazar either every one is in its place, or
// none is and the earlier files are back, byte for byte.
class ReemplazoEnConjunto {
public:
    // A file already written whole under another name (the log, under the failed run's name),
    // renamed to destino; if the set fails it gets its own name back.
    void Agregar(const QString &origen, const QString &destino);
    // A replacement written but not finished (ArchivoDeSalida::Modo::Reemplazar): its Terminar
    // puts it in its place; if the set fails it is removed. It must outlive Reemplazar.
    void Agregar(ArchivoDeSalida &archivo);

    // An earlier file that is read-only stops the set before anything is touched. Then the earlier
    // files step aside (name + ".anterior"), the new ones take their places and the earlier ones
    // are removed. When a step fails, what was done is undone and host::Error (AccesoArchivo)
    // names the file and the reason in Spanish; an earlier file that cannot come back is named
    // in the same message, with where it was left.
    void Reemplazar();

    // What renames the files (false with the reason in Spanish in *motivo); tests put one that
    // fails in its place with RenombradoGuard.
    using Renombrado = std::function<bool(const QString &de, const QString &a, QString *motivo)>;

private:
    struct Miembro {
        QString origen, destino;
        ArchivoDeSalida *archivo = nullptr;
        QString aparte; // where the earlier file stepped aside; empty: none
        bool puesto = false;
    };
    QString deshacer();
    QList<Miembro> miembros_;
};

// Whether an earlier file is marked read-only (the user's mark: no write permission for its
// owner, or none for this user), which no replacement may ignore.
bool EsDeSoloLectura(const QString &ruta);

// While alive, ReemplazoEnConjunto renames through another function; the one before comes back
// when it is destroyed.
class RenombradoGuard {
public:
    explicit RenombradoGuard(ReemplazoEnConjunto::Renombrado renombrado);
    ~RenombradoGuard();
    RenombradoGuard(const RenombradoGuard &) = delete;
    RenombradoGuard &operator=(const RenombradoGuard &) = delete;

private:
    ReemplazoEnConjunto::Renombrado anterior_;
};

} // namespace host

#pragma once

#include <QSet>
#include <QString>

#include <functional>

namespace host {
class ArchivoDeSalida;
class BasesDD;
class Conexion;
class Registros;
} // namespace host

namespace engine {

class Revision;
class RevisionDeRepetidos;

// The report file: for each of the fifty RFCs with the largest amounts in the work table
// tmptempoieps (RFCs told apart by their bytes), one "|"-separated line per work-table row, its
// fields as CamposDelReporte gives them.
class EscritorDeReporte {
public:
    // juegoRfc: the character set of the work table's RFC column. The review is told the amounts
    // not written in plain digits, the repeated RFCs of the report the RFCs the collation joins.
    EscritorDeReporte(host::BasesDD &bases, host::Conexion &cn, const QString &juegoRfc, Revision &revision,
                      RevisionDeRepetidos &repetidos);

    // Writes the lines into archivo (the caller puts it in its place), reading the rows with rs;
    // the lines of customers, or of suppliers. comprobarCancelacion throws when the run was
    // cancelled: it is called before each RFC.
    void Escribir(host::ArchivoDeSalida &archivo, host::Registros &rs, bool blSonCtes,
                  const std::function<void()> &comprobarCancelacion);

    // After Escribir: the RFCs as written, in capitals, and how many different ones byte for byte.
    const QSet<QString> &rfcsEnMayusculas() const { return enMayusculas_; }
    int rfcsEscritos() const { return escritos_; }

private:
    host::BasesDD &bases_;
    host::Conexion &cn_;
    QString juegoRfc_;
    Revision &revision_;
    RevisionDeRepetidos &repetidos_;
    QSet<QString> enMayusculas_;
    int escritos_ = 0;
};

} // namespace engine

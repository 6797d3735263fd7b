#include "Registros.h"

#include "Conexion.h"
#include "Errores.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace host {

namespace {
// Column type codes of the MySQL protocol that need care when a row is identified by its values.
constexpr int TipoFloat = 4;
constexpr int TipoDouble = 5;

Error sinFilaActual()
{
    return Error(3021, QStringLiteral("No hay registro actual: el conjunto está al final de los datos"));
}
} // namespace

void Registros::Abrir(Conexion &cn, const QString &consulta, const QString &tabla)
{
    Cerrar();
    if (!cn.abierta())
        throw SinConexion(consulta);
    QSqlQuery q(cn.bd());
    q.setForwardOnly(true);
    cn.Ejecutar(q, consulta);
    leer(cn, q, tabla);
}

QVector<Registros> Registros::AbrirVarias(Conexion &cn, const QStringList &consultas)
{
    QVector<Registros> r;
    if (consultas.isEmpty())
        return r;
    if (!cn.abierta())
        throw SinConexion(consultas.first());
    const QString texto = consultas.join(QLatin1Char(';'));
    QSqlQuery q(cn.bd());
    q.setForwardOnly(true);
    cn.Ejecutar(q, texto);
    r.resize(consultas.size());
    for (int i = 0; i < consultas.size(); ++i) {
        if (i > 0 && !cn.SiguienteResultado(q, texto))
            throw ErrorSql(-1,
                           QStringLiteral("El servidor respondió %1 de %2 consultas enviadas juntas")
                               .arg(i)
                               .arg(consultas.size()),
                           texto);
        r[i].leer(cn, q, QString());
    }
    return r;
}

void Registros::leer(Conexion &cn, QSqlQuery &q, const QString &tabla)
{
    const QSqlRecord rec = q.record();
    const int n = rec.count();
    columnas_.reserve(n);
    tiposSql_.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QSqlField f = rec.field(i);
        columnas_ << f.name();
        tiposSql_ << f.typeID();
        const QString clave = f.name().toLower();
        if (!indices_.contains(clave))
            indices_.insert(clave, i);
        if (!exactos_.contains(f.name()))
            exactos_.insert(f.name(), indices_.value(clave));
    }
    if (q.size() > 0)
        filas_.reserve(q.size());
    while (q.next()) {
        QVector<QVariant> fila(n);
        for (int i = 0; i < n; ++i)
            fila[i] = q.value(i);
        filas_.push_back(std::move(fila));
    }
    cn_ = &cn;
    tabla_ = tabla;
    actual_ = 0;
    abierto_ = true;
}

void Registros::Cerrar()
{
    abierto_ = false;
    cn_ = nullptr;
    tabla_.clear();
    columnas_.clear();
    tiposSql_.clear();
    indices_.clear();
    exactos_.clear();
    filas_.clear();
    sinLeer_.clear();
    actual_ = 0;
    edicion_ = Edicion::Ninguna;
    pendiente_.clear();
    cambiado_.clear();
}

bool Registros::Eof() const
{
    return !abierto_ || actual_ >= filas_.size();
}

void Registros::MoveNext()
{
    if (Eof())
        throw sinFilaActual();
    edicion_ = Edicion::Ninguna;
    ++actual_;
}

int Registros::columna(const QString &nombre) const
{
    const auto exacto = exactos_.constFind(nombre);
    if (exacto != exactos_.constEnd())
        return exacto.value();
    const auto it = indices_.constFind(nombre.toLower());
    if (it == indices_.constEnd())
        throw Error(3265, QStringLiteral("No se encontró el campo «%1» en la consulta").arg(nombre));
    return it.value();
}

QVariant Registros::Campo(const QString &nombre) const
{
    const int i = columna(nombre);
    if (edicion_ != Edicion::Ninguna && cambiado_.value(i))
        return pendiente_[i];
    if (edicion_ == Edicion::Nueva)
        return QVariant();
    if (Eof())
        throw sinFilaActual();
    return filas_[actual_][i];
}

QVariant Registros::CampoDeFila(int fila, const QString &nombre) const
{
    const int i = columna(nombre);
    if (fila < 0 || fila >= filas_.size())
        throw sinFilaActual();
    return filas_[fila][i];
}

void Registros::AddNew()
{
    if (!abierto_)
        throw Error(3704, QStringLiteral("El conjunto de registros está cerrado"));
    edicion_ = Edicion::Nueva;
    pendiente_ = QVector<QVariant>(columnas_.size());
    cambiado_ = QVector<bool>(columnas_.size(), false);
}

void Registros::Collect(const QString &nombre, const QVariant &valor)
{
    const int i = columna(nombre);
    if (edicion_ == Edicion::Ninguna) {
        if (Eof())
            throw sinFilaActual();
        edicion_ = Edicion::Cambios;
        pendiente_ = filas_[actual_];
        cambiado_ = QVector<bool>(columnas_.size(), false);
    }
    pendiente_[i] = valor;
    cambiado_[i] = true;
}

QString Registros::condicionFila(int indiceFila) const
{
    const QVector<QVariant> &fila = filas_[indiceFila];
    const QVector<bool> sinLeer = sinLeer_.value(indiceFila);
    QStringList partes;
    for (int i = 0; i < columnas_.size(); ++i) {
        if (sinLeer.value(i))
            continue;
        const QVariant &v = fila[i];
        const QString col = QLatin1Char('`') + columnas_[i] + QLatin1Char('`');
        if (v.isNull())
            partes << col + QLatin1String(" IS NULL");
        else if (tiposSql_[i] == TipoFloat)
            // The server sends a FLOAT as a text of at most six significant digits (0.3333 for
            // 0.333299994..., 1234.57 for 1234.56774...), which is all this record set knows of it.
            // The column compared through that same text matches exactly the row that was read.
            partes << QStringLiteral("CAST(%1 AS CHAR)+0=").arg(col) + NumeroSql(v.toDouble());
        else if (tiposSql_[i] == TipoDouble)
            partes << col + QLatin1Char('=') + NumeroSql(v.toDouble());
        else
            partes << col + QLatin1Char('=') + cn_->Literal(v);
    }
    return partes.join(QLatin1String(" AND "));
}

void Registros::Update()
{
    if (edicion_ == Edicion::Ninguna)
        return;
    if (!abierto_ || !cn_ || tabla_.isEmpty())
        throw Error(3251, QStringLiteral("El conjunto de registros no admite cambios"));

    QStringList nombres, valores;
    for (int i = 0; i < columnas_.size(); ++i) {
        if (!cambiado_[i])
            continue;
        nombres << QLatin1Char('`') + columnas_[i] + QLatin1Char('`');
        valores << cn_->Literal(pendiente_[i]);
    }

    if (edicion_ == Edicion::Nueva) {
        cn_->Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(tabla_, nombres.join(QLatin1Char(',')), valores.join(QLatin1Char(','))));
        // The new row becomes the current one; columns left unset hold what the server gave them,
        // which this record set does not know.
        filas_.push_back(pendiente_);
        actual_ = filas_.size() - 1;
        QVector<bool> sinLeer(columnas_.size());
        for (int i = 0; i < columnas_.size(); ++i)
            sinLeer[i] = !cambiado_[i];
        sinLeer_.insert(actual_, sinLeer);
    } else {
        if (!nombres.isEmpty()) {
            QStringList asignaciones;
            for (int k = 0; k < nombres.size(); ++k)
                asignaciones << nombres[k] + QLatin1Char('=') + valores[k];
            cn_->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 LIMIT 1")
                             .arg(tabla_, asignaciones.join(QLatin1Char(',')), condicionFila(actual_)));
        }
        filas_[actual_] = pendiente_;
    }
    edicion_ = Edicion::Ninguna;
    pendiente_.clear();
    cambiado_.clear();
}

} // namespace host

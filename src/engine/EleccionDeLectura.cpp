#include "EleccionDeLectura.h"

#include "Acumulador.h"
#include "Conexion.h"
#include "Errores.h"
#include "Registros.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <limits>

namespace engine {

namespace {

struct Columna {
    QString tipo;
    QString juego, colacion;
};

struct Indice {
    QStringList columnas; // lower case, in index order
};

struct Tabla {
    QString nombre;
    QString motor, tipo;
    QHash<QString, Columna> columnas; // by lower-case name
    QMap<QString, Indice> indices;    // by name
};

// A reason not to read by periods.
struct NoSePuede {
    QString motivo;
};

QString Minusculas(const QVariant &v)
{
    return v.toString().toLower();
}

bool EsEntera(const Columna &c)
{
    static const QSet<QString> enteros = {QStringLiteral("tinyint"), QStringLiteral("smallint"),
                                          QStringLiteral("mediumint"), QStringLiteral("int"), QStringLiteral("bigint")};
    return enteros.contains(c.tipo);
}

bool EsValorEntero(const QVariant &v)
{
    if (v.isNull())
        return false;
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    case QMetaType::ULongLong:
        return v.toULongLong() <= quint64(std::numeric_limits<qint64>::max());
    default:
        return false;
    }
}

class Revision {
public:
    Revision(host::Conexion &cn, const Lado &lado)
        : cn_(cn)
        , lado_(lado)
    {
    }

    EleccionDeLectura revisar(const host::Registros &pagos)
    {
        EleccionDeLectura e;
        leerDefiniciones();
        e.llaveAnexos = revisarAnexos(e.dudaAnexos);
        revisarDocumentosYLineas(e);
        revisarFolios(pagos);
        revisarPresentaciones();
        revisarRfcs(pagos);
        return e;
    }

private:
    QString nombres() const
    {
        QStringList n;
        for (const char *t : {lado_.anexos, lado_.documentos, lado_.detalle, "productos", "lineas", "tmptempoieps"})
            n << QLatin1Char('\'') + QLatin1String(t) + QLatin1Char('\'');
        return n.join(QLatin1Char(','));
    }

    void leerDefiniciones()
    {
        const QString donde = QStringLiteral(" WHERE TABLE_SCHEMA=DATABASE() AND TABLE_NAME IN (") + nombres()
                              + QLatin1Char(')');
        host::Registros rs;
        rs.Abrir(cn_, QStringLiteral("SELECT TABLE_NAME,ENGINE,TABLE_TYPE FROM information_schema.TABLES") + donde,
                 QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i) {
            Tabla &t = tablas_[Minusculas(rs.CampoDeFila(i, QStringLiteral("TABLE_NAME")))];
            t.nombre = rs.CampoDeFila(i, QStringLiteral("TABLE_NAME")).toString();
            t.motor = Minusculas(rs.CampoDeFila(i, QStringLiteral("ENGINE")));
            t.tipo = rs.CampoDeFila(i, QStringLiteral("TABLE_TYPE")).toString();
        }
        rs.Abrir(cn_,
                 QStringLiteral("SELECT TABLE_NAME,COLUMN_NAME,DATA_TYPE,CHARACTER_SET_NAME,COLLATION_NAME "
                                "FROM information_schema.COLUMNS")
                     + donde,
                 QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i) {
            Columna c;
            c.tipo = Minusculas(rs.CampoDeFila(i, QStringLiteral("DATA_TYPE")));
            c.juego = rs.CampoDeFila(i, QStringLiteral("CHARACTER_SET_NAME")).toString();
            c.colacion = rs.CampoDeFila(i, QStringLiteral("COLLATION_NAME")).toString();
            tablas_[Minusculas(rs.CampoDeFila(i, QStringLiteral("TABLE_NAME")))]
                .columnas.insert(Minusculas(rs.CampoDeFila(i, QStringLiteral("COLUMN_NAME"))), c);
        }
        rs.Abrir(cn_,
                 QStringLiteral("SELECT TABLE_NAME,INDEX_NAME,COLUMN_NAME FROM information_schema.STATISTICS")
                     + donde + QStringLiteral(" ORDER BY TABLE_NAME,INDEX_NAME,SEQ_IN_INDEX"),
                 QString());
        for (int i = 0; i < rs.cantidadFilas(); ++i) {
            Indice &x = tablas_[Minusculas(rs.CampoDeFila(i, QStringLiteral("TABLE_NAME")))]
                            .indices[rs.CampoDeFila(i, QStringLiteral("INDEX_NAME")).toString()];
            x.columnas << Minusculas(rs.CampoDeFila(i, QStringLiteral("COLUMN_NAME")));
        }
    }

    const Tabla &tabla(const char *nombre)
    {
        const auto it = tablas_.constFind(QLatin1String(nombre));
        if (it == tablas_.constEnd() || it->columnas.isEmpty())
            throw NoSePuede{QStringLiteral("no se encontró la tabla %1").arg(QLatin1String(nombre))};
        return it.value();
    }

    const Columna &columna(const Tabla &t, const char *nombre)
    {
        const auto it = t.columnas.constFind(QString::fromLatin1(nombre).toLower());
        if (it == t.columnas.constEnd())
            throw NoSePuede{QStringLiteral("la tabla %1 no tiene la columna %2").arg(t.nombre, QLatin1String(nombre))};
        return it.value();
    }

    void entera(const Tabla &t, const char *nombre)
    {
        if (!EsEntera(columna(t, nombre)))
            throw NoSePuede{QStringLiteral("la columna %1.%2 no es de números enteros").arg(t.nombre, QLatin1String(nombre))};
    }

    // Whether the server returns one payment's links in the order of the clustered primary key,
    // whatever way it reads them: the key's columns, or empty and the reason for the doubt.
    QStringList revisarAnexos(QString &duda)
    {
        const Tabla &t = tabla(lado_.anexos);
        const QString folio = QStringLiteral("foliodelpago");
        const QString documento = QString::fromLatin1(lado_.documentoDelAnexo).toLower();
        entera(t, "FolioDelPago");
        entera(t, lado_.documentoDelAnexo);
        columna(t, "Cantidad");
        // Only InnoDB keeps a table's rows in its primary key's order, and its secondary indexes
        // in that order within equal values: MyISAM and Aria read deleted rows' places again.
        if (t.motor != QLatin1String("innodb") || t.tipo != QLatin1String("BASE TABLE")) {
            duda = QStringLiteral("la tabla %1 no es InnoDB").arg(t.nombre);
            return {};
        }
        const auto primaria = t.indices.constFind(QStringLiteral("PRIMARY"));
        if (primaria == t.indices.constEnd()) {
            duda = QStringLiteral("la tabla %1 no tiene llave primaria").arg(t.nombre);
            return {};
        }
        const QStringList llave = primaria->columnas;
        // Another index could give the server a different order: one that starts with the folio
        // and goes on with other columns, one that starts with the document (a range on <>0), or
        // one that holds every column the statement reads (read whole instead of the table).
        for (auto it = t.indices.constBegin(); it != t.indices.constEnd(); ++it) {
            if (it.key() == QLatin1String("PRIMARY"))
                continue;
            const QStringList &c = it->columnas;
            const bool soloFolio = c == QStringList{folio} || c == QStringList{folio} + llave;
            const bool cubre = c.contains(folio) && c.contains(documento) && c.contains(QStringLiteral("cantidad"));
            if (!soloFolio && (c.first() == folio || c.first() == documento || cubre)) {
                duda = QStringLiteral("el índice %1 de la tabla %2 puede cambiar el orden de los renglones de un pago")
                           .arg(it.key(), t.nombre);
                return {};
            }
        }
        return llave;
    }

    // Keys that repeat and lines that share a Partida are found in the rows read; only the types
    // decide here.
    void revisarDocumentosYLineas(EleccionDeLectura &e)
    {
        const Tabla &documentos = tabla(lado_.documentos);
        entera(documentos, lado_.claveDocumento);

        const Tabla &detalle = tabla(lado_.detalle);
        entera(detalle, lado_.claveDetalle);
        static const QSet<QString> numericos = {QStringLiteral("decimal"), QStringLiteral("float"), QStringLiteral("double")};
        const Columna &partida = columna(detalle, "Partida");
        e.partidaNumerica = EsEntera(partida) || numericos.contains(partida.tipo);

        columna(tabla("productos"), "Clave");

        const Tabla &lineas = tabla("lineas");
        entera(lineas, "Id");
        columna(lineas, "Linea");
    }

    void revisarFolios(const host::Registros &pagos)
    {
        // A folio that is not a whole number makes the per-row statement fail or match by
        // conversion; that run must fail or match the same way.
        for (int i = 0; i < pagos.cantidadFilas(); ++i) {
            if (!EsValorEntero(pagos.CampoDeFila(i, QStringLiteral("Folio"))))
                throw NoSePuede{QStringLiteral("el pago %1 no tiene un folio entero")
                                    .arg(pagos.CampoDeFila(i, QStringLiteral("ID")).toString())};
        }
    }

    void revisarPresentaciones()
    {
        // The row-by-row accumulation finds a group again by the six significant digits the
        // server sends of its presentation: two presentations that agree in those could be
        // confused there, and a number beyond single precision breaks its look-up.
        host::Registros rs;
        rs.Abrir(cn_, QStringLiteral("SELECT DISTINCT Pedimento FROM productos WHERE Pedimento IS NOT NULL"), QString());
        QHash<QString, float> porTexto;
        for (int i = 0; i < rs.cantidadFilas(); ++i) {
            const QString presentacion = PresentacionDelGrupo(rs.CampoDeFila(i, QStringLiteral("Pedimento")));
            const float simple = PresentacionSimple(presentacion);
            if (!std::isfinite(simple))
                throw NoSePuede{QStringLiteral("la presentación %1 no cabe en la tabla de trabajo").arg(presentacion)};
            const QString seis = QString::number(double(simple), 'g', 6);
            const auto it = porTexto.constFind(seis);
            if (it != porTexto.constEnd() && it.value() != simple)
                throw NoSePuede{QStringLiteral("hay presentaciones que sólo difieren después de la sexta cifra (%1)").arg(seis)};
            porTexto.insert(seis, simple);
        }
    }

    void revisarRfcs(const host::Registros &pagos)
    {
        const Tabla &trabajo = tabla("tmptempoieps");
        const Columna &rfc = columna(trabajo, "RFC");
        static const QRegularExpression nombreSimple(QStringLiteral("^[A-Za-z0-9_]+$"));
        if (!nombreSimple.match(rfc.juego).hasMatch() || !nombreSimple.match(rfc.colacion).hasMatch())
            throw NoSePuede{QStringLiteral("la tabla de trabajo tiene una colación desconocida")};

        QStringList rfcs;
        QSet<QString> vistos;
        for (int i = 0; i < pagos.cantidadFilas(); ++i) {
            Pago p;
            p.rfc = pagos.CampoDeFila(i, QStringLiteral("RFC"));
            const QString r = RfcDeLaTabla(RfcDelGrupo(p));
            if (vistos.contains(r))
                continue;
            vistos.insert(r);
            rfcs << r;
        }

        // The work table tells RFCs apart by their bytes in its character set: an RFC that the
        // set cannot hold as it is would share its bytes with another text.
        const int porSentencia = 500;
        for (int desde = 0; desde < rfcs.size(); desde += porSentencia) {
            QStringList partes;
            const int hasta = qMin(desde + porSentencia, int(rfcs.size()));
            for (int i = desde; i < hasta; ++i) {
                const QString literal = cn_.Literal(rfcs[i]);
                const QString convertido = QStringLiteral("CONVERT(%1 USING %2)").arg(literal, rfc.juego);
                partes << QStringLiteral("SELECT %1 AS n,BINARY CONVERT(%2 USING utf8mb4)=BINARY %3 AS igual")
                              .arg(i)
                              .arg(convertido, literal);
            }
            host::Registros rs;
            rs.Abrir(cn_, partes.join(QStringLiteral(" UNION ALL ")), QString());
            for (int f = 0; f < rs.cantidadFilas(); ++f) {
                const QString &r = rfcs.at(rs.CampoDeFila(f, QStringLiteral("n")).toInt());
                if (rs.CampoDeFila(f, QStringLiteral("igual")).toInt() != 1)
                    throw NoSePuede{QStringLiteral("el RFC «%1» tiene caracteres que la tabla de trabajo no guarda").arg(r)};
            }
        }
    }

    host::Conexion &cn_;
    const Lado &lado_;
    QHash<QString, Tabla> tablas_;
};

} // namespace

EleccionDeLectura ElegirLectura(host::Conexion &cn, const Lado &lado, const host::Registros &pagos)
{
    try {
        return Revision(cn, lado).revisar(pagos);
    } catch (const NoSePuede &e) {
        EleccionDeLectura r;
        r.motivo = e.motivo;
        return r;
    } catch (const host::Error &e) {
        // A connection that went, or a statement ended from outside, says nothing of the database.
        if (host::ConexionPerdida(e.numero()) || e.numero() == 1317)
            throw;
        EleccionDeLectura r;
        r.motivo = QStringLiteral("no se pudo revisar la base de datos (%1)").arg(e.texto());
        return r;
    }
}

} // namespace engine

#pragma once

#include "RastroDeDetalle.h"
#include "ResumenDeReporte.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace engine {

// The detail beside a report, read back and checked against it: only a detail whose lines add up
// to every line of its report, to the cent, is used to show where a figure comes from.
struct DetalleDelReporte {
    QList<QStringList> lineas;             // CamposDelDetalle fields each, in the file's order
    QHash<QString, QList<int>> porRenglon; // RFC, Campo 5, clave genérica and presentation → lines
    QHash<QString, QList<int>> porRfc;     // RFC → lines
};

// Reads the bytes of a detail and checks them against the report they went beside. False, with
// the Spanish reason in *motivo, when they are not such a detail or do not match the report: a
// heading or a line that is not the detail's, a last line cut, a report line whose trail adds up
// to other figures, an RFC of the report without lines ("las líneas del RFC AAA010101AAA, campo 5
// 020, clave genérica 001, presentación 0.500 suman 120 de IEPS y el reporte dice 140").
bool LeerDetalle(const QByteArray &bytes, const ResumenDeReporte &reporte, DetalleDelReporte &detalle,
                 QString *motivo);

// The detail beside the report at rutaReporte ("Detalle" + its name), read and checked.
enum class EstadoDelDetalle { NoHay, Corresponde, NoCorresponde };
// With NoCorresponde, *aviso names the file and why, and says that it is not used:
// "El detalle DetalleR.txt no corresponde a su reporte (…): no se usa para cuadrar las cifras."
EstadoDelDetalle CargarDetalle(const QString &rutaReporte, const ResumenDeReporte &reporte, DetalleDelReporte &detalle,
                               QString *aviso);

// The lines of the detail behind a report line (its 26 fields), and those of an RFC.
QList<int> LineasDelRenglon(const DetalleDelReporte &detalle, const QStringList &renglon);
QList<int> LineasDelRfc(const DetalleDelReporte &detalle, const QString &rfc);

// The tie-out of some detail lines with a report line: "Suma del detalle: igual al reporte", or
// the figures that differ ("Suma del detalle: IEPS 120, el reporte dice 140").
QString CuadreDelRenglon(const DetalleDelReporte &detalle, const QList<int> &lineas, const QStringList &renglon);

} // namespace engine

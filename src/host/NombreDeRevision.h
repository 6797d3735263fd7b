#pragma once

#include <QString>

namespace host {

// The name of the review that a run writes beside its report: "Revision" + the report's name, the
// longest of the names the run writes there.
inline QString NombreDeRevision(const QString &reporte)
{
    return QStringLiteral("Revision") + reporte;
}

} // namespace host

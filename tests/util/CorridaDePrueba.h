#pragma once

#include "Archivos.h"
#include "DialogosGrabados.h"
#include "VistaGrabada.h"
#include "clsRepIEPS.h"

#include <QDate>
#include <QTemporaryDir>

// One report run of the first quarter of 2018 against a test database, writing "rep.txt" and its
// log into a temporary folder, with its dialogs and its calls on the window recorded.
struct CorridaDePrueba {
    QTemporaryDir dir;
    DialogosGrabados dialogos;
    VistaGrabada vista;
    host::Conexion cn;
    engine::clsRepIEPS rep;

    CorridaDePrueba(host::BasesDD &bases, engine::clsRepIEPS::Lectura lectura)
        : rep(bases, cn, vista, dir.path())
    {
        rep.setLectura(lectura);
    }
    void Correr(bool clientes, bool todosLosPagos)
    {
        QString archivo = QStringLiteral("rep.txt");
        rep.ProcesarReporte(QDate(2018, 1, 1), QDate(2018, 3, 31), archivo, QString(), clientes, todosLosPagos);
    }
    QByteArray Log() const { return LeerArchivo(dir.filePath(QStringLiteral("Logrep.txt"))); }
    QByteArray Reporte() const { return LeerArchivo(dir.filePath(QStringLiteral("rep.txt"))); }
};

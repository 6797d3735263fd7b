#include "BaseDePrueba.h"

#include "Errores.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

bool ServidorDePrueba(host::BasesDD &bases, QString *error)
{
    const QString dir = qEnvironmentVariable("REPIEPS_SERVIDOR_PRUEBA");
    QFile f(dir + QStringLiteral("/puerto"));
    if (dir.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("El servidor de pruebas no está en marcha (REPIEPS_SERVIDOR_PRUEBA=%1)").arg(dir);
        return false;
    }
    bases.cRuta = QStringLiteral("127.0.0.1");
    bases.cPuerto = QString::fromLatin1(f.readAll()).trimmed();
    bases.cUsuario = QStringLiteral("repieps");
    bases.cPassword = QString();
    return true;
}

BaseDePrueba::BaseDePrueba(const QString &prefijo)
{
    static QAtomicInt contador;
    nombre_ = QStringLiteral("%1_%2_%3")
                  .arg(prefijo.toLower())
                  .arg(QCoreApplication::applicationPid())
                  .arg(contador.fetchAndAddRelaxed(1));
    if (!ServidorDePrueba(bases, &error_))
        return;
    host::Conexion admin;
    if (!bases.AbrirBdD(admin, QString(), &error_))
        return;
    QFile esquema(QStringLiteral(REPIEPS_ESQUEMA));
    if (!esquema.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("No se pudo leer %1").arg(esquema.fileName());
        return;
    }
    try {
        admin.Execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(nombre_));
        admin.Execute(QStringLiteral("CREATE DATABASE `%1` DEFAULT CHARSET utf8mb4").arg(nombre_));
        bases.cMiBase = nombre_;
        if (!bases.AbrirBdD(cn, nombre_, &error_))
            return;
        ejecutar(QString::fromUtf8(esquema.readAll()));
    } catch (const host::Error &e) {
        error_ = e.texto();
        return;
    }
    lista_ = true;
}

BaseDePrueba::~BaseDePrueba()
{
    if (!lista_)
        return;
    try {
        host::Conexion admin;
        if (bases.AbrirBdD(admin, QString()))
            admin.Execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(nombre_));
    } catch (const host::Error &) {
    }
}

void BaseDePrueba::ejecutar(const QString &sql)
{
    QString sinComentarios;
    for (const QString &linea : sql.split(QLatin1Char('\n'))) {
        if (!linea.trimmed().startsWith(QLatin1String("--")))
            sinComentarios += linea + QLatin1Char('\n');
    }
    static const QRegularExpression fin(QStringLiteral(";\\s*\\n"));
    for (const QString &sentencia : sinComentarios.split(fin)) {
        if (!sentencia.trimmed().isEmpty())
            cn.Execute(sentencia.trimmed());
    }
}

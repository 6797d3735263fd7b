#include "Cromo.h"

#include "ControlesCromo.h"
#include "Programa.h"

#include "Configuracion.h"
#include "DeControles.h"
#include "DelRegistro.h"
#include "Dialogos.h"
#include "Errores.h"
#include "LibKVRS.h"
#include "Utilerias.h"

#include <QFontMetrics>
#include <QLocale>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <cmath>
#include <exception>
#include <limits>

namespace ui {

namespace {
// Number shown for a failure that carries none of its own (an invalid call).
constexpr int ErrorInesperado = 5;
} // namespace

ObjetosPrograma &Programa()
{
    static ObjetosPrograma programa;
    return programa;
}

config::ArchivosDelPrograma ArchivosPropios()
{
    const ObjetosPrograma &p = Programa();
    return {{p.archivoConfig, config::RutaConfiguracion()}, p.delRegistro ? p.delRegistro->archivo() : QString()};
}

QString NombreDelPrograma()
{
    return QStringLiteral("Reporte especial de IEPS");
}

QString TextoDeNumero(float valor)
{
    return QString::number(double(valor), 'g', 7);
}

QString EtiquetaDeGeometria(const GeometriaTwips &g)
{
    const QChar tab(QLatin1Char('\t'));
    return TextoDeNumero(g.ancho) + tab + TextoDeNumero(g.alto) + tab + TextoDeNumero(g.izquierda) + tab
        + TextoDeNumero(g.arriba);
}

bool GeometriaDeEtiqueta(const QString &etiqueta, GeometriaTwips &g)
{
    const QStringList partes = etiqueta.split(QLatin1Char('\t'));
    if (partes.size() < 4)
        return false;
    g.ancho = float(host::LibKVRS::kvVal(partes.at(0)));
    g.alto = float(host::LibKVRS::kvVal(partes.at(1)));
    g.izquierda = float(host::LibKVRS::kvVal(partes.at(2)));
    g.arriba = float(host::LibKVRS::kvVal(partes.at(3)));
    return true;
}

GeometriaTwips GeometriaColapsada(float altoPantalla, float altoBarra, float anchoLeyenda)
{
    GeometriaTwips g;
    g.alto = altoBarra;
    g.arriba = altoPantalla - g.alto - 500;
    g.izquierda = 200;
    g.ancho = anchoLeyenda + 800;
    return g;
}

bool EnteroDe16Bits(double valor, qint16 &resultado)
{
    if (!std::isfinite(valor))
        return false;
    const double redondo = std::nearbyint(valor); // the default rounding mode sends halves to even
    if (redondo < std::numeric_limits<qint16>::min() || redondo > std::numeric_limits<qint16>::max())
        return false;
    resultado = qint16(redondo);
    return true;
}

bool EnteroDe16Bits(const QString &texto, qint16 &resultado)
{
    bool ok = false;
    const double valor = QLocale::c().toDouble(texto.trimmed(), &ok);
    return ok && EnteroDe16Bits(valor, resultado);
}

GeometriaRecordada LeerGeometriaRecordada(const QString &seccion, bool conTamano,
                                          const std::function<QString(const QString &clave)> &lee)
{
    GeometriaRecordada r;
    if (seccion.isEmpty())
        return r;
    // Each value is taken on its own; one that does not convert sends the position back to 0, 0
    // and the reading goes on with the next value.
    auto fallo = [&r] {
        r.arriba = 0;
        r.izquierda = 0;
    };
    if (!EnteroDe16Bits(host::LibKVRS::kvVal(lee(QStringLiteral("Linea"))), r.arriba))
        fallo();
    if (!EnteroDe16Bits(host::LibKVRS::kvVal(lee(QStringLiteral("Columna"))), r.izquierda))
        fallo();
    if (conTamano) {
        if (!EnteroDe16Bits(lee(QStringLiteral("Ancho")), r.ancho))
            fallo();
        if (!EnteroDe16Bits(lee(QStringLiteral("Alto")), r.alto))
            fallo();
    }
    return r;
}

QString SeccionDeVentana(const QWidget *ventana)
{
    const QString tag = ventana->property("Tag").toString();
    if (!tag.trimmed().isEmpty())
        return tag;
    return ventana->objectName().trimmed();
}

void MinimizarFormulario(QWidget *ventana, BotonDegradado *barra)
{
    // Already collapsed: the tag must keep the geometry to go back to.
    if (barra->isVisible())
        return;
    const GeometriaTwips antes = LeerGeometria(ventana);
    barra->Tag = EtiquetaDeGeometria(antes);

    const QString leyenda = QStringLiteral("   ") + ventana->windowTitle();
    // The caption is measured in the window's font at the size of the bar's font.
    QFont fuente = ventana->font();
    if (barra->font().pointSizeF() > 0)
        fuente.setPointSizeF(barra->font().pointSizeF());
    const float anchoLeyenda = ATwips(ventana, QFontMetrics(fuente).horizontalAdvance(leyenda));
    const GeometriaTwips g = GeometriaColapsada(AltoPantalla(ventana), ATwips(barra, barra->height()), anchoLeyenda);

    FijarAlto(ventana, g.alto);
    FijarArriba(ventana, g.arriba);
    FijarIzquierda(ventana, g.izquierda);
    // Nothing of the window stays over the bar's caption or takes its clicks.
    barra->ocultos.clear();
    for (QWidget *hijo : ventana->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (hijo != barra && !hijo->isWindow() && !hijo->isHidden()) {
            barra->ocultos << hijo;
            hijo->hide();
        }
    }
    barra->setText(leyenda);
    barra->move(0, 0);
    FijarAncho(barra, g.ancho);
    barra->setVisible(true);
    barra->raise();
    FijarAncho(ventana, g.ancho);
}

void RestaurarFormulario(QWidget *ventana, BotonDegradado *barra)
{
    barra->setVisible(false);
    for (const QPointer<QWidget> &hijo : std::as_const(barra->ocultos)) {
        if (hijo)
            hijo->show();
    }
    barra->ocultos.clear();
    GeometriaTwips g;
    if (!GeometriaDeEtiqueta(barra->Tag, g))
        return;
    FijarAncho(ventana, g.ancho);
    FijarAlto(ventana, g.alto);
    FijarIzquierda(ventana, g.izquierda);
    FijarArriba(ventana, g.arriba);
}

void MoverFormulario(Qt::MouseButtons botones, QWidget *ventana)
{
    if (botones != Qt::LeftButton)
        return;
    if (const auto &controles = Programa().deControles)
        controles->MoverVentana(ventana);
}

void GuardarVentana(QWidget *ventana, bool conTamano, host::LibKVRS &lib, const QString &archivo)
{
    const QString seccion = SeccionDeVentana(ventana);
    if (seccion.isEmpty())
        return;
    const GeometriaTwips g = LeerGeometria(ventana);
    lib.EscribeIni(seccion, QStringLiteral("Ventana"), ventana->windowTitle(), archivo);
    lib.EscribeIni(seccion, QStringLiteral("Linea"), TextoDeNumero(g.arriba), archivo);
    lib.EscribeIni(seccion, QStringLiteral("Columna"), TextoDeNumero(g.izquierda), archivo);
    if (conTamano) {
        lib.EscribeIni(seccion, QStringLiteral("Ancho"), TextoDeNumero(g.ancho), archivo);
        lib.EscribeIni(seccion, QStringLiteral("Alto"), TextoDeNumero(g.alto), archivo);
    }
}

void RestaurarVentana(QWidget *ventana, bool conTamano, host::LibKVRS &lib, const QString &archivo)
{
    const QString seccion = SeccionDeVentana(ventana);
    const GeometriaRecordada r = LeerGeometriaRecordada(
        seccion, conTamano, [&](const QString &clave) { return lib.LeeIni(seccion, clave, archivo); });
    FijarIzquierda(ventana, r.izquierda);
    FijarArriba(ventana, r.arriba);
    if (conTamano && r.ancho != 0 && r.alto != 0) {
        FijarAncho(ventana, r.ancho);
        FijarAlto(ventana, r.alto);
    }
}

void GuardarVentana(QWidget *ventana, bool conTamano)
{
    ObjetosPrograma &p = Programa();
    if (p.libKVRS)
        GuardarVentana(ventana, conTamano, *p.libKVRS, p.archivoConfig);
}

void RestaurarVentana(QWidget *ventana, bool conTamano)
{
    ObjetosPrograma &p = Programa();
    if (p.libKVRS)
        RestaurarVentana(ventana, conTamano, *p.libKVRS, p.archivoConfig);
    else
        ventana->move(0, 0);
}

bool VentanaRecordada(const QWidget *ventana)
{
    const ObjetosPrograma &p = Programa();
    const QString seccion = SeccionDeVentana(ventana);
    if (!p.libKVRS || seccion.isEmpty())
        return false;
    for (const QString &clave : {QStringLiteral("Linea"), QStringLiteral("Columna")})
        if (!p.libKVRS->LeeIni(seccion, clave, p.archivoConfig).trimmed().isEmpty())
            return true;
    return false;
}

quint8 MensajeSkin(const QString &prompt, int botones, const QString &titulo, quint8 tipo)
{
    try {
        ObjetosPrograma &p = Programa();
        if (!p.utilerias)
            p.utilerias = std::make_shared<host::Utilerias>();
        p.utilerias->setElMenu(p.ventanaPrincipal.data());
        return quint8(p.utilerias->MsgBoxSkn(prompt, botones, titulo, tipo));
    } catch (const host::Error &e) {
        host::Dialogos::actual().MsgBox(QStringLiteral("Error %1, %2").arg(e.numero()).arg(e.descripcion()),
                                        host::vbCritical, QStringLiteral("Error"));
    } catch (const std::exception &e) {
        host::Dialogos::actual().MsgBox(QStringLiteral("Error %1, %2").arg(ErrorInesperado).arg(host::DescripcionDe(e)),
                                        host::vbCritical, QStringLiteral("Error"));
    }
    return 0;
}

bool Pregunta(const QString &mensaje, const QString &titulo, bool noPorDefecto)
{
    const int botones = host::vbYesNo | host::vbQuestion | (noPorDefecto ? host::vbDefaultButton2 : 0);
    return MensajeSkin(mensaje, botones, titulo, 0) == host::vbYes;
}

} // namespace ui

#pragma once

#include "Twips.h"

#include <QString>
#include <functional>

class QWidget;

namespace host {
class LibKVRS;
}

namespace ui {

class BotonDegradado;

// ---- Arithmetic of the chrome, in twips ----

// A number as the tag and the configuration file hold it: "9000", "10645", "12.5".
QString TextoDeNumero(float valor);
// Width, TAB, height, TAB, left, TAB, top.
QString EtiquetaDeGeometria(const GeometriaTwips &g);
// Reads a tag written by EtiquetaDeGeometria, each part by its leading number. False (g left
// alone) when the tag has fewer than four parts.
bool GeometriaDeEtiqueta(const QString &etiqueta, GeometriaTwips &g);

// The window collapsed into its restore bar: as high as the bar, 500 twips above the bottom of
// the screen, 200 from its left, as wide as the bar's caption plus 800.
GeometriaTwips GeometriaColapsada(float altoPantalla, float altoBarra, float anchoLeyenda);

// Whole number of 16 bits, halves to the even neighbour; false when out of range or not a number.
bool EnteroDe16Bits(double valor, qint16 &resultado);
bool EnteroDe16Bits(const QString &texto, qint16 &resultado);

// What RestaurarVentana takes from a window section; lee gives the value of a key.
struct GeometriaRecordada {
    qint16 arriba = 0;
    qint16 izquierda = 0;
    qint16 ancho = 0;
    qint16 alto = 0;
};
GeometriaRecordada LeerGeometriaRecordada(const QString &seccion, bool conTamano,
                                          const std::function<QString(const QString &clave)> &lee);

// Section of a window in the configuration file: its tag when not blank, else its name.
QString SeccionDeVentana(const QWidget *ventana);

// ---- The routines on widgets ----

// Collapses the window into its restore bar, keeping its geometry in the bar's tag.
void MinimizarFormulario(QWidget *ventana, BotonDegradado *barra);
// Puts the window back where the bar's tag says and hides the bar.
void RestaurarFormulario(QWidget *ventana, BotonDegradado *barra);
// With the left button alone held, the window follows the mouse.
void MoverFormulario(Qt::MouseButtons botones, QWidget *ventana);

// Position (and size) of a window in its section of the configuration file.
void GuardarVentana(QWidget *ventana, bool conTamano, host::LibKVRS &lib, const QString &archivo);
void RestaurarVentana(QWidget *ventana, bool conTamano, host::LibKVRS &lib, const QString &archivo);
// The same with the program's configuration file.
void GuardarVentana(QWidget *ventana, bool conTamano);
void RestaurarVentana(QWidget *ventana, bool conTamano);
// Whether the program's configuration file remembers where the window was.
bool VentanaRecordada(const QWidget *ventana);

// The skinned message box, owned by the main window; 0 when it failed (the error was shown).
quint8 MensajeSkin(const QString &prompt, int botones, const QString &titulo, quint8 tipo);
// Yes/No question on the skinned box; true for Yes.
bool Pregunta(const QString &mensaje, const QString &titulo, bool noPorDefecto);

} // namespace ui

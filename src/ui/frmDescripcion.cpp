#include "frmDescripcion.h"

#include "AbrirArchivos.h"
#include "Cromo.h"
#include "DentroDeLaPantalla.h"
#include "Programa.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTextBrowser>

namespace ui {

namespace {
const char *const Descripcion = R"(
<h2 style="color:#17385f">Reporte especial de IEPS</h2>
<p>Este programa prepara el <b>reporte especial de IEPS</b> del negocio con los datos del punto de
venta. Toma los pagos recibidos de los clientes (o hechos a los proveedores) en un periodo, reparte
el IEPS, el IVA, la cantidad y el importe de cada factura o compra pagada en proporción a lo que
cubre cada pago, y los suma por RFC, por línea y por clave genérica.</p>
<h3 style="color:#17385f">Cómo usarlo</h3>
<ol>
<li>Escriba la <b>fecha inicial</b> y la <b>fecha final</b> del periodo (día/mes/año). Ambas fechas se incluyen.</li>
<li>Elija <b>Clientes</b> o <b>Proveedores</b>.</li>
<li>Si quiere el reporte de una sola persona, escriba su <b>clave</b>; al escribirla aparece su nombre.
Déjela en blanco para incluir a todos.</li>
<li>Revise el <b>nombre del archivo</b>; siempre termina en .txt. Se guarda junto al programa o, si el
programa está instalado, en la carpeta repieps de sus Documentos (el renglón «Reportes en:» la muestra).</li>
<li>Elija cómo clasificar los productos: <b>por línea de productos</b> o <b>por clasificación IEPS</b>.</li>
<li>Marque <b>En el LOG grabar todos los pagos</b> si quiere que la bitácora liste cada pago, aunque no tenga IEPS.</li>
<li>Oprima <b>Procesar</b>. El avance se muestra en la parte inferior de la ventana; al terminar aparece
el aviso «Fin del proceso» y en ese lugar queda el resultado: dónde quedaron los archivos, cuántos pagos y
líneas se procesaron y cuántos hallazgos tiene la revisión, con botones para ver el reporte por RFC con
sus totales (y exportarlo a Excel o guardarlo en PDF), abrir el reporte, el Log, la carpeta y la revisión.</li>
</ol>
<h3 style="color:#17385f">Archivos que genera</h3>
<p>El <b>reporte</b>, con una línea separada por «|» por cada renglón de los cincuenta RFC de mayor
importe, y una <b>bitácora</b> con el mismo nombre antecedido de «Log», donde se anota cada pago,
documento y producto procesado.</p>
<h3 style="color:#17385f">Teclas y opciones</h3>
<p><b>Enter</b> pasa al siguiente campo (sobre <b>Procesar</b>, inicia el proceso), <b>F1</b> muestra esta descripción y <b>Alt+F4</b> cierra el
programa. El logotipo de la ventana principal abre el menú de opciones generales, desde donde también
puede editar el archivo de configuración (servidor y base de datos). Un doble clic sobre el fondo de la
ventana principal abre ese mismo archivo; si ningún programa puede abrirlo, un aviso dice dónde está
(es un archivo de texto simple).</p>
)";
} // namespace

frmDescripcion::frmDescripcion(QWidget *padre)
    : QWidget(padre, Qt::Window)
{
    setObjectName(QStringLiteral("frmDescripcion"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads it
    setWindowTitle(QStringLiteral("Descripción del programa"));
    resize(600, 440);

    rtbTexto = new QTextBrowser(this);
    rtbTexto->setObjectName(QStringLiteral("rtbTexto"));
    rtbTexto->setOpenLinks(false);
    rtbTexto->setHtml(QString::fromUtf8(Descripcion));
    rtbTexto->move(0, 0);

    mnUno = new QMenu(QStringLiteral("Uno"), this);
    mnUno->setObjectName(QStringLiteral("mnUno"));
    mnDescrip = mnUno->addAction(QStringLiteral("Descripción del programa"));
    mnDescrip->setObjectName(QStringLiteral("mnDescrip"));
    mnEditINI = mnUno->addAction(QStringLiteral("Editar archivo INI de configuración"));
    mnEditINI->setObjectName(QStringLiteral("mnEditINI"));
    connect(mnDescrip, &QAction::triggered, this, &frmDescripcion::Mostrar);
    connect(mnEditINI, &QAction::triggered, this, &frmDescripcion::EditarIni);

    // Where it was last time; the first time beside the main window, not over it.
    const QWidget *principal = Programa().ventanaPrincipal;
    if (VentanaRecordada(this))
        RestaurarVentana(this, true);
    else if (principal && principal->isVisible())
        move(AlLadoDe(size(), principal->frameGeometry(), ZonaDisponible(principal)));
    else
        move(ZonaDisponible(this).topLeft());
    MeterEnPantalla(this);
    AjustarTexto();
}

QSizeF frmDescripcion::TamanoTexto(const QSizeF &ventana)
{
    return QSizeF(std::max(0.0, ventana.width() - 260), std::max(0.0, ventana.height() - 600));
}

void frmDescripcion::Mostrar()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void frmDescripcion::EditarIni()
{
    EditarConfiguracion();
}

void frmDescripcion::AjustarTexto()
{
    // The margins are taken from the outer size, frame and title included.
    const QSize exterior = isVisible() ? frameGeometry().size() : size();
    const QSizeF t = TamanoTexto(QSizeF(ATwips(this, exterior.width()), ATwips(this, exterior.height())));
    rtbTexto->resize(APixeles(this, float(t.width())), APixeles(this, float(t.height())));
}

void frmDescripcion::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    AjustarTexto();
}

void frmDescripcion::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    AjustarTexto();
}

void frmDescripcion::closeEvent(QCloseEvent *e)
{
    GuardarVentana(this, true);
    QWidget::closeEvent(e);
}

} // namespace ui

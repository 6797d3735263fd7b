#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QTextBrowser;

namespace ui {

// "Descripción del programa": what the program does and how to use it. It also owns the menu of
// general options that the main window pops up from its logo.
class frmDescripcion : public QWidget {
    Q_OBJECT
public:
    explicit frmDescripcion(QWidget *padre = nullptr);

    // Shows the window in front, not modal.
    void Mostrar();
    // Opens the configuration file in the program that the system associates with it.
    void EditarIni();

    QTextBrowser *rtbTexto;
    QMenu *mnUno;
    QAction *mnDescrip;
    QAction *mnEditINI;

    // Size of the text area for an outer window size, both in twips: 260 less wide and 600 less
    // high, never negative.
    static QSizeF TamanoTexto(const QSizeF &ventana);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void AjustarTexto();
};

} // namespace ui

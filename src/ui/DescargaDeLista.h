#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace ui {

// Fetches the 69-B list from the authority's address into destino. What arrives goes to
// destino + ".parcial"; only a download that came whole and reads as the list takes destino's
// place, so the previous copy stays until then. One download per object.
class DescargaDeLista : public QObject {
    Q_OBJECT

public:
    DescargaDeLista(const QUrl &direccion, const QString &destino, int segundos, QObject *padre = nullptr);
    ~DescargaDeLista() override;

    void Iniciar();
    static QString Parcial(const QString &destino) { return destino + QStringLiteral(".parcial"); }

Q_SIGNALS:
    // total: -1 while the server has not said how much comes.
    void avance(qint64 recibidos, qint64 total);
    // motivo: the Spanish reason of a download that failed (empty when it did not).
    void terminada(const QString &motivo);

private:
    void recibir();
    void terminar();
    void fallar(const QString &motivo);

    QUrl direccion_;
    QString destino_;
    int segundos_;
    QNetworkAccessManager *red_;
    QNetworkReply *respuesta_ = nullptr;
    QFile parcial_;
    QTimer limite_;
    bool vencida_ = false;
    qint64 recibidos_ = 0;
};

} // namespace ui

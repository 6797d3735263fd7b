#include "DescargaDeLista.h"

#include "Lista69B.h"
#include "MotivosDelSistema.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <filesystem>
#include <system_error>

namespace ui {

DescargaDeLista::DescargaDeLista(const QUrl &direccion, const QString &destino, int segundos, QObject *padre)
    : QObject(padre), direccion_(direccion), destino_(destino), segundos_(segundos), red_(new QNetworkAccessManager(this))
{
    limite_.setSingleShot(true);
    connect(&limite_, &QTimer::timeout, this, [this] {
        vencida_ = true;
        if (respuesta_)
            respuesta_->abort();
    });
}

DescargaDeLista::~DescargaDeLista()
{
    if (respuesta_) {
        respuesta_->disconnect(this);
        respuesta_->abort();
    }
    if (parcial_.isOpen())
        parcial_.remove();
}

void DescargaDeLista::Iniciar()
{
    parcial_.setFileName(Parcial(destino_));
    if (!parcial_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        // Told once the caller listens.
        const QString motivo = QStringLiteral("No se pudo escribir %1: %2.")
                                   .arg(QDir::toNativeSeparators(parcial_.fileName()), host::MotivoDeArchivo(parcial_));
        QMetaObject::invokeMethod(this, [this, motivo] { Q_EMIT terminada(motivo); }, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest pedido(direccion_);
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    respuesta_ = red_->get(pedido);
    connect(respuesta_, &QNetworkReply::readyRead, this, &DescargaDeLista::recibir);
    connect(respuesta_, &QNetworkReply::downloadProgress, this, &DescargaDeLista::avance);
    connect(respuesta_, &QNetworkReply::finished, this, &DescargaDeLista::terminar);
    limite_.start(segundos_ * 1000);
}

void DescargaDeLista::recibir()
{
    const QByteArray bytes = respuesta_->readAll();
    recibidos_ += bytes.size();
    if (parcial_.write(bytes) != bytes.size()) {
        const QString motivo = QStringLiteral("No se pudo escribir %1: %2.")
                                   .arg(QDir::toNativeSeparators(parcial_.fileName()), host::MotivoDeArchivo(parcial_));
        respuesta_->disconnect(this);
        respuesta_->abort();
        fallar(motivo);
    }
}

void DescargaDeLista::fallar(const QString &motivo)
{
    limite_.stop();
    if (respuesta_)
        respuesta_->deleteLater();
    respuesta_ = nullptr;
    parcial_.close();
    parcial_.remove();
    Q_EMIT terminada(motivo);
}

void DescargaDeLista::terminar()
{
    recibir();
    if (!respuesta_)
        return;
    const QString desde = direccion_.toDisplayString();
    const int estado = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const qint64 total = respuesta_->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (vencida_)
        return fallar(QStringLiteral("La descarga de la lista 69-B desde %1 no terminó en %2 s; la copia anterior queda "
                                     "como estaba.")
                          .arg(desde)
                          .arg(segundos_));
    if (estado == 404)
        return fallar(QStringLiteral("El servidor no tiene la lista 69-B en %1 (respondió 404, no encontrado); revise la "
                                     "dirección en el archivo de configuración.")
                          .arg(desde));
    if (estado >= 400)
        return fallar(QStringLiteral("El servidor respondió %1 a la descarga de la lista 69-B desde %2.").arg(estado).arg(desde));
    // A connection closed early: Qt may call it finished without an error when no length was promised.
    if (respuesta_->error() == QNetworkReply::RemoteHostClosedError || (total > 0 && recibidos_ < total))
        return fallar(QStringLiteral("La descarga de la lista 69-B desde %1 se interrumpió (llegaron %2 bytes%3); la "
                                     "copia anterior queda como estaba.")
                          .arg(desde)
                          .arg(recibidos_)
                          .arg(total > 0 ? QStringLiteral(" de %1").arg(total) : QString()));
    if (respuesta_->error() != QNetworkReply::NoError)
        return fallar(QStringLiteral("No se pudo descargar la lista 69-B desde %1: %2.").arg(desde, respuesta_->errorString()));
    if (!parcial_.flush())
        return fallar(QStringLiteral("No se pudo escribir %1: %2.")
                          .arg(QDir::toNativeSeparators(parcial_.fileName()), host::MotivoDeArchivo(parcial_)));
    parcial_.close();
    engine::Lista69B lista;
    QString motivo;
    if (!engine::LeerLista69BDeArchivo(parcial_.fileName(), lista, &motivo))
        return fallar(QStringLiteral("Lo descargado de %1 no se guardó: %2").arg(desde, motivo));
    std::error_code error;
    std::filesystem::rename(parcial_.fileName().toStdWString(), destino_.toStdWString(), error);
    if (error)
        return fallar(QStringLiteral("No se pudo poner la lista descargada en %1: %2.")
                          .arg(QDir::toNativeSeparators(destino_), QString::fromLocal8Bit(error.message().c_str())));
    limite_.stop();
    respuesta_->deleteLater();
    respuesta_ = nullptr;
    Q_EMIT terminada(QString());
}

} // namespace ui

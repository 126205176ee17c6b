#include "ui/status_strip.h"

#include <algorithm>

#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QProgressBar>

namespace morvane {

namespace {

QPixmap tickPicture()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 150, 0), 3));
    painter.drawLine(3, 8, 7, 12);
    painter.drawLine(7, 12, 13, 3);
    return pixmap;
}

}  // namespace

StatusStrip::StatusStrip(QMainWindow* window) : QStatusBar(window), window_(window)
{
    setObjectName(QStringLiteral("statusStrip"));
    window->setStatusBar(this);
    auto label = [this](const char* name, int width) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        if (width > 0) l->setMinimumWidth(width);
        return l;
    };
    layerLabel_ = label("layerLabel", 70);
    cameraZLabel_ = label("cameraZLabel", 110);
    cameraYLabel_ = label("cameraYLabel", 110);
    cameraXLabel_ = label("cameraXLabel", 110);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setFixedWidth(150);
    progressBar_->setTextVisible(false);
    infoLabel_ = label("infoLabel", 0);
    infoLabel_->hide();
    statusLabel_ = label("statusLabel", 0);
    for (QWidget* w : std::initializer_list<QWidget*>{layerLabel_, cameraZLabel_, cameraYLabel_, cameraXLabel_,
                                                      progressBar_, infoLabel_})
        addWidget(w);
    addWidget(statusLabel_, 1);
    pickedCellLabel_ = label("pickedCellLabel", 0);
    addPermanentWidget(pickedCellLabel_);

    finishedPicture_ = new QLabel(window);
    finishedPicture_->setObjectName(QStringLiteral("finishedPicture"));
    finishedPicture_->setPixmap(tickPicture());
    finishedPicture_->setFixedSize(16, 16);
    finishedPicture_->setAttribute(Qt::WA_TransparentForMouseEvents);
    finishedPicture_->raise();
}

void StatusStrip::setStatus(const QString& text) { statusLabel_->setText(text); }

void StatusStrip::setProgress(int value) { progressBar_->setValue(std::clamp(value, 0, 100)); }

int StatusStrip::progress() const { return progressBar_->value(); }

void StatusStrip::showCamera(const CameraStatus& status)
{
    cameraYLabel_->setText(QString::fromStdString(status.y));
    cameraXLabel_->setText(QString::fromStdString(status.x));
    cameraZLabel_->setText(QString::fromStdString(status.z));
    layerLabel_->setText(QString::fromStdString(status.k));
}

QString StatusStrip::pickedCell() const { return pickedCellLabel_->text(); }

void StatusStrip::setPickedCell(const QString& text) { pickedCellLabel_->setText(text); }

void StatusStrip::clearPickedCell() { pickedCellLabel_->clear(); }

void StatusStrip::showFinished(bool shown)
{
    if (shown)
        finishedPicture_->raise();
    else
        finishedPicture_->lower();
}

void StatusStrip::placeFinishedPicture(int below)
{
    finishedPicture_->move(progressBar_->mapTo(window_, QPoint(0, 0)).x() + 35, y() + below);
}

}  // namespace morvane

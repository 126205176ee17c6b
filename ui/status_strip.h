// The status strip at the bottom of the main window: the camera's layer and position, the progress of a long task
// with a tick shown when it has finished, the status text, and at the right the picked cell.
#pragma once

#include <QStatusBar>

#include "commands/camera_control.h"

class QLabel;
class QMainWindow;
class QProgressBar;

namespace morvane {

class StatusStrip : public QStatusBar {
    Q_OBJECT
public:
    // The strip of `window`; its tick picture is a child of the window, placed over the strip beside the progress
    // bar.
    explicit StatusStrip(QMainWindow* window);

    void setStatus(const QString& text);
    void setProgress(int value);
    int progress() const;
    void showCamera(const CameraStatus& status);

    QString pickedCell() const;
    void setPickedCell(const QString& text);
    void clearPickedCell();

    // The finished tick: raised above the window's other controls, or lowered behind them.
    void showFinished(bool shown);
    // The tick beside the progress bar, `below` pixels under the strip's top.
    void placeFinishedPicture(int below);

private:
    QWidget* window_;
    QLabel *layerLabel_, *cameraZLabel_, *cameraYLabel_, *cameraXLabel_;
    QProgressBar* progressBar_;
    QLabel *infoLabel_, *statusLabel_, *pickedCellLabel_;
    QLabel* finishedPicture_;
};

}  // namespace morvane

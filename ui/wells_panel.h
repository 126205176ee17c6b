// The wells panel of the main window: the list of loaded wells under its caption, and beside it the column of well
// display buttons: the label size menu, the label colour, the line width menu and the line colour.
#pragma once

#include <string>

#include <QColor>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;
class QTreeWidget;

namespace morvane {

class ColorButton;

class WellsPanel : public QWidget {
    Q_OBJECT
public:
    // The checked entries and the colours shown at start: the line width (1..10), the label size (as the model
    // state holds it), the label and line colours.
    WellsPanel(int lineWidth, float labelSize, const QColor& labelColour, const QColor& lineColour,
               QWidget* parent = nullptr);

    void addWell(const std::string& name);
    void focusList();
    void setTexts(const QString& caption, const QString& labelSizeTip, const QString& labelColourTip,
                  const QString& lineWidthTip, const QString& lineColourTip);

signals:
    // Entry n of the line width menu (1..10) and of the label size menu (4..30) was chosen.
    void lineWidthChosen(int n);
    void labelSizeChosen(int n);
    void labelColourChosen(const QColor& colour);
    void lineColourChosen(const QColor& colour);

private:
    // The entries of the two menus: checkable, one checked at a time, the current size checked at start.
    void buildMenus(int lineWidth, float labelSize);
    // Only the entry called `name` keeps its check mark.
    static void checkOnly(QMenu* menu, const QString& name);
    // A menu opens at the top-right corner of its button.
    static void popUpBeside(QMenu* menu, QToolButton* button);
    void traceSelectedWell();

    QLabel* caption_ = nullptr;
    QTreeWidget* wellList_ = nullptr;
    QToolButton* labelSizeButton_ = nullptr;
    ColorButton* labelColourButton_ = nullptr;
    QToolButton* lineWidthButton_ = nullptr;
    ColorButton* lineColourButton_ = nullptr;
    QMenu* labelSizeMenu_ = nullptr;
    QMenu* lineWidthMenu_ = nullptr;
};

}  // namespace morvane

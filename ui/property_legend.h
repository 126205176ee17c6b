// The colour legend: a small box over the top-left corner of the 3D view, captioned with the displayed
// property's name. For a continuous property it holds the ramp as two gradient panels, a colour picker for each of
// its three colours and the two colour limits (clickable); for a discrete property a bar per code, as tall as the
// code's share of the cells (a rare code still a few pixels), with the code under it (clickable), or a list of
// "code name" lines when the property names its codes; bars beyond what the box shows scroll. It only places what the legend layout worked out
// and says what the user clicked; the main window acts on it.
#pragma once

#include <set>

#include <QColor>
#include <QGroupBox>

#include "commands/property_display.h"
#include "scene/legend_layout.h"

class QPainter;

namespace morvane {

class PropertyLegend : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int InitialWidth = 158, InitialHeight = 207;
    static constexpr int Left = 4, Top = 4;  // its place in the view panel
    // Code bars and labels below this scroll inside the box, from just under the caption.
    static constexpr int DiscreteBottom = 300, ScrollTop = 18;

    explicit PropertyLegend(QWidget* parent = nullptr);

    // Rebuild the content from scratch (the caption stays).
    void showContinuous(const ContinuousLegend& legend);
    void showDiscrete(const DiscreteLegend& legend);
    void clearContent();
    bool showsDiscrete() const { return discrete_; }
    // The ramp's colour pickers shown (the pointer is over the legend) or hidden (it is over the view).
    void showPickers(bool shown);

    // The box and its texts: the view's background colour, white text (black over the white well section).
    void setBackground(const QColor& colour, const QColor& text = Qt::white);

signals:
    // A picker's new colour: stop 1 low ("lowColourPicker"), 2 middle ("middleColourPicker"), 3 high
    // ("highColourPicker").
    void rampColourPicked(int stop, const QColor& colour);
    void limitClicked(bool upper);
    // The bar of `code` ("codeBar_" + code) was clicked.
    void barClicked(QWidget* bar, int code);
    void mouseEntered();

protected:
    void enterEvent(QEnterEvent* event) override;

private:
    // Auto-size: the initial size, grown to hold the caption and every control with a margin of 4.
    void fitToContent();
    // The two halves of the ramp paint themselves through these: high to middle, middle to low.
    void paintUpperRamp(QPainter& painter, int width, int height) const;
    void paintLowerRamp(QPainter& painter, int width, int height) const;

    ContinuousLegend ramp_;
    bool discrete_ = false;
};

// The legend of the property called `shown`: its ramp and limits, or its code bars wrapping within `rowWidth`
// (without the codes in `hidden`); emptied when there is no such property.
void showLegendOf(PropertyLegend& legend, const PropertySet& properties, const std::string& shown, int rowWidth,
                  const std::set<int>& hidden = {});

// A legend driven by the property display commands without a main window (the snapshot): no filter view button,
// and code bars wrap within `rowWidth`.
class LegendDisplay final : public PropertyDisplayWindow {
public:
    LegendDisplay(PropertyLegend& legend, const PropertySet& properties, const std::string& shown, int rowWidth)
        : legend_(legend), properties_(properties), shown_(shown), rowWidth_(rowWidth)
    {}
    void setLegendCaption(const std::string& text) override { legend_.setTitle(QString::fromStdString(text)); }
    void clearLegend() override { legend_.clearContent(); }
    void refreshLegend() override { showLegendOf(legend_, properties_, shown_, rowWidth_); }
    bool filterViewChecked() const override { return false; }
    void uncheckFilterView() override {}

private:
    PropertyLegend& legend_;
    const PropertySet& properties_;
    const std::string& shown_;  // the view state's shown property
    int rowWidth_;
};

}  // namespace morvane

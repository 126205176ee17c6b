// The palette tuning window: a table of the shown property's codes, one row each: the code, its colour, its name
// (typed here; empty when it has none) and whether the legend shows it, with a colour button that gives the code of
// the current row a new colour. It says what the user changed; the main window acts on it. Empty for a property of
// values or none. Opened modally from the Model menu.
#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QDialog>
#include <QString>

class QTableWidget;

namespace morvane {

class ColorButton;

struct PaletteRow {
    int code = 0;
    QColor colour;
    QString name;
    bool inLegend = true;
};

class PaletteDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaletteDialog(QWidget* parent = nullptr);

    // The rows of the codes of the shown property (none for a property of values).
    void showCodes(const std::vector<PaletteRow>& rows);
    // The title and the column headers in the interface language ("en" or "ru").
    void setLanguage(const std::string& lang);

signals:
    void codeNamed(int code, const QString& name);
    void codeShownInLegend(int code, bool shown);
    void codeColourPicked(int code, const QColor& colour);

private:
    int currentCode(bool* found) const;

    QTableWidget* codeColours_ = nullptr;
    ColorButton* colourButton_ = nullptr;
    bool filling_ = false;  // rows being written: their changes are not the user's
};

}  // namespace morvane

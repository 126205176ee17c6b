// The data manager's production table: one row per well with its name and its cumulative oil, water and gas, the
// volumes typed or pasted (Ctrl+V) from a spreadsheet. The well column stays in place when the table is scrolled
// sideways and cannot be edited; a volume not known (-1) shows as an empty cell. The rules of the cells and of
// pasting are in commands/production_table.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <QStringList>
#include <QTableWidget>

#include "commands/production_table.h"

class QTableView;

namespace morvane {

class ProductionTable : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 26;

    explicit ProductionTable(QWidget* parent = nullptr);

    // The four column captions (well, oil, water, gas).
    void setHeaders(const QStringList& headers);
    // One row per well, the table growing by a row's height for each up to `maxHeight` (it scrolls beyond).
    void fill(const std::vector<std::string>& names, const std::vector<float>& oil, const std::vector<float>& water,
              const std::vector<float>& gas, int maxHeight);
    // Per row, the texts of the oil, water and gas cells.
    std::vector<std::array<std::string, 3>> volumeTexts() const;
    // Sets the volume cells of the rows `named` to `cells` (per row oil, water, gas texts); others stay.
    void setVolumeRows(const std::vector<std::array<std::string, 3>>& cells, const std::vector<bool>& named);
    // Pastes `text` at the current cell (see pasteProduction); refused fields are announced by pasteRefused.
    ProductionPaste paste(const QString& text);

signals:
    // A volume was typed or pasted (also a paste that wrote nothing).
    void edited();
    // The log line for a pasted field that is not a number.
    void pasteRefused(const QString& line);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;

private:
    void placeFrozenColumn();
    void setVolumeCell(int row, int column, const QString& text);

    // The well column drawn over the table's own, so it stays in place when the table scrolls sideways.
    QTableView* frozen_ = nullptr;
    bool filling_ = false;
};

}  // namespace morvane

#include "ui/dialogs/production_table.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

namespace morvane {

namespace {

constexpr int kColumnWidths[PRODUCTION_COLUMNS] = {111, 146, 140, 133};
const char* const kColumnNames[PRODUCTION_COLUMNS] = {"well", "oilProd", "waterProd", "gasProd"};

float entry(const std::vector<float>& list, std::size_t i) { return i < list.size() ? list[i] : -1.0f; }

// A block of spreadsheet cells: more than one line, or more than one column.
bool isBlock(const QString& text)
{
    QString trimmed = text;
    while (trimmed.endsWith(QLatin1Char('\n')) || trimmed.endsWith(QLatin1Char('\r'))) trimmed.chop(1);
    return trimmed.contains(QLatin1Char('\n')) || trimmed.contains(QLatin1Char('\r')) ||
           trimmed.contains(QLatin1Char('\t'));
}

// The cells' editor: a paste of a block of cells into an open editor goes down the column as a paste into the
// table does, instead of landing as text in the one cell.
class VolumeEditorDelegate final : public QStyledItemDelegate {
public:
    VolumeEditorDelegate(ProductionTable* table) : QStyledItemDelegate(table), table_(table) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
            isBlock(QApplication::clipboard()->text())) {
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            table_->paste(QApplication::clipboard()->text());
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    ProductionTable* table_;
};

}  // namespace

ProductionTable::ProductionTable(QWidget* parent) : QTableWidget(0, PRODUCTION_COLUMNS, parent)
{
    setObjectName(QStringLiteral("productionTable"));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    for (int c = 0; c < PRODUCTION_COLUMNS; ++c) {
        auto* header = new QTableWidgetItem;
        header->setData(Qt::UserRole, QString::fromLatin1(kColumnNames[c]));
        setHorizontalHeaderItem(c, header);
        setColumnWidth(c, kColumnWidths[c]);
    }
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setItemDelegate(new VolumeEditorDelegate(this));

    frozen_ = new QTableView(this);
    frozen_->setObjectName(QStringLiteral("frozenWellColumn"));
    frozen_->setModel(model());
    frozen_->setSelectionModel(selectionModel());
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->verticalHeader()->setDefaultSectionSize(RowHeight);
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    for (int c = 1; c < PRODUCTION_COLUMNS; ++c) frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(0, kColumnWidths[0]);
    viewport()->stackUnder(frozen_);
    frozen_->show();
    connect(frozen_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, frozen_->verticalScrollBar(), &QScrollBar::setValue);

    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item && item->column() != WellColumn) emit edited();
    });
}

void ProductionTable::setHeaders(const QStringList& headers)
{
    for (int c = 0; c < PRODUCTION_COLUMNS && c < headers.size(); ++c) horizontalHeaderItem(c)->setText(headers[c]);
    horizontalHeader()->setMinimumHeight(horizontalHeader()->sizeHint().height());
    placeFrozenColumn();
}

void ProductionTable::fill(const std::vector<std::string>& names, const std::vector<float>& oil,
                           const std::vector<float>& water, const std::vector<float>& gas, int maxHeight)
{
    filling_ = true;
    setRowCount(0);
    int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (std::size_t i = 0; i < names.size(); ++i) {
        height += RowHeight;
        const int row = rowCount();
        insertRow(row);
        auto* well = new QTableWidgetItem(QString::fromStdString(names[i]));
        well->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(row, WellColumn, well);
        const float values[3] = {entry(oil, i), entry(water, i), entry(gas, i)};
        for (int c = OilColumn; c <= GasColumn; ++c)
            setItem(row, c, new QTableWidgetItem(QString::fromStdString(productionCellText(values[c - 1]))));
    }
    int columns = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < PRODUCTION_COLUMNS; ++c) columns += columnWidth(c);
    resize(columns, std::min(height, maxHeight));
    filling_ = false;
}

std::vector<std::array<std::string, 3>> ProductionTable::volumeTexts() const
{
    std::vector<std::array<std::string, 3>> texts(static_cast<std::size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = OilColumn; c <= GasColumn; ++c)
            if (const QTableWidgetItem* cell = item(r, c))
                texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c - 1)] = cell->text().toStdString();
    return texts;
}

void ProductionTable::setVolumeCell(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

void ProductionTable::setVolumeRows(const std::vector<std::array<std::string, 3>>& cells,
                                    const std::vector<bool>& named)
{
    for (int r = 0;
         r < rowCount() && static_cast<std::size_t>(r) < cells.size() && static_cast<std::size_t>(r) < named.size();
         ++r) {
        if (!named[static_cast<std::size_t>(r)]) continue;
        for (int c = OilColumn; c <= GasColumn; ++c)
            setVolumeCell(r, c,
                          QString::fromStdString(cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c - 1)]));
    }
    emit edited();
}

ProductionPaste ProductionTable::paste(const QString& text)
{
    const ProductionPaste paste = pasteProduction(text.toStdString(), currentRow(), currentColumn(), rowCount());
    for (const PastedCell& cell : paste.cells) setVolumeCell(cell.row, cell.column, QString::fromStdString(cell.text));
    for (const PastedCell& cell : paste.refused) {
        const QTableWidgetItem* well = item(cell.row, WellColumn);
        emit pasteRefused(QString::fromStdString(refusedPasteLine(cell, well ? well->text().toStdString() : "")));
    }
    emit edited();
    return paste;
}

void ProductionTable::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ProductionTable::updateGeometries()
{
    QTableWidget::updateGeometries();
    placeFrozenColumn();
}

void ProductionTable::placeFrozenColumn()
{
    if (!frozen_) return;
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    frozen_->setGeometry(frameWidth(), frameWidth(), columnWidth(WellColumn),
                         viewport()->height() + horizontalHeader()->height());
}

}  // namespace morvane

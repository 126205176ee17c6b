#include "ui/dialogs/palette_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/localisation.h"
#include "ui/color_button.h"

namespace morvane {

namespace {

constexpr TextPair kTitle{"Property colour palette", "Настройка цветовой палитры свойства"};
constexpr TextPair kCode{"Code", "Код"};
constexpr TextPair kColour{"Colour", "Цвет"};
constexpr TextPair kName{"Name", "Название"};
constexpr TextPair kInLegend{"In legend", "В легенде"};
constexpr TextPair kColourButton{"Colour of the code...", "Цвет кода..."};

enum Column { CodeColumn, ColourColumn, NameColumn, LegendColumn, ColumnCount };

}  // namespace

PaletteDialog::PaletteDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("paletteDialog"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(517, 261);

    codeColours_ = new QTableWidget(0, ColumnCount, this);
    codeColours_->setObjectName(QStringLiteral("codeColours"));
    codeColours_->setColumnWidth(CodeColumn, 80);
    codeColours_->setColumnWidth(ColourColumn, 80);
    codeColours_->setColumnWidth(NameColumn, 200);
    codeColours_->horizontalHeader()->setStretchLastSection(true);
    codeColours_->verticalHeader()->hide();
    codeColours_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    codeColours_->setSelectionBehavior(QAbstractItemView::SelectRows);
    codeColours_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(codeColours_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_) return;
        const int code = codeColours_->item(item->row(), CodeColumn)->data(Qt::UserRole).toInt();
        if (item->column() == NameColumn) emit codeNamed(code, item->text().trimmed());
        if (item->column() == LegendColumn) emit codeShownInLegend(code, item->checkState() == Qt::Checked);
    });

    colourButton_ = new ColorButton({}, this);
    colourButton_->setObjectName(QStringLiteral("colourButton"));
    connect(colourButton_, &ColorButton::selectedColorChanged, this, [this](const QColor& colour) {
        bool found = false;
        const int code = currentCode(&found);
        if (!found || filling_) return;
        codeColours_->item(codeColours_->currentRow(), ColourColumn)->setBackground(colour);
        emit codeColourPicked(code, colour);
    });
    connect(codeColours_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row < 0) return;
        const QSignalBlocker quiet(colourButton_);
        colourButton_->setSelectedColor(codeColours_->item(row, ColourColumn)->background().color());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(colourButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(codeColours_, 1);
    layout->addLayout(buttons);
    setLanguage("en");
}

void PaletteDialog::setLanguage(const std::string& lang)
{
    setWindowTitle(QString::fromStdString(kTitle.in(lang)));
    QStringList headers;
    for (const TextPair* text : {&kCode, &kColour, &kName, &kInLegend})
        headers << QString::fromStdString(text->in(lang));
    codeColours_->setHorizontalHeaderLabels(headers);
    colourButton_->setText(QString::fromStdString(kColourButton.in(lang)));
}

void PaletteDialog::showCodes(const std::vector<PaletteRow>& rows)
{
    filling_ = true;
    codeColours_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PaletteRow& row = rows[static_cast<std::size_t>(r)];
        auto* code = new QTableWidgetItem(QString::number(row.code));
        code->setData(Qt::UserRole, row.code);
        code->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* colour = new QTableWidgetItem;
        colour->setBackground(row.colour);
        colour->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* name = new QTableWidgetItem(row.name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        auto* inLegend = new QTableWidgetItem;
        inLegend->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        inLegend->setCheckState(row.inLegend ? Qt::Checked : Qt::Unchecked);
        codeColours_->setItem(r, CodeColumn, code);
        codeColours_->setItem(r, ColourColumn, colour);
        codeColours_->setItem(r, NameColumn, name);
        codeColours_->setItem(r, LegendColumn, inLegend);
    }
    colourButton_->setEnabled(!rows.empty());
    if (!rows.empty()) codeColours_->setCurrentCell(0, NameColumn);
    filling_ = false;
}

int PaletteDialog::currentCode(bool* found) const
{
    const int row = codeColours_->currentRow();
    *found = row >= 0 && row < codeColours_->rowCount();
    return *found ? codeColours_->item(row, CodeColumn)->data(Qt::UserRole).toInt() : 0;
}

}  // namespace morvane

// The data manager's production page: the cumulative production of each well, typed or pasted into a table and read
// back on Apply.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "commands/production_command.h"

#include "platform/trace.h"
#include "ui/dialogs/data_manager_dialog.h"

namespace morvane {

void DataManagerDialog::buildProductionPage()
{
    productionGroup_ = new QGroupBox(productionPage_);
    productionGroup_->setObjectName(QStringLiteral("productionGroup"));
    productionGroup_->setGeometry(10, 10, 600, 450);
    productionFileButton_ = new QPushButton(productionGroup_);
    productionFileButton_->setObjectName(QStringLiteral("productionFileButton"));
    productionFileButton_->setGeometry(10, 22, 130, 26);
    connect(productionFileButton_, &QPushButton::clicked, this, &DataManagerDialog::loadProductionFile);
    productionFileSummary_ = new QLabel(productionGroup_);
    productionFileSummary_->setObjectName(QStringLiteral("productionFileSummary"));
    productionFileSummary_->setGeometry(150, 18, 440, 34);
    productionFileSummary_->setWordWrap(true);
    productionTable_ = new ProductionTable(productionGroup_);
    productionTable_->setGeometry(10, 55, 580, 60);
    connect(productionTable_, &ProductionTable::edited, this, &DataManagerDialog::markChanged);
    connect(productionTable_, &ProductionTable::pasteRefused, this, [this](const QString& line) {
        trace(line.toStdString());
        if (view_) view_->appendLogLine(line.toStdString(), log_colour::Red);
    });
    injectionGroup_ = new QGroupBox(productionPage_);
    injectionGroup_->setObjectName(QStringLiteral("injectionGroup"));
    injectionGroup_->setGeometry(10, 470, 600, 160);
}

void DataManagerDialog::fillProductionTable()
{
    productionTable_->fill(state_.well_name_form, state_.oilProdForm, state_.waterProdForm, state_.gasProdForm,
                           productionGroup_->height() - productionTable_->y() - 10);
    // The production summary shows what is stored from the start, as the wells and model summaries do.
    showProductionCompleteness(checkProductionColumns(productionTable_->volumeTexts()));
}

void DataManagerDialog::showProductionCompleteness(const ProductionColumnsCheck& check)
{
    switch (productionCompleteness(check)) {
    case ProductionCompleteness::Complete:
        setIcon(productionSummaryIcon_, StatusIcon::OK);
        break;
    case ProductionCompleteness::Partial:
        setIcon(productionSummaryIcon_, StatusIcon::Attention);
        break;
    case ProductionCompleteness::Missing:
        setIcon(productionSummaryIcon_, StatusIcon::Error);
        break;
    }
}

void DataManagerDialog::applyProduction()
{
    // The volumes are read into the copies here, so what is changed after the last Apply is not kept.
    const std::vector<std::array<std::string, 3>> cells = productionTable_->volumeTexts();
    for (auto [column, copy] :
         {std::pair{0, &state_.oilProdForm}, {1, &state_.waterProdForm}, {2, &state_.gasProdForm}}) {
        copy->resize(state_.well_name_form.size(), -1.0f);
        for (std::size_t i = 0; i < copy->size(); ++i)
            (*copy)[i] = i < cells.size() ? productionCellValue(cells[i][static_cast<std::size_t>(column)]) : -1.0f;
    }
    const ProductionColumnsCheck check = checkProductionColumns(cells);
    for (const std::string& line : check.trace) trace(line);
    showProductionCompleteness(check);
}

void DataManagerDialog::showProductionPage()
{
    firstPage_ = productionPageButton_;
    showPage(firstPage_);
}

void DataManagerDialog::loadProductionFile()
{
    const bool ru = lang_ == "ru";
    const std::string path = prompts_.openFileName(
        ru ? "Файл добычи" : "Production file",
        ru ? "Файлы добычи (*.csv *.txt);;Все файлы (*.*)" : "Production files (*.csv *.txt);;All files (*.*)");
    if (path.empty()) return;
    const ProductionFileFill fill = readProductionFileForTable(path, state_.well_name_form, lang_);
    productionFileSummary_->setText(QString::fromStdString(fill.summary));
    productionFileSummary_->setStyleSheet(fill.read ? QString() : QStringLiteral("color: #b00000"));
    if (view_) view_->appendLogLine(fill.summary, fill.read ? log_colour::LightGrey : log_colour::Red);
    if (!fill.read) return;
    productionTable_->setVolumeRows(fill.cells, fill.named);
    if (!fill.unknown.empty() && view_) {
        std::string names;
        for (const std::string& name : fill.unknown) names += (names.empty() ? "" : ", ") + name;
        view_->appendLogLine((ru ? "Скважины с этими именами не загружены, их добыча не взята: "
                                 : "No well of these names is loaded, so their production was not taken: ") +
                                 names,
                             log_colour::Orange);
    }
}

}  // namespace morvane

#include "ui/dialog_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "commands/model_state.h"
#include "ui/dialogs/property_kinds_dialog.h"
#include "ui/dialogs/well_columns_dialog.h"

namespace morvane {

namespace {

class DialogPrompts final : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* parent) : parent_(parent) {}

    std::string openFileName(const std::string& title, const std::string& filter) override
    {
        const QString path = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title), QString(),
                                                          QString::fromStdString(qtNameFilter(filter)));
        return path.toStdString();
    }

    std::vector<std::string> openFileNames(const std::string& title, const std::string& filter) override
    {
        const QStringList paths = QFileDialog::getOpenFileNames(parent_, QString::fromStdString(title), QString(),
                                                                QString::fromStdString(qtNameFilter(filter)));
        std::vector<std::string> chosen;
        for (const QString& p : paths) chosen.push_back(p.toStdString());
        return chosen;
    }

    WellColumnAnswer chooseWellColumns(const WellColumnQuestion& question) override
    {
        WellColumnsDialog dialog(question.wellName, question.columns, question.severalFiles, parent_);
        dialog.updateLang(question.lang);
        dialog.exec();  // modal, centred on its owner
        return dialog.answer();
    }

    void information(const std::string& text, const std::string& caption) override
    {
        QMessageBox::information(parent_, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Ok);
    }

    std::optional<std::vector<int>> choosePropertyTypes(const std::vector<std::string>& names,
                                                        const std::string& lang) override
    {
        // The dialog collects the codes in a list of this question's own.
        std::vector<int> types;
        PropertyKindsDialog dialog(names, types, parent_);
        dialog.updateLang(lang);
        dialog.exec();  // modal, centred on its owner
        if (!dialog.confirmed()) return std::nullopt;
        std::vector<int> chosen = dialog.chosenKinds();
        dialog.clearChosenKinds();
        return chosen;
    }

private:
    QWidget* parent_;
};

}  // namespace

std::unique_ptr<UserPrompts> makeDialogPrompts(QWidget* parent) { return std::make_unique<DialogPrompts>(parent); }

std::string qtNameFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;")).toStdString();
}

}  // namespace morvane

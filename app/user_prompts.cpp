#include "user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

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

    void information(const std::string& text, const std::string& caption) override
    {
        QMessageBox::information(parent_, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Ok);
    }

private:
    QWidget* parent_;
};

}  // namespace

std::unique_ptr<UserPrompts> makeDialogPrompts(QWidget* parent)
{
    return std::make_unique<DialogPrompts>(parent);
}

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

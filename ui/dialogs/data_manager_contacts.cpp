// The data manager's contacts: for the oil-water and the gas-oil contact a switch, a uniform depth or a region
// property with a depth per code, rebuilt and uploaded on Apply.
#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/trace.h"
#include "ui/dialogs/data_manager_dialog.h"

namespace morvane {

namespace {

const QColor kUnreadableRow(255, 179, 179);

template <typename W>
W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QFont rowFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(9.75);
    return font;
}

// The contact trace lines go to the trace channel; the dialog reports nothing else through it.
class TraceOnly final : public Feedback {
public:
    void setStatus(const std::string&) override {}
    void setProgress(int) override {}
    int progress() const override { return 0; }
    void appendLog(const std::string&, LogColour) override {}
    void trace(const std::string& line) override { morvane::trace(line); }
};

}  // namespace

void DataManagerDialog::buildContactBox(ContactControls& c, const char* boxName, QWidget* parent, int x)
{
    const QString prefix = QString::fromLatin1(c.prefix);
    c.box = named(new QGroupBox(parent), QString::fromLatin1(boxName));
    c.box->move(x, 25);
    c.check = named(new QCheckBox(c.box), prefix + QStringLiteral("Check"));
    c.check->setGeometry(10, 20, 200, 22);
    c.uniform = named(new QRadioButton(c.box), prefix + QStringLiteral("UniformRadio"));
    c.uniform->setGeometry(10, 45, 95, 22);
    c.uniform->setChecked(true);
    c.uniform->setEnabled(false);
    c.region = named(new QRadioButton(c.box), prefix + QStringLiteral("RegionRadio"));
    c.region->setGeometry(100, 45, 115, 22);
    c.region->setEnabled(false);
    c.depth = named(new QLineEdit(QStringLiteral("0"), c.box), prefix + QStringLiteral("Depth"));
    c.depth->setGeometry(10, 70, 110, 23);
    c.depth->setEnabled(false);
    c.depthUnit = named(new QLabel(c.box), prefix + QStringLiteral("DepthUnit"));
    c.depthUnit->setGeometry(125, 64, 90, 34);
    c.depthUnit->setWordWrap(true);
    c.regionList = named(new QComboBox(c.box), prefix + QStringLiteral("RegionList"));
    c.regionList->setGeometry(10, 70, 110, 23);
    for (const RegionChoice& region : regions_) c.regionList->addItem(QString::fromStdString(region.name));
    c.regionList->setCurrentIndex(-1);
    c.regionList->hide();
    fitContactBox(c);

    connect(c.check, &QCheckBox::toggled, this, [this, &c] { contactCheckChanged(c); });
    connect(c.uniform, &QRadioButton::toggled, this, [this, &c] { uniformRadioChanged(c); });
    connect(c.regionList, &QComboBox::currentIndexChanged, this, [this, &c] { regionListChanged(c); });
    connect(c.depth, &QLineEdit::textEdited, this, [this] { markChanged(); });
}

void DataManagerDialog::fitContactBox(ContactControls& c)
{
    const int rows = static_cast<int>(c.rows.size());
    c.box->resize(220, std::max(110, 100 + 28 * rows + 10));
    const int tallest = std::max(owc_.box ? owc_.box->height() : 0, goc_.box ? goc_.box->height() : 0);
    contactsGroup_->resize(465, 25 + tallest + 10);
    fitModelPage();
}

void DataManagerDialog::contactCheckChanged(ContactControls& c)
{
    const bool on = c.check->isChecked();
    const bool uniform = c.uniform->isChecked();
    c.uniform->setEnabled(on);
    c.region->setEnabled(on);
    c.depth->setEnabled(on && uniform);
    c.depth->setVisible(uniform);
    c.regionList->setVisible(on && !uniform);
    for (const CodeRow& row : c.rows) row.depth->setEnabled(on);
    if (!loading_) markChanged();
}

void DataManagerDialog::uniformRadioChanged(ContactControls& c)
{
    if (c.uniform->isChecked()) {
        c.depth->setEnabled(c.check->isChecked());
        c.depth->show();
        c.regionList->hide();
        removeCodeRows(c);
    } else {
        c.depth->setEnabled(false);
        c.depth->hide();
        {
            const QSignalBlocker block(c.regionList);
            c.regionList->setCurrentIndex(-1);
        }
        removeCodeRows(c);
        c.regionList->show();
    }
    if (!loading_) markChanged();
}

void DataManagerDialog::regionListChanged(ContactControls& c)
{
    if (loading_) return;
    removeCodeRows(c);
    const int selected = c.regionList->currentIndex();
    if (selected >= 0 && static_cast<std::size_t>(selected) < regions_.size()) {
        std::vector<CodeRowText> rows;
        for (const int code :
             regionCodes(state_.document.properties, regions_[static_cast<std::size_t>(selected)].name))
            rows.push_back({std::to_string(code), {}});
        addCodeRows(c, rows);
    }
    markChanged();
}

void DataManagerDialog::removeCodeRows(ContactControls& c)
{
    for (const CodeRow& row : c.rows) {
        delete row.code;
        delete row.depth;
    }
    c.rows.clear();
    fitContactBox(c);
}

void DataManagerDialog::addCodeRows(ContactControls& c, const std::vector<CodeRowText>& rows)
{
    for (const CodeRowText& text : rows) {
        const int n = static_cast<int>(c.rows.size()) + 1;
        const int y = 100 + 28 * (n - 1);
        CodeRow row;
        row.code = named(new QLineEdit(QString::fromStdString(text.code), c.box),
                         QString::fromLatin1(c.prefix) + QStringLiteral("Code") + QString::number(n));
        row.code->setGeometry(10, y, 60, 23);
        row.code->setEnabled(false);
        row.depth = named(new QLineEdit(QString::fromStdString(text.depth), c.box),
                          QString::fromLatin1(c.prefix) + QStringLiteral("CodeDepth") + QString::number(n));
        row.depth->setGeometry(75, y, 120, 23);
        row.depth->setEnabled(c.check->isChecked());
        row.depth->setToolTip(c.depth->toolTip());
        for (QLineEdit* box : {row.code, row.depth}) {
            box->setFont(rowFont());
            box->show();
        }
        connect(row.depth, &QLineEdit::textChanged, this, [this, &c] { codeRowChanged(c); });
        c.rows.push_back(row);
    }
    fitContactBox(c);
}

void DataManagerDialog::codeRowChanged(ContactControls& c)
{
    for (const CodeRow& row : c.rows) {
        const bool readable = readCodeRowDepth(row.depth->text().toStdString()).readable;
        QPalette palette = row.depth->palette();
        palette.setColor(QPalette::Base, readable ? QColor(Qt::white) : kUnreadableRow);
        palette.setColor(QPalette::Text, Qt::black);
        row.depth->setPalette(palette);
    }
    if (!loading_) markChanged();
}

bool DataManagerDialog::codeRowsReadable(const ContactControls& c) const
{
    if (!c.check->isChecked() || c.uniform->isChecked()) return true;
    // Every row a depth or empty (a code without a contact), and at least one depth: a contact by region with no
    // depth at all would be no contact.
    bool someDepth = false;
    for (const CodeRow& row : c.rows) {
        const CodeRowDepth depth = readCodeRowDepth(row.depth->text().toStdString());
        if (!depth.readable) return false;
        someDepth = someDepth || depth.depth.has_value();
    }
    return someDepth;
}

void DataManagerDialog::showStoredContact(ContactControls& c)
{
    const bool wasLoading = loading_;
    loading_ = true;
    const ContactRequest stored = storedContactControls(state_, c.kind, regions_);
    c.check->setChecked(stored.checked);
    (stored.uniform ? c.uniform : c.region)->setChecked(true);
    c.depth->setText(QString::fromStdString(stored.depthText));
    removeCodeRows(c);
    if (!stored.uniform) {
        const QSignalBlocker block(c.regionList);
        c.regionList->setCurrentIndex(stored.regionSelected);
    }
    addCodeRows(c, stored.rows);
    contactCheckChanged(c);
    loading_ = wasLoading;
}

ContactRequest DataManagerDialog::contactRequest(const ContactControls& c) const
{
    ContactRequest r;
    r.checked = c.check->isChecked();
    r.uniform = c.uniform->isChecked();
    r.depthText = c.depth->text().toStdString();
    r.regionSelected = c.regionList->currentIndex();
    for (const CodeRow& row : c.rows)
        r.rows.push_back({row.code->text().toStdString(), row.depth->text().toStdString()});
    return r;
}

void DataManagerDialog::changeContacts()
{
    const ContactRequest owc = contactRequest(owc_);
    const ContactRequest goc = contactRequest(goc_);
    TraceOnly traceOnly;
    const ContactsOutcome outcome = morvane::changeContacts(state_, nullptr, owc, goc, regions_, traceOnly);
    for (const auto& [controls, request, result] :
         {std::tuple{&owc_, &owc, outcome.owc}, std::tuple{&goc_, &goc, outcome.goc}}) {
        if (const auto message = contactRefusal(controls->kind, result, *request, lang_)) {
            prompts_.information(message->text, message->caption);
            showStoredContact(*controls);
        }
    }
    contactsAssigned_ = state_.document.contacts.owc.set || state_.document.contacts.goc.set;
}

void DataManagerDialog::uploadContacts()
{
    if (view_) view_->uploadContacts();
}

}  // namespace morvane

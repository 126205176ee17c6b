#include "ui/events_log_panel.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/panel_widgets.h"

namespace morvane {

EventsLogPanel::EventsLogPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eventsLogPanel"));
    caption_ = panelCaption("eventsLogCaption", this);
    log_ = new QTextEdit(this);
    log_->setObjectName(QStringLiteral("eventsLog"));
    log_->setReadOnly(true);
    log_->setTextColor(Qt::black);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(caption_);
    layout->addWidget(log_, 1);
    connect(log_, &QTextEdit::textChanged, this, &EventsLogPanel::scrollToEnd);
}

void EventsLogPanel::setCaption(const QString& caption) { caption_->setText(caption); }

void EventsLogPanel::append(const std::string& text, LogColour colour)
{
    QTextCursor cursor = log_->textCursor();
    cursor.movePosition(QTextCursor::End);
    if (!log_->document()->isEmpty()) cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(QColor(colour.r, colour.g, colour.b));
    cursor.insertText(QString::fromStdString(text), format);
    log_->setTextCursor(cursor);
}

void EventsLogPanel::scrollToEnd()
{
    QTextCursor cursor = log_->textCursor();
    cursor.movePosition(QTextCursor::End);
    log_->setTextCursor(cursor);
    log_->ensureCursorVisible();
}

}  // namespace morvane

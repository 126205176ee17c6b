#include "ui/dialogs/about_dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/app_settings.h"

namespace morvane {

namespace {

const InfoDialog::Texts kAbout{
    "aboutDialog", "About Morvane", "О программе Morvane",
    "Morvane 2021.0 x64 beta\n\nA viewer of three-dimensional corner-point models of oil and gas reservoirs: "
    "grids, properties, wells, contacts and production.",
    "Morvane 2021.0 x64 beta\n\nПросмотр трёхмерных моделей нефтяных и газовых залежей в геометрии "
    "угловых точек: гриды, свойства, скважины, контакты и добыча."};

const InfoDialog::Texts kFeedback{
    "feedbackDialog", "Feedback", "Обратная связь",
    "Found a fault or missing a feature? Tell the developers what you did, what you expected and what "
    "happened, and attach the events log.",
    "Нашли ошибку или не хватает возможности? Напишите разработчикам, что вы делали, что ожидали и что "
    "произошло, и приложите журнал событий."};

const InfoDialog::Texts kSupport{
    "supportDialog", "Support Morvane", "Поддержать Morvane",
    "Morvane is free to use. You can support its development by telling colleagues about it and by sending "
    "your models' problems to the developers.",
    "Morvane бесплатна. Вы можете поддержать её развитие, рассказав о ней коллегам и присылая разработчикам "
    "трудные случаи ваших моделей."};

}  // namespace

InfoDialog::InfoDialog(const Texts& texts, QWidget* parent) : QDialog(parent), texts_(texts)
{
    setObjectName(QString::fromLatin1(texts.name));
    setModal(true);

    auto* text = new QLabel(this);
    text_ = text;
    text->setObjectName(QStringLiteral("infoText"));
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignRight);
    applyLanguage();
}

// The support window lives as long as the main window, so the language is looked up again at every opening.
void InfoDialog::showEvent(QShowEvent* event)
{
    applyLanguage();
    QDialog::showEvent(event);
}

void InfoDialog::applyLanguage()
{
    const bool ru = appSettings().ReadAppSettings(settings_key::Lang) == "ru";
    setWindowTitle(QString::fromUtf8(ru ? texts_.titleRu : texts_.titleEn));
    text_->setText(QString::fromUtf8(ru ? texts_.textRu : texts_.textEn));
}

AboutDialog::AboutDialog(QWidget* parent) : InfoDialog(kAbout, parent) {}

FeedbackDialog::FeedbackDialog(QWidget* parent) : InfoDialog(kFeedback, parent) {}

SupportDialog::SupportDialog(QWidget* parent) : InfoDialog(kSupport, parent) {}

}  // namespace morvane

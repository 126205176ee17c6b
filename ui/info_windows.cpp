#include "ui/info_windows.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/app_settings.h"

namespace morvane {

namespace {

struct InfoText {
    const char* name;
    const char* title_en;
    const char* title_ru;
    const char* text_en;
    const char* text_ru;
};

const InfoText& infoText(InfoWindow::Kind kind)
{
    static const InfoText about{
        "About", "About Morvane", "О программе Morvane",
        "Morvane 2021.0 x64 beta\n\nA viewer of three-dimensional corner-point models of oil and gas reservoirs: "
        "grids, properties, wells, contacts and production.",
        "Morvane 2021.0 x64 beta\n\nПросмотр трёхмерных моделей нефтяных и газовых залежей в геометрии "
        "угловых точек: гриды, свойства, скважины, контакты и добыча."};
    static const InfoText feedback{
        "Feedback", "Feedback", "Обратная связь",
        "Found a fault or missing a feature? Tell the developers what you did, what you expected and what "
        "happened, and attach the events log.",
        "Нашли ошибку или не хватает возможности? Напишите разработчикам, что вы делали, что ожидали и что "
        "произошло, и приложите журнал событий."};
    static const InfoText donate{
        "Donate", "Support Morvane", "Поддержать Morvane",
        "Morvane is free to use. You can support its development by telling colleagues about it and by sending "
        "your models' problems to the developers.",
        "Morvane бесплатна. Вы можете поддержать её развитие, рассказав о ней коллегам и присылая разработчикам "
        "трудные случаи ваших моделей."};
    switch (kind) {
    case InfoWindow::Kind::About:
        return about;
    case InfoWindow::Kind::Feedback:
        return feedback;
    case InfoWindow::Kind::Donate:
        return donate;
    }
    return about;
}

}  // namespace

InfoWindow::InfoWindow(Kind kind, QWidget* parent) : QDialog(parent), kind_(kind)
{
    setObjectName(QString::fromLatin1(infoText(kind).name));
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
void InfoWindow::showEvent(QShowEvent* event)
{
    applyLanguage();
    QDialog::showEvent(event);
}

void InfoWindow::applyLanguage()
{
    const InfoText& t = infoText(kind_);
    const bool ru = appSettings().ReadAppSettings(settings_key::Lang) == "ru";
    setWindowTitle(QString::fromUtf8(ru ? t.title_ru : t.title_en));
    text_->setText(QString::fromUtf8(ru ? t.text_ru : t.text_en));
}

}  // namespace morvane

// Interface texts from the localisation table and the language menu.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "ui/color_button.h"
#include "ui/dialogs/colour_limits_dialog.h"
#include "ui/dialogs/palette_dialog.h"
#include "ui/dialogs/property_filter_dialog.h"
#include "ui/events_log_panel.h"
#include "ui/model_tree_panel.h"
#include "ui/wells_panel.h"

#include "core/localisation.h"
#include "platform/app_settings.h"
#include "platform/qt_translations.h"
#include "ui/main_window.h"
#include "ui/property_legend.h"
#include "ui/ui_text.h"
#include "ui/view_panel.h"

namespace morvane {

namespace {

// Tool tips of the panels' controls.
constexpr TextPair kGocTip{"Show the gas-oil contact", "Показать газонефтяной контакт"};
constexpr TextPair kOwcTip{"Show the oil-water contact", "Показать водонефтяной контакт"};
constexpr TextPair kLabelSizeTip{"Size of the well labels", "Размер подписей скважин"};
constexpr TextPair kLabelColourTip{"Colour of the well labels", "Цвет подписей скважин"};
constexpr TextPair kLineWidthTip{"Width of the well lines", "Толщина линий скважин"};
constexpr TextPair kLineColourTip{"Colour of the well lines", "Цвет линий скважин"};
constexpr TextPair kExaggerationTip{"Vertical exaggeration: drag up for more, down for less (keys W and S)",
                                    "Вертикальное преувеличение: вверх — больше, вниз — меньше (клавиши W и S)"};

}  // namespace

void MainWindow::showTexts()
{
    const std::string& lang = state_.view.language;
    auto text = [&lang](int base) { return localUiText(base, lang); };
    const auto pair = [&lang](const TextPair& t) { return QString::fromStdString(t.in(lang)); };
    menus_.setTexts(lang);
    ribbon_.setTexts(lang);
    wellsPanel_->setTexts(text(500), pair(kLabelSizeTip), pair(kLabelColourTip), pair(kLineWidthTip),
                          pair(kLineColourTip));
    modelTree_->setTexts(text(502), pair(kGocTip), pair(kOwcTip));
    eventsLog_->setCaption(text(504));
    legend().setTitle(text(506));
    viewPanel_->setSliderTip(pair(kExaggerationTip));
    propertyFilterDialog_->setLanguage(lang);
    paletteDialog_->setLanguage(lang);
    colourLimitsDialog_->updateLang(lang);
    refreshPickedCell();
}

void MainWindow::checkLanguageItem()
{
    if (state_.view.language == "en") {
        menus_.english->setChecked(true);
        menus_.russian->setChecked(false);
    } else if (state_.view.language == "ru") {
        menus_.english->setChecked(false);
        menus_.russian->setChecked(true);
    }
}

void MainWindow::chooseLanguage(const std::string& lang)
{
    state_.view.language = lang;
    appSettings().UpdateAppSettings(settings_key::Lang, state_.view.language);
    installQtTranslations(lang);  // Qt's own dialogs and standard buttons follow the interface
    checkLanguageItem();
    showTexts();
    fitCommandRow();
}

}  // namespace morvane

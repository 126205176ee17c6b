// The small information windows of the About menu: about the program (AboutDialog), how to send feedback
// (FeedbackDialog), how to support it (SupportDialog). Each reads the interface language from the settings whenever
// it opens.
#pragma once

#include <QDialog>

class QLabel;

namespace morvane {

// A titled text with an OK button, in English and Russian.
class InfoDialog : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        const char* name;  // the object name
        const char* titleEn;
        const char* titleRu;
        const char* textEn;
        const char* textRu;
    };

protected:
    InfoDialog(const Texts& texts, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    void applyLanguage();

    const Texts& texts_;
    QLabel* text_ = nullptr;
};

class AboutDialog final : public InfoDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

class FeedbackDialog final : public InfoDialog {
    Q_OBJECT
public:
    explicit FeedbackDialog(QWidget* parent = nullptr);
};

class SupportDialog final : public InfoDialog {
    Q_OBJECT
public:
    explicit SupportDialog(QWidget* parent = nullptr);
};

}  // namespace morvane

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dsp {

class LinkDriver;
struct LinkContext;

// The buttons of a question box.
enum class AskButtons { YesNo, OkCancel };

// How the mode and file controllers talk to the user: one place for message boxes, questions
// and the interface language, so that the program shows modal boxes and a test answers them.
struct PresetUi {
    // A message box with an OK button.
    std::function<void(QWidget* owner, const QString& caption, const QString& text)> Message;
    // A question; true for Yes or OK.
    std::function<bool(QWidget* owner, const QString& caption, const QString& text,
                       AskButtons buttons)>
        Ask;
    // 1 Chinese, 0 English.
    std::function<int()> UiLanguage;

    // Modal QMessageBox boxes and the Chinese interface.
    PresetUi();

    bool Chinese() const { return !UiLanguage || UiLanguage() == 1; }
    // The Chinese or English text by the interface language.
    QString Pick(const QString& chinese, const QString& english) const {
        return Chinese() ? chinese : english;
    }
    // ShowLocalizedMessage: the text of the interface language, captioned "提示" in the
    // Chinese interface and "Confirm" in the English one.
    void ShowLocalizedMessage(QWidget* owner, const QString& chinese, const QString& english) const;
};

void ShowModalPresetMessage(QWidget* owner, const QString& caption, const QString& text);
bool AskModalPresetQuestion(QWidget* owner, const QString& caption, const QString& text,
                            AskButtons buttons);

// How the controllers reach the link: the program's link context, and a runner that calls a
// core routine on it and then lets the link's io glue follow (timers, signals).
class PresetLink {
public:
    virtual ~PresetLink() = default;
    virtual LinkContext& Context() = 0;
    virtual void Run(const std::function<void(LinkContext&)>& routine) { routine(Context()); }
};

// The link of the running program.
class DriverPresetLink final : public PresetLink {
public:
    explicit DriverPresetLink(LinkDriver& driver) : driver_(driver) {}
    LinkContext& Context() override;
    void Run(const std::function<void(LinkContext&)>& routine) override;

private:
    LinkDriver& driver_;
};

} // namespace dsp

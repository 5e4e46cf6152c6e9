#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "forms/Binding.h"
#include "link/LinkContext.h"

namespace dsp {

// What every page controller of the main window shares: the form with its controls, the
// binding of those controls to addresses, the link context the write path runs on, the editing
// state (previous text, edited and wheel flags) and the hooks other subsystems fill in.
class EditSession {
public:
    using LinkRoutine = std::function<void(LinkContext&)>;

    EditSession(QWidget& form, ControlBinding& binding, LinkContext& link);

    QWidget& Form() const { return form_; }
    ControlBinding& Binding() const { return binding_; }
    LinkContext& Link() const { return link_; }
    ParamStore& Store() const { return link_.Store; }
    PageState& Page() const { return link_.Page; }
    ParamTable& View() const { return link_.Store.ViewTable; }
    ParamTable& Device() const { return link_.Store.DeviceTable; }
    Variant ProgramVariant() const { return link_.ProgramVariant; }

    // A control of the form by objectName (nullptr when the form has none of that kind).
    template <class T = QWidget> T* Find(const QString& name) const {
        return qobject_cast<T*>(FindWidget(name));
    }

    // The write path: SendDatatoMCU / SendEQDatatoMCU run through RunOnLink.
    void Send(Address view, int32_t value);
    void SendEq(Address view, int32_t value);
    // Runs a core routine on the link (through the link window's driver when it is wired, so
    // the timers follow what the routine changed).
    void RunLink(const LinkRoutine& routine);

    // Text in the UI language: Chinese when UiLanguage is 1.
    QString Text(const char* chinese, const char* english) const;
    // Caption in the UI language and hint in the other one, on any kit control.
    void SetCaptionPair(QWidget* w, const char* chinese, const char* english) const;
    // A modal message in the UI language.
    void ShowMessage(std::string_view chinese, std::string_view english) const;

    // Editing state.
    QString PreviousText;
    bool Edited = false;     // a key went to an edit since its last commit
    bool WheelArmed = false; // an edit was clicked on this page: the wheel steps CurrentEdit
    int LastEffectButton = 0;

    // Hooks. Empty hooks do nothing (RunOnLink: run the routine on Link() directly;
    // ShowMessageHook: a message box).
    std::function<void(int band, int section)> RedrawEQ;
    std::function<void()> UpdateCurveColor;
    std::function<void(const LinkRoutine&)> RunOnLink;
    std::function<void(std::string_view, std::string_view)> ShowMessageHook;
    // Page navigation: derives the page state of a channel page button's Tag (SelectPage).
    std::function<Address(int tag)> SelectPage;
    // Mode list change handlers (device modes): SysModeBox, SysMode2Box, SysMode3Box.
    std::function<void(QWidget* box)> ModeBoxChanged;

private:
    QWidget* FindWidget(const QString& name) const;

    QWidget& form_;
    ControlBinding& binding_;
    LinkContext& link_;
    mutable QHash<QString, QWidget*> names_;
};

} // namespace dsp

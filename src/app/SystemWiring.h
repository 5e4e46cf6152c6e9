#pragma once

#include <QObject>
#include <memory>

#include "app/LangController.h"
#include "app/LangMessages.h"
#include "app/LockController.h"
#include "app/SystemHooks.h"
#include "app/SystemPageController.h"

namespace dsp {

struct LinkContext;
struct LinkVars;
struct LinkPorts;
class TForm1;

// Languages, access locks and the system page of one main window, created together and
// living as long as the window (a child object of it).
//
// What the rest of the program calls:
//   Lang().Translate (n), Lang().RzToolButton11Click ()
//   Messages().ShowLocalizedMessage (chinese, english)
//   Locks().RaiseLinkGateIfDue () (last step of the page refresh), Locks().GateShown ()
//   System().SysMusInputLevelClick (button), System().SysInputBoxChange (box),
//   System().SysMusNormalVolBarChange (bar), System().RelistInputs (), System().DragInProgress ()
// and what it fills in: Hooks().OpenPage, Hooks().HintSubPage, Hooks().ReselectPage.
class SystemPage : public QObject {
    Q_OBJECT
public:
    // link: the program's link; null makes an offline link of the window's own tables (the
    // window then works, but nothing reaches a device).
    SystemPage(TForm1& form, QWidget* statusDialog, LinkContext* link);
    ~SystemPage() override;

    LinkContext& Link() { return *link_; }
    SystemHooks& Hooks() { return hooks_; }
    LangMessages& Messages() { return messages_; }
    LangController& Lang() { return *lang_; }
    LockController& Locks() { return *locks_; }
    SystemPageController& System() { return *system_; }

private:
    std::unique_ptr<LinkVars> ownVars_;
    std::unique_ptr<LinkPorts> ownPorts_;
    std::unique_ptr<LinkContext> ownLink_;
    LinkContext* link_;
    SystemHooks hooks_;
    LangMessages messages_;
    LangController* lang_;
    LockController* locks_;
    SystemPageController* system_;
};

// Creates the window's SystemPage, connects its controls and fills TForm1Hooks::ChooseLanguage.
// Call once, after the three windows exist and before the main window is shown.
SystemPage* InstallSystemPage(TForm1& form, QWidget* statusDialog, LinkContext* link);

} // namespace dsp

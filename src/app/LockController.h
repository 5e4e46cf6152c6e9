#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace dsp {

struct LinkContext;
struct SystemHooks;
class TForm1;
class LangMessages;

// Access codes of the hidden box, compared exactly.
constexpr const char* kAccessCodeA = "OPERATR2753"; // hidden page, music EQ only
constexpr const char* kAccessCodeB = "operatr5286"; // hidden page, all four sub-pages
constexpr const char* kAccessCodeC = "352617";      // auxiliary page, start volumes

// The access locks of the main window: the link-password gate raised after linking to a
// device whose key panel is locked, the change of that password, and the hidden box whose
// access codes open the service pages. The key-panel lock buttons are a selector of the
// system page (SystemPageController::SysMusInputLevelClick).
class LockController : public QObject {
    Q_OBJECT
public:
    LockController(TForm1& form, LinkContext& link, SystemHooks& hooks, LangMessages& messages,
                   QObject* parent = nullptr);

    // The last step of a page refresh: when a link has just loaded the device
    // (LinkGateState 1) and its key panel is locked (ViewTable (30, 4) = 1), raise the gate.
    // Returns whether it was raised.
    bool RaiseLinkGateIfDue();
    // Raises the gate: LinkGateState 2, the music page, FirstCheckGrop shown with the focus in
    // PanelPassWordEdit, FormPageItem, AdvPanel1 and AdvPageControl1 disabled.
    void RaiseLinkGate();
    // While the gate shows, the page buttons do nothing.
    bool GateShown() const;

    // Gate OK: the typed text unlocks when it equals the 4-character link password.
    void RzBmpButton4Click();
    // Password change: check the old one, then send the new one.
    void RzBmpButton22Click();
    void RzBmpButton23Click();

    // The password boxes take only Backspace, Enter and the digits: false discards the key.
    static bool SysPassEditKeyPress(QChar key);
    static bool PassPanelLabel1KeyPress(QChar key) { return SysPassEditKeyPress(key); }

    // Enter in the hidden box: compares its text with the access codes.
    void SysLogoEditKeyPress(QChar key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenPage(int tag);
    void SetVisible(const char* name, bool visible);
    QLineEdit* Edit(const char* name) const;
    bool MatchesPassword(const QString& typed) const;

    TForm1& form_;
    LinkContext& link_;
    SystemHooks& hooks_;
    LangMessages& messages_;
};

} // namespace dsp

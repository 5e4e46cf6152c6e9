#include "app/LockController.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTabWidget>

#include "app/LangMessages.h"
#include "app/MainWindow.h"
#include "app/SystemHooks.h"
#include "forms/kit/Kit.h"
#include "link/Frames.h"
#include "link/LinkContext.h"
#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr int kPasswordLength = 4;
constexpr int kPanelLockSlot = 4;

// Sheet of FormPageItem shown by the page buttons the locks open.
int SheetOfPage(int tag) {
    switch (tag) {
    case 9:
        return 4;
    case 11:
    case 12:
        return 6;
    default:
        return 0;
    }
}

std::u16string_view Utf16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

} // namespace

LockController::LockController(TForm1& form, LinkContext& link, SystemHooks& hooks,
                               LangMessages& messages, QObject* parent)
    : QObject(parent), form_(form), link_(link), hooks_(hooks), messages_(messages) {
    if (auto* ok = form_.findChild<QAbstractButton*>("RzBmpButton4"))
        connect(ok, &QAbstractButton::clicked, this, &LockController::RzBmpButton4Click);
    if (auto* ok = form_.findChild<QAbstractButton*>("RzBmpButton22"))
        connect(ok, &QAbstractButton::clicked, this, &LockController::RzBmpButton22Click);
    if (auto* ok = form_.findChild<QAbstractButton*>("RzBmpButton23"))
        connect(ok, &QAbstractButton::clicked, this, &LockController::RzBmpButton23Click);
    // Keys are filtered as typed; the validator also keeps pasted text to digits.
    for (const char* name : {"PanelPassWordEdit", "PassPanelLabel1", "NewPassLabel1"})
        if (QLineEdit* e = Edit(name)) {
            e->installEventFilter(this);
            e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
        }
    if (QLineEdit* e = Edit("SysLogoEdit"))
        e->installEventFilter(this);
}

QLineEdit* LockController::Edit(const char* name) const {
    return form_.findChild<QLineEdit*>(name);
}

void LockController::SetVisible(const char* name, bool visible) {
    if (QWidget* w = form_.findChild<QWidget*>(name))
        w->setVisible(visible);
}

bool LockController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (watched->objectName() == QLatin1String("SysLogoEdit")) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            SysLogoEditKeyPress(QChar('\r'));
        return QObject::eventFilter(watched, event);
    }
    // Keys without a character (arrows, Delete) edit as usual.
    if (!text.isEmpty() && !SysPassEditKeyPress(text.at(0)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool LockController::SysPassEditKeyPress(QChar key) {
    const char16_t c = key.unicode();
    return c == u'\b' || c == u'\r' || c == u'\n' || (c >= u'0' && c <= u'9');
}

bool LockController::MatchesPassword(const QString& typed) const {
    const std::string& password = link_.Vars.LinkPassword;
    return password.size() == kPasswordLength && typed == QString::fromLatin1(password);
}

// ---- link-password gate ----

bool LockController::RaiseLinkGateIfDue() {
    if (link_.Page.LinkGateState != 1 || link_.Store.ViewTable.At(SecSystem, kPanelLockSlot) != 1)
        return false;
    RaiseLinkGate();
    return true;
}

void LockController::RaiseLinkGate() {
    link_.Page.LinkGateState = 2;
    OpenPage(0);
    if (QWidget* pages = form_.findChild<QWidget*>("FormPageItem"))
        if (auto* tabs = qobject_cast<QTabWidget*>(pages))
            tabs->setCurrentIndex(0);
    if (QWidget* gate = form_.findChild<QWidget*>("FirstCheckGrop")) {
        gate->show();
        gate->raise();
    }
    if (QLineEdit* e = Edit("PanelPassWordEdit"))
        e->setFocus();
    for (const char* name : {"FormPageItem", "AdvPanel1", "AdvPageControl1"})
        if (QWidget* w = form_.findChild<QWidget*>(name))
            w->setEnabled(false);
}

bool LockController::GateShown() const {
    QWidget* gate = form_.findChild<QWidget*>("FirstCheckGrop");
    return gate && !gate->isHidden();
}

void LockController::RzBmpButton4Click() {
    QLineEdit* edit = Edit("PanelPassWordEdit");
    if (!edit)
        return;
    if (MatchesPassword(edit->text())) {
        SetVisible("FirstCheckGrop", false);
        for (const char* name : {"FormPageItem", "AdvPanel1", "AdvPageControl1"})
            if (QWidget* w = form_.findChild<QWidget*>(name))
                w->setEnabled(true);
        edit->clear();
        messages_.ShowLocalizedMessage(QStringLiteral("解锁成功!"),
                                       QStringLiteral("unlocked Success!"));
        return;
    }
    edit->clear();
}

// ---- link password change ----

void LockController::RzBmpButton22Click() {
    QLineEdit* old = Edit("PassPanelLabel1");
    QLineEdit* fresh = Edit("NewPassLabel1");
    if (!old || !fresh || !MatchesPassword(old->text()))
        return;
    fresh->setEnabled(true);
    old->clear();
}

void LockController::RzBmpButton23Click() {
    QLineEdit* old = Edit("PassPanelLabel1");
    QLineEdit* fresh = Edit("NewPassLabel1");
    if (!old || !fresh || fresh->text().size() != kPasswordLength)
        return;
    const QString password = fresh->text();
    link_.Vars.LinkPassword = password.toLatin1().toStdString();
    SendStrData(link_.Ports, kAddrPassword, Utf16(password));
    fresh->setEnabled(false);
    fresh->clear();
    old->clear();
}

// ---- hidden box ----

void LockController::OpenPage(int tag) {
    if (hooks_.OpenPage) {
        hooks_.OpenPage(tag);
        return;
    }
    link_.Page.CurrentPage = tag;
    if (auto* pages = form_.findChild<QTabWidget*>("FormPageItem"))
        pages->setCurrentIndex(SheetOfPage(tag));
    if (tag == 11 || tag == 12)
        if (auto* aux = form_.findChild<QTabWidget*>("AuxPageCtrol"))
            aux->setCurrentIndex(tag == 12 ? 0 : 1);
}

void LockController::SysLogoEditKeyPress(QChar key) {
    if (key != QChar('\r'))
        return;
    QLineEdit* box = Edit("SysLogoEdit");
    if (!box)
        return;
    const QString code = box->text();
    const bool codeA = code == QLatin1String(kAccessCodeA);
    const bool codeB = code == QLatin1String(kAccessCodeB);
    if (codeA || codeB) {
        SetVisible("FormHintTabBtn", true);
        SetVisible("SysLogoLabel", false);
        SetVisible("SysLogoEdit", false);
        for (const char* name : {"HintMicABtn", "HintMicBBtn", "HintSysBtn"})
            SetVisible(name, codeB);
        if (codeA)
            SetVisible("HintModePage", false);
        OpenPage(9);
        // The page opens on its music sub-page: with code A it is the only one offered.
        if (hooks_.HintSubPage)
            hooks_.HintSubPage(0);
        return;
    }
    if (code == QLatin1String(kAccessCodeC)) {
        OpenPage(12);
        SetVisible("HintAuxBtn", true);
        return;
    }
    SetVisible("FormHintTabBtn", false);
}

} // namespace dsp

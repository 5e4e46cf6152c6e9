#pragma once

#include <QObject>

#include "params/EditSession.h"

class QMenu;

namespace dsp {

class ButtonStates;
class PageRefresh;

// The microphone link buttons and the copy of one output's parameters onto another.
class ChannelCopy : public QObject {
    Q_OBJECT
public:
    ChannelCopy(EditSession& session, ButtonStates& buttons, PageRefresh& refresh,
                QObject* parent = nullptr);

    // Connects LeftBtn, SameBtn, RightBtn, the items of CopyPopupMenu and (variant B) the mouse
    // presses of the output sheet that arm the menu.
    void Connect();

    // LeftBtn (Tag 0, microphone 1), SameBtn (1, linked), RightBtn (2, microphone 2).
    void SameBtnClick(QWidget* button);
    // Microphone 2's rows take microphone 1's (slots 0-114). Nothing is sent.
    void CopyLinkedChannel(int section);
    // Copies the output shown (both its sing and disco sections) onto the output whose first
    // section is dstSection and, online, uploads both sections.
    void CopyBtn1Click(int dstSection);
    // Variant B: a press on the output sheet arms the copy menu's pop-up while Ctrl is held;
    // a right press with Ctrl opens it.
    void AdvTabSheet4_MainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods);

    bool MenuArmed() const { return menuArmed_; }

private:
    EditSession& s_;
    ButtonStates& buttons_;
    PageRefresh& refresh_;
    bool menuArmed_ = false;
    bool connected_ = false;
};

} // namespace dsp

#pragma once

#include <QObject>

#include "params/EditSession.h"

class QComboBox;
class QKeyEvent;

namespace dsp {

class ButtonStates;
class ValueDisplay;
class ValueEdit;

// The editing handlers of the channel pages. One handler per kind of control serves every
// control of that kind: it reads the sender's Tag (its address) and finds the companion
// controls in the binding tables. Connect() wires every bound control once the binding is done.
class EditHandlers : public QObject {
    Q_OBJECT
public:
    EditHandlers(EditSession& session, ValueDisplay& display, ButtonStates& buttons,
                 QObject* parent = nullptr);

    // Connects the bound controls of the form to the handlers below (each control once; a
    // second call does nothing).
    void Connect();

    void MicHPFreBarChange(QWidget* slider);   // slider beside a status pane
    void MusEQGainBar1Change(QWidget* slider); // EQ gain slider
    void MusModeBox1Change(QWidget* combo);    // EQ band type box
    void MusPEQtn1Click(QWidget* label);       // BY / P / LS / HS mark
    void MusFreEdit1Click(QWidget* edit);      // value edit clicked
    // Arrow keys of a value edit; true when the key was used.
    bool MusFreEdit1KeyDown(QWidget* edit, int key);
    // A typed character; true when it is dropped (or used as Enter).
    bool MusFreEdit1KeyPress(QWidget* edit, QChar ch);
    void MusFreEdit1Exit();                             // focus left the edit (or Enter)
    void MusFreUpDownBtn1Click(QWidget* spin, bool up); // spin buttons
    // Mouse wheel over the window: steps CurrentEdit while the wheel flag is set; true when used.
    bool FormMouseWheel(int delta);
    void MusEQPointLabel1Click(QWidget* label);
    void EchoEffPhaseBtnClick(QWidget* button);
    void MainLmuteBtnClick(QWidget* button);
    void MainHPTypeBoxChange(QWidget* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ConnectEdit(ValueEdit* edit);

    EditSession& s_;
    ValueDisplay& display_;
    ButtonStates& buttons_;
    bool connected_ = false;
    bool movingFocus_ = false;
};

} // namespace dsp

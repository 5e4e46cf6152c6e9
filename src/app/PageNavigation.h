#pragma once

#include <QObject>

#include "params/EditSession.h"

class QWidget;

namespace dsp {

class ButtonStates;
class PageRefresh;

// The channel page buttons and the effect and hidden-page sub-buttons: which sheet shows,
// which device section the shared controls stand for, the page's captions, group visibility
// and enabling (SelectPage), then the refresh of the sheet and the EQ graph.
class PageNavigation : public QObject {
    Q_OBJECT
public:
    PageNavigation(EditSession& session, ButtonStates& buttons, PageRefresh& refresh,
                   QObject* parent = nullptr);

    // Connects the page buttons, the sub-buttons and the language button's look.
    void Connect();

    void FormMusTabBtnClick(QWidget* button);
    void FormMusTabBtnMouseDown(QWidget* button);
    void RzToolButton11MouseUp(QWidget* button);
    void EchoAToolButtonClick(QWidget* button);
    void HintMusBtnClick(QWidget* button);

    // Page state of page button `tag` (0-14); returns view section * 256 + sheet index.
    Address SelectPage(int tag);

    // First device section of the output a page button stands for, 0 for other pages.
    static int OutputFirstSectionOfPage(Variant variant, int tag);

private:
    void SetPageTexts(int tag);
    void SetRightChannelControls(int tag);

    EditSession& s_;
    ButtonStates& buttons_;
    PageRefresh& refresh_;
    bool connected_ = false;
};

} // namespace dsp

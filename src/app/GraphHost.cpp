// The main window's side of the EQ graph: it builds the graph for the form, answers what the
// graph asks about the page shown (EqGraphHost) and hands value pushes and edit selections to
// the editing layer through TForm1Hooks (ShowValue, MusFreEdit1Click, CommitEdit).
#include <QTabWidget>

#include "app/MainWindow.h"
#include "eq/EqGraph.h"
#include "forms/MainForm.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/SectionMap.h"
#include "spectrum/SpectrumView.h"

namespace dsp {

namespace {

bool ValidAddress(Address a) {
    return a >= 0 && SectionOf(a) < kSectionCount && SlotOf(a) < kSlotCount;
}

// The binding's list of EQ point labels for the section shown: one per EQ kind, the reverb
// has its own.
int PointLabelList(int section) {
    return section == SecReverb ? 9 : EqClassOfSection(section);
}

} // namespace

dsp::EqGraph* TForm1::CreateEqGraph() {
    eqGraph_ = new dsp::EqGraph(params_, page_, *this, this);
    // The same room around the plot as the form's layout: at the designed size 883 x 268.
    eqGraph_->SetPlotMargins(forms::GraphPlotMargins());
    // The window's style sheet gives every control one font size; the graph's labels keep
    // their own: the axis labels small enough for "-24dB" in their 32 pixels, the value label
    // and the bypass caption as designed.
    eqGraph_->setStyleSheet("QLabel { font-size: 10px; }"
                            "QLabel#EQlabel { font-family: 'Arial Narrow'; font-size: 13px;"
                            " font-weight: bold; }"
                            "QLabel#EQPassLabel { font-size: 35px; font-weight: bold; }");
    return eqGraph_;
}

void TForm1::RedrawEQ(int band, int section) {
    eqGraph_->RedrawEQ(band, section);
}

void TForm1::UpdateCurveColor() {
    eqGraph_->UpdateCurveColor();
}

void TForm1::Timer1Timer() {
    eqGraph_->ProcessPendingEQ(true);
    spectrum_->OnTimerTick();
}

bool TForm1::DragInProgress() const {
    return eqGraph_->DragInProgress() || volumeMarkerDrag_ ||
           (hooks_.VolumeMarkerDragging && hooks_.VolumeMarkerDragging());
}

// ---- EqGraphHost ----

void TForm1::ShowValue(Address address, double raw) {
    if (hooks_.ShowValue)
        hooks_.ShowValue(address, raw);
}

bool TForm1::IsEditBox(Address address) const {
    return ValidAddress(address) && qobject_cast<ValueEdit*>(binding_.CtrlBind(address));
}

void TForm1::SelectEdit(Address address) {
    if (!ValidAddress(address))
        return;
    auto* edit = qobject_cast<ValueEdit*>(binding_.CtrlBind(address));
    // An edit can take the focus when it and every control around it is shown and enabled.
    if (!edit || !edit->isVisible() || !edit->isEnabled())
        return;
    if (hooks_.MusFreEdit1Click)
        hooks_.MusFreEdit1Click(edit);
}

void TForm1::CommitEdit(int stepCode) {
    if (hooks_.CommitEdit)
        hooks_.CommitEdit(stepCode);
}

int TForm1::CurrentSheet() const {
    return regions_.channelPages ? regions_.channelPages->currentIndex() : 0;
}

int TForm1::AuxTab() const {
    const auto* aux = findChild<QTabWidget*>("AuxPageCtrol");
    return aux ? aux->currentIndex() : 0;
}

int TForm1::PointBand(int index) const {
    const int list = PointLabelList(page_.CurrentSection);
    if (index >= 0 && index < ControlBinding::EqPointLabelCount(list)) {
        if (const KitControl* label = AsKit(binding_.EqPointLabel(list, index))) {
            bool ok = false;
            const int band = label->caption().trimmed().toInt(&ok);
            if (ok)
                return band;
        }
    }
    return index + 1;
}

bool TForm1::AuxFirstGroupActive() const {
    const int list = EqClassOfSection(SecAux);
    for (int i = 0; i < 3; ++i)
        if (auto* label = qobject_cast<TypeLabel*>(binding_.EqPointLabel(list, i));
            label && label->highlighted())
            return true;
    return false;
}

bool TForm1::HintThirdGroupVisible() const {
    const QWidget* group = findChild<QWidget*>("HintEQGroupBox3");
    return !group || !group->isHidden();
}

} // namespace dsp

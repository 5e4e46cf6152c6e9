// Mouse interaction of the EQ graph: point drag, crossover markers, Q stepping with the right
// button, and the hand-over of dragged values to the editing path once per timer tick.
#include <QCursor>

#include "eq/EqGraph.h"
#include "params/SectionMap.h"

namespace dsp {

bool EqGraph::LockedOutputPage() const {
    return host_.CurrentSheet() == kSheetOutput && state_.ManualMode == 0;
}

Address EqGraph::BandSlotAddress(int pointIndex, int offset) const {
    const int section = state_.CurrentSection;
    const int band = host_.PointBand(pointIndex);
    return MakeAddress(section, FirstEqSlot[size_t(section)] + kBandSlots * (band - 1) + offset);
}

void EqGraph::SelectBandFreqEdit(int pointIndex) {
    const Address a = BandSlotAddress(pointIndex, kBandFreq);
    if (host_.IsEditBox(a))
        host_.SelectEdit(a);
}

void EqGraph::EP1MouseDown(int index, Qt::MouseButton button, int x, int y) {
    if (host_.CurrentSheet() == kSheetAux && host_.AuxTab() == 1)
        return;
    // Only the left (drag) and right (Q) buttons have a meaning; any other press would leave a
    // drag flagged that no release ends.
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    EqGraphPoint* point = points_[size_t(index)];
    point->setCursor(Qt::CrossCursor);
    dragLastX_ = x;
    dragLastY_ = y;
    dragInProgress_ = true;
    dragIndex_ = index;
    if (!host_.IsShown())
        return;
    qAdjustMode_ = false;
    const bool locked = LockedOutputPage();

    if (button == Qt::LeftButton) {
        if (locked) {
            dragInProgress_ = false;
            return;
        }
        StartPending(index);
        if (index >= kHpfPoint)
            RedrawEQ(BandCount[size_t(state_.CurrentSection)] + index - kHpfPoint,
                     state_.CurrentSection);
        else
            SelectBandFreqEdit(index);
        return;
    }

    // Right button: no drag for any point (a marker would otherwise follow the right button
    // and stay flagged after the release); EQ points enter the Q adjustment.
    dragInProgress_ = false;
    point->unsetCursor();
    if (index >= kHpfPoint || locked)
        return;
    // The Q steps compare plot coordinates, so the reference is the press in the plot.
    dragLastX_ = point->x() + x - image1_->x();
    dragLastY_ = point->y() + y - image1_->y();
    const Address q = BandSlotAddress(index, kBandQ);
    if (host_.IsEditBox(q)) {
        host_.SelectEdit(q);
        qAdjustMode_ = true;
    }
}

// A new drag compares against the pressed point's own stored values. The last values pushed
// for another point must not count as "already shown": a drag to the same raw value (for the
// first drag, to raw 0: -24 dB or the lowest frequency step) would otherwise never be sent.
void EqGraph::StartPending(int index) {
    ProcessPendingEQ(false); // a drag of another point still waiting for its tick goes first
    const auto stored = [this](Address a) { return a >= 0 ? float(store_.ViewTable[a]) : 0.0f; };
    pendingPoint_ = index;
    pendingFreqIndex_ = shownFreqIndex_ = stored(bandList_.freqAddr[size_t(index)]);
    pendingGainIndex_ = shownGainIndex_ = stored(bandList_.gainAddr[size_t(index)]);
}

void EqGraph::EP1MouseMove(int /*index*/, int x, int y) {
    if (!dragInProgress_ || dragIndex_ < 0)
        return;
    EqGraphPoint* point = points_[size_t(dragIndex_)];
    const bool bypass = !eqPassLabel_->isHidden();
    DragInput in;
    in.index = dragIndex_;
    in.left = point->x();
    in.top = point->y();
    in.size = point->height();
    in.dx = x - dragLastX_;
    in.dy = y - dragLastY_;
    in.plotLeft = image1_->x();
    in.plotWidth = image1_->width();
    const DragResult r =
        DragStep(plot_, drag_, SheetDragRule(host_.CurrentSheet(), dragIndex_, bypass), in);
    if (!r.moved)
        return;
    if (point->pos() != QPoint(r.left, r.top))
        point->move(r.left, r.top);
    pendingPoint_ = dragIndex_;
    ProcessPendingEQ(true);
    pendingFreqIndex_ = float(eqshared::FrequencyIndex(r.freqHz));
    pendingGainIndex_ = float(eqshared::GainIndex(r.gainDb));
}

void EqGraph::EP1MouseUp(int /*index*/, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    qAdjustMode_ = false;
    if (dragInProgress_) {
        dragInProgress_ = false;
        if (dragIndex_ >= 0)
            points_[size_t(dragIndex_)]->unsetCursor();
    }
    if (dragIndex_ >= 0 && dragIndex_ < kHpfPoint && !LockedOutputPage())
        SelectBandFreqEdit(dragIndex_);
}

void EqGraph::Image1MouseMove(Qt::MouseButtons buttons, int x, int y) {
    if (!(buttons & Qt::RightButton) || !qAdjustMode_ || dragIndex_ < 0 || dragIndex_ >= kHpfPoint)
        return;
    if (x - dragLastX_ > 2)
        host_.CommitEdit(1);
    else if (dragLastX_ - x > 2)
        host_.CommitEdit(11);
    else
        return;
    dragInProgress_ = false;
    dragLastX_ = x;
    dragLastY_ = y;
    pendingPoint_ = dragIndex_;
}

void EqGraph::Image1MouseUp(Qt::MouseButton button) {
    if (button != Qt::RightButton || !qAdjustMode_ || LockedOutputPage())
        return;
    dragInProgress_ = false;
    qAdjustMode_ = false;
    if (dragIndex_ >= 0 && dragIndex_ < 15)
        SelectBandFreqEdit(dragIndex_);
}

void EqGraph::EQlabelMouseUp() {
    qAdjustMode_ = false;
    dragInProgress_ = false;
}

void EqGraph::ProcessPendingEQ(bool redraw) {
    if (redraw && (state_.LastEditedAddress != drawnEditAddress_ ||
                   state_.LastEditedValue != drawnEditValue_)) {
        drawnEditAddress_ = state_.LastEditedAddress;
        drawnEditValue_ = state_.LastEditedValue;
        if (drawnEditAddress_ >= 0) {
            const int decoded = eqshared::DecodeBand(drawnEditAddress_);
            if (eqshared::IsEqDecode(decoded))
                RedrawEQ(decoded / 256, SectionOf(drawnEditAddress_));
        }
    }
    if (pendingPoint_ < 0 || pendingPoint_ >= kPointCount)
        return;
    // Raw values are compared, so moves within one frequency or gain step send nothing.
    if (pendingFreqIndex_ != shownFreqIndex_) {
        const Address a = bandList_.freqAddr[size_t(pendingPoint_)];
        if (a >= 0)
            host_.ShowValue(a, pendingFreqIndex_);
        shownFreqIndex_ = pendingFreqIndex_;
    }
    if (pendingGainIndex_ != shownGainIndex_) {
        const Address a = bandList_.gainAddr[size_t(pendingPoint_)];
        if (a >= 0)
            host_.ShowValue(a, pendingGainIndex_);
        shownGainIndex_ = pendingGainIndex_;
    }
}

} // namespace dsp

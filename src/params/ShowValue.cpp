#include "params/ShowValue.h"

#include <QScrollBar>

#include "forms/kit/Kit.h"
#include "link/WritePath.h"
#include "params/BandDecode.h"
#include "params/SectionMap.h"
#include "params/ShowRule.h"
#include "params/ValueParse.h"

namespace dsp {

namespace {

int CodeOf(const KitControl* k) {
    return k->hint().isEmpty() ? 0 : k->hint().toInt();
}

// Band strip of a channel sheet: scroll bar and the number of band columns shown at once.
struct Strip {
    const char* bar;
    int visible;
};

} // namespace

ValueDisplay::ValueDisplay(EditSession& session) : s_(session) {}

ValueEdit* ValueDisplay::CurrentEdit() const {
    return s_.Binding().CurrentEdit;
}

void ValueDisplay::SetCurrentEdit(QWidget* edit) {
    if (auto* e = qobject_cast<ValueEdit*>(edit))
        s_.Binding().CurrentEdit = e;
}

bool ValueDisplay::CurrentIsPlaceholder() const {
    ValueEdit* e = CurrentEdit();
    return !e || e->objectName() == QLatin1String("Example");
}

int ValueDisplay::AuxGainIndex() const {
    auto* box = s_.Find<ComboBox>("AUXGainBox");
    return box ? std::max(0, box->currentIndex()) : 0;
}

void ValueDisplay::MirrorSlider(Address address, double x) {
    auto* bar = qobject_cast<TrackBar*>(s_.Binding().CtrlBind(address));
    if (!bar)
        bar = qobject_cast<TrackBar*>(s_.Binding().GroupBind(address, 0));
    if (!bar)
        return;
    PageState& page = s_.Page();
    page.SetFromControl = true;
    bar->setPosition(static_cast<int>(RoundHalfEven(x)));
    page.SetFromControl = false;
}

void ValueDisplay::ShowValue(QWidget* control, int stepCode, bool displayOnly, double x) {
    KitControl* kit = AsKit(control);
    auto* edit = qobject_cast<ValueEdit*>(control);
    auto* pane = qobject_cast<StatusPane*>(control);
    if (!kit || (!edit && !pane))
        return;
    const int code = CodeOf(kit);
    if (pane && !PaneShowsCode(code))
        return;
    if (!IsValidAddress(kit->tag()))
        return;
    ParamTable& view = s_.View();
    PageState& page = s_.Page();
    const Address a = LiveQAddress(kit->tag(), view);

    const ShowInputs in = GatherShowInputs(a, view, page.CurrentSection, AuxGainIndex());
    const ShowRule r = ApplyShowRule(code, stepCode, displayOnly, x, in);
    if (r.repairedQ)
        view[a] = *r.repairedQ;
    if (r.text)
        kit->setCaption(QString::fromStdString(*r.text));
    if (r.selectsCurrentEdit)
        SetCurrentEdit(s_.Binding().CtrlBind(a));
    if (r.storeAtAddress) {
        view[a] = *r.storeAtAddress;
        s_.Device()[a] = *r.storeAtAddress;
    }
    if (r.highlightBand && edit)
        HighlightBand(edit, EqClassOf(a));

    MirrorSlider(a, r.x);
    if (r.storeRaw) {
        view[a] = r.raw;
        const Address d = MapAddress(s_.Link(), a);
        if (IsValidAddress(d))
            s_.Device()[d] = r.raw;
    }
    if (r.send)
        s_.Send(a, r.raw);
    if (r.recordLastEdited && !page.Refreshing) {
        page.LastEditedAddress = a;
        page.LastEditedValue = r.raw;
    }
}

bool ValueDisplay::ShowValueAt(Address address, double raw) {
    if (!IsValidAddress(address))
        return false;
    QWidget* c = s_.Binding().CtrlBind(address);
    if (qobject_cast<ValueEdit*>(c)) {
        ShowValue(c, kStepNone, false, raw);
        return true;
    }
    if (qobject_cast<TrackBar*>(c)) {
        if (auto* p = qobject_cast<StatusPane*>(s_.Binding().PaneBind(address))) {
            ShowValue(p, kStepNone, false, raw);
            return true;
        }
    }
    return false;
}

void ValueDisplay::CommitEdit(int stepCode) {
    if (CurrentIsPlaceholder())
        return;
    ValueEdit* edit = CurrentEdit();
    const std::string text = edit->text().toStdString();
    if (FilterNumber(text).empty()) {
        edit->setText(s_.PreviousText);
        return;
    }
    if (edit->hint().isEmpty()) {
        // An edit without a FormatCode has no scale to read the number with.
        s_.ShowMessage("error", "error");
        edit->setText(s_.PreviousText);
        return;
    }
    const int code = CodeOf(edit);
    const std::optional<double> x = ParseTypedText(code, text);
    if (!x) {
        edit->setText(s_.PreviousText);
        return;
    }
    ShowValue(edit, stepCode, false, *x);
    s_.PreviousText = edit->text();
}

void ValueDisplay::ScrollStrip(int band) {
    auto* pages = s_.Find<QTabWidget>("FormPageItem");
    if (!pages)
        return;
    Strip strip{nullptr, 0};
    switch (pages->currentIndex()) {
    case 0:
        strip = {"MusPanScrollBar", 9};
        break;
    case 1:
        strip = {"MicPanScrollBar", 8};
        break;
    case 2:
        strip = {s_.Page().EffectSection == SecEcho ? "EchoPanScrollBar" : "RvbPanScrollBar", 7};
        break;
    case 3:
        strip = {"MainPanScrollBar", 5};
        break;
    default:
        return;
    }
    auto* bar = s_.Find<QScrollBar>(strip.bar);
    if (!bar)
        return;
    const int p = bar->value();
    if (band >= p + strip.visible)
        bar->setValue(band - (strip.visible - 1));
    else if (band < p)
        bar->setValue(band);
}

int ValueDisplay::HighlightBand(QWidget* control, int eqClass) {
    PageState& page = s_.Page();
    auto* edit = qobject_cast<ValueEdit*>(control);
    if (page.Refreshing || !edit)
        return 0;
    const int decoded = DecodeBand(edit->tag());
    const int band = IsEqDecode(decoded) ? DecodedBand(decoded) : 0;
    if (eqClass >= 0 && eqClass < int(page.SelectedBands.size()))
        page.SelectedBands[size_t(eqClass)] = band;
    page.SelectedBand = band;

    ControlBinding& b = s_.Binding();
    if (b.CurrentEdit != b.LastHighlightedEdit) {
        const int list = (eqClass == 2 && page.EffectSection == SecReverb) ? 9 : eqClass;
        const int count = ControlBinding::EqPointLabelCount(list);
        for (int i = 0; i < count; ++i)
            if (auto* label = qobject_cast<TypeLabel*>(b.EqPointLabel(list, i)))
                label->setHighlighted(i == band);
        b.LastHighlightedEdit = b.CurrentEdit;
    }
    ScrollStrip(band);
    return band;
}

} // namespace dsp

#include "params/EqPresets.h"

#include "forms/kit/Kit.h"
#include "link/WritePath.h"
#include "params/ButtonStates.h"
#include "params/PageRefresh.h"
#include "params/SectionMap.h"
#include "params/SlotLayout.h"

namespace dsp {

namespace {

constexpr int kDefaultGain = 120; // 0 dB
constexpr int kDefaultQ = 16;     // 1.00

constexpr int kFreqPlain[10] = {2, 32, 62, 92, 122, 152, 182, 212, 242, 272};
constexpr int kFreqMic[20] = {2,   25,  49,  73,  96,  120, 144, 167, 187, 215,
                              238, 262, 287, 299, 313, 323, 333, 343, 353, 360};
constexpr int kFreqAux[6] = {20, 129, 280, 20, 129, 280};

} // namespace

int DefaultBandFreq(int eqClass, int band) {
    if (band < 0)
        return 0;
    if (eqClass == 1)
        return band < 20 ? kFreqMic[band] : 0;
    if (eqClass == 6)
        return band < 6 ? kFreqAux[band] : 0;
    return band < 10 ? kFreqPlain[band] : 0;
}

int DefaultBandValue(int eqClass, int band, int offset) {
    switch (offset) {
    case kBandType:
        return PEQ;
    case kBandFreq:
        return DefaultBandFreq(eqClass, band);
    case kBandGain:
        return kDefaultGain;
    default:
        return kDefaultQ;
    }
}

EqPresets::EqPresets(EditSession& session, ButtonStates& buttons, PageRefresh& refresh)
    : s_(session), buttons_(buttons), refresh_(refresh) {}

void EqPresets::ResetEq(int s) {
    PageState& page = s_.Page();
    if (s != 100) {
        if (s == SecEcho)
            s = page.EffectSection;
        else if (s == SecMic1)
            s = page.MicSection;
        else if (s == SecOut)
            s = page.OutputSection;
        else if (s == SecHint)
            s = page.HintSection;
    }
    ParamTable& view = s_.View();
    ParamTable& device = s_.Device();
    for (int d = 0; d <= 24; ++d) {
        if (d != s && s != 100)
            continue;
        const int eqClass = EqClassOfSection(d);
        for (int b = 0; b < BandCount[size_t(d)]; ++b)
            for (int i = 0; i < kBandSlots; ++i) {
                const int k = BandSlot(d, b, i);
                const int value = DefaultBandValue(eqClass, b, i);
                if (page.SingDisco == 0 || s == 100) {
                    device.At(d, k) = value;
                    view.At(d, k) = value;
                } else {
                    const Address mapped = MapAddress(s_.Link(), MakeAddress(d, k));
                    if (IsValidAddress(mapped))
                        device[mapped] = value;
                }
            }
        // One reset command for the whole block instead of a write per band.
        if (s != 100 && EqBlock[size_t(d)] >= 0)
            s_.SendEq(MakeAddress(SecEqReset, EqBlock[size_t(d)]), 1);
    }
    refresh_.RefreshPage(s);
}

void EqPresets::RedrawSelectedBand() {
    PageState& page = s_.Page();
    const int sheet = SlotOf(page.CurrentEqAddress);
    const int band = sheet < int(page.SelectedBands.size()) ? page.SelectedBands[size_t(sheet)] : 0;
    if (s_.RedrawEQ)
        s_.RedrawEQ(band, page.CurrentSection);
}

void EqPresets::EQResetBtnClick() {
    PageState& page = s_.Page();
    ResetEq(page.CurrentSection);
    if (s_.SelectPage)
        page.CurrentEqAddress = s_.SelectPage(page.CurrentPage);
    refresh_.RefreshPage(page.CurrentSection);
    RedrawSelectedBand();
}

void EqPresets::MusEQAllpassBtnClick(QWidget* button) {
    auto* pass = qobject_cast<BmpButton*>(button);
    if (!pass || !IsValidAddress(pass->tag()))
        return;
    PageState& page = s_.Page();
    const Address a = pass->tag();
    const int value = buttons_.ButtonState(pass, kModeToggle);
    page.EqPassOf[size_t(SectionOf(a))] = value;
    page.EqPass = value;
    s_.Send(a, value);
    if (QWidget* label = s_.Find("EQPassLabel"))
        label->setVisible(value == 1);
    refresh_.UpdateOutputEnable(page.CurrentSection, page.CurrentSection);
}

void EqPresets::SingModeBtnClick(QWidget* button) {
    if (!button)
        return;
    PageState& page = s_.Page();
    const int value = button->objectName() == QLatin1String("DiscoModeBtn") ? 1 : 0;
    s_.Send(MakeAddress(SecMusic, kMusSingDisco), value);
    page.SingDisco = value;
    if (s_.SelectPage)
        page.CurrentEqAddress = s_.SelectPage(page.CurrentPage);
    refresh_.RefreshPage(page.CurrentSection);
    RedrawSelectedBand();
}

} // namespace dsp

#pragma once

#include <QString>
#include <array>
#include <vector>

#include "params/ParamTable.h"
#include "params/Variant.h"

class QWidget;

namespace dsp {

struct ParamStore;
struct PageState;
class ValueEdit;

// The binding of the main window's controls to parameter addresses (view addresses):
// CtrlBind holds the main control of an address, PaneBind the companion display of a slider
// (or the second-tab gain edit of an auxiliary band), GroupBind the four type marks of a band's
// type slot, the gain slider of its gain slot and the spin buttons of its Q slot. Also the
// control lists other handlers index. Filled by BindControls; a second run gives the same.
class ControlBinding {
public:
    using Table = std::array<std::array<QWidget*, kSlotCount>, kSectionCount>;
    using GroupTable = std::array<std::array<std::array<QWidget*, 4>, kSlotCount>, kSectionCount>;

    ControlBinding();

    // Fills the tables and lists from the controls of `form` (found by objectName), stamps
    // Tag on every bound control (and Hint "0".."3" on the type marks), gives alike sliders
    // alike looks and resets DeviceTable to its initial contents.
    void BindControls(QWidget* form, Variant variant, ParamStore& params, PageState& page);

    QWidget* CtrlBind(int section, int slot) const { return ctrl_[section][slot]; }
    QWidget* PaneBind(int section, int slot) const { return pane_[section][slot]; }
    QWidget* GroupBind(int section, int slot, int i) const { return group_[section][slot][i]; }
    QWidget* CtrlBind(Address a) const { return CtrlBind(SectionOf(a), SlotOf(a)); }
    QWidget* PaneBind(Address a) const { return PaneBind(SectionOf(a), SlotOf(a)); }
    QWidget* GroupBind(Address a, int i) const { return GroupBind(SectionOf(a), SlotOf(a), i); }
    // Re-points one CtrlBind entry (the auxiliary gain slots follow the tab shown).
    void SetCtrlBind(Address a, QWidget* w) { ctrl_[SectionOf(a)][SlotOf(a)] = w; }

    // Control lists.
    const std::array<QWidget*, 15>& PageButtons() const { return pageButtons_; }
    const std::array<QWidget*, 3>& EffectButtons() const { return effectButtons_; }
    const std::array<QWidget*, 4>& HintButtons() const { return hintButtons_; }
    const std::array<QWidget*, 3>& LinkButtons() const { return linkButtons_; }
    const std::array<QWidget*, 7>& FactoryButtons() const { return factoryButtons_; }
    const std::array<QWidget*, 2>& ModeButtons() const { return modeButtons_; }
    // EQ point labels: list 0..6 by EqClass, list 9 for the reverb.
    QWidget* EqPointLabel(int list, int index) const { return pointLabels_[list][index]; }
    static int EqPointLabelCount(int list);

    // Editing state set up by the binding.
    ValueEdit* CurrentEdit = nullptr;
    ValueEdit* LastHighlightedEdit = nullptr;

    // Names of controls the slot layouts name but the form lacks (empty when complete).
    const std::vector<QString>& Missing() const { return missing_; }

private:
    void Clear();

    Table ctrl_{};
    Table pane_{};
    GroupTable group_{};
    std::array<QWidget*, 15> pageButtons_{};
    std::array<QWidget*, 3> effectButtons_{};
    std::array<QWidget*, 4> hintButtons_{};
    std::array<QWidget*, 3> linkButtons_{};
    std::array<QWidget*, 7> factoryButtons_{};
    std::array<QWidget*, 2> modeButtons_{};
    std::array<std::array<QWidget*, 22>, 10> pointLabels_{};
    std::vector<QString> missing_;
};

} // namespace dsp

#pragma once

// Test double of the main window for the EQ graph: records every push and edit selection and
// stores pushed values the way ShowValue does (ViewTable and LastEdited).

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "eq/EqGraphHost.h"
#include "params/PageState.h"
#include "params/ParamStore.h"

namespace dsp {

class EqGraphFakeHost : public EqGraphHost {
public:
    EqGraphFakeHost(ParamStore& store, PageState& state) : store_(store), state_(state) {}

    void ShowValue(Address address, double raw) override {
        const int v = int(std::trunc(raw));
        shown.emplace_back(address, v);
        store_.ViewTable[address] = v;
        if (!state_.Refreshing) {
            state_.LastEditedAddress = address;
            state_.LastEditedValue = v;
        }
    }
    bool IsEditBox(Address address) const override { return !notEdits.count(address); }
    void SelectEdit(Address address) override {
        selected.push_back(address);
        currentEdit = address;
    }
    void CommitEdit(int stepCode) override {
        commits.push_back(stepCode);
        if (currentEdit < 0)
            return;
        const int step = stepCode == 1 ? 1 : stepCode == 11 ? -1 : 0;
        ShowValue(currentEdit, std::clamp(store_.ViewTable[currentEdit] + step, 0, 100));
    }
    bool IsShown() const override { return shownFlag; }
    int CurrentSheet() const override { return sheet; }
    int AuxTab() const override { return auxTab; }
    bool AuxFirstGroupActive() const override { return auxFirst; }
    bool HintThirdGroupVisible() const override { return hintThird; }

    std::vector<std::pair<Address, int>> shown;
    std::vector<Address> selected;
    std::vector<int> commits;
    std::set<Address> notEdits;
    Address currentEdit = -1;
    bool shownFlag = true;
    int sheet = 0;
    int auxTab = 0;
    bool auxFirst = false;
    bool hintThird = true;

private:
    ParamStore& store_;
    PageState& state_;
};

} // namespace dsp

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "params/Variant.h"

namespace dsp {

// One bound address of the slot layouts: the names of its main control, its companion display
// and its group (four type marks, or one gain slider, or one set of spin buttons).
struct SlotBinding {
    int section = 0;
    int slot = 0;
    QString ctrl;
    QString pane;
    QStringList group;
};

// Every bound address of variant v, in binding order (section ascending, slot ascending).
std::vector<SlotBinding> BindingPlan(Variant v);

} // namespace dsp

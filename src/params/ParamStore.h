#pragma once

#include "params/ParamTable.h"

namespace dsp {

// The two parameter tables: ViewTable by the address a control is bound to, DeviceTable by
// device address. One instance per program (and per test).
struct ParamStore {
    ParamTable ViewTable;
    ParamTable DeviceTable;

    // DeviceTable before the first download: zero except the documented start values.
    void ResetDeviceTable();
};

} // namespace dsp

#include "params/ParamStore.h"

#include "params/SectionMap.h"

namespace dsp {

void ParamStore::ResetDeviceTable() {
    DeviceTable.Clear();
    ParamTable& t = DeviceTable;
    const int gains[6] = {1, 10, 11, 12, 13, 14};
    for (int i = 0; i < 6; ++i)
        t.At(SecMusic, i) = gains[i];
    t.At(SecMusic, 10) = 360; // every low-pass starts at its top frequency
    t.At(SecMusic, 63) = 1;
    t.At(SecMusic, 65) = 1;
    t.At(SecMic1, 12) = 360;
    t.At(SecMic2, 12) = 360;
    t.At(SecEcho, 12) = 360;
    t.At(SecReverb, 9) = 360;
    for (int s = SecOut; s < SecOut + 2 * kOutputCount; ++s)
        t.At(s, 25) = 360;
    t.At(SecSystem, 4) = 0;
    t.At(SecSystem, 20) = 4;
    t.At(SecSystem, 21) = 1;
}

} // namespace dsp

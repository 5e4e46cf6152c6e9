#pragma once

#include "spectrum/SpectrumView.h"

namespace dsp {

// The spectrum math a SpectrumView drives in the program: the 2048-point transform of each
// block (SpectrumTransform::ComputeSpectrum) and the bar columns of the last transform
// (SpectrumColumns). Each call makes its own transform arrays, kept as long as the view.
SpectrumViewMath MakeSpectrumViewMath();

} // namespace dsp

#include "eq/EqGeometry.h"

#include <cmath>

namespace dsp {

double GridPosition(double freqHz) {
    return (std::log10(freqHz) - 1.0) / EQAxisDecades * EQGridSteps;
}

double GridFrequency(double position) {
    return std::pow(10.0, 1.0 + position * EQAxisDecades / EQGridSteps);
}

double EqXScale(int width) {
    return static_cast<double>(width) / EQGridSteps;
}

double FreqToX(double freqHz, double xScale) {
    return (std::log10(freqHz) - 1.0) / EQAxisDecades * EQGridSteps * xScale;
}

double XToFreq(double x, double xScale) {
    return std::pow(10.0, x * EQAxisDecades / (EQGridSteps * xScale) + 1.0);
}

double DbToY(double db, int height) {
    return (EQTopDb - db) / (EQTopDb - EQBottomDb) * (height - 1);
}

double YToDb(double y, int height) {
    return EQTopDb - y / (height - 1) * (EQTopDb - EQBottomDb);
}

int RoundPx(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace dsp

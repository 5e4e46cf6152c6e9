#pragma once

#include <cmath>

namespace dsp {

// Two 32-bit floats, Re then Im. The element of the FFT and the cell of an EQ band curve
// (where Re holds the response in dB).
struct TComplex {
    float Re = 0.0f;
    float Im = 0.0f;
};

// Every operation computes in double precision and rounds its result to single precision.
inline TComplex MakeComplex(double re, double im) {
    return {static_cast<float>(re), static_cast<float>(im)};
}

inline TComplex ComplexAdd(TComplex a, TComplex b) {
    return MakeComplex(double(a.Re) + b.Re, double(a.Im) + b.Im);
}

inline TComplex ComplexSub(TComplex a, TComplex b) {
    return MakeComplex(double(a.Re) - b.Re, double(a.Im) - b.Im);
}

inline TComplex ComplexMul(TComplex a, TComplex b) {
    return MakeComplex(double(a.Re) * b.Re - double(a.Im) * b.Im,
                       double(a.Im) * b.Re + double(a.Re) * b.Im);
}

inline TComplex ComplexScale(TComplex a, double x) {
    return MakeComplex(x * a.Re, x * a.Im);
}

inline float ComplexAbs(TComplex a) {
    return static_cast<float>(std::sqrt(double(a.Re) * a.Re + double(a.Im) * a.Im));
}

} // namespace dsp

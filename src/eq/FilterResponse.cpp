#include "eq/FilterResponse.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <numbers>

namespace dsp {

namespace {

constexpr int N = EQGridSteps;
constexpr int kHalf = N / 2; // H: the prototype's middle, where its corner (pi/2) lies

// Width of the flat ends of the warped grid: round(N * 120 / 512) for shelves and
// round(N * 140 / 512) for crossover sections.
constexpr int RoundedFraction(int num, int den) {
    return (2 * N * num + den) / (2 * den);
}
constexpr int kShelfEdge = RoundedFraction(120, 512);
constexpr int kCrossoverEdge = RoundedFraction(140, 512);
static_assert(kShelfEdge == 108 && kCrossoverEdge == 126);

// Every prototype has its corner (or centre) at a quarter of the sampling rate; the angle is
// the single-precision value of pi/2, as the coefficients have always been built with it.
const double kOmega0 = static_cast<double>(1.5707964f);

using Prototype = std::array<float, N + 1>;
using Curve = std::array<TComplex, N + 1>;

// Prototype angle of grid step i on the warped grid: steps edge .. N - edge sweep 0 .. pi with
// the corner in the middle; the ends hold the first and last prototype step.
double WarpedOmega(int i, int edge, bool risingIncludesEdge) {
    double lambda;
    if (i <= kHalf) {
        const bool rising = risingIncludesEdge ? i >= edge : i > edge;
        lambda = rising ? double(kHalf) * (i - edge) / (kHalf - edge) : 1.0;
    } else if (i <= N - edge) {
        lambda = kHalf + double(kHalf) * (i - kHalf) / (kHalf - edge);
    } else {
        lambda = N - 1;
    }
    return lambda * std::numbers::pi / N;
}

double Poly(double b0, double b1, double b2, double phi) {
    const double nb = b1 * (b0 + b2) + 4.0 * b0 * b2;
    const double sum = b0 + b1 + b2;
    return phi * (phi * b0 * b2 - nb) + sum * sum;
}

double Phi(double omega) {
    const double s = 2.0 * std::sin(omega / 2.0);
    return s * s;
}

// Slides a prototype along the grid so that its middle lands on the band's grid position.
// Positions beyond the prototype's ends repeat its first or last step.
void Place(const Prototype& resp, int freqHz, TComplex* curve) {
    const int l = BandGridPosition(freqHz);
    for (int p = std::min(l, N); p >= 0; --p) {
        const int idx = kHalf - (l - p);
        curve[p].Re = idx >= 0 ? resp[idx] : resp[0];
    }
    for (int p = l; p <= N; ++p) {
        const int idx = kHalf + (p - l);
        curve[p].Re = idx < N ? resp[idx] : resp[N - 1];
    }
}

void CrossoverCurve(TComplex* curve, int freqHz, bool highPass, CrossoverSection section, int order,
                    int index) {
    const Biquad f = CrossoverBiquad(highPass, section, order, index);
    Prototype resp{};
    float previous = 0.0f;
    for (int i = 0; i < N; ++i) {
        const double phi = Phi(WarpedOmega(i, kCrossoverEdge, false));
        const double num = Poly(f.b0, f.b1, f.b2, phi);
        const double den = Poly(f.a0, f.a1, f.a2, phi);
        // A low-pass has its zero at the top of the prototype: where a polynomial vanishes
        // the point repeats the previous one so that the curve stays finite.
        if (!highPass && (num <= 0.0 || den <= 0.0)) {
            resp[i] = previous;
        } else {
            resp[i] = static_cast<float>(10.0 * std::log10(num) - 10.0 * std::log10(den));
        }
        previous = resp[i];
    }
    Place(resp, freqHz, curve);
}

// A high-pass or low-pass shape (0 .. 12) as a sum of sections.
void CrossoverShape(TComplex* curve, int freqHz, bool highPass, int shape) {
    using S = CrossoverSection;
    const auto section = [&](TComplex* out, S s, int order = 0, int index = 0) {
        CrossoverCurve(out, freqHz, highPass, s, order, index);
    };
    switch (shape) {
    case 0:
        return section(curve, S::Flat);
    case 1:
        return section(curve, S::FirstOrder);
    case 2:
        return section(curve, S::SecondOrderQ0577);
    case 3:
        return section(curve, S::SecondOrderQ0707);
    default:
        break;
    }
    Curve a, b;
    double weightA = 1.0, weightB = 1.0;
    switch (shape) {
    case 4:
        section(a.data(), S::FirstOrder);
        section(b.data(), S::FirstOrder);
        break;
    case 5:
        section(a.data(), S::SecondOrderQ0577);
        section(b.data(), S::FirstOrder);
        break;
    case 6:
        section(a.data(), S::SecondOrderQ0707);
        section(b.data(), S::FirstOrder);
        break;
    case 7:
    case 10:
        section(a.data(), S::SecondOrderQ0577);
        section(b.data(), S::SecondOrderQ0577);
        weightB = shape == 10 ? 2.0 : 1.0;
        break;
    case 8:
    case 11:
        section(a.data(), S::Butterworth, 4, 0);
        section(b.data(), S::Butterworth, 4, 1);
        weightB = shape == 11 ? 2.0 : 1.0;
        break;
    case 9:
        section(a.data(), S::SecondOrderQ0707);
        section(b.data(), S::SecondOrderQ0707);
        break;
    case 12:
        section(a.data(), S::Butterworth, 3, 0);
        section(b.data(), S::FirstOrder);
        weightA = weightB = 2.0;
        break;
    default:
        return; // no curve for this shape: the previous one stays
    }
    for (int p = 0; p <= N; ++p)
        curve[p].Re = static_cast<float>(weightA * a[p].Re + weightB * b[p].Re);
}

} // namespace

double BiquadNumerator(const Biquad& f, double omega) {
    return Poly(f.b0, f.b1, f.b2, Phi(omega));
}

double BiquadDenominator(const Biquad& f, double omega) {
    return Poly(f.a0, f.a1, f.a2, Phi(omega));
}

double BiquadDb(const Biquad& f, double omega) {
    return 10.0 * std::log10(BiquadNumerator(f, omega)) -
           10.0 * std::log10(BiquadDenominator(f, omega));
}

Biquad PeakBiquad(float q, float gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double qq = (q + 0.01) / 0.35714285714285714;
    const double alpha = std::sin(kOmega0) / (2.0 * qq);
    const double c = std::cos(kOmega0);
    Biquad f;
    f.b0 = static_cast<float>(1.0 + alpha * a);
    f.b1 = static_cast<float>(-2.0 * c);
    f.b2 = static_cast<float>(1.0 - alpha * a);
    f.a0 = static_cast<float>(1.0 + alpha / a);
    f.a1 = static_cast<float>(-2.0 * c);
    f.a2 = static_cast<float>(1.0 - alpha / a);
    return f;
}

Biquad ShelfBiquad(bool highShelf, float slope, float gainDb) {
    const double s = std::min(slope, 4.0f) + 0.001;
    const double a = std::pow(10.0, gainDb / 40.0);
    const double alpha =
        std::sin(kOmega0) / 2.0 * std::sqrt(std::fabs((a + 1.0 / a) * (1.0 / s - 1.0) + 2.0));
    const double c = std::cos(kOmega0);
    const double k = 2.0 * std::sqrt(a) * alpha;
    Biquad f;
    if (!highShelf) {
        f.b0 = static_cast<float>(a * ((a + 1) - (a - 1) * c + k));
        f.b1 = static_cast<float>(2 * a * ((a - 1) - (a + 1) * c));
        f.b2 = static_cast<float>(a * ((a + 1) - (a - 1) * c - k));
        f.a0 = static_cast<float>((a + 1) + (a - 1) * c + k);
        f.a1 = static_cast<float>(-2 * ((a - 1) + (a + 1) * c));
        f.a2 = static_cast<float>((a + 1) + (a - 1) * c - k);
    } else {
        f.b0 = static_cast<float>(a * ((a + 1) + (a - 1) * c + k));
        f.b1 = static_cast<float>(-2 * a * ((a - 1) + (a + 1) * c));
        f.b2 = static_cast<float>(a * ((a + 1) + (a - 1) * c - k));
        f.a0 = static_cast<float>((a + 1) - (a - 1) * c + k);
        f.a1 = static_cast<float>(2 * ((a - 1) - (a + 1) * c));
        f.a2 = static_cast<float>((a + 1) - (a - 1) * c - k);
    }
    return f;
}

Biquad CrossoverBiquad(bool highPass, CrossoverSection section, int order, int index) {
    const double s = std::sin(kOmega0);
    const double c = std::cos(kOmega0);
    Biquad f;
    double alpha = 0.0;
    switch (section) {
    case CrossoverSection::Flat:
        return f;
    case CrossoverSection::FirstOrder:
        f.a0 = static_cast<float>(s + c + 1);
        f.a1 = static_cast<float>(s - c - 1);
        f.a2 = 0.0f;
        if (highPass) {
            f.b0 = static_cast<float>(1 + c);
            f.b1 = static_cast<float>(-(1 + c));
        } else {
            f.b0 = static_cast<float>(s);
            f.b1 = static_cast<float>(s);
        }
        f.b2 = 0.0f;
        return f;
    case CrossoverSection::SecondOrderQ0577:
        alpha = s / (2.0 / std::sqrt(3.0));
        break;
    case CrossoverSection::SecondOrderQ0707:
        alpha = s / (2.0 / std::sqrt(2.0));
        break;
    case CrossoverSection::Butterworth: {
        assert(order > 0);
        if (order <= 0)
            return f;
        const double theta = std::numbers::pi / order * (index + 0.5);
        const double q = 1.0 / (2.0 * std::sin(theta));
        alpha = s / (2.0 * q);
        break;
    }
    }
    f.a0 = static_cast<float>(1 + alpha);
    f.a1 = static_cast<float>(-2 * c);
    f.a2 = static_cast<float>(1 - alpha);
    if (highPass) {
        f.b0 = f.b2 = static_cast<float>((1 + c) / 2);
        f.b1 = static_cast<float>(-(1 + c));
    } else {
        f.b0 = f.b2 = static_cast<float>((1 - c) / 2);
        f.b1 = static_cast<float>(1 - c);
    }
    return f;
}

float AdjustedQ(float q) {
    if (q == 102.0f)
        return 98.0f;
    if (q == 108.0f)
        return 100.0f;
    if (q == 114.0f)
        return 101.0f;
    if (q == 121.0f)
        return 102.0f;
    if (q == 128.0f)
        return 103.0f;
    return q;
}

int BandGridPosition(int freqHz) {
    const double f = freqHz <= 10 ? 10.0 : static_cast<double>(freqHz);
    return RoundPx(GridPosition(f));
}

void PeakResponse(TComplex* curve, int freqHz, float q, float gainDb) {
    const Biquad f = PeakBiquad(q, gainDb);
    Prototype resp{};
    for (int i = 0; i < N; ++i)
        resp[i] = static_cast<float>(BiquadDb(f, i * std::numbers::pi / N));
    Place(resp, freqHz, curve);
}

void ShelfResponse(TComplex* curve, int freqHz, bool highShelf, float slope, float gainDb) {
    const Biquad f = ShelfBiquad(highShelf, slope, gainDb);
    Prototype resp{};
    for (int i = 0; i < N; ++i)
        resp[i] = static_cast<float>(BiquadDb(f, WarpedOmega(i, kShelfEdge, true)));
    Place(resp, freqHz, curve);
}

void HighPassResponse(TComplex* curve, int freqHz, CrossoverSection section, int order, int index) {
    CrossoverCurve(curve, freqHz, true, section, order, index);
}

void LowPassResponse(TComplex* curve, int freqHz, CrossoverSection section, int order, int index) {
    CrossoverCurve(curve, freqHz, false, section, order, index);
}

void BandResponse(TComplex* curve, int highIndex, int freqHz, uint8_t typeCode, float q,
                  float gainDb) {
    assert(highIndex >= EQGridSteps);
    (void)highIndex;
    q = AdjustedQ(q);
    switch (typeCode / 100) {
    case 0:
        if (typeCode == 1)
            PeakResponse(curve, freqHz, q, gainDb);
        else if (typeCode == 2)
            ShelfResponse(curve, freqHz, false, q, gainDb);
        else if (typeCode == 3)
            ShelfResponse(curve, freqHz, true, q, gainDb);
        else
            PeakResponse(curve, freqHz, q, 0.0f);
        break;
    case 1:
        CrossoverShape(curve, freqHz, true, typeCode % 20);
        break;
    default:
        CrossoverShape(curve, freqHz, false, typeCode % 20);
        break;
    }
}

} // namespace dsp

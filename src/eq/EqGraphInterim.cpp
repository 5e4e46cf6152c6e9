// INTERIM: see EqGraphInterim.h. Replaced by the shared filter math when it lands.
#include "eq/EqGraphInterim.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "params/SectionMap.h"

namespace dsp::interim {

namespace {

constexpr int N = EQGridSteps;
constexpr float kOmega0 = 1.5707964f;

struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};

double PolyDb(double phi, double c0, double c1, double c2) {
    const double nb = c1 * (c0 + c2) + 4.0 * c0 * c2;
    const double s = c0 + c1 + c2;
    return phi * (phi * c0 * c2 - nb) + s * s;
}

// Prototype response of a biquad at the prototype angle w; lowPassGuard keeps the previous
// value where a polynomial is exactly zero.
double MagnitudeDb(const Biquad& f, double w, bool lowPassGuard, double previous) {
    const double sh = 2.0 * std::sin(w / 2.0);
    const double phi = sh * sh;
    const double num = PolyDb(phi, f.b0, f.b1, f.b2);
    const double den = PolyDb(phi, f.a0, f.a1, f.a2);
    if (lowPassGuard && (num == 0.0 || den == 0.0))
        return previous;
    return 10.0 * std::log10(num) - 10.0 * std::log10(den);
}

double WarpedLambda(int i, int g, bool risingIncludesG) {
    const int h = N / 2;
    if (i <= h) {
        const bool rising = risingIncludesG ? i >= g : i > g;
        return rising ? double(h) * (i - g) / (h - g) : 1.0;
    }
    if (i <= N - g)
        return h + double(h) * (i - h) / (h - g);
    return N - 1;
}

// Slides the prototype so that its middle sits on the band's grid position.
void Place(TComplex* curve, const std::vector<float>& resp, int freqHz) {
    const double f = freqHz <= 10 ? 10.0 : double(freqHz);
    const int l = static_cast<int>(std::nearbyint((std::log10(f) - 1.0) / EQAxisDecades * N));
    const int m = N / 2;
    for (int p = 0; p <= N; ++p)
        curve[p].Re = resp[std::clamp(m + (p - l), 0, N - 1)];
}

void Peak(TComplex* curve, int freqHz, float q, float gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double qq = (q + 0.01) / 0.35714285714285714;
    const double alpha = std::sin(double(kOmega0)) / (2.0 * qq);
    const double c = std::cos(double(kOmega0));
    Biquad f{float(1 + alpha * a), float(-2 * c), float(1 - alpha * a),
             float(1 + alpha / a), float(-2 * c), float(1 - alpha / a)};
    std::vector<float> resp(N + 1);
    for (int i = 0; i < N; ++i)
        resp[i] = float(MagnitudeDb(f, i * std::numbers::pi / N, false, 0));
    Place(curve, resp, freqHz);
}

void Shelf(TComplex* curve, int freqHz, bool high, float slope, float gainDb) {
    const double s = std::min(double(slope), 4.0) + 0.001;
    const double a = std::pow(10.0, gainDb / 40.0);
    const double c = std::cos(double(kOmega0));
    const double alpha =
        std::sin(double(kOmega0)) / 2.0 * std::sqrt(std::abs((a + 1 / a) * (1 / s - 1) + 2));
    const double ra = 2 * std::sqrt(a) * alpha;
    Biquad f;
    if (!high) {
        f = {float(a * ((a + 1) - (a - 1) * c + ra)), float(2 * a * ((a - 1) - (a + 1) * c)),
             float(a * ((a + 1) - (a - 1) * c - ra)), float((a + 1) + (a - 1) * c + ra),
             float(-2 * ((a - 1) + (a + 1) * c)),     float((a + 1) + (a - 1) * c - ra)};
    } else {
        f = {float(a * ((a + 1) + (a - 1) * c + ra)), float(-2 * a * ((a - 1) + (a + 1) * c)),
             float(a * ((a + 1) + (a - 1) * c - ra)), float((a + 1) - (a - 1) * c + ra),
             float(2 * ((a - 1) - (a + 1) * c)),      float((a + 1) - (a - 1) * c - ra)};
    }
    const int g = 108;
    std::vector<float> resp(N + 1);
    for (int i = 0; i < N; ++i)
        resp[i] = float(MagnitudeDb(f, WarpedLambda(i, g, true) * std::numbers::pi / N, false, 0));
    Place(curve, resp, freqHz);
}

enum class Sect { Flat, First, SecondQ3, SecondQ2, Butter };

struct SectSpec {
    Sect kind;
    int order = 0;
    int index = 0;
};

Biquad Crossover(const SectSpec& sp, bool lowPass) {
    const double c = std::cos(double(kOmega0));
    const double s = std::sin(double(kOmega0));
    Biquad f;
    if (sp.kind == Sect::Flat)
        return f;
    if (sp.kind == Sect::First) {
        f.a0 = float(s + c + 1);
        f.a1 = float(s - c - 1);
        f.a2 = 0;
        if (lowPass) {
            f.b0 = float(s);
            f.b1 = float(s);
        } else {
            f.b0 = float(1 + c);
            f.b1 = float(-(1 + c));
        }
        f.b2 = 0;
        return f;
    }
    double q = 0;
    if (sp.kind == Sect::SecondQ3)
        q = 1.0 / std::sqrt(3.0);
    else if (sp.kind == Sect::SecondQ2)
        q = 1.0 / std::sqrt(2.0);
    else
        q = 1.0 / (2.0 * std::sin(std::numbers::pi / sp.order * (sp.index + 0.5)));
    const double alpha = s / (2.0 * q);
    f.a0 = float(1 + alpha);
    f.a1 = float(-2 * c);
    f.a2 = float(1 - alpha);
    if (lowPass) {
        f.b0 = f.b2 = float((1 - c) / 2);
        f.b1 = float(1 - c);
    } else {
        f.b0 = f.b2 = float((1 + c) / 2);
        f.b1 = float(-(1 + c));
    }
    return f;
}

void CrossoverSection(TComplex* curve, int freqHz, const SectSpec& sp, bool lowPass) {
    const Biquad f = Crossover(sp, lowPass);
    std::vector<float> resp(N + 1);
    double prev = 0;
    for (int i = 0; i < N; ++i) {
        prev = MagnitudeDb(f, WarpedLambda(i, 126, false) * std::numbers::pi / N, lowPass, prev);
        resp[i] = float(prev);
    }
    Place(curve, resp, freqHz);
}

void CrossoverShape(TComplex* curve, int freqHz, int h, bool lowPass) {
    const SectSpec flat{Sect::Flat}, fo{Sect::First}, q3{Sect::SecondQ3}, q2{Sect::SecondQ2};
    const SectSpec b40{Sect::Butter, 4, 0}, b41{Sect::Butter, 4, 1}, b30{Sect::Butter, 3, 0};
    const SectSpec singles[] = {flat, fo, q3, q2};
    if (h <= 3) {
        CrossoverSection(curve, freqHz, singles[h], lowPass);
        return;
    }
    struct Pair {
        SectSpec a, b;
    };
    static const Pair pairs[] = {{fo, fo}, {q3, fo}, {q2, fo},   {q3, q3}, {b40, b41},
                                 {q2, q2}, {q3, q3}, {b40, b41}, {b30, fo}};
    const Pair& pr = pairs[h - 4];
    std::vector<TComplex> ca(N + 1), cb(N + 1);
    CrossoverSection(ca.data(), freqHz, pr.a, lowPass);
    CrossoverSection(cb.data(), freqHz, pr.b, lowPass);
    for (int p = 0; p <= N; ++p) {
        if (h <= 9)
            curve[p].Re = ca[p].Re + cb[p].Re;
        else if (h <= 11)
            curve[p].Re = ca[p].Re + 2 * cb[p].Re;
        else
            curve[p].Re = 2 * (ca[p].Re + cb[p].Re);
    }
}

} // namespace

void BandResponse(TComplex* curve, int /*highIndex*/, int freqHz, int typeCode, float q,
                  float gainDb) {
    static constexpr float from[] = {102, 108, 114, 121, 128};
    static constexpr float to[] = {98, 100, 101, 102, 103};
    for (int i = 0; i < 5; ++i) {
        if (q == from[i]) {
            q = to[i];
            break;
        }
    }
    const int cls = typeCode / 100;
    if (cls == 0) {
        if (typeCode == PEQ)
            Peak(curve, freqHz, q, gainDb);
        else if (typeCode == LSEQ || typeCode == HSEQ)
            Shelf(curve, freqHz, typeCode == HSEQ, q, gainDb);
        else
            Peak(curve, freqHz, q, 0);
        return;
    }
    const int h = typeCode % 20;
    if (h > 12)
        return;
    CrossoverShape(curve, freqHz, h, cls == 2);
}

} // namespace dsp::interim

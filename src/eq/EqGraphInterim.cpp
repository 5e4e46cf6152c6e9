// INTERIM: see EqGraphInterim.h. Replaced by the shared filter math, value scales and section
// map when they land.
#include "eq/EqGraphInterim.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "params/SectionMap.h"

namespace dsp::interim {

const std::array<double, 361> FrequencyTable = {
    19.7,  20.1,  20.5,  20.9,  21.3,  21.7,  22.1,  22.5,  23.0,  23.4,  23.9,  24.3,  24.8,
    25.3,  25.8,  26.3,  26.8,  27.3,  27.8,  28.4,  28.9,  29.5,  30.1,  30.7,  31.3,  31.9,
    32.5,  33.1,  33.8,  34.4,  35.1,  35.8,  36.5,  37.2,  37.9,  38.6,  39.4,  40.1,  40.9,
    41.7,  42.5,  43.4,  44.2,  45.1,  45.9,  46.8,  47.7,  48.7,  49.6,  50.6,  51.6,  52.6,
    53.6,  54.6,  55.7,  56.8,  57.9,  59.0,  60.1,  61.3,  62.5,  63.7,  65.0,  66.2,  67.5,
    68.8,  70.2,  71.5,  72.9,  74.3,  75.8,  77.2,  78.7,  80.3,  81.8,  83.4,  85.0,  86.7,
    88.4,  90.1,  91.9,  94.0,  95.0,  97.0,  99.0,  101.0, 103.0, 105.0, 107.0, 109.0, 111.0,
    114.0, 116.0, 118.0, 120.0, 123.0, 125.0, 127.0, 130.0, 132.0, 135.0, 138.0, 140.0, 143.0,
    146.0, 149.0, 152.0, 154.0, 157.0, 161.0, 164.0, 167.0, 170.0, 173.0, 177.0, 180.0, 184.0,
    187.0, 191.0, 195.0, 198.0, 202.0, 206.0, 210.0, 214.0, 218.0, 223.0, 227.0, 231.0, 236.0,
    241.0, 245.0, 250.0, 255.0, 260.0, 265.0, 270.0, 275.0, 281.0, 286.0, 292.0, 297.0, 303.0,
    309.0, 315.0, 321.0, 327.0, 334.0, 340.0, 347.0, 354.0, 360.0, 367.0, 375.0, 382.0, 389.0,
    397.0, 405.0, 412.0, 420.0, 429.0, 437.0, 445.0, 454.0, 463.0, 472.0, 481.0, 490.0, 500.0,
    510.0, 520.0, 530.0, 540.0, 551.0, 561.0, 572.0, 583.0, 595.0, 606.0, 618.0, 630.0, 642.0,
    655.0, 667.0, 680.0, 694.0, 707.0, 721.0, 735.0, 749.0, 764.0, 779.0, 794.0, 809.0, 825.0,
    841.0, 857.0, 874.0, 891.0, 908.0, 926.0, 944.0, 962.0, 981.0, 1000,  1020,  1040,  1060,
    1080,  1100,  1120,  1140,  1170,  1190,  1210,  1240,  1260,  1280,  1310,  1330,  1360,
    1390,  1410,  1440,  1470,  1500,  1530,  1560,  1590,  1620,  1650,  1680,  1710,  1750,
    1780,  1820,  1850,  1890,  1920,  1960,  2000,  2040,  2080,  2120,  2160,  2200,  2240,
    2290,  2330,  2380,  2420,  2470,  2520,  2570,  2620,  2670,  2720,  2770,  2830,  2880,
    2940,  3000,  3050,  3110,  3170,  3240,  3300,  3360,  3430,  3500,  3560,  3630,  3700,
    3780,  3850,  3920,  4000,  4080,  4160,  4240,  4320,  4400,  4490,  4580,  4670,  4760,
    4850,  4940,  5040,  5140,  5240,  5340,  5440,  5550,  5660,  5770,  5880,  5990,  6110,
    6230,  6350,  6470,  6600,  6730,  6860,  6990,  7130,  7270,  7410,  7550,  7700,  7850,
    8000,  8160,  8310,  8480,  8640,  8810,  8980,  9150,  9330,  9510,  9700,  9890,  10100,
    10300, 10500, 10700, 10900, 11100, 11300, 11500, 11800, 12000, 12200, 12500, 12700, 12900,
    13200, 13500, 13700, 14000, 14300, 14500, 14800, 15100, 15400, 15700, 16000, 16300, 16600,
    17000, 17300, 17600, 18000, 18300, 18700, 19000, 19400, 19800, 20200};

const std::array<double, 101> QTable = {
    0.40,  0.42,  0.45,  0.47,  0.50,  0.53,   0.56,   0.59,   0.63,   0.67,  0.71,  0.75,  0.79,
    0.84,  0.89,  0.94,  1.00,  1.06,  1.12,   1.19,   1.26,   1.30,   1.40,  1.50,  1.60,  1.70,
    1.80,  1.90,  2.00,  2.10,  2.20,  2.40,   2.50,   2.70,   2.80,   3.00,  3.20,  3.40,  3.60,
    3.80,  4.00,  4.20,  4.50,  4.80,  5.00,   5.30,   5.70,   6.00,   6.30,  6.70,  7.10,  7.60,
    8.00,  8.50,  9.00,  9.50,  10.10, 10.70,  11.30,  12.00,  12.70,  13.50, 14.00, 15.00, 16.00,
    17.00, 18.00, 19.00, 20.00, 21.00, 23.00,  24.00,  25.00,  27.00,  29.00, 30.00, 32.00, 34.00,
    36.00, 38.00, 40.00, 43.00, 45.00, 48.00,  51.00,  54.00,  57.00,  60.00, 64.00, 68.00, 72.00,
    76.00, 81.00, 85.00, 91.00, 96.00, 102.00, 108.00, 114.00, 121.00, 128.00};

int ParseFrequency(double hz) {
    if (hz > FrequencyTable[359])
        return 360;
    if (hz <= FrequencyTable[0])
        return 0;
    int i = 0;
    while (i < 360 && FrequencyTable[i] < hz)
        ++i;
    if (i > 0 && hz - FrequencyTable[i - 1] <= FrequencyTable[i] - hz)
        return i - 1;
    return i;
}

int ParseGain(double db) {
    return static_cast<int>(std::nearbyint((db + 24.0) * 5.0));
}

int DecodeBand(Address a) {
    constexpr int notEq = 255;
    if (a > 22 * 256 + 255 || a < 0)
        return notEq;
    const int s = SectionOf(a);
    const int k = SlotOf(a);
    struct Filter {
        int section, hpSlot, lpSlot, band;
    };
    static constexpr Filter filters[] = {
        {0, 7, 9, 10}, {1, 9, 11, 20}, {3, 9, 11, 10}, {4, 6, 8, 10}, {5, 22, 24, 10}};
    for (const Filter& f : filters) {
        if (s != f.section)
            continue;
        if (k == f.hpSlot || k == f.hpSlot + 1)
            return f.band * 256;
        if (k == f.lpSlot || k == f.lpSlot + 1)
            return (f.band + 1) * 256;
    }
    const int first = FirstEqSlot[s];
    switch (s) {
    case 0:
        if (k < first || k > 62)
            return notEq;
        break;
    case 1:
        if (k < first || k > 114)
            return notEq;
        break;
    case 5:
        if (k < first || k > 76)
            return notEq;
        break;
    case 3:
    case 4:
        if (k < first)
            return notEq;
        break;
    case 21:
        if (k == 0 || k > 30)
            return notEq;
        break;
    case 22:
        if (k == 0)
            return 0;
        break;
    default:
        return notEq;
    }
    return (k - first) % 5 + (k - first) / 5 * 256;
}

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

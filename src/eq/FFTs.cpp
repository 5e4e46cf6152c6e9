#include "eq/FFTs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dsp {

namespace {

// Kernel constants, single precision.
constexpr float c3_1 = -1.5f;        // cos(2pi/3) - 1
constexpr float c3_2 = 0.8660254f;   // sin(2pi/3)
constexpr float c5_1 = -1.25f;       // (cos(2pi/5) + cos(4pi/5)) / 2 - 1
constexpr float c5_2 = 0.559017f;    // sqrt(5) / 4
constexpr float c5_3 = -0.95105654f; // -sin(2pi/5)
constexpr float c5_4 = -1.5388417f;  // -(sin(2pi/5) + sin(pi/5))
constexpr float c5_5 = 0.36327127f;  // sin(2pi/5) - sin(pi/5)
constexpr float c8 = 0.70710677f;    // 1 / sqrt(2)

// Radices tried first, largest first.
constexpr int kRadixTable[] = {2, 3, 4, 5, 8, 10};

struct C {
    float re, im;
};

inline C operator+(C a, C b) {
    return {a.re + b.re, a.im + b.im};
}
inline C operator-(C a, C b) {
    return {a.re - b.re, a.im - b.im};
}
inline C operator*(C a, float k) {
    return {a.re * k, a.im * k};
}
inline C Mul(C a, TComplex w) {
    return {a.re * w.Re - a.im * w.Im, a.im * w.Re + a.re * w.Im};
}
inline C TimesI(C a) {
    return {-a.im, a.re};
} // i * a
inline C TimesMinusI(C a) {
    return {a.im, -a.re};
} // -i * a

inline void Dft2(C* v) {
    const C a = v[0];
    v[0] = a + v[1];
    v[1] = a - v[1];
}

inline void Dft3(C* v) {
    const C t1 = v[1] + v[2];
    const C y0 = v[0] + t1;
    const C s1 = y0 + t1 * c3_1;       // v0 - t1 / 2
    const C m2 = (v[1] - v[2]) * c3_2; // sin(2pi/3) (v1 - v2)
    v[0] = y0;
    v[1] = s1 + TimesMinusI(m2);
    v[2] = s1 + TimesI(m2);
}

inline void Dft4(C* v) {
    const C a = v[0] + v[2], b = v[0] - v[2];
    const C c = v[1] + v[3], d = TimesMinusI(v[1] - v[3]);
    v[0] = a + c;
    v[1] = b + d;
    v[2] = a - c;
    v[3] = b - d;
}

inline void Dft5(C* v) {
    const C t1 = v[1] + v[4], t2 = v[2] + v[3];
    const C t3 = v[1] - v[4], t4 = v[2] - v[3];
    const C t5 = t1 + t2;
    const C y0 = v[0] + t5;
    const C s1 = y0 + t5 * c5_1;
    const C m2 = (t1 - t2) * c5_2;
    const C s2 = s1 + m2, s4 = s1 - m2;
    const C m3 = (t3 - t4) * c5_3;
    const C s3 = m3 + t4 * c5_4; // -(sin72 t3 + sin36 t4)
    const C s5 = m3 + t3 * c5_5; // -(sin36 t3 - sin72 t4)
    v[0] = y0;
    v[1] = s2 + TimesI(s3);
    v[4] = s2 - TimesI(s3);
    v[2] = s4 + TimesI(s5);
    v[3] = s4 - TimesI(s5);
}

inline void Dft8(C* v) {
    C e[4] = {v[0], v[2], v[4], v[6]};
    C o[4] = {v[1], v[3], v[5], v[7]};
    Dft4(e);
    Dft4(o);
    const C w1 = {(o[1].re + o[1].im) * c8, (o[1].im - o[1].re) * c8};  // (1 - i) / sqrt2
    const C w2 = TimesMinusI(o[2]);                                     // -i
    const C w3 = {(o[3].im - o[3].re) * c8, -(o[3].re + o[3].im) * c8}; // (-1 - i) / sqrt2
    v[0] = e[0] + o[0];
    v[4] = e[0] - o[0];
    v[1] = e[1] + w1;
    v[5] = e[1] - w1;
    v[2] = e[2] + w2;
    v[6] = e[2] - w2;
    v[3] = e[3] + w3;
    v[7] = e[3] - w3;
}

// e^(-2 pi i k / 10), k = 1 .. 4.
constexpr TComplex kW10[4] = {{0.809017f, -0.58778524f},
                              {0.309017f, -0.95105654f},
                              {-0.309017f, -0.95105654f},
                              {-0.809017f, -0.58778524f}};

// Ten points as two five-point transforms of the even and odd samples.
inline void Dft10(C* v) {
    C e[5] = {v[0], v[2], v[4], v[6], v[8]};
    C o[5] = {v[1], v[3], v[5], v[7], v[9]};
    Dft5(e);
    Dft5(o);
    v[0] = e[0] + o[0];
    v[5] = e[0] - o[0];
    for (int k = 1; k < 5; ++k) {
        const C w = Mul(o[k], kW10[k - 1]);
        v[k] = e[k] + w;
        v[k + 5] = e[k] - w;
    }
}

} // namespace

const char* FftStatusMessage(FftStatus status) {
    switch (status) {
    case FftStatus::Ok:
        return "";
    case FftStatus::PrimeFactorTooLarge:
        return kPrimeFactorTooLargeMessage;
    case FftStatus::ArrayTooShort:
        return "FFT array shorter than the transform length";
    }
    return "";
}

std::vector<int> FactorizeFFTLength(int n) {
    std::vector<int> found;
    int radixIndex = static_cast<int>(std::size(kRadixTable)) - 1;
    while (n > 1 && radixIndex >= 0) {
        const int r = kRadixTable[radixIndex];
        if (n % r == 0) {
            found.push_back(r);
            n /= r;
        } else {
            --radixIndex;
        }
    }
    // 8 ... 2 is done as 4 ... 4: two radix-4 passes beat a radix-8 and a radix-2 pass.
    if (!found.empty() && found.back() == 2) {
        for (int i = static_cast<int>(found.size()) - 2; i >= 0; --i) {
            if (found[i] == 8) {
                found[i] = 4;
                found.back() = 4;
                break;
            }
        }
    }
    if (n > 1) {
        const int limit = static_cast<int>(std::sqrt(static_cast<double>(n)));
        for (int d = 2; d <= limit; ++d) {
            while (n % d == 0) {
                found.push_back(d);
                n /= d;
            }
        }
        if (n > 1)
            found.push_back(n);
    }
    std::reverse(found.begin(), found.end());
    return found;
}

MixedRadixPlan::MixedRadixPlan(int n) : n_(std::max(n, 0)) {
    if (n_ == 0)
        return;
    factors_ = FactorizeFFTLength(n_);
    if (!factors_.empty() && factors_.front() > cMaxPrimeFactor) {
        status_ = FftStatus::PrimeFactorTooLarge;
        return;
    }

    // Digit reversal: j read with its least significant digit in the last radix, the index
    // written with its least significant digit in the first radix.
    const int m = static_cast<int>(factors_.size());
    source_.resize(n_);
    for (int j = 0; j < n_; ++j) {
        int rest = j;
        int digits[32];
        for (int p = m - 1; p >= 0; --p) {
            digits[p] = rest % factors_[p];
            rest /= factors_[p];
        }
        int index = 0;
        for (int p = m - 1; p >= 0; --p)
            index = index * factors_[p] + digits[p];
        source_[index] = j;
    }

    int span = 1;
    int maxGeneric = 0;
    for (int r : factors_) {
        Pass pass;
        pass.radix = r;
        pass.span = span;
        // Twiddles of group t: w_q = (cos q t w, -sin q t w), built by repeated multiplication
        // with w_1 in single precision as the one-shot routine does.
        const double omega = 2.0 * std::numbers::pi / (static_cast<double>(span) * r);
        if (span > 1)
            pass.twiddles.resize(static_cast<size_t>(span - 1) * (r - 1));
        for (int t = 1; t < span; ++t) {
            TComplex* w = &pass.twiddles[static_cast<size_t>(t - 1) * (r - 1)];
            const TComplex w1 = MakeComplex(std::cos(t * omega), -std::sin(t * omega));
            w[0] = w1;
            for (int q = 2; q < r; ++q)
                w[q - 1] = ComplexMul(w[q - 2], w1);
        }
        if (r != 2 && r != 3 && r != 4 && r != 5 && r != 8 && r != 10) {
            pass.cosTab.resize(r);
            pass.sinTab.resize(r);
            for (int k = 0; k < r; ++k) {
                const double a = 2.0 * std::numbers::pi * k / r;
                pass.cosTab[k] = static_cast<float>(std::cos(a));
                pass.sinTab[k] = static_cast<float>(-std::sin(a));
            }
            maxGeneric = std::max(maxGeneric, r);
        }
        passes_.push_back(std::move(pass));
        span *= r;
    }
    copy_.resize(n_);
    scratch_.resize(static_cast<size_t>(maxGeneric) * 2);
}

FftStatus MixedRadixPlan::Execute(const TComplex* input, TComplex* output) {
    if (status_ != FftStatus::Ok)
        return status_;
    if (n_ == 0)
        return FftStatus::Ok;
    if (input == output) {
        std::copy(input, input + n_, copy_.begin());
        input = copy_.data();
    }
    size_t next = 0;
    if (passes_.empty() || !RunPass(passes_[0], output, input)) {
        for (int index = 0; index < n_; ++index)
            output[index] = input[source_[index]];
    } else {
        next = 1;
    }
    for (; next < passes_.size(); ++next)
        RunPass(passes_[next], output, nullptr);
    return FftStatus::Ok;
}

template <int R, class Kernel>
void MixedRadixPlan::RunFixedPass(const Pass& pass, TComplex* x, const TComplex* gather,
                                  Kernel kernel) {
    const int span = pass.span;
    const int stride = span * R;
    C v[R];
    // Group 0 needs no twiddles.
    for (int base = 0; base < n_; base += stride) {
        TComplex* p = x + base;
        if (gather) {
            for (int q = 0; q < R; ++q) {
                const TComplex& in = gather[source_[base + q * span]];
                v[q] = {in.Re, in.Im};
            }
        } else {
            for (int q = 0; q < R; ++q)
                v[q] = {p[q * span].Re, p[q * span].Im};
        }
        kernel(v);
        for (int q = 0; q < R; ++q)
            p[q * span] = {v[q].re, v[q].im};
    }
    for (int t = 1; t < span; ++t) {
        const TComplex* w = &pass.twiddles[static_cast<size_t>(t - 1) * (R - 1)];
        for (int base = t; base < n_; base += stride) {
            TComplex* p = x + base;
            v[0] = {p[0].Re, p[0].Im};
            for (int q = 1; q < R; ++q)
                v[q] = Mul(C{p[q * span].Re, p[q * span].Im}, w[q - 1]);
            kernel(v);
            for (int q = 0; q < R; ++q)
                p[q * span] = {v[q].re, v[q].im};
        }
    }
}

// Any other (odd prime) radix: the r-point DFT from the symmetric sums and differences of
// the pairs (j, r - j), accumulated in double precision.
void MixedRadixPlan::RunGenericPass(const Pass& pass, TComplex* x) {
    const int r = pass.radix;
    const int span = pass.span;
    const int stride = span * r;
    const int half = (r - 1) / 2;
    TComplex* v = scratch_.data();
    TComplex* sums = scratch_.data() + r; // s_j in sums[j], d_j in sums[half + j]
    for (int t = 0; t < span; ++t) {
        const TComplex* w = t > 0 ? &pass.twiddles[static_cast<size_t>(t - 1) * (r - 1)] : nullptr;
        for (int base = t; base < n_; base += stride) {
            TComplex* p = x + base;
            v[0] = p[0];
            for (int q = 1; q < r; ++q) {
                const C c = {p[q * span].Re, p[q * span].Im};
                const C m = w ? Mul(c, w[q - 1]) : c;
                v[q] = {m.re, m.im};
            }
            double sumRe = v[0].Re, sumIm = v[0].Im;
            for (int j = 1; j <= half; ++j) {
                sums[j] = {v[j].Re + v[r - j].Re, v[j].Im + v[r - j].Im};
                sums[half + j] = {v[j].Re - v[r - j].Re, v[j].Im - v[r - j].Im};
                sumRe += sums[j].Re;
                sumIm += sums[j].Im;
            }
            p[0] = MakeComplex(sumRe, sumIm);
            for (int k = 1; k <= half; ++k) {
                double aRe = v[0].Re, aIm = v[0].Im, bRe = 0.0, bIm = 0.0;
                int jk = 0;
                for (int j = 1; j <= half; ++j) {
                    jk += k;
                    if (jk >= r)
                        jk -= r;
                    const double c = pass.cosTab[jk], s = pass.sinTab[jk];
                    aRe += c * sums[j].Re;
                    aIm += c * sums[j].Im;
                    bRe += s * sums[half + j].Re;
                    bIm += s * sums[half + j].Im;
                }
                // X_k = A + iB, X_(r-k) = A - iB.
                p[k * span] = MakeComplex(aRe - bIm, aIm + bRe);
                p[(r - k) * span] = MakeComplex(aRe + bIm, aIm - bRe);
            }
        }
    }
}

bool MixedRadixPlan::RunPass(const Pass& pass, TComplex* x, const TComplex* gather) {
    switch (pass.radix) {
    case 2:
        RunFixedPass<2>(pass, x, gather, [](C* v) { Dft2(v); });
        return true;
    case 3:
        RunFixedPass<3>(pass, x, gather, [](C* v) { Dft3(v); });
        return true;
    case 4:
        RunFixedPass<4>(pass, x, gather, [](C* v) { Dft4(v); });
        return true;
    case 5:
        RunFixedPass<5>(pass, x, gather, [](C* v) { Dft5(v); });
        return true;
    case 8:
        RunFixedPass<8>(pass, x, gather, [](C* v) { Dft8(v); });
        return true;
    case 10:
        RunFixedPass<10>(pass, x, gather, [](C* v) { Dft10(v); });
        return true;
    default:
        if (gather)
            return false; // the caller permutes first
        RunGenericPass(pass, x);
        return true;
    }
}

FftStatus MixedRadixFFT(const TComplex* input, int inputLast, TComplex* output, int n,
                        int outputLast) {
    if (n <= 0)
        return FftStatus::Ok;
    if (inputLast < n - 1 || outputLast < n - 1)
        return FftStatus::ArrayTooShort;
    MixedRadixPlan plan(n);
    return plan.Execute(input, output);
}

} // namespace dsp

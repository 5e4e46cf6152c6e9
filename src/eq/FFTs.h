#pragma once

#include <vector>

#include "eq/Complexs.h"

namespace dsp {

// Largest factor a transform length may contain.
constexpr int cMaxPrimeFactor = 1021;

enum class FftStatus {
    Ok,
    PrimeFactorTooLarge, // the length has a prime factor above cMaxPrimeFactor
    ArrayTooShort,       // an array's last index is below n - 1
};

inline constexpr const char* kPrimeFactorTooLargeMessage =
    "Prime factor for FFT length too large. Change value for cMaxPrimeFactor in FFTs unit";

// The message for a status; empty for Ok.
const char* FftStatusMessage(FftStatus status);

// The factors of n in the order the passes use them: radices 10, 8, 5, 4, 3, 2 taken greedily
// (a trailing 2 after an 8 turns that 8 and the 2 into 4, 4), then prime factors by trial
// division, and the whole list reversed. 2048 -> {4, 8, 8, 8}; 12 -> {3, 4}; 16 -> {4, 4}.
std::vector<int> FactorizeFFTLength(int n);

// A forward complex transform of one length, output[k] = sum_j input[j] e^(-2 pi i jk / n),
// no scaling. The factor list, the digit-reversal permutation and every pass's twiddles are
// computed once when the plan is made (by the same recurrence the one-shot routine uses) and
// reused by every Execute, so repeated transforms of one length cost only the passes.
class MixedRadixPlan {
public:
    explicit MixedRadixPlan(int n);

    int Length() const { return n_; }
    FftStatus Status() const { return status_; }
    const std::vector<int>& Factors() const { return factors_; }

    // Transforms input[0 .. n-1] into output[0 .. n-1]; input and output may be the same
    // array. On an error status nothing is written.
    FftStatus Execute(const TComplex* input, TComplex* output);

private:
    struct Pass {
        int radix = 0;
        int span = 0;                   // product of the radices of the earlier passes
        std::vector<TComplex> twiddles; // (radix - 1) per group, groups 1 .. span-1
        std::vector<float> cosTab;      // generic odd radix: cos(2 pi k / r), k = 0 .. r-1
        std::vector<float> sinTab;      // generic odd radix: -sin(2 pi k / r)
    };

    // A pass in place on x. The first pass may instead gather its values from the input in
    // digit-reversed order (gather non-null), saving a separate permutation sweep.
    bool RunPass(const Pass& pass, TComplex* x, const TComplex* gather);
    template <int R, class Kernel>
    void RunFixedPass(const Pass& pass, TComplex* x, const TComplex* gather, Kernel kernel);
    void RunGenericPass(const Pass& pass, TComplex* x);

    int n_ = 0;
    FftStatus status_ = FftStatus::Ok;
    std::vector<int> factors_;
    std::vector<int> source_; // output[index] comes from input[source_[index]]
    std::vector<Pass> passes_;
    std::vector<TComplex> copy_;    // the input when it is also the output
    std::vector<TComplex> scratch_; // generic odd-radix kernel
};

// One-shot transform of n points (arrays passed with their last index, as the spectrum
// buffers are). n = 0 does nothing. Returns PrimeFactorTooLarge when a factor of n exceeds
// cMaxPrimeFactor and ArrayTooShort when an array holds fewer than n cells; then nothing is
// written.
[[nodiscard]] FftStatus MixedRadixFFT(const TComplex* input, int inputLast, TComplex* output, int n,
                                      int outputLast);

} // namespace dsp

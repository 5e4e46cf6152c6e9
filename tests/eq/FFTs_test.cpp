#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "eq/FFTs.h"

using namespace dsp;

namespace {

using Cd = std::complex<double>;

// Plain O(n^2) DFT in double precision.
std::vector<Cd> NaiveDft(const std::vector<TComplex>& x) {
    const size_t n = x.size();
    std::vector<Cd> roots(n);
    for (size_t k = 0; k < n; ++k)
        roots[k] = std::polar(1.0, -2.0 * std::numbers::pi * double(k) / double(n));
    std::vector<Cd> out(n);
    for (size_t k = 0; k < n; ++k) {
        Cd sum = 0;
        for (size_t j = 0; j < n; ++j)
            sum += Cd(x[j].Re, x[j].Im) * roots[(j * k) % n];
        out[k] = sum;
    }
    return out;
}

std::vector<TComplex> RandomVector(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<TComplex> x(n);
    for (auto& c : x)
        c = {dist(gen), dist(gen)};
    return x;
}

std::vector<TComplex> Transform(const std::vector<TComplex>& x) {
    std::vector<TComplex> out(x.size());
    const int n = static_cast<int>(x.size());
    EXPECT_EQ(MixedRadixFFT(x.data(), n - 1, out.data(), n, n - 1), FftStatus::Ok);
    return out;
}

// Largest deviation from the reference, relative to the reference's RMS bin magnitude.
double RelativeError(const std::vector<TComplex>& got, const std::vector<Cd>& ref) {
    double energy = 0, worst = 0;
    for (size_t k = 0; k < ref.size(); ++k) {
        energy += std::norm(ref[k]);
        worst = std::max(worst, std::abs(Cd(got[k].Re, got[k].Im) - ref[k]));
    }
    const double rms = std::sqrt(energy / double(ref.size()));
    return rms > 0 ? worst / rms : worst;
}

} // namespace

TEST(FactorizeFFTLength, FactorListsInPassOrder) {
    struct Case {
        int n;
        std::vector<int> factors;
    };
    const Case cases[] = {
        {2048, {4, 8, 8, 8}}, // found as 8, 8, 8, 4
        {12, {3, 4}},         // found as 4, 3
        {16, {4, 4}},         // found as 8, 2, rewritten to 4, 4
        {2, {2}},
        {1000, {10, 10, 10}},
        {80, {8, 10}},
        {32, {4, 8}},             // 8, 4: no trailing 2, nothing rewritten
        {160, {4, 4, 10}},        // 10, 8, 2 -> 10, 4, 4
        {49, {7, 7}},             // trial division after the table radices
        {2 * 1021, {1021, 2}},    // the largest prime comes first
        {3 * 7 * 11, {11, 7, 3}}, //
        {1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FactorizeFFTLength(c.n), c.factors) << "n = " << c.n;
}

TEST(MixedRadixFFT, PrimeFactorLimit) {
    std::vector<TComplex> in(2 * 1031, TComplex{1, 0});
    std::vector<TComplex> out(in.size(), TComplex{7, 7});
    const int n = static_cast<int>(in.size());
    const FftStatus status = MixedRadixFFT(in.data(), n - 1, out.data(), n, n - 1);
    EXPECT_EQ(status, FftStatus::PrimeFactorTooLarge);
    EXPECT_STREQ(FftStatusMessage(status), "Prime factor for FFT length too large. Change "
                                           "value for cMaxPrimeFactor in FFTs unit");
    for (const TComplex& c : out) // nothing written
        ASSERT_TRUE(c.Re == 7 && c.Im == 7);

    MixedRadixPlan plan(2 * 1031);
    EXPECT_EQ(plan.Status(), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(MixedRadixPlan(1031).Status(), FftStatus::PrimeFactorTooLarge);
    EXPECT_EQ(MixedRadixPlan(2 * 1021).Status(), FftStatus::Ok);
    EXPECT_STREQ(FftStatusMessage(FftStatus::Ok), "");
}

TEST(MixedRadixFFT, ZeroLengthAndShortArraysWriteNothing) {
    std::vector<TComplex> in(8, TComplex{1, 2}), out(8, TComplex{5, 6});
    EXPECT_EQ(MixedRadixFFT(in.data(), 7, out.data(), 0, 7), FftStatus::Ok);
    EXPECT_EQ(MixedRadixFFT(in.data(), 6, out.data(), 8, 7), FftStatus::ArrayTooShort);
    EXPECT_EQ(MixedRadixFFT(in.data(), 7, out.data(), 8, 3), FftStatus::ArrayTooShort);
    for (const TComplex& c : out)
        ASSERT_TRUE(c.Re == 5 && c.Im == 6);
    EXPECT_EQ(MixedRadixFFT(in.data(), 7, out.data(), 8, 7), FftStatus::Ok);
    EXPECT_EQ(out[0].Re, 8.0f);
}

TEST(MixedRadixFFT, ImpulsesConstantsAndCosines) {
    for (int n : {1, 8, 12, 16, 60, 2048}) {
        SCOPED_TRACE(n);
        std::vector<TComplex> x(n);
        x[0] = {1, 0};
        for (const TComplex& c : Transform(x)) {
            EXPECT_NEAR(c.Re, 1.0, 1e-6);
            EXPECT_NEAR(c.Im, 0.0, 1e-6);
        }
        if (n > 1) {
            x[0] = {0, 0};
            x[1] = {1, 0};
            const auto y = Transform(x);
            for (int k = 0; k < n; ++k) {
                const double a = -2.0 * std::numbers::pi * k / n;
                EXPECT_NEAR(y[k].Re, std::cos(a), 1e-5) << "bin " << k;
                EXPECT_NEAR(y[k].Im, std::sin(a), 1e-5) << "bin " << k;
            }
        }
        const TComplex c{0.25f, -0.5f};
        const auto y = Transform(std::vector<TComplex>(n, c));
        EXPECT_NEAR(y[0].Re, n * 0.25, 1e-4 * n);
        EXPECT_NEAR(y[0].Im, n * -0.5, 1e-4 * n);
        for (int k = 1; k < n; ++k)
            ASSERT_LT(std::hypot(y[k].Re, y[k].Im), 1e-4 * n) << "bin " << k;
    }
    for (int n : {16, 60, 2048}) {
        const int m = n / 4 - 1;
        std::vector<TComplex> x(n);
        for (int j = 0; j < n; ++j)
            x[j].Re = static_cast<float>(std::cos(2.0 * std::numbers::pi * m * j / n));
        const auto y = Transform(x);
        for (int k = 0; k < n; ++k) {
            const double expected = (k == m || k == n - m) ? n / 2.0 : 0.0;
            ASSERT_NEAR(std::hypot(y[k].Re, y[k].Im), expected, 2e-5 * n)
                << "n " << n << " bin " << k;
        }
    }
}

TEST(MixedRadixFFT, MatchesPlainDftForManyLengths) {
    std::vector<int> lengths;
    for (int n = 1; n <= 4096; n *= 2)
        lengths.push_back(n); // powers of two
    for (int n : {3,  5,   6,   9,   10,  12,  15,  20,  24,  25,  30,   40,   48,   60,
                  80, 100, 120, 125, 160, 240, 243, 360, 480, 625, 1000, 1200, 1536, 3000})
        lengths.push_back(n); // mixed radices
    for (int n : {7, 11, 13, 17, 97, 257, 509, 1021, 14, 21, 49, 77, 2 * 1021, 3 * 509, 8 * 7 * 5})
        lengths.push_back(n); // primes through the generic kernel
    unsigned seed = 1;
    for (int n : lengths) {
        const auto x = RandomVector(n, seed++);
        const double err = RelativeError(Transform(x), NaiveDft(x));
        EXPECT_LT(err, 2e-6 * (1 + std::log2(double(n)))) << "n = " << n;
    }
}

TEST(MixedRadixFFT, InPlaceAndPlannedCallsMatchSeparateArrays) {
    for (int n : {12, 1000, 2048, 2 * 1021}) {
        const auto x = RandomVector(n, 77);
        const auto separate = Transform(x);
        auto inPlace = x;
        ASSERT_EQ(MixedRadixFFT(inPlace.data(), n - 1, inPlace.data(), n, n - 1), FftStatus::Ok);
        MixedRadixPlan plan(n);
        std::vector<TComplex> planned(n);
        for (int round = 0; round < 2; ++round) { // a plan gives the same result every time
            ASSERT_EQ(plan.Execute(x.data(), planned.data()), FftStatus::Ok);
            for (int k = 0; k < n; ++k) {
                ASSERT_EQ(planned[k].Re, separate[k].Re) << "n " << n << " bin " << k;
                ASSERT_EQ(planned[k].Im, separate[k].Im) << "n " << n << " bin " << k;
            }
        }
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(inPlace[k].Re, separate[k].Re) << "n " << n << " bin " << k;
            ASSERT_EQ(inPlace[k].Im, separate[k].Im) << "n " << n << " bin " << k;
        }
    }
}

TEST(Complexs, Operations) {
    const TComplex a{1.5f, -2.0f}, b{0.5f, 4.0f};
    const TComplex sum = ComplexAdd(a, b), diff = ComplexSub(a, b), prod = ComplexMul(a, b);
    EXPECT_EQ(sum.Re, 2.0f);
    EXPECT_EQ(sum.Im, 2.0f);
    EXPECT_EQ(diff.Re, 1.0f);
    EXPECT_EQ(diff.Im, -6.0f);
    EXPECT_EQ(prod.Re, 1.5f * 0.5f + 8.0f);
    EXPECT_EQ(prod.Im, -2.0f * 0.5f + 1.5f * 4.0f);
    EXPECT_EQ(ComplexScale(a, 2.0).Im, -4.0f);
    EXPECT_EQ(ComplexAbs(TComplex{3, -4}), 5.0f);
    // The products are formed in double precision and rounded once.
    EXPECT_EQ(ComplexMul(TComplex{1.0f + 1e-7f, 0}, TComplex{1.0f - 1e-7f, 0}).Re,
              static_cast<float>(double(1.0f + 1e-7f) * double(1.0f - 1e-7f)));
}

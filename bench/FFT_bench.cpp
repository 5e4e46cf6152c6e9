// The spectrum view's 2048-point transform, side by side with FFTW (single precision, plan
// measured outside the timed loop) and KissFFT (float), all on the same input.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <fftw3.h>
#include <kiss_fft.h>

#include "eq/FFTs.h"

namespace {

// A 1024-sample block of a 1 kHz tone with noise, zero-padded to n points, as the spectrum
// view feeds the transform.
std::vector<dsp::TComplex> SpectrumInput(int n) {
    std::mt19937 gen(2048);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    std::vector<dsp::TComplex> x(n);
    for (int i = 0; i < n && i < 1024; ++i)
        x[i].Re =
            static_cast<float>(0.8 * std::sin(2.0 * 3.141592653589793 * 1000.0 * i / 48000.0)) +
            noise(gen);
    return x;
}

void MixedRadixPlanned(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto input = SpectrumInput(n);
    std::vector<dsp::TComplex> output(n);
    dsp::MixedRadixPlan plan(n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plan.Execute(input.data(), output.data()));
        benchmark::ClobberMemory();
    }
}

void MixedRadixOneShot(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto input = SpectrumInput(n);
    std::vector<dsp::TComplex> output(n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(dsp::MixedRadixFFT(input.data(), n - 1, output.data(), n, n - 1));
        benchmark::ClobberMemory();
    }
}

void Fftw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto input = SpectrumInput(n);
    auto* in = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
    auto* out = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n));
    // FFTW_MEASURE overwrites the arrays while planning: fill the input afterwards.
    fftwf_plan plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
    std::memcpy(in, input.data(), sizeof(fftwf_complex) * n);
    for (auto _ : state) {
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}

void Kiss(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto input = SpectrumInput(n);
    kiss_fft_cfg cfg = kiss_fft_alloc(n, 0, nullptr, nullptr);
    std::vector<kiss_fft_cpx> in(n), out(n);
    std::memcpy(in.data(), input.data(), sizeof(kiss_fft_cpx) * n);
    for (auto _ : state) {
        kiss_fft(cfg, in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    kiss_fft_free(cfg);
}

static_assert(sizeof(dsp::TComplex) == sizeof(kiss_fft_cpx));
static_assert(sizeof(dsp::TComplex) == sizeof(fftwf_complex));

BENCHMARK(MixedRadixPlanned)->Name("MixedRadixFFT")->Arg(2048);
BENCHMARK(Fftw)->Name("FFTW")->Arg(2048);
BENCHMARK(Kiss)->Name("KissFFT")->Arg(2048);
BENCHMARK(MixedRadixOneShot)->Name("MixedRadixFFT_OneShot")->Arg(2048);

} // namespace

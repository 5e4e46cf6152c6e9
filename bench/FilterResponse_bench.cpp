// A full redraw of the EQ graph's curve: 22 band curves (20 EQ bands, high-pass, low-pass)
// computed and summed per grid position.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "eq/FilterResponse.h"

namespace {

struct BandSetting {
    int freq;
    uint8_t code;
    float q, gain;
};

void FullCurve(benchmark::State& state) {
    std::vector<BandSetting> bands;
    for (int i = 0; i < 20; ++i) {
        const uint8_t code = static_cast<uint8_t>(i % 5 == 0 ? 2 : i % 7 == 0 ? 3 : 1);
        bands.push_back({25 * (i + 1) * (i + 1), code, 0.5f + 0.3f * i, -12.0f + 1.1f * i});
    }
    bands.push_back({80, 100 + 8, 0, 0});     // high-pass, fourth-order Butterworth
    bands.push_back({16000, 200 + 11, 0, 0}); // low-pass, three sections
    std::vector<std::array<dsp::TComplex, 1025>> curves(bands.size());
    std::array<float, dsp::EQGridSteps + 1> total{};
    for (auto _ : state) {
        for (size_t b = 0; b < bands.size(); ++b)
            dsp::BandResponse(curves[b].data(), 1024, bands[b].freq, bands[b].code, bands[b].q,
                              bands[b].gain);
        for (int p = 0; p <= dsp::EQGridSteps; ++p) {
            float s = 0;
            for (const auto& c : curves)
                s += c[p].Re;
            total[p] = s;
        }
        benchmark::DoNotOptimize(total.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(FullCurve)->Name("EqCurve22Bands")->Unit(benchmark::kMicrosecond);

} // namespace

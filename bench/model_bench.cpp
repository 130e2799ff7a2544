#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "model/number_text.h"
#include "model/windowless_form.h"

namespace {

std::vector<std::string> LengthTexts()
{
    std::vector<std::string> texts;
    for (int minutes = 1; minutes <= 500; ++minutes)
        texts.push_back(std::to_string(minutes));
    return texts;
}

// One evaluation per iteration, over every whole length 1..500.
void BM_Recalculate(benchmark::State& state)
{
    // A form that only keeps its texts: what a keystroke costs in the model.
    WindowlessForm form;
    CalculatorModel& model = form.m_model;
    model.Initialise();
    const auto texts = LengthTexts();
    std::size_t next = 0;
    for (auto _ : state) {
        form.m_strLength = texts[next];
        next = next + 1 == texts.size() ? 0 : next + 1;
        model.Recalculate();
        benchmark::DoNotOptimize(form.m_strResult.data());
    }
}
BENCHMARK(BM_Recalculate);

void BM_ParseLength(benchmark::State& state)
{
    const auto texts = LengthTexts();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseLength(texts[next]));
        next = next + 1 == texts.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_ParseLength);

// The bitrates of every whole length with the default sound and one CD.
void BM_FormatBitrate(benchmark::State& state)
{
    std::vector<double> bitrates;
    for (int minutes = 1; minutes <= 500; ++minutes)
        bitrates.push_back(CalculatorModel::ComputeVideoBitrate(minutes * 60.0, 16, 665600));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatBitrate(bitrates[next]));
        next = next + 1 == bitrates.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_FormatBitrate);

}  // namespace

BENCHMARK_MAIN();

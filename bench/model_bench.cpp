#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "model/calculator_model.h"
#include "model/number_text.h"

namespace {

// A form that only keeps its texts: what a keystroke costs in the model.
class QuietForm final : public ICalculatorForm {
public:
    CalculatorModel* model = nullptr;
    std::string lengthText;
    std::string sizeText;
    std::string resultText;
    int audioRow = 5;
    int discsRow = 0;

    QuietForm() { resultText.reserve(32); }

    bool IsLengthBound() const override { return true; }
    TextBuffer GetLengthText() const override { return TextBuffer(lengthText); }
    void SetLengthText(const char* text) override
    {
        lengthText = text;
        model->OnChangeLength();
    }
    bool IsSizeBound() const override { return true; }
    TextBuffer GetSizeText() const override { return TextBuffer(sizeText); }
    void SetSizeText(const char* text) override
    {
        sizeText = text;
        model->OnChangeSize();
    }
    void SetResultText(const char* text) override { resultText.assign(text); }
    int GetAudioRow() const override { return audioRow; }
    void SetAudioRow(int row) override { audioRow = row; }
    int GetDiscsRow() const override { return discsRow; }
    void SetDiscsRow(int row) override { discsRow = row; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PlayAlertSound() override {}
};

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
    QuietForm form;
    CalculatorModel model(form);
    form.model = &model;
    model.Initialise();
    const auto texts = LengthTexts();
    std::size_t next = 0;
    for (auto _ : state) {
        form.lengthText = texts[next];
        next = next + 1 == texts.size() ? 0 : next + 1;
        model.Recalculate();
        benchmark::DoNotOptimize(form.resultText.data());
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

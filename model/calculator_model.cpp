#include "model/calculator_model.h"

#include <cstddef>

#include "model/number_text.h"
#include "model/presets.h"

namespace {

// Running time that plays the alert instead of computing.
constexpr double kSpecialMinutes = 666.0;
constexpr double kLongestMinutes = 500.0;
constexpr double kLargestBitrate = 97386.0;

// A row outside its table (none selected, or anything stranger) is ignored
// rather than read past the end of the table.
template <typename Table>
bool IsRowOf(const Table& table, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < table.size();
}

}  // namespace

CalculatorModel::CalculatorModel(ICalculatorForm& form) : m_form(form)
{
}

double CalculatorModel::ComputeVideoBitrate(double seconds, int audioRate, int targetSize)
{
    return (static_cast<double>(targetSize) - static_cast<double>(audioRate) * seconds) / seconds * 8.0;
}

void CalculatorModel::Initialise()
{
    // Both values must be in place before the length write below evaluates.
    m_form.SetAudioRow(kDefaultAudioRow);
    m_nAudioRate = kAudioRates[kDefaultAudioRow];
    m_form.SetDiscsRow(kDefaultDiscsRow);
    m_nTargetSize = kDiscPresets[kDefaultDiscsRow].kilobytes;
    m_form.SetLengthText(kDefaultLengthText);                      // evaluates
    m_form.SetSizeText(kDiscPresets[kDefaultDiscsRow].megabytes);  // OnChangeSize
}

void CalculatorModel::OnSelchangeAudio()
{
    const int row = m_form.GetAudioRow();
    if (!IsRowOf(kAudioRates, row))
        return;
    m_nAudioRate = kAudioRates[row];
    Recalculate();
}

void CalculatorModel::OnChangeSize()
{
    if (!m_form.IsSizeBound())
        return;
    m_nTargetSize = MegabytesToKilobytes(ParseMegabytes(m_form.GetSizeText().view()));
    Recalculate();
}

void CalculatorModel::OnSelchangeDiscs()
{
    const int row = m_form.GetDiscsRow();
    if (!IsRowOf(kDiscPresets, row))
        return;
    m_nTargetSize = kDiscPresets[row].kilobytes;
    // The write runs OnChangeSize nested; the size is then taken back from the
    // box, so box and size can never disagree.
    m_form.SetSizeText(kDiscPresets[row].megabytes);
    OnChangeSize();
}

void CalculatorModel::Recalculate()
{
    if (!m_form.IsLengthBound())
        return;
    const double minutes = ParseLength(m_form.GetLengthText().view());

    // Checked before validity so that 666 never reads as too long.
    if (minutes == kSpecialMinutes) {
        m_form.BeginWaitCursor();
        m_form.PlayAlertSound();
        m_form.SetLengthText(kDefaultLengthText);  // evaluates 120 nested
        m_form.SetResultText(kTryAgainMessage);
        m_form.EndWaitCursor();
        return;
    }
    // Lengths strictly between -1 and 0 pass here and end as "Can't" below.
    if (minutes == 0.0 || minutes == -1.0 || minutes < -1.0) {
        m_form.SetResultText(kNoLengthMessage);
        return;
    }
    if (minutes > kLongestMinutes) {
        m_form.SetResultText(kTooLongMessage);
        return;
    }
    const double bitrate = ComputeVideoBitrate(minutes * 60.0, m_nAudioRate, m_nTargetSize);
    if (bitrate == 0.0 || bitrate < 0.0 || bitrate > kLargestBitrate) {
        m_form.SetResultText(kNoBitrateMessage);
        return;
    }
    m_form.SetResultText(FormatBitrate(bitrate).data());
}

#pragma once

#include <cstdint>

#include "model/calculator_form.h"

// The texts the result box shows instead of a number.
inline constexpr const char* kNoLengthMessage = "Can't!";      // running time 0, or -1 or less
inline constexpr const char* kTooLongMessage = "Whoa!";        // running time over 500 minutes
inline constexpr const char* kNoBitrateMessage = "Can't";      // no bitrate above 0 and up to the largest
inline constexpr const char* kTryAgainMessage = "Try Again!";  // the special running time

// The calculator's state and input handling. It owns no window: it reads and
// writes the form through ICalculatorForm, whose text setters call back into
// the change handlers before they return.
class CalculatorModel {
public:
    explicit CalculatorModel(ICalculatorForm& form);

    // Video bitrate in kbit/s that fills targetSize KB over the running time
    // together with audioRate KB/s of sound. No checks; seconds is never 0.
    static double ComputeVideoBitrate(double seconds, int audioRate, int targetSize);

    void Initialise();
    void OnChangeLength() { Recalculate(); }
    void OnSelchangeAudio();
    void OnChangeSize();
    void OnSelchangeDiscs();
    void Recalculate();

    std::int32_t m_nAudioRate = 0;   // KB of sound per second
    std::int32_t m_nTargetSize = 0;  // KB

private:
    ICalculatorForm& m_form;
};

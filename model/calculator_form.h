#pragma once

#include "base/text_buffer.h"

// What the calculator model needs from its form. The page implements it over
// its controls; tests implement it with a fake. Setting the length or the
// megabyte text must call back into the model (OnChangeLength / OnChangeSize)
// before the setter returns, exactly as an edit box's EN_CHANGE does.
class ICalculatorForm {
public:
    virtual bool IsLengthBound() const = 0;
    virtual TextBuffer GetLengthText() const = 0;
    virtual void SetLengthText(const char* text) = 0;

    virtual bool IsSizeBound() const = 0;
    virtual TextBuffer GetSizeText() const = 0;
    virtual void SetSizeText(const char* text) = 0;

    virtual void SetResultText(const char* text) = 0;

    // Selected rows of the two drop-down lists (-1: none). Selecting a row
    // raises no selection notification.
    virtual int GetAudioRow() const = 0;
    virtual void SetAudioRow(int row) = 0;
    virtual int GetDiscsRow() const = 0;
    virtual void SetDiscsRow(int row) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Plays the alert sound and returns when it has ended; silent on failure.
    virtual void PlayAlertSound() = 0;

protected:
    ~ICalculatorForm() = default;
};

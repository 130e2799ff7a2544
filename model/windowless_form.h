#pragma once

#include <string>

#include "model/calculator_model.h"

// The calculator form without a window, for programs with no screen (the
// command-line tool, the benchmark). It keeps the boxes' texts and the lists'
// rows and, like an edit box, hands a text it is given to its model before it
// returns. There is no cursor to show and no sound to play.
class WindowlessForm : public ICalculatorForm {
public:
    CalculatorModel m_model{*this};
    std::string m_strLength, m_strSize, m_strResult;
    int m_nAudioRow = -1, m_nDiscsRow = -1;

    bool IsLengthBound() const override { return true; }
    TextBuffer GetLengthText() const override { return TextBuffer(m_strLength); }
    void SetLengthText(const char* text) override
    {
        m_strLength = text;
        m_model.OnChangeLength();
    }
    bool IsSizeBound() const override { return true; }
    TextBuffer GetSizeText() const override { return TextBuffer(m_strSize); }
    void SetSizeText(const char* text) override
    {
        m_strSize = text;
        m_model.OnChangeSize();
    }
    void SetResultText(const char* text) override { m_strResult.assign(text); }
    int GetAudioRow() const override { return m_nAudioRow; }
    void SetAudioRow(int row) override { m_nAudioRow = row; }
    int GetDiscsRow() const override { return m_nDiscsRow; }
    void SetDiscsRow(int row) override { m_nDiscsRow = row; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PlayAlertSound() override {}
};

#pragma once

#include <string>

#include "model/calculator_model.h"

// The calculator page's stand-in, with its model. Like an edit box, writing a
// text notifies the model before the write returns, also when it is unchanged
// or the box counts as unbound. Every call that changes the form is logged.
class FakeForm : public ICalculatorForm {
public:
    CalculatorModel model{*this};
    bool lengthBound = true, sizeBound = true, refuseSize = false;
    std::string lengthText, sizeText, resultText;
    int audioRow = -1, discsRow = -1;
    std::string log;  // entries separated by "; "

    // Steps: L, M and a text typed into the length or megabyte box, A, D and a
    // row chosen in a list (not logged); I initialises; Bxy binds the length and
    // megabyte boxes (1) or not (0); S: the megabyte box refuses writes; | forgets
    // the log so far; ? logs the target size.
    void Do(char step, const std::string& text)
    {
        switch (step) {
        case 'L':
            lengthText = text;
            model.OnChangeLength();
            break;
        case 'M':
            sizeText = text;
            model.OnChangeSize();
            break;
        case 'A':
            audioRow = std::stoi(text);
            model.OnSelchangeAudio();
            break;
        case 'D':
            discsRow = std::stoi(text);
            model.OnSelchangeDiscs();
            break;
        case 'I':
            model.Initialise();
            break;
        case 'B':
            lengthBound = text[0] == '1';
            sizeBound = text[1] == '1';
            break;
        case 'S':
            refuseSize = true;
            break;
        case '|':
            log.clear();
            break;
        case '?':
            Log(std::to_string(model.m_nTargetSize) + " KB");
        }
    }

    void Log(const std::string& entry) { log += (log.empty() ? "" : "; ") + entry; }
    bool IsLengthBound() const override { return lengthBound; }
    TextBuffer GetLengthText() const override { return TextBuffer(lengthText); }
    void SetLengthText(const char* text) override
    {
        Log("length " + (lengthText = text));
        model.OnChangeLength();
    }
    bool IsSizeBound() const override { return sizeBound; }
    TextBuffer GetSizeText() const override { return TextBuffer(sizeText); }
    void SetSizeText(const char* text) override
    {
        Log("size " + std::string(text));
        if (!refuseSize)  // a box that refuses the write reports no change
            Do('M', text);
    }
    void SetResultText(const char* text) override { Log("result " + (resultText = text)); }
    int GetAudioRow() const override { return audioRow; }
    void SetAudioRow(int row) override { Log("audio row " + std::to_string(audioRow = row)); }
    int GetDiscsRow() const override { return discsRow; }
    void SetDiscsRow(int row) override { Log("discs row " + std::to_string(discsRow = row)); }
    void BeginWaitCursor() override { Log("wait begin"); }
    void EndWaitCursor() override { Log("wait end"); }
    void PlayAlertSound() override { Log("sound"); }
};

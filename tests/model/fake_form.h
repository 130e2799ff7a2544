#pragma once

#include <string>
#include <vector>

#include "calculator_form.h"
#include "calculator_model.h"

// Stands in for the calculator page. Like the real edit boxes, writing the
// length or megabyte text notifies the model before the write returns, also
// when the text is unchanged. Every call by which the model changes the form
// is logged in order, so a test sees exactly which evaluations ran. It
// notifies even while a box counts as unbound: the model must check that.
class FakeForm : public ICalculatorForm {
public:
    CalculatorModel* model = nullptr;
    bool lengthBound = true;
    bool sizeBound = true;
    std::string lengthText;
    std::string sizeText;
    std::string resultText;
    int audioRow = -1;
    int discsRow = -1;
    std::vector<std::string> log;

    bool IsLengthBound() const override { return lengthBound; }
    TextBuffer GetLengthText() const override { return TextBuffer(lengthText); }
    void SetLengthText(const char* text) override
    {
        log.push_back(std::string("length ") + text);
        lengthText = text;
        model->OnChangeLength();
    }

    bool IsSizeBound() const override { return sizeBound; }
    TextBuffer GetSizeText() const override { return TextBuffer(sizeText); }
    void SetSizeText(const char* text) override
    {
        log.push_back(std::string("size ") + text);
        sizeText = text;
        model->OnChangeSize();
    }

    void SetResultText(const char* text) override { log.push_back("result " + (resultText = text)); }

    int GetAudioRow() const override { return audioRow; }
    void SetAudioRow(int row) override { log.push_back("audio row " + std::to_string(audioRow = row)); }
    int GetDiscsRow() const override { return discsRow; }
    void SetDiscsRow(int row) override { log.push_back("discs row " + std::to_string(discsRow = row)); }

    void BeginWaitCursor() override { log.push_back("wait begin"); }
    void EndWaitCursor() override { log.push_back("wait end"); }
    void PlayAlertSound() override { log.push_back("sound"); }
};

// A model on its fake page, as the page owns it. The user's actions change a
// control and deliver its notification; they are not logged themselves.
struct Calculator {
    FakeForm form;
    CalculatorModel model{form};

    Calculator() { form.model = &model; }
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // The page at rest after start-up, with an empty log.
    void Start()
    {
        model.Initialise();
        form.log.clear();
    }
    void TypeLength(const std::string& text)
    {
        form.lengthText = text;
        model.OnChangeLength();
    }
    void TypeSize(const std::string& text)
    {
        form.sizeText = text;
        model.OnChangeSize();
    }
    void ChooseAudio(int row)
    {
        form.audioRow = row;
        model.OnSelchangeAudio();
    }
    void ChooseDiscs(int row)
    {
        form.discsRow = row;
        model.OnSelchangeDiscs();
    }
};

// Holds the number conversions to glibc on arbitrary input, then drives the
// model with steps decoded from it and checks what must hold whatever the rule
// computes.
#include "tests/model/fake_form.h"
#include "tests/model/number_reference.h"

static void Check(bool ok, const char* what, const std::string& detail)
{
    if (ok)
        return;
    std::fprintf(stderr, "model fuzz: %s: %s\n", what, detail.c_str());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    double bits = 0.0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    CheckLength(input);
    CheckBitrate(bits);
    CheckBitrate(ParseLength(input));
    Check(g_failed == 0, "conversion", input);

    FakeForm form;
    form.Do('I', "");
    std::string audioRow = "5";
    for (std::size_t at = 0; at + 1 < size; at += 2) {
        const char step = "LMAD"[data[at] % 4];
        const int row = data[at + 1] % 16 - 3;
        const bool outside = row < 0 || row >= (step == 'A' ? 10 : 4);
        const std::string text = step < 'L' ? std::to_string(row) : input.substr(at + 2, data[at + 1] % 8);
        form.log.clear();
        form.Do(step, text);
        audioRow = step == 'A' && !outside ? text : audioRow;
        // A row outside its list does nothing; anything else evaluates.
        if (step < 'L' && outside)
            Check(form.log.empty(), "row", text);
        else
            Check(form.log.ends_with(form.resultText == "Try Again!" ? "wait end"
                                                                     : "result " + form.resultText),
                  "evaluation", form.log);
        // A message, or a bitrate in (0, 97386].
        const double shown = ParseLength(form.resultText);
        Check(form.resultText.find_first_of("!'") != std::string::npos || (shown > 0.0 && shown <= 97386.0),
              "result", form.resultText);
    }
    // The result depends only on the inputs as they stand, not on the way there.
    FakeForm fresh;
    for (const auto& [step, text] :
         {std::pair{'I', std::string()}, {'A', audioRow}, {'M', form.sizeText}, {'L', form.lengthText}})
        fresh.Do(step, text);
    Check(form.resultText == "Try Again!" || fresh.resultText == form.resultText, "history",
          fresh.resultText + " vs " + form.resultText);
    return 0;
}

// kelvane-calc: the calculator form's result for given inputs, or a table of
// them, computed by the same model the Windows program drives.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/presets.h"
#include "model/windowless_form.h"

namespace {

// What the form shows when a user, from its start-up state, picks the sound,
// then the size (a disc row, or megabytes when mb is given), then types the
// length: the same order and the same handlers as the page.
std::string Evaluate(int audioRow, int discsRow, const char* mb, const char* length)
{
    WindowlessForm form;
    form.m_model.Initialise();
    form.SetAudioRow(audioRow);
    form.m_model.OnSelchangeAudio();
    if (mb) {
        form.SetSizeText(mb);
    } else {
        form.SetDiscsRow(discsRow);
        form.m_model.OnSelchangeDiscs();
    }
    form.SetLengthText(length);
    return form.m_strResult;
}

int UsageError(const std::string& what)
{
    std::fprintf(stderr,
                 "kelvane-calc: %s\nusage: kelvane-calc [--length MIN] [--cds N | --mb MB] [--audio KBIT]"
                 " | kelvane-calc --table [--length MIN]\n",
                 what.c_str());
    return 2;
}

struct Option {
    std::string name;
    int row = 0;                         // the value's index among the figures
    std::vector<std::string> figures{};  // the only values it takes, written exactly so; none: any text
    const char* value = nullptr;
};

}  // namespace

int main(int argc, char** argv)
{
    Option options[] = {
        {"--length"}, {"--cds", kDefaultDiscsRow}, {"--mb"}, {"--audio", kDefaultAudioRow}, {"--table"}};
    auto& [length, cds, mb, audio, table] = options;
    // The lists' figures as their labels write them; a row is a figure's index.
    for (std::size_t n = 1; n <= kDiscPresets.size(); ++n)
        cds.figures.push_back(std::to_string(n));
    for (int rate : kAudioRates)
        audio.figures.push_back(std::to_string(rate * 8));

    for (int i = 1; i < argc; ++i) {
        Option* option =
            std::find_if(std::begin(options), std::end(options), [&](auto& o) { return o.name == argv[i]; });
        if (option == std::end(options))
            return UsageError(std::string("unknown option ") + argv[i] +
                              "; the options are --length, --cds, --mb, --audio and --table");
        if (option->value)
            return UsageError(option->name + " is given twice; give each option once at most");
        std::string valid = option->figures.empty() ? "any text, as typed in its box" : "one of";
        for (const auto& figure : option->figures)
            valid += " " + figure;
        // The next word is the value, even one that begins with '-' (a negative length).
        if (option != &table && ++i == argc)
            return UsageError(option->name + " needs a value: " + valid);
        option->value = option == &table ? "" : argv[i];
        const auto& figures = option->figures;
        option->row =
            static_cast<int>(std::find(figures.begin(), figures.end(), option->value) - figures.begin());
        if (!figures.empty() && option->row == static_cast<int>(figures.size()))
            return UsageError(option->name + " takes " + valid + ", not " + argv[i]);
    }
    if (cds.value && mb.value)
        return UsageError("--cds and --mb both give the size: give one of them, or neither for 1 CD");
    if (table.value && (cds.value || mb.value || audio.value))
        return UsageError("--table takes only --length: it shows every sound quality and disc count");
    if (!length.value)
        length.value = kDefaultLengthText;

    if (table.value) {
        std::vector<std::string> cells{"kbit/s"};
        for (const auto& n : cds.figures)
            cells.push_back(n + (n == "1" ? " CD" : " CDs"));
        for (std::size_t a = 0; a < audio.figures.size(); ++a) {
            cells.push_back(audio.figures[a]);
            for (std::size_t d = 0; d < cds.figures.size(); ++d)
                cells.push_back(Evaluate(static_cast<int>(a), static_cast<int>(d), nullptr, length.value));
        }
        // Every cell right-aligned to the widest, so the columns line up.
        std::size_t width = 0;
        for (const auto& cell : cells)
            width = std::max(width, cell.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            std::printf("%*s%s", static_cast<int>(width), cells[i].c_str(),
                        (i + 1) % (cds.figures.size() + 1) ? "  " : "\n");
        return 0;
    }
    const std::string result = Evaluate(audio.row, cds.row, mb.value, length.value);
    std::printf("%s\n", result.c_str());
    // The form's four messages; every number, "10000." or "6.8267e-002" too, is an answer.
    for (const char* message : {"Can't!", "Whoa!", "Can't", "Try Again!"})
        if (result == message)
            return 1;
    return 0;
}

// kelvane-calc: the calculator form's result for given inputs, or a table of
// them, computed by the same model the Windows program drives.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "model/calculator_model.h"
#include "model/presets.h"
#include "model/windowless_form.h"
#include "res/version.h"

namespace {

// The command line as given: each value as typed, each flag whether present.
struct Request {
    std::optional<std::string> length, cds, mb, audio;
    bool table = false, help = false, version = false;
};

struct ValueOption {
    const char* name;
    std::optional<std::string> Request::*value;
    std::vector<std::string> figures;  // the only values taken, written exactly so; none: any text
    const char* box;                   // for any text: the form's box that reads it
};

struct Flag {
    const char* name;
    bool Request::*set;
};

constexpr Flag kFlags[] = {{"--table", &Request::table},
                           {"--help", &Request::help},
                           {"-h", &Request::help},
                           {"--version", &Request::version}};

// The lists' figures as their labels write them; a row is a figure's index.
const std::vector<ValueOption>& ValueOptions()
{
    static const std::vector<ValueOption> options = [] {
        std::vector<ValueOption> made{{"--length", &Request::length, {}, "length"},
                                      {"--cds", &Request::cds, {}, nullptr},
                                      {"--mb", &Request::mb, {}, "megabyte"},
                                      {"--audio", &Request::audio, {}, nullptr}};
        for (std::size_t n = 1; n <= kDiscPresets.size(); ++n)
            made[1].figures.push_back(std::to_string(n));
        for (int rate : kAudioRates)
            made[3].figures.push_back(std::to_string(rate * 8));
        return made;
    }();
    return options;
}
const ValueOption& kCds = ValueOptions()[1];
const ValueOption& kAudio = ValueOptions()[3];

// "1, 2, 3 or 4"
std::string Join(const std::vector<std::string>& figures)
{
    std::string list;
    for (std::size_t i = 0; i < figures.size(); ++i)
        list += (i == 0 ? "" : i + 1 == figures.size() ? " or " : ", ") + figures[i];
    return list;
}

std::string ValidValues(const ValueOption& option)
{
    if (option.figures.empty())
        return std::string("any text, read as the form reads its ") + option.box + " box's text";
    return Join(option.figures);
}

int UsageError(const std::string& what)
{
    std::fprintf(stderr, "kelvane-calc: %s\nTry 'kelvane-calc --help' for more information.\n", what.c_str());
    return 2;
}

// Reads every argument, so that a --help after a mistake still gets the help;
// returns the first mistake, or nothing.
std::string Parse(int argc, char** argv, Request& request)
{
    std::string error;
    auto fail = [&error](const std::string& what) {
        if (error.empty())
            error = what;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        // "--length=90" is "--length 90"; only long options take a value so.
        const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        const auto flag =
            std::find_if(std::begin(kFlags), std::end(kFlags), [&](auto& f) { return name == f.name; });
        if (flag != std::end(kFlags)) {
            if (equals != std::string::npos)
                fail(name + " takes no value");
            else if (request.*flag->set)
                fail(name + " is given twice; give each option once at most");
            else
                request.*flag->set = true;
            continue;
        }
        const auto& options = ValueOptions();
        const auto option =
            std::find_if(options.begin(), options.end(), [&](auto& o) { return name == o.name; });
        if (option == options.end()) {
            fail("unknown option " + argument +
                 "; the options are --length, --cds, --mb, --audio, --table, --help and --version");
            continue;
        }
        if (request.*option->value)
            fail(name + " is given twice; give each option once at most");
        // Otherwise the next word is the value, even one that begins with '-' (a negative length).
        if (equals != std::string::npos)
            request.*option->value = argument.substr(equals + 1);
        else if (++i < argc)
            request.*option->value = argv[i];
        else
            fail(name + " needs a value: " + ValidValues(*option));
    }
    return error;
}

// The row of a value among its option's figures (with no value, the default
// row); nothing if it is none of them.
std::optional<int> Row(const ValueOption& option, const std::optional<std::string>& value, int defaultRow)
{
    if (!value)
        return defaultRow;
    const auto found = std::find(option.figures.begin(), option.figures.end(), *value);
    if (found == option.figures.end())
        return std::nullopt;
    return static_cast<int>(found - option.figures.begin());
}

// The first input the form cannot take, or nothing.
std::string Validate(const Request& request)
{
    for (const auto* option : {&kCds, &kAudio})
        if (!Row(*option, request.*option->value, 0))
            return std::string(option->name) + " takes " + ValidValues(*option) + ", not " +
                   *(request.*option->value);
    if (request.cds && request.mb)
        return "--cds and --mb both give the size: give one of them, or neither for 1 CD";
    if (request.table && (request.cds || request.mb || request.audio))
        return "--table takes only --length: it shows every sound quality and disc count";
    return {};
}

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

// Every sound quality (rows) against every disc count (columns).
void PrintTable(const char* length)
{
    const auto& cds = kCds.figures;
    std::vector<std::string> cells{"kbit/s"};
    for (const auto& n : cds)
        cells.push_back(n + (n == "1" ? " CD" : " CDs"));
    for (std::size_t a = 0; a < kAudio.figures.size(); ++a) {
        cells.push_back(kAudio.figures[a]);
        for (std::size_t d = 0; d < cds.size(); ++d)
            cells.push_back(Evaluate(static_cast<int>(a), static_cast<int>(d), nullptr, length));
    }
    // Every cell right-aligned to the widest, so the columns line up.
    std::size_t width = 0;
    for (const auto& cell : cells)
        width = std::max(width, cell.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        std::printf("%*s%s", static_cast<int>(width), cells[i].c_str(),
                    (i + 1) % (cds.size() + 1) ? "  " : "\n");
}

// Prints the form's answer; the exit status: 1 for one of its messages, 0 for
// a number ("10000." and "6.8267e-002" too).
int PrintAnswer(const Request& request, const char* length)
{
    const std::string result =
        Evaluate(*Row(kAudio, request.audio, kDefaultAudioRow), *Row(kCds, request.cds, kDefaultDiscsRow),
                 request.mb ? request.mb->c_str() : nullptr, length);
    std::printf("%s\n", result.c_str());
    for (const char* message : {kNoLengthMessage, kTooLongMessage, kNoBitrateMessage, kTryAgainMessage})
        if (result == message)
            return 1;
    return 0;
}

void PrintHelp()
{
    std::printf("Usage: kelvane-calc [--length MIN] [--cds N | --mb MB] [--audio KBIT]\n"
                "  or:  kelvane-calc --table [--length MIN]\n"
                "  or:  kelvane-calc --help | --version\n"
                "Print the video bitrate in kbit/s at which a film and its MP3 sound fill a\n"
                "size, as Kelvane's calculator form shows it. The form is filled in as a user\n"
                "fills it: the sound quality first, then the size, then the length.\n"
                "\n"
                "Options (a value may also follow '=', as in --length=90):\n"
                "  --length MIN   the running time in minutes, default %s: any text, read as\n"
                "                 the form reads its length box's text (a leading number)\n"
                "  --cds N        the size in 650 MB CDs, default %s: %s\n"
                "  --mb MB        the size in megabytes instead of CDs: any text, read as the\n"
                "                 form reads its megabyte box's text (a leading whole number)\n"
                "  --audio KBIT   the sound quality in kbit/s, default %s: one of\n"
                "                 %s\n"
                "  --table        every sound quality against 1 to 4 CDs; with --length only\n"
                "  -h, --help     print this help and exit\n"
                "  --version      print the version and exit\n"
                "\n"
                "Instead of a number the answer may be one of the form's four messages:\n"
                "  %-12s no running time: 0, -1 or less, or no number at all\n"
                "  %-12s a running time over 500 minutes\n"
                "  %-12s no bitrate fits: the sound alone fills the size, or the\n"
                "               bitrate would be over 97386 kbit/s\n"
                "  %-12s the running time 666 (the form then puts 120 back)\n"
                "\n"
                "Exit status: 0 for a number, 1 for a message, 2 for input the tool cannot\n"
                "take (the problem and the valid values go to standard error).\n"
                "\n"
                "Example:\n"
                "  $ kelvane-calc --length 90 --cds %s --audio %s\n"
                "  %s\n",
                kDefaultLengthText, kCds.figures[kDefaultDiscsRow].c_str(), Join(kCds.figures).c_str(),
                kAudio.figures[kDefaultAudioRow].c_str(), Join(kAudio.figures).c_str(), kNoLengthMessage,
                kTooLongMessage, kNoBitrateMessage, kTryAgainMessage, kCds.figures[1].c_str(),
                kAudio.figures[3].c_str(), Evaluate(3, 1, nullptr, "90").c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    Request request;
    const std::string error = Parse(argc, argv, request);
    if (request.help) {
        PrintHelp();
        return 0;
    }
    if (request.version) {
        std::printf("kelvane-calc %s\n", KELVANE_VERSION);
        return 0;
    }
    if (!error.empty())
        return UsageError(error);
    if (const std::string invalid = Validate(request); !invalid.empty())
        return UsageError(invalid);
    const char* length = request.length ? request.length->c_str() : kDefaultLengthText;
    if (request.table) {
        PrintTable(length);
        return 0;
    }
    return PrintAnswer(request, length);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/split_command.h"

#include "cli/cut_command.h"
#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_file.h"
#include "split/chapter_list.h"
#include "split/cue_sheet.h"
#include "split/equal_parts.h"
#include "split/export_all.h"
#include "split/label_file.h"
#include "split/piece_names.h"
#include "split/silence_detection.h"
#include "split/source_length.h"
#include "split/time_text.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace trimvox {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: trimvox-cut split (--at T1,T2,... | --silence | --parts N | --every SECONDS "
    "| --cue FILE | --labels FILE | --chapters FILE) [OPTIONS] SOURCE OUTDIR";

constexpr const char* kHelp =
    "usage: trimvox-cut split MODE [OPTIONS] SOURCE OUTDIR\n"
    "\n"
    "Cuts the MP3 file SOURCE into pieces in one pass and writes each into the folder OUTDIR (made\n"
    "when it is missing). Every piece is cut exact to the sample and losslessly, as --precise cuts:\n"
    "played one after another by a gapless player, the pieces give back SOURCE. Each piece keeps the\n"
    "source's tags and gets its own title (where it has one), its track number n/total and, from a\n"
    "cue sheet, its performer and the album.\n"
    "\n"
    "MODE, exactly one of:\n"
    "  --at T1,T2,...      split at these times\n"
    "  --silence           split in the middle of every silence (see the silence options)\n"
    "  --parts N           N pieces of equal length\n"
    "  --every SECONDS     a piece every SECONDS; the last holds what remains\n"
    "  --cue FILE          the tracks of a cue sheet (TRACK, TITLE, PERFORMER, INDEX 01 mm:ss:ff)\n"
    "  --labels FILE       an Audacity label file (start<TAB>end<TAB>label per line, in seconds)\n"
    "  --chapters FILE     a chapter list as video sites print them ([h:]mm:ss Title per line)\n"
    "\n"
    "Times are seconds (75.5) or [h:]mm:ss[.fff] (1:15.5, 1:02:03.250). A list file may be UTF-8\n"
    "or GB18030; a line it cannot read is named by its number and nothing is cut.\n"
    "\n"
    "Silence (with --silence only):\n"
    "  --threshold DB      quieter than this is silence, in dBFS (default -50)\n"
    "  --min-silence SECONDS\n"
    "                      the shortest silence that splits (default 1)\n"
    "  --min-length SECONDS\n"
    "                      a piece with less sound than this joins the one before (default 3)\n"
    "  --trim-silence      leave the silence out: each piece runs from its first sound to its last\n"
    "\n"
    "Options:\n"
    "  --name TEMPLATE     the pieces' file names: {n} the number, {nn} the number with leading\n"
    "                      zeros, {title} the piece's title, {stem} SOURCE's name without its\n"
    "                      extension; \".mp3\" is added. Default \"{nn} {title}\" when every piece has\n"
    "                      a title, else \"{stem} {nn}\". Characters that file systems refuse become\n"
    "                      \"_\"; names that clash get \" (2)\", \" (3)\", ...\n"
    "  --force             replace files that exist in OUTDIR; without it an existing file stops\n"
    "                      the split before anything is written\n"
    "  --dry-run           write no audio; print the pieces, one a line: number, start, end and\n"
    "                      title, separated by tabs (OUTDIR may then be left out)\n"
    "  --cue-out FILE      write the pieces as a cue sheet (UTF-8) of SOURCE\n"
    "  --labels-out FILE   write the pieces as an Audacity label file; --labels reads it back to\n"
    "                      the same samples\n"
    "  -h, --help          show this help and exit\n"
    "\n"
    "The path of each piece written is printed, one a line. Exit status: 0 when every piece was\n"
    "written, 1 when the split failed (the message says which pieces were written; none is left\n"
    "half-written), 2 when the command line is wrong.\n";

enum class Mode { None, At, Silence, Parts, Every, Cue, Labels, Chapters };

struct SplitLine {
    bool help = false;
    Mode mode = Mode::None;
    std::string modeOption; // as given, for messages
    std::string modeValue;
    std::optional<std::string> threshold, minSilence, minLength, nameTemplate, cueOut, labelsOut;
    bool trim = false, force = false, dryRun = false;
    std::vector<std::string> operands;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
    }
    return quoted + "'";
}

std::optional<double> ParseNumber(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

struct ModeOption {
    const char* name;
    Mode mode;
    bool takesValue;
};
constexpr ModeOption kModes[] = {
    {"--at", Mode::At, true},
    {"--silence", Mode::Silence, false},
    {"--parts", Mode::Parts, true},
    {"--every", Mode::Every, true},
    {"--cue", Mode::Cue, true},
    {"--labels", Mode::Labels, true},
    {"--chapters", Mode::Chapters, true},
};

// Splits the arguments; an error message, or empty.
std::string Parse(const std::vector<std::string>& args, SplitLine& line) {
    const std::pair<const char*, std::optional<std::string> SplitLine::*> valued[] = {
        {"--threshold", &SplitLine::threshold},  {"--min-silence", &SplitLine::minSilence},
        {"--min-length", &SplitLine::minLength}, {"--name", &SplitLine::nameTemplate},
        {"--cue-out", &SplitLine::cueOut},       {"--labels-out", &SplitLine::labelsOut},
    };
    const std::pair<const char*, bool SplitLine::*> flags[] = {{"--trim-silence", &SplitLine::trim},
                                                               {"--force", &SplitLine::force},
                                                               {"--dry-run", &SplitLine::dryRun}};
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 2 || arg[0] != '-') {
            line.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options = false;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            line.help = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
        }
        // The value of an option: after "=", or the next argument.
        const auto value = [&](std::string& into) -> std::string {
            if (inlineValue) {
                into = *inlineValue;
                return {};
            }
            if (i + 1 == args.size()) {
                return name + " needs a value";
            }
            into = args[++i];
            return {};
        };
        bool known = false;
        for (const ModeOption& mode : kModes) {
            if (name != mode.name) {
                continue;
            }
            known = true;
            if (line.mode != Mode::None) {
                return "choose one way to split, not both " + line.modeOption + " and " + name;
            }
            line.mode = mode.mode;
            line.modeOption = name;
            if (mode.takesValue) {
                if (std::string problem = value(line.modeValue); !problem.empty()) {
                    return problem;
                }
            } else if (inlineValue) {
                return name + " takes no value";
            }
        }
        for (const auto& [option, member] : valued) {
            if (name == option) {
                known = true;
                std::string text;
                if (std::string problem = value(text); !problem.empty()) {
                    return problem;
                }
                line.*member = text;
            }
        }
        for (const auto& [option, member] : flags) {
            if (name == option) {
                if (inlineValue) {
                    return name + " takes no value";
                }
                known = true;
                line.*member = true;
            }
        }
        if (!known) {
            return "unknown option " + Quoted(arg);
        }
    }
    return {};
}

// Reads a number of seconds from an option; a message, or empty.
std::string SecondsOption(const std::optional<std::string>& text, const char* name, bool positive,
                          double& into) {
    if (!text) {
        return {};
    }
    const std::optional<double> value = ParseTime(*text);
    if (!value || (positive && !(*value > 0))) {
        return std::string(name) + " must be " + (positive ? "a positive time" : "a time") + ", not " +
               Quoted(*text);
    }
    into = *value;
    return {};
}

std::string WriteText(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, [&text](int fd) {
        return WriteAllBytes(fd, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    });
}

// The pieces the mode asks for, or a message.
struct Pieces {
    SegmentList list;
    std::string album, performer;
    std::string problem; // empty when the list is good
    bool usage = false;  // the problem lies in the command line
};

Pieces PiecesFromList(const SplitLine& line, const std::string& source, const SourceLength& length) {
    Pieces pieces;
    const auto fail = [&pieces](std::string problem, bool usage = false) {
        pieces.problem = std::move(problem);
        pieces.usage = usage;
        return pieces;
    };
    const SegmentList empty(length.rate, length.totalSamples);
    const std::string end = FormatTime(length.totalSamples, length.rate);
    switch (line.mode) {
    case Mode::At: {
        std::vector<std::int64_t> boundaries;
        std::string_view rest = line.modeValue;
        while (true) {
            const std::size_t comma = rest.find(',');
            const std::string item(TrimSpace(rest.substr(0, comma)));
            const std::optional<double> time = ParseTime(item);
            if (!time) {
                return fail("--at: not a time: " + Quoted(item), true);
            }
            const std::int64_t sample = empty.sampleAt(*time);
            if (sample >= length.totalSamples) {
                return fail("--at " + item + " lies at or past the end of " + Quoted(source) + " (" + end +
                            ")");
            }
            boundaries.push_back(sample);
            if (comma == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(comma + 1);
        }
        pieces.list = TileAt(length.rate, length.totalSamples, boundaries);
        return pieces;
    }
    case Mode::Parts: {
        int count = 0;
        const std::string& text = line.modeValue;
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (text.empty() || error != std::errc() || stop != text.data() + text.size() || count < 1) {
            return fail("--parts needs a whole number of pieces, 1 or more, not " + Quoted(text), true);
        }
        const std::optional<SegmentList> list = EqualParts(length.rate, length.totalSamples, count);
        if (!list) {
            return fail(Quoted(source) + " is too short for " + text + " pieces");
        }
        pieces.list = *list;
        return pieces;
    }
    case Mode::Every: {
        const std::optional<double> seconds = ParseTime(line.modeValue);
        if (!seconds || !(*seconds > 0)) {
            return fail("--every needs a positive time, not " + Quoted(line.modeValue), true);
        }
        const std::optional<SegmentList> list = PiecesEvery(length.rate, length.totalSamples, *seconds);
        if (!list) {
            return fail("--every " + line.modeValue + " is shorter than one sample");
        }
        pieces.list = *list;
        return pieces;
    }
    case Mode::Cue:
    case Mode::Labels:
    case Mode::Chapters: {
        const std::optional<Bytes> bytes = ReadWholeFile(line.modeValue, 16 << 20);
        if (!bytes) {
            return fail("cannot read " + Quoted(line.modeValue));
        }
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        const ImportResult result =
            line.mode == Mode::Cue      ? ReadCueSheet(text, length.rate, length.totalSamples)
            : line.mode == Mode::Labels ? ReadLabelFile(text, length.rate, length.totalSamples)
                                        : ReadChapterList(text, length.rate, length.totalSamples);
        if (!result.ok()) {
            return fail(line.modeValue + ": " + Describe(*result.error));
        }
        pieces.list = result.imported.list;
        pieces.album = result.imported.album;
        pieces.performer = result.imported.performer;
        return pieces;
    }
    case Mode::None:
    case Mode::Silence:
        break;
    }
    return fail("no way to split was chosen", true);
}

std::string Plural(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

bool IsSplitCommand(const std::vector<std::string>& args) {
    if (args.empty() || args[0] != "split") {
        return false;
    }
    // "split START END OUTPUT": the cut form with a source named "split".
    if (args.size() == 4) {
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i].rfind("--", 0) == 0) {
                return true;
            }
        }
        return false;
    }
    return true;
}

int RunSplitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto usageError = [&err](const std::string& message) {
        err << "trimvox-cut split: " << message << " (" << kUsage << "; --help for more)\n";
        return kCutExitUsage;
    };
    const auto failure = [&err](const std::string& message) {
        err << "trimvox-cut split: " << message << "\n";
        return kCutExitFailed;
    };

    SplitLine line;
    if (const std::string problem = Parse(args, line); !problem.empty()) {
        return usageError(problem);
    }
    if (line.help) {
        out << kHelp;
        return kCutExitOk;
    }
    if (line.mode == Mode::None) {
        return usageError(
            "choose how to split: --at, --silence, --parts, --every, --cue, --labels or --chapters");
    }
    const std::size_t wanted = line.dryRun ? 1 : 2;
    if (line.operands.size() < wanted || line.operands.size() > 2) {
        return usageError(std::string("expected SOURCE ") + (line.dryRun ? "[OUTDIR]" : "OUTDIR") + ", got " +
                          Plural(line.operands.size(), "argument"));
    }
    const std::string& source = line.operands[0];
    const std::string outdir = line.operands.size() == 2 ? line.operands[1] : std::string();
    if (source.empty() || (!line.dryRun && outdir.empty())) {
        return usageError("SOURCE and OUTDIR must not be empty");
    }

    SilenceOptions silence;
    if (line.mode != Mode::Silence && (line.threshold || line.minSilence || line.minLength || line.trim)) {
        return usageError(
            "--threshold, --min-silence, --min-length and --trim-silence go with --silence only");
    }
    if (line.threshold) {
        const std::optional<double> db = ParseNumber(*line.threshold);
        if (!db || *db >= 0 || *db < -120) {
            return usageError("--threshold must be a level in dBFS below 0 (such as -50), not " +
                              Quoted(*line.threshold));
        }
        silence.thresholdDb = *db;
    }
    if (std::string problem =
            SecondsOption(line.minSilence, "--min-silence", true, silence.minSilenceSeconds);
        !problem.empty()) {
        return usageError(problem);
    }
    if (std::string problem = SecondsOption(line.minLength, "--min-length", false, silence.minPieceSeconds);
        !problem.empty()) {
        return usageError(problem);
    }
    silence.trimSilence = line.trim;
    if (line.nameTemplate) {
        if (const std::optional<std::string> problem = TemplateProblem(*line.nameTemplate)) {
            return usageError("--name " + Quoted(*line.nameTemplate) + ": " + *problem);
        }
    }
    if (!outdir.empty() && fs::exists(outdir) && !fs::is_directory(outdir)) {
        return failure("OUTDIR " + Quoted(outdir) + " is not a folder");
    }
    if (const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); fd < 0) {
        return failure("cannot read " + Quoted(source) + ": " + std::strerror(errno));
    } else {
        ::close(fd);
    }

    // The list, in samples of the source as a gapless decoder gives them.
    const std::atomic<bool> stop{false};
    Pieces pieces;
    if (line.mode == Mode::Silence) {
        const std::optional<SilenceReport> report = DetectSilence(source, silence, stop);
        if (!report) {
            return failure("cannot decode " + Quoted(source) + " (not an MP3 file?)");
        }
        pieces.list = report->pieces;
    } else {
        const std::optional<SourceLength> length = ReadSourceLength(source, stop);
        if (!length) {
            return failure("cannot decode " + Quoted(source) + " (not an MP3 file?)");
        }
        pieces = PiecesFromList(line, source, *length);
        if (!pieces.problem.empty()) {
            return pieces.usage ? usageError(pieces.problem) : failure(pieces.problem);
        }
    }
    const SegmentList& list = pieces.list;
    if (list.empty()) {
        return failure("no pieces: " + Quoted(source) + " holds no sound above the threshold");
    }

    if (line.cueOut) {
        const std::string cue =
            WriteCueSheet(list, fs::path(source).filename().string(), pieces.album, pieces.performer);
        if (const std::string problem = WriteText(*line.cueOut, cue); !problem.empty()) {
            return failure("cannot write " + Quoted(*line.cueOut) + ": " + problem);
        }
    }
    if (line.labelsOut) {
        if (const std::string problem = WriteText(*line.labelsOut, WriteLabelFile(list)); !problem.empty()) {
            return failure("cannot write " + Quoted(*line.labelsOut) + ": " + problem);
        }
    }
    if (line.dryRun) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            out << i + 1 << '\t' << FormatTime(list[i].start, list.rate()) << '\t'
                << FormatTime(list[i].end, list.rate()) << '\t' << list[i].title << '\n';
        }
        return kCutExitOk;
    }

    std::error_code error;
    fs::create_directories(outdir, error);
    if (error) {
        return failure("cannot make the folder " + Quoted(outdir) + ": " + error.message());
    }
    ExportRequest request;
    request.source = source;
    request.list = list;
    request.folder = outdir;
    request.nameTemplate = line.nameTemplate.value_or("");
    request.replaceExisting = line.force;
    request.album = pieces.album;
    const ExportOutcome outcome = ExportAll(request);
    for (const fs::path& written : outcome.written) {
        out << written.string() << '\n';
    }
    if (outcome.ok()) {
        return kCutExitOk;
    }
    std::string message = outcome.detail;
    if (outcome.error == ExportError::TargetExists && outcome.written.empty()) {
        message += "; nothing was written (--force replaces existing files)";
    } else if (outcome.written.empty()) {
        message += "; no piece was written";
    } else {
        message += "; pieces 1 to " + std::to_string(outcome.written.size()) + " of " +
                   std::to_string(list.size()) + " were written";
    }
    return failure(message);
}

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cut_command.h"

#include "cutting/segment_cutter.h"
#include "mp3/media_info.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace trimvox {

namespace {

constexpr const char* kUsage = "usage: trimvox-cut [--precise] [--duration SECONDS] SOURCE START END OUTPUT";

constexpr const char* kHelp =
    "usage: trimvox-cut [--precise] [--duration SECONDS] SOURCE START END OUTPUT\n"
    "\n"
    "Cuts the part of the MP3 file SOURCE between START and END (seconds) into OUTPUT.\n"
    "\n"
    "Byte cut (the default): as Trimvox cuts its preview. The times are mapped to bytes in\n"
    "proportion to the file's size over its playing time, and those bytes are copied unchanged\n"
    "(no decoding, no frame alignment).\n"
    "\n"
    "Precise cut (--precise): lossless and exact to the sample. Each time is a sample of what a\n"
    "gapless player plays (rounded to the nearest); OUTPUT plays exactly the samples from START up\n"
    "to END in players that honour the LAME tag. It holds the source's ID3v2 tag, a fresh\n"
    "Xing/Info header with a LAME tag (the samples to drop at each end), one silent frame carrying\n"
    "the audio data the next frames need, the source's frames from one or two before START on,\n"
    "copied unchanged, and the source's ID3v1 tag. Files without MPEG audio frames, free-format\n"
    "streams, streams that change their sample rate, and times that hold no audio are refused.\n"
    "\n"
    "  --precise           cut whole frames (see above); the playing time is not needed\n"
    "  --duration SECONDS  the playing time of SOURCE for the byte cut; without it, it is read\n"
    "                      from the file\n"
    "  -h, --help          show this help and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "Exit status: 0 when OUTPUT was written, 1 when the cut failed, 2 when the command line is wrong.\n"
    "When the cut fails, OUTPUT is neither created nor changed. OUTPUT must be a regular file or not\n"
    "exist, and must not be SOURCE itself; a symbolic link as OUTPUT is followed.\n";

// A name or value as it appears in a one-line message: quoted, with control characters escaped.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\n') {
            quoted += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            quoted += '?';
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// A number in the C locale's notation, "nan" and "inf" included; nothing for anything else.
std::optional<double> ParseNumber(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// A number of seconds ("12", "10.5", "1e3"); nothing for anything else, "nan" and "inf" too.
std::optional<double> ParseSeconds(const std::string& text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

// An argument that starts with "-" but is a number ("-1", "-nan", "-inf") is a time, not an option.
bool LooksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && !ParseNumber(arg);
}

struct CommandLine {
    bool help = false;
    bool precise = false;
    std::optional<std::string> duration;
    std::vector<std::string> operands;
};

// Splits the arguments; an error message, or empty.
std::string Parse(const std::vector<std::string>& args, CommandLine& line) {
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "-h" || arg == "--help")) {
            line.help = true;
        } else if (options && arg == "--precise") {
            line.precise = true;
        } else if (options && arg == "--duration") {
            if (i + 1 == args.size()) {
                return "--duration needs a number of seconds";
            }
            line.duration = args[++i];
        } else if (options && arg.rfind("--duration=", 0) == 0) {
            line.duration = arg.substr(std::strlen("--duration="));
        } else if (options && LooksLikeOption(arg)) {
            return "unknown option " + Quoted(arg);
        } else {
            line.operands.push_back(arg);
        }
    }
    return {};
}

// The first line of a failed source open, or empty when the source opens.
std::string SourceProblem(const std::string& source) {
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return "cannot read " + Quoted(source) + ": " + std::strerror(errno);
    }
    ::close(fd);
    return {};
}

std::string Describe(const CutResult& result, const CutRequest& request, const std::string& start) {
    const std::string source = Quoted(request.source.string());
    switch (result.error) {
    case CutError::None:
        break;
    case CutError::BadDuration:
        return "the playing time must be a positive number of seconds";
    case CutError::BadMarks:
        return "START and END give no bytes of " + source + " to cut";
    case CutError::SourceUnreadable:
        return "cannot read " + source + ": " + result.detail;
    case CutError::EmptySegment:
        return "START " + start + " lies past the end of " + source;
    case CutError::OutputUnwritable:
        return "cannot write " + Quoted(request.output.string()) + ": " + result.detail;
    case CutError::NoAudioFrames:
        return "no MPEG audio frames found in " + source + " (not an MP3 file?)";
    case CutError::FreeFormat:
        return source + " is a free-format MPEG stream, which cannot be cut precisely";
    case CutError::MixedFormat:
        return source + " changes its sample rate or MPEG version mid-stream: " + result.detail;
    case CutError::SameFile:
        return "SOURCE and OUTPUT are the same file";
    case CutError::Cancelled:
        return "the cut was called off";
    case CutError::SourceShrank:
        return source + " changed while it was cut: " + result.detail + "; OUTPUT was not written";
    }
    return {};
}

} // namespace

int RunCutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto usageError = [&err](const std::string& message) {
        err << "trimvox-cut: " << message << " (" << kUsage << "; --help for more)\n";
        return kCutExitUsage;
    };
    const auto failure = [&err](const std::string& message) {
        err << "trimvox-cut: " << message << "\n";
        return kCutExitFailed;
    };

    CommandLine line;
    if (const std::string problem = Parse(args, line); !problem.empty()) {
        return usageError(problem);
    }
    if (line.help) {
        out << kHelp;
        return kCutExitOk;
    }
    if (line.operands.size() != 4) {
        return usageError("expected SOURCE START END OUTPUT, got " + std::to_string(line.operands.size()) +
                          " argument" + (line.operands.size() == 1 ? "" : "s"));
    }
    const std::string& source = line.operands[0];
    const std::optional<double> start = ParseSeconds(line.operands[1]);
    const std::optional<double> end = ParseSeconds(line.operands[2]);
    const std::string& output = line.operands[3];
    if (!start) {
        return usageError("START is not a number of seconds: " + Quoted(line.operands[1]));
    }
    if (!end) {
        return usageError("END is not a number of seconds: " + Quoted(line.operands[2]));
    }
    if (*start < 0) {
        return usageError("START must not be negative");
    }
    if (*end < *start) {
        return usageError("END lies before START");
    }
    if (source.empty() || output.empty()) {
        return usageError("SOURCE and OUTPUT must not be empty");
    }

    std::optional<double> duration;
    if (line.duration) {
        duration = ParseSeconds(*line.duration);
        if (!duration || *duration <= 0) {
            return usageError("--duration must be a positive number of seconds, not " +
                              Quoted(*line.duration));
        }
    } else if (line.precise) {
        duration = 0; // the precise cut counts frames instead
    } else {
        if (const std::string problem = SourceProblem(source); !problem.empty()) {
            return failure(problem);
        }
        // The same reading of the file as the player's, so the times mean what they mean in the program.
        const MediaInfo info = ReadMediaInfo(source);
        if (!info.playable || !(info.durationSeconds > 0)) {
            return failure("cannot tell the playing time of " + Quoted(source) +
                           " (not an MP3 file?); give it with --duration");
        }
        duration = info.durationSeconds;
    }

    CutRequest request;
    request.source = source;
    request.duration = *duration;
    request.startPos = *start;
    request.endPos = *end;
    request.output = output;
    request.onFailure = OldOutput::Keep;
    request.mode = line.precise ? CutMode::Precise : CutMode::Bytes;
    request.refuseSourceAsOutput = true;
    const CutResult result = CutSegment(request);
    if (!result.ok()) {
        return failure(Describe(result, request, line.operands[1]));
    }
    return kCutExitOk;
}

} // namespace trimvox

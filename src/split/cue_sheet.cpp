// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/cue_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace trimvox {

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

std::string_view FirstWord(std::string_view text) {
    return text.substr(0, std::min(text.find_first_of(" \t"), text.size()));
}

std::string_view AfterFirstWord(std::string_view text) {
    const std::size_t space = text.find_first_of(" \t");
    return space == std::string_view::npos ? std::string_view{} : TrimSpace(text.substr(space));
}

// A value, quoted (to the last quote of the line) or one word; `rest` gets what follows it.
std::optional<std::string> Value(std::string_view text, std::string_view* rest = nullptr) {
    if (text.starts_with('"')) {
        const std::size_t close = text.rfind('"');
        if (close == 0) {
            return std::nullopt;
        }
        if (rest != nullptr) {
            *rest = TrimSpace(text.substr(close + 1));
        }
        return std::string(text.substr(1, close - 1));
    }
    if (text.empty()) {
        return std::nullopt;
    }
    if (rest != nullptr) {
        *rest = AfterFirstWord(text);
    }
    return std::string(FirstWord(text));
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "mm:ss:ff" in frames of 1/75 s.
std::optional<std::int64_t> CueFrames(std::string_view text) {
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view mm = text.substr(0, first);
    const std::string_view ss = text.substr(first + 1, second - first - 1);
    const std::string_view ff = text.substr(second + 1);
    if (!AllDigits(mm) || !AllDigits(ss) || !AllDigits(ff) || ss.size() > 2 || ff.size() > 2) {
        return std::nullopt;
    }
    const std::int64_t seconds = std::stoll(std::string(ss));
    const std::int64_t frames = std::stoll(std::string(ff));
    if (seconds >= 60 || frames >= 75) {
        return std::nullopt;
    }
    return (std::stoll(std::string(mm)) * 60 + seconds) * 75 + frames;
}

struct Track {
    int line = 0;
    std::int64_t start = -1;
    std::string title;
    std::string performer;
};

ListTextError Error(int line, ListTextProblem problem, std::string detail = {}) {
    return ListTextError{line, problem, std::move(detail)};
}

// Quotes cannot be escaped in a cue sheet, and a value ends at its line's end.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

ImportResult ReadCueSheet(std::string_view bytes, long rate, std::int64_t totalSamples) {
    ImportResult result;
    std::string text;
    std::vector<std::string_view> lines;
    if (!StartImport(bytes, rate, totalSamples, result, text, lines)) {
        return result;
    }
    std::vector<Track> tracks;
    bool haveFile = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string_view line = TrimSpace(lines[i]);
        if (line.empty()) {
            continue;
        }
        const std::string command = Upper(FirstWord(line));
        const std::string_view rest = AfterFirstWord(line);
        if (command == "FILE") {
            std::string_view type;
            const std::optional<std::string> name = Value(rest, &type);
            if (!name || name->empty() || type.empty()) {
                result.error = Error(number, ListTextProblem::BadLine, "expected FILE \"name\" TYPE");
                return result;
            }
            if (haveFile) {
                result.error = Error(number, ListTextProblem::SeveralFiles);
                return result;
            }
            haveFile = true;
            result.imported.audioFile = *name;
        } else if (command == "TRACK") {
            const std::string_view trackNumber = FirstWord(rest);
            const std::string type = Upper(AfterFirstWord(rest));
            if (!AllDigits(trackNumber) || type != "AUDIO") {
                result.error = Error(number, ListTextProblem::BadLine, "expected TRACK nn AUDIO");
                return result;
            }
            tracks.push_back(Track{number, -1, {}, {}});
        } else if (command == "INDEX") {
            const std::string_view index = FirstWord(rest);
            const std::string_view time = AfterFirstWord(rest);
            if (tracks.empty() || !AllDigits(index) || time.empty()) {
                result.error =
                    Error(number, ListTextProblem::BadLine, "expected INDEX nn mm:ss:ff in a track");
                return result;
            }
            const std::optional<std::int64_t> frames = CueFrames(time);
            if (!frames) {
                result.error = Error(number, ListTextProblem::BadTime, std::string(time));
                return result;
            }
            if (std::stoi(std::string(index)) != 1) {
                continue;
            }
            const auto start = static_cast<std::int64_t>(
                std::llround(static_cast<double>(*frames) * static_cast<double>(rate) / 75.0));
            if (tracks.size() > 1 && start <= tracks[tracks.size() - 2].start) {
                result.error = Error(number, ListTextProblem::OutOfOrder, std::string(time));
                return result;
            }
            if (start >= totalSamples) {
                result.error = Error(number, ListTextProblem::BeyondEnd, std::string(time));
                return result;
            }
            tracks.back().start = start;
        } else if (command == "TITLE" || command == "PERFORMER") {
            const std::optional<std::string> value = Value(rest);
            if (!value) {
                result.error = Error(number, ListTextProblem::BadLine, "expected " + command + " \"text\"");
                return result;
            }
            std::string& field =
                tracks.empty() ? (command == "TITLE" ? result.imported.album : result.imported.performer)
                               : (command == "TITLE" ? tracks.back().title : tracks.back().performer);
            field = *value;
        } else if (command == "REM" || command == "CATALOG" || command == "CDTEXTFILE" ||
                   command == "FLAGS" || command == "ISRC" || command == "SONGWRITER" ||
                   command == "PREGAP" || command == "POSTGAP") {
            continue;
        } else {
            result.error =
                Error(number, ListTextProblem::BadLine, "unknown command " + std::string(FirstWord(line)));
            return result;
        }
    }
    if (tracks.empty()) {
        result.error = Error(0, ListTextProblem::NoPieces, "no TRACK");
        return result;
    }
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        if (tracks[k].start < 0) {
            result.error = Error(tracks[k].line, ListTextProblem::BadLine, "the track has no INDEX 01");
            return result;
        }
    }
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        Track& track = tracks[k];
        const std::int64_t end = k + 1 < tracks.size() ? tracks[k + 1].start : totalSamples;
        result.imported.list.add(
            Segment{track.start, end, std::move(track.title),
                    track.performer.empty() ? result.imported.performer : std::move(track.performer)});
    }
    return result;
}

std::string WriteCueSheet(const SegmentList& list, const std::string& audioFile, const std::string& album,
                          const std::string& performer) {
    std::string cue = "\xEF\xBB\xBF";
    if (!performer.empty()) {
        cue += "PERFORMER \"" + OneLine(performer) + "\"\n";
    }
    if (!album.empty()) {
        cue += "TITLE \"" + OneLine(album) + "\"\n";
    }
    cue += "FILE \"" + OneLine(audioFile) + "\" MP3\n";
    const long rate = list.rate() > 0 ? list.rate() : 1;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Segment& piece = list[k];
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n", k + 1);
        cue += line;
        if (!piece.title.empty()) {
            cue += "    TITLE \"" + OneLine(piece.title) + "\"\n";
        }
        if (!piece.performer.empty() && piece.performer != performer) {
            cue += "    PERFORMER \"" + OneLine(piece.performer) + "\"\n";
        }
        const auto frames = static_cast<long long>(
            std::llround(static_cast<double>(piece.start) * 75.0 / static_cast<double>(rate)));
        std::snprintf(line, sizeof line, "    INDEX 01 %02lld:%02lld:%02lld\n", frames / 75 / 60,
                      frames / 75 % 60, frames % 75);
        cue += line;
    }
    return cue;
}

} // namespace trimvox

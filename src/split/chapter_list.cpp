// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/chapter_list.h"

#include "split/time_text.h"

#include <vector>

namespace trimvox {

namespace {

struct Chapter {
    int line = 0;
    std::int64_t start = 0;
    std::string title;
};

// The title after the time, without a separator in front of it.
std::string_view TitleAfter(std::string_view rest) {
    rest = TrimSpace(rest);
    for (const std::string_view separator : {"-", "\xE2\x80\x93", "\xE2\x80\x94", "|", ":"}) {
        if (rest.starts_with(separator)) {
            return TrimSpace(rest.substr(separator.size()));
        }
    }
    return rest;
}

} // namespace

ImportResult ReadChapterList(std::string_view bytes, long rate, std::int64_t totalSamples) {
    ImportResult result;
    SegmentList& list = result.imported.list;
    std::string text;
    std::vector<std::string_view> lines;
    if (!StartImport(bytes, rate, totalSamples, result, text, lines)) {
        return result;
    }
    std::vector<Chapter> chapters;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        std::string_view line = TrimSpace(lines[i]);
        if (line.empty()) {
            continue;
        }
        std::string_view time;
        std::string_view rest;
        if (line.starts_with('[') || line.starts_with('(')) {
            const std::size_t close = line.find(line.front() == '[' ? ']' : ')');
            if (close == std::string_view::npos) {
                result.error = ListTextError{number, ListTextProblem::BadLine, "expected [h:]mm:ss Title"};
                return result;
            }
            time = line.substr(1, close - 1);
            rest = line.substr(close + 1);
        } else {
            const std::size_t space = line.find_first_of(" \t");
            time = line.substr(0, space);
            rest = space == std::string_view::npos ? std::string_view{} : line.substr(space);
        }
        const std::optional<double> seconds =
            time.find(':') == std::string_view::npos ? std::nullopt : ParseTime(time);
        if (!seconds) {
            result.error = ListTextError{number, ListTextProblem::BadLine,
                                         "expected [h:]mm:ss Title, not " + std::string(line)};
            return result;
        }
        const std::int64_t start = list.sampleAt(*seconds);
        if (!chapters.empty() && start <= chapters.back().start) {
            result.error = ListTextError{number, ListTextProblem::OutOfOrder, std::string(time)};
            return result;
        }
        if (start >= totalSamples) {
            result.error = ListTextError{number, ListTextProblem::BeyondEnd, std::string(time)};
            return result;
        }
        chapters.push_back(Chapter{number, start, std::string(TitleAfter(rest))});
    }
    if (chapters.empty()) {
        result.error = ListTextError{0, ListTextProblem::NoPieces, {}};
        return result;
    }
    for (std::size_t k = 0; k < chapters.size(); ++k) {
        const std::int64_t end = k + 1 < chapters.size() ? chapters[k + 1].start : totalSamples;
        list.add(Segment{chapters[k].start, end, std::move(chapters[k].title), {}});
    }
    return result;
}

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/list_text.h"

#include "split/text_encoding.h"

#include <utility>

namespace trimvox {

std::string Describe(const ListTextError& error) {
    std::string what;
    switch (error.problem) {
    case ListTextProblem::NotText:
        what = "the file is not text in UTF-8 or GB18030";
        break;
    case ListTextProblem::BadLine:
        what = "cannot read this line";
        break;
    case ListTextProblem::BadTime:
        what = "not a time";
        break;
    case ListTextProblem::OutOfOrder:
        what = "this piece starts before the one before it ends";
        break;
    case ListTextProblem::BeyondEnd:
        what = "this piece starts after the end of the audio";
        break;
    case ListTextProblem::SeveralFiles:
        what = "the cue sheet names more than one audio file";
        break;
    case ListTextProblem::NoPieces:
        what = "the file names no pieces";
        break;
    }
    if (!error.detail.empty()) {
        what += ": " + error.detail;
    }
    return error.line > 0 ? "line " + std::to_string(error.line) + ": " + what : what;
}

bool StartImport(std::string_view bytes, long rate, std::int64_t totalSamples, ImportResult& result,
                 std::string& text, std::vector<std::string_view>& lines) {
    result.imported.list = SegmentList(rate, totalSamples);
    int badLine = 0;
    std::optional<std::string> utf8 = TextToUtf8(bytes, &badLine);
    if (!utf8) {
        result.error = ListTextError{badLine, ListTextProblem::NotText, {}};
        return false;
    }
    text = std::move(*utf8);
    lines = SplitLines(text);
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(from));
            break;
        }
        lines.push_back(text.substr(from, end - from));
        from = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/label_file.h"

#include "split/time_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trimvox {

namespace {

struct Label {
    int line = 0;
    std::int64_t start = 0;
    std::int64_t end = -1; // -1: a point label
    std::string title;
};

// Seconds with decimals; a comma is read as the decimal point. Only plain numbers ("12", "12.5").
std::optional<double> LabelSeconds(std::string_view text) {
    std::string number(text);
    if (number.find('.') == std::string::npos) {
        std::replace(number.begin(), number.end(), ',', '.');
    }
    if (number.find(':') != std::string::npos) {
        return std::nullopt;
    }
    return ParseTime(number);
}

// Fields split at tabs, or at runs of spaces where the line has no tab (the label is the rest).
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.find('\t') != std::string_view::npos) {
        std::size_t from = 0;
        for (int k = 0; k < 2; ++k) {
            const std::size_t tab = line.find('\t', from);
            if (tab == std::string_view::npos) {
                break;
            }
            fields.push_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        fields.push_back(line.substr(from));
        return fields;
    }
    std::string_view rest = TrimSpace(line);
    for (int k = 0; k < 2 && !rest.empty(); ++k) {
        const std::size_t space = rest.find(' ');
        fields.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view{} : TrimSpace(rest.substr(space));
    }
    if (!rest.empty()) {
        fields.push_back(rest);
    }
    return fields;
}

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

ImportResult ReadLabelFile(std::string_view bytes, long rate, std::int64_t totalSamples) {
    ImportResult result;
    SegmentList& list = result.imported.list;
    std::string text;
    std::vector<std::string_view> lines;
    if (!StartImport(bytes, rate, totalSamples, result, text, lines)) {
        return result;
    }
    std::vector<Label> labels;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (TrimSpace(lines[i]).empty() || lines[i].starts_with('\\')) {
            continue;
        }
        const std::vector<std::string_view> fields = Fields(lines[i]);
        const std::optional<double> start = LabelSeconds(fields[0]);
        if (!start) {
            result.error = ListTextError{number, ListTextProblem::BadTime, std::string(fields[0])};
            return result;
        }
        Label label{number, list.sampleAt(*start), -1, {}};
        // A second field that is a number is the end; otherwise it starts the label of a point label.
        std::size_t titleField = 1;
        if (fields.size() > 1) {
            if (const std::optional<double> end = LabelSeconds(fields[1])) {
                label.end = list.sampleAt(*end);
                titleField = 2;
            } else if (fields.size() > 2 && lines[i].find('\t') != std::string_view::npos) {
                // "start<TAB>x<TAB>label" with x no time: a broken label, not a title.
                result.error = ListTextError{number, ListTextProblem::BadTime, std::string(fields[1])};
                return result;
            }
        }
        for (std::size_t f = titleField; f < fields.size(); ++f) {
            label.title += (f > titleField ? " " : "") + std::string(fields[f]);
        }
        label.title = std::string(TrimSpace(label.title));
        if (label.end >= 0 && label.end < label.start) {
            result.error = ListTextError{number, ListTextProblem::BadLine, "the end lies before the start"};
            return result;
        }
        if (label.start >= totalSamples) {
            result.error = ListTextError{number, ListTextProblem::BeyondEnd, std::string(fields[0])};
            return result;
        }
        if (!labels.empty() && label.start < labels.back().start) {
            result.error = ListTextError{number, ListTextProblem::OutOfOrder, std::string(fields[0])};
            return result;
        }
        labels.push_back(std::move(label));
    }
    if (labels.empty()) {
        result.error = ListTextError{0, ListTextProblem::NoPieces, {}};
        return result;
    }
    for (std::size_t k = 0; k < labels.size(); ++k) {
        Label& label = labels[k];
        std::int64_t end = label.end;
        if (end < 0 || end == label.start) {
            end = k + 1 < labels.size() ? labels[k + 1].start : totalSamples;
        }
        end = std::min(end, totalSamples);
        const ListRefusal refusal = list.add(Segment{label.start, end, std::move(label.title), {}});
        if (refusal != ListRefusal::None) {
            // Two labels at one time, or a region that reaches into the next label.
            result.error = ListTextError{label.line,
                                         refusal == ListRefusal::Overlap ? ListTextProblem::OutOfOrder
                                                                         : ListTextProblem::BadLine,
                                         Describe(refusal)};
            return result;
        }
    }
    return result;
}

std::string WriteLabelFile(const SegmentList& list) {
    std::string text;
    for (const Segment& piece : list.segments()) {
        text += FormatSeconds(piece.start, list.rate()) + '\t' + FormatSeconds(piece.end, list.rate()) +
                '\t' + OneLine(piece.title) + '\n';
    }
    return text;
}

} // namespace trimvox

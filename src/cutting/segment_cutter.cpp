// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/segment_cutter.h"

#include "cutting/cut_output.h"
#include "cutting/cut_source.h"
#include "cutting/precise_cutter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>

namespace trimvox {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

void RemoveOldOutput(const std::filesystem::path& output) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(output, error);
    if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
        std::filesystem::remove(output, error);
    }
}

CutResult Cut(const CutRequest& request) {
    CutResult result;
    if (!std::isfinite(request.duration) || request.duration <= 0.0) {
        result.error = CutError::BadDuration;
        return result;
    }
    CutSource source;
    if (!OpenCutSource(request, source, result)) {
        return result;
    }
    const CutRangeResult mapped =
        ComputeCutRange(request.startPos, request.endPos, request.duration, result.sourceLength);
    if (!mapped.range) {
        result.error =
            mapped.error == CutRangeError::BadDuration ? CutError::BadDuration : CutError::BadMarks;
        return result;
    }
    result.range = *mapped.range;
    if (result.range.offset >= result.sourceLength) {
        result.error = CutError::EmptySegment;
        return result;
    }

    const std::int64_t wanted = std::min(result.range.count, result.sourceLength - result.range.offset);
    const auto fill = [&](int target) -> std::string {
        const CopyOutcome copy =
            CopyByteRange(source.fd(), result.range.offset, wanted, target, request.method);
        result.written = copy.copied;
        if (copy.readError != 0) {
            result.error = CutError::SourceUnreadable;
            return Reason(copy.readError);
        }
        if (copy.writeError != 0) {
            return Reason(copy.writeError);
        }
        if (copy.copied < wanted) {
            result.error = CutError::SourceShrank;
            return "it ended after " + std::to_string(copy.copied) + " of the " + std::to_string(wanted) +
                   " bytes to copy";
        }
        return {};
    };
    WriteCutOutput(request, source.fd(), fill, result);
    return result;
}

} // namespace

CutResult CutSegment(const CutRequest& request) {
    CutResult result = request.mode == CutMode::Precise ? CutPrecisely(request) : Cut(request);
    if (!result.ok()) {
        result.written = 0;
        if (request.onFailure == OldOutput::Remove && result.error != CutError::SameFile) {
            RemoveOldOutput(request.output);
        }
    }
    return result;
}

} // namespace trimvox

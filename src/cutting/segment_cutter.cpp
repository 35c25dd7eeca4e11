// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/segment_cutter.h"

#include "cutting/byte_cut_header.h"
#include "cutting/cut_output.h"
#include "cutting/cut_source.h"
#include "cutting/precise_cutter.h"
#include "platform/fs/span_io.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>

namespace trimvox {

namespace {

// The bytes copied between two looks at whether the cut was called off.
constexpr std::int64_t kCopyPiece = std::int64_t{16} << 20;

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
        // In pieces, so that a cut that is called off stops soon.
        CopyOutcome copy;
        while (copy.copied < wanted && copy.readError == 0 && copy.writeError == 0) {
            if (CutCancelled(request)) {
                result.error = CutError::Cancelled;
                return "cancelled";
            }
            const std::int64_t piece = std::min(kCopyPiece, wanted - copy.copied);
            const CopyOutcome part =
                CopyByteRange(source.fd(), result.range.offset + copy.copied, piece, target, request.method);
            copy.copied += part.copied;
            copy.readError = part.readError;
            copy.writeError = part.writeError;
            if (part.copied < piece) {
                break; // the source ended early
            }
        }
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
        // A cut that carries the source's Xing/Info/VBRI header frame says its own length, not the source's.
        if (const auto header = CorrectedHeaderOfByteCut(source, result.range, copy.copied)) {
            if (const int error =
                    WriteSpan(target, header->bytes.data(), header->bytes.size(), header->outputOffset);
                error != 0) {
                return Reason(error);
            }
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/cut_range.h"
#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_range_copy.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

namespace trimvox {

// Why a cut wrote nothing.
enum class CutError {
    None,
    BadDuration,      // the duration is 0, negative, not a number or infinite
    BadMarks,         // the marks give a negative start, or the end lies before the start
    SourceUnreadable, // the source cannot be opened or read, or is not a regular file
    EmptySegment,     // the segment starts at or after the end of the source
    OutputUnwritable, // the output cannot be written or put in place
    NoAudioFrames,    // precise cut: no run of consistent MPEG audio frames in the source
    FreeFormat,       // precise cut: the source is a free-format stream (frames without a bit rate)
    MixedFormat,      // precise cut: the stream changes its version, layer or sample rate
    SameFile,         // the output is the source itself (the same device and inode), under any name
    SourceShrank,     // the source ended before the bytes its length promised: it changed while it was cut
    Cancelled,        // the one who asked for the cut called it off
};

// What a cut did.
struct CutResult {
    CutError error = CutError::None;
    std::string detail; // the system's reason for a file failure ("No such file or directory")
    std::int64_t sourceLength = 0;
    CutRange range;           // the bytes the marks ask for, before stopping at the source's end
    std::int64_t written = 0; // the bytes in the output
    // Precise cut: frames of the cut whose header was damaged (one bit of their version, layer or sample
    // rate, with the stream going on where the frame ends), and frames whose audio data lay before what the
    // cut holds; both are written as silent frames.
    std::int64_t damagedFrames = 0;
    std::int64_t silencedFrames = 0;

    bool ok() const { return error == CutError::None; }
};

// How the marks become the output.
enum class CutMode {
    Bytes,   // the bytes in proportion to the duration, copied unchanged (see ComputeCutRange)
    Precise, // whole frames at the nearest frame boundaries, with a fresh header and the tags
};

// What happens to an output file that was there before a cut that fails.
enum class OldOutput {
    Keep,   // left as it was
    Remove, // deleted, so nobody takes it for the result of this cut
};

struct CutRequest {
    std::filesystem::path source;
    double duration = 0; // the source's length in seconds
    double startPos = 0; // the marks, in seconds
    double endPos = 0;
    std::filesystem::path output;
    OldOutput onFailure = OldOutput::Keep;
    // A file the user named (links followed) or the program's own file in its data folder (see
    // ReplacePolicy).
    ReplacePolicy outputPolicy = ReplacePolicy::UserFile;
    // When set, an output that is the source itself under any name (the same device and inode: the same
    // path, a hard or a symbolic link) is refused; otherwise the segment replaces its source.
    bool refuseSourceAsOutput = false;
    CopyMethod method = CopyMethod::Fastest;
    CutMode mode = CutMode::Bytes;
    // When set, the cut looks at it as it goes (from another thread) and stops soon after it turns true, as
    // a failure (Cancelled) that leaves no output.
    const std::atomic<bool>* cancel = nullptr;
};

// Whether the request's cut was called off.
inline bool CutCancelled(const CutRequest& request) {
    return request.cancel != nullptr && request.cancel->load(std::memory_order_relaxed);
}

// Copies the bytes between the marks (see ComputeCutRange) from the source to the output, as raw bytes,
// in bounded memory. A segment that holds the source's Xing/Info/VBRI header frame whole gets that frame
// with its counts corrected for the segment (see CorrectedHeaderOfByteCut); every other byte is the
// source's. The segment stops at the end of the source: the output never holds a byte that is
// not in the source. The bytes go to a temporary file beside the output, which is renamed over the output
// when all of them are written; when anything fails, no output is created or changed by this cut, the
// temporary file is removed and the result says why. A copy that ends before the bytes that the source's
// length gave (the source shrank meanwhile) is a failure too. An output refused as the source itself is
// never removed. A precise cut is made by CutPrecisely.
CutResult CutSegment(const CutRequest& request);

} // namespace trimvox

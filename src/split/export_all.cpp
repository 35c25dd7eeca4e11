// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/export_all.h"

#include "cutting/precise_cutter.h"
#include "platform/fs/pending_temporary.h"
#include "platform/fs/same_file.h"
#include "split/piece_names.h"
#include "split/piece_tags.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace trimvox {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// A hidden name in the folder that nothing has: where a piece is cut and tagged before it gets its name.
fs::path WorkName(const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        const fs::path name = folder / (".trimvox-piece-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(counter++) + ".mp3");
        if (!Exists(name)) {
            return name;
        }
    }
}

// Gives the finished file its name: over whatever is there when replacing, else only where nothing is
// (a file that appeared since the check is kept). An empty text, or the reason.
std::string PutInPlace(const fs::path& work, const fs::path& target, bool replace) {
    if (replace) {
        return ::rename(work.c_str(), target.c_str()) == 0 ? std::string() : std::strerror(errno);
    }
    if (::renameat2(AT_FDCWD, work.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return std::strerror(errno);
    }
    // A file system without RENAME_NOREPLACE: a hard link fails on an existing name too.
    if (::link(work.c_str(), target.c_str()) == 0) {
        ::unlink(work.c_str());
        return {};
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
        return std::strerror(errno);
    }
    // Nor hard links (FAT, exFAT on older kernels): the name was free when the export began and is
    // looked at once more just before.
    if (Exists(target)) {
        return std::strerror(EEXIST);
    }
    return ::rename(work.c_str(), target.c_str()) == 0 ? std::string() : std::strerror(errno);
}

std::string DescribeCut(const CutResult& result) {
    switch (result.error) {
    case CutError::None:
        return {};
    case CutError::SourceUnreadable:
        return "cannot read the source: " + result.detail;
    case CutError::OutputUnwritable:
        return "cannot write the piece: " + result.detail;
    case CutError::NoAudioFrames:
        return "no MPEG audio frames in the source";
    case CutError::FreeFormat:
        return "the source is a free-format stream, which cannot be cut precisely";
    case CutError::MixedFormat:
        return "the source changes its sample rate or MPEG version: " + result.detail;
    case CutError::SourceShrank:
        return "the source changed while it was cut: " + result.detail;
    case CutError::SameFile:
        return "the piece would replace the source";
    case CutError::Cancelled:
        return "the cut was cancelled";
    case CutError::BadDuration:
    case CutError::BadMarks:
    case CutError::EmptySegment:
        return "the piece holds no audio of the source";
    }
    return "the cut failed";
}

ExportOutcome Failure(ExportError error, std::string detail, std::size_t piece = 0) {
    ExportOutcome outcome;
    outcome.error = error;
    outcome.detail = std::move(detail);
    outcome.failedPiece = piece;
    return outcome;
}

} // namespace

ExportOutcome ExportAll(const ExportRequest& request, const ExportProgressFn& progress) {
    const SegmentList& list = request.list;
    const std::string nameTemplate =
        request.nameTemplate.empty() ? DefaultNameTemplate(list) : request.nameTemplate;
    if (const std::optional<std::string> problem = TemplateProblem(nameTemplate)) {
        return Failure(ExportError::BadTemplate, "the name template '" + nameTemplate + "': " + *problem);
    }
    std::error_code error;
    if (!fs::is_directory(request.folder, error)) {
        return Failure(ExportError::FolderUnusable, Quoted(request.folder) + " is not a folder");
    }
    if (::access(request.folder.c_str(), W_OK | X_OK) != 0) {
        return Failure(ExportError::FolderUnusable,
                       "cannot write in " + Quoted(request.folder) + ": " + std::strerror(errno));
    }
    if (list.rate() <= 0) {
        return Failure(ExportError::CutFailed, "the list has no sample rate");
    }
    const int source = ::open(request.source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source < 0) {
        return Failure(ExportError::CutFailed,
                       "cannot read " + Quoted(request.source) + ": " + std::strerror(errno));
    }
    const std::vector<std::string> names = PieceFileNames(list, nameTemplate, request.source.stem().string());
    std::vector<fs::path> targets;
    std::optional<ExportOutcome> refusal;
    for (std::size_t i = 0; i < names.size() && !refusal; ++i) {
        targets.push_back(request.folder / names[i]);
        if (IsSameFile(source, targets.back())) {
            refusal = Failure(ExportError::TargetExists, Quoted(targets.back()) + " is the source itself", i);
        } else if (!request.replaceExisting && Exists(targets.back())) {
            refusal = Failure(ExportError::TargetExists, Quoted(targets.back()) + " exists", i);
        } else if (fs::is_directory(fs::symlink_status(targets.back(), error))) {
            refusal = Failure(ExportError::TargetExists, Quoted(targets.back()) + " is a folder", i);
        }
    }
    ::close(source);
    if (refusal) {
        return *refusal;
    }

    ExportOutcome outcome;
    const std::size_t total = list.size();
    const double rate = static_cast<double>(list.rate());
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && !progress(ExportProgress{i, total})) {
            outcome.error = ExportError::Cancelled;
            outcome.detail =
                "cancelled before piece " + std::to_string(i + 1) + " of " + std::to_string(total);
            outcome.failedPiece = i;
            return outcome;
        }
        const Segment& piece = list[i];
        const fs::path work = WorkName(request.folder);
        const PendingTemporary pending(work); // an interrupted export leaves no file behind

        CutRequest cut;
        cut.source = request.source;
        cut.duration = static_cast<double>(list.totalSamples()) / rate;
        // Sample k is time k / rate, which the cut rounds back to k.
        cut.startPos = static_cast<double>(piece.start) / rate;
        cut.endPos = static_cast<double>(piece.end) / rate;
        cut.output = work;
        cut.onFailure = OldOutput::Remove;
        cut.refuseSourceAsOutput = true;
        cut.mode = CutMode::Precise;
        const CutResult result = CutPrecisely(cut);
        const std::string where = "piece " + std::to_string(i + 1) + " (" + Quoted(targets[i]) + "): ";
        if (!result.ok()) {
            ::unlink(work.c_str());
            outcome.error = ExportError::CutFailed;
            outcome.detail = where + DescribeCut(result);
            outcome.failedPiece = i;
            return outcome;
        }
        const auto lengthMs =
            static_cast<std::int64_t>(std::llround(static_cast<double>(piece.length()) * 1000.0 / rate));
        const PieceTags tags{piece.title, i + 1, total, piece.performer, request.album, lengthMs};
        if (const std::string problem = TagPiece(work, tags); !problem.empty()) {
            ::unlink(work.c_str());
            outcome.error = ExportError::TagFailed;
            outcome.detail = where + problem;
            outcome.failedPiece = i;
            return outcome;
        }
        if (const std::string problem = PutInPlace(work, targets[i], request.replaceExisting);
            !problem.empty()) {
            ::unlink(work.c_str());
            const bool appeared = Exists(targets[i]) && !request.replaceExisting;
            outcome.error = appeared ? ExportError::TargetExists : ExportError::CutFailed;
            outcome.detail =
                where + (appeared ? "appeared meanwhile and was kept" : "cannot name it: " + problem);
            outcome.failedPiece = i;
            return outcome;
        }
        outcome.written.push_back(targets[i]);
    }
    return outcome;
}

} // namespace trimvox

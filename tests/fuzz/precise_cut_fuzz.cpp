// SPDX-License-Identifier: GPL-3.0-or-later
// The precise cut of any bytes between two marks: the input without its last four bytes is the source, which
// the cutter reads from an open file (a memory file here); those four bytes are the marks, each up to
// 2.2 s (in 1/30000 s). A cut either fails or leaves an output of the bytes it reports, with frames in it.
#include "cutting/precise_cutter.h"
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "mp3/mpeg_frame_reader.h"
#include "platform/fs/byte_file.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const double start = provider.ConsumeIntegral<std::uint16_t>() / 30000.0;
    const double length = provider.ConsumeIntegral<std::uint16_t>() / 30000.0;
    const std::vector<std::uint8_t> source = provider.ConsumeRemainingBytes<std::uint8_t>();
    fuzz::MemoryFile& file = fuzz::MemoryFile::Instance();
    file.Fill(source.data(), source.size());

    CutRequest request;
    request.source = file.path();
    request.duration = 1.0;
    request.startPos = start;
    request.endPos = start + length;
    request.output = fuzz::ScratchFolder() / "cut.mp3";
    request.onFailure = OldOutput::Remove;
    request.mode = CutMode::Precise;
    const CutResult result = CutPrecisely(request);
    if (!result.ok()) {
        return 0;
    }
    const std::optional<Bytes> output = ReadWholeFile(request.output);
    FUZZ_CHECK(output.has_value());
    FUZZ_CHECK(static_cast<std::int64_t>(output->size()) == result.written);
    // The output reads back as frames, unless it holds one frame alone, which libmpg123 takes for a stream
    // only where other bytes follow it to confirm it: where the source's stream is that one frame, or where a
    // cut of layers I and II starts in the stream's last frame (elsewhere such a cut takes two frames).
    const auto sourceReader =
        MpegFrameReader::OverMemory(source.data(), source.size(), MpegFrameReader::InfoFrame::Skip);
    std::int64_t frames = 0;
    MpegFrame last;
    while (const std::optional<MpegFrame> frame = sourceReader->Next()) {
        ++frames;
        last = *frame;
    }
    const bool oneFrame =
        frames == 1 || (result.range.offset == last.offset && result.range.count == last.size);
    const auto reader =
        MpegFrameReader::OverMemory(output->data(), output->size(), MpegFrameReader::InfoFrame::Keep);
    FUZZ_CHECK(reader != nullptr && (oneFrame || reader->Next().has_value()));
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The precise cut judged by what a gapless decoder (libmpg123) makes of it, against the decoded source.
#include "cutting/precise_cutter.h"

#include "platform/fs/byte_file.h"
#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

CutResult Cut(const fs::path& source, double start, double end, const fs::path& output) {
    CutRequest request;
    request.source = source;
    request.startPos = start;
    request.endPos = end;
    request.output = output;
    request.mode = CutMode::Precise;
    return CutSegment(request);
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Where the decoded `part` starts in the decoded `whole`: the offset within 2 samples of `expected` at
// which its first 10 ms match.
std::optional<long> Locate(const std::vector<short>& whole, const std::vector<short>& part, long expected,
                           long rate) {
    const long window = std::min<long>(rate / 100, static_cast<long>(part.size()));
    for (long offset = std::max(0L, expected - 2); offset <= expected + 2; ++offset) {
        if (offset + window > static_cast<long>(whole.size())) {
            break;
        }
        bool same = true;
        for (long i = 0; i < window && same; ++i) {
            same = std::abs(whole[static_cast<std::size_t>(offset + i)] -
                            part[static_cast<std::size_t>(i)]) <= 2;
        }
        if (same) {
            return offset;
        }
    }
    return std::nullopt;
}

// The samples of `part` that differ from `whole` from `offset` on.
long Mismatches(const std::vector<short>& whole, const std::vector<short>& part, long offset) {
    long count = 0;
    for (std::size_t i = 0;
         i < part.size() && offset + static_cast<long>(i) < static_cast<long>(whole.size()); ++i) {
        count += std::abs(whole[static_cast<std::size_t>(offset) + i] - part[i]) > 2 ? 1 : 0;
    }
    return count;
}

std::vector<test::Mp3SourceKind> SourceKinds() {
    return {
        {"CBR 128k", 44100, 2, "--cbr -b 128"},
        {"VBR -V2", 44100, 2, "-V2"},
        {"mono 96k", 44100, 1, "--cbr -b 96"},
        {"MPEG-2 22.05 kHz", 22050, 2, "--cbr -b 64"},
        {"MPEG-2.5 8 kHz mono VBR", 8000, 1, "-V5"},
        {"no LAME tag", 44100, 2, "--cbr -b 128 -t"},
        {"no LAME tag MPEG-2 mono VBR", 22050, 1, "-V4 -t"},
        {"CRC 160k", 44100, 2, "--cbr -b 160 -p"},
        {"CRC MPEG-2.5 stereo", 8000, 2, "--cbr -b 24 -p"},
    };
}

// Junk (no sync byte in it) between the ID3v2 tag and the first frame.
void InsertJunk(const fs::path& path) {
    Bytes bytes = *ReadWholeFile(path);
    const std::size_t tag = 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
    Bytes junk(1500);
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<std::uint8_t>((i * 37 + 11) % 251);
    }
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(tag), junk.begin(), junk.end());
    WriteFile(path, bytes);
}

class SampleExactCutTest : public testing::Test {
protected:
    test::TempDir dir;
};

// Every kind of source at marks at the start, inside, short and past the end: the cut decodes to the
// source's samples from the start mark to the end mark, within 2 samples at each end, all of them.
TEST_F(SampleExactCutTest, DecodesToTheMarkedSamplesOfEverySource) {
    constexpr double kSeconds = 20.0;
    const std::pair<double, double> marks[] = {
        {0, 4}, {0.004, 1.3}, {5.37, 9.91}, {10.5, 10.53}, {15.02, 99}};
    auto kinds = SourceKinds();
    kinds.push_back({"junk before the first frame", 44100, 2, "-V4"});
    for (const test::Mp3SourceKind& kind : kinds) {
        const fs::path source = dir.path() / "source.mp3";
        test::MakeTaggedMp3(source, kind, kSeconds);
        if (kind.name.rfind("junk", 0) == 0) {
            InsertJunk(source);
        }
        const test::GaplessDecode whole = test::DecodeGapless(source);
        ASSERT_EQ(whole.errors, 0) << kind.name;
        const long rate = kind.sampleRate;
        for (const auto& [start, end] : marks) {
            SCOPED_TRACE(kind.name + " " + std::to_string(start) + " to " + std::to_string(end));
            const fs::path cut = dir.path() / "cut.mp3";
            const CutResult result = Cut(source, start, end, cut);
            ASSERT_TRUE(result.ok()) << result.detail;
            EXPECT_EQ(result.damagedFrames + result.silencedFrames, 0);
            const test::GaplessDecode part = test::DecodeGapless(cut);
            EXPECT_EQ(part.errors, 0);
            const long first = std::lround(start * static_cast<double>(rate));
            const long last = std::min(std::lround(end * static_cast<double>(rate)),
                                       static_cast<long>(whole.samples.size()));
            EXPECT_NEAR(static_cast<double>(part.samples.size()), static_cast<double>(last - first), 2);
            const std::optional<long> at = Locate(whole.samples, part.samples, first, rate);
            ASSERT_TRUE(at) << "the first 10 ms are not the source's at the start mark";
            EXPECT_EQ(Mismatches(whole.samples, part.samples, *at), 0);
        }
    }
}

// GStreamer, which plays for Trimvox, plays the cut as libmpg123 does: as many samples, the same ones.
// (Its position therefore counts the same samples as the marks: no conversion is needed.)
TEST_F(SampleExactCutTest, GStreamerPlaysTheSameSamples) {
    if (std::system("command -v gst-launch-1.0 >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "gst-launch-1.0 is not installed";
    }
    const auto kinds = SourceKinds();
    for (const auto& kind : {kinds[0], kinds[3], kinds[5]}) {
        SCOPED_TRACE(kind.name);
        const fs::path source = dir.path() / "source.mp3", cut = dir.path() / "cut.mp3",
                       raw = dir.path() / "cut.raw";
        test::MakeTaggedMp3(source, kind, 6.0);
        ASSERT_TRUE(Cut(source, 1.234, 4.321, cut).ok());
        const std::string command = "gst-launch-1.0 -q filesrc location='" + cut.string() +
                                    "' ! decodebin ! audioconvert ! audio/x-raw,format=S16LE,channels=1 ! "
                                    "filesink location='" +
                                    raw.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const Bytes bytes = *ReadWholeFile(raw);
        const test::GaplessDecode decoded = test::DecodeGapless(cut);
        ASSERT_EQ(bytes.size() / 2, decoded.samples.size());
        long differ = 0;
        for (std::size_t i = 0; i < decoded.samples.size(); ++i) {
            const auto sample = static_cast<short>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            differ += std::abs(sample - decoded.samples[i]) > 2 ? 1 : 0;
        }
        EXPECT_EQ(differ, 0);
    }
}

// A source cut at three marks into four pieces: the pieces decode to the source, sample for sample, with
// no gap and no overlap at the joins.
TEST_F(SampleExactCutTest, PiecesTileTheSource) {
    const auto kinds = SourceKinds();
    for (const auto& kind : {kinds[1], kinds[3], kinds[5], kinds[7]}) {
        SCOPED_TRACE(kind.name);
        const fs::path source = dir.path() / "source.mp3";
        test::MakeTaggedMp3(source, kind, 12.0);
        const test::GaplessDecode whole = test::DecodeGapless(source);
        const double marks[] = {0, 3.3, 7.0001, 10, 1e6};
        std::vector<short> joined;
        for (int i = 0; i < 4; ++i) {
            const fs::path piece = dir.path() / ("piece" + std::to_string(i) + ".mp3");
            ASSERT_TRUE(Cut(source, marks[i], marks[i + 1], piece).ok());
            const test::GaplessDecode decoded = test::DecodeGapless(piece);
            joined.insert(joined.end(), decoded.samples.begin(), decoded.samples.end());
        }
        ASSERT_EQ(joined.size(), whole.samples.size());
        EXPECT_EQ(Mismatches(whole.samples, joined, 0), 0);
    }
}

// Marks that hold no audio, ends at and past the end, a source cut short in a frame, a damaged frame
// header and a real change of sample rate.
TEST_F(SampleExactCutTest, HandlesEdgesAndDamage) {
    const fs::path plain = dir.path() / "plain.mp3";
    test::MakeTaggedMp3(plain, SourceKinds()[0], 10.0);
    const Bytes plainBytes = *ReadWholeFile(plain);
    const long rate = 44100;
    const test::GaplessDecode plainAudio = test::DecodeGapless(plain);
    const auto seconds = static_cast<double>(plainAudio.samples.size()) / rate;

    const auto truncated = [&](const fs::path& path) {
        // Ends in the middle of a frame, after the ID3v1 tag is gone.
        WriteFile(path, Bytes(plainBytes.begin(), plainBytes.begin() + 100'000));
    };
    // The 200th frame's sample-rate bits say 48 kHz (and its length is then wrong).
    const auto damaged = [&](const fs::path& path) {
        Bytes bytes = plainBytes;
        auto at =
            10 + static_cast<std::size_t>((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
        for (int frame = 0; frame < 200; ++frame) { // from the Info frame on, each of 417 or 418 bytes
            at += static_cast<std::size_t>(144 * 128000 / 44100 + ((bytes[at + 2] >> 1) & 1));
        }
        EXPECT_EQ(bytes[at], 0xFF);
        bytes[at + 2] ^= 0x04;
        WriteFile(path, bytes);
    };
    // A source without a Xing frame (which would end the stream at its frame count) that goes on at 48 kHz.
    const auto changesRate = [&](const fs::path& path) {
        const auto audioOf = [&](const test::Mp3SourceKind& kind) {
            const fs::path made = dir.path() / "made.mp3";
            test::MakeTaggedMp3(made, kind, 4.0);
            Bytes bytes = *ReadWholeFile(made);
            const std::size_t tag = 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
            return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(tag), bytes.end() - 128);
        };
        Bytes bytes = audioOf({"44.1k", 44100, 2, "--cbr -b 128 -t"});
        const Bytes tail = audioOf({"48k", 48000, 2, "--cbr -b 128 -t"});
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        WriteFile(path, bytes);
    };
    const auto copy = [&](const fs::path& path) { WriteFile(path, plainBytes); };
    // The frames from the 100th on, as a byte cut leaves them: the first takes audio data from before it.
    const auto midStream = [&](const fs::path& path) {
        auto at = 10 + static_cast<std::size_t>((plainBytes[6] << 21) | (plainBytes[7] << 14) |
                                                (plainBytes[8] << 7) | plainBytes[9]);
        for (int frame = 0; frame < 100; ++frame) {
            at += static_cast<std::size_t>(144 * 128000 / 44100 + ((plainBytes[at + 2] >> 1) & 1));
        }
        WriteFile(path, Bytes(plainBytes.begin() + static_cast<std::ptrdiff_t>(at), plainBytes.end() - 128));
    };

    struct Row {
        std::string name;
        std::function<void(const fs::path&)> make;
        double start;
        double end;
        CutError error;
        long maxMismatches = 0;    // samples of the cut that may differ from the source's (a silenced frame)
        std::int64_t silenced = 0; // frames made silent as their audio data lies before the cut
    };
    const Row rows[] = {
        {"start at the end", copy, seconds, seconds + 1, CutError::EmptySegment},
        {"start past the end", copy, seconds + 0.5, seconds + 1, CutError::EmptySegment},
        {"start = end", copy, 4.0, 4.0, CutError::BadMarks},
        {"start = end after rounding", copy, 4.0, 4.0 + 0.2 / rate, CutError::BadMarks},
        {"end at the end", copy, 7.5, seconds, CutError::None},
        {"end past the end", copy, 7.5, seconds + 3, CutError::None},
        {"the last sample", copy, seconds - 1.0 / rate, seconds, CutError::None},
        {"cut short in a frame", truncated, 3.0, 99, CutError::None},
        {"start past a source cut short", truncated, 9.0, 99, CutError::EmptySegment},
        {"across a damaged header", damaged, 2.0, 8.0, CutError::None, 2 * 1152},
        {"after a damaged header", damaged, 6.0, 8.0, CutError::None},
        {"a real change of sample rate", changesRate, 2.0, 6.0, CutError::MixedFormat},
        {"a source that starts mid-stream", midStream, 0.0, 3.0, CutError::None, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path folder = dir.path() / "row";
        fs::remove_all(folder);
        fs::create_directories(folder / "out");
        const fs::path source = folder / "source.mp3", cut = folder / "out" / "cut.mp3";
        row.make(source);
        const CutResult result = Cut(source, row.start, row.end, cut);
        EXPECT_EQ(result.error, row.error) << result.detail;
        if (row.error != CutError::None) {
            EXPECT_TRUE(fs::is_empty(folder / "out"));
            continue;
        }
        EXPECT_EQ(result.damagedFrames, row.maxMismatches > 0 ? 1 : 0);
        EXPECT_EQ(result.silencedFrames, row.silenced);
        const test::GaplessDecode whole = test::DecodeGapless(source);
        const test::GaplessDecode part = test::DecodeGapless(cut);
        const long first = std::lround(row.start * rate);
        const long last = std::min(std::lround(row.end * rate), static_cast<long>(whole.samples.size()));
        EXPECT_EQ(static_cast<long>(part.samples.size()), last - first);
        EXPECT_EQ(part.errors, 0);
        // Against the undamaged source, of which a source cut short holds the beginning; a source that
        // starts mid-stream against itself (libmpg123 decodes its first frame as silence too).
        const auto& reference = row.silenced > 0 ? whole.samples : plainAudio.samples;
        EXPECT_LE(Mismatches(reference, part.samples, first), row.maxMismatches);
    }
}

} // namespace
} // namespace trimvox

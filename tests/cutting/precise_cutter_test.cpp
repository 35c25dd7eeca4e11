// SPDX-License-Identifier: GPL-3.0-or-later
// The precise cut on real MP3 files made by lame, checked against the source decoded by mpg123.
#include "cutting/precise_cutter.h"

#include "mp3/media_info.h"
#include "mp3/mpeg_frame_reader.h"
#include "mp3/seek_table.h"
#include "mp3/xing_frame.h"
#include "platform/fs/byte_file.h"
#include "support/mp3_fixture.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

CutResult CutFrames(const fs::path& source, double start, double end, const fs::path& output,
                    OldOutput onFailure = OldOutput::Keep) {
    CutRequest request;
    request.source = source;
    request.startPos = start;
    request.endPos = end;
    request.output = output;
    request.onFailure = onFailure;
    request.mode = CutMode::Precise;
    return CutSegment(request);
}

// Where `part` lies in `whole`: the offset at which a stretch of it, taken past the first frames (which
// a decoder fills from frames that are not in the part), matches, searched within `radius` samples of
// `expected`.
std::optional<long> Locate(const std::vector<short>& whole, const std::vector<short>& part, long expected,
                           long radius, long skip) {
    constexpr long kWindow = 1024;
    if (static_cast<long>(part.size()) < skip + kWindow) {
        skip = std::max(0L, static_cast<long>(part.size()) - kWindow);
    }
    for (long offset = std::max(0L, expected - radius); offset <= expected + radius; ++offset) {
        if (offset + skip + kWindow > static_cast<long>(whole.size())) {
            break;
        }
        bool same = true;
        for (long i = skip; i < skip + kWindow && same; ++i) {
            same = std::abs(whole[static_cast<std::size_t>(offset + i)] -
                            part[static_cast<std::size_t>(i)]) <= 1;
        }
        if (same) {
            return offset;
        }
    }
    return std::nullopt;
}

struct Frames {
    MpegStreamFormat format;
    std::vector<MpegFrame> frames;
};

Frames ReadFrames(const fs::path& path, MpegFrameReader::InfoFrame info = MpegFrameReader::InfoFrame::Skip) {
    Frames result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto reader = MpegFrameReader::OverFile(fd, static_cast<std::int64_t>(fs::file_size(path)), info);
    while (const auto frame = reader->Next()) {
        result.frames.push_back(*frame);
    }
    result.format = reader->format();
    ::close(fd);
    return result;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

std::uint32_t Big32(const Bytes& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

class PreciseCutTest : public testing::Test {
protected:
    test::TempDir dir;
};

// Every kind of source, cut at the start, in the middle, across the loudness change and to past the end:
// the cut plays the source's audio between the marks within one frame at each end, with no decoding
// error, and its header gives its true length.
TEST_F(PreciseCutTest, CutsEveryKindOfSourceWhereMarked) {
    constexpr double kSeconds = 24.0;
    const std::pair<double, double> marks[] = {
        {0, 4}, {5.37, 9.91}, {10.5, 13.5}, {15.02, 21.6}, {20.2, 999}};
    for (const test::Mp3SourceKind& kind : test::TaggedSourceKinds()) {
        const fs::path source = dir.path() / (kind.name + ".mp3");
        test::MakeTaggedMp3(source, kind, kSeconds);
        const test::DecodedAudio whole = test::DecodeWithMpg123(source);
        const Frames sourceFrames = ReadFrames(source);
        const long spf = sourceFrames.format.samplesPerFrame;
        const double rate = kind.sampleRate;
        ASSERT_EQ(sourceFrames.format.sampleRate, kind.sampleRate) << kind.name;
        for (const auto& [start, end] : marks) {
            SCOPED_TRACE(kind.name + " " + std::to_string(start) + "-" + std::to_string(end));
            const fs::path cut = dir.path() / "cut.mp3";
            const CutResult result = CutFrames(source, start, end, cut);
            ASSERT_TRUE(result.ok()) << result.detail;
            const test::DecodedAudio part = test::DecodeWithMpg123(cut);
            EXPECT_EQ(part.messages, "");
            const auto expectedStart = std::lround(start * rate);
            const long expectedEnd =
                std::min(std::lround(end * rate), static_cast<long>(whole.samples.size()));
            const std::optional<long> at =
                Locate(whole.samples, part.samples, expectedStart, 3 * spf, 8 * spf);
            ASSERT_TRUE(at) << "the cut's audio is not the source's near the start mark";
            EXPECT_LE(std::labs(*at - expectedStart), spf);
            EXPECT_LE(std::labs(*at + static_cast<long>(part.samples.size()) - expectedEnd), spf);
            // The length players show: what the header says (frames less the delay and padding, as ffmpeg
            // and GStreamer read it), and what TagLib reads (frames only, as for the source itself, so it is
            // longer by the delay and padding).
            const Frames cutFrames = ReadFrames(cut);
            const auto decoded = static_cast<double>(part.samples.size());
            const auto frames = static_cast<double>(cutFrames.frames.size() * spf);
            const double delay = cutFrames.format.encoderDelay, padding = cutFrames.format.encoderPadding;
            EXPECT_NEAR(frames - delay - padding, decoded, spf);
            EXPECT_NEAR(ReadMediaInfo(cut).durationSeconds * rate, decoded, spf + delay + padding);
        }
    }
}

// The cut keeps the source's tags byte for byte and the chosen frames unchanged, behind a fresh header
// frame that counts them; a cut of everything has the source's frames, delay and padding.
TEST_F(PreciseCutTest, KeepsTheTagsAndWritesAFreshHeader) {
    const auto kinds = test::TaggedSourceKinds();
    for (const auto& kind : {kinds[0], kinds[1], kinds[4]}) {
        SCOPED_TRACE(kind.name);
        const fs::path source = dir.path() / "source.mp3", cut = dir.path() / "cut.mp3";
        test::MakeTaggedMp3(source, kind, 12.0);
        const Bytes whole = *ReadWholeFile(source);
        const std::size_t tagLength = 10 + ((whole[6] << 21) | (whole[7] << 14) | (whole[8] << 7) | whole[9]);
        const Frames sourceFrames = ReadFrames(source);
        const auto lame = ReadLameExtension(whole.data() + tagLength, whole.size() - tagLength);
        ASSERT_TRUE(lame);

        for (const auto& [start, end] : {std::pair{3.1, 7.7}, std::pair{0.0, 99.0}}) {
            ASSERT_TRUE(CutFrames(source, start, end, cut).ok());
            const Bytes bytes = *ReadWholeFile(cut);
            ASSERT_GT(bytes.size(), tagLength + 128);
            EXPECT_EQ(Slice(bytes, 0, tagLength), Slice(whole, 0, tagLength)) << "ID3v2 with the cover";
            EXPECT_EQ(Slice(bytes, bytes.size() - 128, 128), Slice(whole, whole.size() - 128, 128))
                << "ID3v1";

            const Frames all = ReadFrames(cut, MpegFrameReader::InfoFrame::Keep);
            const Frames audio = ReadFrames(cut);
            ASSERT_EQ(all.frames.size(), audio.frames.size() + 1);
            const MpegFrame header = all.frames.front();
            EXPECT_EQ(header.offset, static_cast<std::int64_t>(tagLength));
            const Bytes frame = Slice(bytes, tagLength, static_cast<std::size_t>(header.size));
            const std::size_t xing = 4 + (kind.sampleRate == 22050 ? 17 : 32);
            EXPECT_EQ(std::string(frame.begin() + xing, frame.begin() + xing + 4),
                      kind.name == "VBR -V2" ? "Xing" : "Info");
            EXPECT_EQ(Big32(frame, xing + 8), audio.frames.size()) << "frame count";
            EXPECT_EQ(Big32(frame, xing + 12), bytes.size() - tagLength - 128) << "byte count";
            const Bytes toc = Slice(frame, xing + 16, 100);
            EXPECT_EQ(toc[0], 0);
            EXPECT_TRUE(std::is_sorted(toc.begin(), toc.end()));
            EXPECT_GT(toc[99], 240);
            const auto cutLame = ReadLameExtension(frame.data(), frame.size());
            ASSERT_TRUE(cutLame);
            EXPECT_EQ(Slice(Bytes(cutLame->bytes.begin(), cutLame->bytes.end()), 0, 9),
                      Slice(Bytes(lame->bytes.begin(), lame->bytes.end()), 0, 9));

            // The frames after the header (and after the silent frame that carries the audio data the next
            // frames take from before the cut) are a run of the source's frames, byte for byte.
            const auto& first = audio.frames[start == 0.0 ? 0 : 1];
            const auto& last = audio.frames.back();
            const std::size_t audioBytes = static_cast<std::size_t>(last.offset + last.size - first.offset);
            const auto inSource =
                std::find_if(sourceFrames.frames.begin(), sourceFrames.frames.end(), [&](const MpegFrame& f) {
                    return std::equal(bytes.begin() + first.offset, bytes.begin() + first.offset + audioBytes,
                                      whole.begin() + f.offset,
                                      whole.begin() + f.offset +
                                          std::min<std::int64_t>(audioBytes, whole.size() - f.offset));
                });
            ASSERT_NE(inSource, sourceFrames.frames.end());
            if (start == 0.0) {
                EXPECT_EQ(audio.frames.size(), sourceFrames.frames.size());
                EXPECT_EQ(audio.format.encoderDelay, sourceFrames.format.encoderDelay);
                EXPECT_EQ(audio.format.encoderPadding, sourceFrames.format.encoderPadding);
            } else {
                // The silent frame, the frames that prime the decoder and the samples of the start frame
                // before the mark; at the end what the last frame holds past the mark, and the decoder's
                // delay.
                const int spf = audio.format.samplesPerFrame;
                const int priming = audio.format.version == 10 ? 1 : 2;
                EXPECT_GE(audio.format.encoderDelay, (1 + priming) * spf - 529);
                EXPECT_LT(audio.format.encoderDelay, (2 + priming) * spf - 529);
                EXPECT_GE(audio.format.encoderPadding, 529);
                EXPECT_LT(audio.format.encoderPadding, spf + 529);
            }
        }
    }
}

// An ID3v2.4 tag with a footer before the audio, and APE, Lyrics3 and ID3v1 tags after it: the ID3v2 and
// ID3v1 tags are copied whole, the others left out, and no byte of any tag is taken for a frame.
TEST_F(PreciseCutTest, FindsTheFramesBetweenTagsOfEveryKind) {
    const fs::path plain = dir.path() / "plain.mp3", source = dir.path() / "tagged.mp3",
                   cut = dir.path() / "cut.mp3";
    test::Mp3Options options;
    options.seconds = 4.0;
    test::MakeMp3(plain, options);
    const Bytes audio = *ReadWholeFile(plain);
    using namespace std::string_literals;
    const std::string frame = "TIT2\0\0\0\x07\0\0\x03Song\xFF\xFB"s; // a sync word in the text
    std::string id3v2 = "ID3\x04\0\x10\0\0\0"s + static_cast<char>(frame.size()) + frame;
    id3v2 += "3DI\x04\0\x10\0\0\0"s + static_cast<char>(frame.size());
    const std::string item = "\x0A\0\0\0\0\0\0\0Lyrics\0la \xFF\xFB\x90\x64la"s;
    const auto apeHeader = [&](char flags) {
        return "APETAGEX\xD0\x07\0\0"s + static_cast<char>(item.size() + 32) + "\0\0\0\x01\0\0\0\0\0\0"s +
               flags + std::string(8, '\0');
    };
    const std::string ape = apeHeader('\xA0') + item + apeHeader('\x80');
    // A whole false frame fits in the lyrics: libmpg123 finds it, the cut leaves it out.
    const std::string lyrics =
        "LYRICSBEGININD0000210LYR00612[00:01]\xFF\xFB\x90\x64"s + std::string(600, 'l') + "000645LYRICS200";
    const std::string id3v1 = "TAG" + std::string(125, 'v');
    {
        std::ofstream out(source, std::ios::binary);
        out << id3v2;
        out.write(reinterpret_cast<const char*>(audio.data()), static_cast<std::streamsize>(audio.size()));
        out << ape << lyrics << id3v1;
    }
    const std::size_t plainFrames = ReadFrames(plain).frames.size();

    for (const auto& [start, end] : {std::pair{0.0, 99.0}, std::pair{1.0, 2.0}, std::pair{3.0, 99.0}}) {
        const CutResult result = CutFrames(source, start, end, cut);
        ASSERT_TRUE(result.ok()) << static_cast<int>(result.error) << " " << result.detail;
        const Bytes bytes = *ReadWholeFile(cut);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(id3v2.size())),
                  id3v2);
        EXPECT_EQ(std::string(bytes.end() - 128, bytes.end()), id3v1);
        const Frames cutFrames = ReadFrames(cut);
        const auto& last = cutFrames.frames.back();
        EXPECT_EQ(last.offset + last.size, static_cast<std::int64_t>(bytes.size()) - 128)
            << "nothing but frames";
        if (start == 0.0) {
            EXPECT_EQ(cutFrames.frames.size(), plainFrames);
        }
    }
}

// The table of contents of a long cut, kept in bounded memory, matches one made from every frame.
TEST(SeekTable, MatchesTheExactTableForLongCuts) {
    for (const std::int64_t frames : {1, 7, 100, 4097, 150'000}) {
        SeekTableBuilder table;
        std::vector<std::int64_t> before;
        std::int64_t bytes = 0;
        for (std::int64_t i = 0; i < frames; ++i) {
            const std::int64_t size = 200 + (i * 7919) % 1200 + (i > frames / 2 ? 500 : 0);
            before.push_back(bytes);
            bytes += size;
            table.AddFrame(size);
        }
        EXPECT_EQ(table.frames(), frames);
        EXPECT_EQ(table.bytes(), bytes);
        const auto toc = table.Build();
        for (std::size_t i = 0; i < 100; ++i) {
            const auto exact = static_cast<int>(
                before[static_cast<std::size_t>(frames * static_cast<std::int64_t>(i) / 100)] * 256 / bytes);
            EXPECT_NEAR(toc[i], exact, 1) << frames << " frames, entry " << i;
        }
    }
}

// Sources without an MPEG audio stream, and free-format streams, are refused: the old output stays as
// it was (or is removed, for the preview) and no other file appears.
TEST_F(PreciseCutTest, RefusesSourcesWithoutAStreamAndWritesNothing) {
    const fs::path sources = dir.path() / "sources";
    fs::create_directories(sources);
    const auto write = [&](const char* name, const std::string& text) {
        std::ofstream(sources / name, std::ios::binary) << text;
        return sources / name;
    };
    std::string noise(200'000, '\0');
    std::uint32_t seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    const fs::path wav = sources / "noise.wav";
    ASSERT_EQ(
        std::system(("sox -q -R -n -r 44100 -c 2 -b 16 '" + wav.string() + "' synth 3 pinknoise").c_str()),
        0);
    const fs::path freeFormat = sources / "free.mp3";
    ASSERT_EQ(std::system(("sox -q -R -n -r 44100 -c 2 -b 16 '" + wav.string() +
                           ".2.wav' synth 3 pinknoise && lame --quiet --freeformat -b 400 '" + wav.string() +
                           ".2.wav' '" + freeFormat.string() + "'")
                              .c_str()),
              0);
    struct Case {
        fs::path source;
        CutError expected;
    };
    const Case cases[] = {
        {write("empty.mp3", ""), CutError::NoAudioFrames},
        {write("text.mp3", std::string(5000, 'x') + "\nlyrics [00:01.00] hello\n"), CutError::NoAudioFrames},
        {write("ff.mp3", std::string(5000, '\xFF')), CutError::NoAudioFrames},
        {write("random.mp3", noise), CutError::NoAudioFrames},
        {wav, CutError::NoAudioFrames},
        {freeFormat, CutError::FreeFormat},
        {sources / "missing.mp3", CutError::SourceUnreadable},
        {sources, CutError::SourceUnreadable},
    };
    const fs::path outputs = dir.path() / "out";
    fs::create_directories(outputs);
    const fs::path output = outputs / "cut.mp3";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.filename().string());
        std::ofstream(output) << "old";
        const CutResult kept = CutFrames(c.source, 0.5, 2.0, output, OldOutput::Keep);
        EXPECT_EQ(kept.error, c.expected);
        EXPECT_EQ(kept.written, 0);
        EXPECT_EQ(ReadWholeFile(output), (Bytes{'o', 'l', 'd'}));
        EXPECT_EQ(CutFrames(c.source, 0.5, 2.0, output, OldOutput::Remove).error, c.expected);
        EXPECT_TRUE(fs::is_empty(outputs));
    }
    // Marks that give no frames.
    const fs::path song = sources / "song.mp3";
    test::Mp3Options shortSong;
    shortSong.seconds = 2.0;
    test::MakeMp3(song, shortSong);
    EXPECT_EQ(CutFrames(song, 5.0, 6.0, output).error, CutError::EmptySegment);
    EXPECT_EQ(CutFrames(song, 1.0, 0.5, output).error, CutError::BadMarks);
    EXPECT_EQ(CutFrames(song, -1.0, 0.5, output).error, CutError::BadMarks);
    EXPECT_EQ(CutFrames(song, 0.0, NAN, output).error, CutError::BadMarks);
    EXPECT_TRUE(fs::is_empty(outputs));
}

// GStreamer-based players take every cut for MPEG audio, wherever it starts (raw byte cuts now and then
// begin with bytes that GStreamer takes for a lyrics file).
TEST_F(PreciseCutTest, GStreamerTakesEveryCutForMpegAudio) {
    if (std::system("command -v gst-typefind-1.0 >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "gst-typefind-1.0 is not installed";
    }
    const fs::path source = dir.path() / "plain.mp3";
    test::Mp3Options plain;
    plain.seconds = 62.0;
    plain.bitrateKbps = 192;
    test::MakeMp3(source, plain);
    std::string command = "cd '" + dir.path().string() + "' && gst-typefind-1.0";
    constexpr int kCuts = 400;
    for (int i = 0; i < kCuts; ++i) {
        const double start = i * 0.1503;
        const std::string name = "cut" + std::to_string(i) + ".mp3";
        ASSERT_TRUE(CutFrames(source, start, start + 1.7, dir.path() / name).ok()) << start;
        command += " " + name;
    }
    command += " > types.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream types(dir.path() / "types.txt");
    int mpeg = 0;
    for (std::string line; std::getline(types, line);) {
        EXPECT_NE(line.find(" - audio/mpeg"), std::string::npos) << line;
        mpeg += line.find(" - audio/mpeg") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(mpeg, kCuts);
}

// A cut of layers I and II shorter than a frame still holds two frames: one frame alone is no stream to
// libmpg123 or FFmpeg (found by the precise_cut fuzz target). Sources of silent frames built here (a frame
// whose body is all zeros allocates no bits: silence).
TEST_F(PreciseCutTest, LayersOneAndTwoKeepTwoFramesAtLeast) {
    struct Kind {
        const char* name;
        std::uint32_t header; // MPEG-1, 44.1 kHz, no CRC
        std::size_t length;
        double frameSeconds;
    };
    const Kind kinds[] = {{"layer1", 0xFFFF8004u, 276, 384 / 44100.0},
                          {"layer2", 0xFFFD8004u, 417, 1152 / 44100.0}};
    struct Marks {
        double start;
        double end;
        std::int64_t firstFrame; // of the source, in the cut
    };
    for (const Kind& kind : kinds) {
        // In the first frame, in the middle, in the last of 50 frames.
        const double last = 49.1 * kind.frameSeconds;
        const Marks marks[] = {{0.0, 0.001, 0}, {0.2, 0.2005, -1}, {last, last + 0.001, 48}};
        Bytes frame(kind.length, 0);
        for (int i = 0; i < 4; ++i) {
            frame[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(kind.header >> (24 - 8 * i));
        }
        Bytes bytes;
        for (int i = 0; i < 50; ++i) {
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
        const fs::path source = dir.path() / (std::string(kind.name) + ".mp3");
        std::ofstream(source, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        for (const Marks& m : marks) {
            SCOPED_TRACE(std::string(kind.name) + " at " + std::to_string(m.start));
            const fs::path output = dir.path() / "cut.mp3";
            const CutResult result = CutFrames(source, m.start, m.end, output);
            ASSERT_TRUE(result.ok());
            EXPECT_EQ(result.written, static_cast<std::int64_t>(2 * kind.length));
            if (m.firstFrame >= 0) {
                EXPECT_EQ(result.range.offset, m.firstFrame * static_cast<std::int64_t>(kind.length));
            }
            EXPECT_EQ(ReadFrames(output).frames.size(), 2u);
            EXPECT_TRUE(ReadMediaInfo(output).playable);
        }
    }
}

} // namespace
} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_player.h"

#include "controls/player/player_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <fstream>
#include <functional>
#include <iterator>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::MakeTone;
using test::Pump;
using test::Q;
using test::WaitFor;

constexpr int kStopped = 1, kPaused = 2, kPlaying = 3;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// How many of this process's open file descriptors lead to `path` (Linux only; -1 elsewhere).
int OpenHandles(const fs::path& path) {
#ifdef __linux__
    int count = 0;
    const QString target = QFileInfo(Q(path)).canonicalFilePath();
    for (const QFileInfo& fd :
         QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files)) {
        if (!target.isEmpty() && fd.symLinkTarget() == target) {
            ++count;
        }
    }
    return count;
#else
    (void)path;
    return -1;
#endif
}

class MediaPlayerTest : public ::testing::Test {
protected:
    bool startPlaying(MediaPlayer& player, const fs::path& path) {
        player.setURL(Q(path));
        return WaitFor(
            [&] { return player.playState() == kPlaying && player.controls().currentPosition() > 0.0; });
    }

    test::TempDir dir;
    MediaPlayer player;
};

TEST_F(MediaPlayerTest, OpensAndPlaysInRealTime) {
    const fs::path path = MakeTone(dir.path(), "song.mp3", 3.0, "Tagged 标题");
    ASSERT_TRUE(startPlaying(player, path));
    const double start = player.controls().currentPosition();
    Pump(500);
    EXPECT_NEAR(player.controls().currentPosition() - start, 0.5, 0.15);
    EXPECT_EQ(player.playState(), kPlaying);
}

// Title, type, path and length are there as soon as the URL is written, for every kind of playable file.
struct MediaCase {
    const char* name;
    std::function<fs::path(const fs::path&)> make;
    double seconds;
    const char* title;
};

class MediaInfoCaseTest : public MediaPlayerTest, public ::testing::WithParamInterface<MediaCase> {};

TEST_P(MediaInfoCaseTest, KnowsTheMediaAtOnceAndPlaysIt) {
    const fs::path path = GetParam().make(dir.path());
    player.setURL(Q(path));
    const MediaItem& media = player.currentMedia();
    EXPECT_NEAR(media.duration(), GetParam().seconds, 0.08);
    EXPECT_EQ(media.getItemInfo("Title"), QString::fromUtf8(GetParam().title));
    EXPECT_EQ(media.getItemInfo("FileType"), "mp3");
    EXPECT_EQ(media.getItemInfo("sourceURL"), Q(path));
    EXPECT_EQ(player.URL(), Q(path));
    ASSERT_TRUE(WaitFor([&] { return player.controls().currentPosition() > 0.2; }));
    EXPECT_EQ(player.playState(), kPlaying);
}

fs::path RawCut(const fs::path& folder) {
    const std::string bytes = ReadBytes(MakeTone(folder, "whole.mp3", 3.0, "Whole"));
    // One second from the middle, starting inside a frame: no tag, no header.
    WriteBytes(folder / "tcut.mp3", bytes.substr(bytes.size() / 3 + 5, 16000));
    return folder / "tcut.mp3";
}

INSTANTIATE_TEST_SUITE_P(
    Files, MediaInfoCaseTest,
    ::testing::Values(
        MediaCase{"TaggedCbr", [](auto& f) { return MakeTone(f, "a.mp3", 2.0, "Tagged 标题"); }, 2.0,
                  "Tagged 标题"},
        MediaCase{"Untagged", [](auto& f) { return MakeTone(f, "无题 song.mp3", 1.5); }, 1.5, "无题 song"},
        MediaCase{"NoInfoHeader", [](auto& f) { return MakeTone(f, "plain.mp3", 1.5, {}, false); }, 1.5,
                  "plain"},
        MediaCase{"RawByteCut", RawCut, 1.0, "tcut"}),
    [](const auto& info) { return std::string(info.param.name); });

// A raw cut may begin with the tail of a frame that holds a false frame header; the backend then took the
// stream for another kind and stopped at once, or reported "loading" while it played. These offsets
// showed it with this tone: each cut plays through and says it plays.
TEST_F(MediaPlayerTest, RawCutsFromAnyOffsetPlayThrough) {
    const std::string bytes = ReadBytes(MakeTone(dir.path(), "whole.mp3", 4.0, "Whole"));
    for (const std::size_t offset : {16357u, 16405u, 16842u, 17256u}) {
        const fs::path cut = dir.path() / ("cut" + std::to_string(offset) + ".mp3");
        WriteBytes(cut, bytes.substr(offset, 24000));
        player.setURL(Q(cut));
        ASSERT_TRUE(WaitFor([&] { return player.controls().currentPosition() > 0.3; })) << offset;
        EXPECT_EQ(player.playState(), kPlaying) << offset;
        EXPECT_TRUE(WaitFor([&] { return player.controls().currentPosition() > 1.0; })) << offset;
    }
}

TEST_F(MediaPlayerTest, PauseHoldsThePositionAndPlayGoesOn) {
    ASSERT_TRUE(startPlaying(player, MakeTone(dir.path(), "song.mp3", 3.0)));
    Pump(200);
    player.controls().pause();
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPaused; }));
    const double held = player.controls().currentPosition();
    EXPECT_GT(held, 0.1);
    Pump(400);
    EXPECT_NEAR(player.controls().currentPosition(), held, 0.01);
    player.controls().play();
    ASSERT_TRUE(WaitFor([&] { return player.controls().currentPosition() > held + 0.2; }));
    EXPECT_EQ(player.playState(), kPlaying);
}

TEST_F(MediaPlayerTest, StopGoesBackToTheStart) {
    ASSERT_TRUE(startPlaying(player, MakeTone(dir.path(), "song.mp3", 3.0)));
    Pump(400);
    player.controls().stop();
    EXPECT_EQ(player.playState(), kStopped);
    EXPECT_EQ(player.controls().currentPosition(), 0.0);
    player.controls().pause(); // pausing a stopped player does nothing
    EXPECT_EQ(player.playState(), kStopped);
    player.controls().play();
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    Pump(200);
    EXPECT_LT(player.controls().currentPosition(), 0.4);
}

TEST_F(MediaPlayerTest, PlaysOnceToTheEndThenStops) {
    ASSERT_TRUE(startPlaying(player, MakeTone(dir.path(), "short.mp3", 0.6)));
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kStopped; }, 2000));
    EXPECT_EQ(player.controls().currentPosition(), 0.0);
    player.controls().play(); // plays again from the start
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    EXPECT_LT(player.controls().currentPosition(), 0.3);
}

// Seeking in every state: the position reads the target at once and playback goes on from there.
struct SeekCase {
    const char* name;
    std::function<void(MediaPlayer&)> before; // brings the player into the state to seek in
    double target;
    double expected;
    int stateAfter;
};

class SeekTest : public MediaPlayerTest, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekTest, SeeksTo) {
    const SeekCase& c = GetParam();
    player.setURL(Q(MakeTone(dir.path(), "song.mp3", 3.0)));
    c.before(player);
    player.controls().setCurrentPosition(c.target);
    EXPECT_NEAR(player.controls().currentPosition(), c.expected, 0.03);
    ASSERT_TRUE(WaitFor([&] { return player.playState() == c.stateAfter; }));
    Pump(300);
    const double moved = c.stateAfter == kPlaying ? 0.3 : 0.0;
    EXPECT_NEAR(player.controls().currentPosition(), c.expected + moved, 0.12);
}

void WaitPlaying(MediaPlayer& player) {
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
}

INSTANTIATE_TEST_SUITE_P(States, SeekTest,
                         ::testing::Values(SeekCase{"WhileOpening", [](MediaPlayer&) {}, 1.5, 1.5, kPlaying},
                                           SeekCase{"WhilePlaying", WaitPlaying, 2.0, 2.0, kPlaying},
                                           SeekCase{"Backwards",
                                                    [](MediaPlayer& p) {
                                                        WaitPlaying(p), p.controls().setCurrentPosition(2.0);
                                                    },
                                                    0.5, 0.5, kPlaying},
                                           SeekCase{"WhilePaused",
                                                    [](MediaPlayer& p) {
                                                        WaitPlaying(p);
                                                        p.controls().pause();
                                                    },
                                                    1.0, 1.0, kPaused},
                                           SeekCase{"BeforeTheStart", WaitPlaying, -4.0, 0.0, kPlaying},
                                           SeekCase{"NotANumber", WaitPlaying, std::nan(""), 0.0, kPlaying}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MediaPlayerTest, SeekWhileStoppedPlaysFromThere) {
    player.setURL(Q(MakeTone(dir.path(), "song.mp3", 3.0)));
    WaitPlaying(player);
    player.controls().stop();
    player.controls().setCurrentPosition(2.0);
    player.controls().play();
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    Pump(200);
    EXPECT_NEAR(player.controls().currentPosition(), 2.2, 0.12);
}

TEST_F(MediaPlayerTest, EmptyUrlReleasesTheFileForRewriting) {
    const fs::path path = MakeTone(dir.path(), "tcut.mp3", 3.0);
    ASSERT_TRUE(startPlaying(player, path));
#ifdef __linux__
    EXPECT_GE(OpenHandles(path), 1);
#endif
    player.setURL("");
    EXPECT_EQ(OpenHandles(path) > 0, false);
    EXPECT_EQ(player.playState(), 0);
    EXPECT_EQ(player.URL(), "");
    EXPECT_EQ(player.currentMedia().duration(), 0.0);
    EXPECT_EQ(player.currentMedia().getItemInfo("sourceURL"), "");
    player.controls().play(); // nothing to play
    Pump(100);
    EXPECT_EQ(player.playState(), 0);

    ASSERT_TRUE(fs::remove(path));
    MakeTone(dir.path(), "tcut.mp3", 0.5);
    player.setURL(Q(path));
    EXPECT_NEAR(player.currentMedia().duration(), 0.5, 0.08);
    // The new, short content plays and ends; the old file would still be playing.
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kStopped; }, 1500));
}

TEST_F(MediaPlayerTest, WritingTheSameUrlAgainPlaysTheNewContent) {
    const fs::path path = MakeTone(dir.path(), "tcut.mp3", 3.0);
    ASSERT_TRUE(startPlaying(player, path));
    const fs::path other = MakeTone(dir.path(), "other.mp3", 0.5);
    fs::rename(other, path);
    player.setURL(Q(path));
    EXPECT_NEAR(player.currentMedia().duration(), 0.5, 0.08);
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kStopped; }, 1500));
}

// The preview window's retry loop: close, stop, rewrite the file and open it again, many times in a row.
TEST_F(MediaPlayerTest, ReopeningInQuickSuccessionEndsWithTheLastFile) {
    const fs::path path = dir.path() / "tcut.mp3";
    const fs::path source = MakeTone(dir.path(), "source.mp3", 0.5);
    for (int i = 0; i < 15; ++i) {
        player.setURL("");
        player.controls().stop();
        fs::copy_file(source, path, fs::copy_options::overwrite_existing);
        player.setURL(Q(path));
        player.controls().play();
        Pump(i % 3 * 15);
    }
    ASSERT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kStopped; }, 1500));
}

TEST_F(MediaPlayerTest, WithoutAutoStartOpensStopped) {
    player.setAutoStart(false);
    const fs::path path = MakeTone(dir.path(), "song.mp3", 1.0);
    player.setURL(QUrl::fromLocalFile(Q(path)).toString()); // a file: URL works as well as a path
    EXPECT_EQ(player.currentMedia().getItemInfo("sourceURL"), Q(path));
    Pump(300);
    EXPECT_EQ(player.playState(), kStopped);
    EXPECT_EQ(player.controls().currentPosition(), 0.0);
    player.controls().play();
    EXPECT_TRUE(WaitFor([&] { return player.controls().currentPosition() > 0.1; }));
}

// The backend sometimes ends at once or never starts when media is opened after other media; each open must
// still play, also with a seek right after opening (files without an Info header seek only once scanned).
TEST_F(MediaPlayerTest, EveryOpeningPlays) {
    const fs::path files[] = {MakeTone(dir.path(), "a.mp3", 3.0, "A"),
                              MakeTone(dir.path(), "b.mp3", 3.0, {}, false)};
    for (int i = 0; i < 8; ++i) {
        player.setURL(Q(files[i % 2]));
        const double from = i / 2 % 2 ? 1.0 : 0.0;
        if (from > 0) {
            player.controls().setCurrentPosition(from);
        }
        // Waits for the play to move on rather than for a fixed time, so a loaded machine does not fail it.
        EXPECT_TRUE(WaitFor([&] { return player.controls().currentPosition() > from + 0.1; })) << i;
        EXPECT_EQ(player.playState(), kPlaying) << i;
        EXPECT_LT(player.controls().currentPosition(), from + 1.0) << i;
    }
}

TEST_F(MediaPlayerTest, TwoPlayersAtOnce) {
    ASSERT_TRUE(startPlaying(player, MakeTone(dir.path(), "main.mp3", 3.0)));
    Pump(200);
    player.controls().pause();
    const double held = player.controls().currentPosition();

    MediaPlayer preview;
    ASSERT_TRUE(startPlaying(preview, MakeTone(dir.path(), "tcut.mp3", 2.0)));
    const double start = preview.controls().currentPosition();
    Pump(400);
    EXPECT_NEAR(preview.controls().currentPosition() - start, 0.4, 0.15);
    EXPECT_EQ(preview.playState(), kPlaying);
    EXPECT_EQ(player.playState(), kPaused);
    EXPECT_NEAR(player.controls().currentPosition(), held, 0.01);
    EXPECT_EQ(player.currentMedia().getItemInfo("Title"), "main");
    EXPECT_EQ(preview.currentMedia().getItemInfo("Title"), "tcut");

    // Closing the preview stops it; the main player stays paused where it was.
    preview.setURL("");
    player.controls().play();
    ASSERT_TRUE(WaitFor([&] { return player.controls().currentPosition() > held + 0.2; }));
}

// Media that cannot be played: no message, no crash, an idle player with a length of 0.
struct BadCase {
    const char* name;
    std::function<fs::path(const fs::path&)> make;
};

class BadMediaTest : public MediaPlayerTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadMediaTest, StaysIdleWithoutAMessage) {
    const fs::path path = GetParam().make(dir.path());
    player.setURL(Q(path));
    EXPECT_EQ(player.currentMedia().duration(), 0.0);
    player.controls().play();
    player.controls().setCurrentPosition(1.0);
    Pump(300);
    EXPECT_EQ(player.playState(), 0);
    EXPECT_EQ(player.controls().currentPosition(), 0.0);
    EXPECT_EQ(player.currentMedia().duration(), 0.0);
    EXPECT_EQ(player.currentMedia().getItemInfo("sourceURL"), Q(path));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    }
    EXPECT_EQ(OpenHandles(path) > 0, false);

    // The player recovers with a good file.
    ASSERT_TRUE(startPlaying(player, MakeTone(dir.path(), "good.mp3", 1.0)));
}

fs::path Bytes(const fs::path& folder, const char* name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
    return folder / name;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BadMediaTest,
    ::testing::Values(BadCase{"Empty", [](auto& f) { return Bytes(f, "empty.mp3", ""); }},
                      BadCase{"Text", [](auto& f) { return Bytes(f, "text.mp3", std::string(3000, 'a')); }},
                      BadCase{"TagOnly",
                              [](auto& f) {
                                  const std::string bytes = ReadBytes(MakeTone(f, "whole.mp3", 1.0, "Whole"));
                                  return Bytes(f, "short.mp3", bytes.substr(0, bytes.find("\xFF\xFB") + 30));
                              }},
                      BadCase{"Wave",
                              [](auto& f) {
                                  const fs::path path = f / "wave.mp3";
                                  [[maybe_unused]] int status =
                                      std::system(("sox -q -n -r 44100 -c 2 -b 16 -t wav '" + path.string() +
                                                   "' synth 1 sine 440")
                                                      .c_str());
                                  return path;
                              }},
                      BadCase{"Missing", [](auto& f) { return f / "missing.mp3"; }},
                      BadCase{"Folder",
                              [](auto& f) {
                                  fs::create_directory(f / "folder.mp3");
                                  return f / "folder.mp3";
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace trimvox

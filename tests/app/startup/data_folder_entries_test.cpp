// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and the skin button with unusual entries in the data folder: nothing may crash, hang, grow
// without bound or write outside the folder; an entry that is not a regular file is left alone.
#include "app/main_window/form1.h"
#include "app/startup/startup_sequence.h"
#include "platform/fs/byte_file.h"
#include "platform/fs/data_folder.h"
#include "platform/resources/resource_table.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QPalette>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

Bytes Resource(int number) {
    return LoadCustomResource(number).value();
}

QColor SkinWindowColour(int number) {
    const Bytes bytes = Resource(number);
    const std::string text(bytes.begin(), bytes.end());
    return QColor(QString::fromStdString(text.substr(text.find("window=#") + 7, 7)));
}

struct stat Lstat(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

std::string Text(const fs::path& path) {
    const Bytes bytes = ReadWholeFile(path).value_or(Bytes{});
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const fs::path& path, const std::string& text, mode_t mode) {
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), mode);
}

// No hidden temporary files and nothing of ours outside the data folder.
std::vector<std::string> HiddenNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

enum class Action { Start, StartAndPressSkin };

// `prepare` puts the entry in place (the data folder exists, `outside` is a folder beside it); `check`
// looks at the files afterwards.
struct EntryCase {
    const char* name;
    std::function<void(const fs::path& data, const fs::path& outside)> prepare;
    Action action;
    std::function<void(const fs::path& data, const fs::path& outside, Form1& form)> check;
};

std::ostream& operator<<(std::ostream& out, const EntryCase& c) {
    return out << c.name;
}

bool EngineLoaded(Form1& form) {
    return static_cast<SkinEngineBinding&>(form.skinEngine()).isLoaded();
}

void ExpectSkin104(Form1& form) {
    EXPECT_TRUE(EngineLoaded(form));
    EXPECT_EQ(form.palette().color(QPalette::Window), SkinWindowColour(104));
}

class DataFolderEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(DataFolderEntryTest, StartsAndLeavesOrReplacesTheEntry) {
    const EntryCase& c = GetParam();
    ::alarm(60); // a start-up that hangs ends the test instead of the run
    test::TempDataHome home;
    const fs::path data = home.dataFolder();
    const fs::path outside = home.root() / "outside";
    fs::create_directories(data);
    fs::create_directories(outside);
    c.prepare(data, outside);
    QApplication::setPalette(QPalette());
    {
        Form1 form;
        ASSERT_TRUE(form.Form_Initialize());
        if (c.action == Action::StartAndPressSkin) {
            form.mxb_Click(5);
        }
        QApplication::processEvents();
        c.check(data, outside, form);
    }
    EXPECT_EQ(HiddenNames(data), std::vector<std::string>{});
    ::alarm(0);
}

const std::string kStoredSkin = "[guistyle]\nstyle=110\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFolderEntryTest,
    testing::Values(EntryCase{"StyleFileIsAFolder",
                              [](const fs::path& data, const fs::path&) {
                                  fs::create_directory(data / kStyleFileName);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_TRUE(fs::is_directory(data / kStyleFileName));
                                  EXPECT_TRUE(EngineLoaded(form));
                              }},
                    EntryCase{"DefaultSkinIsAFolder",
                              [](const fs::path& data, const fs::path&) {
                                  fs::create_directory(data / kDefaultSkinFileName);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_TRUE(fs::is_directory(data / kDefaultSkinFileName));
                                  ExpectSkin104(form);
                              }},
                    EntryCase{"StyleFileIsAFifo",
                              [](const fs::path& data, const fs::path&) {
                                  ::mkfifo((data / kStyleFileName).c_str(), 0600);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_TRUE(fs::is_fifo(data / kStyleFileName));
                                  EXPECT_TRUE(EngineLoaded(form));
                              }},
                    EntryCase{"DefaultSkinIsAFifo",
                              [](const fs::path& data, const fs::path&) {
                                  ::mkfifo((data / kDefaultSkinFileName).c_str(), 0600);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_TRUE(fs::is_fifo(data / kDefaultSkinFileName));
                                  ExpectSkin104(form);
                              }},
                    EntryCase{"LibraryIsAFifo",
                              [](const fs::path& data, const fs::path&) {
                                  ::mkfifo((data / kSkinEngineFileName).c_str(), 0600);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_TRUE(fs::is_fifo(data / kSkinEngineFileName));
                                  EXPECT_FALSE(EngineLoaded(form));
                              }},
                    EntryCase{"StyleFileIsADanglingLink",
                              [](const fs::path& data, const fs::path& outside) {
                                  fs::create_symlink(outside / "missing.she", data / kStyleFileName);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path& outside, Form1& form) {
                                  EXPECT_FALSE(fs::exists(outside / "missing.she"));
                                  EXPECT_FALSE(fs::is_symlink(data / kStyleFileName));
                                  EXPECT_EQ(ReadWholeFile(data / kStyleFileName), Resource(104));
                                  ExpectSkin104(form);
                              }},
                    EntryCase{"LibraryIsADanglingLink",
                              [](const fs::path& data, const fs::path& outside) {
                                  fs::create_symlink(outside / "engine.dll", data / kSkinEngineFileName);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path& outside, Form1& form) {
                                  EXPECT_FALSE(fs::exists(outside / "engine.dll"));
                                  EXPECT_FALSE(fs::is_symlink(data / kSkinEngineFileName));
                                  ExpectSkin104(form);
                              }},
                    EntryCase{"DefaultSkinLinksToDevZero",
                              [](const fs::path& data, const fs::path&) {
                                  fs::create_symlink("/dev/zero", data / kDefaultSkinFileName);
                              },
                              Action::Start,
                              [](const fs::path& data, const fs::path&, Form1& form) {
                                  EXPECT_EQ(ReadWholeFile(data / kDefaultSkinFileName), Resource(102));
                                  ExpectSkin104(form);
                              }},
                    EntryCase{"SettingsFileIsReadOnly",
                              [](const fs::path& data, const fs::path&) {
                                  WriteText(data / kSettingsFileName, kStoredSkin, 0444);
                              },
                              Action::StartAndPressSkin,
                              [](const fs::path& data, const fs::path&, Form1&) {
                                  EXPECT_EQ(Text(data / kSettingsFileName), kStoredSkin);
                                  EXPECT_EQ(Lstat(data / kSettingsFileName).st_mode & 07777, 0444u);
                              }},
                    EntryCase{"SettingsFileIsALink",
                              [](const fs::path& data, const fs::path& outside) {
                                  WriteText(outside / "set.ini", kStoredSkin, 0600);
                                  fs::create_symlink(outside / "set.ini", data / kSettingsFileName);
                              },
                              Action::StartAndPressSkin,
                              [](const fs::path& data, const fs::path& outside, Form1&) {
                                  EXPECT_TRUE(fs::is_symlink(data / kSettingsFileName));
                                  EXPECT_EQ(Text(outside / "set.ini"), "[guistyle]\nstyle= 103\n");
                                  EXPECT_EQ(Lstat(outside / "set.ini").st_mode & 07777, 0600u);
                                  EXPECT_EQ(HiddenNames(outside), std::vector<std::string>{});
                              }},
                    EntryCase{"SettingsFileKeepsItsPermissions",
                              [](const fs::path& data, const fs::path&) {
                                  WriteText(data / kSettingsFileName, kStoredSkin, 0600);
                              },
                              Action::StartAndPressSkin,
                              [](const fs::path& data, const fs::path&, Form1&) {
                                  EXPECT_EQ(Text(data / kSettingsFileName), "[guistyle]\nstyle= 103\n");
                                  EXPECT_EQ(Lstat(data / kSettingsFileName).st_mode & 07777, 0600u);
                              }}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

class NoSkin final : public SkinApi {
public:
    bool SkinH_SetAero(int) override { return true; }
    bool SkinH_Attach() override { return true; }
    bool SkinH_AttachEx(const std::string&, const std::string&) override { return true; }
};

// A first start killed while it writes the engine library (here by the file size limit, in a child
// process) leaves no file under the library's name, so the next start writes it whole and loads it.
TEST(DataFolderEntry, ALibraryWriteCutShortIsWrittenAgainAtTheNextStart) {
    test::TempDataHome home;
    // Half the library: the skin files, far smaller, are written whole.
    const rlim_t limit = Resource(101).size() / 2;
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit size{limit, limit};
        const rlimit core{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &size);
        ::setrlimit(RLIMIT_CORE, &core);
        NoSkin skin;
        PrepareDataFolderAndSkin(skin);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_FALSE(fs::exists(fs::symlink_status(DataFile(kSkinEngineFileName))));
    EXPECT_EQ(HiddenNames(home.dataFolder()), std::vector<std::string>{});

    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    EXPECT_EQ(ReadWholeFile(DataFile(kSkinEngineFileName)), Resource(101));
    EXPECT_TRUE(EngineLoaded(form));
}

} // namespace
} // namespace trimvox

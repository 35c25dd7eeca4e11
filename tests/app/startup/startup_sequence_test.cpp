// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/form1.h"
#include "app/startup/startup_sequence.h"
#include "platform/fs/byte_file.h"
#include "platform/fs/data_folder.h"
#include "platform/resources/resource_table.h"
#include "settings/mymode.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <fstream>
#include <gtest/gtest.h>

namespace trimvox {
namespace {

Bytes Resource(int number) {
    return LoadCustomResource(number).value();
}

Bytes FileBytes(const char* name) {
    return ReadWholeFile(DataFile(name)).value_or(Bytes{});
}

void StoreStyle(const std::string& text) {
    std::filesystem::create_directories(DataFolder());
    std::ofstream(DataFile(kSettingsFileName)) << "[guistyle]\nstyle=" << text << "\n";
}

// The window colour that a skin resource sets.
QColor SkinWindowColour(int number) {
    const Bytes bytes = Resource(number);
    const std::string text(bytes.begin(), bytes.end());
    const auto at = text.find("window=#");
    return QColor(QString::fromStdString(text.substr(at + 7, 7)));
}

// Records the engine calls and what the data folder held at each.
class RecordingSkin final : public SkinApi {
public:
    bool SkinH_SetAero(int enable) override {
        calls.push_back("SetAero(" + std::to_string(enable) + ")");
        libraryPresentAtFirstCall = std::filesystem::exists(DataFile(kSkinEngineFileName));
        return true;
    }
    bool SkinH_Attach() override {
        calls.push_back("Attach");
        defaultSkinPresent = std::filesystem::exists(DataFile(kDefaultSkinFileName));
        return true;
    }
    bool SkinH_AttachEx(const std::string& file, const std::string& password) override {
        calls.push_back("AttachEx(" + file + "," + password + ")");
        styleAtAttach = ReadWholeFile(file).value_or(Bytes{});
        return true;
    }
    std::vector<std::string> calls;
    bool libraryPresentAtFirstCall = false;
    bool defaultSkinPresent = false;
    Bytes styleAtAttach;
};

TEST(Startup, FirstRunFillsTheDataFolderAndAppliesSkin104) {
    test::TempDataHome home;
    QApplication::setPalette(QPalette());
    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    QApplication::processEvents();
    EXPECT_EQ(FileBytes(kSkinEngineFileName), Resource(101));
    EXPECT_EQ(FileBytes(kDefaultSkinFileName), Resource(102));
    EXPECT_EQ(FileBytes(kStyleFileName), Resource(104));
    EXPECT_FALSE(std::filesystem::exists(DataFile(kSettingsFileName))); // comes with the first skin press
    // The engine was really loaded from the data folder and re-coloured the windows.
    EXPECT_TRUE(static_cast<SkinEngineBinding&>(form.skinEngine()).isLoaded());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), SkinWindowColour(104));
    EXPECT_EQ(form.palette().color(QPalette::Window), SkinWindowColour(104));
    EXPECT_EQ(form.SkinIndex, 0);
}

TEST(Startup, CallsTheEngineInOrderWithItsFilesInPlace) {
    test::TempDataHome home;
    RecordingSkin skin;
    PrepareDataFolderAndSkin(skin);
    const std::string style = DataFile(kStyleFileName).string();
    EXPECT_EQ(skin.calls, (std::vector<std::string>{"SetAero(1)", "Attach", "AttachEx(" + style + ",)"}));
    EXPECT_TRUE(skin.libraryPresentAtFirstCall);
    EXPECT_TRUE(skin.defaultSkinPresent);
    EXPECT_EQ(skin.styleAtAttach, Resource(104));
}

TEST(Startup, TheStoredSkinChoosesTheStyleFile) {
    const std::pair<const char*, int> cases[] = {
        {"110", 110},   {" 104", 104}, {"105.9", 105}, {"", 104},    {"0", 104}, {"abc", 104},
        {"40000", 104}, {"-5", 0},     {"5", 0},       {"101", 101}, // 101 is a resource too: the engine
                                                                     // refuses it as a skin
    };
    for (const auto& [stored, resource] : cases) {
        test::TempDataHome home;
        StoreStyle(stored);
        RecordingSkin skin;
        PrepareDataFolderAndSkin(skin);
        const Bytes expected = resource == 0 ? Bytes{} : Resource(resource);
        EXPECT_EQ(FileBytes(kStyleFileName), expected) << stored;
        EXPECT_TRUE(std::filesystem::exists(DataFile(kStyleFileName))) << stored;
    }
}

TEST(Startup, StoredSkinIsAppliedByTheRealEngine) {
    test::TempDataHome home;
    StoreStyle(" 110");
    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    QApplication::processEvents();
    EXPECT_EQ(FileBytes(kStyleFileName), Resource(110));
    EXPECT_EQ(form.palette().color(QPalette::Window), SkinWindowColour(110));
}

TEST(Startup, ExistingEngineFilesAreNotRewrittenAndAForeignLibraryIsNotLoaded) {
    test::TempDataHome home;
    QApplication::setPalette(QPalette());
    const QColor plain = QApplication::palette().color(QPalette::Window);
    std::filesystem::create_directories(DataFolder());
    const Bytes foreign = {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'};
    ASSERT_TRUE(WriteNewFile(DataFile(kSkinEngineFileName), foreign));
    ASSERT_TRUE(WriteNewFile(DataFile(kDefaultSkinFileName), foreign));
    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    EXPECT_EQ(FileBytes(kSkinEngineFileName), foreign);
    EXPECT_EQ(FileBytes(kDefaultSkinFileName), foreign);
    EXPECT_EQ(FileBytes(kStyleFileName), Resource(104));
    EXPECT_FALSE(static_cast<SkinEngineBinding&>(form.skinEngine()).isLoaded());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), plain); // the plain look
}

TEST(Startup, HiddenEngineFilesCountAsMissing) {
    // A file exists only when it is a visible regular file: a folder in its place counts as missing, and
    // writing over it fails quietly.
    test::TempDataHome home;
    std::filesystem::create_directories(DataFile(kDefaultSkinFileName));
    RecordingSkin skin;
    PrepareDataFolderAndSkin(skin);
    EXPECT_TRUE(std::filesystem::is_directory(DataFile(kDefaultSkinFileName)));
    EXPECT_EQ(FileBytes(kStyleFileName), Resource(104));
}

TEST(Startup, SurvivesAnUnusableDataFolderOrSettingsFile) {
    {
        // The data folder is a file: nothing can be written, the engine is not loaded, no crash.
        test::TempDataHome home;
        std::ofstream(home.root() / "data" / "trimvox") << "a file";
        Form1 form;
        EXPECT_TRUE(form.Form_Initialize());
        EXPECT_FALSE(static_cast<SkinEngineBinding&>(form.skinEngine()).isLoaded());
    }
    {
        // set.ini is a folder: the default skin number.
        test::TempDataHome home;
        std::filesystem::create_directories(DataFile(kSettingsFileName));
        RecordingSkin skin;
        PrepareDataFolderAndSkin(skin);
        EXPECT_EQ(FileBytes(kStyleFileName), Resource(104));
    }
    {
        // Garbage in set.ini and an empty default skin: the program starts.
        test::TempDataHome home;
        std::filesystem::create_directories(DataFolder());
        std::ofstream(DataFile(kSettingsFileName), std::ios::binary)
            << std::string("\xff\x00[guistyle]\x01", 13);
        ASSERT_TRUE(WriteNewFile(DataFile(kDefaultSkinFileName), Bytes{}));
        Form1 form;
        EXPECT_TRUE(form.Form_Initialize());
        EXPECT_EQ(FileBytes(kStyleFileName), Resource(104));
    }
}

TEST(Startup, TheWindowIsFixedCaptionedAndCentred) {
    test::TempDataHome home;
    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    form.Form_Load();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Trimvox"));
    EXPECT_EQ(form.size(), QSize(568, 265));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    const QRect screen = form.screen()->geometry();
    EXPECT_NEAR(form.frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(form.frameGeometry().center().y(), screen.center().y(), 1);
}

} // namespace
} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
// The save command ("保存") after a cut: which file it writes, which questions it asks, what it reports.
#include "main_window_fixture.h"

#include "app/dialogs/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace trimvox::test {
namespace {

const std::string kOld = "old";

struct SaveCase {
    std::string name;
    std::vector<std::string> existing; // files in the folder before the save, each holding kOld
    std::string typed;                 // the name typed in the save dialog
    int answer = QMessageBox::Yes;     // the answer to a question about replacing a file
    bool previewGoesMeanwhile = false; // an open command, cancelled, runs while the save dialog waits
    std::string saved;                 // the file that then holds the preview; empty for none
    std::vector<std::string> asked;    // the files that the replace question names, in order
    QString message;                   // the last message after the dialog (empty for none)
    QString title = QStringLiteral("Trimvox");
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << c.name;
}

class SaveCommand : public MainWindowTest, public ::testing::WithParamInterface<SaveCase> {};

bool IsReplaceQuestion(const DialogDriver::Seen& seen) {
    return seen.text.endsWith(QStringLiteral("要替换它吗？"));
}

TEST_P(SaveCommand, WritesTheFinalPathAfterOneQuestion) {
    const SaveCase& c = GetParam();
    Open(Mp3("source.mp3", Tone(3.0)));
    form_->StartPos = 0.5;
    form_->EndPos = 1.5;
    ASSERT_TRUE(form_->CutPreview().ok());
    const Bytes preview = PreviewBytes();
    const auto folder = files_->path();
    for (const std::string& name : c.existing) {
        std::ofstream(folder / name) << kOld;
    }

    QString nameAfterNo;
    driver_.onFileDialog([&](QFileDialog& dialog) {
        if (c.previewGoesMeanwhile) {
            driver_.onFileDialog(DialogDriver::PressEscape());
            Click(0);
            ASSERT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
        }
        DialogDriver::TypePathAndEnter(Q(folder / c.typed))(dialog); // returns once a question is answered
        if (dialog.isVisible()) {
            nameAfterNo = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
    });
    driver_.onMessage(DialogDriver::Answer(c.answer));
    Click(4);

    std::vector<QString> asked, told;
    QString lastTitle;
    for (const auto& seen : driver_.messages()) {
        if (IsReplaceQuestion(seen)) {
            asked.push_back(seen.text);
        } else {
            told.push_back(seen.text);
            lastTitle = seen.title;
        }
    }
    std::vector<QString> expectedAsked;
    for (const std::string& name : c.asked) {
        expectedAsked.push_back(modpath::OverwritePromptText(QDir::toNativeSeparators(Q(folder / name))));
    }
    EXPECT_EQ(asked, expectedAsked);
    if (c.message.isEmpty()) {
        EXPECT_TRUE(told.empty()) << told.front().toStdString();
    } else {
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.back(),
                  c.message == QStringLiteral("已保存至：") ? c.message + Q(folder / c.saved) : c.message);
        EXPECT_EQ(lastTitle, c.title);
    }
    if (c.answer == QMessageBox::No) {
        EXPECT_EQ(nameAfterNo, Q(folder / c.typed)); // back in the dialog with the typed name
    }
    if (!c.saved.empty()) {
        EXPECT_EQ(ReadWholeFile(folder / c.saved).value_or(Bytes{}), preview);
    }
    for (const std::string& name : c.existing) {
        if (name != c.saved) {
            EXPECT_EQ(ReadWholeFile(folder / name).value_or(Bytes{}), Bytes(kOld.begin(), kOld.end()))
                << name;
        }
    }
    // Nothing else was written beside the source and the files named above.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++files;
    }
    const bool savedIsNew =
        !c.saved.empty() && std::find(c.existing.begin(), c.existing.end(), c.saved) == c.existing.end();
    EXPECT_EQ(files, 1 + c.existing.size() + (savedIsNew ? 1 : 0));
}

const QString kSavedTo = QStringLiteral("已保存至：");

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveCommand,
    ::testing::Values(SaveCase{"NewName", {}, "new", QMessageBox::Yes, false, "new.mp3", {}, kSavedTo},
                      SaveCase{"ExtensionAddedOverAFileAsksFirst",
                               {"keep.mp3"},
                               "keep",
                               QMessageBox::Yes,
                               false,
                               "keep.mp3",
                               {"keep.mp3"},
                               kSavedTo},
                      SaveCase{"NoKeepsTheFileAndReturnsToTheDialog",
                               {"keep.mp3"},
                               "keep",
                               QMessageBox::No,
                               false,
                               "",
                               {"keep.mp3"},
                               QString()},
                      SaveCase{"UpperCaseExtensionAsksAboutTheFinalName",
                               {"a.MP3", "a.MP3.mp3"},
                               "a.MP3",
                               QMessageBox::Yes,
                               false,
                               "a.MP3.mp3",
                               {"a.MP3.mp3"},
                               kSavedTo},
                      SaveCase{"TheTypedNameAloneIsNotAsked",
                               {"a.MP3"},
                               "a.MP3",
                               QMessageBox::Yes,
                               false,
                               "a.MP3.mp3",
                               {},
                               kSavedTo},
                      SaveCase{"AFullNameIsAskedOnce",
                               {"b.mp3"},
                               "b.mp3",
                               QMessageBox::Yes,
                               false,
                               "b.mp3",
                               {"b.mp3"},
                               kSavedTo},
                      SaveCase{"APreviewGoneWhileTheDialogWaitedAsksForACut",
                               {},
                               "gone",
                               QMessageBox::Yes,
                               true,
                               "",
                               {},
                               QStringLiteral("请先截取预览！"),
                               QStringLiteral("未保存")}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace trimvox::test

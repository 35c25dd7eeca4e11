// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/file_dialog.h"
#include "app/dialogs/file_dialog_clock.h"
#include "app/dialogs/file_dialog_record.h"
#include "support/dialog_driver.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace trimvox::modpath {
namespace {

const QString kTitle = QStringLiteral("请选择主文件");
const QString kFilter = QStringLiteral("*.mp3|*.mp3");

QString Path(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

TEST(FileDialogRecord, FiltersBecomePairs) {
    EXPECT_EQ(NameFilters(ParseFilter(kFilter)), QStringList{QStringLiteral("*.mp3 (*.mp3)")});
    EXPECT_EQ(NameFilters(ParseFilter(QStringLiteral("音频|*.mp3;*.wav|全部|*"))),
              (QStringList{QStringLiteral("音频 (*.mp3 *.wav)"), QStringLiteral("全部 (*)")}));
    EXPECT_TRUE(ParseFilter(QString()).isEmpty());
    EXPECT_EQ(ParseFilter(QStringLiteral("a|*.a|dangling")).size(), 1);
}

TEST(FileDialogRecord, TheInitialNameMayHave260Characters) {
    const auto record = BuildDialogRecord(true, kTitle, kFilter, QString(260, QLatin1Char('a')), {}, {});
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->save);
    EXPECT_EQ(record->flags, 0x2006u);
    EXPECT_FALSE(BuildDialogRecord(false, kTitle, kFilter, QString(261, QLatin1Char('a')), {}, {}));
}

TEST(FileDialog, TooLongANameIsReportedAndNoDialogShows) {
    test::DialogDriver driver;
    EXPECT_EQ(FileDialog(0, kTitle, kFilter, QString(261, QLatin1Char('x')), {}, {}), QString());
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(driver.seen()[0].kind, "message");
    EXPECT_EQ(driver.seen()[0].text, QStringLiteral("Filename Length Overflow"));
    EXPECT_EQ(driver.seen()[0].title, QStringLiteral("Trimvox - FileDialog Function"));
    EXPECT_EQ(driver.seen()[0].icon, QMessageBox::Warning);
}

TEST(FileDialog, TypingAFullPathAndEnterChoosesIt) {
    test::TempDir dir;
    const auto file = dir.path() / "歌曲 one.mp3";
    std::ofstream(file) << "x";
    test::DialogDriver driver;
    driver.onFileDialog(test::DialogDriver::TypePathAndEnter(Path(file)));
    EXPECT_EQ(FileDialog(0, kTitle, kFilter, {}, {}, {}), Path(file));
    ASSERT_FALSE(driver.seen().empty());
    EXPECT_EQ(driver.seen()[0].title, kTitle);
}

TEST(FileDialog, EscapeCancels) {
    test::DialogDriver driver;
    driver.onFileDialog(test::DialogDriver::PressEscape());
    EXPECT_EQ(FileDialog(1, kTitle, kFilter, {}, {}, {}), QString());
}

TEST(FileDialog, TheOpenDialogOffersToCreateAMissingFile) {
    test::TempDir dir;
    const auto missing = dir.path() / "new.mp3";
    {
        // Accepted: the path comes back although there is no such file (nothing is created).
        test::DialogDriver driver;
        driver.onFileDialog(test::DialogDriver::TypePathAndEnter(Path(missing)));
        driver.onMessage(test::DialogDriver::Answer(QMessageBox::Yes));
        EXPECT_EQ(FileDialog(0, kTitle, kFilter, {}, {}, {}), Path(missing));
        ASSERT_EQ(driver.messages().size(), 1u);
        EXPECT_EQ(driver.messages()[0].text, CreatePromptText(Path(missing)));
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
    {
        // Declined: the dialog stays open; Escape then cancels.
        test::DialogDriver driver;
        driver.onFileDialog([&](QFileDialog& dialog) {
            test::DialogDriver::TypePathAndEnter(Path(missing))(dialog);
            QTimer::singleShot(100, &dialog, [&dialog] {
                EXPECT_TRUE(dialog.isVisible());
                QTest::keyClick(&dialog, Qt::Key_Escape);
            });
        });
        driver.onMessage(test::DialogDriver::Answer(QMessageBox::No));
        EXPECT_EQ(FileDialog(0, kTitle, kFilter, {}, {}, {}), QString());
    }
}

TEST(FileDialog, TheSaveDialogAsksBeforeReplacingAFile) {
    test::TempDir dir;
    const auto existing = dir.path() / "old.mp3";
    std::ofstream(existing) << "keep";
    test::DialogDriver driver;
    driver.onFileDialog(test::DialogDriver::TypePathAndEnter(Path(existing)));
    driver.onMessage(test::DialogDriver::Answer(QMessageBox::Yes));
    EXPECT_EQ(FileDialog(1, kTitle, kFilter, {}, {}, {}), Path(existing));
    EXPECT_EQ(driver.messages().size(), 1u);
}

// The dialog's clock reads the given ticks in turn, whatever the real time: how long a showing lasted is
// decided by the test, not by the machine's load.
class DrivenClock {
public:
    explicit DrivenClock(std::vector<qint64> ticks)
        : ticks_(std::move(ticks)), previous_(SetDialogTickCount([this] { return Next(); })) {}
    ~DrivenClock() { SetDialogTickCount(previous_); }
    DrivenClock(const DrivenClock&) = delete;
    DrivenClock& operator=(const DrivenClock&) = delete;

private:
    qint64 Next() { return ticks_.at(std::min(read_++, ticks_.size() - 1)); }
    std::vector<qint64> ticks_;
    std::size_t read_ = 0;
    TickCount previous_;
};

TEST(FileDialog, ADialogThatClosesAtOnceIsShownOnceMoreWithAnEmptyName) {
    test::TempDir dir;
    const auto file = dir.path() / "a.mp3";
    std::ofstream(file) << "x";
    struct Row {
        qint64 firstShowingMs; // how long the first showing lasted, by the dialog's clock
        int showings;
        QString result;
    };
    for (const Row& row : {Row{5, 2, Path(file)}, Row{19, 2, Path(file)}, Row{20, 1, QString()}}) {
        SCOPED_TRACE(row.firstShowingMs);
        const DrivenClock clock({1000, 1000 + row.firstShowingMs, 5000, 9000});
        test::DialogDriver driver;
        QStringList namesShown;
        driver.onFileDialog([&](QFileDialog& dialog) {
            namesShown << dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            dialog.reject();
        });
        driver.onFileDialog([&](QFileDialog& dialog) {
            namesShown << dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            test::DialogDriver::TypePathAndEnter(Path(file))(dialog);
        });
        EXPECT_EQ(FileDialog(0, kTitle, kFilter, QStringLiteral("first.mp3"), {}, {}), row.result);
        const QStringList expected = row.showings == 2 ? QStringList{QStringLiteral("first.mp3"), QString()}
                                                       : QStringList{QStringLiteral("first.mp3")};
        EXPECT_EQ(namesShown, expected);
    }
}

TEST(FileDialog, TheFileTypeListShowsEachFiltersDisplayText) {
    const std::pair<QString, QStringList> rows[] = {{kFilter, {QStringLiteral("*.mp3")}},
                                                    {QStringLiteral("音频 (mp3)|*.mp3;*.wav|全部|*"),
                                                     {QStringLiteral("音频 (mp3)"), QStringLiteral("全部")}}};
    for (const auto& [filter, shown] : rows) {
        test::DialogDriver driver;
        QStringList items;
        driver.onFileDialog([&items](QFileDialog& dialog) {
            auto* list = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; list != nullptr && i < list->count(); ++i) {
                items << list->itemText(i);
            }
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        EXPECT_EQ(FileDialog(1, kTitle, filter, {}, {}, {}), QString());
        EXPECT_EQ(items, shown);
    }
}

TEST(FileDialog, OtherWindowsStayUsableWhileItIsOpen) {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("打开"), &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    test::DialogDriver driver;
    driver.onFileDialog([&](QFileDialog& dialog) {
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(window.isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QTimer::singleShot(50, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    });
    EXPECT_EQ(FileDialog(0, kTitle, kFilter, {}, {}, {}), QString());
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace trimvox::modpath

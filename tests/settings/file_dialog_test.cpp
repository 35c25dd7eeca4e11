#include "settings/file_dialog.h"
#include "settings/file_dialog_record.h"
#include "support/dialog_driver.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
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

TEST(FileDialog, ADialogThatClosesAtOnceIsShownOnceMoreWithAnEmptyName) {
    test::TempDir dir;
    const auto file = dir.path() / "a.mp3";
    std::ofstream(file) << "x";
    test::DialogDriver driver;
    int shows = 0;
    QStringList namesShown;
    // Close the first showing before 20 ms pass, from the dialog's own show.
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog != nullptr && dialog->isVisible() && shows == 0) {
                ++shows;
                dialog->reject();
            }
        }
    });
    watcher.start();
    driver.onFileDialog([&](QFileDialog& dialog) {
        watcher.stop();
        namesShown << dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        test::DialogDriver::TypePathAndEnter(Path(file))(dialog);
    });
    EXPECT_EQ(FileDialog(0, kTitle, kFilter, QStringLiteral("first.mp3"), {}, {}), Path(file));
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(namesShown, QStringList{QString()});
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

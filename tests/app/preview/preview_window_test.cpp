// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window as the main window opens it.
#include "app/main_window/main_window_fixture.h"

namespace trimvox::test {
namespace {

class PreviewWindow : public MainWindowTest {};

TEST_F(PreviewWindow, APreviewThatCannotBeCutAgainSaysWhyAndCloses) {
    const auto source = Mp3("s.mp3", Tone(3.0));
    Open(source);
    form_->StartPos = 0.5;
    form_->EndPos = 2.0;
    bool closedByItself = false;
    WhenPreviewShows([&](Form2& preview) {
        // The source goes away, then the preview: cutting again fails.
        std::filesystem::remove(source);
        std::filesystem::remove(DataFile(kPreviewFileName));
        closedByItself = WaitUntil([&] { return !preview.isVisible(); }, 2000);
        if (!closedByItself) {
            preview.reject();
        }
    });
    Click(3);
    EXPECT_TRUE(closedByItself);
    ASSERT_EQ(driver_.messages().size(), 1u);
    EXPECT_TRUE(driver_.messages()[0].text.startsWith(QStringLiteral("截取失败：")));
    EXPECT_FALSE(std::filesystem::exists(DataFile(kPreviewFileName)));
}

} // namespace
} // namespace trimvox::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/design/form1_design.h"
#include "app/startup/instance_hand_over.h"
#include "app/startup/single_instance.h"
#include "cutting/segment_cutter.h"
#include "platform/skin/skin_engine_binding.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QAction;
class QMenu;

namespace trimvox {

// The main window. Its life is the program's life.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Creation step: refuses a second instance (message, then false: the caller ends the program without
    // a window), then prepares the data folder and applies the stored skin. True when the program goes on.
    // Given a file, a refused start hands it to the running instance instead, without the message when
    // that one takes it. The instance that goes on takes files handed over by later starts.
    bool Form_Initialize(const QString& fileToHandOver = {});
    // Load step: centres the window on its screen.
    void Form_Load();

    // Cuts the marked segment of the main player's file into the preview file, on a thread of its own
    // (see CutPreviewInBackground): the windows keep repainting, a long cut shows that it works and can be
    // called off. On failure there is no preview file and the result says why.
    CutResult CutPreview();

    // Opens a file as the open command does with the file chosen in its dialog (an empty path: as after a
    // cancelled dialog). The command line, a drop and a hand-over open files this way.
    void OpenChosenFile(const QString& path);
    // Opens a file handed over by a later start and brings the window to the front; while the preview
    // command runs or a modal window is open, the latest such file waits until they end.
    void OpenHandedOverFile(const QString& path);

    // Shows the segments window "分段" for the open file (context menu "分段…", Ctrl+L).
    void OpenSegmentsWindow();

    // Opens a document or web address with the desktop's handler.
    void OpenUrl(const QString& address);

    SkinApi& skinEngine() { return *skin_; }
    const Form1Controls& controls() const { return controls_; }

    // The marks, in seconds, and the skin chosen with the skin button in this run (0 at start).
    double StartPos = 0.0;
    double EndPos = 0.0;
    std::int16_t SkinIndex = 0;

public slots:
    // The command buttons' click: 0 open, 1 mark start, 2 mark end, 3 cut and preview, 4 save, 5 skin.
    void mxb_Click(int Index);
    void Label8_Click();
    // One tick after the open command: shows the file's information and clears the marks and the preview.
    void Timer1_Timer();
    // Every 200 ms: shows the playing position while the player plays.
    void Timer2_Timer();
    // The player learnt the open file's true length later (from its frames): "时长" shows it, once the
    // file's information is shown.
    void ShowDuration();

private:
    void OpenFile();
    void MarkStart();
    void MarkEnd();
    // "截取时长" after either mark changed: the span of the marks, or nothing while one is missing.
    void ShowCutLength();
    void CutAndPreview();
    void SavePreview();
    void ChangeSkin();
    void OpenPendingHandOver();
    // The context menu (right button anywhere on the window) with the precise-cut setting.
    void SetUpContextMenu();
    void ShowContextMenu(const QPoint& globalPos);

    SingleInstance instance_;
    std::unique_ptr<HandOverServer> handOver_;
    QString pendingHandOver_; // a handed-over file waiting for the preview command or a modal window
    std::unique_ptr<SkinEngineBinding> skin_;
    Form1Controls controls_;
    bool previewRunning_ = false; // a cut-and-preview command is under way
    bool cutRunning_ = false;     // a cut for the preview runs on its thread
    QMenu* contextMenu_ = nullptr;
    QAction* preciseCut_ = nullptr;
};

// The message that tells the user why a cut failed.
QString CutFailureMessage(const CutResult& result);

} // namespace trimvox

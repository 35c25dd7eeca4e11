// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTimer;

namespace trimvox {

class Form1;
class MediaPlayer;

// The preview window: plays the preview file, and while it is open cuts it again from the main window's
// media and marks whenever the file goes missing. Shown modally; closing it stops the preview.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(Form1& main);
    ~Form2() override;

    // Opens the preview file in the player and plays it.
    void play();

    MediaPlayer& player() { return *wmp_; }
    QTimer& timer() { return *Timer1_; }

public slots:
    // Every 100 ms: a missing preview file is cut again and played anew.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void Form_Load();

    Form1& main_;
    MediaPlayer* wmp_;
    QTimer* Timer1_;
    bool loaded_ = false;
};

} // namespace trimvox

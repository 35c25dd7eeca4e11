// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

class Form1;

// The main window's keys, shortcuts that call what the buttons and the player call:
//   I or [  the start mark ("起始")          O or ]  the end mark ("结束")
//   P       "预览"                          Ctrl+O "打开"        Ctrl+S "保存"
//   ← / →   1 s back or forward; with Shift 10 s, with Ctrl 0.1 s
//   Home / End  the start and the end of the file (a tenth of a second before it, where the player can be)
//   F6      2 s from the start mark          F7     the last 2 s before the end mark (then the player pauses)
// They work while the main window is active and no dialog is open. A key that the focused control uses
// itself keeps doing what it does there: Space on the player; on a button that the keyboard focused (Tab,
// an arrow, an access key) Space and Enter press it and the plain arrows move between the buttons. A button
// focused by a mouse click keeps only Enter: the arrows seek and Space plays and pauses. The buttons'
// tooltips name their keys.
void InstallMainWindowKeys(Form1& form);

} // namespace trimvox

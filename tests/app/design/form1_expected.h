// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window's design holds: place in pixels, caption and tab index of every visible control.

namespace trimvox::form1_expected {

struct Expected {
    const char* name;
    int index;
    const char* container;
    int left, top, width, height; // pixels
    const char* caption;
    int tabIndex;
};

// Places in pixels at 96 dots per inch, captions and tab indexes of every visible control.
inline const Expected kControls[] = {
    {"wmp", -1, "", 0, 0, 569, 97, "", 0},
    {"mxb", 0, "", 216, 72, 57, 25, "打开", 1},
    {"mxb", 1, "", 272, 72, 57, 25, "起始", 11},
    {"mxb", 2, "", 328, 72, 57, 25, "结束", 12},
    {"mxb", 3, "", 384, 72, 57, 25, "预览", 13},
    {"mxb", 4, "", 440, 72, 57, 25, "保存", 14},
    {"mxb", 5, "", 496, 72, 57, 25, "换肤", 16},
    {"Frame1", -1, "", 8, 104, 209, 129, "源文件信息", 2},
    {"Label1", -1, "Frame1", 8, 24, 185, 33, "名称：", 3},
    {"Label2", -1, "Frame1", 8, 56, 129, 17, "文件类型：", 4},
    {"Label3", -1, "Frame1", 8, 88, 145, 17, "时长：", 5},
    {"Frame2", -1, "", 336, 104, 225, 129, "截取信息", 6},
    {"Label4", -1, "Frame2", 16, 16, 185, 17, "当前位置：", 7},
    {"Label5", -1, "Frame2", 16, 40, 185, 25, "起始点：", 8},
    {"Label6", -1, "Frame2", 16, 64, 185, 17, "结束点：", 9},
    {"Label7", -1, "Frame2", 16, 88, 185, 17, "截取时长：", 10},
    {"Label8", -1, "", 352, 240, 209, 25, nullptr, 15},
};

} // namespace trimvox::form1_expected

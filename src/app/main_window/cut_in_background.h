// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/cut_preview.h"

class QWidget;

namespace trimvox {

// How long a cut runs before it shows that it works.
inline constexpr int kCutProgressDelayMs = 400;

// Cuts the preview on a thread of its own while the windows keep repainting. A cut that takes longer than
// a moment shows a small window over `owner` ("正在截取……") whose "取消" button (or Esc) calls it off;
// the result is then Cancelled and there is no preview file. Returns when the cut has ended.
CutResult CutPreviewInBackground(const PreviewCut& cut, QWidget* owner);

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

// Whether Qt plays media through its FFmpeg backend: the default from Qt 6.5 on (Debian 13), unless
// QT_MEDIA_BACKEND names another; Qt 6.4 (Debian 12) has GStreamer only. The two differ where it matters
// here: FFmpeg finds the first frame of a file cut at any byte by itself, but keeps a probe buffer of every
// file it reads through a QIODevice; GStreamer may stop at once on such a file unless it is handed the
// bytes from the first frame on.
bool PlaysThroughFfmpeg();

} // namespace trimvox

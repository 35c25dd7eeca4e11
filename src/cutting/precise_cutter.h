// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/segment_cutter.h"

namespace trimvox {

// Cuts a segment out of the source losslessly and exact to the sample: its output, decoded by a gapless
// decoder (libmpg123, FFmpeg, GStreamer), is the source's samples from the start mark up to the end mark.
// A mark at t seconds is sample round(t × rate) of the source's gapless time line (after the encoder's
// delay where the source has a LAME tag, every decoded sample where it has none).
//
// For layer III the output holds the source's ID3v2 tag byte for byte; a fresh Xing/Info header frame
// with a LAME tag (the source's encoder string where decoders honour it, else "LAME3.100") whose delay
// and padding say how many samples to drop at each end; one silent frame whose main-data area carries
// the bytes of the bit reservoir that the next frame reaches back to; the source's frames from the ones
// that prime the decoder (one frame of MPEG-1, two of MPEG-2 and 2.5, before the frame of the start
// mark) up to the frame of the end mark, byte for byte; and the source's ID3v1 tag. A frame of the cut
// whose audio data lay before what the cut holds, or whose header alone is damaged (its version, layer or
// sample rate differs while the stream goes on where the frame would end), is written silent. Layers I
// and II are cut at the nearest frame boundaries, without a header frame, two frames at least (decoders
// take no single frame for a stream).
//
// A source without MPEG audio frames, a free-format stream, a stream that changes its kind, and marks that
// hold no audio are refused and nothing is written. Memory use is bounded whatever the length of the
// source; the output goes through a temporary file and a rename. Called by CutSegment for
// CutMode::Precise, which also deals with an old output when the cut fails.
CutResult CutPrecisely(const CutRequest& request);

} // namespace trimvox

#pragma once

#include "cutting/segment_cutter.h"

namespace trimvox {

// Cuts whole MPEG audio frames out of the source, losslessly: each mark goes to the nearest frame
// boundary by time (frames counted from the start, so variable bit rates are cut where marked; the
// duration of the request is not used). The output holds the source's ID3v2 tag byte for byte, a fresh
// Xing/Info header frame for the cut (layer III; with the source's LAME encoder string where it had
// one), the chosen frames byte for byte, and the source's ID3v1 tag. A source without MPEG audio frames,
// or a free-format stream, is refused and nothing is written. Memory use is bounded whatever the
// length of the source; the output goes through a temporary file and a rename. Called by CutSegment for
// CutMode::Precise, which also deals with an old output when the cut fails.
CutResult CutPrecisely(const CutRequest& request);

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_preview.h"

#include "platform/fs/data_folder.h"

namespace trimvox {

CutResult CutPreview(const PreviewCut& cut, const std::atomic<bool>* cancel) {
    CutRequest request;
    request.source = cut.sourceUrl;
    request.duration = cut.duration;
    request.startPos = cut.startPos;
    request.endPos = cut.endPos;
    request.output = DataFile(kPreviewFileName);
    request.onFailure = OldOutput::Remove;
    request.outputPolicy = ReplacePolicy::DataFolderResource;
    request.mode = cut.mode;
    request.cancel = cancel;
    return CutSegment(request);
}

} // namespace trimvox

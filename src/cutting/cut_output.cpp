// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_output.h"

#include "platform/fs/same_file.h"

namespace trimvox {

bool WriteCutOutput(const CutRequest& request, int source, const OutputFiller& fill, CutResult& result) {
    if (request.refuseSourceAsOutput && IsSameFile(source, request.output)) {
        result.error = CutError::SameFile;
        return false;
    }
    const std::string failure = WriteFileAtomically(request.output, fill, {.policy = request.outputPolicy});
    if (failure.empty()) {
        return true;
    }
    if (result.error == CutError::None) {
        result.error = CutError::OutputUnwritable;
    }
    result.detail = failure;
    return false;
}

} // namespace trimvox

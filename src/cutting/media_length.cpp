#include "cutting/media_length.h"

#include <taglib/audioproperties.h>
#include <taglib/mpegfile.h>

namespace trimvox {

std::optional<double> ReadMediaLength(const std::filesystem::path& path) {
    TagLib::MPEG::File file(path.c_str(), true, TagLib::AudioProperties::Accurate);
    if (!file.isValid() || file.audioProperties() == nullptr) {
        return std::nullopt;
    }
    const int milliseconds = file.audioProperties()->lengthInMilliseconds();
    if (milliseconds <= 0) {
        return std::nullopt;
    }
    return milliseconds / 1000.0;
}

} // namespace trimvox

#include "platform/media/media_info.h"

#include <system_error>

#include <taglib/mpegfile.h>
#include <taglib/tag.h>

namespace trimvox {

namespace {

std::string TrimmedTitle(const TagLib::Tag* tag) {
    if (tag == nullptr) {
        return {};
    }
    std::string title = tag->title().to8Bit(true);
    const auto first = title.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = title.find_last_not_of(" \t\r\n");
    return title.substr(first, last - first + 1);
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

MediaInfo ReadMediaInfo(const std::filesystem::path& path) {
    MediaInfo info;
    if (path.empty()) {
        return info;
    }
    info.title = Utf8(path.stem());

    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) == 0 ||
        error) {
        return info;
    }
    try {
        TagLib::MPEG::File file(path.c_str(), true, TagLib::AudioProperties::Average);
        if (!file.isValid()) {
            return info;
        }
        if (std::string title = TrimmedTitle(file.tag()); !title.empty()) {
            info.title = std::move(title);
        }
        // TagLib finds the first frame only where the next frame follows it, so text, pictures, WAV data or a
        // lone tag give no audio properties or a length of 0.
        const TagLib::MPEG::Properties* properties = file.audioProperties();
        if (properties != nullptr && properties->lengthInMilliseconds() > 0 && properties->sampleRate() > 0 &&
            properties->bitrate() > 0) {
            info.playable = true;
            info.durationSeconds = properties->lengthInMilliseconds() / 1000.0;
        }
    } catch (...) {
        info.playable = false;
        info.durationSeconds = 0.0;
    }
    return info;
}

} // namespace trimvox

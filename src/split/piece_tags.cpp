// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/piece_tags.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2frame.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tstring.h>

namespace trimvox {

namespace {

TagLib::String Utf8(const std::string& text) {
    return TagLib::String(text, TagLib::String::UTF8);
}

// Replaces every frame `id` with one text frame. TagLib writes UTF-8 text as UTF-16 in an ID3v2.3 tag.
void SetTextFrame(TagLib::ID3v2::Tag& tag, const char* id, const TagLib::String& value) {
    tag.removeFrames(TagLib::ByteVector(id));
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(TagLib::ByteVector(id), TagLib::String::UTF8);
    frame->setText(value);
    tag.addFrame(frame);
}

// The text where ID3v1 can hold it, else nothing (rather than question marks).
TagLib::String Latin1OrEmpty(const std::string& text) {
    const TagLib::String value = Utf8(text);
    return value.isLatin1() ? value : TagLib::String();
}

} // namespace

std::string TagPiece(const std::filesystem::path& file, const PieceTags& tags) {
    try {
        TagLib::MPEG::File mp3(file.c_str(), false);
        if (!mp3.isValid()) {
            return "TagLib cannot read the file";
        }
        const bool hadId3v2 = mp3.hasID3v2Tag();
        TagLib::ID3v2::Tag* id3v2 = mp3.ID3v2Tag(true);
        if (id3v2 == nullptr) {
            return "TagLib cannot make an ID3v2 tag";
        }
        const TagLib::ID3v2::Version version =
            hadId3v2 && id3v2->header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
        const std::string track = std::to_string(tags.track) + "/" + std::to_string(tags.total);
        if (!tags.title.empty()) {
            SetTextFrame(*id3v2, "TIT2", Utf8(tags.title));
        }
        SetTextFrame(*id3v2, "TRCK", Utf8(track));
        if (!tags.performer.empty()) {
            SetTextFrame(*id3v2, "TPE1", Utf8(tags.performer));
        }
        if (!tags.album.empty()) {
            SetTextFrame(*id3v2, "TALB", Utf8(tags.album));
        }
        if (!id3v2->frameList("TLEN").isEmpty()) {
            SetTextFrame(*id3v2, "TLEN", Utf8(std::to_string(tags.lengthMs)));
        }
        id3v2->removeFrames("CHAP");
        id3v2->removeFrames("CTOC");
        int which = TagLib::MPEG::File::ID3v2;
        if (mp3.hasID3v1Tag()) {
            TagLib::ID3v1::Tag* id3v1 = mp3.ID3v1Tag(false);
            if (!tags.title.empty()) {
                id3v1->setTitle(Latin1OrEmpty(tags.title));
            }
            id3v1->setTrack(static_cast<unsigned int>(tags.track <= 255 ? tags.track : 0));
            if (!tags.performer.empty()) {
                id3v1->setArtist(Latin1OrEmpty(tags.performer));
            }
            if (!tags.album.empty()) {
                id3v1->setAlbum(Latin1OrEmpty(tags.album));
            }
            which |= TagLib::MPEG::File::ID3v1;
        }
        if (!mp3.save(which, TagLib::File::StripNone, version, TagLib::File::DoNotDuplicate)) {
            return "TagLib could not write the tags";
        }
        return {};
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "TagLib failed";
    }
}

} // namespace trimvox

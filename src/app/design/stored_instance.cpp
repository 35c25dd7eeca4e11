// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/stored_instance.h"

#include "app/design/design_pictures.h"
#include "controls/mxbutton/font_object.h"

#include <QJsonValue>

#include <memory>

namespace trimvox {

namespace {

enum class Kind { Bool, Int, Colour, Text, Font, Picture, Cursor };

struct KeyKind {
    const char* key;
    Kind kind;
};

// Every key the button reads or writes, in lower case.
constexpr KeyKind kKeys[] = {
    {"buttonstyle", Kind::Int},   {"showfocusrect", Kind::Bool}, {"font", Kind::Font},
    {"backcolor", Kind::Colour},  {"enabled", Kind::Bool},       {"caption", Kind::Text},
    {"value", Kind::Bool},        {"mousepointer", Kind::Int},   {"handpointer", Kind::Bool},
    {"mouseicon", Kind::Cursor},  {"picture", Kind::Picture},    {"picturehover", Kind::Picture},
    {"picturesize", Kind::Int},   {"maskcolor", Kind::Colour},   {"usemaskcolor", Kind::Bool},
    {"checkboxmode", Kind::Bool}, {"picturealign", Kind::Int},   {"captionalign", Kind::Int},
    {"forecolor", Kind::Colour},
};

// Colours are written "0x00BBGGRR" (or as a plain number).
std::optional<mxbutton::OleColor> ReadColour(const QJsonValue& v) {
    if (v.isDouble()) {
        return static_cast<mxbutton::OleColor>(v.toInteger());
    }
    bool ok = false;
    const qulonglong n = v.toString().toULongLong(&ok, 0);
    if (!ok || n > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<mxbutton::OleColor>(n);
}

mxbutton::FontPtr ReadFont(const QJsonObject& o) {
    gdi::FontDescription font;
    font.name = o.value("name").toString().toStdString();
    font.size = o.value("size").toDouble(font.size);
    font.weight = o.value("weight").toInt(font.weight);
    font.charset = o.value("charset").toInt(font.charset);
    font.italic = o.value("italic").toBool(false);
    font.underline = o.value("underline").toBool(false);
    font.strikethrough = o.value("strikethrough").toBool(false);
    return std::make_shared<mxbutton::FontObject>(font);
}

} // namespace

mxbutton::PropertyStore StoredInstance(const QJsonObject& stored) {
    mxbutton::PropertyStore store;
    for (const KeyKind& k : kKeys) {
        const QString key = QString::fromLatin1(k.key);
        const auto it = stored.find(key);
        if (it == stored.end()) {
            continue;
        }
        const QJsonValue v = it.value();
        switch (k.kind) {
        case Kind::Bool:
            store.Put(key, v.toBool());
            break;
        case Kind::Int:
            store.Put(key, static_cast<std::int32_t>(v.toInt()));
            break;
        case Kind::Colour:
            if (const auto c = ReadColour(v)) {
                store.Put(key, mxbutton::PropertyValue(std::in_place_type<mxbutton::OleColor>, *c));
            }
            break;
        case Kind::Text:
            store.Put(key, v.toString());
            break;
        case Kind::Font:
            store.Put(key, ReadFont(v.toObject()));
            break;
        case Kind::Picture:
            if (auto p = LoadDesignBitmap(v.toString())) {
                store.Put(key, mxbutton::PicturePtr(std::move(p)));
            }
            break;
        case Kind::Cursor:
            if (auto c = LoadDesignCursor(v.toString()); c.picture) {
                store.Put(key, mxbutton::PicturePtr(std::move(c.picture)));
            }
            break;
        }
    }
    return store;
}

} // namespace trimvox

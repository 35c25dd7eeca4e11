// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/font_description.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace trimvox::mxbutton {

// The caption's font object. Every write of an attribute that changes it tells the objects watching it
// (a button redraws its caption and tells its host), so a font can be changed in place.
class FontObject {
public:
    FontObject() = default;
    explicit FontObject(gdi::FontDescription description) : d_(std::move(description)) {}
    // A copy has the attributes, not the watchers.
    FontObject(const FontObject& other) : d_(other.d_) {}
    FontObject& operator=(const FontObject&) = delete;

    const gdi::FontDescription& Description() const { return d_; }
    const std::string& Name() const { return d_.name; }
    double Size() const { return d_.size; }
    int Weight() const { return d_.weight; }
    bool Bold() const { return d_.weight >= kBoldWeight; }
    int Charset() const { return d_.charset; }
    bool Italic() const { return d_.italic; }
    bool Underline() const { return d_.underline; }
    bool Strikethrough() const { return d_.strikethrough; }

    void SetName(const std::string& value) { Set(d_.name, value); }
    void SetSize(double value) { Set(d_.size, value); }
    void SetWeight(int value) { Set(d_.weight, value); }
    // Bold is weight 700, not bold 400.
    void SetBold(bool value) { Set(d_.weight, value ? kBoldWeight : kNormalWeight); }
    void SetCharset(int value) { Set(d_.charset, value); }
    void SetItalic(bool value) { Set(d_.italic, value); }
    void SetUnderline(bool value) { Set(d_.underline, value); }
    void SetStrikethrough(bool value) { Set(d_.strikethrough, value); }

    // Calls `watcher` after every change until Unwatch is given the number returned.
    int Watch(std::function<void()> watcher);
    void Unwatch(int id);

private:
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;

    template <typename T> void Set(T& field, const T& value) {
        if (field == value) {
            return;
        }
        field = value;
        Changed();
    }
    void Changed();

    gdi::FontDescription d_;
    std::vector<std::pair<int, std::function<void()>>> watchers_;
    int nextId_ = 1;
};

// A font object of its own with the same attributes; none stays none.
std::shared_ptr<FontObject> CopyFont(const std::shared_ptr<FontObject>& font);

// Whether two font objects have the same attributes; two missing fonts are the same.
bool SameFont(const std::shared_ptr<FontObject>& a, const std::shared_ptr<FontObject>& b);

} // namespace trimvox::mxbutton

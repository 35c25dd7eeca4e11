// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window design kept as data: the window and its controls with their places in twips, captions, fonts,
// tab order and, for button controls, their stored instances. Loaded from the program's resources.

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace trimvox {

// 15 twips make one pixel at 96 dots per inch; Qt's own scaling takes care of other screens.
inline constexpr int kTwipsPerPixel = 15;
constexpr int TwipsToPixels(int twips) {
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -(kTwipsPerPixel / 2))) / kTwipsPerPixel;
}

struct DesignFont {
    QString name;
    double size = 9.0; // points
    int weight = 400;
    int charset = 1;
    bool italic = false;
    bool underline = false;
};

struct ControlDesign {
    QString name;
    int index = -1;                               // the index within a control array, -1 for a single control
    QString kind;                                 // "MediaPlayer", "mxbutton", "Frame", "Label", "Timer"
    QString container;                            // the frame it lies in; empty for the window itself
    int left = 0, top = 0, width = 0, height = 0; // twips, relative to the container
    int tabIndex = -1;                            // -1: none (timers)
    QString caption;
    std::optional<DesignFont> font; // none: the window's font
    int mousePointer = 0;           // 99: the custom pointer mouseIcon
    QString mouseIcon;              // resource path of a cursor
    int interval = 0;               // timers, milliseconds
    bool enabled = true;
    QJsonObject settings; // media player settings
    QJsonObject stored;   // a button's stored instance: lower-case property-store keys
};

struct FormDesign {
    QString name;
    QString caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    QString borderStyle;  // "fixedSingle"
    bool minButton = true;
    bool maxButton = true;
    QString icon; // resource path
    std::vector<ControlDesign> controls;

    // The control of that name (and index, for a control array); null when there is none.
    const ControlDesign* Find(const QString& name, int index = -1) const;
};

// Reads a design; nothing when the file is missing or is not a design.
std::optional<FormDesign> ParseFormDesign(const QByteArray& json);
std::optional<FormDesign> LoadFormDesign(const QString& path);

} // namespace trimvox

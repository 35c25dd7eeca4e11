// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/form_design.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace trimvox {

namespace {

DesignFont ReadFont(const QJsonObject& o) {
    DesignFont f;
    f.name = o.value("name").toString();
    f.size = o.value("size").toDouble(f.size);
    f.weight = o.value("weight").toInt(f.weight);
    f.charset = o.value("charset").toInt(f.charset);
    f.italic = o.value("italic").toBool(false);
    f.underline = o.value("underline").toBool(false);
    return f;
}

ControlDesign ReadControl(const QJsonObject& o) {
    ControlDesign c;
    c.name = o.value("name").toString();
    c.index = o.value("index").toInt(-1);
    c.kind = o.value("kind").toString();
    c.container = o.value("container").toString();
    c.left = o.value("left").toInt();
    c.top = o.value("top").toInt();
    c.width = o.value("width").toInt();
    c.height = o.value("height").toInt();
    c.tabIndex = o.value("tabIndex").toInt(-1);
    c.caption = o.value("caption").toString();
    if (o.value("font").isObject()) {
        c.font = ReadFont(o.value("font").toObject());
    }
    c.mousePointer = o.value("mousePointer").toInt(0);
    c.mouseIcon = o.value("mouseIcon").toString();
    c.interval = o.value("interval").toInt(0);
    c.enabled = o.value("enabled").toBool(true);
    c.settings = o.value("settings").toObject();
    c.stored = o.value("stored").toObject();
    return c;
}

} // namespace

const ControlDesign* FormDesign::Find(const QString& name, int index) const {
    for (const ControlDesign& c : controls) {
        if (c.name == name && c.index == index) {
            return &c;
        }
    }
    return nullptr;
}

std::optional<FormDesign> ParseFormDesign(const QByteArray& json) {
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    if (!o.value("controls").isArray()) {
        return std::nullopt;
    }
    FormDesign d;
    d.name = o.value("name").toString();
    d.caption = o.value("caption").toString();
    d.clientWidth = o.value("clientWidth").toInt();
    d.clientHeight = o.value("clientHeight").toInt();
    d.borderStyle = o.value("borderStyle").toString();
    d.minButton = o.value("minButton").toBool(true);
    d.maxButton = o.value("maxButton").toBool(true);
    d.icon = o.value("icon").toString();
    for (const QJsonValue& v : o.value("controls").toArray()) {
        d.controls.push_back(ReadControl(v.toObject()));
    }
    return d;
}

std::optional<FormDesign> LoadFormDesign(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return ParseFormDesign(file.readAll());
}

} // namespace trimvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/form1_design.h"

#include "app/design/design_pictures.h"
#include "app/design/design_resources.h"
#include "app/design/stored_instance.h"

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <algorithm>
#include <map>
#include <vector>

namespace trimvox {

namespace {

QRect PixelRect(const ControlDesign& c) {
    return QRect(TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.width),
                 TwipsToPixels(c.height));
}

QFont FontOf(const DesignFont& f, const QFont& base) {
    QFont font = base;
    font.setFamily(f.name);
    font.setPointSizeF(f.size);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

// The custom pointer of a design: a cursor file with its own hot spot.
std::optional<QCursor> CursorOf(const QString& path) {
    const DesignCursor cursor = LoadDesignCursor(path);
    QImage image(path);
    if (!cursor.picture || image.isNull()) {
        return std::nullopt;
    }
    return QCursor(QPixmap::fromImage(image), cursor.hotSpot.x(), cursor.hotSpot.y());
}

void ApplyWindow(QWidget& form, const FormDesign& d) {
    form.setWindowTitle(d.caption);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (d.minButton) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (d.maxButton) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    form.setWindowFlags(flags);
    const QSize client(TwipsToPixels(d.clientWidth), TwipsToPixels(d.clientHeight));
    if (d.borderStyle == QStringLiteral("fixedSingle")) {
        form.setFixedSize(client);
    } else {
        form.resize(client);
    }
    if (!d.icon.isEmpty()) {
        form.setWindowIcon(QIcon(d.icon));
    }
}

QLabel* MakeLabel(const ControlDesign& c, QWidget* parent) {
    QLabel* label = c.name == QStringLiteral("Label8") ? new ClickableLabel(parent) : new QLabel(parent);
    label->setObjectName(c.name);
    label->setText(c.caption);
    label->setTextFormat(Qt::PlainText);
    // Left-aligned from the top, wrapped at the label's width and cut off at its height.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(PixelRect(c));
    return label;
}

mxbutton::mxbutton* MakeButton(const ControlDesign& c, QWidget* parent) {
    auto* button = new mxbutton::mxbutton(parent, nullptr, c.index);
    button->setObjectName(QStringLiteral("%1(%2)").arg(c.name).arg(c.index));
    button->setGeometry(PixelRect(c));
    button->ReadProperties(StoredInstance(c.stored));
    return button;
}

MediaPlayer* MakePlayer(const ControlDesign& c, QWidget* parent) {
    auto* player = new MediaPlayer(parent);
    player->setObjectName(c.name);
    player->setGeometry(PixelRect(c));
    if (c.settings.contains(QStringLiteral("autoStart"))) {
        player->setAutoStart(c.settings.value(QStringLiteral("autoStart")).toBool());
    }
    if (c.settings.contains(QStringLiteral("volume"))) {
        player->setVolume(c.settings.value(QStringLiteral("volume")).toInt());
    }
    return player;
}

} // namespace

Form1Controls BuildForm1Design(QWidget& form, const FormDesign& design) {
    EnsureDesignResources();
    ApplyWindow(form, design);

    Form1Controls out;
    std::map<QString, QWidget*> containers;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    std::vector<QWidget*> inFront;

    for (const ControlDesign& c : design.controls) {
        QWidget* parent = &form;
        if (!c.container.isEmpty()) {
            const auto it = containers.find(c.container);
            parent = it != containers.end() ? it->second : &form;
        }
        QWidget* widget = nullptr;
        if (c.kind == QStringLiteral("MediaPlayer")) {
            out.wmp = MakePlayer(c, parent);
            widget = out.wmp;
        } else if (c.kind == QStringLiteral("mxbutton")) {
            if (c.index < 0 || c.index >= static_cast<int>(out.mxb.size())) {
                continue;
            }
            out.mxb[c.index] = MakeButton(c, parent);
            widget = out.mxb[c.index];
            inFront.push_back(widget);
        } else if (c.kind == QStringLiteral("Frame")) {
            auto* frame = new QGroupBox(c.caption, parent);
            frame->setObjectName(c.name);
            frame->setGeometry(PixelRect(c));
            containers[c.name] = frame;
            widget = frame;
            if (c.name == QStringLiteral("Frame1")) {
                out.Frame1 = frame;
            } else if (c.name == QStringLiteral("Frame2")) {
                out.Frame2 = frame;
            }
        } else if (c.kind == QStringLiteral("Label")) {
            QLabel* label = MakeLabel(c, parent);
            widget = label;
            QLabel** labelFields[] = {&out.Label1, &out.Label2, &out.Label3, &out.Label4,
                                      &out.Label5, &out.Label6, &out.Label7};
            const QString n = c.name;
            if (n.startsWith(QStringLiteral("Label"))) {
                const int number = n.mid(5).toInt();
                if (number >= 1 && number <= 7) {
                    *labelFields[number - 1] = label;
                } else if (number == 8) {
                    out.Label8 = static_cast<ClickableLabel*>(label);
                }
            }
        } else if (c.kind == QStringLiteral("Timer")) {
            auto* timer = new QTimer(&form);
            timer->setObjectName(c.name);
            timer->setInterval(c.interval);
            if (c.enabled) {
                timer->start();
            }
            if (c.name == QStringLiteral("Timer1")) {
                out.Timer1 = timer;
            } else if (c.name == QStringLiteral("Timer2")) {
                out.Timer2 = timer;
            }
            continue;
        } else {
            continue;
        }
        if (c.font && c.kind != QStringLiteral("mxbutton")) {
            widget->setFont(FontOf(*c.font, widget->font()));
        }
        if (c.mousePointer == 99 && !c.mouseIcon.isEmpty()) {
            if (const auto cursor = CursorOf(c.mouseIcon)) {
                widget->setCursor(*cursor);
            }
        }
        if (c.tabIndex >= 0) {
            tabOrder.emplace_back(c.tabIndex, widget);
        }
    }

    // The buttons lie in front of the player and take the clicks over it.
    for (QWidget* w : inFront) {
        w->raise();
    }
    // Keyboard focus follows the tab indexes over the controls that can take it.
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    return out;
}

Form1Controls BuildForm1Design(QWidget& form) {
    EnsureDesignResources();
    const std::optional<FormDesign> design = LoadFormDesign(QString::fromLatin1(kForm1DesignPath));
    return design ? BuildForm1Design(form, *design) : Form1Controls{};
}

} // namespace trimvox

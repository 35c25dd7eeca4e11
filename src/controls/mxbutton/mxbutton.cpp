// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/mxbutton.h"

#include "controls/mxbutton/access_key.h"
#include "controls/mxbutton/button_accessible.h"
#include "controls/mxbutton/font_object.h"
#include "controls/mxbutton/hand_cursor.h"
#include "controls/mxbutton/mouse_tracking.h"
#include "controls/mxbutton/picture_image.h"
#include "controls/mxbutton/platform_exports.h"
#include "controls/mxbutton/size_limit.h"
#include "controls/mxbutton/style_defaults.h"
#include "controls/mxbutton/virtual_keys.h"
#include "controls/mxbutton/window_messages.h"
#include "controls/mxbutton/window_outline.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/region.h"
#include "platform/gdi/system_colors.h"

#ifdef TRIMVOX_MXBUTTON_RENDER
#include "controls/mxbutton/render/redraw.h"
#endif

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QShortcut>

#include <limits>
#include <stdexcept>

namespace trimvox::mxbutton {

namespace {

// A newly placed button is 1335 by 495 twips.
constexpr int kNewWidthTwips = 1335;
constexpr int kNewHeightTwips = 495;

Qt::CursorShape ShapeOfMousePointer(int pointer) {
    switch (pointer) {
    case 1:
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

mxbutton::mxbutton(QWidget* parent, ButtonHost* host, int index)
    : QWidget(parent), host_(host), index_(index) {
    if (host_ == nullptr) {
        ownHost_ = std::make_unique<BasicButtonHost>();
        host_ = ownHost_.get();
    }
    m_.mIsNT = true;
    InstallButtonAccessibleFactory();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    widthTwips_ = kNewWidthTwips;
    heightTwips_ = kNewHeightTwips;
    resize(TwipsToPixels(widthTwips_), TwipsToPixels(heightTwips_));
    RefreshSurfaceSize();
}

mxbutton::~mxbutton() {
    WatchFont(nullptr);
    Teardown();
}

void mxbutton::Teardown() {
    if (!hooksInstalled_) {
        return;
    }
    hooksInstalled_ = false;
    // The parent window's hook first, then the button's own, then whatever is left.
    if (m_.mParentHwnd != nullptr) {
        hooks_.UnsubclassWindow(m_.mParentHwnd);
    }
    hooks_.UnsubclassWindow(this);
    hooks_.UnsubclassAll();
}

OleColor mxbutton::Resolve(OleColor color) const {
    return gdi::ResolveColor(color);
}

void mxbutton::RefreshSurfaceSize() {
    if (surface_.Width() != width() || surface_.Height() != height()) {
        surface_.Resize(width(), height());
    }
    m_.mWidth = surface_.Width();
    m_.mHeight = surface_.Height();
}

// ---- creation, restore, store ----

void mxbutton::InitProperties() {
    const ColorResolver resolve = [this](OleColor c) { return Resolve(c); };
    InitNewInstance(m_, *host_, resolve);
    gdi::FontDescription font = surface_.Font();
    font.name = "Tahoma";
    surface_.SetFont(font);
    surface_.SetForeColor(m_.mForeColor);
    QWidget::setEnabled(m_.mEnabled);
    m_.accessKey = UpdateAccessKey(m_.mCaption);
    UpdateAccessKeyShortcut();
    RefreshSurfaceSize();
    Redraw();
}

void mxbutton::ReadProperties(const PropertyStore& store) {
    const ColorResolver resolve = [this](OleColor c) { return Resolve(c); };
    ReadStoredProperties(m_, pointer_, store, *host_, resolve);
    WatchFont(m_.mFont);
    if (m_.mFont) {
        surface_.SetFont(m_.mFont->Description());
    }
    surface_.SetForeColor(m_.mForeColor);
    QWidget::setEnabled(m_.mEnabled);
    ApplyMousePointer();
    m_.accessKey = UpdateAccessKey(m_.mCaption);
    UpdateAccessKeyShortcut();
    RefreshSurfaceSize();
    m_.mIsDefault = host_->AmbientDisplayAsDefault();
    m_.mParentHwnd = host_->ParentHwnd();
    if (m_.mParentHwnd == nullptr && parentWidget() != nullptr) {
        m_.mParentHwnd = parentWidget()->window();
    }
    ResizeHandling();
    if (host_->AmbientUserMode()) {
        if (m_.mHandPointer) {
            LoadHandCursor();
        }
        InstallHooks();
    }
}

void mxbutton::WriteProperties(PropertyStore& store) const {
    const ColorResolver resolve = [this](OleColor c) { return Resolve(c); };
    WriteStoredProperties(m_, pointer_, store, *host_, resolve);
}

void mxbutton::LoadHandCursor() {
    if (const std::optional<QCursor> cursor = LoadSystemCursor(kHandCursorId)) {
        handCursor_ = *cursor;
        m_.mHandCursor = true;
    } else {
        m_.mHandCursor = false;
        m_.mHandPointer = false;
    }
}

void mxbutton::InstallHooks() {
    if (hooksInstalled_) {
        return;
    }
    m_.mTrackMouse = true;
    m_.mTrackUser32 = IsFunctionExported(QStringLiteral("TrackMouseEvent"), QStringLiteral("User32"));
    if (!m_.mTrackUser32 &&
        !IsFunctionExported(QStringLiteral("_TrackMouseEvent"), QStringLiteral("Comctl32"))) {
        m_.mTrackMouse = false;
        return;
    }
    hooksInstalled_ = true;
    hooks_.SubclassWindow(this);
    hooks_.SubclassWindow(m_.mParentHwnd);
    hooks_.AddSubclassMessage(this, kMsgMouseMove, kMsgAfter);
    hooks_.AddSubclassMessage(this, kMsgMouseLeave, kMsgAfter);
    // An MDI child, or a parent that cannot tell, is watched for the non-client activation.
    const std::optional<bool> mdiChild = host_->ParentMDIChild();
    const std::int32_t activation = !mdiChild.has_value() || *mdiChild ? kMsgNcActivate : kMsgActivate;
    hooks_.AddSubclassMessage(m_.mParentHwnd, activation, kMsgAfter);
}

// ---- properties ----

void mxbutton::SetBackColor(OleColor value) {
    m_.mBackColor = value;
    Redraw();
    Notify(QStringLiteral("BackColor"));
}

void mxbutton::SetButtonStyle(std::int32_t value) {
    m_.mButtonStyle = value;
    ApplyStyleDefaults(m_, [this](OleColor c) { return Resolve(c); });
    BuildWindowRegion();
    Redraw();
    Notify(QStringLiteral("ButtonStyle"));
}

void mxbutton::SetCaption(const QString& value) {
    m_.mCaption = value;
    m_.accessKey = UpdateAccessKey(value);
    UpdateAccessKeyShortcut();
    Redraw();
    ReportButtonName(*this);
    Notify(QStringLiteral("Caption"));
}

void mxbutton::SetCaptionAlign(std::int32_t value) {
    m_.mCaptionAlign = value;
    Redraw();
    Notify(QStringLiteral("CaptionAlign"));
}

void mxbutton::SetCheckBoxMode(bool value) {
    m_.mCheckBoxMode = value;
    if (!value) {
        m_.mButtonState = ButtonState::Normal;
    }
    Redraw();
    Notify(QStringLiteral("Value"));
    Notify(QStringLiteral("CheckBoxMode"));
}

void mxbutton::SetEnabled(bool value) {
    m_.mEnabled = value;
    QWidget::setEnabled(value);
    Redraw();
    Notify(QStringLiteral("Enabled"));
}

void mxbutton::SetFont(FontPtr value) {
    m_.mFont = std::move(value);
    WatchFont(m_.mFont);
    update();
    Redraw();
    Notify(QStringLiteral("Font"));
    FontChanged();
}

void mxbutton::WatchFont(const FontPtr& font) {
    if (watchedFont_ == font) {
        return;
    }
    if (watchedFont_) {
        watchedFont_->Unwatch(fontWatch_);
    }
    watchedFont_ = font;
    fontWatch_ = font ? font->Watch([this] { FontChanged(); }) : 0;
}

void mxbutton::FontChanged() {
    if (m_.mFont) {
        surface_.SetFont(m_.mFont->Description());
    }
    update();
    Redraw();
    Notify(QStringLiteral("Font"));
}

void mxbutton::SetForeColor(OleColor value) {
    m_.mForeColor = value;
    surface_.SetForeColor(value);
    ResizeHandling();
    Notify(QStringLiteral("ForeColor"));
}

void mxbutton::SetHandPointer(bool value) {
    m_.mHandPointer = value;
    // At run time the hand cursor is loaded when it is first needed, so that the pointer never
    // disappears over the button.
    if (value && !m_.mHandCursor && host_->AmbientUserMode()) {
        LoadHandCursor();
    }
    if (!value) {
        ApplyMousePointer(); // the window's own pointer shape again
    }
    Notify(QStringLiteral("HandPointer"));
}

void mxbutton::SetMaskColor(OleColor value) {
    m_.mMaskColor = value;
    Redraw();
    Notify(QStringLiteral("MaskColor"));
}

void mxbutton::SetMouseIcon(PicturePtr value) {
    pointer_.mouseIcon = std::move(value);
    pointer_.mousePointer = pointer_.mouseIcon ? 99 : 0;
    ApplyMousePointer();
    Notify(QStringLiteral("MouseIcon"));
}

void mxbutton::SetMousePointer(int value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error("MousePointer: value outside the 16-bit range");
    }
    pointer_.mousePointer = static_cast<std::int16_t>(value);
    ApplyMousePointer();
    Notify(QStringLiteral("MousePointer"));
}

void mxbutton::ApplyMousePointer() {
    if (pointer_.mousePointer == 0) {
        unsetCursor();
        return;
    }
    if (pointer_.mousePointer == 99) {
        const QImage image = PictureToImage(pointer_.mouseIcon);
        if (image.isNull()) {
            unsetCursor();
        } else {
            // A picture without a hot spot of its own points with its centre.
            setCursor(QCursor(QPixmap::fromImage(image), pointer_.mouseIcon->hotSpotX,
                              pointer_.mouseIcon->hotSpotY));
        }
        return;
    }
    setCursor(QCursor(ShapeOfMousePointer(pointer_.mousePointer)));
}

void mxbutton::SetPicture(PicturePtr value) {
    m_.mPicture = std::move(value);
    if (!m_.mPicture) {
        ResizeHandling();
        return;
    }
    Redraw();
    Notify(QStringLiteral("Picture"));
}

void mxbutton::SetPictureAlign(std::int32_t value) {
    m_.mPictureAlign = value;
    if (m_.mPicture) {
        Redraw();
    }
    Notify(QStringLiteral("PictureAlign"));
}

void mxbutton::SetPictureHover(PicturePtr value) {
    if (!m_.mPicture) {
        m_.mPicture = value;
        Notify(QStringLiteral("Picture"));
    }
    m_.mPictureHover = std::move(value);
    if (!m_.mPictureHover) {
        ResizeHandling();
        return;
    }
    Redraw();
    Notify(QStringLiteral("PictureHover"));
}

void mxbutton::SetPictureSize(std::int32_t value) {
    m_.mPictureSize = value;
    Redraw();
    Notify(QStringLiteral("PictureSize"));
}

void mxbutton::SetShowFocusRect(bool value) {
    m_.mShowFocusRect = value;
    Notify(QStringLiteral("ShowFocusRect"));
}

void mxbutton::SetUseMaskColor(bool value) {
    m_.mUseMaskColor = value;
    if (m_.mPicture) {
        Redraw();
    }
    Notify(QStringLiteral("UseMaskColor"));
}

void mxbutton::SetValue(bool value) {
    if (!m_.mCheckBoxMode) {
        // Outside check-box mode there is no toggled state to keep.
        m_.mButtonState = ButtonState::Normal;
        Redraw();
        return;
    }
    m_.mValue = value;
    if (!value) {
        m_.mButtonState = ButtonState::Normal;
    }
    Redraw();
    Notify(QStringLiteral("Value"));
}

void mxbutton::SetWidth(int twips) {
    widthTwips_ = twips;
    resize(TwipsToPixels(twips), height());
    if (!inResize_) {
        ResizeHandling();
    }
}

void mxbutton::SetHeight(int twips) {
    heightTwips_ = twips;
    resize(width(), TwipsToPixels(twips));
    if (!inResize_) {
        ResizeHandling();
    }
}

void mxbutton::About() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("About"),
                    QStringLiteral("MXButton\nA Multistyle Button Control"), QMessageBox::Ok, this);
    box.exec();
}

// ---- host notices ----

void mxbutton::AccessKeyPress(std::int16_t keyAscii) {
    OnAccessKey(m_, *this, keyAscii);
}

void mxbutton::AmbientChanged(const QString& propertyName) {
    m_.mIsDefault = host_->AmbientDisplayAsDefault();
    if (propertyName == QLatin1String("DisplayAsDefault") || propertyName == QLatin1String("BackColor")) {
        Redraw();
    }
}

void mxbutton::UpdateAccessKeyShortcut() {
    delete accessShortcut_;
    accessShortcut_ = nullptr;
    if (m_.accessKey.isNull()) {
        return;
    }
    const QChar key = m_.accessKey.toUpper();
    accessShortcut_ =
        new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.unicode()))), this);
    accessShortcut_->setContext(Qt::WindowShortcut);
    const auto code = static_cast<std::int16_t>(m_.accessKey.unicode());
    connect(accessShortcut_, &QShortcut::activated, this, [this, code] { AccessKeyPress(code); });
}

// ---- drawing ----

void mxbutton::RenderSurface() {
    RefreshSurfaceSize();
#ifdef TRIMVOX_MXBUTTON_RENDER
    RedrawContext ctx;
    ctx.text = &text_;
    ctx.containerBackColor = host_->AmbientBackColor();
    ctx.containerBackColorKnown = true;
    ctx.userMode = host_->AmbientUserMode();
    ctx.buildWindowRegion = [this] { BuildWindowRegion(); };
    trimvox::mxbutton::Redraw(m_, surface_, ctx);
#else
    // Until the style painters exist: clear, fill the face, no picture and caption yet.
    surface_.Clear();
    m_.ButtonRect = ModelRect{0, 0, m_.mWidth, m_.mHeight};
    surface_.FillRect(gdi::Rect{0, 0, m_.mWidth, m_.mHeight}, gdi::ResolveColor(m_.mBackColor));
#endif
}

void mxbutton::Redraw() {
    ++redraws_;
    RenderSurface();
    update();
    ReportButtonInputStates(*this, reportedStates_);
}

void mxbutton::paintEvent(QPaintEvent*) {
    RenderSurface();
    if (surface_.Width() <= 0 || surface_.Height() <= 0) {
        return;
    }
    const QImage image(reinterpret_cast<const uchar*>(surface_.Bits()), surface_.Width(), surface_.Height(),
                       surface_.Width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void mxbutton::BuildWindowRegion() {
    const int w = width();
    const int h = height();
    // The outline depends only on the style and the size: building it again for the same ones would
    // only ask for another repaint.
    if (m_.mRegion.built && m_.mRegion.style == m_.mButtonStyle && m_.mRegion.width == w &&
        m_.mRegion.height == h) {
        return;
    }
    const WindowOutline outline = OutlineForStyle(m_.mButtonStyle, w, h);
    const gdi::Region region = outline.rounded ? gdi::Region::RoundRect(0, 0, outline.right, outline.bottom,
                                                                        outline.ellipse, outline.ellipse)
                                               : gdi::Region::FromRect(0, 0, outline.right, outline.bottom);
    QRegion mask;
    for (const gdi::Rect& r : region.Rects()) {
        mask += QRect(r.left, r.top, r.Width(), r.Height());
    }
    m_.mRegion = RegionRecord{true, m_.mButtonStyle, w, h};
    setMask(mask);
    update();
}

void mxbutton::ResizeHandling() {
    if (inResize_) {
        return;
    }
    inResize_ = true;
    if (heightTwips_ < kMinimumTwips) {
        SetHeight(kMinimumTwips);
    }
    if (widthTwips_ < kMinimumTwips) {
        SetWidth(kMinimumTwips);
    }
    inResize_ = false;
    BuildWindowRegion();
    Redraw();
}

void mxbutton::resizeEvent(QResizeEvent*) {
    // A size given in pixels from outside (a layout, the form) becomes the twips size.
    if (TwipsToPixels(widthTwips_) != width()) {
        widthTwips_ = width() * kTwipsPerPixel;
    }
    if (TwipsToPixels(heightTwips_) != height()) {
        heightTwips_ = height() * kTwipsPerPixel;
    }
    ResizeHandling();
}

// ---- input ----

void mxbutton::mousePressEvent(QMouseEvent* event) {
    // A press that makes a double-click is followed by the double-click itself, which stands in its place.
    if (event->flags() & Qt::MouseEventCreatedDoubleClick) {
        return;
    }
    lastGlobalPos_ = event->globalPosition().toPoint();
    OnMouseDown(m_, *this, ButtonMask(event->button()), ShiftMask(event->modifiers()),
                static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void mxbutton::mouseMoveEvent(QMouseEvent* event) {
    lastGlobalPos_ = event->globalPosition().toPoint();
    OnMouseMove(m_, *this, ButtonMask(event->buttons()), ShiftMask(event->modifiers()),
                static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void mxbutton::mouseReleaseEvent(QMouseEvent* event) {
    lastGlobalPos_ = event->globalPosition().toPoint();
    OnMouseUp(m_, *this, ButtonMask(event->button()), ShiftMask(event->modifiers()),
              static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void mxbutton::mouseDoubleClickEvent(QMouseEvent* event) {
    lastGlobalPos_ = event->globalPosition().toPoint();
    OnDblClick(m_, *this);
}

void mxbutton::keyPressEvent(QKeyEvent* event) {
    OnKeyDown(m_, *this, VirtualKeyFromQt(event->key()), ShiftMask(event->modifiers()));
}

void mxbutton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        return; // a held key is released once
    }
    OnKeyUp(m_, *this, VirtualKeyFromQt(event->key()), ShiftMask(event->modifiers()));
}

void mxbutton::focusInEvent(QFocusEvent*) {
    OnFocusGained(m_, *this);
}

void mxbutton::focusOutEvent(QFocusEvent*) {
    OnFocusLost(m_, *this);
}

void mxbutton::SetHandCursor() {
    if (m_.mHandCursor) {
        setCursor(handCursor_);
    }
}

bool mxbutton::PointerOverControl() {
    return QApplication::widgetAt(lastGlobalPos_) == this;
}

bool mxbutton::HasCapture() {
    return QWidget::mouseGrabber() == this;
}

void mxbutton::TakeCapture() {
    grabMouse();
}

void mxbutton::ReleaseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
}

void mxbutton::SendTab(bool forward) {
    // As a keystroke for the focused control, handled after the current key.
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = this;
    }
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                                                  forward ? Qt::NoModifier : Qt::ShiftModifier));
}

bool mxbutton::DoEvents() {
    const QPointer<mxbutton> self(this);
    QCoreApplication::processEvents();
    return !self.isNull();
}

// ---- hooks ----

void mxbutton::RequestMouseLeave(QObject* window) {
    if (!m_.mTrackMouse) {
        return;
    }
    TrackMouseEventRequest request;
    request.hwndTrack = window;
    if (m_.mTrackUser32) {
        TrackMouseEvent(request);
    } else {
        TrackMouseEventComctl(request);
    }
}

void mxbutton::zSubclass_Proc(bool, bool&, std::int32_t&, QObject*& lng_hWnd, std::int32_t& uMsg,
                              std::int32_t& wParam, std::int32_t&) {
    try {
        switch (uMsg) {
        case kMsgActivate:
        case kMsgNcActivate:
            if (wParam != 0) {
                OnParentActivated(m_, *this);
            } else {
                OnParentDeactivated(m_, *this);
            }
            break;
        case kMsgMouseMove:
            // The pointer has just come over the button; the leave request goes to the window reporting it.
            // A move reported while the mouse is captured and the pointer is elsewhere is no entering. A
            // disabled button takes no mouse input at all, so the pointer passing over it changes nothing
            // (and the last pointer position known to it may be stale).
            if (isEnabled() && !m_.mMouseOver && PointerOverControl()) {
                OnPointerEntered(m_, *this);
                RequestMouseLeave(lng_hWnd);
            }
            break;
        case kMsgMouseLeave:
            OnPointerLeft(m_, *this);
            break;
        default:
            break;
        }
    } catch (...) {
        // Nothing that goes wrong in a hook reaches the window's caller.
    }
}

} // namespace trimvox::mxbutton

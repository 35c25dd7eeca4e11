// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_host.h"
#include "controls/mxbutton/button_input.h"
#include "controls/mxbutton/button_model.h"
#include "controls/mxbutton/persistence.h"
#include "controls/mxbutton/property_store.h"
#include "controls/mxbutton/subclass_table.h"
#include "controls/mxbutton/window_hook_chain.h"
#include "platform/gdi/qt_text_renderer.h"
#include "platform/gdi/surface.h"

#include <QAccessible>
#include <QCursor>
#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <memory>

class QShortcut;

namespace trimvox::mxbutton {

// MXButton: an owner-drawn push button with sixteen looks, hover, pressed, focus and disabled states,
// pictures with a mask colour, an optional check-box mode and window hooks that report the pointer leaving
// the button and its form becoming active or inactive.
//
// Every property write tells the host the property's name. Events are signals; each carries the button's
// index in its control array first (-1 for a button that is not in one).
class mxbutton : public QWidget, private InputEffects, public SubclassCallback {
    Q_OBJECT
public:
    // Without a host the button makes one of its own (run time, named "mxbutton1", parent form = window()).
    explicit mxbutton(QWidget* parent = nullptr, ButtonHost* host = nullptr, int index = -1);
    ~mxbutton() override;

    // Exactly one of these two follows the construction: set-up of a newly placed button, or restoring
    // one from the host's store.
    void InitProperties();
    void ReadProperties(const PropertyStore& store);
    // Stores the button; values equal to their defaults are left out.
    void WriteProperties(PropertyStore& store) const;

    // Properties.
    OleColor BackColor() const { return m_.mBackColor; }
    void SetBackColor(OleColor value);
    std::int32_t ButtonStyle() const { return m_.mButtonStyle; }
    void SetButtonStyle(std::int32_t value);
    QString Caption() const { return m_.mCaption; }
    void SetCaption(const QString& value);
    std::int32_t CaptionAlign() const { return m_.mCaptionAlign; }
    void SetCaptionAlign(std::int32_t value);
    bool CheckBoxMode() const { return m_.mCheckBoxMode; }
    void SetCheckBoxMode(bool value);
    bool Enabled() const { return m_.mEnabled; }
    void SetEnabled(bool value);
    FontPtr Font() const { return m_.mFont; }
    void SetFont(FontPtr value);
    OleColor ForeColor() const { return m_.mForeColor; }
    void SetForeColor(OleColor value);
    bool HandPointer() const { return m_.mHandPointer; }
    void SetHandPointer(bool value);
    QWidget* hWnd() { return this; }
    OleColor MaskColor() const { return m_.mMaskColor; }
    void SetMaskColor(OleColor value);
    PicturePtr MouseIcon() const { return pointer_.mouseIcon; }
    void SetMouseIcon(PicturePtr value);
    std::int16_t MousePointer() const { return pointer_.mousePointer; }
    // A value outside the 16-bit range throws std::overflow_error and changes nothing.
    void SetMousePointer(int value);
    PicturePtr Picture() const { return m_.mPicture; }
    void SetPicture(PicturePtr value);
    std::int32_t PictureAlign() const { return m_.mPictureAlign; }
    void SetPictureAlign(std::int32_t value);
    PicturePtr PictureHover() const { return m_.mPictureHover; }
    void SetPictureHover(PicturePtr value);
    std::int32_t PictureSize() const { return m_.mPictureSize; }
    void SetPictureSize(std::int32_t value);
    bool ShowFocusRect() const { return m_.mShowFocusRect; }
    void SetShowFocusRect(bool value);
    bool UseMaskColor() const { return m_.mUseMaskColor; }
    void SetUseMaskColor(bool value);
    bool Value() const { return m_.mValue; }
    void SetValue(bool value);

    // The outer size in twips; never below 220 twips in either direction.
    int Width() const { return widthTwips_; }
    int Height() const { return heightTwips_; }
    void SetWidth(int twips);
    void SetHeight(int twips);

    int Index() const { return index_; }

    // Shows the About box and returns when it is closed.
    void About();

    // The host reports the access key, or Enter / Escape when the button is its form's default or
    // cancel button.
    void AccessKeyPress(std::int16_t keyAscii);
    // The host reports a changed ambient property.
    void AmbientChanged(const QString& propertyName);
    // An attribute of the font object changed (the button watches the object it shows).
    void FontChanged();

    // The one repaint: draws the button into its surface and shows it.
    void Redraw() override;
    // Gives the window its style's outline (when style or size changed since the last one).
    void BuildWindowRegion();

    // Window hooks.
    int SubclassWindow(QObject* window) { return hooks_.SubclassWindow(window); }
    void UnsubclassWindow(QObject* window) { hooks_.UnsubclassWindow(window); }
    void UnsubclassAll() { hooks_.UnsubclassAll(); }
    void AddSubclassMessage(QObject* window, std::int32_t message, int flag) {
        hooks_.AddSubclassMessage(window, message, flag);
    }
    void RemoveSubclassMessage(QObject* window, std::int32_t message, int flag) {
        hooks_.RemoveSubclassMessage(window, message, flag);
    }
    int FindHookIndex(QObject* window, bool forAdding) const {
        return hooks_.FindHookIndex(window, forAdding);
    }
    const SubclassTable& Hooks() const { return hooks_; }
    void zSubclass_Proc(bool bBefore, bool& bHandled, std::int32_t& lReturn, QObject*& lng_hWnd,
                        std::int32_t& uMsg, std::int32_t& wParam, std::int32_t& lParam) override;
    // One mouse-leave notification for the window; nothing when tracking is not available.
    void RequestMouseLeave(QObject* window);

    // The state and the drawing surface, for the host and for checks.
    const ButtonModel& Model() const { return m_; }
    const gdi::Surface& Surface() const { return surface_; }
    // How many repaints the button has asked for so far.
    std::uint64_t RedrawCount() const { return redraws_; }

signals:
    void Click(int Index);
    void DblClick(int Index);
    void MouseEnter(int Index);
    void MouseLeave(int Index);
    void MouseMove(int Index, qint16 Button, qint16 Shift, float x, float y);
    void MouseUp(int Index, qint16 Button, qint16 Shift, float x, float y);
    void MouseDown(int Index, qint16 Button, qint16 Shift, float x, float y);
    void KeyDown(int Index, qint16 KeyCode, qint16 Shift);
    void KeyUp(int Index, qint16 KeyCode, qint16 Shift);
    void KeyPress(int Index, qint16 KeyAcsii);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // InputEffects.
    void SetHandCursor() override;
    bool PointerOverControl() override;
    void RequestMouseLeave() override { RequestMouseLeave(this); }
    bool HasCapture() override;
    void TakeCapture() override;
    void ReleaseCapture() override;
    void SendTab(bool forward) override;
    bool DoEvents() override;
    void RaiseClick() override { emit Click(index_); }
    void RaiseDblClick() override { emit DblClick(index_); }
    void RaiseMouseEnter() override { emit MouseEnter(index_); }
    void RaiseMouseLeave() override { emit MouseLeave(index_); }
    void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        emit MouseMove(index_, button, shift, x, y);
    }
    void RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) override {
        emit MouseUp(index_, button, shift, x, y);
    }
    void RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        emit MouseDown(index_, button, shift, x, y);
    }
    void RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) override {
        emit KeyDown(index_, keyCode, shift);
    }
    void RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) override { emit KeyUp(index_, keyCode, shift); }

    void Notify(const QString& propertyName) { host_->PropertyChanged(propertyName); }
    OleColor Resolve(OleColor color) const;
    // Size limit, window region and redraw.
    void ResizeHandling();
    // Draws the button into the surface without showing it.
    void RenderSurface();
    void UpdateAccessKeyShortcut();
    void ApplyMousePointer();
    void LoadHandCursor();
    void InstallHooks();
    void Teardown();
    void RefreshSurfaceSize();
    // Watches `font` for changes of its attributes, and no longer the font watched before.
    void WatchFont(const FontPtr& font);

    ButtonHost* host_ = nullptr;
    std::unique_ptr<BasicButtonHost> ownHost_;
    int index_ = -1;
    ButtonModel m_;
    PointerState pointer_;
    gdi::Surface surface_;
    gdi::QtTextRenderer text_;
    SubclassTable hooks_{*this};
    QShortcut* accessShortcut_ = nullptr;
    QCursor handCursor_;
    QPoint lastGlobalPos_;
    FontPtr watchedFont_;
    int fontWatch_ = 0;
    QAccessible::State reportedStates_; // pressed and checked as a screen reader was last told
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    bool hooksInstalled_ = false;
    bool inResize_ = false;
    std::uint64_t redraws_ = 0;
};

} // namespace trimvox::mxbutton

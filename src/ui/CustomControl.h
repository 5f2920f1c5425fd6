#pragma once

#include "ui/Geometry.h"
#include "ui/Keys.h"

namespace kal {

class Canvas;

// What a custom control may ask of the window it lives in.
class ControlSurface {
public:
    virtual ~ControlSurface() = default;
    // The control's picture changed: draw it again soon.
    virtual void Invalidate() = 0;
};

// A control that core code draws on a Canvas and drives from mouse and keys, placed in a dialog
// where its resource names a control of kind Custom. Points are in the control's own pixels; `size`
// is the control's size at the time of the event.
class CustomControl {
public:
    virtual ~CustomControl() = default;

    // The host attaches itself when the dialog opens and detaches (null) when it goes.
    void Attach(ControlSurface* surface) { surface_ = surface; }

    virtual void OnDraw(Canvas& canvas, Size size) = 0;
    virtual void OnMouseDown(Point point, Size size)
    {
        (void)point;
        (void)size;
    }
    virtual void OnMouseUp(Point point, Size size)
    {
        (void)point;
        (void)size;
    }
    virtual void OnDoubleClick(Point point, Size size)
    {
        (void)point;
        (void)size;
    }
    // True when the control used the key; other keys go on to the dialog (Enter, Escape, Tab).
    virtual bool OnKey(Key key, unsigned modifiers)
    {
        (void)key;
        (void)modifiers;
        return false;
    }

protected:
    void Invalidate()
    {
        if (surface_)
            surface_->Invalidate();
    }

private:
    ControlSurface* surface_ = nullptr;
};

} // namespace kal

#pragma once
// For the tests of the interactive graphic objects and the controls that host or draw
// them: an element that notes what reaches it in the interaction log, a graphic object
// that notes what it is asked to draw, canvases to read pixels from, and a seam that makes
// a framework-drawn control paint into an off-screen image instead of its native window.
#include "application/KMouseEvent.h"
#include "controls/KControl.h"
#include "foundation/KWideRectangle.h"
#include "graphics/KColor.h"
#include "graphics/KImage.h"
#include "tests/application/InteractionTestSupport.h"
#include "tools/igo/KInteractiveGraphicObject.h"

#include <string>
#include <vector>

inline std::string textOf(const KGraphicRectangle& R)
{
    return std::to_string(R.getH()) + "," + std::to_string(R.getV()) + " " + std::to_string(R.getWidth()) + "x"
           + std::to_string(R.getHeight());
}

inline std::string textOf(const KWidePoint& P) { return std::to_string(P.getX()) + "," + std::to_string(P.getY()); }

// Notes "<name> <what> <point>" for the mouse, "<name> drawn <rect>" for drawing and
// "<name> action <type>" for the actions offered to it; a press is accepted unless told.
class NotingIGO : public KInteractiveGraphicObject {
public:
    explicit NotingIGO(const char* Name, bool AcceptsPress = true)
        : name(Name)
        , acceptsPress(AcceptsPress)
    {
    }
    void setMouseInside(const KWidePoint& P, bool Inside) override
    {
        note(name + " inside " + textOf(P));
        KInteractiveGraphicObject::setMouseInside(P, Inside);
    }
    void setMouseOutside(const KWidePoint& P) override
    {
        note(name + " outside " + textOf(P));
        KInteractiveGraphicObject::setMouseOutside(P);
    }
    bool mouseDown(const KWidePoint& P, KMouseEvent& E) override
    {
        note(name + " down " + textOf(P));
        return acceptsPress && KInteractiveGraphicObject::mouseDown(P, E);
    }
    void mouseEnter(const KWidePoint& P) override { note(name + " enter " + textOf(P)); }
    void mouseLeave(const KWidePoint& P) override { note(name + " leave " + textOf(P)); }
    void mouseMoved(const KWidePoint& P) override { note(name + " moved " + textOf(P)); }
    void mouseUp(const KWidePoint& P) override
    {
        note(name + " up " + textOf(P));
        KInteractiveGraphicObject::mouseUp(P);
    }
    bool keyTyped(KKeyEvent&) override { return answers.noted(name, "key") != 0; }
    bool focusGained(KKeyEvent&) override { return answers.noted(name, "gained") != 0; }
    bool handleAction(KActionEvent& E) override { return answers.noted(name, actionNote(E)) != 0; }
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override
    {
        drawnOn = &Dev;
        note(name + " drawn " + textOf(Dst));
    }

    std::string name;
    bool acceptsPress;
    Answers answers;
    KGraphicDevice* drawnOn = nullptr;
};
K_POINTER_CLASS(NotingIGO, KInteractiveGraphicObjectPtr);

// A parent that notes the redraw requests reaching it as "<name> redraw <rect>".
class RedrawNotingElement : public LoggingElement {
public:
    using LoggingElement::LoggingElement;
    void invalidateRect(const KWideRectangle& R) override
    {
        long x = 0, y = 0, width = 0, height = 0;
        R.get(x, y, width, height);
        note(name + " redraw " + textOf(KGraphicRectangle(short(x), short(y), short(width), short(height))));
    }
};
K_POINTER_CLASS(RedrawNotingElement, LoggingElementPtr);

// A picture of a size that notes the parts it is asked to draw.
class NotingPicture : public KGraphicObject {
public:
    NotingPicture(short Width, short Height) { setSize(KGraphicSize(Width, Height)); }
    void draw(KGraphicDevice&, const KGraphicRectangle& R) override { parts.push_back("all " + textOf(R)); }
    void drawPart(KGraphicDevice&, const KGraphicRectangle& S, const KGraphicRectangle& D) override
    {
        parts.push_back(textOf(S) + " -> " + textOf(D));
    }
    std::vector<std::string> parts;
};
K_POINTER_CLASS(NotingPicture, KGraphicObjectPtr);

// An image of one colour.
inline KImagePtr solidImage(short Width, short Height, const KColor& Color)
{
    KImagePtr image = new KImage;
    image->create(Width, Height);
    image->getGraphicDevice().paintRect(KGraphicRectangle(0, 0, Width, Height), Color);
    return image;
}

inline uint32 pixelOf(KImage& Image, short H, short V)
{
    return Image.getGraphicDevice().getPixel(H, V).getNativeColor();
}

inline uint32 colorValue(KStandardColor C) { return KColor(C).getNativeColor(); }

// The lines of the interaction log that begin with Prefix, and a fresh log.
inline Log takeNotes(const std::string& Prefix = "")
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        if (line.rfind(Prefix, 0) == 0)
            lines.push_back(line);
    }
    interactionLog().clear();
    return lines;
}

inline KMouseEventPtr mouseEvent(long Kind, short H, short V, KInteractiveElement* Target = nullptr)
{
    KMouseEventPtr mouse = new KMouseEvent;
    mouse->setType(Kind);
    mouse->setLocalPosition(KGraphicPoint(H, V));
    if (Target)
        mouse->setTarget(*Target);
    return mouse;
}

// A control that draws into an image of its own size, as if that were its native window.
template <typename Control>
class DrawnOffScreen : public Control {
public:
    using Control::Control;
    bool acquireGraphicDevice(KGraphicDevicePtr& Device, KGraphicRectangle& Rect) override
    {
        const KGraphicSize size = this->getSize();
        if (size.getWidth() <= 0 || size.getHeight() <= 0)
            return false;
        if (!canvas.hasObject(nullptr) || canvas->getSize() != size) {
            canvas = new KImage;
            canvas->create(size);
        }
        Device = canvas->getGraphicDevice();
        Rect = KGraphicRectangle(0, 0, size.getWidth(), size.getHeight());
        return true;
    }
    uint32 pixel(short H, short V) { return pixelOf(*canvas, H, V); }
    // Drawn anew on a canvas of one colour.
    void redrawOn(KStandardColor Background)
    {
        KGraphicDevicePtr device;
        KGraphicRectangle area;
        if (!acquireGraphicDevice(device, area))
            return;
        device->paintRect(area, KColor(Background));
        this->draw();
    }

    KImagePtr canvas;
};

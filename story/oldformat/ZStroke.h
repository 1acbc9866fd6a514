#pragma once
// An old freehand line: its points as a direct bag of raw values (x and y alternating),
// the pen's width and height and the colour.
//
// Record: the points' bag records, the pen width and height (16 bits each) and the
// colour's records.
#include "story/oldformat/ZBag.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZTapeObject.h"

class ZStroke : public ZTapeObject {
    Z_DECLARE_CLASS(ZStroke)
public:
    ZStroke();

    // Points that are not raw values mark the file damaged.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A stroke with the pen width as its pen size and one point for each complete pair
    // of values, each value cut to 16 bits.
    TapeObjectPtr convertToKTapeObject() const override;

    void addPoint(short X, short Y);
    const ZBag& getPoints() const { return m_points; }
    void setPenSize(short Width, short Height);
    short getPenWidth() const { return m_penWidth; }
    short getPenHeight() const { return m_penHeight; }
    void setColor(const ZColor& Color) { m_color = Color; }
    const ZColor& getColor() const { return m_color; }

private:
    ZBag m_points;
    short m_penWidth = 16;
    short m_penHeight = 16;
    ZColor m_color;
};

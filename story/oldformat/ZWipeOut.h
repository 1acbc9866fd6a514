#pragma once
// An old page transition: the new page's colour or picture and the effect.
//
// Record: the colour's records, the picture file's records, the effect and the background
// kind (32 bits each, of which the low byte counts).
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZTapeObject.h"

class ZWipeOut : public ZTapeObject {
    Z_DECLARE_CLASS(ZWipeOut)
public:
    // The background kind of a picture background.
    static constexpr uint8 kImageBackground = 1;

    ZWipeOut();

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A page transition of the same colour, effect and background kind; only a picture
    // background takes the file.
    TapeObjectPtr convertToKTapeObject() const override;

    void setColor(const ZColor& Color) { m_color = Color; }
    ZFile& getFile() { return m_file; }
    void setEffect(uint8 Effect) { m_effect = Effect; }
    void setBackgroundKind(uint8 Kind) { m_backgroundKind = Kind; }

private:
    ZColor m_color;
    ZFile m_file;
    uint8 m_effect = 0;
    uint8 m_backgroundKind = 0;
};

#pragma once
// What old pictures and movies share: a media file shown in a rectangle of the page, and
// an option byte. It adds no record level of its own: the picture's or the movie's own
// record holds the file's records, the rectangle's records and the option.
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZRectangle.h"
#include "story/oldformat/ZTapeObject.h"

class ZFramedMedia : public ZTapeObject {
public:
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    ZFile& getFile() { return m_file; }
    const ZFile& getFile() const { return m_file; }
    void setBounds(const ZRectangle& Bounds) { m_bounds = Bounds; }
    const ZRectangle& getBounds() const { return m_bounds; }
    void setOption(uint8 Option) { m_option = Option; }
    uint8 getOption() const { return m_option; }

protected:
    ZFramedMedia() = default;

private:
    ZFile m_file;
    ZRectangle m_bounds{128, 128, 320, 240};
    uint8 m_option = 0;
};

#pragma once
// An old sound: a file and an option byte. Record: the file's records and the option.
#include "story/oldformat/ZFile.h"
#include "story/oldformat/ZTapeObject.h"

class ZLumoSound : public ZTapeObject {
    Z_DECLARE_CLASS(ZLumoSound)
public:
    ZLumoSound();

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A sound of the same file; the option is whether the tape waits until it is done.
    TapeObjectPtr convertToKTapeObject() const override;

    ZFile& getFile() { return m_file; }
    const ZFile& getFile() const { return m_file; }
    void setOption(uint8 Option) { m_option = Option; }
    uint8 getOption() const { return m_option; }

private:
    ZFile m_file;
    uint8 m_option = 1;
};

#pragma once
// An old speech: a text spoken in a voice, and an option byte.
//
// Record: the text and the voice (16-bit length and bytes each) and the option.
#include "story/oldformat/ZTapeObject.h"

class ZLumoSpeech : public ZTapeObject {
    Z_DECLARE_CLASS(ZLumoSpeech)
public:
    ZLumoSpeech();

    // The voices that were renamed get their new names.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A speech of the same text and voice, at full volume; the option is whether the tape
    // waits until it is done.
    TapeObjectPtr convertToKTapeObject() const override;

    void setText(const ZString& Text) { m_text = Text; }
    const ZString& getText() const { return m_text; }
    void setVoice(const ZString& Voice) { m_voice = Voice; }
    const ZString& getVoice() const { return m_voice; }
    void setOption(uint8 Option) { m_option = Option; }
    uint8 getOption() const { return m_option; }

private:
    ZString m_text;
    ZString m_voice{"Fred"};
    uint8 m_option = 1;
};

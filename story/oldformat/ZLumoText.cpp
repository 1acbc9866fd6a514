#include "story/oldformat/ZLumoText.h"

#include "foundation/KernelFunctions.h"
#include "graphics/KFont.h"
#include "story/LumoText.h"
#include "story/oldformat/ZFile.h"

Z_DEFINE_CLASS(ZLumoText)

namespace {
constexpr long kVersionWithHighlight = 2;
} // namespace

ZLumoText::ZLumoText() { setKind(TapeObject::TextKind); }

void ZLumoText::readFromFile(ZFile& F)
{
    long version = 0;
    if (!readOwnRecord(s_class, F, version))
        return;
    if (version != 1 && version != kVersionWithHighlight) {
        F.markDamaged("ZLumoText::readFromFile", "Unknown Version");
        return;
    }
    m_styledText.readFromFile(F);
    m_bounds.readFromFile(F);
    F.readString(m_voice);
    m_voice = currentVoiceName(m_voice);
    for (int i = 0; i < 3; ++i)
        F.readByte(m_options[i]);
    if (version == kVersionWithHighlight) {
        m_highlight.readFromFile(F);
        F.readByte(m_options[3]);
    }
}

void ZLumoText::writeToFile(ZFile& F)
{
    writeOwnRecord(F);
    m_styledText.writeToFile(F);
    m_bounds.writeToFile(F);
    F.writeString(m_voice);
    for (int i = 0; i < 3; ++i)
        F.writeByte(static_cast<char>(m_options[i]));
    m_highlight.writeToFile(F);
    F.writeByte(static_cast<char>(m_options[3]));
}

TapeObjectPtr ZLumoText::convertToKTapeObject() const
{
    auto* text = new LumoText;
    TapeObjectPtr result(text);
    text->setBounds(convertedBounds(m_bounds));
    text->setVoice(KString(m_voice.getText()));
    text->setWaitUntilDone(getOption('A'));
    text->setTransparentBackground(getOption('B'));
    text->setReadAloud(getOption('C'));
    text->setHighlightText(getOption('D'));
    text->setHighlightColor(convertedColor(m_highlight));
    text->setBackgroundColor(convertedColor(m_styledText.getBackgroundColor()));
    text->setTextBlock(*makeTextBlock());
    return result;
}

uint8 ZLumoText::convertedAlignment(int8 Alignment)
{
    switch (Alignment) {
    case ZStyledText::kAlignRight:
        return 1;
    case ZStyledText::kAlignCentre:
        return 2;
    default:
        return 0;
    }
}

KTextBlockPtr ZLumoText::makeTextBlock() const
{
    const ZStyleInfo& style = m_styledText.getStyle();
    const ZFont& oldFont = style.getFont();
    KFont font(KString(oldFont.getFontName().getText()), 0.0, knsGetPlatform());
    font.setSize(static_cast<double>(oldFont.getFontSize()),
                 ZStyleInfo::getStylePlatform() == kPlatformMac ? kPlatformMac : kPlatformWindows);
    const KColor color = convertedColor(style.getColor());

    KTextBlockPtr block(new KTextBlock);
    const ZString& text = m_styledText.getText();
    std::string lineText;
    auto endLine = [&]() {
        KTextLinePtr line(new KTextLine);
        line->appendStyleRun(KString(lineText.c_str()), font, color);
        block->addLine(line.get());
        lineText.clear();
    };
    for (long i = 0; i < text.getLength(); ++i) {
        const char c = text.charAt(i);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && text.charAt(i + 1) == '\n')
                ++i;
            endLine();
        } else {
            lineText += c;
        }
    }
    endLine();
    // Set once the lines are there, so that each of them takes it too.
    block->setAlignment(convertedAlignment(m_styledText.getAlignment()));
    return block;
}

#pragma once
// The highlight of a text object: a range of characters (end exclusive, −1 and −1 for
// none), a colour, and a copy of the shown text in which the range takes the colour. The
// copy is a snapshot: changes of the text show once it is rebuilt. Requests made while
// the object has no text wait for it instead of failing.
#include "graphics/KTextBlock.h"

#include <functional>

inline long characterCountOf(const KTextLine& Line) { return Line.getLength(); }
inline long characterCountOf(const KTextBlock& Block) { return Block.getCharacterCount(); }

// Text is KTextLine or KTextBlock and TextPtr its pointer class. The operations that take
// the shown text take it as a pointer, null while there is none.
template <typename Text, typename TextPtr>
class TextHighlight {
public:
    long getStart() const { return m_start; }
    long getEnd() const { return m_end; }
    const KColor& getColor() const { return m_color; }
    bool hasRange() const { return m_start != -1 && m_end != -1; }
    bool hasCopy() const { return m_copy.hasObject(nullptr); }
    Text& getCopy() const { return m_copy.getObject(); }

    // −1 for either drops the copy; both values are kept.
    void setRange(long Start, long End, const Text* Source)
    {
        m_start = Start;
        m_end = End;
        if (!Source) {
            m_pending = kPendingRange;
            return;
        }
        rebuild(*Source, false);
    }

    // Always rebuilds the copy, uncoloured when there is no range.
    void setColor(const KColor& Color, const Text* Source)
    {
        m_color = Color;
        if (!Source) {
            if (m_pending == kNothingPending)
                m_pending = kPendingCopy;
            return;
        }
        rebuild(*Source, true);
    }

    void highlightAll(const Text* Source)
    {
        if (!Source) {
            m_pending = kPendingAll;
            return;
        }
        m_start = 0;
        m_end = characterCountOf(*Source);
        rebuild(*Source, false);
    }

    void clear()
    {
        m_start = -1;
        m_end = -1;
        m_pending = kNothingPending;
        m_copy.reset();
    }

    // A new text: a request that waited for one is carried out; true when there was one.
    bool applyPending(const Text& Source)
    {
        const uint8 pending = m_pending;
        m_pending = kNothingPending;
        if (pending == kPendingAll)
            highlightAll(&Source);
        else if (pending != kNothingPending)
            rebuild(Source, pending == kPendingCopy);
        return pending != kNothingPending;
    }

    // Runs Draw with the whole text highlighted in black, for the mask of a draw without
    // background; afterwards the highlight in force before is in force again, and no
    // highlight stays none.
    void whileAllBlack(const Text& Source, const std::function<void()>& Draw)
    {
        const KColor color(m_color);
        const long start = m_start;
        const long end = m_end;
        const bool hadCopy = hasCopy();
        m_color = KColor(kBlack);
        highlightAll(&Source);
        Draw();
        m_color = color;
        m_start = start;
        m_end = end;
        rebuild(Source, hadCopy);
    }

private:
    enum PendingRequest : uint8 {
        kNothingPending = 0,
        kPendingRange = 1,
        kPendingCopy = 2,
        kPendingAll = 3,
    };

    // A new copy with the range coloured; with no range, an uncoloured copy when
    // CopyWithoutRange, else none.
    void rebuild(const Text& Source, bool CopyWithoutRange)
    {
        if (!hasRange() && !CopyWithoutRange) {
            m_copy.reset();
            return;
        }
        TextPtr copy = new Text(Source);
        if (hasRange())
            copy->setColorOfRange(m_start, m_end - m_start, m_color);
        m_copy = copy;
    }

    KColor m_color;
    long m_start = -1;
    long m_end = -1;
    TextPtr m_copy;
    uint8 m_pending = kNothingPending;
};

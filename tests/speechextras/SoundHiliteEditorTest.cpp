// The sound-highlight editor's markers and time line: markers built from the text, the
// line's width and grid, dragging, merging, the reading's feedback, and readings kept in
// SHI files through the Save and Load buttons, refused files included.
#include "multimedia/KMediaFeedbackEvent.h"
#include "tests/speechextras/SoundHiliteEditorTestSupport.h"

namespace {

// An SHI file of a reading Length ms long with words "w0", "w1"... at the times, loaded
// through the Load button.
void loadReading(EditorScope& Scope, KSoundHiliteEditorDialog& Editor, long Length, const std::vector<long>& Times)
{
    KSoundHiliteMediaPtr media = new KSoundHiliteMedia;
    KBag markers;
    for (size_t i = 0; i < Times.size(); ++i) {
        KSoundHiliteMarkerPtr marker = new KSoundHiliteMarker;
        marker->setWord(KString(("w" + std::to_string(i)).c_str()));
        marker->setTime(Times[i]);
        markers.add(*marker);
    }
    media->setMarkers(markers);
    Scope.answers = {Scope.folder.file("reading.SHI")};
    ASSERT_TRUE(KSoundHiliteFile::save(fileReference(Scope.answers[0]), Length, *media));
    press(Editor.getLoadButton());
}

// A press, move or release 30 pixels into the time line, at a point of its image.
KEventReturn mouseAt(KSoundHiliteEditorDialog& Editor, long Kind, long ImageX, uint32 Modifiers = 0)
{
    KMouseEventPtr event = new KMouseEvent;
    event->setLocalPosition(KGraphicPoint(static_cast<short>(ImageX - Editor.getScrollBar().getValue() + 10), 150));
    event->setModifiers(Modifiers);
    return Kind == KMouseEvent::Down ? Editor.mouseDown(*event)
        : Kind == KMouseEvent::Move  ? Editor.mouseMove(*event)
                                     : Editor.mouseUp(*event);
}

void update(KSoundHiliteEditorDialog& Editor, const char* Text)
{
    ReportCatcher yes;
    yes.answerBoxesWith(IDYES);
    Editor.getTextField().setText(KString(Text));
    press(Editor.getUpdateButton());
}

void select(const KBag& Markers, std::initializer_list<long> Indexes)
{
    SoundHiliteMarkers::deselectAll(Markers);
    for (long i : Indexes)
        SoundHiliteMarkers::at(Markers, i).setSelected(1);
}

// A row of the image: "D" dark grey, "." white, "l" anything else.
std::string imageRow(const KSoundHiliteEditorDialog& Editor, short Y)
{
    KGraphicDevice& device = Editor.getTimeline().getImage().getGraphicDevice();
    std::string row;
    for (short x = 0; x < Editor.getTimeline().getWidth(); ++x) {
        const uint32 color = device.getPixel(x, Y).getNativeColor();
        row += color == KColor(kDarkGray).getNativeColor() ? 'D' : color == KColor(kWhite).getNativeColor() ? '.' : 'l';
    }
    return row;
}

TEST(SoundHiliteEditor, BuildsOneMarkerPerBlankSeparatedWordAtItsShareOfTheSound)
{
    const std::pair<const char*, const char*> cases[] = {
        {"the cat sat", "the@0 0+3 cat@800 4+3 sat@1600 8+3"},
        {"  a  b ", "a@628 2+1 b@1571 5+1"},
        {"one,\ntwo", "one,\ntwo@0 0+8"},
    };
    KBag markers;
    for (const auto& c : cases) {
        ASSERT_TRUE(SoundHiliteMarkers::buildFromText(KString(c.first), 2200, markers));
        std::string built;
        for (long i = 0; i < markers.getCount(); ++i) {
            const KSoundHiliteMarker& m = SoundHiliteMarkers::at(markers, i);
            built += (i ? " " : "") + std::string(m.getWord().getText()) + "@" + std::to_string(m.getTime()) + " "
                + std::to_string(m.getWordStart()) + "+" + std::to_string(m.getWordLength());
        }
        EXPECT_EQ(built, c.second) << c.first;
    }
    EXPECT_FALSE(SoundHiliteMarkers::buildFromText(KString(), 100, markers));
    EXPECT_EQ(markers.getCount(), 1);
}

TEST(SoundHiliteEditor, TheTimeLineIsEightyPixelsAMarkerAndAtLeastWhatShows)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    for (const auto& t : {std::make_pair("1 2 3 4 5 6 7", 0L), {"1 2 3 4 5 6 7 8", 50L}}) {
        update(*editor, t.first);
        EXPECT_EQ(editor->getTimeline().getWidth(), 590 + t.second);
        EXPECT_EQ(editor->getScrollBar().getMaximum(), t.second);
    }
    ReportCatcher no;
    no.answerBoxesWith(IDNO);
    editor->getTextField().setText(KString("x"));
    press(editor->getUpdateButton());
    EXPECT_EQ(no.boxes().size(), 1u);
    EXPECT_EQ(editor->getMarkers().getCount(), 8);
}

TEST(SoundHiliteEditor, AMarkerIsDraggedOnlyBetweenItsNeighboursOnLinesOfAnyLength)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    // 30 markers on a 2400 ms sound: a pixel a millisecond; 1000 to 1589 ms in view.
    std::vector<long> times = {0, 1000, 1500, 2000};
    while (times.size() < 30)
        times.push_back(2000 + long(times.size()));
    loadReading(scope, *editor, 2400, times);
    editor->getScrollBar().setValue(1000, true);
    EXPECT_NE(mouseAt(*editor, KMouseEvent::Down, 1500), 0);
    for (const auto& move : {std::make_pair(1001L, 1500L), {1002L, 1002L}, {1998L, 1998L}, {1999L, 1998L}}) {
        mouseAt(*editor, KMouseEvent::Move, move.first);
        EXPECT_EQ(SoundHiliteMarkers::at(editor->getMarkers(), 2).getTime(), move.second) << move.first;
    }
    mouseAt(*editor, KMouseEvent::Up, 0);
    // Shift adds a marker to the selection and drags nothing; a press beside the line
    // changes nothing, one on its empty stretch deselects.
    EXPECT_NE(mouseAt(*editor, KMouseEvent::Down, 1000, KKeyEvent::Shift), 0);
    mouseAt(*editor, KMouseEvent::Move, 1200);
    EXPECT_EQ(markersOf(editor->getMarkers()).substr(0, 22), "w0@0 w1@1000* w2@1998*");
    KMouseEventPtr above = new KMouseEvent;
    above->setLocalPosition(KGraphicPoint(300, 100));
    EXPECT_EQ(editor->mouseDown(*above) + editor->countSelectedMarkers(), 2);
    EXPECT_EQ(mouseAt(*editor, KMouseEvent::Down, 1250) + editor->countSelectedMarkers(), 0);

    // A sound of unknown length: no grid, no times under the mouse.
    loadReading(scope, *editor, 0, {0, 10, 20});
    EXPECT_EQ(imageRow(*editor, 90).substr(5), std::string(585, '.'));
    EXPECT_NE(mouseAt(*editor, KMouseEvent::Down, 0), 0);
    mouseAt(*editor, KMouseEvent::Move, 300);
    EXPECT_EQ(markersOf(editor->getMarkers()), "w0@0* w1@10 w2@20");

    // 500 markers on an hour's sound: the widest line a 16-bit size allows, and times
    // whose reckoning takes more than 32 bits.
    times.clear();
    for (long i = 0; i < 500; ++i)
        times.push_back(i * 7000);
    loadReading(scope, *editor, 3600000, times);
    EXPECT_EQ(editor->getScrollBar().getMaximum(), 32767 - 590);
    editor->getScrollBar().setValue(31500, true);
    EXPECT_NE(mouseAt(*editor, KMouseEvent::Down, 31792), 0);
    mouseAt(*editor, KMouseEvent::Move, 32000);
    EXPECT_EQ(SoundHiliteMarkers::at(editor->getMarkers(), 499).getTime(), 3515732);
}

TEST(SoundHiliteEditor, ARunOfSelectedMarkersMergesIntoItsFirstWithinTheText)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    const struct {
        const char* text;
        const char* merged;
        long length;
    } texts[] = {{"a bb ccc dddd ", "a@0 bb ccc dddd @14*", 12}, {"a bb ccc dddd", "a@0 bb ccc dddd @15*", 11}};
    for (const auto& t : texts) {
        update(*editor, t.text);
        select(editor->getMarkers(), {1, 2, 3});
        ReportCatcher yes;
        yes.answerBoxesWith(IDYES);
        press(editor->getMergeButton());
        EXPECT_EQ(yes.boxes().at(0).caption, "Merging...");
        const KSoundHiliteMarker& merged = SoundHiliteMarkers::at(editor->getMarkers(), 1);
        EXPECT_EQ(markersOf(editor->getMarkers()), t.merged);
        // The blank after the text's last word is no character of the text.
        EXPECT_EQ(std::make_pair(merged.getWordStart(), merged.getWordLength()), std::make_pair(2L, t.length));
    }
    update(*editor, "a bb ccc");
    ReportCatcher catcher;
    catcher.answerBoxesWith(IDNO);
    for (const auto& selection : {std::initializer_list<long>{0, 2}, {1}, {1, 2}}) {
        select(editor->getMarkers(), selection);
        press(editor->getMergeButton());
    }
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[0].caption + " " + catcher.boxes()[0].text,
              "Merge not possible! Merge can be performed only on contiguous markers");
    EXPECT_EQ(catcher.boxes()[1].caption, "Merging...");
    EXPECT_EQ(editor->getMarkers().getCount(), 3);
}

TEST(SoundHiliteEditor, TheReadingsFeedbackSelectsTheHeardWordAndShowsTheTime)
{
    EditorScope scope;
    TestEditorPtr editor = scope.open();
    update(*editor, "the cat sat");
    auto feedback = [&](const char* Name, long Value) {
        KMediaFeedbackEventPtr event = new KMediaFeedbackEvent;
        event->setLong(Name, Value);
        EXPECT_TRUE(editor->handleEvent(*event));
    };
    // The time line's colours along the markers' lines, as drawn.
    const auto drawn = [&] {
        KGraphicDevice& device = editor->getTimeline().getImage().getGraphicDevice();
        std::vector<uint32> row;
        for (short x = 0; x < editor->getTimeline().getWidth(); ++x)
            row.push_back(device.getPixel(x, 40).getNativeColor());
        return row;
    };
    const std::vector<uint32> noneLit = drawn();
    feedback(KMediaFeedbackEvent::kWordStart, 4);
    feedback(KMediaFeedbackEvent::kWordStart, -1);
    EXPECT_EQ(markersOf(editor->getMarkers()), "the@0 cat@36* sat@72");
    EXPECT_NE(drawn(), noneLit);
    // A word that no marker starts: the last one heard is no longer drawn lit either.
    feedback(KMediaFeedbackEvent::kWordStart, 5);
    EXPECT_EQ(editor->countSelectedMarkers(), 0);
    EXPECT_EQ(drawn(), noneLit);
    for (const auto& t : {std::make_pair(83456L, "01:23:45"), {59999L, "00:59:99"}, {3600000L, "00:00:00"}}) {
        feedback(KMediaFeedbackEvent::kElapsedTime, t.first);
        EXPECT_STREQ(editor->getElapsedTimeLabel().getText().getText(), t.second);
    }
}

TEST(SoundHiliteEditor, ReadingsAreSavedAndLoadedWholeAndARefusedFileChangesNothing)
{
    EditorScope scope;
    TestEditorPtr writer = scope.open();
    update(*writer, "the cat sat");
    scope.answers = {scope.folder.file("saved.SHI"), scope.folder.file("saved.SHI")};
    press(writer->getSaveButton());
    TestEditorPtr reader = scope.open();
    press(reader->getLoadButton());
    EXPECT_EQ(scope.titles, (std::vector<std::string>{"Save SHI File", "Load SHI File"}));
    EXPECT_STREQ(reader->getTextField().getText().getText(), "the cat sat");
    EXPECT_EQ(markersOf(reader->getMarkers()) + " " + std::to_string(reader->getSoundLength()), "the@0 cat@36 sat@72 100");

    // 5.9 s: a grid line every 10 pixels, dark every 100.
    loadReading(scope, *reader, 5900, {});
    std::string grid(590, '.');
    for (long x = 0; x < 590; x += 10)
        grid[x] = x % 100 ? 'l' : 'D';
    EXPECT_EQ(imageRow(*reader, 90), grid);

    // A sound that is not where the file says is asked for.
    KSoundHiliteMediaPtr moved = new KSoundHiliteMedia;
    moved->setSoundFile(fileReference(scope.folder.file("gone.wav")));
    scope.answers = {scope.folder.file("moved.SHI")};
    ASSERT_TRUE(KSoundHiliteFile::save(fileReference(scope.answers[0]), 700, *moved));
    scope.titles.clear();
    press(reader->getLoadButton());
    EXPECT_EQ(scope.titles, (std::vector<std::string>{"Load SHI File", "Please, Relocate Sound"}));
    EXPECT_STREQ(reader->getSoundFile().getPath().getName().getText(), "gone");

    update(*reader, "the cat sat");
    writeBytes(scope.folder.file("string.SHI"), ByteList().longs({100, 0x66CFCAD0, 1, 14, 1, 1, 14, 0}).bytes());
    for (const char* name : {"string.SHI", "none.SHI"}) {
        scope.answers = {scope.folder.file(name)};
        ReportCatcher catcher;
        press(reader->getLoadButton());
        EXPECT_EQ(catcher.boxes().at(0).caption + " " + catcher.boxes().at(0).text,
                  "Load SHI File This file cannot be read as a Sound Highlight Information File.");
        EXPECT_EQ(markersOf(reader->getMarkers()) + " " + std::to_string(reader->getSoundLength()),
                  "the@0 cat@254 sat@509 700");
    }
}

} // namespace

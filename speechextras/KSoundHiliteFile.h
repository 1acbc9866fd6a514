#pragma once
// A sound-highlight file ("SHI"): one recorded reading kept for the sound-highlight
// editor. It holds the sound's length in milliseconds (a 32-bit big-endian long) and then
// the class block of a KSoundHiliteMedia: its word markers, the reference to the sound
// file (which is not copied in) and the text.
class KFileReference;
class KSoundHiliteMedia;

class KSoundHiliteFile {
public:
    static constexpr const char* kExtension = "SHI";
    static constexpr const char* kType = "SHIF";
    static constexpr const char* kCreator = "????";
    static constexpr const char* kDescription = "Sound Highlight Information File";

    // Writes the length and the media, replacing the file only once both are written
    // whole; false leaves an earlier file as it was.
    static bool save(const KFileReference& File, long SoundLength, KSoundHiliteMedia& Media);
    // Reads a file that holds a length of 0 or more and a whole media block whose first
    // section is its first. Anything else is refused with false, and the length and the
    // media keep what they had.
    static bool load(const KFileReference& File, long& SoundLength, KSoundHiliteMedia& Media);
};

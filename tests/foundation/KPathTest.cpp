// KPath: parsing and building path texts of the four platform conventions.
#include "foundation/DiskWin32.h"
#include "foundation/KPath.h"
#include "tests/foundation/ContainerHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Parts {
    std::string server, volume;
    std::vector<std::string> directories;
    std::string name, extension;
};

Parts partsOf(const KPath& P)
{
    Parts parts{text(P.getServer()), text(P.getVolume()), {}, text(P.getName()), text(P.getExtension())};
    for (long i = 0; i < P.getDirectoryCount(); ++i)
        parts.directories.push_back(text(*P.getDirectory(i)));
    return parts;
}

std::string built(const KPath& P, uint8 Platform, uint8 Form = KPath::AsStored)
{
    KString out("stale");
    P.getPathText(out, Platform, Form);
    return text(out);
}

struct ParseCase {
    uint8 platform;
    const char* text;
    Parts parts;
    const char* rebuilt;
    uint8 kind;
};

TEST(KPath, ParsesAndBuildsEachPlatformsTexts)
{
    const ParseCase cases[] = {
        {2, "C:\\Program\\Data\\file.txt", {"", "C", {"Program", "Data"}, "file", "txt"}, "C:\\Program\\Data\\file.txt", 2},
        {2, "C:\\", {"", "C", {}, "", ""}, "C:\\", 0},
        {2, "C:\\Data\\", {"", "C", {"Data"}, "", ""}, "C:\\Data\\", 1},
        {2, "\\\\host\\share\\a.b", {"host", "", {"share"}, "a", "b"}, "\\\\host\\share\\a.b", 2},
        {2, "\\\\host", {"host", "", {}, "", ""}, "\\\\host\\", 3},
        {2, "\\Data\\x", {"", "", {"Data"}, "x", ""}, "Data\\x", 2},
        {2, "dir\\name.ext", {"", "", {"dir"}, "name", "ext"}, "dir\\name.ext", 2},
        {2, "a\\\\b", {"", "", {"a"}, "b", ""}, "a\\b", 2},
        {2, "archive.tar.gz", {"", "", {}, "archive.tar", "gz"}, "archive.tar.gz", 2},
        {2, "readme.", {"", "", {}, "readme.", ""}, "readme.", 2},
        {2, ".profile", {"", "", {}, ".profile", ""}, ".profile", 2},
        {2, "C:\\old.files\\", {"", "C", {"old.files"}, "", ""}, "C:\\old.files\\", 1},
        {0, "usr/lib/x", {"", "usr", {"lib"}, "x", ""}, "usr/lib/x", 2},
        {0, "/usr/lib/x", {"", "", {"usr", "lib"}, "x", ""}, "usr/lib/x", 2},
        {1, "Disk:Folder:File", {"", "Disk", {"Folder"}, "File", ""}, "Disk:Folder:File", 2},
        {1, ":Folder:File", {"", "", {"Folder"}, "File", ""}, ":Folder:File", 2},
        {1, "File", {"", "", {}, "File", ""}, ":File", 2},
        {1, "Disk:File", {"", "Disk", {}, "File", ""}, "Disk:File", 2},
        {1, "Disk:Pictures:", {"", "Disk", {"Pictures"}, "", ""}, "Disk:Pictures:", 1},
        {3, "a/b", {"", "", {"a"}, "b", ""}, "a/b", 2},
        {3, "x:/y", {"", "", {"x:"}, "y", ""}, "x:/y", 2},
        {7, "C:\\any/thing.txt", {"", "", {"C:\\any/thing.txt"}, "", ""}, "C:\\any/thing.txt", 1},
        {2, "", {"", "", {}, "", ""}, "", 3},
    };
    for (const ParseCase& c : cases) {
        KPath path;
        path.setPathText(KString(c.text), c.platform);
        const Parts parts = partsOf(path);
        EXPECT_TRUE(parts.server == c.parts.server && parts.volume == c.parts.volume) << c.text;
        EXPECT_EQ(parts.directories, c.parts.directories) << c.text;
        EXPECT_EQ(parts.name + "|" + parts.extension, c.parts.name + "|" + c.parts.extension) << c.text;
        EXPECT_EQ(built(path, c.platform), c.rebuilt) << c.text;
        EXPECT_EQ(path.getKind(), c.kind) << c.text;
    }
}

TEST(KPath, BuildsForOtherPlatforms)
{
    KPath path;
    path.setPathText(KString("Disk:Folder:File"), 1);
    EXPECT_EQ(built(path, 2), "Disk:\\Folder\\File");
    EXPECT_EQ(built(path, 0), "Disk/Folder/File");
    EXPECT_EQ(built(path, 3), "DiskFolder/File");
    EXPECT_EQ(built(path, 9), "DiskFolderFile");

    path.clearVolume();
    EXPECT_EQ(built(path, 1), ":Folder:File");
    path.clearDirectories();
    EXPECT_EQ(built(path, 1), ":File");

    // The server prefix belongs to the Windows convention only.
    KPath network;
    network.setPathText(KString("\\\\host\\share\\a.b"), 2);
    EXPECT_EQ(built(network, 0), "share/a.b");
    // A form that is neither stored nor absolute gives only the server prefix.
    EXPECT_EQ(built(network, 2, 5), "\\\\host\\");
    EXPECT_EQ(built(network, 0, 5), "");
}

TEST(KPath, AbsoluteFormStartsAtTheProgramFolder)
{
    const std::string folder = text(getProgramFolderWin32());
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');

    KPath relative;
    relative.setPathText(KString("Media\\clip.wav"), 2);
    EXPECT_EQ(built(relative, 2, KPath::Absolute), folder + "Media\\clip.wav");

    for (const char* absolute : {"D:\\x.txt", "\\\\host\\share\\a.b"}) {
        KPath path;
        path.setPathText(KString(absolute), 2);
        EXPECT_EQ(built(path, 2, KPath::Absolute), absolute);
    }
}

TEST(KPath, FileNamesAndLeafNames)
{
    // Unlike a parsed path, a leading dot starts the extension.
    const std::pair<const char*, const char*> names[] = {
        {"archive.tar.gz", "archive.tar|gz"}, {".cfg", "|cfg"}, {"readme.", "readme.|"}, {"plain", "plain|"}};
    KPath path;
    for (const auto& [name, split] : names) {
        path.setFileName(KString(name));
        EXPECT_EQ(text(path.getName()) + "|" + text(path.getExtension()), split) << name;
    }
    path.setFileName(KString());
    EXPECT_TRUE(path.isEmpty());

    const std::pair<const char*, const char*> leaves[] = {
        {"", ""}, {"C:\\", "C"}, {"C:\\a\\b\\", "b"}, {"C:\\a\\b.txt", "b.txt"}, {"C:\\a\\b", "b"}};
    for (const auto& [pathText, leafText] : leaves) {
        path.setPathText(KString(pathText), 2);
        KString leaf("stale");
        path.getLeafName(leaf);
        EXPECT_EQ(text(leaf), leafText) << pathText;
    }
}

TEST(KPath, EqualityCopiesAndDirectories)
{
    KPath upper, lower;
    upper.setPathText(KString("C:\\Data\\File.txt"), 2);
    lower.setPathText(KString("C:\\data\\File.txt"), 2);
    EXPECT_TRUE(upper != lower);

    KPath copy(upper);
    EXPECT_TRUE(copy == upper);
    // The copy has its own directory strings.
    EXPECT_NE(copy.getDirectory(0), upper.getDirectory(0));
    KPath assigned;
    assigned.addDirectory(KString("gone"));
    assigned = upper;
    EXPECT_TRUE(assigned == upper);
    EXPECT_EQ(assigned.getDirectoryCount(), 1);
    KPath serverOnly;
    serverOnly.setPathText(KString("\\\\host"), 2);
    EXPECT_TRUE(serverOnly != KPath());

    // A heap string is shared, anything else copied; empty names are never stored.
    KPath path;
    KStringPtr shared(new KString("shared"));
    path.addDirectory(*shared);
    EXPECT_EQ(path.getDirectory(0), shared.get());
    EXPECT_EQ(shared->getReferenceCount(), 3);
    KString local("local");
    path.addDirectory(local);
    EXPECT_NE(path.getDirectory(1), &local);
    path.addDirectory(KString());
    EXPECT_EQ(path.getDirectoryCount(), 2);
    EXPECT_EQ(path.getDirectory(-1), nullptr);
}

} // namespace

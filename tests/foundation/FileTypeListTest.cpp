// The file-type list: registration, look-ups in any letter case, the framework's own
// types, and the file-type record block.
#include "foundation/KFileReference.h"
#include "foundation/KFileTypeHandler.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

KFileTypeID associate(const char* Extension, const char* Description = "Some File")
{
    return KFileTypeHandler::makeAssociation(KString(Extension), KString("ttxt"), KString("TEXT"),
                                             KString(Description));
}

class FileTypeList : public testing::Test {
protected:
    void SetUp() override { KFileTypeHandler::removeAllAssociations(); }
    void TearDown() override { KFileTypeHandler::removeAllAssociations(); }
};

std::string description(const KFileType& Type)
{
    KString out;
    Type.getDescription(out);
    return text(out);
}

TEST_F(FileTypeList, IDsPackTheUpperCasedExtension)
{
    // Only the last four characters count; bytes of 0x80 and above enter sign-extended,
    // and only a to z are upper-cased.
    const std::pair<const char*, long> cases[] = {{"tpd", 0x00545044}, {"TPD", 0x00545044}, {"Tpd", 0x00545044},
                                                  {"", 0},             {"jpeg", 0x4A504547}, {"xjpeg", 0x4A504547},
                                                  {"\xE9", -23},       {"a\xE9", 0x41 * 256 - 23}};
    for (const auto& [extension, id] : cases)
        EXPECT_EQ(KFileTypeHandler::makeTypeID(KString(extension)), id) << extension;
    // With no file type registered, references carry no type.
    EXPECT_EQ(KFileReference(windowsPath("C:\\notes.txt")).getFileTypeHandle(), kNoFileType);
}

TEST_F(FileTypeList, ExtensionsAreStoredLowerCaseAndUniqueInAnyCase)
{
    const KFileTypeID txt = associate("TXT", "Text File");
    EXPECT_EQ(txt, 0x00545854);
    const KFileType& type = KFileTypeHandler::getAssociation(txt);
    EXPECT_EQ(text(type.getExtension()) + text(type.getCreator()) + text(type.getType()), "txtttxtTEXT");
    {
        ReportCatcher catcher;
        EXPECT_EQ(associate("Txt", "Another"), 0);
        EXPECT_TRUE(catcher.caught(63, "KFileTypeHandler::makeAssociation()"));
        EXPECT_TRUE(kIsNullReference(&KFileTypeHandler::getAssociation(42)));
        EXPECT_TRUE(kIsNullReference(&KFileTypeHandler::getAssociationByExtension(KString("tpd"))));
        EXPECT_EQ(catcher.codes(), (std::vector<int>{63, 62, 62}));
        EXPECT_TRUE(catcher.caught(62, "KFileTypeHandler::getAssociation(KFileTypeID T)"));
    }
    ASSERT_EQ(KFileTypeHandler::getTypeList().getCount(), 1);
    EXPECT_EQ(description(KFileTypeHandler::getAssociationByExtension(KString("tXT"))), "Text File");

    // These look-ups never report.
    EXPECT_TRUE(KFileTypeHandler::hasExtension(KString("txt")) && !KFileTypeHandler::hasAssociation(kNoFileType));
    EXPECT_EQ(KFileTypeHandler::getTypeIDOfExtension(KString("Txt")), txt);
    EXPECT_EQ(KFileTypeHandler::getTypeIDOfExtension(KString("doc")), kNoFileType);
    KString extension("old");
    KFileTypeHandler::getExtension(extension, 0x00444F43);
    EXPECT_EQ(text(extension), "");

    // Coinciding IDs are both kept and the first is found.
    const KFileTypeID first = associate("xjpeg", "First");
    EXPECT_EQ(associate("yjpeg", "Second"), first);
    EXPECT_EQ(KFileTypeHandler::getTypeList().getCount(), 3);
    EXPECT_EQ(description(KFileTypeHandler::getAssociation(first)), "First");
    EXPECT_EQ(description(KFileTypeHandler::getAssociationByExtension(KString("YJPEG"))), "Second");
}

TEST_F(FileTypeList, FrameworkTypesInTheirOrder)
{
    KFileTypeHandler::registerFrameworkTypes();
    const char* expected[][4] = {
        {"txt", "ttxt", "TEXT", "Text File"},
        {"exe", "????", "APPL", "Application"},
        {"dxf", "????", "????", "DXF File"},
        {"bmp", "TVOD", "BMP ", "Windows Bitmap"},
        {"jpg", "TVOD", "JPEG", "JPEG Image"},
        {"jpeg", "TVOD", "JPEG", "JPEG Image"},
        {"pct", "ttxt", "PICT", "Macintosh Picture"},
        {"pic", "ttxt", "PICT", "Macintosh Picture"},
        {"pict", "ttxt", "PICT", "Macintosh Picture"},
        {"tga", "prvw", "TPIC", "TGA Image"},
        {"xpm", "ttxt", "XPM ", "Linux Pixmap"},
        {"png", "TVOD", "PNG ", "Portable Network Graphics"},
        {"gif", "TVOD", "GIF ", "GIF Image"},
        {"tif", "TVOD", "TIFF", "TIFF Image"},
        {"tiff", "TVOD", "TIFF", "TIFF Image"},
    };
    const KBag& list = KFileTypeHandler::getTypeList();
    ASSERT_EQ(list.getCount(), 15);
    for (long i = 0; i < 15; ++i) {
        const KFileType& type = static_cast<const KFileType&>(list.getObjectAt(i));
        EXPECT_EQ(text(type.getExtension()), expected[i][0]);
        EXPECT_EQ(text(type.getCreator()), expected[i][1]);
        EXPECT_EQ(text(type.getType()), expected[i][2]);
        EXPECT_EQ(description(type), expected[i][3]);
        EXPECT_EQ(type.getTypeID(), KFileTypeHandler::makeTypeID(KString(expected[i][0])));
    }

    // A file reference now takes its type from its extension, in any letter case.
    KFileReference picture(windowsPath("C:\\art\\cat.Png"));
    EXPECT_EQ(picture.getFileTypeHandle(), 0x00504E47);
    KFileReference unknown(windowsPath("C:\\art\\cat.psd"));
    EXPECT_EQ(unknown.getFileTypeHandle(), kNoFileType);
}

class FileTypeRecords : public testing::Test {
protected:
    static KFileType sample()
    {
        KFileType type;
        type.setExtension(KString("tpd"));
        type.setCreator(KString("NRAX"));
        type.setType(KString("LMDF"));
        type.setDescription(KString("Project"));
        type.setTypeID(0x00545044);
        return type;
    }

    TemporaryFolder folder;
    BlockFile blocks{folder.file("type.bin")};
};

TEST_F(FileTypeRecords, ARecordComesBackWholeAndDamageLeavesItAsItWas)
{
    KFileType source = sample();
    const Bytes bytes = blocks.written(source);
    // The record opens with its class ID, version 1 and one section of ID 1, and ends
    // with the ID.
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), ByteList().longs({KClass::computeClassID("KFileType")}).bytes());
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 20), ByteList().longs({1, 1}).bytes());
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), ByteList().longs({0x00545044}).bytes());
    KFileType back;
    EXPECT_EQ(blocks.read(back, bytes), 0);
    EXPECT_EQ(text(back.getExtension()) + text(back.getCreator()) + text(back.getType()), "tpdNRAXLMDF");
    EXPECT_EQ(description(back), "Project");
    EXPECT_EQ(back.getTypeID(), 0x00545044);

    // A block of the right class whose first section is not 1.
    KFileType kept = sample();
    EXPECT_EQ(blocks.read(kept, ByteList().longs({KClass::computeClassID("KFileType"), 1, 12, 1, 2, 12, 7})), 0);
    EXPECT_EQ(text(kept.getExtension()), "tpd");
    // A record cut short.
    KFileType other = sample();
    other.setExtension(KString("act"));
    Bytes cut = blocks.written(other);
    cut.resize(cut.size() - 3);
    writeBytes(folder.file("cut.bin"), cut);
    OpenedFile file(folder.file("cut.bin"));
    kept.readFromFile(file);
    EXPECT_NE(file.getError(), 0);
    EXPECT_EQ(text(kept.getExtension()), "tpd");
    EXPECT_EQ(kept.getTypeID(), 0x00545044);
}

} // namespace

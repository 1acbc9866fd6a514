// The class blocks of the containers, the typed value and the geometry: exact bytes, round
// trips of nested objects, unknown classes, and stored counts the reader must not trust.
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KIndexedBag.h"
#include "foundation/KNamedBag.h"
#include "foundation/KVariable.h"
#include "foundation/KWideRectangle.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

// An element of a class this program has never registered, as a newer or foreign
// document would hold one: its block carries a class ID no record has.
class ForeignGadget : public KThing {
public:
    static KClass& record()
    {
        static KClass foreign;
        if (foreign.getClassID() == 0) {
            foreign.setName("KForeignGadget");
            foreign.generateClassID();
        }
        return foreign;
    }
    KClass& getClass() const override { return record(); }
    void writeToFile(KFile& F, long) override
    {
        KClassWriter writer;
        writer.begin(F, &record());
        writer.newSection(1);
        F.writeLong(0x0BADF00D);
        writer.end();
    }
};

class ContainerBlocks : public LeakChecked {
protected:
    Bytes written(KThing& Object) { return m_blocks.written(Object); }
    uint8 read(KThing& Object, const Bytes& Content) { return m_blocks.read(Object, Content); }
    uint8 roundTrip(KThing& Source, KThing& Target) { return m_blocks.roundTrip(Source, Target); }
    static Bytes header(const char* ClassName, long SectionLength) { return BlockFile::header(ClassName, SectionLength); }

    // Reads Source's block into Target and checks that Target writes the same bytes: the
    // whole structure came back, every element in its class.
    void readsBackWhole(KThing& Source, KThing& Target)
    {
        const Bytes bytes = written(Source);
        EXPECT_EQ(read(Target, bytes), 0);
        EXPECT_EQ(written(Target), bytes);
    }

    ReaderState m_reader;
    TemporaryFolder m_folder;
    BlockFile m_blocks{m_folder.file("block.bin")};
};

template <typename T>
T& as(const KThing& Thing)
{
    return const_cast<T&>(dynamic_cast<const T&>(Thing));
}

TEST_F(ContainerBlocks, ArraysStoreRawValuesOrEachElementBehindItsClassID)
{
    KArray direct;
    direct.setIsDirect(true);
    direct.setSize(3);
    direct.putDirectDataAt(1, 0);
    direct.putDirectDataAt(-2, 1);
    direct.putDirectDataAt(0x01020304, 2);
    EXPECT_EQ(written(direct), ByteList().append(header("KArray", 25)).longs({3}).raw({1}).longs({1, -2, 0x01020304}).bytes());
    KArray directCopy;
    readsBackWhole(direct, directCopy);
    EXPECT_EQ(valuesOf(directCopy), (std::vector<long>{1, -2, 0x01020304}));

    KArray objects;
    objects.setSize(2);
    objects.putAt(*new KGraphicPoint(-1, 5), 1);
    const long pointID = KGraphicPoint::getClassRecord()->getClassID();
    const Bytes pointBlock = ByteList().append(header("KGraphicPoint", 12)).raw({0xFF, 0xFF, 0x00, 0x05});
    EXPECT_EQ(written(objects),
        ByteList().append(header("KArray", 8 + 5 + 4 + 4 + 28)).longs({2}).raw({0}).longs({0, pointID}).append(pointBlock).bytes());
    KArray copy;
    readsBackWhole(objects, copy);
    EXPECT_TRUE(!copy.hasObjectAt(0) && as<KGraphicPoint>(copy.getObjectAt(1)) == KGraphicPoint(-1, 5));

    // A bag keeps its spare slots and settings; an empty named bag is two empty bags.
    KBag bag;
    bag.setGrowSize(4);
    bag.add(heapString("one"));
    KBag bagCopy;
    readsBackWhole(bag, bagCopy);
    EXPECT_EQ(bagCopy.getCapacity(), 4);
    EXPECT_EQ(bagCopy.getGrowSize(), 4);
    KNamedBag empty;
    const Bytes emptyBag = ByteList().append(header("KBag", 49)).append(header("KArray", 13)).longs({0}).raw({0}).longs({0, 1, 0});
    EXPECT_EQ(written(empty), ByteList().append(header("KNamedBag", 8 + 2 * emptyBag.size())).append(emptyBag).append(emptyBag).bytes());
}

TEST_F(ContainerBlocks, NestedObjectsOfSeveralClassesRoundTrip)
{
    KIndexedBag* index = new KIndexedBag;
    index->add(-3, heapString("minus three"));
    index->add(7, *new KGraphicSize(5, 6));
    KBag* pages = new KBag;
    pages->add(*new KWideRectangle(-100000, 2, 70000, 4));
    pages->add(*new KVariable(5L));
    pages->add(*index);
    KVariable* flag = new KVariable;
    flag->setObject(*new KGraphicPoint(-1, 5));
    KNamedBag document;
    document.addNamedObject(KString("Title"), heapString("Story"));
    document.addNamedObject(KString("Frame"), *new KGraphicRectangle(1, 2, 3, 4));
    document.addNamedObject(KString("Pages"), *pages);
    document.addNamedObject(KString("Flag"), *flag);

    KNamedBag copy;
    readsBackWhole(document, copy);
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);
    EXPECT_EQ(textsOf(copy.getNames()), (std::vector<std::string>{"Title", "Frame", "Pages", "Flag"}));
    const KBag& readPages = as<KBag>(copy.getNamedObject(KString("Pages")));
    EXPECT_EQ(as<KVariable>(readPages.getObjectAt(1)).getLong(), 5);
    const KIndexedBag& readIndex = as<KIndexedBag>(readPages.getObjectAt(2));
    EXPECT_EQ(valuesOf(readIndex.getKeys()), (std::vector<long>{-3, 7}));
    EXPECT_TRUE(as<KGraphicSize>(readIndex.getObjects().getObjectAt(1)) == KGraphicSize(5, 6));
    const KVariable& readFlag = as<KVariable>(copy.getNamedObject(KString("Flag")));
    ASSERT_NE(readFlag.getObject(), nullptr);
    EXPECT_TRUE(as<KGraphicPoint>(*readFlag.getObject()) == KGraphicPoint(-1, 5));
}

TEST_F(ContainerBlocks, UnknownElementsAreKeptEmptyDroppedOrRefusedByMode)
{
    KBag source;
    source.add(heapString("before"));
    source.add(*new ForeignGadget);
    source.add(heapString("after"));
    const Bytes bytes = written(source);

    KClassReader::setUnknownClassMode(KClassReader::KeepEmptySlot);
    KBag kept;
    EXPECT_EQ(read(kept, bytes), 0);
    EXPECT_EQ(textsOf(kept), (std::vector<std::string>{"before", "-", "after"}));
    EXPECT_EQ(kept.getSkippedCount(), 1);
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);

    KClassReader::setUnknownClassMode(KClassReader::DropElement);
    KBag dropped;
    EXPECT_EQ(read(dropped, bytes), 0);
    EXPECT_EQ(textsOf(dropped), (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(dropped.getCapacity(), 2);
    EXPECT_EQ(dropped.getMissingCount(), 1);
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);

    // Refused: reported, and the rest of the file is still read from the right place.
    KClassReader::setUnknownClassMode(KClassReader::RefuseClass);
    KBag refused;
    {
        ReportCatcher catcher;
        read(refused, bytes);
        EXPECT_TRUE(catcher.caught(28, "void KArray::readFromFile(KFile& F)"));
    }
    EXPECT_EQ(textsOf(refused), (std::vector<std::string>{"before", "-", "after"}));

    // Paired bags lose the whole entry of an unknown object, in either mode.
    KNamedBag named;
    named.addNamedObject(KString("a"), heapString("1"));
    named.addNamedObject(KString("gadget"), *new ForeignGadget);
    named.addNamedObject(KString("b"), heapString("2"));
    KIndexedBag indexed;
    indexed.add(-1, *new ForeignGadget);
    indexed.add(2, heapString("two"));
    for (uint8 mode : {KClassReader::KeepEmptySlot, KClassReader::DropElement}) {
        KClassReader::setUnknownClassMode(mode);
        KNamedBag namedCopy;
        EXPECT_EQ(roundTrip(named, namedCopy), 0);
        EXPECT_EQ(textsOf(namedCopy.getNames()), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(textsOf(namedCopy.getObjects()), (std::vector<std::string>{"1", "2"}));
        KIndexedBag indexedCopy;
        EXPECT_EQ(roundTrip(indexed, indexedCopy), 0);
        EXPECT_EQ(valuesOf(indexedCopy.getKeys()), std::vector<long>{2});
        EXPECT_EQ(textsOf(indexedCopy.getObjects()), std::vector<std::string>{"two"});
    }

    // So does a stored empty slot (class ID 0), which no writer of pairs makes: its name
    // would find no object.
    KBag names;
    names.add(heapString("a"));
    names.add(heapString("b"));
    const Bytes nameBlock = written(names);
    const Bytes one = writtenStringBlock("1");
    const long slots = 8 + 4 + 1 + 4 + long(one.size()) + 4;
    const Bytes objectBlock = ByteList()
                                  .append(header("KBag", 8 + 16 + slots + 12))
                                  .append(header("KArray", slots))
                                  .longs({2})
                                  .raw({0})
                                  .longs({long(KString::getClassRecord()->getClassID())})
                                  .append(one)
                                  .longs({0, 2, 1, 0})
                                  .bytes();
    KNamedBag holed;
    EXPECT_EQ(read(holed, ByteList()
                              .append(header("KNamedBag", 8 + long(nameBlock.size() + objectBlock.size())))
                              .append(nameBlock)
                              .append(objectBlock)
                              .bytes()),
              0);
    EXPECT_EQ(textsOf(holed.getNames()), std::vector<std::string>{"a"});
    EXPECT_FALSE(holed.findName(KString("b")));
}

TEST_F(ContainerBlocks, CountsTheSectionCannotHoldAreDamage)
{
    KArray array;
    array.setIsDirect(true);
    array.setSize(1);
    array.putDirectDataAt(9, 0);
    // A count of 0x10000000 slots in a section of 13 bytes: nothing is allocated.
    EXPECT_EQ(read(array, ByteList().append(header("KArray", 13)).longs({0x10000000}).raw({1})), KClassReader::kDamagedDataError);
    EXPECT_EQ(valuesOf(array), std::vector<long>{9});
    EXPECT_EQ(read(array, ByteList().append(header("KArray", 17)).longs({-1}).raw({1}).longs({0})), KClassReader::kDamagedDataError);

    // A bag whose count runs past its slots.
    KBag bag;
    const Bytes overfull = ByteList().append(header("KBag", 8 + 16 + 17 + 12)).append(header("KArray", 17)).longs({1}).raw({1}).longs({4, 5, 1, 0});
    EXPECT_EQ(read(bag, overfull), KClassReader::kDamagedDataError);
    EXPECT_EQ(bag.getCount(), 1);

    // Nesting deeper than any document is damage too, not a stack overflow.
    KBag outer;
    KBag* inner = &outer;
    for (int depth = 0; depth < 300; ++depth) {
        KBag* next = new KBag;
        inner->add(*next);
        inner = next;
    }
    KBag deep;
    EXPECT_EQ(roundTrip(outer, deep), KClassReader::kDamagedDataError);
}

TEST_F(ContainerBlocks, StoredGrowAndMinimumSizesBeyondAnyBagAreDamageAndLeaveSafeSizes)
{
    // The steps the program stores, as strokes and motions keep them, read back.
    KBag source;
    source.setGrowSize(100);
    source.setMinSize(100);
    source.add(heapString("kept"));
    const Bytes plain = written(source);
    KBag copy;
    EXPECT_EQ(read(copy, plain), 0);
    EXPECT_EQ(copy.getGrowSize(), 100);
    EXPECT_EQ(copy.getMinSize(), 100);

    // The grow and minimum sizes are the block's last two longs. Taken as they are, the
    // bag's next growth or clear would ask for gigabytes and end the program.
    for (const auto& [grow, minimum] : {std::pair<long, long>{0x7FFFFFFF, 0}, {1, 0x10000000}, {1, 0x7FFFFFFF}, {1, -1}}) {
        Bytes damaged = plain;
        const Bytes sizes = ByteList().longs({grow, minimum});
        std::copy(sizes.begin(), sizes.end(), damaged.end() - 8);
        KBag bag;
        EXPECT_EQ(read(bag, damaged), KClassReader::kDamagedDataError) << grow << " " << minimum;
        EXPECT_EQ(textsOf(bag), std::vector<std::string>{"kept"});
        EXPECT_LE(bag.getGrowSize(), 100);
        EXPECT_LE(bag.getMinSize(), 100);
        bag.clear();
        bag.add(heapString("added"));
    }
}

TEST_F(ContainerBlocks, ReadersOfObjectsOfSomeClassesMakeNothingElse)
{
    KClassReader::setUnknownClassMode(KClassReader::DropElement);
    KArray raw;
    raw.setIsDirect(true);
    raw.setSize(1);
    raw.putDirectDataAt(0x1234, 0);
    KArray names;
    names.setSize(1);
    names.putAt(heapString("old"), 0);
    names.setReadableClasses({KString::getClassRecord()});
    // Raw values where strings belong would be taken for addresses: the block is refused
    // and the array keeps what it had.
    EXPECT_EQ(read(names, written(raw)), KClassReader::kDamagedDataError);
    EXPECT_EQ(textsOf(names), std::vector<std::string>{"old"});

    // A flag set is no string, and a class reader cannot read itself at all: neither is
    // made, each is stepped over like an element of an unknown class.
    const Bytes flagSet = ByteList().append(header("KFlagSet", 12)).longs({7});
    const Bytes reader = ByteList().append(header("KClassReader", 8));
    const Bytes one = writtenStringBlock("one");
    const long stored = 8 + 5 + 3 * 4 + long(flagSet.size() + reader.size() + one.size());
    const Bytes mixed = ByteList()
                            .append(header("KArray", stored))
                            .longs({3})
                            .raw({0})
                            .longs({KFlagSet::getClassRecord()->getClassID()})
                            .append(flagSet)
                            .longs({KClassReader::getClassRecord()->getClassID()})
                            .append(reader)
                            .longs({KString::getClassRecord()->getClassID()})
                            .append(one);
    EXPECT_EQ(read(names, mixed), 0);
    EXPECT_EQ(textsOf(names), std::vector<std::string>{"one"});
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 2);
    // Without a list, any class that reads itself is made, and still no class reader.
    KArray any;
    EXPECT_EQ(read(any, mixed), 0);
    EXPECT_EQ(any.getSize(), 2);
    EXPECT_TRUE(dynamic_cast<const KFlagSet*>(&any.getObjectAt(0)));
}

TEST_F(ContainerBlocks, EveryVariableTypeRoundTrips)
{
    // Every type, with the ones that arise from files only (8 to 10, unknown 12): each
    // block reads back and is written again as it was.
    const Bytes stored[] = {
        ByteList().append(header("KVariable", 11)).shorts({0}).raw({0xE9}),
        ByteList().append(header("KVariable", 11)).shorts({1}).raw({0x01}),
        ByteList().append(header("KVariable", 12)).shorts({2}).raw({0xFF, 0xFE}),
        ByteList().append(header("KVariable", 14)).shorts({3}).longs({-70000}),
        ByteList().append(header("KVariable", 14)).shorts({4}).raw({0x40, 0x20, 0, 0}),
        ByteList().append(header("KVariable", 18)).shorts({5}).raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}),
        ByteList().append(header("KVariable", 10)).shorts({6}),
        ByteList().append(header("KVariable", 11)).shorts({8}).raw({0x7F}),
        ByteList().append(header("KVariable", 12)).shorts({9}).raw({0x80, 0x01}),
        ByteList().append(header("KVariable", 14)).shorts({10}).longs({-5}),
        ByteList().append(header("KVariable", 10)).shorts({12}),
    };
    for (const Bytes& bytes : stored) {
        KVariable value;
        EXPECT_EQ(read(value, bytes), 0);
        EXPECT_EQ(written(value), bytes) << int(value.getType());
    }
    KVariable value;
    value.setShort(-2);
    EXPECT_EQ(written(value), stored[2]);
    value.setDouble(1.0);
    EXPECT_EQ(written(value), stored[5]);

    KVariable copy;
    KVariable string(KString("caf\xE9"));
    readsBackWhole(string, copy);
    EXPECT_STREQ(copy.getString().getText(), "caf\xE9");
    EXPECT_TRUE(copy.getPointer().isOnHeap());
    KVariable holder;
    holder.setObject(*new KGraphicRectangle(-3, 4, 5, 6));
    readsBackWhole(holder, copy);
    EXPECT_EQ(copy.getType(), KVariable::Object);
    // An object variable that held nothing reads back holding nothing.
    KVariable none;
    none.setType(KVariable::Object);
    EXPECT_EQ(roundTrip(none, copy), 0);
    EXPECT_EQ(copy.getType(), KVariable::Object);
    EXPECT_FALSE(copy.hasPointer());

    // One of an unknown class is left empty, and the block counts as mismatched.
    KVariable foreign;
    foreign.setObject(*new ForeignGadget);
    copy.setObject(*new KThing);
    EXPECT_EQ(roundTrip(foreign, copy), 0);
    EXPECT_EQ(copy.getType(), KVariable::Object);
    EXPECT_FALSE(copy.hasPointer());
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);
}

TEST_F(ContainerBlocks, GeometryBlocks)
{
    KGraphicRectangle rectangle(-1, 2, 3, 4);
    const Bytes point = ByteList().append(header("KGraphicPoint", 12)).shorts({-1, 2});
    const Bytes size = ByteList().append(header("KGraphicSize", 12)).shorts({3, 4});
    // The origin comes first, although the object holds the size first.
    EXPECT_EQ(written(rectangle), ByteList().append(header("KGraphicRectangle", 8 + 56)).append(point).append(size).bytes());
    KGraphicRectangle copy;
    readsBackWhole(rectangle, copy);
    EXPECT_FALSE(copy != rectangle);
    KWideRectangle wide(-40000, 2, 100000, 4);
    KWideRectangle wideCopy;
    readsBackWhole(wide, wideCopy);
    EXPECT_TRUE(wideCopy.contains(KWidePoint(59999, 5)) && !wideCopy.contains(KWidePoint(60000, 5)));

    // A block whose first section is another one leaves the values as they were.
    KGraphicPoint kept(7, 8);
    const long id = KGraphicPoint::getClassRecord()->getClassID();
    EXPECT_EQ(read(kept, ByteList().longs({id, 1, 24, 2, 2, 12}).shorts({1, 1}).longs({1, 12}).shorts({9, 9})), 0);
    EXPECT_TRUE(kept == KGraphicPoint(7, 8));
}

} // namespace

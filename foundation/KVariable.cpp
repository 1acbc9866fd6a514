#include "foundation/KVariable.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"

#include <cstring>

K_DEFINE_CLASS(KVariable, KThing, 1)

template <typename T>
void KVariable::store(T Value, uint8 Type)
{
    static_assert(sizeof(T) <= sizeof(m_value), "the storage holds eight bytes");
    std::memcpy(m_value, &Value, sizeof(T));
    m_type = Type;
}

template <typename T>
T KVariable::load() const
{
    T value;
    std::memcpy(&value, m_value, sizeof(T));
    return value;
}

KVariable::KVariable()
{
    setLong(0);
}

KVariable::KVariable(bool Value) { setBool(Value); }
KVariable::KVariable(short Value) { setShort(Value); }
KVariable::KVariable(long Value) { setLong(Value); }
KVariable::KVariable(const KString& Value) { setString(Value); }

KVariable::KVariable(const KVariable& Other)
    : KThing()
{
    *this = Other;
}

KVariable& KVariable::operator=(const KVariable& Other)
{
    m_type = Other.m_type;
    std::memcpy(m_value, Other.m_value, sizeof(m_value));
    m_object.setObjectOrNull(Other.m_object.get());
    return *this;
}

void KVariable::setChar(char Value) { store(Value, Char); }
char KVariable::getChar() const { return load<char>(); }
void KVariable::setBool(bool Value) { store(static_cast<uint8>(Value ? 1 : 0), Bool); }
bool KVariable::getBool() const { return load<uint8>() != 0; }
void KVariable::setShort(short Value) { store(Value, Short); }
short KVariable::getShort() const { return load<short>(); }
void KVariable::setLong(long Value) { store(Value, Long); }
long KVariable::getLong() const { return load<long>(); }
void KVariable::setFloat(float Value) { store(Value, Float); }
float KVariable::getFloat() const { return load<float>(); }
void KVariable::setDouble(double Value) { store(Value, Double); }
double KVariable::getDouble() const { return load<double>(); }

void KVariable::setString(const KString& Value)
{
    if (Value.isOnHeap()) {
        setPointer(Value);
    } else {
        KStringPtr copy(new KString(Value));
        if (!copy.hasObject())
            return;
        setPointer(*copy);
    }
    m_type = String;
}

KString KVariable::getString() const
{
    if (m_type == String) {
        if (const auto* string = dynamic_cast<const KString*>(m_object.get()))
            return *string;
    }
    return KString();
}

void KVariable::setObject(const KThing& Value)
{
    if (kIsNullReference(&Value) || !Value.isOnHeap()) {
        kksReportError(3, "Object not on heap!");
        return;
    }
    setPointer(Value);
    m_type = Object;
}

KThing* KVariable::getObject() const
{
    return m_type == Object ? m_object.get() : nullptr;
}

void KVariable::setPointer(const KThing& Value)
{
    // The variable's count on its object is bookkeeping, not a change of the object.
    m_object.setObject(const_cast<KThing&>(Value));
}

void KVariable::resetPointer()
{
    m_object.reset();
}

KThing& KVariable::getPointer() const
{
    return m_object.getObject();
}

namespace {
// Objects held by variables nest through their own blocks; a file that nests deeper than
// any document of the system is damaged, and reading it on would exhaust the stack.
constexpr int kMaxReadDepth = 200;
int s_readDepth = 0;
} // namespace

void KVariable::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, KVariable::getClassRecord(), 1)) {
        ++s_readDepth;
        if (s_readDepth > kMaxReadDepth) {
            F.setError(KClassReader::kDamagedDataError);
            reader.skipSection();
        } else {
            readValue(F, reader);
        }
        --s_readDepth;
    }
    reader.end();
}

void KVariable::readValue(KFile& F, KClassReader& Reader)
{
    short type = 0;
    F.readShort(type);
    m_type = static_cast<uint8>(type);
    switch (m_type) {
    case Char:
    case Integer1:
        F.readChar(*reinterpret_cast<char*>(m_value));
        break;
    case Bool:
        F.readByte(m_value[0]);
        break;
    case Short:
    case Integer2: {
        short value = 0;
        F.readShort(value);
        store(value, m_type);
        break;
    }
    case Long:
    case Integer4: {
        long value = 0;
        F.readLong(value);
        store(value, m_type);
        break;
    }
    case Float: {
        float value = 0;
        F.readFloat(value);
        store(value, m_type);
        break;
    }
    case Double: {
        double value = 0;
        F.readDouble(value);
        store(value, m_type);
        break;
    }
    case String:
    case Object:
        resetPointer();
        // A variable that held nothing was written as its type alone.
        if (Reader.getSectionBytesLeft() == 0)
            break;
        if (m_type == String)
            readHeldString(F);
        else
            readHeldObject(F);
        break;
    default:
        break;
    }
}

void KVariable::readHeldString(KFile& F)
{
    KString read;
    read.readFromFile(F);
    KStringPtr copy(new KString(read));
    if (copy.hasObject())
        setPointer(*copy);
}

void KVariable::readHeldObject(KFile& F)
{
    long classID = 0;
    F.readLong(classID);
    const KClass* record = KClass::findReadableClass(classID);
    if (!record) {
        // A newer or foreign document, or a class that is no stored object: the object
        // is left out, not the whole document.
        KClassReader().skipBlock(F);
        KClassReader::countMismatchedBlock();
        return;
    }
    KThingPtr object(record->createObject());
    if (!object.hasObject()) {
        KClassReader().skipBlock(F);
        return;
    }
    setPointer(*object);
    object->readFromFile(F);
}

void KVariable::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, KVariable::getClassRecord());
    writer.newSection(1);
    F.writeShort(static_cast<short>(m_type));
    switch (m_type) {
    case Char:
    case Bool:
    case Integer1:
        F.writeByte(m_value[0]);
        break;
    case Short:
    case Integer2:
        F.writeShort(getShort());
        break;
    case Long:
    case Integer4:
        F.writeLong(getLong());
        break;
    case Float:
        F.writeFloat(getFloat());
        break;
    case Double:
        F.writeDouble(getDouble());
        break;
    case String:
        if (m_object.hasObject())
            m_object->writeToFile(F, 1);
        break;
    case Object:
        writeHeldObject(F);
        break;
    default:
        break;
    }
    writer.end();
}

void KVariable::writeHeldObject(KFile& F)
{
    if (!m_object.hasObject())
        return;
    KClass& record = m_object->getClass();
    // An object whose class has no record could not be re-created: the variable is
    // stored as holding none.
    if (kIsNullReference(&record))
        return;
    F.writeLong(record.getClassID());
    m_object->writeToFile(F, 1);
}

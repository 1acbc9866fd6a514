#include "foundation/KVariable.h"

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

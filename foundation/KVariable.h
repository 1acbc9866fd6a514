#pragma once
// The system's one tagged value: a type byte, eight bytes of scalar storage shared by
// the scalar types, and one counted object reference for strings and objects. It has no
// name of its own: the named bag or event that holds it names it.
#include "foundation/KClass.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KClassReader;

class KVariable : public KThing {
    K_DECLARE_CLASS(KVariable)
public:
    enum Type : uint8 {
        Char = 0,
        Bool = 1,
        Short = 2,
        Long = 3,
        Float = 4,
        Double = 5,
        String = 6,
        Object = 7,
        // These arise only from reading blocks.
        Integer1 = 8,
        Integer2 = 9,
        Integer4 = 10,
    };

    KVariable();
    explicit KVariable(bool Value);
    explicit KVariable(short Value);
    explicit KVariable(long Value);
    explicit KVariable(const KString& Value);
    KVariable(const KVariable& Other);
    // Copies the type and all eight value bytes, and holds the other's object itself.
    KVariable& operator=(const KVariable& Other);

    // The type as a 16-bit number, then the value in its width; a string or object only
    // when one is held, an object behind its class ID. An object of a class this program
    // does not know is stepped over and counted as a mismatched block: the variable is
    // left without object, and the document that holds it loads as converted.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void setType(uint8 Type) { m_type = Type; }
    uint8 getType() const { return m_type; }

    // The scalar setters write their own width from the start of the storage and leave
    // a held object as it is; the getters read their width whatever the type.
    void setChar(char Value);
    char getChar() const;
    void setBool(bool Value);
    bool getBool() const;
    void setShort(short Value);
    short getShort() const;
    void setLong(long Value);
    long getLong() const;
    void setFloat(float Value);
    float getFloat() const;
    void setDouble(double Value);
    double getDouble() const;

    // A heap string is held itself (later changes show through); any other is copied.
    void setString(const KString& Value);
    // A copy of the held string; empty unless the type is string and a string is held.
    KString getString() const;
    // Only objects on the heap; others are refused with error 3.
    void setObject(const KThing& Value);
    // Null unless the type is object and an object is held.
    KThing* getObject() const;

    virtual void setPointer(const KThing& Value);
    virtual void resetPointer();
    // Error 18 when none is held.
    KThing& getPointer() const;
    bool hasPointer() const { return m_object.hasObject(); }

private:
    template <typename T>
    void store(T Value, uint8 Type);
    template <typename T>
    T load() const;
    void readValue(KFile& F, KClassReader& Reader);
    void readHeldString(KFile& F);
    void readHeldObject(KFile& F);
    void writeHeldObject(KFile& F);

    KThingPtr m_object;
    uint8 m_type = Long;
    unsigned char m_value[8] = {};
};

K_POINTER_CLASS(KVariable, KThingPtr);

#pragma once
// A registered object kept for the files and libraries that know its class: it holds one
// object, a zeroed block the size of the QuickTime engine's movie record, and a flag that
// stays 0. Nothing in the program makes a movie with it.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

#include <array>

class KMovieCreation : public KThing {
    K_DECLARE_CLASS(KMovieCreation)
public:
    static constexpr size_t kRecordSize = 364;

    KMovieCreation();
    ~KMovieCreation() override;

    virtual void setObject(KThing& Object);
    virtual void resetObject();

    KThing& getObject() const { return m_object.getObject(); }
    bool hasObject() const { return m_object.hasObject(nullptr); }
    const std::array<uint8, kRecordSize>& getRecord() const { return m_record; }
    uint8 getFlag() const { return m_flag; }

private:
    KThingPtr m_object;
    std::array<uint8, kRecordSize> m_record{};
    uint8 m_flag = 0;
};

K_POINTER_CLASS(KMovieCreation, KThingPtr);

#pragma once
// A reference to a drive root: its path holds only a volume.
#include "foundation/KDiskObjectReference.h"

class KVolume : public KDiskObjectReference {
    K_DECLARE_CLASS(KVolume)
public:
    KVolume();

    // Keeps only the volume of P.
    void setPath(const KPath& P) override;
    bool exists() const override;
    void rename(const KString& NewName) override;
    void copy(const KDiskObjectReference& Target) override;
};

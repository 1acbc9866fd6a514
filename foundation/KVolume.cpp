#include "foundation/KVolume.h"

#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KVolume, KDiskObjectReference, 1)

KVolume::KVolume()
{
    setKind(KPath::VolumeKind);
}

void KVolume::setPath(const KPath& P)
{
    KPath volumeOnly(P);
    volumeOnly.clearName();
    volumeOnly.clearExtension();
    volumeOnly.clearDirectories();
    KDiskObjectReference::setPath(volumeOnly);
}

bool KVolume::exists() const
{
    knsNotYetImplemented("bool KVolume::doesExist() const");
    return KDiskObjectReference::exists();
}

void KVolume::rename(const KString&)
{
    knsNotYetImplemented("void KVolume::rename(const KString& S)");
}

void KVolume::copy(const KDiskObjectReference&)
{
    knsNotYetImplemented("void KVolume::copy(const KDirectory& D)");
}

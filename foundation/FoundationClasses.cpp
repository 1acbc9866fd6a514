#include "foundation/FoundationClasses.h"

#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KComparable.h"
#include "foundation/KDate.h"
#include "foundation/KDirectory.h"
#include "foundation/KDiskObjectReference.h"
#include "foundation/KFile.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileType.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KIndexedBag.h"
#include "foundation/KLocalizer.h"
#include "foundation/KLocalizerString.h"
#include "foundation/KMemoryBlock.h"
#include "foundation/KNamedBag.h"
#include "foundation/KNativePtr.h"
#include "foundation/KNumber.h"
#include "foundation/KPath.h"
#include "foundation/KPreferences.h"
#include "foundation/KSerialPort.h"
#include "foundation/KSet.h"
#include "foundation/KString.h"
#include "foundation/KTime.h"
#include "foundation/KTimer.h"
#include "foundation/KTree.h"
#include "foundation/KTreeNode.h"
#include "foundation/KVariable.h"
#include "foundation/KVolume.h"
#include "foundation/KWidePoint.h"
#include "foundation/KWideRectangle.h"
#include "foundation/KWideSize.h"

void kksRegisterPlaceholderClass(const char* Name)
{
    KClass::registerClass(Name, KThing::getClassRecord(), &KThing::createInstance, 1);
}

void kksRegisterFoundationClasses()
{
    KThing::initClass("KThing", nullptr, 1);
    KArray::registerClass();
    KBag::registerClass();
    KClassReader::registerClass();
    KClassWriter::registerClass();
    KFlagSet::registerClass();
    KIndexedBag::registerClass();
    KSet::registerClass();
    kksRegisterPlaceholderClass("KMemory");
    KMemoryBlock::registerClass();
    KComparable::registerClass();
    KString::registerClass();
    KLocalizer::registerClass();
    KLocalizerString::registerClass();
    KNamedBag::registerClass();
    KNativePtr::registerClass();
    KNumber::registerClass();
    KPreferences::registerClass();
    KTree::registerClass();
    KTreeNode::registerClass();
    KVariable::registerClass();
    KWideRectangle::registerClass();
    KWidePoint::registerClass();
    KWideSize::registerClass();
    KDate::registerClass();
    KTime::registerClass();
    KTimer::registerClass();
    KDiskObjectReference::registerClass();
    KDirectory::registerClass();
    KFileReference::registerClass();
    KFile::registerClass();
    KFileSystem::registerClass();
    KFileType::registerClass();
    kksRegisterPlaceholderClass("KFileTypeHandler");
    KPath::registerClass();
    KVolume::registerClass();
    KGraphicPoint::registerClass();
    KGraphicRectangle::registerClass();
    KGraphicSize::registerClass();
    KSerialPort::registerClass();
}

#include "application/FrameworkClasses.h"

#include "application/KActionEvent.h"
#include "application/KAlert.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KCustomMenu.h"
#include "application/KCustomMenuItem.h"
#include "application/KDialog.h"
#include "application/KDialogHandler.h"
#include "application/KEvent.h"
#include "application/KInteractiveElement.h"
#include "application/KKeyEvent.h"
#include "application/KLayer.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/KMouseEvent.h"
#include "application/KNativeEvent.h"
#include "application/KPaletteWindow.h"
#include "application/KTimerManager.h"
#include "application/KWindow.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "controls/KCheckBoxControl.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "controls/KDragObject.h"
#include "controls/KDragObjectsLayer.h"
#include "controls/KEditFieldControl.h"
#include "controls/KEditTextControl.h"
#include "controls/KGroupControl.h"
#include "controls/KPagesControl.h"
#include "controls/KPileControl.h"
#include "controls/KPopUpListControl.h"
#include "controls/KPopUpMenuControl.h"
#include "controls/KProgressBarControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KRadioButtonControl.h"
#include "controls/KRadioButtonGroup.h"
#include "controls/KScrollBarControl.h"
#include "controls/KSliderControl.h"
#include "controls/KSmallArrowsControl.h"
#include "controls/KStaticImageControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "controls/KTabControl.h"
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDate.h"
#include "foundation/KDirectory.h"
#include "foundation/KDiskObjectReference.h"
#include "foundation/KFile.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileType.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicRectangle.h"
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
#include "foundation/KVariable.h"
#include "foundation/KVolume.h"
#include "foundation/KWideRectangle.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicObject.h"
#include "graphics/KGraphicRegion.h"
#include "graphics/KImage.h"
#include "graphics/KPrintingManager.h"
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLineObject.h"
#include "graphics/KTextStyleRun.h"

namespace {
// "KMemory", "KFileTypeHandler", "KEventHandler" and "KErrorHandler" have no objects of
// their own: they are entries under KThing that create plain KThings.
void registerPlaceholder(const char* Name)
{
    KClass::registerClass(Name, KThing::getClassRecord(), &KThing::createInstance, 1);
}
} // namespace

void kksRegisterFrameworkClasses()
{
    KThing::initClass("KThing", nullptr, 1);
    KArray::registerClass();
    KBag::registerClass();
    KClassReader::registerClass();
    KClassWriter::registerClass();
    KFlagSet::registerClass();
    KIndexedBag::registerClass();
    KSet::registerClass();
    registerPlaceholder("KMemory");
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
    KGraphicObject::registerClass();
    KWideRectangle::registerClass();
    KWidePoint::registerClass();
    KWideSize::registerClass();
    KDate::registerClass();
    KTime::registerClass();
    KTimer::registerClass();
    KTimerManager::registerClass();
    KDiskObjectReference::registerClass();
    KDirectory::registerClass();
    KFileReference::registerClass();
    KFile::registerClass();
    KFileSystem::registerClass();
    KFileType::registerClass();
    registerPlaceholder("KFileTypeHandler");
    KPath::registerClass();
    KVolume::registerClass();
    KFont::registerClass();
    KTextStyle::registerClass();
    KTextStyleRun::registerClass();
    KTextLine::registerClass();
    KTextLineObject::registerClass();
    KTextBlock::registerClass();
    KTextBlockObject::registerClass();
    KColor::registerClass();
    KGraphicDevice::registerClass();
    KGraphicPoint::registerClass();
    KGraphicRectangle::registerClass();
    KGraphicRegion::registerClass();
    KGraphicSize::registerClass();
    KImage::registerClass();
    KAlphaImage::registerClass();
    KMenuItem::registerClass();
    KCustomMenuItem::registerClass();
    KMenu::registerClass();
    KCustomMenu::registerClass();
    KMenuBar::registerClass();
    KMenuManager::registerClass();
    KWindow::registerClass();
    KPaletteWindow::registerClass();
    KDialog::registerClass();
    KAlert::registerClass();
    KWindowManager::registerClass();
    KDialogHandler::registerClass();
    KPrintingManager::registerClass();
    KSerialPort::registerClass();
    KInteractiveElement::registerClass();
    KDragObject::registerClass();
    KControl::registerClass();
    KCheckBoxControl::registerClass();
    KEditFieldControl::registerClass();
    KEditTextControl::registerClass();
    KGroupControl::registerClass();
    KProgressBarControl::registerClass();
    KPushButtonControl::registerClass();
    KRadioButtonControl::registerClass();
    KRadioButtonGroup::registerClass();
    KPopUpListControl::registerClass();
    KPopUpMenuControl::registerClass();
    KScrollBarControl::registerClass();
    KSliderControl::registerClass();
    KSmallArrowsControl::registerClass();
    KStaticImageControl::registerClass();
    KStaticTextNativeControl::registerClass();
    KTabControl::registerClass();
    KPagesControl::registerClass();
    KPileControl::registerClass();
    KLayer::registerClass();
    KControlsLayer::registerClass();
    KDragObjectsLayer::registerClass();
    KEvent::registerClass();
    KActionEvent::registerClass();
    KControlActionEvent::registerClass();
    KApplicationEvent::registerClass();
    KKeyEvent::registerClass();
    KMenuEvent::registerClass();
    KMouseEvent::registerClass();
    KNativeEvent::registerClass();
    KWindowEvent::registerClass();
    registerPlaceholder("KEventHandler");
    KApplication::registerClass();
    registerPlaceholder("KErrorHandler");
}

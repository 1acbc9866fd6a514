#include "controls/ControlsClasses.h"

#include "controls/KAlert.h"
#include "controls/KCheckBoxControl.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "controls/KDialog.h"
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

void kksRegisterControlsClasses()
{
    KDialog::registerClass();
    KAlert::registerClass();
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
    KControlsLayer::registerClass();
    KDragObjectsLayer::registerClass();
}

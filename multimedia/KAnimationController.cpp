#include "multimedia/KAnimationController.h"

K_DEFINE_CLASS(KAnimationController, KThing, 1)

KAnimationController::KAnimationController() = default;

KAnimationController::~KAnimationController() { clearAnimationObject(); }

void KAnimationController::setAnimationObject(KAnimationObject& O) { m_object.setObject(O); }
void KAnimationController::clearAnimationObject() { m_object.reset(); }
void KAnimationController::animate(float) {}

#include "story/ActorAction.h"

#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFile.h"
#include "story/Actor.h"
#include "story/LumoSpriteSystem.h"
#include "story/Tape.h"

K_DEFINE_CLASS(ActorAction, TapeObject, 1)

ActorAction::ActorAction() { setKind(ActorActionKind); }

ActorAction::~ActorAction() = default;

void ActorAction::copyFrom(const TapeObject& Other)
{
    ActorTapeObject::copyFrom(Other);
    const auto* other = dynamic_cast<const ActorAction*>(&Other);
    if (!other)
        return;
    m_movementName = other->m_movementName;
    m_action = other->m_action;
    m_duration = other->m_duration;
    m_targetPosition = other->m_targetPosition;
    m_targetScale = other->m_targetScale;
    m_order = other->m_order;
}

// The class block -------------------------------------------------------------------------

void ActorAction::writeToFile(KFile& F, long)
{
    KClassWriter writer;
    writer.begin(F, ActorAction::getClassRecord());
    writer.newSection(1);
    TapeObject::writeToFile(F, 1);
    m_actorName.writeToFile(F, 1);
    m_movementName.writeToFile(F, 1);
    F.writeShort(m_action);
    m_targetPosition.writeToFile(F, 1);
    m_targetScale.writeToFile(F, 1);
    F.writeLong(m_duration);
    F.writeShort(m_order);
    writer.end();
}

void ActorAction::readFromFile(KFile& F)
{
    KClassReader reader;
    if (reader.beginAtSection(F, ActorAction::getClassRecord(), 1)) {
        TapeObject::readFromFile(F);
        setKind(ActorActionKind);
        short action = 0;
        short order = 0;
        m_actorName.readFromFile(F);
        m_movementName.readFromFile(F);
        F.readShort(action);
        m_targetPosition.readFromFile(F);
        m_targetScale.readFromFile(F);
        F.readLong(m_duration);
        F.readShort(order);
        m_action = static_cast<uint8>(action);
        m_order = static_cast<uint8>(order);
    }
    reader.end();
}

// Playing ---------------------------------------------------------------------------------

void ActorAction::placeAtTarget(Actor& A) const
{
    A.setPosition(KAnimationPoint(m_targetPosition));
    A.setScale(m_targetScale);
}

void ActorAction::start()
{
    ActorPtr actor;
    if (!findActor(actor)) {
        finish();
        return;
    }
    switch (m_action) {
    case EnterOnScene:
    case ExitFromScene:
    case JumpToPosition:
    case ChangeOrder:
    case ChangeMovement:
        drawOnPage();
        finish();
        break;
    case MoveResize:
        if (!actor->isVisible()) {
            finish();
            break;
        }
        m_startScale = actor->getScale();
        m_startPosition = actor->getPosition();
        m_stepCount = 1;
        if (m_duration == 0)
            m_duration = kZeroDurationReplacement;
        break;
    default:
        // An action of no known code does nothing; left running it would hold the
        // story on this object for good.
        finish();
        break;
    }
}

void ActorAction::step()
{
    ActorPtr actor;
    if (m_action != MoveResize || !findActor(actor)) {
        finish();
        return;
    }
    // In 64 bits: the square of a long duration read from a file does not fit in 32.
    const long long total = static_cast<long long>(m_duration) * m_duration;
    const float n = static_cast<float>(m_stepCount);
    const float t = static_cast<float>(total);
    const float dx = (m_targetPosition.getH() - m_startPosition.getX()) * n / t;
    const float dy = (m_targetPosition.getV() - m_startPosition.getY()) * n / t;
    const float dsx = (m_targetScale.getX() - m_startScale.getX()) * n / t;
    const float dsy = (m_targetScale.getY() - m_startScale.getY()) * n / t;
    ++m_stepCount;
    actor->setPosition(m_startPosition.getX() + dx, m_startPosition.getY() + dy);
    actor->setScale(m_startScale.getX() + dsx, m_startScale.getY() + dsy);
    if (m_stepCount >= total) {
        placeAtTarget(*actor);
        finish();
    }
}

void ActorAction::drawOnPage()
{
    ActorPtr actor;
    if (!findActor(actor))
        return;
    Tape& tape = getTape();
    switch (m_action) {
    case EnterOnScene:
        placeAtTarget(*actor);
        if (actor->hasSequence(m_movementName)) {
            actor->buildFrames(m_movementName);
            tape.showActor(m_actorName);
        }
        break;
    case ExitFromScene: {
        tape.hideActor(m_actorName);
        // Off the layer, the sprite is no longer erased by the compositor: its place on
        // the page is shown again at once.
        KGraphicRectangle bounds;
        actor->getBounds(bounds);
        if (tape.hasSpriteSystem()) {
            tape.getSpriteSystem().invalidateRect(bounds);
            tape.getSpriteSystem().updateSprites();
        }
        actor->stopAnimation();
        break;
    }
    case MoveResize:
    case JumpToPosition:
        placeAtTarget(*actor);
        break;
    case ChangeOrder:
        switch (m_order) {
        case BringToFront:
            actor->bringToFront();
            break;
        case BringForward:
            actor->bringForward();
            break;
        case SendToBack:
            actor->sendToBack();
            break;
        case SendBackward:
            actor->sendBackward();
            break;
        default:
            break;
        }
        break;
    case ChangeMovement:
        if (actor->hasSequence(m_movementName))
            actor->buildFrames(m_movementName);
        break;
    default:
        break;
    }
}

void ActorAction::replayOnPage(KString& Movement)
{
    if (!hasTape() || !getTape().hasActor(m_actorName))
        return;
    switch (m_action) {
    case EnterOnScene:
        placeAtTarget(getTape().getActor(m_actorName));
        getTape().showActor(m_actorName);
        Movement = m_movementName;
        break;
    case ExitFromScene:
        getTape().hideActor(m_actorName);
        break;
    case ChangeMovement:
        Movement = m_movementName;
        break;
    default:
        drawOnPage();
        break;
    }
}

void ActorAction::draw(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}

void ActorAction::redraw() {}

// Media -----------------------------------------------------------------------------------

bool ActorAction::findMissingMedia(const KPath& MediaFolder, const KPathPtr& FurtherFolder)
{
    return m_action == EnterOnScene && ActorTapeObject::findMissingMedia(MediaFolder, FurtherFolder);
}

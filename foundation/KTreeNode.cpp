#include "foundation/KTreeNode.h"

K_DEFINE_CLASS(KTreeNode, KThing, 1)

void KTreeNode::setObject(const KComparable& Obj)
{
    // The node's count on its key is bookkeeping, not a change of the key.
    m_object.setObject(const_cast<KComparable&>(Obj));
}

void KTreeNode::resetObject()
{
    m_object.reset();
}

KComparable& KTreeNode::getObject() const
{
    return m_object.getObject();
}

KTreeNode* KTreeNode::getChild(long Index) const
{
    if (!m_children.hasObjectAt(Index))
        return nullptr;
    return static_cast<KTreeNode*>(&m_children.getObjectAt(Index));
}

void KTreeNode::setChild(long Index, KTreeNode* Node)
{
    if (!Node) {
        if (m_children.hasObjectAt(Index))
            m_children.resetAt(Index);
        return;
    }
    if (m_children.getSize() <= Index)
        m_children.setSize(Index + 1);
    m_children.putAt(*Node, Index);
}

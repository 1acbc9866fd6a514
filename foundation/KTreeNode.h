#pragma once
// A node of the search tree: a counted key object and at most two children, kept in an
// array (slot 0 left, slot 1 right) that grows only as far as a child is stored. A
// parent's link is a counted reference, so a subtree lives as long as its parent.
#include "foundation/KArray.h"
#include "foundation/KComparable.h"

class KTreeNode : public KThing {
    K_DECLARE_CLASS(KTreeNode)
public:
    KTreeNode() = default;
    KTreeNode(const KTreeNode&) = delete;
    KTreeNode& operator=(const KTreeNode&) = delete;

    virtual void setObject(const KComparable& Obj);
    virtual void resetObject();
    // The key; error 18 from the pointer when the node has none.
    KComparable& getObject() const;
    bool hasObject() const { return m_object.hasObject(); }

    // Null when the child is absent.
    KTreeNode* getLeft() const { return getChild(kLeft); }
    KTreeNode* getRight() const { return getChild(kRight); }
    // A null node empties the link.
    void setLeft(KTreeNode* Node) { setChild(kLeft, Node); }
    void setRight(KTreeNode* Node) { setChild(kRight, Node); }

private:
    static constexpr long kLeft = 0;
    static constexpr long kRight = 1;

    KTreeNode* getChild(long Index) const;
    void setChild(long Index, KTreeNode* Node);

    KComparablePtr m_object;
    KArray m_children;
};

K_POINTER_CLASS(KTreeNode, KThingPtr);

#pragma once
// An unbalanced search tree of comparable keys, filled by insertion (equal keys go left,
// so duplicates are kept) and rebalanced in one pass on request. Its users fill it in
// bulk and balance once.
#include "foundation/KTreeNode.h"

class KTree : public KThing {
    K_DECLARE_CLASS(KTree)
public:
    KTree() = default;
    KTree(const KTree&) = delete;
    KTree& operator=(const KTree&) = delete;
    ~KTree() override;

    virtual void setRoot(KTreeNode& Node);
    virtual void resetRoot();

    void insert(const KComparable& Obj);
    // Among equal keys the one highest in the tree is found.
    bool find(const KComparable& Obj, KTreeNodePtr& Result) const;
    // The node at an in-order index, or null.
    KTreeNode* getNodeAt(long Index) const;
    KTreeNode* getRoot() const { return m_root.get(); }
    bool hasRoot() const { return m_root.hasObject(); }
    long getNodeCount() const { return m_nodeCount; }

    void clear();
    // Rebuilds the tree with minimal height, keeping the in-order sequence.
    void balance();

private:
    KTreeNodePtr m_root;
    long m_nodeCount = 0;
};

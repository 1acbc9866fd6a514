#include "foundation/KTree.h"

#include <vector>

K_DEFINE_CLASS(KTree, KThing, 1)

namespace {

// The nodes of a subtree, parents before children. The walks keep their own stack, so
// the depth of an unbalanced tree costs heap, not the program's stack.
std::vector<KTreeNode*> preOrder(KTreeNode* Root)
{
    std::vector<KTreeNode*> nodes;
    std::vector<KTreeNode*> pending;
    if (Root)
        pending.push_back(Root);
    while (!pending.empty()) {
        KTreeNode* node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        if (KTreeNode* right = node->getRight())
            pending.push_back(right);
        if (KTreeNode* left = node->getLeft())
            pending.push_back(left);
    }
    return nodes;
}

// floor(log2(N)) for N ≥ 1, in integers so that exact powers of two never round down.
long floorLog2(unsigned long N)
{
    long result = 0;
    while (N > 1) {
        N >>= 1;
        ++result;
    }
    return result;
}

long ceilLog2(unsigned long N)
{
    const long floor = floorLog2(N);
    return (1UL << floor) == N ? floor : floor + 1;
}

// The left rotation of the spread pass: the scanner's right child becomes the left child
// of the node after it, which becomes the scanner.
KTreeNode* rotateLeaf(KTreeNode* Scanner)
{
    KTreeNode* child = Scanner->getRight();
    Scanner->setRight(child->getRight());
    Scanner = Scanner->getRight();
    Scanner->setLeft(child);
    child->setRight(nullptr);
    return Scanner;
}

// The left rotation of a compression pass.
KTreeNode* rotateCompress(KTreeNode* Scanner)
{
    KTreeNode* child = Scanner->getRight();
    Scanner->setRight(child->getRight());
    Scanner = Scanner->getRight();
    child->setRight(Scanner->getLeft());
    Scanner->setLeft(child);
    return Scanner;
}

// Turns the tree hanging right of the pseudo-root into a chain of right children in key
// order and gives its length.
long treeToVine(KTreeNode* PseudoRoot)
{
    KTreeNode* tail = PseudoRoot;
    KTreeNode* rest = tail->getRight();
    long size = 0;
    while (rest) {
        KTreeNode* left = rest->getLeft();
        if (!left) {
            tail = rest;
            rest = rest->getRight();
            ++size;
            continue;
        }
        rest->setLeft(left->getRight());
        left->setRight(rest);
        tail->setRight(left);
        rest = left;
    }
    return size;
}

// Rotates the bottom-level leaves out of the chain, spread evenly along it.
void spreadLeaves(KTreeNode* PseudoRoot, long Size, long Leaves)
{
    const long p = 1L << (ceilLog2(Size + 1) - 1);
    long step = p / (p - Leaves);
    long acc = p;
    KTreeNode* scanner = PseudoRoot;
    for (long i = 1; i < p; ++i) {
        if (i == step) {
            scanner = scanner->getRight();
            acc += p;
            step = acc / (p - Leaves);
        } else {
            scanner = rotateLeaf(scanner);
        }
    }
}

} // namespace

KTree::~KTree()
{
    clear();
}

void KTree::setRoot(KTreeNode& Node)
{
    m_root.setObject(Node);
}

void KTree::resetRoot()
{
    m_root.reset();
}

void KTree::insert(const KComparable& Obj)
{
    // A node holds its key by count, which an object outside the heap cannot give.
    if (kIsNullReference(&Obj) || !Obj.isOnHeap()) {
        kksReportError(3, "void KTree::insert(const KComparable& Obj)");
        return;
    }
    KTreeNode* node = new KTreeNode;
    if (!node)
        return;
    KTreeNodePtr fresh(node);
    fresh->setObject(Obj);
    ++m_nodeCount;
    if (!hasRoot()) {
        setRoot(*node);
        return;
    }
    KTreeNode* parent = m_root.get();
    for (;;) {
        const bool goLeft = Obj <= parent->getObject();
        KTreeNode* child = goLeft ? parent->getLeft() : parent->getRight();
        if (!child) {
            if (goLeft)
                parent->setLeft(node);
            else
                parent->setRight(node);
            return;
        }
        parent = child;
    }
}

bool KTree::find(const KComparable& Obj, KTreeNodePtr& Result) const
{
    Result.reset();
    KTreeNode* node = m_root.get();
    while (node) {
        const KComparable& key = node->getObject();
        if (Obj == key) {
            Result.setObject(node);
            return true;
        }
        node = Obj <= key ? node->getLeft() : node->getRight();
    }
    return false;
}

KTreeNode* KTree::getNodeAt(long Index) const
{
    if (Index < 0 || Index >= m_nodeCount)
        return nullptr;
    std::vector<KTreeNode*> pending;
    KTreeNode* node = m_root.get();
    long countdown = Index;
    while (node || !pending.empty()) {
        while (node) {
            pending.push_back(node);
            node = node->getLeft();
        }
        node = pending.back();
        pending.pop_back();
        if (--countdown < 0)
            return node;
        node = node->getRight();
    }
    return nullptr;
}

void KTree::clear()
{
    resetRoot();
    m_nodeCount = 0;
}

// A Day–Stout–Warren rebuild: the tree becomes a chain of right children, the leaves of
// the bottom level are rotated out of it spread evenly, and halving passes of left
// rotations fold the rest into a tree of minimal height.
void KTree::balance()
{
    if (!hasRoot())
        return;
    // Each rotation replaces a node's last parent link before the node is linked again;
    // the extra count keeps it alive in between.
    const std::vector<KTreeNode*> nodes = preOrder(m_root.get());
    for (KTreeNode* node : nodes)
        node->incReferenceCount();

    KTreeNodePtr pseudoRoot(new KTreeNode);
    if (pseudoRoot.hasObject()) {
        pseudoRoot->setRight(m_root.get());
        const long size = treeToVine(pseudoRoot.get());
        const long leaves = size + 1 - (1L << floorLog2(size + 1));
        if (leaves > 0)
            spreadLeaves(pseudoRoot.get(), size, leaves);
        for (long m = size - leaves; m > 1;) {
            m /= 2;
            KTreeNode* scanner = pseudoRoot.get();
            for (long i = 0; i < m; ++i)
                scanner = rotateCompress(scanner);
        }
        setRoot(*pseudoRoot->getRight());
        pseudoRoot.reset();
    }

    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        (*it)->decReferenceCount();
}

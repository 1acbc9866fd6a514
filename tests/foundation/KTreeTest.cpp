// KTree: insertion with duplicates, search, in-order index and the one-pass rebalance.
#include "foundation/KString.h"
#include "foundation/KTree.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class KTreeTest : public testing::Test {
protected:
    void SetUp() override { m_heapBlocks = KThing::getHeapBlockCount(); }
    void TearDown() override
    {
        m_tree.clear();
        EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks) << "leaked objects";
    }

    // Inserts the keys and hands each over to the tree.
    void insert(const std::string& Keys)
    {
        for (char key : Keys) {
            KStringPtr string(new KString(std::string(1, key).c_str()));
            m_tree.insert(*string);
        }
    }

    KTree m_tree;
    long m_heapBlocks = 0;
};

std::string keyOf(const KTreeNode& Node)
{
    return static_cast<const KString&>(Node.getObject()).getText();
}

// "key(left,right)", "-" for an absent child, a leaf as its key alone.
std::string shape(const KTreeNode* Node)
{
    if (!Node)
        return "-";
    if (!Node->getLeft() && !Node->getRight())
        return keyOf(*Node);
    return keyOf(*Node) + "(" + shape(Node->getLeft()) + "," + shape(Node->getRight()) + ")";
}

TEST_F(KTreeTest, InsertionKeepsDuplicatesOnTheLeftAndFindsTheUpperOne)
{
    insert("3152");
    KStringPtr three(new KString("3"));
    m_tree.insert(*three);
    EXPECT_EQ(shape(m_tree.getRoot()), "3(1(-,2(-,3)),5)");
    EXPECT_EQ(m_tree.getNodeCount(), 5);

    KTreeNodePtr found;
    ASSERT_TRUE(m_tree.find(KString("3"), found));
    EXPECT_EQ(found.get(), m_tree.getRoot());
    EXPECT_TRUE(m_tree.find(KString("2"), found));
    EXPECT_EQ(keyOf(*found), "2");
    EXPECT_FALSE(m_tree.find(KString("4"), found));
    EXPECT_FALSE(found.hasObject());

    std::string inOrder;
    for (long index = 0; index < m_tree.getNodeCount(); ++index)
        inOrder += keyOf(*m_tree.getNodeAt(index));
    EXPECT_EQ(inOrder, "12335");
    EXPECT_EQ(m_tree.getNodeAt(5), nullptr);
    EXPECT_EQ(m_tree.getNodeAt(-1), nullptr);

    m_tree.clear();
    EXPECT_EQ(m_tree.getNodeCount(), 0);
    EXPECT_FALSE(m_tree.hasRoot());
    EXPECT_FALSE(m_tree.find(KString("3"), found));
    EXPECT_EQ(m_tree.getNodeAt(0), nullptr);
    EXPECT_EQ(three->getReferenceCount(), 2);
}

TEST_F(KTreeTest, BalancingGivesMinimalHeightWithTheBottomLeavesSpread)
{
    m_tree.balance();
    EXPECT_FALSE(m_tree.hasRoot());
    insert("1");
    m_tree.balance();
    EXPECT_EQ(shape(m_tree.getRoot()), "1");

    m_tree.clear();
    insert("1234567");
    EXPECT_EQ(shape(m_tree.getRoot()), "1(-,2(-,3(-,4(-,5(-,6(-,7))))))");
    m_tree.balance();
    EXPECT_EQ(shape(m_tree.getRoot()), "4(2(1,3),6(5,7))");
    EXPECT_EQ(m_tree.getNodeCount(), 7);

    m_tree.clear();
    insert("54321");
    m_tree.balance();
    EXPECT_EQ(shape(m_tree.getRoot()), "3(2(1,-),5(4,-))");

    // One bottom leaf: the spread places it at the end of the chain.
    m_tree.clear();
    insert("1234");
    m_tree.balance();
    EXPECT_EQ(shape(m_tree.getRoot()), "2(1,4(3,-))");

    m_tree.clear();
    insert("ABCDEFGHIJKL");
    m_tree.balance();
    EXPECT_EQ(shape(m_tree.getRoot()), "G(C(B(A,-),E(D,F)),J(H(-,I),L(K,-)))");
    std::string inOrder;
    for (long index = 0; index < m_tree.getNodeCount(); ++index)
        inOrder += keyOf(*m_tree.getNodeAt(index));
    EXPECT_EQ(inOrder, "ABCDEFGHIJKL");
}

TEST_F(KTreeTest, NodesHoldTheirKeysAndChildrenByCount)
{
    KStringPtr key(new KString("k"));
    KTreeNodePtr node(new KTreeNode);
    node->setObject(*key);
    EXPECT_EQ(key->getReferenceCount(), 3);
    KTreeNodePtr child(new KTreeNode);
    node->setRight(child.get());
    EXPECT_EQ(child->getReferenceCount(), 3);
    EXPECT_EQ(node->getLeft(), nullptr);
    node->setRight(nullptr);
    EXPECT_EQ(child->getReferenceCount(), 2);
    node->resetObject();
    EXPECT_EQ(key->getReferenceCount(), 2);

    ReportCatcher catcher;
    EXPECT_TRUE(kIsNullReference(&child->getObject()));
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));

    // A key that cannot be counted is refused and leaves the tree as it was.
    KTree tree;
    KString onStack("s");
    tree.insert(onStack);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 3}));
    EXPECT_TRUE(catcher.caught(3, "void KTree::insert(const KComparable& Obj)"));
    EXPECT_FALSE(tree.hasRoot());
    EXPECT_EQ(tree.getNodeCount(), 0);
}

} // namespace

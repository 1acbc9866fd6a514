// KTree: insertion with duplicates, search, in-order index and the one-pass rebalance.
#include "foundation/KString.h"
#include "foundation/KTree.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string keyOf(const KTreeNode& Node)
{
    return text(Node.getObject());
}

class KTreeTest : public LeakChecked {
protected:
    void TearDown() override
    {
        m_tree.clear();
        LeakChecked::TearDown();
    }

    // Inserts the keys and hands each over to the tree.
    void insert(const std::string& Keys)
    {
        for (char key : Keys)
            m_tree.insert(KStringPtr(new KString(std::string(1, key).c_str())).getObject());
    }

    std::string inOrder() const
    {
        std::string keys;
        for (long index = 0; index < m_tree.getNodeCount(); ++index)
            keys += keyOf(*m_tree.getNodeAt(index));
        return keys;
    }

    KTree m_tree;
};

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
    EXPECT_FALSE(m_tree.find(KString("4"), found));
    EXPECT_FALSE(found.hasObject());

    EXPECT_EQ(inOrder(), "12335");
    EXPECT_EQ(m_tree.getNodeAt(5), nullptr);
    EXPECT_EQ(m_tree.getNodeAt(-1), nullptr);

    m_tree.clear();
    EXPECT_FALSE(m_tree.find(KString("3"), found));
    EXPECT_EQ(m_tree.getNodeAt(0), nullptr);
    EXPECT_EQ(three->getReferenceCount(), 2);
}

TEST_F(KTreeTest, BalancingGivesMinimalHeightWithTheBottomLeavesSpread)
{
    m_tree.balance();
    EXPECT_FALSE(m_tree.hasRoot());
    insert("1234567");
    EXPECT_EQ(shape(m_tree.getRoot()), "1(-,2(-,3(-,4(-,5(-,6(-,7))))))");

    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"},
        {"1234567", "4(2(1,3),6(5,7))"},
        {"54321", "3(2(1,-),5(4,-))"},
        {"1234", "2(1,4(3,-))"}, // one bottom leaf: the spread places it at the end of the chain
        {"ABCDEFGHIJKL", "G(C(B(A,-),E(D,F)),J(H(-,I),L(K,-)))"},
    };
    for (const auto& [keys, balanced] : cases) {
        m_tree.clear();
        insert(keys);
        m_tree.balance();
        EXPECT_EQ(shape(m_tree.getRoot()), balanced) << keys;
        EXPECT_EQ(m_tree.getNodeCount(), static_cast<long>(std::string(keys).size()));
    }
    EXPECT_EQ(inOrder(), "ABCDEFGHIJKL");
}

TEST_F(KTreeTest, AKeyThatCannotBeCountedIsRefused)
{
    ReportCatcher catcher;
    KString onStack("s");
    m_tree.insert(onStack);
    EXPECT_EQ(catcher.codes(), std::vector<int>{3});
    EXPECT_TRUE(catcher.caught(3, "void KTree::insert(const KComparable& Obj)"));
    EXPECT_FALSE(m_tree.hasRoot());
    EXPECT_EQ(m_tree.getNodeCount(), 0);
}

} // namespace

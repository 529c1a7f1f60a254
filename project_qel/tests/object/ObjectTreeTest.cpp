#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "object/QelBase.h"
#include "support/EngineCore.h"

namespace {

// Records what happens to it in a shared journal.
class Probe : public QelBase {
public:
    Probe(std::vector<std::string>& journal, std::string probeName)
        : log(journal), name(std::move(probeName))
    {
    }
    ~Probe() override { log.push_back("delete " + name); }

    void update(double time, double dt) override
    {
        log.push_back("update " + name);
        if (dieOnUpdate) {
            bDead = 1;
        }
        if (killOnUpdate != nullptr) {
            killOnUpdate->bDead = 1;
        }
        QelBase::update(time, dt);
    }
    void render() override
    {
        log.push_back("render " + name);
        QelBase::render();
    }
    bool isMouseInside() override { return mouseInside; }

    std::vector<std::string>& log;
    std::string name;
    bool dieOnUpdate = false;
    bool mouseInside = false;
    QelBase* killOnUpdate = nullptr;
};

class ObjectTree : public testing::Test {
protected:
    Probe* child(QelBase* parent, const std::string& name)
    {
        auto* probe = new Probe(journal, name);
        parent->add(probe);
        return probe;
    }
    u32 liveCount() const { return core.qel->liveObjects.countChildren(); }

    EngineCore core;
    std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

} // namespace

TEST_F(ObjectTree, ChildrenKeepTheirOrderAndParent)
{
    QelBase root;
    Probe* a = child(&root, "a");
    Probe* b = child(&root, "b");
    Probe* c = child(&root, "c");
    EXPECT_EQ(root.countChildren(), 3u);
    EXPECT_EQ(root.getChild(0), a);
    EXPECT_EQ(root.getChild(-3), a);
    EXPECT_EQ(root.getChild(2), c);
    EXPECT_EQ(root.getChild(3), nullptr);
    EXPECT_EQ(b->getParent(), &root);

    root.remove(b);
    EXPECT_EQ(b->parent, nullptr);
    EXPECT_EQ(root.getChild(1), c);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->prev, a);
    root.insertBefore(b, c);
    EXPECT_EQ(root.getChild(1), b);
    root.insertAfter(a, c);
    EXPECT_EQ(root.lastChild, a);
    EXPECT_EQ(root.firstChild, b);
}

TEST_F(ObjectTree, LinkingALinkedNodeMovesIt)
{
    QelBase first;
    QelBase second;
    Probe* a = child(&first, "a");
    Probe* b = child(&first, "b");
    second.add(a);
    EXPECT_EQ(first.countChildren(), 1u);
    EXPECT_EQ(first.firstChild, b);
    EXPECT_EQ(b->prev, nullptr);
    EXPECT_EQ(second.firstChild, a);
    EXPECT_EQ(a->getParent(), &second);
    // Moving within one list keeps it consistent too.
    Probe* c = child(&second, "c");
    second.insertAfter(a, c);
    EXPECT_EQ(second.firstChild, c);
    EXPECT_EQ(second.lastChild, a);
    EXPECT_EQ(a->next, nullptr);
    second.addChildFront(a);
    EXPECT_EQ(second.firstChild, a);
    EXPECT_EQ(second.countChildren(), 2u);
}

TEST_F(ObjectTree, EveryNodesHeightIsExactAfterEveryLinkOperation)
{
    std::function<u32(const BasicLink*)> measured = [&](const BasicLink* node) {
        u32 levels = 0;
        for (const BasicLink* c = node->firstChild; c != nullptr; c = c->next) {
            levels = std::max(levels, measured(c) + 1);
        }
        return levels;
    };
    std::vector<std::unique_ptr<BasicLink>> nodes;
    for (int i = 0; i < 60; ++i) {
        nodes.push_back(std::make_unique<BasicLink>());
    }
    auto check = [&](const std::string& after) {
        for (const auto& node : nodes) {
            ASSERT_EQ(node->height, measured(node.get())) << after;
        }
    };
    const std::function<void(BasicLink*, BasicLink*)> links[] = {
        [](BasicLink* parent, BasicLink* child) { parent->addChildBack(child); },
        [](BasicLink* parent, BasicLink* child) { parent->addChildFront(child); },
        [](BasicLink* parent, BasicLink* child) { parent->insertAfter(child, parent->firstChild); },
        [](BasicLink* parent, BasicLink* child) { parent->insertBefore(child, parent->lastChild); },
    };
    // A chain built top down, another built bottom up and left unattached,
    // then hung under the first one's bottom by each link operation, beside
    // a leaf, and taken off again.
    for (const auto& link : links) {
        for (int i = 0; i + 1 < 20; ++i) {
            nodes[i]->addChildBack(nodes[i + 1].get());
            nodes[39 - i]->addChildBack(nodes[38 - i].get());
        }
        nodes[19]->addChildBack(nodes[59].get());
        link(nodes[19].get(), nodes[39].get());
        ASSERT_EQ(nodes[0]->height, 39u);
        check("a chain hung under another");
        nodes[19]->removeChild(nodes[39].get());
        ASSERT_EQ(nodes[0]->height, 20u);
        check("a chain taken off another");
        for (const auto& node : nodes) {
            if (node->parent != nullptr) {
                node->parent->removeChild(node.get());
            }
        }
        check("every node unlinked");
    }
    // Then nodes linked, moved and unlinked at random.
    auto inside = [](const BasicLink* node, const BasicLink* top) {
        for (; node != nullptr; node = node->parent) {
            if (node == top) {
                return true;
            }
        }
        return false;
    };
    std::mt19937 random(7);
    u32 tallest = 0;
    for (int step = 0; step < 20000; ++step) {
        BasicLink* parent = nodes[random() % nodes.size()].get();
        BasicLink* child = nodes[random() % nodes.size()].get();
        const u32 operation = random() % 6;
        if (operation >= 4 || inside(parent, child)) {
            if (child->parent != nullptr) {
                child->parent->removeChild(child);
            }
        } else {
            links[operation](parent, child);
        }
        check("step " + std::to_string(step));
        for (const auto& node : nodes) {
            tallest = std::max(tallest, node->height);
        }
    }
    EXPECT_GT(tallest, 5u) << "the walk built no deep tree";
    for (const auto& node : nodes) {
        if (node->parent != nullptr) {
            node->parent->removeChild(node.get());
        }
    }
}

TEST_F(ObjectTree, AnObjectAdoptsAnythingButItselfAndItsAncestors)
{
    // A chain with a taller and a shorter branch beside it, and a node
    // apart: every pair against a walk up.
    QelBase top;
    std::vector<QelBase*> nodes{&top};
    auto hang = [&](QelBase* parent) {
        auto* node = new QelBase();
        parent->add(node);
        nodes.push_back(node);
        return node;
    };
    QelBase* a = hang(&top);
    QelBase* b = hang(a);
    hang(hang(b));
    QelBase* tall = hang(&top);
    hang(hang(hang(hang(tall))));
    hang(b);
    QelBase apart;
    nodes.push_back(&apart);
    for (QelBase* parent : nodes) {
        u64 line = 0;
        bool ancestorOrSelf[16] = {};
        for (BasicLink* up = parent; up != nullptr; up = up->parent) {
            ++line;
            for (size_t i = 0; i < nodes.size(); ++i) {
                ancestorOrSelf[i] = ancestorOrSelf[i] || nodes[i] == up;
            }
        }
        for (size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(parent->canAdopt(nodes[i]), !ancestorOrSelf[i]) << parent->depth() << " " << i;
            EXPECT_EQ(parent->adoptedDepth(nodes[i]), ancestorOrSelf[i] ? 0 : line) << parent->depth() << " " << i;
        }
        EXPECT_FALSE(parent->canAdopt(nullptr));
    }
}

TEST_F(ObjectTree, UpdateVisitsParentStateThenChildrenInOrder)
{
    QelBase root;
    child(&root, "a");
    Probe* b = child(&root, "b");
    child(b, "b1");
    root.setState(1, 0.5, false);
    root.update(0.0, 0.6);
    EXPECT_EQ(root.state, 1);
    EXPECT_EQ(journal, (Journal{"update a", "update b", "update b1"}));
}

TEST_F(ObjectTree, ChildrenDyingDuringTheUpdateGoBeforeTheNextSibling)
{
    QelBase root;
    Probe* a = child(&root, "a");
    child(a, "a1");
    a->dieOnUpdate = true;
    Probe* b = child(&root, "b");
    Probe* c = child(&root, "c");
    child(&root, "d");
    // A child may kill a later sibling, and dead children are deleted
    // without being visited.
    b->killOnUpdate = c;
    root.update(0.0, 0.01);
    EXPECT_EQ(journal, (Journal{"update a", "update a1", "delete a", "delete a1", "update b", "delete c",
                                "update d"}));
    EXPECT_EQ(root.countChildren(), 2u);

    journal.clear();
    b->killOnUpdate = nullptr;
    b->bDead = 1;
    child(&root, "e")->bDead = 1;
    root.render();
    EXPECT_EQ(journal, (Journal{"delete b", "render d", "delete e"}));
}

TEST_F(ObjectTree, SkippedChildrenAreLeftAlone)
{
    QelBase root;
    Probe* a = child(&root, "a");
    Probe* b = child(&root, "b");
    b->mouseInside = true;
    Probe* c = child(&root, "c");
    a->bDead = 1;
    root.setChildrenSkipped(true);
    EXPECT_EQ(a->bSkip, 0);
    c->bDead = 1;
    c->bSkip = 0;
    b->bSkip = 1;
    root.update(0.0, 0.01);
    root.render();
    int n = 0;
    EXPECT_EQ(root.pick(&n), nullptr);
    EXPECT_EQ(journal, (Journal{"delete a", "delete c"}));
    EXPECT_EQ(root.countChildren(), 1u);
}

TEST_F(ObjectTree, PickCountsHitsInReverseDrawingOrder)
{
    QelBase root;
    Probe* a = child(&root, "a");
    Probe* b = child(&root, "b");
    Probe* b1 = child(b, "b1");
    a->mouseInside = b->mouseInside = b1->mouseInside = true;
    int n = 0;
    EXPECT_EQ(root.pick(&n), b1);
    n = 1;
    EXPECT_EQ(root.pick(&n), b);
    n = 2;
    EXPECT_EQ(root.pick(&n), a);
    n = 3;
    EXPECT_EQ(root.pick(&n), nullptr);

    b->bDisabled = 1;
    n = 0;
    EXPECT_EQ(root.pick(&n), a);
    EXPECT_TRUE(b1->isDisabled());
    EXPECT_FALSE(a->isDisabled());
}

TEST_F(ObjectTree, DeletingAParentDeletesItsSubtreeLastFirst)
{
    u32 before = liveCount();
    auto* root = new Probe(journal, "root");
    child(root, "a");
    Probe* b = child(root, "b");
    child(b, "b1");
    child(root, "c");
    EXPECT_EQ(liveCount(), before + 5);
    delete root;
    EXPECT_EQ(journal, (Journal{"delete root", "delete c", "delete b", "delete b1", "delete a"}));
    EXPECT_EQ(liveCount(), before);
}

TEST_F(ObjectTree, DirectDeleteLeavesTheParentsList)
{
    QelBase root;
    Probe* a = child(&root, "a");
    Probe* b = child(&root, "b");
    Probe* c = child(&root, "c");
    delete b;
    EXPECT_EQ(root.countChildren(), 2u);
    EXPECT_EQ(a->next, c);
    EXPECT_EQ(c->prev, a);
    root.clear();
    EXPECT_EQ(root.firstChild, nullptr);

    // Removing the only child empties the list.
    Probe* only = child(&root, "only");
    root.removeChild(only);
    EXPECT_EQ(root.firstChild, nullptr);
    EXPECT_EQ(root.lastChild, nullptr);
    EXPECT_EQ(only->parent, nullptr);
    delete only;
}

TEST_F(ObjectTree, EventsRunFiltersTargetPostHandlersAndDelegates)
{
    struct Router : QelBase {
        Router(Journal& journal, std::string routerName) : log(journal), name(std::move(routerName)) {}
        bool onFilterEvent(Event*) override
        {
            log.push_back("filter " + name);
            return swallow;
        }
        bool onEvent(Event*) override
        {
            log.push_back("event " + name);
            return handle;
        }
        bool onPostEvent(Event*) override
        {
            log.push_back("post " + name);
            return false;
        }
        Journal& log;
        std::string name;
        bool swallow = false;
        bool handle = false;
    };
    Router root(journal, "root");
    auto* middle = new Router(journal, "middle");
    root.add(middle);
    auto* leaf = new Router(journal, "leaf");
    middle->add(leaf);

    Event e;
    e.type = EVENT_CLICK;
    deliverEvent(&e, leaf, nullptr);
    EXPECT_EQ(e.target, leaf);
    EXPECT_EQ(journal, (Journal{"filter root", "filter middle", "event leaf", "post middle", "post root"}));

    journal.clear();
    leaf->handle = true;
    deliverEvent(&e, leaf, nullptr);
    EXPECT_EQ(journal, (Journal{"filter root", "filter middle", "event leaf"}));

    journal.clear();
    middle->bDisabled = 1;
    deliverEvent(&e, leaf, nullptr);
    EXPECT_EQ(journal, (Journal{}));

    journal.clear();
    middle->bDisabled = 0;
    root.swallow = true;
    deliverEvent(&e, leaf, nullptr);
    EXPECT_EQ(journal, (Journal{"filter root"}));

    // A delegate receives the hooks of the object it stands for.
    journal.clear();
    Router delegate(journal, "delegate");
    QelBase holder;
    holder.eventDelegate = &delegate;
    holder.add(new Router(journal, "inner"));
    deliverEvent(&e, holder.getFirstChild(), nullptr);
    deliverEvent(&e, &holder, nullptr);
    EXPECT_EQ(journal, (Journal{"filter delegate", "event inner", "post delegate", "event delegate"}));
}

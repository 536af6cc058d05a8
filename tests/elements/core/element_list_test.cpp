#include "elements/core/element_list.h"
#include "fake_element_context.h"
#include "test_element.h"

#include <gtest/gtest.h>

namespace ovanto::testing {
namespace {

struct ListScene {
    FakeElementContext window;
    std::vector<TGraph*> made;
    explicit ListScene(int n) {
        for (int i = 0; i < n; ++i) made.push_back(window.elements.append(std::make_unique<TTestGraph>(window)));
    }
    std::vector<int> order() const {
        std::vector<int> result;
        for (const auto& e : window.elements)
            result.push_back(static_cast<int>(std::find(made.begin(), made.end(), e.get()) - made.begin()));
        return result;
    }
};

TEST(ElementList, InsertMoveAndTakeKeepTheDrawingOrder) {
    ListScene s(4);
    EXPECT_TRUE(s.window.elements.move(0, 3));
    EXPECT_EQ(s.order(), (std::vector{1, 2, 3, 0}));
    EXPECT_TRUE(s.window.elements.move(3, 1));
    EXPECT_EQ(s.order(), (std::vector{1, 0, 2, 3}));
    EXPECT_FALSE(s.window.elements.move(0, 4));
    EXPECT_FALSE(s.window.elements.move(-1, 0));

    std::vector<std::unique_ptr<TGraph>> pasted;
    pasted.push_back(std::make_unique<TTestGraph>(s.window));
    pasted.push_back(nullptr);
    pasted.push_back(std::make_unique<TTestGraph>(s.window));
    s.made.push_back(pasted[0].get());
    s.made.push_back(pasted[2].get());
    EXPECT_EQ(s.window.elements.insert(99, std::move(pasted)), s.made[4]); // clamped to the end
    EXPECT_EQ(s.order(), (std::vector{1, 0, 2, 3, 4, 5}));

    std::unique_ptr<TGraph> taken = s.window.elements.take(1);
    EXPECT_EQ(taken.get(), s.made[0]);
    EXPECT_EQ(s.window.elements.take(6), nullptr);
    EXPECT_EQ(s.window.elements.indexOf(s.made[0]), -1);
    EXPECT_EQ(s.window.elements.at(5), nullptr);
}

TEST(ElementList, SelectionAndCurrentStayConsistent) {
    ListScene s(3);
    ElementList& list = s.window.elements;
    s.made[0]->setSelected(true);
    s.made[2]->setSelected(true);
    EXPECT_EQ(list.selected(), (std::vector{s.made[0], s.made[2]}));
    list.selectOnly(s.made[1]);
    EXPECT_EQ(list.selected(), (std::vector{s.made[1]}));
    list.setCurrent(s.made[2]);
    list.setCurrent(s.made[0]);
    EXPECT_EQ(list.current(), s.made[0]);
    EXPECT_FALSE(s.made[2]->isCurrent());
    list.clearSelection();
    EXPECT_TRUE(list.selected().empty());

    // A design-mode click on an unselected element drops the others from the selection.
    s.window.design = true;
    s.made[0]->setSelected(true);
    s.made[2]->MouseDown(35, 35);
    EXPECT_EQ(list.selected(), (std::vector{s.made[2]}));
}

} // namespace
} // namespace ovanto::testing

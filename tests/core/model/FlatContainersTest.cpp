#include "core/model/InlineVector.h"
#include "core/model/NumberIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

// Counts the values alive, so a value dropped or destroyed twice shows.
struct Counted {
    explicit Counted(int v, int& alive) : value(v), alive_(&alive) { ++*alive_; }
    ~Counted() { --*alive_; }
    int value;
    int* alive_;
};

template <std::size_t N>
std::vector<int> Values(const TInlineVector<std::unique_ptr<Counted>, N>& v)
{
    std::vector<int> out;
    for (const auto& p : v)
        out.push_back(p->value);
    return out;
}

}  // namespace

TEST(InlineVector, KeepsOrderAndOwnershipAcrossTheMoveToTheHeapAndBack)
{
    int alive = 0;
    {
        TInlineVector<std::unique_ptr<Counted>, 2> v;
        v.push_back(std::make_unique<Counted>(1, alive));
        v.push_back(std::make_unique<Counted>(3, alive));
        v.insert(v.begin() + 1, std::make_unique<Counted>(2, alive));  // grows onto the heap
        v.insert(v.begin(), std::make_unique<Counted>(0, alive));
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Values(v));
        EXPECT_EQ(4, alive);

        v.erase(v.begin() + 1, v.begin() + 3);
        EXPECT_EQ((std::vector<int>{0, 3}), Values(v));
        EXPECT_EQ(2, alive);

        // Moving takes the heap block; the source is empty and usable again.
        TInlineVector<std::unique_ptr<Counted>, 2> moved(std::move(v));
        EXPECT_TRUE(v.empty());
        v.push_back(std::make_unique<Counted>(9, alive));
        EXPECT_EQ((std::vector<int>{0, 3}), Values(moved));
        EXPECT_EQ((std::vector<int>{9}), Values(v));

        // Moving inline values moves each value.
        TInlineVector<std::unique_ptr<Counted>, 2> inlineMoved(std::move(v));
        EXPECT_EQ((std::vector<int>{9}), Values(inlineMoved));
        inlineMoved = std::move(moved);
        EXPECT_EQ((std::vector<int>{0, 3}), Values(inlineMoved));
        EXPECT_EQ(2, alive);
    }
    EXPECT_EQ(0, alive);
}

TEST(InlineVector, AssignReplacesTheValues)
{
    TInlineVector<int*, 3> v;
    int a = 0, b = 0, c = 0, d = 0;
    v.push_back(&a);
    const std::vector<int*> order{&d, &c, &b, &a};
    v.assign(order.begin(), order.end());
    ASSERT_EQ(4u, v.size());
    EXPECT_EQ(&d, v[0]);
    EXPECT_EQ(&a, v[3]);
    v.assign(order.begin(), order.begin() + 1);
    ASSERT_EQ(1u, v.size());
    EXPECT_EQ(&d, v[0]);
}

// Random adds and removes against a reference multimap: removals leave gaps the lookups
// must walk past, and rehashing must keep every entry.
TEST(NumberIndex, FindsWhatAMultimapFindsThroughAddsRemovesAndRehashes)
{
    std::vector<int> objects(400);
    TNumberIndex<int> index;
    std::multimap<int, int*> reference;
    std::mt19937 random(7);
    for (int step = 0; step < 20000; ++step) {
        const int number = static_cast<int>(random() % 300) - 50;  // duplicates and negatives
        int* obj = &objects[random() % objects.size()];
        if (random() % 3 != 0) {
            index.Add(number, obj);
            reference.emplace(number, obj);
        } else {
            index.Remove(number, obj);
            const auto [first, last] = reference.equal_range(number);
            for (auto it = first; it != last; ++it)
                if (it->second == obj) {
                    reference.erase(it);
                    break;
                }
        }
        if (step % 997 == 0 || step == 19999) {
            ASSERT_EQ(reference.size(), index.Size());
            for (int n = -50; n < 250; ++n) {
                std::multiset<int*> expected, found;
                const auto [first, last] = reference.equal_range(n);
                for (auto it = first; it != last; ++it)
                    expected.insert(it->second);
                index.ForEach(n, [&](int* p) { found.insert(p); });
                ASSERT_EQ(expected, found) << "number " << n << " at step " << step;
            }
        }
    }
}

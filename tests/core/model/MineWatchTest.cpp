// Those who keep pointers into a mine hear of every object of it that is freed, before its
// memory goes, and once of the mine itself; and the mine reports objects coming and going as
// a structural change.

#include "core/model/DeviceKinds.h"
#include "core/model/MineWatch.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool Heard(const std::vector<const TMineObject*>& heard, const void* object)
{
    return std::find(heard.begin(), heard.end(), object) != heard.end();
}

}  // namespace

TEST(MineWatch, WatchersHearOfEveryFreedObjectAndOnceOfTheMine)
{
    auto b = std::make_unique<MineBuilder>();
    b->uzel(1);
    b->uzel(2, 100);
    b->uzel(3, 200);
    TBranch* kept = b->firePipe(10, 1, 2);
    TBranch* doomed = b->firePipe(20, 2, 3);
    TDevice* gate = b->device(kept, dkGate, 0.5, 7);
    TDevice* crane = b->device(doomed, dkCrane, 0.5, 8);

    std::vector<const TMineObject*> heard;
    TMineWatcher watcher;
    watcher.Start(&b->mine(), [&](const TMineObject* gone) { heard.push_back(gone); });
    // Another mine's watcher hears nothing of this one.
    MineBuilder other;
    int otherHeard = 0;
    TMineWatcher otherWatcher;
    otherWatcher.Start(&other.mine(), [&](const TMineObject*) { ++otherHeard; });

    kept->FirePipe()->Devices.Remove(gate);
    EXPECT_EQ(heard.back(), static_cast<const TMineObject*>(gate));
    // A branch takes its pipes' sections and devices with it, the branch itself last.
    b->mine().DeleteBranch(doomed);
    EXPECT_TRUE(Heard(heard, crane));
    EXPECT_EQ(heard.back(), static_cast<const TMineObject*>(doomed));
    TUzel* three = b->mine().FirstUzelWithNumber(3);
    b->mine().DeleteUzel(three);
    EXPECT_EQ(heard.back(), static_cast<const TMineObject*>(three));
    EXPECT_EQ(otherHeard, 0);

    // The mine goes: one notice, no object by object, and the watch has ended.
    heard.clear();
    b.reset();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], nullptr);
    EXPECT_EQ(watcher.Mine(), nullptr);
    EXPECT_EQ(otherHeard, 0);
}

TEST(MineWatch, AWatchEndedDuringANoticeIsNotCalled)
{
    MineBuilder b;
    b.uzel(1);
    TUzel* two = b.uzel(2);
    int first = 0;
    int second = 0;
    auto later = std::make_unique<TMineWatcher>();
    TMineWatcher earlier;
    // The earlier watcher closes the later one's window, as a document's going closes others.
    earlier.Start(&b.mine(), [&](const TMineObject*) {
        ++first;
        later.reset();
    });
    later->Start(&b.mine(), [&](const TMineObject*) { ++second; });
    b.mine().DeleteUzel(two);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    earlier.Stop();
    b.mine().DeleteUzel(b.mine().FirstUzelWithNumber(1));
    EXPECT_EQ(first, 1);
}

TEST(MineWatch, ObjectsComingAndGoingAreStructuralChanges)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    std::vector<bool> flags;
    b.mine().OnChange = [&](TMine*, bool structural) { flags.push_back(structural); };
    TBranch* br = b.branch(10, 1, 2);
    EXPECT_TRUE(std::any_of(flags.begin(), flags.end(), [](bool s) { return s; }));
    TGasPipe* gas = TGasPipe::Create(br);
    flags.clear();
    br->Pipes.Remove(gas);
    b.mine().DeleteBranch(br);
    b.mine().DeleteUzel(b.mine().FirstUzelWithNumber(1));
    ASSERT_FALSE(flags.empty());
    EXPECT_TRUE(std::all_of(flags.begin(), flags.end(), [](bool s) { return s; }));
}

#include "core/model/MineWatch.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct Entry {
    int Token;
    const TMine* Mine;
    MineWatch::Handler Handler;
    // Cleared by Unwatch, so a handler taken out for a notice is not called once its owner
    // stopped watching meanwhile (an earlier handler of the same notice may close a window).
    std::atomic<bool> Alive{true};
};

// Mines are read in a worker thread: the registry is shared, if rarely touched there.
struct Registry {
    std::mutex Lock;
    std::vector<std::shared_ptr<Entry>> Entries;
    std::atomic<int> Count{0};
    int LastToken = 0;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// The watches of one mine, taken out so that handlers run without the lock.
std::vector<std::shared_ptr<Entry>> WatchesOf(const TMine& mine)
{
    Registry& r = TheRegistry();
    std::vector<std::shared_ptr<Entry>> watches;
    const std::lock_guard lock(r.Lock);
    for (const auto& e : r.Entries)
        if (e->Mine == &mine)
            watches.push_back(e);
    return watches;
}

void Tell(const std::vector<std::shared_ptr<Entry>>& entries, const TMineObject* gone)
{
    for (const auto& e : entries)
        if (e->Alive.load())
            e->Handler(gone);
}

}  // namespace

namespace MineWatch {

int Watch(const TMine& mine, Handler handler)
{
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.Lock);
    auto entry = std::make_shared<Entry>();
    entry->Token = ++r.LastToken;
    entry->Mine = &mine;
    entry->Handler = std::move(handler);
    r.Entries.push_back(std::move(entry));
    r.Count.store(int(r.Entries.size()));
    return r.LastToken;
}

void Unwatch(int token)
{
    if (token <= 0)
        return;
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.Lock);
    std::erase_if(r.Entries, [token](const std::shared_ptr<Entry>& e) {
        if (e->Token != token)
            return false;
        e->Alive.store(false);
        return true;
    });
    r.Count.store(int(r.Entries.size()));
}

void ObjectGoing(const TMine& mine, const TMineObject& object)
{
    // Most objects die unwatched (a mine being read, a scratch mine): no lock for them.
    if (TheRegistry().Count.load() == 0)
        return;
    Tell(WatchesOf(mine), &object);
}

void MineGoing(const TMine& mine)
{
    Registry& r = TheRegistry();
    if (r.Count.load() == 0)
        return;
    const std::vector<std::shared_ptr<Entry>> told = WatchesOf(mine);
    // Still registered while told: a handler that ends another watch of the mine stops its notice.
    Tell(told, nullptr);
    const std::lock_guard lock(r.Lock);
    std::erase_if(r.Entries, [&](const std::shared_ptr<Entry>& e) {
        if (e->Mine != &mine)
            return false;
        e->Alive.store(false);
        return true;
    });
    r.Count.store(int(r.Entries.size()));
}

}  // namespace MineWatch

void TMineWatcher::Start(const TMine* mine, MineWatch::Handler handler)
{
    Stop();
    if (!mine)
        return;
    mine_ = mine;
    token_ = MineWatch::Watch(*mine, [this, handler = std::move(handler)](const TMineObject* gone) {
        if (!gone) {
            mine_ = nullptr;
            token_ = 0;
        }
        if (handler)
            handler(gone);
    });
}

void TMineWatcher::Stop()
{
    MineWatch::Unwatch(token_);
    token_ = 0;
    mine_ = nullptr;
}

#pragma once

// Who keeps pointers into a mine beyond one call (the schema scene and window, the 3D window,
// the property windows, the device tables) hears here that an object of the mine is about to
// be freed, or that the whole mine goes (object null). The notice comes while the object is
// still in memory — from its destructor, after it left its lists — so the pointer can be let
// go of; nothing may read the model from inside it (the object is half gone, and so may be
// the mine). Reading again waits for the next use, when the mine is whole.
// The mine's change event says that something changed; this says which pointers died.

#include <functional>

class TMine;
class TMineObject;

namespace MineWatch {

using Handler = std::function<void(const TMineObject* gone)>;

// A token for Unwatch. Watching stops by itself when the mine goes (after the null notice).
int Watch(const TMine& mine, Handler handler);
// Harmless for a token whose mine went.
void Unwatch(int token);

// For the model.
void ObjectGoing(const TMine& mine, const TMineObject& object);
void MineGoing(const TMine& mine);

}  // namespace MineWatch

// One watch that ends with its owner. Not movable: the handler refers to it.
class TMineWatcher {
public:
    TMineWatcher() = default;
    ~TMineWatcher() { Stop(); }
    TMineWatcher(const TMineWatcher&) = delete;
    TMineWatcher& operator=(const TMineWatcher&) = delete;

    // Watches the mine (a null mine: nothing), ending an earlier watch.
    void Start(const TMine* mine, MineWatch::Handler handler);
    void Stop();
    // The mine watched; null when none or once it went.
    const TMine* Mine() const { return mine_; }

private:
    const TMine* mine_ = nullptr;
    int token_ = 0;
};

#pragma once

#include "core/model/MineObject.h"

// The mine's selection: nodes, branches and devices the user picked. Adding an object
// marks it selected and counts it; removing clears the mark and the count.
class TSelectionList {
public:
    explicit TSelectionList(TMine* mine);

    TMine* Mine() const { return mine_; }
    int Count() const { return items_.Count(); }
    TMineObject* Items(int index) const { return items_.Items(index); }
    int IndexOf(const TMineObject* obj) const { return items_.IndexOf(obj); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    int UzelCount() const { return uzelCount_; }
    int OtherCount() const { return otherCount_; }

    void Add(TMineObject* obj);
    // Returns the former index or −1.
    int Remove(TMineObject* obj);
    void Clear();

    // Removes every entry of the class (scanning from the end); returns how many.
    template <class C>
    int RemoveClass()
    {
        int n = 0;
        for (int i = Count() - 1; i >= 0; --i)
            if (dynamic_cast<C*>(items_.Items(i))) {
                ForgetAt(i);
                ++n;
            }
        return n;
    }
    template <class C>
    int CountClass() const
    {
        int n = 0;
        for (TMineObject* obj : items_)
            if (dynamic_cast<C*>(obj))
                ++n;
        return n;
    }
    // Appends every entry of the class to the target, scanning from the end.
    template <class C, class Target>
    void CollectClass(Target& target) const
    {
        for (int i = Count() - 1; i >= 0; --i)
            if (auto* c = dynamic_cast<C*>(items_.Items(i)))
                target.Add(c);
    }

private:
    void ForgetAt(int index);

    TMine* mine_;
    TObjectList<TMineObject> items_;
    // Whether each entry counted as a node: an object leaving the selection from its base
    // destructor can no longer tell its class.
    std::vector<bool> isUzel_;
    int uzelCount_ = 0;
    int otherCount_ = 0;
};

#include "core/model/SelectionList.h"

#include "core/model/Uzel.h"

TSelectionList::TSelectionList(TMine* mine) : mine_(mine)
{
    if (!mine)
        throw EOwnerError();
}

void TSelectionList::Add(TMineObject* obj)
{
    if (!obj || obj->selected_)
        return;
    const bool uzel = dynamic_cast<TUzel*>(obj) != nullptr;
    items_.Add(obj);
    isUzel_.push_back(uzel);
    obj->selected_ = true;
    (uzel ? uzelCount_ : otherCount_)++;
}

int TSelectionList::Remove(TMineObject* obj)
{
    if (!obj)
        return -1;
    // Objects usually leave in the reverse order they came in.
    for (int i = Count() - 1; i >= 0; --i)
        if (items_.Items(i) == obj) {
            ForgetAt(i);
            return i;
        }
    return -1;
}

void TSelectionList::ForgetAt(int index)
{
    items_.Items(index)->selected_ = false;
    (isUzel_[static_cast<size_t>(index)] ? uzelCount_ : otherCount_)--;
    items_.Delete(index);
    isUzel_.erase(isUzel_.begin() + index);
}

void TSelectionList::Clear()
{
    for (TMineObject* obj : items_)
        obj->selected_ = false;
    items_.Clear();
    isUzel_.clear();
    uzelCount_ = 0;
    otherCount_ = 0;
}

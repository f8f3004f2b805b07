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
    items_.Add(obj);
    obj->selected_ = true;
    if (dynamic_cast<TUzel*>(obj))
        ++uzelCount_;
    else
        ++otherCount_;
}

int TSelectionList::Remove(TMineObject* obj)
{
    if (!obj)
        return -1;
    // Objects usually leave in the reverse order they came in.
    const int i = items_.RemoveLast(obj);
    if (i >= 0)
        Forget(obj);
    return i;
}

void TSelectionList::Forget(TMineObject* obj)
{
    obj->selected_ = false;
    if (dynamic_cast<TUzel*>(obj))
        --uzelCount_;
    else
        --otherCount_;
}

void TSelectionList::Clear()
{
    for (TMineObject* obj : items_)
        Forget(obj);
    items_.Clear();
}

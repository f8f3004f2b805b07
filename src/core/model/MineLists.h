#pragma once

#include "core/model/ListSorting.h"
#include "core/model/ObjectList.h"

class TMine;
class TUzel;
class TBranch;

// Common part of the typed lists of a mine: the owning mine and the direction of the
// last sort.
template <class Base>
class TMineObjectListT : public Base {
public:
    explicit TMineObjectListT(TMine* mine) : mine_(mine)
    {
        if (!mine)
            throw EOwnerError();
    }
    TMine* Mine() const { return mine_; }
    bool Descending() const { return descending_; }

protected:
    TMine* mine_;
    bool descending_ = false;
};

// Node lists: the mine's own (owning) list and views such as surface nodes or filters.
template <class Base>
class TCustomUzelListT : public TMineObjectListT<Base> {
public:
    using TMineObjectListT<Base>::TMineObjectListT;
    // Sorts by the order code; toggle flips the shared direction, otherwise ascending.
    void Sort(int order, bool toggle)
    {
        this->descending_ = ListSorting::NextUzelDirection(toggle);
        this->ReorderTo(ListSorting::SortedUzels(this->ToVector(), order, this->descending_));
    }
};

template <class Base>
class TCustomBranchListT : public TMineObjectListT<Base> {
public:
    using TMineObjectListT<Base>::TMineObjectListT;
    void Sort(int order, bool toggle)
    {
        this->descending_ = ListSorting::NextBranchDirection(toggle);
        this->ReorderTo(ListSorting::SortedBranches(this->ToVector(), order, this->descending_));
    }
};

// The mine's nodes, in file order; adding or removing marks the mine modified.
class TUzelList : public TCustomUzelListT<TOwningList<TUzel>> {
public:
    using TCustomUzelListT::TCustomUzelListT;
    ~TUzelList() override;

protected:
    void ListChanged() override;
};

class TInfoUzelList : public TCustomUzelListT<TObjectList<TUzel>> {
public:
    using TCustomUzelListT::TCustomUzelListT;
};

// The mine's branches, in file order; adding or removing marks the mine modified.
class TBranchList : public TCustomBranchListT<TOwningList<TBranch>> {
public:
    using TCustomBranchListT::TCustomBranchListT;
    ~TBranchList() override;

protected:
    void ListChanged() override;
};

class TInfoBranchList : public TCustomBranchListT<TObjectList<TBranch>> {
public:
    using TCustomBranchListT::TCustomBranchListT;
};

// The branches meeting at a node: rarely more than four, kept in the node itself.
class TIncidentBranchList : public TCustomBranchListT<TObjectList<TBranch, 4>> {
public:
    using TCustomBranchListT::TCustomBranchListT;
};

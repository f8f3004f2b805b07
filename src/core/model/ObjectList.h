#pragma once

#include "core/model/Errors.h"
#include "core/model/InlineVector.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

class TMine;

// Objects kept in an owning list remember their place there, so finding their index is
// cheap in large mines; the owning list keeps the remembered places honest.
class TListIndexed {
    template <class, class, std::size_t>
    friend class TListBase;
    template <class, std::size_t>
    friend class TOwningList;

protected:
    mutable int listIndex_ = -1;
    // Where the object stood when it last left its owning list.
    int formerListIndex_ = -1;
};

// An ordered list of object references. Ptr is T* for views or std::unique_ptr<T> for
// owning lists; reading is the same for both. A list with Inline > 0 keeps that many entries
// in itself (the short per-object lists of a mine); the mine's own lists live on the heap.
template <class T, class Ptr, std::size_t Inline = 0>
class TListBase {
protected:
    using Storage = std::conditional_t<Inline == 0, std::vector<Ptr>, TInlineVector<Ptr, Inline>>;

public:
    using value_type = T*;

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T**;
        using reference = T*;

        const_iterator() = default;
        explicit const_iterator(typename Storage::const_iterator it) : it_(it) {}
        T* operator*() const { return Raw(*it_); }
        const_iterator& operator++() { ++it_; return *this; }
        const_iterator operator++(int) { auto c = *this; ++it_; return c; }
        const_iterator& operator--() { --it_; return *this; }
        difference_type operator-(const const_iterator& o) const { return it_ - o.it_; }
        const_iterator operator+(difference_type n) const { return const_iterator(it_ + n); }
        bool operator==(const const_iterator& o) const { return it_ == o.it_; }

    private:
        typename Storage::const_iterator it_;
    };

    TListBase() = default;
    TListBase(const TListBase&) = delete;
    TListBase& operator=(const TListBase&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }

    // Checked access: an index outside the list raises the list error.
    T* Items(int index) const
    {
        if (index < 0 || index >= Count())
            throw EListError(index);
        return Raw(items_[static_cast<size_t>(index)]);
    }
    T* operator[](int index) const { return Items(index); }
    T* First() const { return Items(0); }
    T* Last() const { return Items(Count() - 1); }

    // Linear search; −1 when absent.
    int IndexOf(const T* obj) const
    {
        for (size_t i = 0; i < items_.size(); ++i)
            if (Raw(items_[i]) == obj)
                return static_cast<int>(i);
        return -1;
    }
    bool Contains(const T* obj) const { return IndexOf(obj) >= 0; }

    // First object whose Number equals the number, searching from the start index; −1 when
    // the start index is past the end or nothing matches.
    int IndexOfNumber(int number, int startIndex = 0) const
    {
        if (startIndex < 0)
            startIndex = 0;
        for (size_t i = static_cast<size_t>(startIndex); i < items_.size(); ++i)
            if (Raw(items_[i])->Number() == number)
                return static_cast<int>(i);
        return -1;
    }

    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

    std::vector<T*> ToVector() const
    {
        std::vector<T*> v;
        v.reserve(items_.size());
        for (const auto& p : items_)
            v.push_back(Raw(p));
        return v;
    }

    // Stable sort with a strict weak "less" over the objects. A list already in order (as a
    // file's lists mostly are) is left as it is, without the sort's scratch buffer.
    template <class Less>
    void SortBy(Less less)
    {
        const auto byObject = [&](const Ptr& a, const Ptr& b) { return less(Raw(a), Raw(b)); };
        if (std::is_sorted(items_.begin(), items_.end(), byObject))
            return;
        std::stable_sort(items_.begin(), items_.end(), byObject);
        Reordered();
    }

protected:
    static T* Raw(const Ptr& p)
    {
        if constexpr (std::is_pointer_v<Ptr>)
            return p;
        else
            return p.get();
    }
    virtual void Reordered() {}

    Storage items_;
};

// A list that does not own its objects: views, filters, display orders.
template <class T, std::size_t Inline = 0>
class TObjectList : public TListBase<T, T*, Inline> {
    using Base = TListBase<T, T*, Inline>;

public:
    TObjectList() = default;
    virtual ~TObjectList() = default;

    void Add(T* obj) { this->items_.push_back(obj); }
    void Insert(int index, T* obj)
    {
        if (index < 0 || index > this->Count())
            throw EListError(index);
        this->items_.insert(this->items_.begin() + index, obj);
    }
    // Removes the first occurrence; returns its former index or −1.
    int Remove(const T* obj)
    {
        const int i = this->IndexOf(obj);
        if (i >= 0)
            this->items_.erase(this->items_.begin() + i);
        return i;
    }
    // Removes the last occurrence (cheap when objects go away in reverse order).
    int RemoveLast(const T* obj)
    {
        for (size_t i = this->items_.size(); i-- > 0;)
            if (this->items_[i] == obj) {
                this->items_.erase(this->items_.begin() + static_cast<std::ptrdiff_t>(i));
                return static_cast<int>(i);
            }
        return -1;
    }
    void Delete(int index)
    {
        if (index < 0 || index >= this->Count())
            throw EListError(index);
        this->items_.erase(this->items_.begin() + index);
    }
    void Move(int from, int to)
    {
        T* obj = this->Items(from);
        if (to < 0 || to >= this->Count())
            throw EListError(to);
        this->items_.erase(this->items_.begin() + from);
        this->items_.insert(this->items_.begin() + to, obj);
    }
    void Clear() { this->items_.clear(); }
    template <class List>
    void Assign(const List& source)
    {
        Clear();
        for (T* obj : source)
            Add(obj);
    }
    void Reserve(int n) { this->items_.reserve(static_cast<size_t>(std::max(n, 0))); }
    // Puts the entries into the given order (a permutation of the current entries).
    void ReorderTo(const std::vector<T*>& order)
    {
        if (order.size() == this->items_.size())
            this->items_.assign(order.begin(), order.end());
    }
    // Removes every entry for which the predicate holds, keeping the order of the rest.
    template <class Pred>
    int RemoveIf(Pred pred)
    {
        auto it = std::remove_if(this->items_.begin(), this->items_.end(), pred);
        const int n = static_cast<int>(this->items_.end() - it);
        this->items_.erase(it, this->items_.end());
        return n;
    }
};

// A list that owns its objects: removing an object frees it, clearing frees all.
template <class T, std::size_t Inline = 0>
class TOwningList : public TListBase<T, std::unique_ptr<T>, Inline> {
    using Base = TListBase<T, std::unique_ptr<T>, Inline>;

public:
    TOwningList() = default;
    // Written out rather than defaulted: clang defines a defaulted virtual destructor as soon
    // as the list type is complete, which needs T complete where only a forward declaration
    // is at hand (the mine's lists in MineLists.h).
    virtual ~TOwningList() {}

    T* Add(std::unique_ptr<T> obj)
    {
        T* raw = obj.get();
        if (!raw)
            return nullptr;
        raw->listIndex_ = this->Count();
        this->items_.push_back(std::move(obj));
        ListChanged();
        return raw;
    }
    T* Insert(int index, std::unique_ptr<T> obj)
    {
        if (index < 0 || index > this->Count())
            throw EListError(index);
        T* raw = obj.get();
        if (!raw)
            return nullptr;
        this->items_.insert(this->items_.begin() + index, std::move(obj));
        indexValid_ = false;
        ListChanged();
        return raw;
    }

    // Index through the remembered places; −1 when the object is not here.
    int IndexOf(const T* obj) const
    {
        if (!obj)
            return -1;
        if (!indexValid_)
            Renumber();
        const int c = obj->listIndex_;
        if (c >= 0 && c < this->Count() && this->items_[static_cast<size_t>(c)].get() == obj)
            return c;
        return -1;
    }
    bool Contains(const T* obj) const { return IndexOf(obj) >= 0; }

    // Takes the object out without freeing it.
    std::unique_ptr<T> Extract(const T* obj)
    {
        const int i = IndexOf(obj);
        if (i < 0)
            return nullptr;
        std::unique_ptr<T> p = std::move(this->items_[static_cast<size_t>(i)]);
        this->items_.erase(this->items_.begin() + i);
        if (i != this->Count())
            indexValid_ = false;
        p->listIndex_ = -1;
        p->formerListIndex_ = i;
        ListChanged();
        return p;
    }
    // Takes the object out and frees it; returns its former index or −1.
    int Remove(const T* obj)
    {
        const int i = IndexOf(obj);
        if (i >= 0)
            Extract(obj).reset();
        return i;
    }
    void Delete(int index) { Remove(this->Items(index)); }
    void Move(int from, int to)
    {
        if (from < 0 || from >= this->Count())
            throw EListError(from);
        if (to < 0 || to >= this->Count())
            throw EListError(to);
        auto p = std::move(this->items_[static_cast<size_t>(from)]);
        this->items_.erase(this->items_.begin() + from);
        this->items_.insert(this->items_.begin() + to, std::move(p));
        indexValid_ = false;
    }
    // Frees every object, first to last. The list is already empty while they die, so
    // their destructors find nothing of each other here.
    void Clear()
    {
        if (this->items_.empty())
            return;
        typename Base::Storage dying(std::move(this->items_));
        this->items_.clear();
        indexValid_ = true;
        // As if taken out one by one from the front.
        for (auto& p : dying) {
            p->listIndex_ = -1;
            p->formerListIndex_ = 0;
            p.reset();
        }
        ListChanged();
    }
    void Reserve(int n) { this->items_.reserve(static_cast<size_t>(std::max(n, 0))); }
    // Puts the objects into the given order (a permutation of the current objects).
    void ReorderTo(const std::vector<T*>& order)
    {
        if (order.size() != this->items_.size())
            return;
        std::vector<size_t> from(order.size());
        std::vector<bool> taken(order.size(), false);
        for (size_t k = 0; k < order.size(); ++k) {
            const int i = IndexOf(order[k]);
            if (i < 0 || taken[static_cast<size_t>(i)])
                return;  // not a permutation: leave the list as it was
            taken[static_cast<size_t>(i)] = true;
            from[k] = static_cast<size_t>(i);
        }
        std::vector<std::unique_ptr<T>> out(order.size());
        for (size_t k = 0; k < order.size(); ++k)
            out[k] = std::move(this->items_[from[k]]);
        for (size_t k = 0; k < order.size(); ++k)
            this->items_[k] = std::move(out[k]);
        Renumber();
    }

protected:
    // Called after every add or remove.
    virtual void ListChanged() {}
    void Reordered() override { indexValid_ = false; }

private:
    void Renumber() const
    {
        for (size_t i = 0; i < this->items_.size(); ++i)
            this->items_[i]->listIndex_ = static_cast<int>(i);
        indexValid_ = true;
    }
    mutable bool indexValid_ = true;
};

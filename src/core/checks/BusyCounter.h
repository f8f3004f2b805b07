#pragma once

// Raised while a check runs on a document, so its window refuses to close meanwhile.
class TBusyCounter {
public:
    int Count() const { return count_; }
    bool Busy() const { return count_ > 0; }
    void Raise() { ++count_; }
    void Lower()
    {
        if (count_ > 0)
            --count_;
    }

private:
    int count_ = 0;
};

// Holds the counter raised for one scope, also when the scope is left by an exception.
class TBusyGuard {
public:
    explicit TBusyGuard(TBusyCounter* counter) : counter_(counter)
    {
        if (counter_)
            counter_->Raise();
    }
    ~TBusyGuard()
    {
        if (counter_)
            counter_->Lower();
    }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    TBusyCounter* counter_;
};

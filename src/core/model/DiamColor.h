#pragma once

#include <random>
#include <vector>

class TMine;
class TBranch;
class TPipe;
class TWaterPipe;

// One diameter of the colour table with how many pipes of it are laid and not laid.
struct TDiamColor {
    int Diameter = 0;
    int LaidCount = 0;
    int UnlaidCount = 0;
    int Color = 0;
};

// Gives every pipe diameter a drawing colour: the first pipe of a diameter fixes it.
class TDiamColorController {
public:
    explicit TDiamColorController(TMine* mine);

    TMine* Mine() const { return mine_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TDiamColor& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    int IndexOfDiameter(int diameter) const;

    // Counts the pipe under its diameter and returns the diameter's colour; a new diameter
    // takes the pipe's own colour when asked to keep it, else a random one.
    int RegisterPipe(const TPipe* pipe, bool keepOwnColor);
    // Uncounts the pipe; returns the pipes left of that diameter (0 when it had no entry).
    int UnregisterPipe(const TPipe* pipe);
    // A water pipe's laid flag changed: one count moves between laid and not laid.
    void PresentChanged(const TWaterPipe* pipe);
    // Builds the table anew from the fire-fighting pipes' stored colours.
    void Rebuild();
    // One step of that, for a reader that meets the branches one by one after a Clear.
    void RegisterFirePipeOf(const TBranch* branch);
    void Clear() { entries_.clear(); }
    void SortByDiameter();

    struct EntryInfo {
        int diameter = 0;
        int count = 0;
        int color = 0;
    };
    EntryInfo GetEntry(int index, bool laidOnly) const;
    // Gives every water pipe of the diameter the colour; false without an entry.
    bool SetDiameterColor(int diameter, int color);

    // Random colours are reproducible for a seed (synthetic mines, tests).
    void Seed(unsigned seed) { random_.seed(seed); }

private:
    int RandomColor();

    TMine* mine_;
    std::vector<TDiamColor> entries_;
    std::mt19937 random_;
};

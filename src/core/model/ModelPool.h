#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Memory of a mine's many small objects (nodes, branches, pipes, sections, devices): handed
// out from large chunks, so a mine of 100 000 branches is a few thousand blocks instead of
// millions, and a dying mine gives them back chunk by chunk.
//
// Each chunk remembers its pool and how many of its objects live. Freed places go on the
// pool's list for their size and serve the next object of that size. While the mine dies
// nothing is listed; the pool then frees every empty chunk at once. A chunk that still holds
// an object (one that moved to another mine) outlives the pool and goes with its last object.
//
// Like the model itself, a pool serves one thread at a time.
class TModelPool {
public:
    TModelPool() = default;
    ~TModelPool();
    TModelPool(const TModelPool&) = delete;
    TModelPool& operator=(const TModelPool&) = delete;

    void* Allocate(std::size_t size);
    // An object of any pool, with the size it was allocated with.
    static void Free(void* p, std::size_t size);
    // A place whose object never came to be (its constructor threw): the size is not known,
    // so the place is not reused.
    static void Abandon(void* p);

    // From now on freed places are not kept for reuse: the pool is about to go.
    void SetDying() { dying_ = true; }

    // Chunks held, for measurements; and the bytes of every pool's chunks, which the heap's
    // own statistics do not see.
    std::size_t ChunkCount() const { return chunks_.size(); }
    static std::size_t MappedBytes();

    // Chunks are mapped at their own alignment, outside the heap; those of a closed mine
    // serve the next one.
    static constexpr std::size_t kChunkSize = std::size_t{1} << 21;
    static constexpr std::size_t kGrain = 16;
    static constexpr std::size_t kMaxSize = 1024;

private:
    struct Chunk;
    struct FreePlace {
        FreePlace* next;
    };
    static std::size_t Rounded(std::size_t size) { return (size + kGrain - 1) & ~(kGrain - 1); }
    static Chunk* ChunkOf(void* p);
    void NewChunk();

    std::vector<Chunk*> chunks_;
    char* next_ = nullptr;
    char* end_ = nullptr;
    FreePlace* free_[kMaxSize / kGrain + 1] = {};
    bool dying_ = false;
};

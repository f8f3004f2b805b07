#include "core/model/ModelPool.h"

#include <atomic>
#include <mutex>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define IRVATA_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IRVATA_POOL_ASAN 1
#endif
#endif

#ifdef IRVATA_POOL_ASAN
#include <sanitizer/asan_interface.h>
// A place on the free list is out of bounds for everyone but the pool, so a dangling pointer
// into the pool is caught like one into the heap.
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

struct alignas(TModelPool::kGrain) TModelPool::Chunk {
    TModelPool* pool;
    std::size_t live;
};

static_assert((TModelPool::kChunkSize & (TModelPool::kChunkSize - 1)) == 0, "chunks are found by their alignment");

namespace {

std::atomic<std::size_t> mappedBytes{0};

// Chunks of closed mines, kept for the next mine: the pages of a mine just closed are
// already there, so opening the next one does not fault them in and clear them again. The
// kernel may take their pages back under memory pressure (they are marked free), so the
// memory is not held from others.
// Plain arrays, so nothing of it is torn down while a static mine may still give chunks back.
constexpr std::size_t kSpareLimit = 256;
std::mutex spareLock;
void* spareChunks[kSpareLimit];
std::size_t spareCount = 0;

void* TakeSpareChunk()
{
    std::lock_guard<std::mutex> hold(spareLock);
    return spareCount > 0 ? spareChunks[--spareCount] : nullptr;
}

void* MapChunk(bool prefault)
{
    constexpr std::size_t n = TModelPool::kChunkSize;
#ifdef __linux__
    void* chunk = TakeSpareChunk();
    if (chunk) {
        POOL_UNPOISON(chunk, n);
    } else {
        // Twice the size, then the unaligned head and tail are given back.
        void* raw = mmap(nullptr, 2 * n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            return nullptr;
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = (start + n - 1) & ~(n - 1);
        if (aligned > start)
            munmap(raw, aligned - start);
        if (const std::uintptr_t tail = start + 2 * n - (aligned + n); tail > 0)
            munmap(reinterpret_cast<void*>(aligned + n), tail);
        chunk = reinterpret_cast<void*>(aligned);
#ifdef MADV_POPULATE_WRITE
        // A mine that needs a fourth chunk is a large one: its pages are faulted in by one
        // call instead of one fault each (older kernels refuse, and pages come as touched).
        // Smaller mines keep to the pages they touch.
        if (prefault) {
#ifdef MADV_HUGEPAGE
            // A chunk is one huge page where the kernel has them to give: one fault and one
            // TLB entry instead of 512.
            madvise(chunk, n, MADV_HUGEPAGE);
#endif
            madvise(chunk, n, MADV_POPULATE_WRITE);
        }
#endif
    }
#else
    (void)prefault;
    void* chunk = std::aligned_alloc(n, n);
    if (!chunk)
        return nullptr;
#endif
    mappedBytes += n;
    return chunk;
}

void UnmapChunk(void* chunk)
{
    constexpr std::size_t n = TModelPool::kChunkSize;
    mappedBytes -= n;
#ifdef __linux__
    {
        std::lock_guard<std::mutex> hold(spareLock);
        if (spareCount < kSpareLimit) {
            madvise(chunk, n, MADV_FREE);
            POOL_POISON(chunk, n);
            spareChunks[spareCount++] = chunk;
            return;
        }
    }
    munmap(chunk, n);
#else
    std::free(chunk);
#endif
}

}  // namespace

std::size_t TModelPool::MappedBytes() { return mappedBytes; }

TModelPool::~TModelPool()
{
    for (Chunk* c : chunks_) {
        if (c->live == 0) {
            POOL_UNPOISON(c, kChunkSize);
            UnmapChunk(c);
        } else {
            c->pool = nullptr;  // its last object frees it
        }
    }
}

TModelPool::Chunk* TModelPool::ChunkOf(void* p)
{
    return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(p) & ~(kChunkSize - 1));
}

void TModelPool::NewChunk()
{
    chunks_.reserve(chunks_.size() + 1);
    void* raw = MapChunk(chunks_.size() >= 3);
    if (!raw)
        throw std::bad_alloc();
    Chunk* c = new (raw) Chunk{this, 0};
    chunks_.push_back(c);
    next_ = reinterpret_cast<char*>(c) + sizeof(Chunk);
    end_ = reinterpret_cast<char*>(c) + kChunkSize;
    POOL_POISON(next_, static_cast<std::size_t>(end_ - next_));
}

void* TModelPool::Allocate(std::size_t size)
{
    const std::size_t n = Rounded(size == 0 ? 1 : size);
    if (n > kChunkSize - sizeof(Chunk))
        throw std::bad_alloc();
    void* p;
    FreePlace** head = n <= kMaxSize ? &free_[n / kGrain] : nullptr;
    if (head && *head) {
        p = *head;
        POOL_UNPOISON(p, n);
        *head = (*head)->next;
    } else {
        if (static_cast<std::size_t>(end_ - next_) < n)
            NewChunk();
        p = next_;
        next_ += n;
        POOL_UNPOISON(p, n);
    }
    ++ChunkOf(p)->live;
    return p;
}

void TModelPool::Free(void* p, std::size_t size)
{
    if (!p)
        return;
    const std::size_t n = Rounded(size == 0 ? 1 : size);
    Chunk* c = ChunkOf(p);
    --c->live;
    if (TModelPool* pool = c->pool) {
        // Places of unusual sizes are not reused; their chunk goes with the pool.
        if (!pool->dying_ && n <= kMaxSize) {
            FreePlace*& head = pool->free_[n / kGrain];
            head = new (p) FreePlace{head};
        }
        POOL_POISON(p, n);
    } else if (c->live == 0) {
        POOL_UNPOISON(c, kChunkSize);
        UnmapChunk(c);
    }
}

void TModelPool::Abandon(void* p)
{
    if (!p)
        return;
    Chunk* c = ChunkOf(p);
    --c->live;
    if (!c->pool && c->live == 0) {
        POOL_UNPOISON(c, kChunkSize);
        UnmapChunk(c);
    }
}

// Replaces the global operator new and delete with ones that count the
// usable size of every block while a measurement is on. Blocks allocated
// before Start are not counted when they are freed, so a measurement shows
// only what the measured code itself holds.
#include "allocation_counter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>
#include <unordered_set>

namespace {

bool counting = false;
std::size_t live_bytes = 0;
std::size_t peak_bytes = 0;

// The blocks allocated during the measurement. Its own storage comes from
// malloc directly, so it is not counted.
template <typename T>
struct MallocAllocator {
  using value_type = T;
  MallocAllocator() = default;
  template <typename U>
  MallocAllocator(const MallocAllocator<U>&) {}
  T* allocate(std::size_t n) {
    void* block = std::malloc(n * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t) { std::free(block); }
  bool operator==(const MallocAllocator&) const { return true; }
  bool operator!=(const MallocAllocator&) const { return false; }
};

using BlockSet =
    std::unordered_set<void*, std::hash<void*>, std::equal_to<void*>,
                       MallocAllocator<void*>>;

BlockSet& CountedBlocks() {
  static BlockSet* blocks = new (std::malloc(sizeof(BlockSet))) BlockSet();
  return *blocks;
}

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  if (counting) {
    CountedBlocks().insert(block);
    live_bytes += malloc_usable_size(block);
    if (live_bytes > peak_bytes) peak_bytes = live_bytes;
  }
  return block;
}

void Free(void* block) {
  if (block == nullptr) return;
  if (counting && CountedBlocks().erase(block) == 1) {
    live_bytes -= malloc_usable_size(block);
  }
  std::free(block);
}

}  // namespace

namespace allocation_counter {

void Start() {
  CountedBlocks().clear();
  live_bytes = 0;
  peak_bytes = 0;
  counting = true;
}

std::size_t Live() { return live_bytes; }

std::size_t StopAndGetPeak() {
  counting = false;
  return peak_bytes;
}

}  // namespace allocation_counter

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }

// Replaces the global operator new and delete with ones that count the
// usable size of every block while a measurement is on, and whether the host
// or the module allocated it. Blocks allocated before Start are not counted
// when they are freed, so a measurement shows only what the measured code
// itself holds.
#include "allocation_counter.h"

#include <malloc.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <unordered_map>
#include <utility>

#include "standin/host_call.h"

namespace {

bool counting = false;
allocation_counter::Counts counts;

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

// Each counted block, and whether the module allocated it.
using BlockMap =
    std::unordered_map<void*, bool, std::hash<void*>, std::equal_to<void*>,
                       MallocAllocator<std::pair<void* const, bool>>>;

BlockMap& CountedBlocks() {
  static BlockMap* blocks = new (std::malloc(sizeof(BlockMap))) BlockMap();
  return *blocks;
}

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  if (counting) {
    const bool module = !standin::HostCall::InProgress();
    CountedBlocks().emplace(block, module);
    const std::size_t bytes = malloc_usable_size(block);
    counts.live += bytes;
    if (counts.live > counts.peak) counts.peak = counts.live;
    if (module) {
      counts.module_live += bytes;
      if (counts.module_live > counts.module_peak) {
        counts.module_peak = counts.module_live;
      }
    }
  }
  return block;
}

void Free(void* block) {
  if (block == nullptr) return;
  if (counting) {
    const auto counted = CountedBlocks().find(block);
    if (counted != CountedBlocks().end()) {
      const std::size_t bytes = malloc_usable_size(block);
      counts.live -= bytes;
      if (counted->second) counts.module_live -= bytes;
      CountedBlocks().erase(counted);
    }
  }
  std::free(block);
}

}  // namespace

namespace allocation_counter {

void Start() {
  CountedBlocks().clear();
  counts = Counts();
  counting = true;
}

Counts Stop() {
  counting = false;
  return counts;
}

}  // namespace allocation_counter

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }

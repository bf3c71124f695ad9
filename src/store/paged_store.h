// Paged record stores: the whole path (Segment records) and the velocity profile (ProfilePoint
// knots) are kept in memory in pages of kRecordsPerPage records that are never moved, so a
// record's address stays valid while the store grows. A store is used like a sequential file
// with random access: the cursor names the next record to read or write, reads and writes move
// it forward, seek places it anywhere within the allocated pages, and records are rewritten in
// place by seeking back and writing again.
//
//   page 0                page 1                      page k
//   [0 ........ 499999]   [500000 .... 999999]   ...  record i at page i / 500000, slot i % 500000
//
// Invariants: 0 <= cursor < capacity (a write adds a page before the cursor could reach the
// last slot); highWater <= capacity is the number of records written. A store that cannot grow
// reports to the message sink (codes 1 to 6) and throws StoreExhausted, which the entry point
// turns into a refused conversion: a library must never end its host's process.
#pragma once

#include <cstdint>
#include <cstring>

namespace pulsepost {

constexpr int32_t kRecordsPerPage = 500000;
constexpr int32_t kMaxPages = 255;

// Thrown, after the message, when a store cannot get a page; caught only at the entry point, where
// the conversion's files are closed and its stores released on the way out.
struct StoreExhausted {
    int32_t code;  // the message code that was reported
};

// Message codes and record size that tell the two stores apart.
struct StoreTraits {
    int32_t recordSize;     // bytes
    int32_t firstPageCode;  // first page could not be allocated
    int32_t fullCode;       // a 256th page was needed
    int32_t pageCode;       // a further page could not be allocated
};

template <typename Record>
struct PagedStore {
    Record* pages[kMaxPages] = {};
    int32_t cursor = 0;     // index of the next record to read or write
    int32_t highWater = 0;  // number of records in the store
    int32_t capacity = 0;   // record slots in the allocated pages
    int32_t pageCount = 0;  // allocated pages, 1..255 once created
};

// Page allocation, replaceable so that tests can make it fail. nullptr restores malloc.
using PageAllocator = void* (*)(std::size_t bytes);
void setPageAllocator(PageAllocator allocator);
// Page release, replaceable together with the allocator (a harness that keeps pages for reuse).
// nullptr restores free.
using PageReleaser = void (*)(void* page);
void setPageReleaser(PageReleaser releaser);

namespace store_detail {
// Allocates the first (page 0) or a further page, or reports and throws StoreExhausted.
void* allocatePage(const StoreTraits& traits, int32_t pageIndex);
// A store that already has kMaxPages pages cannot grow: report and throw StoreExhausted.
[[noreturn]] void storeFull(const StoreTraits& traits);
void releasePage(void* page);
}  // namespace store_detail

template <typename Record>
const StoreTraits& storeTraits();

template <typename Record>
inline Record& slotAt(PagedStore<Record>& store, int32_t index) {
    return store.pages[index / kRecordsPerPage][index % kRecordsPerPage];
}

template <typename Record>
void create(PagedStore<Record>& store) {
    store = PagedStore<Record>{};
    store.pages[0] = static_cast<Record*>(store_detail::allocatePage(storeTraits<Record>(), 0));
    store.capacity = kRecordsPerPage;
    store.pageCount = 1;
}

template <typename Record>
void destroy(PagedStore<Record>& store) {
    for (int32_t k = 0; k < store.pageCount; ++k)
        store_detail::releasePage(store.pages[k]);
    store = PagedStore<Record>{};
}

template <typename Record>
void addPage(PagedStore<Record>& store) {
    if (store.pageCount >= kMaxPages) store_detail::storeFull(storeTraits<Record>());
    store.pages[store.pageCount] =
        static_cast<Record*>(store_detail::allocatePage(storeTraits<Record>(), store.pageCount));
    store.pageCount += 1;
    store.capacity += kRecordsPerPage;
}

// Writes n records at the cursor. A page is added as soon as the write would reach the last
// allocated slot, even when that slot itself is still free.
template <typename Record>
inline void write(const Record* records, int32_t n, PagedStore<Record>& store) {
    // Callers write one to three records; a longer run gets as many pages as it needs.
    while (n > store.capacity - store.cursor - 1)
        addPage(store);
    for (int32_t i = 0; i < n; ++i) {
        std::memcpy(&slotAt(store, store.cursor), &records[i], sizeof(Record));
        store.cursor += 1;
    }
    if (store.cursor > store.highWater) store.highWater = store.cursor;
}

// Copies up to n records from the cursor; never reads at or beyond highWater. Returns the count.
template <typename Record>
inline int32_t read(Record* destination, int32_t n, PagedStore<Record>& store) {
    int32_t copied = 0;
    while (copied < n && store.cursor < store.highWater) {
        std::memcpy(&destination[copied], &slotAt(store, store.cursor), sizeof(Record));
        store.cursor += 1;
        copied += 1;
    }
    return copied;
}

// Places the cursor at base + delta; -1 (nothing changes) outside 0 .. capacity - 1.
template <typename Record>
inline int32_t seek(PagedStore<Record>& store, int32_t delta, int32_t base) {
    const int64_t target = static_cast<int64_t>(base) + delta;
    if (target < 0 || target > store.capacity - 1) return -1;
    store.cursor = static_cast<int32_t>(target);
    return 0;
}

template <typename Record>
inline void rewind(PagedStore<Record>& store) {
    store.cursor = 0;
}

}  // namespace pulsepost

#include "store/paged_store.h"

#include <cstdio>
#include <cstdlib>

#include "report/message_sink.h"

namespace pulsepost {

namespace {
PageAllocator gAllocator = nullptr;
PageReleaser gReleaser = nullptr;
}  // namespace

void setPageAllocator(PageAllocator allocator) {
    gAllocator = allocator;
}

void setPageReleaser(PageReleaser releaser) {
    gReleaser = releaser;
}

namespace store_detail {

// Pages come from malloc with the host's default paging, touched only as records are written.
// They are deliberately not advised for huge pages: where the kernel compacts memory for such a
// request (its usual setting), each 2 MiB fault can wait far longer than the small-page faults it
// saves, and a conversion's fill time then varies several-fold from run to run.
void* allocatePage(const StoreTraits& traits, int32_t pageIndex) {
    const int32_t pageBytes = traits.recordSize * kRecordsPerPage;
    void* page = gAllocator ? gAllocator(static_cast<std::size_t>(pageBytes))
                            : std::malloc(static_cast<std::size_t>(pageBytes));
    if (page != nullptr) return page;
    char text[64];
    if (pageIndex == 0) {
        std::snprintf(text, sizeof text, "allocating %d bytes", pageBytes);
        messageSink(traits.firstPageCode, text);
    } else {
        std::snprintf(text, sizeof text, "allocating page %d -- %d bytes", pageIndex, pageBytes);
        messageSink(traits.pageCode, text);
    }
    throw StoreExhausted{pageIndex == 0 ? traits.firstPageCode : traits.pageCode};
}

void storeFull(const StoreTraits& traits) {
    messageSink(traits.fullCode, "");
    throw StoreExhausted{traits.fullCode};
}

void releasePage(void* page) {
    if (gReleaser) {
        gReleaser(page);
    } else {
        std::free(page);
    }
}

}  // namespace store_detail

}  // namespace pulsepost

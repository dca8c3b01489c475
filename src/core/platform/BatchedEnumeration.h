#pragma once

// The listing loop of EnumServicesStatusExW, kept apart from Win32 so that it is tested off
// Windows. Windows fills at most 256 KB per call and answers ERROR_MORE_DATA with the entries
// that fitted; the rest follow from the resume handle on the next call. Services created since
// the size query can make the buffer too small, and Windows then reports the size it needs.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum class BatchAnswer { Complete, MoreData, Failed };

// `call(buffer, size, needed, returned, resume)` makes one call into a zero-filled buffer of
// `size` bytes (null when `size` is 0) and says how it went; `take(buffer, returned)` copies the
// entries out before the buffer is used again. Starts with the size the size query reported and
// a resume handle of 0, and calls again while Windows answers MoreData, growing the buffer when
// it asks for more. False on any other answer, or when a call hands out nothing and asks for no
// more room than it had, which would never end.
template<typename Call, typename Take>
bool readInBatches(std::uint32_t firstSize, std::size_t minimumStorage, Call call, Take take)
{
    using Unit = unsigned long long; // aligned for the structures Windows writes
    std::vector<Unit> storage;
    std::uint32_t size = firstSize;
    std::uint32_t resume = 0;
    for (;;) {
        const std::size_t bytes = std::max<std::size_t>(size, minimumStorage);
        storage.assign((bytes + sizeof(Unit) - 1) / sizeof(Unit), 0);
        unsigned char *buffer = size ? reinterpret_cast<unsigned char *>(storage.data()) : nullptr;

        std::uint32_t needed = 0;
        std::uint32_t returned = 0;
        const BatchAnswer answer = call(buffer, size, needed, returned, resume);
        if (answer == BatchAnswer::Failed)
            return false;
        take(static_cast<const unsigned char *>(buffer), returned);
        if (answer == BatchAnswer::Complete)
            return true;
        if (needed > size)
            size = needed;
        else if (returned == 0)
            return false;
    }
}

} // namespace platform

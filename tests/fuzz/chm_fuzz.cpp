// Feeds arbitrary bytes to the CHM reader: open, list, map every name to a
// path and read every entry. Damaged input must end in chm::ChmError; any
// other exception, a crash, a hang or a runaway allocation is a finding.
#include "ChmReader.h"
#include "ChmUnpack.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        chm::ChmArchive archive(std::make_unique<chm::MemorySource>(data, size));
        uint64_t budget = 8u << 20;   // output bytes read per input, so each run stays short
        for (const chm::ChmEntry& e : archive.entries()) {
            std::filesystem::path path;
            std::string why;
            chm::SafeRelativePath(e.name, path, &why);
            if (budget == 0)
                break;
            try {
                archive.read(e, [&](const uint8_t*, size_t n) {
                    if (n > budget) {
                        budget = 0;
                        return false;
                    }
                    budget -= n;
                    return true;
                });
            } catch (const chm::ChmError&) {
                // A damaged entry; the others may still be readable.
            }
        }
    } catch (const chm::ChmError&) {
    }
    return 0;
}

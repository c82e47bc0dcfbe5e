// Feeds arbitrary bytes to the CHM reader. Input starting with "ITSF" is a
// CHM file: open, list, plan the extraction, map every name to a path and
// read every entry. Anything else goes straight to the LZX decoder: the
// first byte picks the window, the second how many frames to decode, the
// rest is the stream.
// Damaged input must end in chm::ChmError; any other exception, a crash, a
// hang or a runaway allocation is a finding.
#include "ChmReader.h"
#include "ChmUnpack.h"
#include "Lzx.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

static void decodeRawLzx(const uint8_t* data, size_t size)
{
    if (size < 2)
        return;
    chm::LzxDecoder decoder(15 + data[0] % 7);
    chm::MemorySource source(data + 2, size - 2);
    unsigned frames = 1 + data[1] % 8;
    try {
        decoder.start(source, 0, source.size());
        for (unsigned i = 0; i < frames; ++i)
            decoder.decodeFrame(i + 1 < frames ? chm::LzxDecoder::kFrameSize : 1 + data[1] * 97);
    } catch (const chm::ChmError&) {
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || std::memcmp(data, "ITSF", 4) != 0) {
        decodeRawLzx(data, size);
        return 0;
    }
    try {
        chm::ChmArchive archive(std::make_unique<chm::MemorySource>(data, size));
        // The checks extraction makes before it writes anything.
        chm::ExtractionPlan plan = chm::PlanExtraction(archive);
        if (plan.ok != plan.message.empty() || (plan.ok && plan.files > archive.entries().size()))
            __builtin_trap();
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

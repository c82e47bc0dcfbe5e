// Extraction speed of the CHM reader: decoding every entry into memory, and
// extracting the whole file into a fresh folder, in MB/s of extracted data.
#include "ChmReader.h"
#include "ChmUnpack.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

static double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int main(int argc, char** argv)
{
    fs::path file = argc > 1 ? fs::u8path(argv[1]) : fs::path(TW_CHM_BENCH_FILE);
    try {
        const int rounds = 5;
        double best = 1e9;
        uint64_t bytes = 0;
        for (int i = 0; i < rounds; ++i) {
            auto start = Clock::now();
            auto archive = chm::ChmArchive::open(file);
            // In order of offset, as the extraction reads them.
            std::vector<const chm::ChmEntry*> entries;
            for (const chm::ChmEntry& e : archive->entries())
                if (!e.isSystem() && !e.isDirectory())
                    entries.push_back(&e);
            std::sort(entries.begin(), entries.end(), [](auto a, auto b) {
                return a->section != b->section ? a->section < b->section : a->offset < b->offset;
            });
            bytes = 0;
            for (const chm::ChmEntry* e : entries) {
                archive->read(*e, [&](const uint8_t*, size_t n) {
                    bytes += n;
                    return true;
                });
            }
            best = std::min(best, seconds(start));
        }
        std::printf("chm decode:  %.1f MB in %.3f s = %.0f MB/s (best of %d)\n", bytes / 1e6, best,
                    bytes / 1e6 / best, rounds);

        fs::path target = fs::temp_directory_path() / "tw-chm-bench";
        best = 1e9;
        chm::UnpackResult r;
        for (int i = 0; i < rounds; ++i) {
            fs::remove_all(target);
            auto start = Clock::now();
            r = chm::ExtractMissing(file, target);
            best = std::min(best, seconds(start));
            if (!r.ok) {
                std::fprintf(stderr, "chm extract failed: %s\n", r.message.c_str());
                return 1;
            }
        }
        fs::remove_all(target);
        std::printf("chm extract: %.1f MB, %zu files in %.3f s = %.0f MB/s (best of %d)\n", bytes / 1e6,
                    r.written, best, bytes / 1e6 / best, rounds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "chm bench: %s\n", e.what());
        return 1;
    }
    return 0;
}

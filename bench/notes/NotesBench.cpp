// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading a full store of 2,000 notes of about 1 KB each, beside a
// bare write and fsync of the same bytes (the floor a safe save can't beat)
// and a bare read of the file (the floor of a load).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "notes/NotesFile.h"
#include "notes/NotesFormat.h"

namespace {

std::unique_ptr<NotesStore> FullStore() {
    auto store = std::make_unique<NotesStore>();
    for (int i = 0; i < kMaxNotes; ++i) {
        store->m_strSubject[i] = "Note " + std::to_string(i) + ": things to do on arrival";
        std::string strBody;
        for (int nLine = 0; nLine < 16; ++nLine) {
            if (nLine > 0) strBody += "\r\n";
            strBody += std::string(62, static_cast<char>('a' + (i + nLine) % 26));
        }
        store->m_strBody[i] = strBody;
    }
    store->m_nLastNote = kMaxNotes - 1;
    return store;
}

// A directory of its own beside the working directory, so the disk is the
// one the benchmarks run on.
struct BenchFiles {
    BenchFiles() : dir(std::filesystem::current_path() / "notes-bench-files") {
        std::filesystem::create_directories(dir);
    }
    ~BenchFiles() { std::filesystem::remove_all(dir); }
    std::string Path(const char* pszName) const { return (dir / pszName).string(); }
    std::filesystem::path dir;
};

void SetBytes(benchmark::State& state, std::size_t nBytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * nBytes));
    state.counters["file_bytes"] = static_cast<double>(nBytes);
}

void BM_SaveNotes(benchmark::State& state) {
    const BenchFiles files;
    const auto store = FullStore();
    const std::string strPath = files.Path("notes.dat");
    for (auto _ : state) {
        if (!SaveNotesFile(strPath, *store).Ok()) state.SkipWithError("save failed");
    }
    SetBytes(state, FormatNotes(*store).size());
}
BENCHMARK(BM_SaveNotes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareWriteAndFsync(benchmark::State& state) {
    const BenchFiles files;
    const std::string bytes = FormatNotes(*FullStore());
    const std::string strPath = files.Path("bare.dat");
    for (auto _ : state) {
        const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const bool bOk =
            fd >= 0 &&
            ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
            ::fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!bOk) state.SkipWithError("write failed");
    }
    SetBytes(state, bytes.size());
}
BENCHMARK(BM_BareWriteAndFsync)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadNotes(benchmark::State& state) {
    const BenchFiles files;
    const std::string strPath = files.Path("notes.dat");
    SaveNotesFile(strPath, *FullStore());
    auto store = std::make_unique<NotesStore>();
    for (auto _ : state) {
        if (!LoadNotesFile(strPath, *store).Ok()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store->m_nLastNote);
    }
    SetBytes(state, std::filesystem::file_size(strPath));
}
BENCHMARK(BM_LoadNotes)->Unit(benchmark::kMillisecond);

// The floor of a load: the same file read whole, nothing parsed.
void BM_PlainReadOfTheFile(benchmark::State& state) {
    const BenchFiles files;
    const std::string strPath = files.Path("notes.dat");
    SaveNotesFile(strPath, *FullStore());
    std::string bytes(std::filesystem::file_size(strPath), '\0');
    for (auto _ : state) {
        const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
        std::size_t nUsed = 0;
        for (ssize_t n;
             fd >= 0 && (n = ::read(fd, bytes.data() + nUsed, bytes.size() - nUsed)) > 0;)
            nUsed += static_cast<std::size_t>(n);
        if (fd >= 0) ::close(fd);
        if (nUsed != bytes.size()) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state, std::filesystem::file_size(strPath));
}
BENCHMARK(BM_PlainReadOfTheFile)->Unit(benchmark::kMillisecond);

// The in-memory halves, to tell the format's cost from the disk's.
void BM_FormatNotes(benchmark::State& state) {
    const auto store = FullStore();
    std::size_t nBytes = 0;
    for (auto _ : state) {
        const std::string bytes = FormatNotes(*store);
        nBytes = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state, nBytes);
}
BENCHMARK(BM_FormatNotes)->Unit(benchmark::kMillisecond);

void BM_ParseNotes(benchmark::State& state) {
    const std::string bytes = FormatNotes(*FullStore());
    auto store = std::make_unique<NotesStore>();
    for (auto _ : state) {
        ParseNotes(bytes, *store);
        benchmark::DoNotOptimize(store->m_nLastNote);
    }
    SetBytes(state, bytes.size());
}
BENCHMARK(BM_ParseNotes)->Unit(benchmark::kMillisecond);

}  // namespace

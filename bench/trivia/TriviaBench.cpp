// SPDX-License-Identifier: GPL-3.0-or-later
// The trivia load beside a plain read of the same file, and the worst pick.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "countdown/Clock.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaLoader.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

namespace fs = std::filesystem;

namespace {

// A full table's file, about 1 MB: 4999 entries of about 200 bytes, packed.
class FullTriviaFile {
public:
    FullTriviaFile() {
        m_dir = fs::temp_directory_path() / ("brisaloo-trivia-bench-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        std::string strPlain;
        for (int i = 1; i <= kTriviaMaxLines; ++i) {
            strPlain += std::to_string(i) + "|GEO|" + std::string(150, 'q') + "?|" +
                        std::string(40, 'a') + "|\n";
        }
        const std::string strStored = PackTrivia(strPlain);
        std::ofstream(m_dir / "triv.dat", std::ios::binary)
            .write(strStored.data(), static_cast<std::streamsize>(strStored.size()));
        std::ofstream(m_dir / "trivia.txt", std::ios::binary)
            .write(strPlain.data(), static_cast<std::streamsize>(strPlain.size()));
        m_nBytes = strStored.size();
    }
    ~FullTriviaFile() {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    std::string Dir() const { return m_dir.string(); }
    std::string DatPath() const { return (m_dir / "triv.dat").string(); }
    std::string TextPath() const { return (m_dir / "trivia.txt").string(); }
    std::size_t Bytes() const { return m_nBytes; }

private:
    fs::path m_dir;
    std::size_t m_nBytes = 0;
};

const FullTriviaFile& TheFile() {
    static const FullTriviaFile file;
    return file;
}

void BM_PlainReadOfTheFile(benchmark::State& state) {
    const std::string strPath = TheFile().DatPath();
    for (auto _ : state) {
        const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
        std::string strBytes(TheFile().Bytes(), '\0');
        std::size_t nUsed = 0;
        for (ssize_t n; (n = ::read(fd, strBytes.data() + nUsed, strBytes.size() - nUsed)) > 0;) {
            nUsed += static_cast<std::size_t>(n);
        }
        ::close(fd);
        benchmark::DoNotOptimize(strBytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TheFile().Bytes()));
}
BENCHMARK(BM_PlainReadOfTheFile)->Unit(benchmark::kMicrosecond);

// The same content unscrambled, read line by line into the table the
// straightforward way: what a load without the scramble and the temporary
// file would cost.
void BM_PlainReadOfTheLines(benchmark::State& state) {
    const std::string strPath = TheFile().TextPath();
    const auto table = std::make_unique<TriviaTable>();
    for (auto _ : state) {
        std::ifstream in(strPath, std::ios::binary);
        int n = 1;
        while (n < kTriviaSlots && std::getline(in, table->m_strTrivia[n])) ++n;
        table->m_nTriviaLines = n - 1;
        benchmark::DoNotOptimize(table->m_nTriviaLines);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TheFile().Bytes()));
}
BENCHMARK(BM_PlainReadOfTheLines)->Unit(benchmark::kMicrosecond);

void BM_LoadTriviaFullTable(benchmark::State& state) {
    const std::string strDir = TheFile().Dir();
    const auto table = std::make_unique<TriviaTable>();
    for (auto _ : state) {
        const TriviaLoadResult result = LoadTrivia(strDir, *table);
        if (!result.messages.empty() || table->m_nTriviaLines != kTriviaMaxLines) {
            state.SkipWithError("the load failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(TheFile().Bytes()));
}
BENCHMARK(BM_LoadTriviaFullTable)->Unit(benchmark::kMicrosecond);

class NullView final : public ITriviaView {
public:
    void SetQuestionText(const std::string& strText) override {
        benchmark::DoNotOptimize(&strText);
    }
    void SetAnswerText(const std::string& strText) override { benchmark::DoNotOptimize(&strText); }
};

// Picks with a new seed each time, as picks a second apart would be.
void PickBench(benchmark::State& state, int nEntries) {
    const auto table = std::make_unique<TriviaTable>();
    for (int i = 1; i <= nEntries; ++i) table->m_strTrivia[i] = "1|GEO|Question?|Answer|";
    table->m_nTriviaLines = nEntries;
    NullView view;
    StdTriviaRandom random;
    FixedClock clock(1'700'000'000);
    TriviaRotation rotation(*table, view, random, clock, 30);
    for (auto _ : state) {
        clock.Advance(1);
        rotation.ShowTrivia(TriviaMode::Pick);
    }
}

void BM_PickOneEntryTable(benchmark::State& state) {
    PickBench(state, 1);
}
BENCHMARK(BM_PickOneEntryTable)->Unit(benchmark::kMicrosecond);

void BM_PickFullTable(benchmark::State& state) {
    PickBench(state, kTriviaMaxLines);
}
BENCHMARK(BM_PickFullTable)->Unit(benchmark::kMicrosecond);

}  // namespace

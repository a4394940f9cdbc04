// Replay driver for the native build: feeds a fuzz target's LLVMFuzzerTestOneInput with every
// file of the corpus directory (argv[1]; a missing directory gives no files), then with a fixed
// number of deterministic mutations of those files and some random buffers. Runs under
// ASan/UBSan, so a fault in a parser shows up in the ordinary test run without libFuzzer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kMutations = 2000;
constexpr int kRandomBuffers = 200;
constexpr size_t kMaxRandomSize = 4096;

std::vector<Bytes> ReadCorpus(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());  // same order, same mutations, every run

  std::vector<Bytes> corpus;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return corpus;
}

class Mutator {
public:
  explicit Mutator(const std::vector<Bytes>& corpus) : corpus_(corpus) {}

  Bytes Next() {
    Bytes b = corpus_[Pick(corpus_.size())];
    const int steps = 1 + static_cast<int>(Pick(4));
    for (int i = 0; i < steps; ++i) MutateOnce(b);
    return b;
  }

  Bytes Random() {
    Bytes b(Pick(kMaxRandomSize + 1));
    for (auto& byte : b) byte = static_cast<uint8_t>(rng_());
    return b;
  }

private:
  size_t Pick(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }

  static uint8_t InterestingByte(size_t k) {
    static constexpr uint8_t kValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x0D, 0x0A, '=', '[', ']', ','};
    return kValues[k % std::size(kValues)];
  }

  void MutateOnce(Bytes& b) {
    switch (Pick(7)) {
      case 0:  // flip a bit
        if (!b.empty()) b[Pick(b.size())] ^= static_cast<uint8_t>(1u << Pick(8));
        break;
      case 1:  // overwrite a byte with an interesting value
        if (!b.empty()) b[Pick(b.size())] = InterestingByte(Pick(64));
        break;
      case 2:  // insert bytes
        b.insert(b.begin() + static_cast<std::ptrdiff_t>(Pick(b.size() + 1)), 1 + Pick(8),
                 static_cast<uint8_t>(rng_()));
        break;
      case 3:  // delete a run of bytes
        if (!b.empty()) {
          const size_t at = Pick(b.size());
          const size_t n = 1 + Pick(std::min<size_t>(16, b.size() - at));
          b.erase(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        break;
      case 4:  // truncate
        b.resize(Pick(b.size() + 1));
        break;
      case 5: {  // splice: head of this input, tail of another
        const Bytes& other = corpus_[Pick(corpus_.size())];
        const size_t head = Pick(b.size() + 1);
        const size_t tail = Pick(other.size() + 1);
        b.resize(head);
        b.insert(b.end(), other.begin() + static_cast<std::ptrdiff_t>(tail), other.end());
        break;
      }
      default:  // duplicate a block inside the input
        if (!b.empty()) {
          const size_t at = Pick(b.size());
          const size_t n = 1 + Pick(std::min<size_t>(64, b.size() - at));
          const Bytes block(b.begin() + static_cast<std::ptrdiff_t>(at),
                            b.begin() + static_cast<std::ptrdiff_t>(at + n));
          b.insert(b.begin() + static_cast<std::ptrdiff_t>(Pick(b.size() + 1)), block.begin(), block.end());
        }
        break;
    }
  }

  const std::vector<Bytes>& corpus_;
  std::mt19937_64 rng_{0x5155494C4C494D4FULL};
};

void Run(const Bytes& input, long& count) {
  // A heap copy of exactly the input's size (never a null pointer, also when empty), so
  // ASan catches any read past its end.
  const std::unique_ptr<uint8_t[]> copy(new uint8_t[input.size()]);
  std::copy(input.begin(), input.end(), copy.get());
  LLVMFuzzerTestOneInput(copy.get(), input.size());
  ++count;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Bytes> corpus = argc > 1 ? ReadCorpus(argv[1]) : std::vector<Bytes>{};
  long count = 0;
  Run({}, count);
  for (const auto& input : corpus) Run(input, count);

  const std::vector<Bytes> seeds = corpus.empty() ? std::vector<Bytes>{Bytes{}} : corpus;
  Mutator mutator(seeds);
  for (int i = 0; i < kMutations; ++i) Run(mutator.Next(), count);
  for (int i = 0; i < kRandomBuffers; ++i) Run(mutator.Random(), count);

  std::printf("replayed %ld inputs (%zu corpus files, %d mutations, %d random buffers)\n", count, corpus.size(),
              kMutations, kRandomBuffers);
  return 0;
}

// Every input the fuzzers kept, replayed on each build: the same invariants as
// the fuzz targets, so a fault once found stays found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/PressInvariants.h"

namespace tarnwick {
namespace {

std::vector<std::filesystem::path> CorpusOf(const std::string& target) {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = std::filesystem::path(TARNWICK_FUZZ_CORPUS) / target;
  if (!std::filesystem::is_directory(dir)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpus, EveryWindowSurvivesItsCorpus) {
  size_t replayed = 0;
  for (const WindowSpec& window : Windows()) {
    const auto files = CorpusOf(std::string(window.name));
    EXPECT_FALSE(files.empty()) << window.name;
    for (const auto& file : files) {
      const std::string bytes = Contents(file);
      const std::string fault =
          fuzz::CheckPress(window, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      EXPECT_EQ(fault, "") << window.name << " " << file.filename();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 100u);
}

TEST(FuzzCorpus, ReadingSurvivesItsCorpus) {
  const auto files = CorpusOf("ReadNumber");
  EXPECT_FALSE(files.empty());
  for (const auto& file : files) {
    EXPECT_EQ(fuzz::CheckReading(Contents(file)), "") << file.filename();
  }
}

}  // namespace
}  // namespace tarnwick

// LogFile on its own: every line handed out exactly once, whatever its length
// and wherever it falls against the reader's chunks and blocks, and no longer
// than the longest line it keeps.

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "log_file.h"
#include "log_pipe.h"
#include "page_reading.h"

namespace murkwell::testing {
namespace {

// Lines of every length from 0 to 300 bytes, then a few spanning several blocks
// or as long as the longest line kept, give or take a byte, some ending in
// CR LF; the last one, too long as well, has no line feed.
std::vector<std::string> VariedLines() {
    std::vector<std::string> lines;
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int copy = 0; copy < 40; ++copy) {
            lines.push_back(std::string(length, static_cast<char>('a' + copy % 26)));
        }
    }
    lines.push_back(std::string(2 * ReadAhead::kLargeBlock + 3, 'L'));
    lines.push_back("cr\rinside");
    lines.push_back(std::string(ReadAhead::kFrontRoom + 1, 'F'));
    for (const std::size_t length : {LogFile::kLongestLine - 1, LogFile::kLongestLine, LogFile::kLongestLine + 1}) {
        lines.push_back(std::string(length, 'M'));
    }
    lines.push_back(std::string(LogFile::kLongestLine + 5, 'Z'));
    return lines;
}

std::vector<std::string> AsHandedOut(std::vector<std::string> lines) {
    for (std::string& line : lines) {
        line.resize(std::min(line.size(), LogFile::kLongestLine));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (i + 1 < lines.size()) {
            bytes += (i % 3 == 0) ? "\r\n" : "\n";
        }
    }
    return bytes;
}

// Writes the bytes into a pipe in small pieces, so that reads come back short
// and at odd places, from the moment a reader opens it by its path.
class PipeFeed {
public:
    explicit PipeFeed(const std::string& bytes)
        : m_pipe(m_folder.Path("feed")), m_writer([this, bytes] {
              for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
                  EXPECT_TRUE(m_pipe.Send(std::string_view(bytes).substr(at, kPiece)));
              }
              m_pipe.End();
          }) {}
    ~PipeFeed() { m_writer.join(); }
    const std::string& Path() const { return m_pipe.Path(); }

private:
    static constexpr std::size_t kPiece = 4093;
    ScratchFolder m_folder;
    LogPipe m_pipe;
    std::thread m_writer;
};

std::vector<std::string> ReadAll(const std::string& path) {
    LogFile log;
    EXPECT_TRUE(log.Open(path));
    std::vector<std::string> lines;
    std::string_view line;
    while (log.NextLine(line)) {
        lines.emplace_back(line);
    }
    EXPECT_FALSE(log.ReadFailed());
    return lines;
}

TEST(LogFile, HandsOutEveryLineOnceFromAFile) {
    const ScratchFolder dir;
    const auto lines = VariedLines();
    EXPECT_EQ(ReadAll(dir.Write("games.log", Joined(lines)).string()), AsHandedOut(lines));
}

TEST(LogFile, HandsOutEveryLineOnceFromAPipe) {
    const auto lines = VariedLines();
    const PipeFeed pipe(Joined(lines));
    EXPECT_EQ(ReadAll(pipe.Path()), AsHandedOut(lines));
}

TEST(LogFile, EmptyFileHasNoLines) {
    const ScratchFolder dir;
    EXPECT_THAT(ReadAll(dir.Write("games.log", "").string()), ::testing::IsEmpty());
    EXPECT_THAT(ReadAll(dir.Write("one.log", "\n").string()), ::testing::ElementsAre(""));
}

}  // namespace
}  // namespace murkwell::testing

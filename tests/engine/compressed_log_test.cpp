// Logs as logrotate leaves them: each compressor's file gives the very page of
// the log it holds, and a damaged one is a failed read that keeps the previous page.

#include <string>

#include <gtest/gtest.h>

#include "murkwell/conversion.h"
#include "murkwell/messages.h"
#include "page_reading.h"
#include "run_process.h"

namespace murkwell::testing {
namespace {

const char* const kCompressors[] = {"gzip", "bzip2", "xz", "zstd"};

const std::string kOldPage = "<html>the page of the last good run</html>\r\n";

// The bytes as the compressor's own tool writes them, fast; "" when it is not installed.
std::string Compressed(const std::string& tool, const std::string& bytes) {
    const ScratchFolder folder;
    folder.Write("log", bytes);
    const ProcessResult result =
        RunProcess("/usr/bin/env", {tool, "-1", "-c", "-q", "log"}, folder.Root(), folder.Path("log.z").string());
    return result.exitStatus == 0 ? ReadBytes(folder.Path("log.z")) : "";
}

Outcome ConvertBytes(const ScratchFolder& folder, const std::string& log) {
    return ConvertLog(folder.Write("games.log.z", log).string(), folder.Path("page.html").string());
}

// Larger than the reader's threshold for reading ahead on a thread of its own.
std::string Large() { return SampleLog((std::size_t{3} << 20) / SampleLog().size() + 1); }

TEST(CompressedLogs, GiveThePageOfTheLogTheyHold) {
    const std::string logs[] = {SampleLog(), Large()};
    const std::string pages[] = {PageOf(logs[0]), PageOf(logs[1]), PageOf(logs[0] + logs[0])};
    for (const char* tool : kCompressors) {
        SCOPED_TRACE(tool);
        const std::string sample = Compressed(tool, logs[0]);
        if (sample.empty()) {
            GTEST_SKIP() << tool << " is not installed";
        }
        // A file of several compressed parts, as `cat a.gz b.gz` makes, is read whole.
        const std::string compressed[] = {sample, Compressed(tool, logs[1]), sample + sample};
        const ScratchFolder folder;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ConvertBytes(folder, compressed[i]).Succeeded());
            EXPECT_EQ(ReadBytes(folder.Path("page.html")), pages[i]);
        }
    }
}

TEST(CompressedLogs, ADamagedOneIsAFailedReadThatKeepsThePreviousPage) {
    for (const char* tool : kCompressors) {
        SCOPED_TRACE(tool);
        const std::string whole = Compressed(tool, SampleLog() + SampleLog());
        if (whole.empty()) {
            GTEST_SKIP() << tool << " is not installed";
        }
        std::string flippedInside = whole;
        flippedInside[whole.size() / 2] ^= 0x10;
        std::string flippedCheck = whole;  // near the end, where the formats keep their check values
        flippedCheck[whole.size() - 6] ^= 0x01;
        for (const std::string& damaged : {whole.substr(0, whole.size() * 2 / 3), flippedInside, flippedCheck}) {
            const ScratchFolder folder;
            folder.Write("page.html", kOldPage);
            const Outcome outcome = ConvertBytes(folder, damaged);
            EXPECT_EQ(outcome.message, kMsgCannotReadLog);
            EXPECT_TRUE(outcome.detail.starts_with(folder.Path("games.log.z").string() + ": ")) << outcome.detail;
            EXPECT_EQ(ReadBytes(folder.Path("page.html")), kOldPage);
        }
    }
}

}  // namespace
}  // namespace murkwell::testing

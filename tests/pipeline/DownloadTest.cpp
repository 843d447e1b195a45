// The whole pipeline against a scripted server on loopback: the real dialog,
// the real worker threads and the real WinINet and WinHTTP stacks.
#include "FaultServer.h"
#include "PipelineHarness.h"

#include <gtest/gtest.h>

using faultserver::Action;
using faultserver::FaultServer;
using faultserver::Rule;

namespace {

const char DATA_PATH[] = "/files/data.bin";

std::wstring DataFile() { return PipelineHarness::DownFolder() + L"\\data.bin"; }
std::wstring TargetFile() { return PipelineHarness::DownFolder() + L"\\data.down"; }

// The served bytes are no program: the run ends with the system error of the
// failed start, and leaves the assembled file under the setup program's name.
void ExpectAssembled(const PipelineRun& run, const std::string& body)
{
    EXPECT_EQ(run.end, PipelineRun::ClosedByError);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"Error");
    EXPECT_EQ(run.boxes[0].text.rfind(L"System error : ", 0), 0u) << run.boxes[0].text;
    EXPECT_EQ(Sha256Hex(ReadFileBytes(DataFile())), Sha256Hex(body));
    EXPECT_EQ(::GetFileAttributesW(TargetFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

class ServedFile {
public:
    explicit ServedFile(size_t size) : m_body(FaultServer::PatternBody(size))
    {
        ::DeleteFileW(DataFile().c_str());
        ::DeleteFileW(TargetFile().c_str());
        EXPECT_TRUE(m_server.Start(m_body));
    }
    std::wstring Url() const { return Widen(m_server.Url(DATA_PATH)); }
    FaultServer& Server() { return m_server; }
    const std::string& Body() const { return m_body; }

private:
    std::string m_body;
    FaultServer m_server;
};

struct SizeCase {
    size_t size;
    bool winHttp;
};

std::string SizeCaseName(const ::testing::TestParamInfo<SizeCase>& info)
{
    return std::to_string(info.param.size) + (info.param.winHttp ? "_WinHttp" : "_WinInet");
}

class AssembleTest : public ::testing::TestWithParam<SizeCase> {};

} // namespace

TEST_P(AssembleTest, FileIsByteIdentical)
{
    ServedFile file(GetParam().size);
    PipelineHarness harness(file.Url());
    harness.UseWinHttp(GetParam().winHttp);
    PipelineRun run = harness.Run();
    ExpectAssembled(run, file.Body());

    // One request per non-empty chunk, each for exactly its bytes.
    UINT q = static_cast<UINT>(GetParam().size / 40);
    int expectedRanged = q == 0 ? 1 : 40;
    std::vector<faultserver::RecordedRequest> requests = file.Server().Requests();
    int ranged = 0;
    for (const auto& request : requests) {
        if (request.kind != faultserver::RequestKind::Ranged)
            continue;
        ++ranged;
        ASSERT_TRUE(request.range.has_value());
        uint64_t first = request.range->first;
        uint64_t index = q == 0 ? 39 : std::min<uint64_t>(first / q, 39);
        EXPECT_EQ(first, index * q);
        uint64_t last = index == 39 ? GetParam().size - 1 : first + q - 1;
        EXPECT_EQ(request.range->last, last);
    }
    EXPECT_EQ(ranged, expectedRanged);
    EXPECT_EQ(run.Count(WM_PIECE_WRITTEN, 39), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AssembleTest,
                         ::testing::Values(SizeCase{1, false}, SizeCase{39, false}, SizeCase{40, false},
                                           SizeCase{41, false}, SizeCase{1000039, false},
                                           SizeCase{6 * 1024 * 1024 + 7, false}, SizeCase{1, true},
                                           SizeCase{39, true}, SizeCase{40, true}, SizeCase{41, true},
                                           SizeCase{1000039, true}, SizeCase{6 * 1024 * 1024 + 7, true}),
                         SizeCaseName);

TEST(ParallelTest, FortyRangesAreInFlightTogether)
{
    for (bool winHttp : {false, true}) {
        ServedFile file(400000);
        file.Server().SetGetBarrier(40, 15000);
        PipelineHarness harness(file.Url());
        harness.UseWinHttp(winHttp);
        PipelineRun run = harness.Run();
        ExpectAssembled(run, file.Body());
        EXPECT_GE(file.Server().PeakOpenRangedGets(), 35) << (winHttp ? "WinHTTP" : "WinINet");
        // The transports send the header as a normal header line.
        for (const auto& request : file.Server().Requests()) {
            if (request.kind == faultserver::RequestKind::Ranged) {
                EXPECT_TRUE(request.range.has_value());
            }
        }
    }
}

TEST(ResumeTest, CutChunkAsksOnlyForItsMissingTail)
{
    ServedFile file(1000039);
    const uint64_t chunk7 = 7 * 25000;
    file.Server().AddRule(Rule::RangeStartingAt(chunk7).Times(1).Do(Action::CloseAfter(10000)));
    PipelineHarness harness(file.Url());
    PipelineRun run = harness.Run();
    ExpectAssembled(run, file.Body());

    bool resumed = false;
    for (const auto& request : file.Server().Requests()) {
        if (request.range && request.range->first == chunk7 + 10000) {
            resumed = true;
            EXPECT_EQ(request.range->last, chunk7 + 25000 - 1);
        }
    }
    EXPECT_TRUE(resumed);
    EXPECT_EQ(run.ErrorCount(7), 1);
}

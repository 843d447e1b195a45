// Faults at the server and how each installer run ends. A wrong file is never
// renamed or run.
#include "FaultServer.h"
#include "HostPath.h"
#include "PipelineHarness.h"

#include <gtest/gtest.h>

#include <cstdio>

using faultserver::Action;
using faultserver::FaultServer;
using faultserver::Rule;

namespace {

const char DATA_PATH[] = "/files/data.bin";
const size_t DATA_SIZE = 1000039;
const uint64_t CHUNK = 25000;

std::wstring DataFile() { return PipelineHarness::DownFolder() + L"\\data.bin"; }

struct FaultCase {
    const char* name;
    std::vector<Rule> rules;
    bool recovers; // true: byte-identical file; false: the network error message
};

std::string FaultCaseName(const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; }

class ServerFaultTest : public ::testing::TestWithParam<FaultCase> {};

PipelineRun RunAgainst(FaultServer& server, const std::string& body, const std::vector<Rule>& rules,
                       DWORD stallTimeoutMs = 30000)
{
    ::DeleteFileW(DataFile().c_str());
    EXPECT_TRUE(server.Start(body));
    for (const Rule& rule : rules)
        server.AddRule(rule);
    PipelineHarness harness(Widen(server.Url(DATA_PATH)));
    harness.SetStallTimeout(stallTimeoutMs);
    return harness.Run(240000);
}

void ExpectEndsWith(const PipelineRun& run, const wchar_t* prefix)
{
    EXPECT_EQ(run.end, PipelineRun::ClosedByError);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, L"Error");
    EXPECT_EQ(run.boxes[0].text.rfind(prefix, 0), 0u) << run.boxes[0].text;
}

} // namespace

TEST_P(ServerFaultTest, EndsAsExpected)
{
    const FaultCase& c = GetParam();
    std::string body = FaultServer::PatternBody(DATA_SIZE);
    FaultServer server;
    PipelineRun run = RunAgainst(server, body, c.rules, 2000);
    if (c.recovers) {
        ExpectEndsWith(run, L"System error : "); // the served bytes are no program
        EXPECT_EQ(Sha256Hex(ReadFileBytes(DataFile())), Sha256Hex(body));
    } else {
        ExpectEndsWith(run, L"Network error : ");
        EXPECT_EQ(::GetFileAttributesW(DataFile().c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ServerFaultTest,
    ::testing::Values(
        FaultCase{"ResetOnFirstAttempt", {Rule::RangeStartingAt(3 * CHUNK).Times(1).Do(Action::Reset())}, true},
        FaultCase{"BodyCutShort", {Rule::RangeStartingAt(5 * CHUNK).Times(1).Do(Action::CloseAfter(777))}, true},
        FaultCase{"ResetMidBody", {Rule::RangeStartingAt(6 * CHUNK).Times(1).Do(Action::ResetAfter(4000))}, true},
        FaultCase{"OtherBytesInContentRange",
                  {Rule::RangeStartingAt(8 * CHUNK).Times(1).Do(Action::WrongContentRange(1))}, true},
        FaultCase{"OtherTotalInContentRange",
                  {Rule::RangeStartingAt(9 * CHUNK).Times(1).Do(Action::WrongContentRange(0, 1))}, true},
        FaultCase{"WholeFileForARangeOnce", {Rule::RangeStartingAt(10 * CHUNK).Times(1).Do(Action::IgnoreRange())},
                  true},
        FaultCase{"Probe503ThreeTimes", {Rule::Probes().Times(3).Do(Action::Status(503))}, true},
        FaultCase{"ExtraBytesAfterTheRangeOnce",
                  {Rule::RangeStartingAt(12 * CHUNK).Times(1).Do(Action::ExtraBytes(5000, true))}, true},
        FaultCase{"WholeFileForEveryRange", {Rule::Ranged().Do(Action::IgnoreRange())}, false}),
    FaultCaseName);

TEST(StallTest, StalledChunkFailsAfterTheBoundAndResumes)
{
    for (bool winHttp : {false, true}) {
        SCOPED_TRACE(winHttp ? "WinHTTP" : "WinINet");
        std::string body = FaultServer::PatternBody(DATA_SIZE);
        FaultServer server;
        ::DeleteFileW(DataFile().c_str());
        ASSERT_TRUE(server.Start(body));
        // Silent until the server stops: only the bound can end it.
        server.AddRule(Rule::RangeStartingAt(11 * CHUNK).Times(1).Do(Action::Stall(100, -1)));
        PipelineHarness harness(Widen(server.Url(DATA_PATH)));
        harness.UseWinHttp(winHttp);
        harness.SetStallTimeout(2000);
        PipelineRun run = harness.Run(60000);
        ExpectEndsWith(run, L"System error : ");
        EXPECT_EQ(Sha256Hex(ReadFileBytes(DataFile())), Sha256Hex(body));
        EXPECT_EQ(run.ErrorCount(11), 1);
    }
}

TEST(ProbeFaultTest, BadProbeAnswersUseBothTransportsThenFail)
{
    struct Case {
        const char* name;
        Action action;
    } cases[] = {
        {"404", Action::Status(404, "not here")},
        {"no Content-Length", Action::NoContentLength()},
        {"12abc", Action::ContentLengthText("12abc")},
        {"0", Action::ContentLengthText("0")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FaultServer server;
        PipelineRun run = RunAgainst(server, FaultServer::PatternBody(5000), {Rule::Probes().Do(c.action)});
        ExpectEndsWith(run, L"Network error : ");
        EXPECT_TRUE(run.usedWinHttp);
        // 42 GETs over WinINet, then 42 HEADs over WinHTTP; no range is ever asked.
        int probeGets = 0;
        for (const auto& request : server.Requests())
            probeGets += request.method == "GET" && !request.range.has_value();
        EXPECT_EQ(probeGets, 42);
        EXPECT_EQ(server.HeadCount(), 42);
        EXPECT_EQ(run.ErrorCount(41), 84);
    }
}

TEST(ProbeFaultTest, RefusedConnectionsUseBothTransportsThenFail)
{
    PipelineHarness harness(L"http://127.0.0.1:" + std::to_wstring(FaultServer::ClosedLoopbackPort()) + L"/x/setup.exe");
    PipelineRun run = harness.Run();
    ExpectEndsWith(run, L"Network error : ");
    EXPECT_TRUE(run.usedWinHttp);
    EXPECT_EQ(run.ErrorCount(41), 84);
}

TEST(ProbeFaultTest, SizeOf2GiBOrMoreIsASystemError)
{
    FaultServer server;
    PipelineRun run = RunAgainst(server, FaultServer::PatternBody(100),
                                 {Rule::Probes().Do(Action::ContentLengthText("2147483648"))});
    ExpectEndsWith(run, L"System error : 223"); // ERROR_FILE_TOO_LARGE
    EXPECT_EQ(run.ErrorCount(41), 0);
    for (const auto& request : server.Requests())
        EXPECT_FALSE(request.range.has_value()) << "nothing is planned";
}

TEST(ProbeFaultTest, BuffersThatCannotBeAllocatedAreASystemErrorNotACrash)
{
    // Just under 2 GiB in forty buffers cannot fit a 32-bit process.
    FaultServer server;
    PipelineRun run = RunAgainst(server, FaultServer::PatternBody(100),
                                 {Rule::Probes().Do(Action::ContentLengthText("2147483647"))});
    ExpectEndsWith(run, L"System error : 8"); // ERROR_NOT_ENOUGH_MEMORY
    for (const auto& request : server.Requests())
        EXPECT_FALSE(request.range.has_value()) << "no worker starts without its buffer";
}

TEST(TlsTest, UntrustedCertificateFailsAndNeverFallsBackToPlainHttp)
{
    std::string ports = ReadFileBytes(HostPath(NGINX_TLS_PORTS));
    unsigned plain = 0, tls = 0;
    ASSERT_EQ(std::sscanf(ports.c_str(), "%u %u", &plain, &tls), 2) << ports;
    PipelineHarness harness(L"https://127.0.0.1:" + std::to_wstring(tls) + L"/pellucor/PellucorFullSetup.exe");
    PipelineRun run = harness.Run(300000);
    ExpectEndsWith(run, L"Network error : ");
    EXPECT_EQ(run.ErrorCount(41), 84);
    EXPECT_EQ(run.Count(WM_DOWN_SIZE, 0) + run.ErrorCount(0), 0);
    // Not one request got through: none over TLS, none in plain text to the TLS port.
    EXPECT_EQ(ReadFileBytes(HostPath(NGINX_TLS_LOG)), "");
}

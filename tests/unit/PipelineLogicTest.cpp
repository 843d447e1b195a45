// The pipeline's decisions, without a window or a network.
#include "pipeline/ChunkPlan.h"
#include "pipeline/DownErrorDecision.h"
#include "pipeline/DownPaths.h"
#include "pipeline/DownUrl.h"
#include "pipeline/HttpChecks.h"
#include "pipeline/SetupCommand.h"

#include <gtest/gtest.h>

TEST(DownUrlTest, SplitsHostPortAndPath)
{
    struct Case {
        const wchar_t* url;
        bool hasScheme, missingSlash, secure;
        const wchar_t* host;
        unsigned short port;
        const wchar_t* path;
    } cases[] = {
        {L"http://dl.example.com/pellucor/setup.exe", true, false, false, L"dl.example.com", 80, L"pellucor/setup.exe"},
        {L"https://H/a/b/c.exe", true, false, true, L"H", 443, L"a/b/c.exe"},
        {L"http://127.0.0.1:8642/x.exe", true, false, false, L"127.0.0.1", 8642, L"x.exe"},
        {L"https://host:8443/x.exe?v=1#top", true, false, true, L"host", 8443, L"x.exe?v=1#top"},
        {L"http://host/", true, false, false, L"host", 80, L""},
        {L"http://host", true, true, false, L"host", 80, L""},
        {L"http://host:99999/x", true, false, false, L"host:99999", 80, L"x"}, // not a port: left in the host
        {L"http://[::1]:8080/x", true, false, false, L"[::1]", 8080, L"x"},
        {L"ftp://host/x.exe", false, false, false, L"", 80, L""},
        {L" http://host/x.exe", false, false, false, L"", 80, L""},
        {L"", false, false, false, L"", 80, L""},
    };
    for (const Case& c : cases) {
        DownUrl url = SplitDownUrl(c.url);
        EXPECT_EQ(url.bHasScheme, c.hasScheme) << c.url;
        EXPECT_EQ(url.bMissingSlash, c.missingSlash) << c.url;
        EXPECT_EQ(url.bSecure, c.secure) << c.url;
        EXPECT_EQ(url.strHost, c.host) << c.url;
        EXPECT_EQ(url.nPort, c.port) << c.url;
        EXPECT_EQ(url.strPath, c.path) << c.url;
    }
}

TEST(DownPathsQueryTest, FileNameIgnoresQueryAndFragment)
{
    DownPaths paths = MakeDownPaths(L"http://h/dl/setup.exe?token=a.b/c#frag", L"C:\\Docs");
    ASSERT_TRUE(paths.bUsable);
    EXPECT_EQ(paths.strTargetFile, L"C:\\Docs\\Wystrel\\setup.down");
    EXPECT_EQ(paths.strSetupFile, L"C:\\Docs\\Wystrel\\setup.exe");
    EXPECT_FALSE(MakeDownPaths(L"http://h/download?file=setup.exe", L"C:\\Docs").bUsable);
}

TEST(HttpChecksTest, ContentLengthIsAPlainPositiveNumberBelow2GiB)
{
    struct Case {
        const wchar_t* text;
        ContentLength result;
        UINT size;
    } cases[] = {
        {L"1", ContentLength::Valid, 1},
        {L"1000039", ContentLength::Valid, 1000039},
        {L"2147483647", ContentLength::Valid, 2147483647u},
        {L"2147483648", ContentLength::TooLarge, 0},
        {L"4294967296", ContentLength::TooLarge, 0},
        {L"99999999999999999999999", ContentLength::TooLarge, 0},
        {L"0", ContentLength::Invalid, 0},
        {L"12abc", ContentLength::Invalid, 0},
        {L"-5", ContentLength::Invalid, 0},
        {L"+5", ContentLength::Invalid, 0},
        {L" 5", ContentLength::Invalid, 0},
        {L"", ContentLength::Invalid, 0},
        {L"abc", ContentLength::Invalid, 0},
    };
    for (const Case& c : cases) {
        UINT size = 0;
        EXPECT_EQ(ParseContentLength(c.text, size), c.result) << c.text;
        if (c.result == ContentLength::Valid) {
            EXPECT_EQ(size, c.size) << c.text;
        }
    }
}

TEST(HttpChecksTest, RangeHeaderText)
{
    EXPECT_EQ(MakeRangeHeader(600, 749), L"Range:bytes=600-749");
    EXPECT_EQ(MakeRangeHeader(0, 0), L"Range:bytes=0-0");
}

TEST(HttpChecksTest, AcceptsOnlyTheAskedBytesOfTheProbedFile)
{
    struct Case {
        DWORD status;
        const wchar_t* contentRange;
        UINT first, last, total;
        bool accepted;
    } cases[] = {
        {206, L"bytes 600-749/1000", 600, 749, 1000, true},
        {206, L"bytes 601-750/1000", 600, 749, 1000, false},
        {206, L"bytes 600-749/1001", 600, 749, 1000, false},
        {206, L"bytes 600-749/*", 600, 749, 1000, false},
        {206, L"", 600, 749, 1000, false},
        {206, L"bytes 600-749/1000 ", 600, 749, 1000, false},
        {200, L"", 0, 999, 1000, true},    // the whole file was asked for
        {200, L"", 600, 749, 1000, false}, // a range was asked for
        {200, L"", 0, 998, 1000, false},
        {416, L"bytes */1000", 600, 749, 1000, false},
        {404, L"", 0, 999, 1000, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAcceptedRangeResponse(c.status, c.contentRange, c.first, c.last, c.total), c.accepted)
            << c.status << " " << c.contentRange;
}

TEST(ChunkPlanTest, FortyChunksWithTheRemainderLast)
{
    struct Case {
        UINT size, q, last;
    } cases[] = {{1000039, 25000, 25039}, {4000, 100, 100}, {41, 1, 2}, {40, 1, 1}, {39, 0, 39}, {1, 0, 1}};
    for (const Case& c : cases) {
        DownPiece pieces[DOWN_PIECE_COUNT];
        PlanPieces(c.size, pieces);
        UINT sum = 0;
        for (int i = 0; i < DOWN_PIECE_COUNT; ++i) {
            EXPECT_EQ(pieces[i].nIndex, i);
            EXPECT_EQ(pieces[i].nOffset, i * c.q);
            EXPECT_EQ(pieces[i].nLength, i < DOWN_PIECE_COUNT - 1 ? c.q : c.last) << "size " << c.size;
            EXPECT_EQ(pieces[i].nReceived, 0u);
            EXPECT_EQ(pieces[i].pBuffer, nullptr);
            sum += pieces[i].nLength;
        }
        EXPECT_EQ(sum, c.size);
    }
}

TEST(ChunkPlanTest, PercentReachesEightyWithTheLastByte)
{
    EXPECT_EQ(DownPercent(500000, 1000000), 40);
    EXPECT_EQ(DownPercent(1000000, 1000000), 80);
    EXPECT_EQ(DownPercent(0, 1000000), 0);
    EXPECT_EQ(DownPercent(25000000, 25000000), 80);
    EXPECT_EQ(DownPercent(2147483647u, 2147483647u), 80); // no overflow
    for (UINT got = 0; got <= 1000039; got += 9973)
        EXPECT_LE(DownPercent(got, 1000039), 80);
}

TEST(SetupCommandTest, CommandLineAndSuccessCodes)
{
    EXPECT_EQ(MakeSetupCommandLine(L"C:\\Program Files"), L" /verysilent /Tarvenix /path=\"C:\\Program Files\"");
    EXPECT_EQ(MakeSetupCommandLine(L"D:\\"), L" /verysilent /Tarvenix /path=\"D:\\\"");
    for (DWORD code : {0u, 3010u, 1641u})
        EXPECT_TRUE(IsSetupSuccess(code)) << code;
    for (DWORD code : {1u, 2u, 3u, 5u, 1602u, 0xC0000005u})
        EXPECT_FALSE(IsSetupSuccess(code)) << code;
}

TEST(DownErrorDecisionTest, RestartParkSwitchOrShow)
{
    using A = DownErrorAction;
    struct Case {
        DownErrorState state;
        DownErrorAction action;
    } cases[] = {
        {{5, true, 0, false, 0, 0}, A::Ignore},                // a message was shown already
        {{DOWN_ERR_URL, false, 0, false, 0, 0}, A::ShowUrlError},
        {{DOWN_ERR_SYSTEM, false, 99, true, 0, 0}, A::ShowSystemError},
        {{DOWN_ERR_PROBE, false, 0, false, 0, 0}, A::RestartProbe},
        {{DOWN_ERR_PROBE, false, 40, false, 0, 0}, A::RestartProbe},
        {{DOWN_ERR_PROBE, false, 41, false, 0, 0}, A::SwitchToWinHttp},
        {{DOWN_ERR_PROBE, false, 41, true, 0, 0}, A::ShowNetworkError},
        {{0, false, 40, false, 0, 0}, A::RestartPiece},
        {{39, false, 41, false, 0, 10}, A::ParkPiece},
        {{39, false, 41, false, 29, 10}, A::ParkPieceAndShowNetworkError},
        {{40, false, 0, false, 0, 0}, A::Ignore},
        {{44, false, 0, false, 0, 0}, A::Ignore},
        {{-1, false, 0, false, 0, 0}, A::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(DecideDownError(c.state)), static_cast<int>(c.action)) << "kind " << c.state.nKind;
}

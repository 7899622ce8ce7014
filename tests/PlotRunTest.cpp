#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "run/PlotRun.h"
#include "tests/Fields.h"
#include "tests/RecordingHost.h"
#include "tests/RowName.h"

namespace varneska {
namespace {

namespace fs = std::filesystem;
using test::Cell;
using test::RecordingHost;
using Kind = RecordingHost::Kind;

class PlotRunTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("varneska-run-" + std::to_string(::getpid()) + "-" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(m_folder / name, std::ios::binary) << content;
    }
    std::string Folder() const { return m_folder.string(); }

    fs::path m_folder;
};

std::string SevenFields(std::size_t count) {
    return test::RepeatedFields("7", count);
}

TEST_F(PlotRunTest, FourHundredFieldsMakeTheWholeRun) {
    Write("sevens.txt", SevenFields(400));
    RecordingHost host;
    PlotRun(Folder(), "sevens.txt", host);

    const auto& calls = host.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().kind, Kind::ProgressMax);
    EXPECT_EQ(calls.front().value, 1220.0f);

    // Every progress value comes right after its DoEvents, and none passes the length.
    std::size_t shows = 0;
    std::size_t showAt = 0;
    for (std::size_t i = 1; i < calls.size(); ++i) {
        if (calls[i].kind == Kind::ProgressValue) {
            ASSERT_EQ(calls[i - 1].kind, Kind::Events) << "call " << i;
            EXPECT_LE(calls[i].value, 1200.0f);
        }
        if (calls[i].kind == Kind::Events) {
            ASSERT_LT(i + 1, calls.size()) << "the last call is a DoEvents without its value";
            ASSERT_EQ(calls[i + 1].kind, Kind::ProgressValue) << "call " << i;
        }
        if (calls[i].kind == Kind::Show) {
            ++shows;
            showAt = i;
        }
    }
    ASSERT_EQ(shows, 1u);
    // The plot window is shown between the passes: nothing is drawn before it.
    for (std::size_t i = 0; i < showAt; ++i) {
        EXPECT_NE(calls[i].kind, Kind::Draw);
    }
    // Each pass takes "7 " of every field but the last, whose space stands at the last position.
    const std::vector<float> values = host.ProgressValues();
    ASSERT_EQ(values.size(), 2u * 799u);
    EXPECT_EQ(values[0], 3.0f);
    EXPECT_EQ(values[798], 1200.0f);  // end of the range pass
    EXPECT_EQ(values[799], 3.0f);     // the raster pass starts over
    EXPECT_EQ(values.back(), 1200.0f);

    const std::vector<Cell> cells = host.Cells();
    ASSERT_EQ(cells.size(), 219u);
    EXPECT_EQ(cells.front(), (Cell{2, 1, 4, 2, 124u * 0x010101u}));
    EXPECT_EQ(cells.back(), (Cell{198, 3, 200, 4, 124u * 0x010101u}));
}

TEST_F(PlotRunTest, EmptyFileShowsAnEmptyPlot) {
    Write("empty.txt", "");
    RecordingHost host;
    PlotRun(Folder(), "empty.txt", host);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].kind, Kind::ProgressMax);
    EXPECT_EQ(host.calls[0].value, 20.0f);
    EXPECT_EQ(host.calls[1].kind, Kind::Show);
}

TEST_F(PlotRunTest, OneCharacterFileTakesNoCharacter) {
    Write("one.txt", "5");
    RecordingHost host;
    PlotRun(Folder(), "one.txt", host);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].value, 21.0f);
    EXPECT_EQ(host.calls[1].kind, Kind::Show);
}

TEST_F(PlotRunTest, FolderWithClosingSeparatorStillOpens) {
    // A root folder already ends in a separator, so the composed path has two in a row.
    Write("sevens.txt", SevenFields(70));
    RecordingHost host;
    PlotRun(Folder() + "/", "sevens.txt", host);
    EXPECT_EQ(host.Cells().size(), 9u);
}

TEST_F(PlotRunTest, NameThatIsNotUtf8StillOpens) {
    const std::string name = "\xff\xfe data.txt";
    Write(name, SevenFields(62));
    RecordingHost host;
    PlotRun(Folder(), name, host);
    EXPECT_EQ(host.Cells().size(), 1u);
}

TEST_F(PlotRunTest, FileLongerThanSixteenBitsIsScannedToItsEnd) {
    Write("long.txt", SevenFields(20000));  // 60,000 characters
    RecordingHost host;
    PlotRun(Folder(), "long.txt", host);
    EXPECT_EQ(host.ProgressValues().back(), 60000.0f);
}

// A file longer than one read piece lets the windows handle their events while it is read, and
// after the read the run makes exactly the calls it makes on the same text in memory.
TEST_F(PlotRunTest, LongFileCallsDoEventsWhileReadAndOtherwiseAsInMemory) {
    const std::string text = SevenFields(kReadPiece + 400);  // three pieces and a bit
    Write("pieces.txt", text);
    RecordingHost host;
    PlotRun(Folder(), "pieces.txt", host);

    std::size_t leading = 0;
    while (leading < host.calls.size() && host.calls[leading].kind == Kind::Events) {
        ++leading;
    }
    ASSERT_LT(leading, host.calls.size());
    EXPECT_EQ(host.calls[leading].kind, Kind::ProgressMax);
    RecordingHost inMemory;
    PlotDataText(text, inMemory);
    const std::vector<RecordingHost::Call> afterRead(
        host.calls.begin() + static_cast<std::ptrdiff_t>(leading), host.calls.end());
    EXPECT_TRUE(afterRead == inMemory.calls);
}

// A file of one piece is read without a call: its run makes the calls of a run in memory.
TEST_F(PlotRunTest, FileOfOnePieceMakesNoCallWhileRead) {
    const std::string text = SevenFields(kReadPiece / 3);
    ASSERT_LE(text.size(), kReadPiece);
    Write("piece.txt", text);
    RecordingHost host;
    PlotRun(Folder(), "piece.txt", host);
    RecordingHost inMemory;
    PlotDataText(text, inMemory);
    EXPECT_TRUE(host.calls == inMemory.calls);
}

// DoEvents comes while a long file is read, and what it throws (the windows abandoning a run)
// leaves the read at once, before the run has made any other call.
TEST_F(PlotRunTest, ThrowFromDoEventsDuringTheReadLeavesTheRun) {
    Write("pieces.txt", "");
    fs::resize_file(m_folder / "pieces.txt", 256 << 20);  // far more than 2 ms of reading
    struct Abandoned {};
    struct AbandoningHost : RecordingHost {
        void DoEvents() override { throw Abandoned{}; }
    } host;
    EXPECT_THROW(PlotRun(Folder(), "pieces.txt", host), Abandoned);
    EXPECT_TRUE(host.calls.empty());
}

struct StreamCase {
    const char* name;
    std::string text;
};

void PrintTo(const StreamCase& row, std::ostream* out) {
    *out << row.name;
}

class SameCallsBothWays : public testing::TestWithParam<StreamCase> {};

// A high byte, a tab, a comma, a NUL and a number beyond the range of a double.
constexpr char kOddBytes[] = "\xff 1\t2  3,4 \0 9e9999 ";

// A concrete host gets the template's inlined walk, a PlotHost& the instance compiled once; the
// two must make the same calls with the same arguments in the same order.
TEST_P(SameCallsBothWays, TemplateAndInterfaceMakeTheSameCalls) {
    const StreamCase& row = GetParam();
    RecordingHost concrete;
    PlotDataText(row.text, concrete);
    RecordingHost viaInterface;
    PlotHost& host = viaInterface;
    PlotDataText(row.text, host);
    ASSERT_EQ(concrete.calls.size(), viaInterface.calls.size());
    EXPECT_TRUE(concrete.calls == viaInterface.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SameCallsBothWays,
    testing::Values(StreamCase{"Empty", ""}, StreamCase{"OneCharacter", "5"},
                    StreamCase{"FourHundredSevens", SevenFields(400)},
                    StreamCase{"MixedShapesAndLineBreaks",
                               [] {
                                   std::string text;
                                   for (int i = 0; i < 500; ++i) {
                                       text += i % 7 == 0 ? "\r\n" : "";
                                       text += " " + std::to_string(i * 37 % 1000) + ".5e-" +
                                               std::to_string(i % 4) + " -2D" +
                                               std::to_string(i % 3) + " ";
                                   }
                                   return text;
                               }()},
                    StreamCase{"OddBytes", std::string(kOddBytes, sizeof kOddBytes - 1)}),
    test::RowName{});

struct FailureCase {
    const char* name;
    // Makes the thing to open inside the test folder; returns the folder and the file name.
    std::pair<std::string, std::string> (*make)(const fs::path& folder);
    RunError::Code code;
};

void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class PlotRunFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(PlotRunFailure, FailsBeforeAnyHostCallWithNumberAndPath) {
    const FailureCase& row = GetParam();
    const fs::path folder = fs::temp_directory_path() /
                            ("varneska-fail-" + std::to_string(::getpid()) + "-" + row.name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto [folderPath, fileName] = row.make(folder);

    RecordingHost host;
    const auto started = std::chrono::steady_clock::now();
    try {
        PlotRun(folderPath, fileName, host);
        ADD_FAILURE() << "the run did not fail";
    } catch (const RunError& error) {
        EXPECT_EQ(error.GetCode(), row.code) << error.what();
        EXPECT_EQ(error.Number(), static_cast<int>(row.code));
        EXPECT_NE(std::string(error.what()).find(folderPath + "/" + fileName), std::string::npos)
            << error.what();
    }
    // Refused at once: nothing may wait for a writer or a device.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_TRUE(host.calls.empty());
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PlotRunFailure,
    testing::Values(
        FailureCase{"MissingFile",
                    [](const fs::path& folder) {
                        return std::pair{folder.string(), std::string("missing.txt")};
                    },
                    RunError::Code::FileNotFound},
        FailureCase{"MissingFolder",
                    [](const fs::path& folder) {
                        return std::pair{(folder / "gone").string(), std::string("data.txt")};
                    },
                    RunError::Code::PathNotFound},
        FailureCase{"FileOnTheWayToTheFolder",
                    [](const fs::path& folder) {
                        std::ofstream(folder / "plain") << "x";
                        return std::pair{(folder / "plain").string(), std::string("data.txt")};
                    },
                    RunError::Code::PathNotFound},
        FailureCase{"FolderNamedAsFile",
                    [](const fs::path& folder) {
                        fs::create_directory(folder / "sub");
                        return std::pair{folder.string(), std::string("sub")};
                    },
                    RunError::Code::PathFileAccess},
        FailureCase{"FifoWithoutWriter",
                    [](const fs::path& folder) {
                        ::mkfifo((folder / "pipe").c_str(), 0600);
                        return std::pair{folder.string(), std::string("pipe")};
                    },
                    RunError::Code::PathFileAccess},
        FailureCase{"Socket",
                    [](const fs::path& folder) {
                        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                        sockaddr_un address{};
                        address.sun_family = AF_UNIX;
                        const std::string path = (folder / "sock").string();
                        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
                        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
                        ::close(fd);
                        return std::pair{folder.string(), std::string("sock")};
                    },
                    RunError::Code::PathFileAccess},
        FailureCase{"CharacterDevice",
                    [](const fs::path&) {
                        return std::pair{std::string("/dev"), std::string("null")};
                    },
                    RunError::Code::PathFileAccess},
        FailureCase{"DanglingLink",
                    [](const fs::path& folder) {
                        fs::create_symlink(folder / "nowhere", folder / "link");
                        return std::pair{folder.string(), std::string("link")};
                    },
                    RunError::Code::FileNotFound}),
    test::RowName{});

TEST_F(PlotRunTest, UnreadableFileIsPermissionDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    Write("secret.txt", " 1 ");
    fs::permissions(m_folder / "secret.txt", fs::perms::none);
    RecordingHost host;
    try {
        PlotRun(Folder(), "secret.txt", host);
        ADD_FAILURE() << "the run did not fail";
    } catch (const RunError& error) {
        EXPECT_EQ(error.GetCode(), RunError::Code::PermissionDenied);
    }
}

struct ErrnoCase {
    const char* name;
    int error;
    RunError::Code code;
};

void PrintTo(const ErrnoCase& row, std::ostream* out) {
    *out << row.name;
}

class RunErrorFromErrno : public testing::TestWithParam<ErrnoCase> {};

// The file read and the folder listings both map a failed call through this one table, so a
// path fails with the same number wherever it is met.
TEST_P(RunErrorFromErrno, GivesOneNumberPerCause) {
    const ErrnoCase& row = GetParam();
    const RunError error = RunError::FromErrno(row.error, "/some/path");
    EXPECT_EQ(error.GetCode(), row.code);
    EXPECT_EQ(error.Path(), "/some/path");
}

INSTANTIATE_TEST_SUITE_P(
    Causes, RunErrorFromErrno,
    testing::Values(ErrnoCase{"NothingOfThatName", ENOENT, RunError::Code::PathNotFound},
                    ErrnoCase{"FileOnTheWay", ENOTDIR, RunError::Code::PathNotFound},
                    ErrnoCase{"NameTooLong", ENAMETOOLONG, RunError::Code::PathNotFound},
                    ErrnoCase{"NoAccess", EACCES, RunError::Code::PermissionDenied},
                    ErrnoCase{"NotPermitted", EPERM, RunError::Code::PermissionDenied},
                    ErrnoCase{"NoMemory", ENOMEM, RunError::Code::OutOfMemory},
                    ErrnoCase{"DeviceFailed", EIO, RunError::Code::DeviceIo},
                    ErrnoCase{"NoMedium", ENOMEDIUM, RunError::Code::DeviceIo},
                    ErrnoCase{"SocketOpenedAsFile", ENXIO, RunError::Code::PathFileAccess},
                    ErrnoCase{"FolderOpenedAsFile", EISDIR, RunError::Code::PathFileAccess},
                    ErrnoCase{"LinkLoop", ELOOP, RunError::Code::PathFileAccess},
                    ErrnoCase{"TooManyOpenFiles", EMFILE, RunError::Code::PathFileAccess}),
    test::RowName{});

TEST(RunError, DescriptionNamesWordsAndPath) {
    const RunError error(RunError::Code::FileNotFound, "/data/a.txt");
    EXPECT_STREQ(error.what(), "File not found: /data/a.txt");
    EXPECT_EQ(error.Number(), 53);
    EXPECT_STREQ(RunError(RunError::Code::OutOfMemory, "").what(), "Out of memory");
}

}  // namespace
}  // namespace varneska

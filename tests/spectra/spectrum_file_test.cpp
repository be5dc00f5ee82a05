#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "spectra/spectrum_file.h"
#include "spectra_test_support.h"

namespace detkit {
namespace {

using test::fileBytes;
using test::pathIn;
using test::rampCounts;

TEST(SpectrumFile, EveryChannelCountRoundTrips)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int channels : {256, 512, 1024, 2048, 4096}) {
        SCOPED_TRACE(channels);
        SpectrumHeader h;
        h.channels = static_cast<std::int16_t>(channels);
        setHeaderText(h.maker, kMakerText);
        setHeaderText(h.comment, "round trip");
        h.reserved838[100] = 0x5A;
        h.calibMarker = 0.0f;
        h.calibGain = 0.71f;
        const auto counts = rampCounts(static_cast<std::size_t>(channels), channels);
        const std::string path = pathIn(dir, "rt.dat");

        const WriteResult w = writeSpectrumFile(path, h, counts);
        ASSERT_TRUE(w.ok) << w.reason;
        EXPECT_EQ(test::readRaw(path).size(), 1024 + 4 * std::size_t(channels));

        const ReadResult r = readSpectrumFile(path);
        ASSERT_TRUE(r.ok) << r.reason;
        EXPECT_EQ(r.n, channels);
        EXPECT_EQ(r.header, h);
        EXPECT_EQ(r.counts, counts);
    }
}

struct AcceptCase {
    const char* name;
    int headerChannels;
    std::size_t counts;
    std::size_t extraBytes;
    FileReadStatus status;
    std::int32_t n;
};

TEST(SpectrumFile, AcceptanceAndRefusalTable)
{
    const AcceptCase cases[] = {
        {"exact 2048", 2048, 2048, 0, FileReadStatus::accepted, 2048},
        {"511 surplus counts are ignored", 2048, 2048 + 511, 0, FileReadStatus::accepted, 2048},
        {"a trailing partial count is ignored", 2048, 2048, 3, FileReadStatus::accepted, 2048},
        {"512 surplus counts make a block too many", 2048, 2048 + 512, 0, FileReadStatus::channelMismatch, 2560},
        {"exact 4096", 4096, 4096, 0, FileReadStatus::accepted, 4096},
        {"more than 4096 counts", 4096, 4096 + 512, 0, FileReadStatus::tooManyCounts, 4608},
        {"counting stops after 16 blocks", 4096, 20000, 0, FileReadStatus::tooManyCounts, 8192},
        {"1536 is whole blocks and agrees", 1536, 1536, 0, FileReadStatus::accepted, 1536},
        {"header says fewer than the file holds", 1024, 2048, 0, FileReadStatus::channelMismatch, 2048},
        {"header says more than the file holds", 4096, 2048, 0, FileReadStatus::channelMismatch, 2048},
        {"negative channels", -2048, 2048, 0, FileReadStatus::channelMismatch, 2048},
        {"fewer than 512 counts", 512, 511, 0, FileReadStatus::noWholeBlock, 0},
        {"no counts at all", 1024, 0, 0, FileReadStatus::noWholeBlock, 0},
        {"256 channels holding exactly 256 counts", 256, 256, 0, FileReadStatus::accepted, 256},
        {"256 channels and a partial count", 256, 256, 2, FileReadStatus::accepted, 256},
        {"256 channels holding 255 counts", 256, 255, 0, FileReadStatus::noWholeBlock, 0},
        {"256 channels holding 257 counts", 256, 257, 0, FileReadStatus::noWholeBlock, 0},
        {"256 channels holding 512 counts", 256, 512, 0, FileReadStatus::channelMismatch, 512},
        {"256 counts under a 512-channel header", 512, 256, 0, FileReadStatus::noWholeBlock, 0},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = parseSpectrumBytes(fileBytes(c.headerChannels, c.counts, c.extraBytes));
        EXPECT_EQ(r.status, c.status) << r.reason;
        EXPECT_EQ(r.ok, c.status == FileReadStatus::accepted);
        EXPECT_EQ(r.n, c.n);
        EXPECT_EQ(r.reason.empty(), r.ok);
        EXPECT_EQ(r.reason.find('\n'), std::string::npos);
        // Whole counts are kept whatever the verdict, up to 16 blocks.
        EXPECT_EQ(r.counts.size(), std::min<std::size_t>(c.counts, 8192));
    }
}

TEST(SpectrumFile, ShorterThanTheHeaderIsRefusedWithZero)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{1023}}) {
        std::vector<std::uint8_t> b = fileBytes(2048, 0);
        b.resize(size);
        const ReadResult r = parseSpectrumBytes(b);
        EXPECT_EQ(r.status, FileReadStatus::shorterThanHeader);
        EXPECT_EQ(r.n, 0);
        EXPECT_EQ(r.offset, size);
    }
}

TEST(SpectrumFile, RefusalKeepsWhereAndWhy)
{
    const ReadResult r = parseSpectrumBytes(fileBytes(2048, 2560));
    EXPECT_EQ(r.offset, 54u); // the channels field disagrees
    EXPECT_NE(r.reason.find("2048"), std::string::npos);
    EXPECT_NE(r.reason.find("2560"), std::string::npos);
}

TEST(SpectrumFile, UnterminatedTextsAreCutTo31Characters)
{
    std::vector<std::uint8_t> b = fileBytes(512, 512);
    std::fill(b.begin() + 774, b.begin() + 838, std::uint8_t{'k'});
    const ReadResult r = parseSpectrumBytes(b);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(headerText(r.header.comment), std::string(31, 'k'));
    EXPECT_EQ(headerText(r.header.sampleId), std::string(31, 'k'));
}

TEST(SpectrumFile, AnyMakerTextIsRead)
{
    std::vector<std::uint8_t> b = fileBytes(512, 512);
    std::fill(b.begin(), b.begin() + 21, std::uint8_t{0xFF});
    EXPECT_TRUE(parseSpectrumBytes(b).ok);
}

TEST(SpectrumFile, ReadsOnlyWhatCanMatterOfAHugeFile)
{
    QTemporaryDir dir;
    const std::string path = pathIn(dir, "huge.dat");
    test::writeRaw(path, fileBytes(4096, 256 * 1024));
    const ReadResult r = readSpectrumFile(path);
    EXPECT_EQ(r.status, FileReadStatus::tooManyCounts);
    EXPECT_EQ(r.n, 8192);
    EXPECT_EQ(r.counts.size(), 8192u);
}

TEST(SpectrumFile, MissingFileIsRefusedWithAReason)
{
    QTemporaryDir dir;
    const ReadResult r = readSpectrumFile(pathIn(dir, "absent.dat"));
    EXPECT_EQ(r.status, FileReadStatus::cannotOpen);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(readSpectrumFile(dir.path().toStdString()).status, FileReadStatus::cannotOpen); // a folder
}

// --- A failed save never harms the file already there. ---

class FailedSave : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        old = fileBytes(1024, 1024);
        header.channels = 2048;
    }
    void expectOldFileIntact(const std::string& path) { EXPECT_EQ(test::readRaw(path), old); }

    QTemporaryDir dir;
    std::vector<std::uint8_t> old;
    SpectrumHeader header;
    std::vector<std::int32_t> counts = rampCounts(2048, 3);
};

TEST_F(FailedSave, WriterFailingHalfWayLeavesTheOldFile)
{
    const std::string path = pathIn(dir, "keep.dat");
    test::writeRaw(path, old);
    // The disk takes the first failAt bytes, then refuses.
    for (std::int64_t failAt : {0, 1, 1024, 1024 + 2048, 1024 + 4000, 1024 + 8192 - 1}) {
        SCOPED_TRACE(failAt);
        std::int64_t written = 0;
        const ChunkWriter failing = [&](QIODevice& file, std::span<const std::uint8_t> chunk) -> std::int64_t {
            const auto take = std::min<std::int64_t>(std::max<std::int64_t>(0, failAt - written),
                                                     static_cast<std::int64_t>(chunk.size()));
            if (take > 0)
                file.write(reinterpret_cast<const char*>(chunk.data()), take);
            written += take;
            return take == 0 ? -1 : take;
        };
        const WriteResult w = writeSpectrumFile(path, header, counts, failing);
        EXPECT_FALSE(w.ok);
        EXPECT_FALSE(w.reason.empty());
        expectOldFileIntact(path);
        EXPECT_EQ(test::entriesOf(dir), QStringList{"keep.dat"}); // no temporary file left behind
    }
}

TEST_F(FailedSave, TemporaryFileThatCannotBeCreated)
{
    // The temporary name adds to the target's: with a name near the limit of
    // the file system, the folder cannot take it, whoever runs the test.
    const std::string path = pathIn(dir, (std::string(250, 'n') + ".dat").c_str());
    test::writeRaw(path, old);
    const WriteResult w = writeSpectrumFile(path, header, counts);
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.reason.empty());
    expectOldFileIntact(path);
    EXPECT_EQ(test::entriesOf(dir).size(), 1);
}

TEST_F(FailedSave, ReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    const std::string path = pathIn(dir, "keep.dat");
    test::writeRaw(path, old);
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0500), 0);
    const WriteResult w = writeSpectrumFile(path, header, counts);
    chmod(dir.path().toLocal8Bit().constData(), 0700);
    EXPECT_FALSE(w.ok);
    expectOldFileIntact(path);
}

TEST_F(FailedSave, FolderThatDoesNotExistOrTargetThatIsAFolder)
{
    EXPECT_FALSE(writeSpectrumFile(pathIn(dir, "no/such/folder.dat"), header, counts).ok);
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.dat"));
    EXPECT_FALSE(writeSpectrumFile(pathIn(dir, "taken.dat"), header, counts).ok);
    EXPECT_EQ(test::entriesOf(dir), QStringList{"taken.dat"});
}

TEST_F(FailedSave, CountsThatDisagreeWithTheHeaderAreNotWritten)
{
    const std::string path = pathIn(dir, "keep.dat");
    test::writeRaw(path, old);
    EXPECT_FALSE(writeSpectrumFile(path, header, std::span(counts).first(100)).ok);
    std::vector<std::int32_t> tooMany(5000);
    header.channels = 5000;
    EXPECT_FALSE(writeSpectrumFile(path, header, tooMany).ok);
    expectOldFileIntact(path);
}

TEST(SpectrumFile, SaveReplacesAnOlderFileWhole)
{
    QTemporaryDir dir;
    const std::string path = pathIn(dir, "over.dat");
    test::writeRaw(path, fileBytes(4096, 4096));
    SpectrumHeader h;
    h.channels = 512;
    const auto counts = rampCounts(512);
    ASSERT_TRUE(writeSpectrumFile(path, h, counts).ok);
    EXPECT_EQ(test::readRaw(path), encodeSpectrumFile(h, counts));
}

} // namespace
} // namespace detkit

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/program.h"
#include "spectra/spectrum_file.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

TEST(Info, ExitCodeFollowsTheReader)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string good = dir.filePath("good.dat").toStdString();
    SpectrumHeader h;
    h.channels = 512;
    std::vector<std::int32_t> counts(512, 3);
    ASSERT_TRUE(writeSpectrumFile(good, h, counts).ok);
    EXPECT_EQ(printSpectrumInfo(good), 0);

    // A header that says 1024 channels over 512 counts is refused.
    const std::string mismatch = dir.filePath("mismatch.dat").toStdString();
    h.channels = 1024;
    std::vector<std::uint8_t> bytes = encodeSpectrumFile(h, std::vector<std::int32_t>(1024, 3));
    bytes.resize(1024 + 512 * 4);
    QFile out(QString::fromStdString(mismatch));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    out.close();
    EXPECT_EQ(printSpectrumInfo(mismatch), 1);
    EXPECT_EQ(printSpectrumInfo(dir.filePath("missing.dat").toStdString()), 1);
}

}  // namespace
}  // namespace detkit

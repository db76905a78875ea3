#include "samplesuite/SampleSuite.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SampleSuite, BuildsDrivesFoldersAndFiles)
{
    fs::path root = fs::temp_directory_path() / ("suite-" + std::to_string(::getpid()));
    fs::remove_all(root);
    samplesuite::Layout layout = samplesuite::build(root.string());

    EXPECT_EQ(fs::canonical(fs::path(layout.dosdevices) / "c:"), fs::canonical(root / "c"));
    EXPECT_EQ(fs::canonical(fs::path(layout.dosdevices) / "d:"), fs::canonical(root / "d"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(layout.suiteFolder) / "Tarn.ini"));
    EXPECT_TRUE(fs::is_directory(layout.backupFolder));
    for (const samplesuite::SampleFile& file : samplesuite::sampleFiles())
        EXPECT_EQ(fs::file_size(fs::path(layout.dataFolder) / file.relativePath), file.size) << file.relativePath;
    EXPECT_EQ(fs::file_size(fs::path(layout.dataFolder) / "VENDOR.DB"), 32768u);

    // Building twice over the same folder works.
    EXPECT_NO_THROW(samplesuite::build(root.string()));
    fs::remove_all(root);
}

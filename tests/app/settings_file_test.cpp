// The settings text: the writer byte for byte, the reader over odd, damaged
// and oversized input.
#include "app/settings_file.h"
#include "settings_example.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

const char kExampleText[] =
    "; Quillet settings\r\n"
    "\r\n"
    "[Settings]\r\n"
    "Path=C:\\Photos\\\r\n"
    "FromCol=250\r\n"
    "ToCol=180\r\n"
    "FPath=D:\\Disks\\\r\n"
    "FFolder=Disk\r\n"
    "SizeCol=90\r\n"
    "ModifiedCol=140\r\n"
    "SortBy=Modified\r\n"
    "Reverse=1\r\n"
    "[Window]\r\n"
    "flags=2\r\n"
    "showCmd=1\r\n"
    "rcNormal=64 00 00 00 32 00 00 00 F8 02 00 00 1E 02 00 00 \r\n";

Settings Expected(const std::function<void(Settings&)>& change)
{
    Settings settings;
    change(settings);
    return settings;
}

struct ReadCase {
    const char* what;
    std::string image;
    Settings expected;
};

// A zero byte in the middle of a key and of a value.
const char kZeroBytes[] = "[Settings]\r\nFrom\0Col=5\r\nPath=C:\\\0junk\r\n";

std::string Repeat(char c, size_t count)
{
    return std::string(count, c);
}

} // namespace

TEST(SettingsFile, ExampleRoundTripsByteForByte)
{
    EXPECT_EQ(kExampleText, WriteSettings(Example()));
    EXPECT_EQ(Describe(Example()), Describe(ReadSettings(kExampleText)));
}

TEST(SettingsFile, ExtremeValuesReadBackAsWritten)
{
    Settings settings;
    settings.fromCol = INT32_MIN;
    settings.toCol = INT32_MAX;
    settings.flags = UINT32_MAX;
    settings.showCmd = 0;
    settings.rcNormal = {-1, INT32_MIN, INT32_MAX, -300};
    settings.placementLoaded = true;
    EXPECT_EQ(Describe(settings), Describe(ReadSettings(WriteSettings(settings))));
}

TEST(SettingsFile, ReaderCases)
{
    const ReadCase cases[] = {
        {"empty file", "", Settings()},
        {"no window section", "[Settings]\r\nFromCol=100\r\n", Expected([](Settings& s) { s.fromCol = 100; })},
        {"no showCmd", "[Window]\r\nflags=2\r\n", Expected([](Settings& s) { s.flags = 2; })},
        {"showCmd in another section", "[Settings]\r\nshowCmd=3\r\n", Settings()},
        {"names in any case", "[settings]\r\nFROMCOL=100\r\nffolder=A\r\n[WINDOW]\r\nSHOWCMD=3\r\n",
         Expected([](Settings& s) {
             s.fromCol = 100;
             s.floppyFolder = "A";
             s.showCmd = 3;
             s.placementLoaded = true;
         })},
        {"first of repeated keys", "[Settings]\r\nPath=C:\\a\\\r\nPath=C:\\b\\\r\n",
         Expected([](Settings& s) { s.path = "C:\\a\\"; })},
        {"empty values are found", "[Settings]\r\nPath=\r\nFFolder=\r\n",
         Expected([](Settings& s) { s.floppyFolder = ""; })},
        {"blank before = is part of the key", "[Settings]\r\nPath = C:\\x\\\r\n", Settings()},
        {"blank after = is part of the value", "[Settings]\r\nPath= C:\\x\\\r\n",
         Expected([](Settings& s) { s.path = " C:\\x\\"; })},
        {"key of another section", "[Window]\r\nPath=C:\\x\\\r\n[Settings]\r\nToCol=5\r\n",
         Expected([](Settings& s) { s.toCol = 5; })},
        {"next section ends the keys", "[Settings]\r\n[Other]\r\nFromCol=5\r\n", Settings()},
        {"text after the bracket", "[Settings] old\r\nFromCol=5\r\n", Expected([](Settings& s) { s.fromCol = 5; })},
        {"unclosed bracket", "[Settings\r\nFromCol=5\r\n", Expected([](Settings& s) { s.fromCol = 5; })},
        {"LF line ends, none at the end", "[Settings]\nFromCol=7\nToCol=8",
         Expected([](Settings& s) { s.fromCol = 7; s.toCol = 8; })},
        {"CR line ends", "[Settings]\rFromCol=7\rToCol=8\r",
         Expected([](Settings& s) { s.fromCol = 7; s.toCol = 8; })},
        {"LF CR is two line ends", "[Settings]\n\rFromCol=7\n\rToCol=8\n\r",
         Expected([](Settings& s) { s.fromCol = 7; s.toCol = 8; })},
        {"lowercase hex stops the rectangle",
         "[Window]\r\nshowCmd=1\r\nrcNormal=64 00 00 00 32 00 00 00 f8 02 00 00 1E 02 00 00 \r\n",
         Expected([](Settings& s) { s.showCmd = 1; s.rcNormal = {100, 50, 0, 0}; s.placementLoaded = true; })},
        {"number with blanks, sign and tail", "[Settings]\r\nFromCol= \t-42px\r\nToCol=+15\r\n",
         Expected([](Settings& s) { s.fromCol = -42; s.toCol = 15; })},
        {"number without digits", "[Settings]\r\nFromCol=wide\r\n", Expected([](Settings& s) { s.fromCol = 0; })},
        {"huge numbers clamp", "[Settings]\r\nFromCol=99999999999999999999\r\nToCol=-99999999999\r\n"
                               "[Window]\r\nflags=4294967296\r\nshowCmd=-1\r\n",
         Expected([](Settings& s) {
             s.fromCol = INT32_MAX;
             s.toCol = INT32_MIN;
             s.flags = UINT32_MAX;
             s.placementLoaded = true;
         })},
        {"long values cut to fit",
         "[Settings]\r\nPath=" + Repeat('p', 300) + "\r\nFPath=" + Repeat('f', 10000) + "\r\nFFolder=" +
             Repeat('n', 50) + "\r\n",
         Expected([](Settings& s) {
             s.path = Repeat('p', kSettingsPathChars);
             s.floppyPath = Repeat('f', kSettingsPathChars);
             s.floppyFolder = Repeat('n', kFloppyFolderChars);
         })},
        {"rest of a long line is no line", "[Settings]\r\n" + Repeat('a', kSettingsLineChars) + "FromCol=5\r\n",
         Settings()},
        {"line of 10,000 characters", "[Settings]\r\n" + Repeat('x', 10000) + "\r\nFromCol=5\r\n",
         Expected([](Settings& s) { s.fromCol = 5; })},
        {"order in any case", "[Settings]\r\nSortBy=sIZE\r\nReverse=1\r\n",
         Expected([](Settings& s) { s.order = {ListOrder::Size, true}; })},
        {"order of a later version is the name order", "[Settings]\r\nSortBy=Colour\r\n", Settings()},
        {"zero byte ends a line's text", std::string(kZeroBytes, sizeof kZeroBytes - 1),
         Expected([](Settings& s) { s.path = "C:\\"; })},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(Describe(c.expected), Describe(ReadSettings(c.image))) << c.what;
}

TEST(SettingsFile, BytesDecodeUppercasePairsUntilTheFirstBadOne)
{
    struct BytesCase {
        const char* value;
        bool decoded;
        uint8_t bytes[4];
    };
    const BytesCase cases[] = {
        {"64 00 FF 1E ", true, {0x64, 0x00, 0xFF, 0x1E}},
        {"64 00 FF 1E", true, {0x64, 0x00, 0xFF, 0x1E}},
        {"64-01/02x03", true, {0x64, 0x01, 0x02, 0x03}},
        {"64 0a 02 03 ", false, {0x64, 0, 0, 0}},
        {"64 :0 02 03 ", false, {0x64, 0, 0, 0}},
        {"64 0G 02 03 ", false, {0x64, 0, 0, 0}},
        {"64 01 0", false, {0x64, 0x01, 0, 0}},
        {"", false, {0, 0, 0, 0}},
    };
    for (const BytesCase& c : cases) {
        SettingsReader reader(std::string("[W]\r\nrc=") + c.value + "\r\n");
        ASSERT_TRUE(reader.FindSection("w"));
        uint8_t bytes[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        EXPECT_EQ(c.decoded, reader.GetBytes("RC", bytes, 4)) << c.value;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.bytes[i], bytes[i]) << c.value << " byte " << i;
    }
}

// Damaged files come in all shapes; whatever the bytes, the values stay
// within their owners' buffers and a good section after the damage still reads.
TEST(SettingsFile, BinaryJunkReadsWithoutHarm)
{
    std::string junk(100000, '\0');
    uint32_t seed = 12345;
    for (char& c : junk) {
        seed = seed * 1103515245 + 12345;
        c = static_cast<char>(seed >> 16);
    }
    const Settings fromJunk = ReadSettings(junk + "[Settings]\r\nPath=" + junk);
    EXPECT_LE(fromJunk.path.size(), kSettingsPathChars);
    EXPECT_LE(fromJunk.floppyPath.size(), kSettingsPathChars);
    EXPECT_LE(fromJunk.floppyFolder.size(), kFloppyFolderChars);

    const Settings afterJunk = ReadSettings(junk + "\r\n[Settings]\r\nFromCol=77\r\n");
    EXPECT_EQ(77, afterJunk.fromCol);
}

TEST(SettingsFile, WriterKeepsLineBreaksOutOfValues)
{
    SettingsWriter writer;
    writer.TextKey("FFolder", "Disk\r\n[Window]\r\nshowCmd=3");
    EXPECT_EQ("FFolder=Disk\r\n", writer.Text());
}

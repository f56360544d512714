#include "cli/option_scan.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cli/option_table.h"
#include "settings/settings_schema.h"
#include "support/temp_folder.h"

using namespace plotvale;
using cli::scanOptions;
using Params = std::vector<std::string>;

class OptionScan : public ::testing::Test {
protected:
    void SetUp() override { settings::resetSettingsToDefaults(s, true, 0); }
    std::string scan(const Params& params) { return scanOptions(params, {s, request, flags}); }

    settings::ConverterSettings s;
    settings::RunRequest request;
    cli::FrontEndFlags flags;
    test::TempFolder folder;
};

TEST_F(OptionScan, EveryOptionNamesARealSetting) {
    for (const cli::OptionSpec& option : cli::optionTable()) {
        if (option.target != cli::OptionTarget::Setting) continue;
        EXPECT_NE(settings::findSetting(option.group, option.key), nullptr) << option.longName;
        for (const cli::AlsoSetting& also : option.also) {
            EXPECT_NE(settings::findSetting(also.group, also.key), nullptr) << option.longName;
        }
    }
}

TEST_F(OptionScan, PathsShortAndLongWithQuotes) {
    EXPECT_EQ(scan({"-i", "c:\\my files\\a.wmf", "--output=\"out dir\"", "-c", "png"}), "");
    EXPECT_EQ(request.input, "c:\\my files\\a.wmf");
    EXPECT_EQ(request.outputFolder, "out dir");
    EXPECT_EQ(request.conversion, "png");
    EXPECT_EQ(request.commandLineMode, 1);
    EXPECT_EQ(scan({"-i", "\"my", "files\\a.wmf\"", "-q"}), "");
    EXPECT_EQ(request.input, "my files\\a.wmf");
    EXPECT_TRUE(flags.quiet);
}

TEST_F(OptionScan, ShapeErrorsStopTheScan) {
    const std::string incorrect = "Incorrect number of parameters";
    EXPECT_EQ(scan({"-i"}), incorrect);
    EXPECT_EQ(request.commandLineMode, 1);  // set before the value is checked
    EXPECT_EQ(scan({"--input"}), incorrect);
    EXPECT_EQ(scan({"--input=-x"}), incorrect);
    EXPECT_EQ(scan({"-o", "-c"}), incorrect);
    EXPECT_EQ(scan({"--jpg-quality", "95"}), incorrect);
    EXPECT_EQ(scan({"--width=--5"}), incorrect);
    EXPECT_EQ(scan({"--wm-text="}), incorrect);
    flags = {};
    EXPECT_EQ(scan({"--width", "-p"}), incorrect);
    EXPECT_FALSE(flags.pause);
    EXPECT_EQ(scan({"-p", "--width"}), incorrect);
    EXPECT_TRUE(flags.pause);
}

TEST_F(OptionScan, UnknownOptionsAreSkipped) {
    EXPECT_EQ(scan({"-i=c:\\a.wmf", "bare.wmf", "--no-such", "-help", "-v", "--help"}), "");
    EXPECT_EQ(request.commandLineMode, 0);
    EXPECT_EQ(request.input, "");
}

TEST_F(OptionScan, ValuesByKindWithTheirAlsoSettings) {
    EXPECT_EQ(scan({"--JPG-QUALITY=$5F", "--gamma=1,5", "--dither=bayer8", "--png-compression=LZW",
                    "--rotation=0", "--width=-5", "--invert=0", "--png-interlaced=0",
                    "--no-subfolders", "--fr-solid-top=4", "--wm-text=\"a b\"c", "-q"}),
              "");
    EXPECT_EQ(s.output.jpgQuality, 95);
    EXPECT_EQ(s.adjustment.imageGamma, 1.0f);
    EXPECT_EQ(s.adjustment.doImageDither, 1);
    EXPECT_EQ(s.adjustment.imageDitherAlgorithm, 2);
    EXPECT_EQ(s.output.pngCompression, 6);
    EXPECT_EQ(s.transform.doImageRotation, 1);
    EXPECT_EQ(s.transform.imageRotation, 0);
    EXPECT_EQ(s.transform.imageWidth, -5);
    EXPECT_EQ(s.transform.doImageResize, 1);
    EXPECT_EQ(s.adjustment.imageInvert, 1);
    EXPECT_EQ(s.adjustment.doImageColorCorrection, 1);
    EXPECT_EQ(s.output.pngInterlaced, 1);
    EXPECT_EQ(s.advanced.keepSubfolders, 0);
    EXPECT_EQ(s.frame.doFrame, 1);
    EXPECT_EQ(s.watermark.text, "a b\"c -q");
    EXPECT_EQ(s.watermark.doWatermark, 1);
    EXPECT_FALSE(flags.quiet);  // -q was joined into the text
}

TEST_F(OptionScan, SettingsWithoutAlsoDoNotSwitchOperationsOn) {
    EXPECT_EQ(scan({"--rotation-type=advanced", "--fr-solid-top-color=FF0000", "--dither=xyz",
                    "--wm-image=logo.png", "--wm-text=t", "--gamma=NaN", "--wmf-dpi=300",
                    "--wmf-antialiasing=off"}),
              "");
    EXPECT_EQ(s.transform.doImageRotation, 0);
    EXPECT_EQ(s.transform.imageRotationType, 1);
    EXPECT_EQ(s.frame.doFrame, 0);
    EXPECT_EQ(s.adjustment.imageDitherAlgorithm, 0);
    EXPECT_EQ(s.watermark.doWatermark, 1);  // the later of the two wins
    EXPECT_TRUE(std::isnan(s.adjustment.imageGamma));
    EXPECT_EQ(s.input.wmfDpi, 300);
    EXPECT_EQ(s.input.wmfAntialiasing, 0);
}

TEST_F(OptionScan, ProfileAppliesWhereItStands) {
    const std::string profile =
        folder.write("p.ini", "[Other]\n--jpg-quality=1\n[CLI]\n--JPG-Quality = 70\n");
    EXPECT_EQ(scan({"--profile=" + profile, "--jpg-quality=80"}), "");
    EXPECT_EQ(s.output.jpgQuality, 80);
    EXPECT_EQ(scan({"--jpg-quality=80", "--profile=" + profile}), "");
    EXPECT_EQ(s.output.jpgQuality, 70);
}

TEST_F(OptionScan, ProfileKeysDifferFromOptions) {
    const std::string profile = folder.write(
        "p.ini",
        "[cli]\n--fr-solid-opacity = 100\n--png-interlaced = 0\n--width = 5\n--width = 7\n"
        "--input = x.wmf\n--debug = 1\n--filename-mask = \" %filename% \"\n--wm-font = \"Arial\"\n"
        "--dither = bayer4\n--gamma = 2.5\n--wmf-dpi = 150\n");
    EXPECT_EQ(scan({"--profile=" + profile}), "");
    EXPECT_EQ(s.frame.solidOpacity, 255);
    EXPECT_EQ(s.output.pngInterlaced, 1);
    EXPECT_EQ(s.transform.imageWidth, 7);
    EXPECT_EQ(s.transform.doImageResize, 1);
    EXPECT_EQ(request.input, "");
    EXPECT_EQ(request.modeWord, "");
    EXPECT_EQ(s.advanced.filenameMask, " %filename% ");
    EXPECT_EQ(s.watermark.font, "\"Arial\"");
    EXPECT_EQ(s.adjustment.doImageDither, 1);
    EXPECT_EQ(s.adjustment.imageDitherAlgorithm, 1);
    EXPECT_EQ(s.adjustment.imageGamma, 2.5f);
    EXPECT_EQ(s.input.wmfDpi, 150);
    folder.write("q.ini", "[CLI]\n--wm-solid-opacity = 100\n");
    EXPECT_EQ(scan({"--profile=" + folder.file("q.ini")}), "");
    EXPECT_EQ(s.frame.solidOpacity, 100);
    EXPECT_EQ(scan({"--wm-solid-opacity=7"}), "");  // not an option on the command line
    EXPECT_EQ(s.frame.solidOpacity, 100);
}

TEST_F(OptionScan, ProfileTextAsEditorsWriteIt) {
    const auto text = [&](const std::string& bytes) {
        EXPECT_EQ(scan({"--profile=" + folder.write("t.ini", bytes)}), "");
        return s.watermark.text;
    };
    EXPECT_EQ(text("[CLI]\n--wm-text = caf\xC3\xA9\n"), "caf\xC3\xA9");  // UTF-8, no mark
    EXPECT_EQ(text("[CLI]\n--wm-text = caf\xE9\n"), "caf\xC3\xA9");      // ISO 8859-1
    EXPECT_EQ(text("\xEF\xBB\xBF[CLI]\n--wm-text = caf\xC3\xA9\n"), "caf\xC3\xA9");
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[CLI]\r\n--wm-text = tea\r\n")) utf16 += std::string{c, '\0'};
    EXPECT_EQ(text(utf16), "tea");
}

TEST_F(OptionScan, BadProfilesFailCleanly) {
    const std::string invalid = "Invalid profile file";
    EXPECT_EQ(scan({"--profile=" + folder.file("missing.ini")}), invalid);
    EXPECT_EQ(scan({"--profile=\"\""}), invalid);
    EXPECT_EQ(scan({"--profile=" + folder.path().string()}), invalid);  // a folder
    EXPECT_EQ(scan({"--profile="}), "Incorrect number of parameters");

    std::string garbage;
    for (int i = 0; i < 100000; ++i) garbage += static_cast<char>((i * 31 + 7) & 0xFF);
    EXPECT_EQ(scan({"--profile=" + folder.write("garbage.ini", garbage)}), "");
    EXPECT_EQ(scan({"--profile=" + folder.write("noequals.ini", "[CLI]\nno equals here\n")}), "");

    std::string big = "[CLI]\n";
    while (big.size() < 10 * 1024 * 1024) big += "--jpg-quality = 42\n; padding padding\n";
    EXPECT_EQ(scan({"--profile=" + folder.write("big.ini", big)}), "");
    EXPECT_EQ(s.output.jpgQuality, 42);
}

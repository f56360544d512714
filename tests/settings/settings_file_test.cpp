#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <variant>

#include "settings/settings_schema.h"
#include "support/temp_folder.h"

using namespace plotvale::settings;
using plotvale::test::TempFolder;

namespace {

constexpr int32_t Now = 1700000000;
const SettingsContext Context{Now, 0, 0};

std::string lines(std::initializer_list<std::string_view> items) {
    std::string text;
    for (std::string_view item : items) text += std::string(item) + "\r\n";
    return text;
}

// The file written from the window face's defaults, line by line.
std::string defaultFileText() {
    return "\xEF\xBB\xBF\r\n" +
           lines({"[General]", "CFG = 19", "Language = en", "Update Range = 2",
                  "Update Date = 1700000000", "Save Window Position = 1", "; ",
                  "[Window]", "IsMaximized = 0", "Width = 510", "Height = 330", "X = 100",
                  "Y = 100", "; ",
                  "[Interface]", "UI Theme = handdrawn", "UI Size = 2", "; ",
                  "[Input]", "Format = wmf", "WMF DPI = 96", "WMF Antialiasing = 1", "; ",
                  "[Output]", "Format = bmp", "BMP BPP = 0", "BMP Compression = 0",
                  "BMP Color Table = 0", "DDS BPP = 0", "EXR BPP = 0", "EXR Compression = 0",
                  "GIF BPP = 0", "HDR BPP = 0", "ICO BPP = 0", "J2K BPP = 0", "JNG BPP = 0",
                  "JP2 BPP = 0", "JPG BPP = 0", "JPG Quality = 95", "JPG Chroma = 0",
                  "JPG Save As = 0", "JXR BPP = 0", "PBM BPP = 0", "PCX BPP = 0", "PFM BPP = 0",
                  "PGM BPP = 0", "PNG BPP = 0", "PNG Compression = 0", "PNG Interlaced = 0",
                  "PPM BPP = 0", "PSD BPP = 0", "TGA BPP = 0", "TGA Compression = 0",
                  "TIFF BPP = 0", "TIFF Compression = 0", "TIFF Color Mode = 0", "WBMP BPP = 0",
                  "WEBP BPP = 0", "WEBP Quality = 100", "XPM BPP = 0", "; ",
                  "[Transform]", "Do Image Rotation = 0", "Image Rotation Type = 0",
                  "Image Rotation = 0", "Image Rotation Back Color = 000000",
                  "Do Image Resize = 0", "Image Width = 0", "Image Width Unit = 0",
                  "Image Height = 0", "Image Height Unit = 0", "Keep Aspect Ratio = 1",
                  "Image Resize Type = 0", "Image Resize Algorithm = 3",
                  "Do Image Flip Horizontal = 0", "Do Image Flip Vertical = 0", "; ",
                  "[Adjustment]", "Do Image Color Correction = 0", "Image Brightness = 0",
                  "Image Contrast = 0", "Image Gamma = 1.000000", "Image Invert = 0",
                  "Do Image Greyscale = 0", "Do Image Threshold = 0", "Image Threshold = 0",
                  "Do Image Dither = 0", "Image Dither Algorithm = 0", "; ",
                  "[Frame]", "Do Frame = 0", "Solid Left = 0", "Solid Right = 0",
                  "Solid Top = 0", "Solid Bottom = 0", "Solid Left Color = 000000",
                  "Solid Right Color = 000000", "Solid Top Color = 000000",
                  "Solid Bottom Color = 000000", "Solid Opacity = 255", "; ",
                  "[Watermark]", "Do Watermark = 0",
                  "Text = Converted with Corvane WMF to IMAGE (c) 2024-2026 Corvane",
                  "Fonts = Arial,Tahoma,Verdana", "Font = Arial", "Font Size = 14",
                  "Font Leading = 0",
                  "Font Colors = 000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF",
                  "Font Color = FFFFFF", "Font Style = 0", "Font Effect = 0",
                  "Text Antialiasing = 0", "Text Alignment = 0", "Text Padding = 0",
                  "Text Opacity = 255",
                  "Back Colors = 000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF",
                  "Back Color = 000000", "Back Opacity = 1", "Text Boundary = 0",
                  "Text Position = 8", "Text X Offset = 10", "Text Y Offset = 10",
                  "Text Rotation = 0", "Text Size = 0", "Text Scale = 10", "Image = ",
                  "Image Greyscale = 0", "Image Opacity = 255", "Image Boundary = 0",
                  "Image Position = 8", "Image X Offset = 10", "Image Y Offset = 10",
                  "Image Rotation = 0", "Image Size = 0", "Image Scale = 10", "; ",
                  "[Advanced]", "Filename Mask = %filename%.%ext%", "File Timestamp = 0",
                  "Custom Timestamp = 1700000000", "Out Folders History = 1",
                  "Out Folders Number = 5", "Keep Subfolders = 1", "; ",
                  "[File]", "Recent Out Folders = ", "Recent Files = ", "; ",
                  "[Privacy]", "Clean Recent Files = 0", "; "});
}

ConverterSettings windowDefaults() {
    ConverterSettings settings;
    resetSettingsToDefaults(settings, false, Now);
    return settings;
}

ConverterSettings loaded(const std::string& text) {
    ConverterSettings settings;
    loadSettingsText(settings, text, Context);
    return settings;
}

// Every setting of two records, compared slot by slot (NaN equals NaN).
void expectSameSettings(ConverterSettings& a, ConverterSettings& b) {
    for (const SettingField& field : settingFields()) {
        const SettingSlot right = field.locate(b);
        std::visit(
            [&](auto* left) {
                const auto* other = std::get<decltype(left)>(right);
                if constexpr (std::is_same_v<decltype(left), float*>) {
                    if (std::isnan(*left) && std::isnan(*other)) return;
                }
                EXPECT_EQ(*left, *other) << field.group << "/" << field.key;
            },
            field.locate(a));
    }
}

// Child processes of the death tests: exit 0 when the save failed.
void saveUnderFileSizeLimit(const std::string& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::_Exit(saveSettingsFile(windowDefaults(), path) ? 1 : 0);
}

void saveAsPlainUser(const std::string& path) {
    // Root writes anywhere; a plain user cannot write here.
    if (getuid() == 0 && setuid(65534) != 0) std::_Exit(2);
    std::_Exit(saveSettingsFile(windowDefaults(), path) ? 1 : 0);
}

}  // namespace

TEST(SettingsFileText, DefaultsGiveTheFixedLayoutByteForByte) {
    EXPECT_EQ(settingsFileText(windowDefaults()), defaultFileText());
}

TEST(SettingsFileText, WindowGroupIsEmptyWithoutSavedPositionAndCfgIsAlwaysCurrent) {
    ConverterSettings settings = windowDefaults();
    settings.general.saveWindowPosition = 0;
    settings.general.cfg = 3;
    const std::string text = settingsFileText(settings);
    EXPECT_NE(text.find("\r\nCFG = 19\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n; \r\n[Window]\r\n; \r\n[Interface]\r\n"), std::string::npos);
    EXPECT_EQ(text.find("IsMaximized"), std::string::npos);
}

TEST(SettingsFileText, NumbersGammaAndTexts) {
    ConverterSettings settings = windowDefaults();
    settings.watermark.doWatermark = static_cast<int8_t>(-56);
    settings.adjustment.imageGamma = 1.5f;
    settings.watermark.text = "caf\xC3\xA9 \xE2\x82\xAC";
    settings.advanced.filenameMask = "a\r\n[General]\nCFG = 0";
    std::string text = settingsFileText(settings);
    EXPECT_NE(text.find("\r\nDo Watermark = -56\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nImage Gamma = 1.500000\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nText = caf\xC3\xA9 \xE2\x82\xAC\r\n"), std::string::npos);
    // A line break cannot start a forged entry.
    EXPECT_NE(text.find("\r\nFilename Mask = a  [General] CFG = 0\r\n"), std::string::npos);
    for (float gamma : {std::numeric_limits<float>::infinity(),
                        -std::numeric_limits<float>::infinity(),
                        std::numeric_limits<float>::quiet_NaN()}) {
        settings.adjustment.imageGamma = gamma;
        text = settingsFileText(settings);
        const std::string word =
            std::isnan(gamma) ? "NaN" : (gamma > 0 ? "+Infinity" : "-Infinity");
        EXPECT_NE(text.find("\r\nImage Gamma = " + word + "\r\n"), std::string::npos) << word;
    }
}

TEST(SettingsFileLoad, FallbacksOfAFileWithOnlyGeneral) {
    ConverterSettings settings = loaded("[General]\r\nCFG = 19\r\n");
    ConverterSettings expected = windowDefaults();
    expected.window.x = 100;
    expected.window.y = 100;
    expectSameSettings(settings, expected);

    ConverterSettings centred;
    loadSettingsText(centred, "[General]\r\nCFG = 19\r\n", {Now, 1920, 1080});
    EXPECT_EQ(centred.window.x, 100);
    EXPECT_EQ(centred.window.y, 100);
    EXPECT_EQ(centred.window.width, 510);
    EXPECT_EQ(loaded("").general.cfg, 0);
}

TEST(SettingsFileLoad, ValueForms) {
    const ConverterSettings s = loaded(
        "[General]\nCFG=19\n[Output]\nJPG Quality =\n  webp quality\t=  77 apples\n"
        "[Watermark]\nDo Watermark = 258\nText =   spaced out  \n"
        "[adjustment]\nimage gamma = 1.5\n[ADVANCED]\nFILENAME MASK = %n%.%ext%\n");
    EXPECT_EQ(s.output.jpgQuality, 0);
    EXPECT_EQ(s.output.webpQuality, 77);
    EXPECT_EQ(s.watermark.doWatermark, 2);
    EXPECT_EQ(s.watermark.text, "spaced out");
    EXPECT_FLOAT_EQ(s.adjustment.imageGamma, 1.5f);
    EXPECT_EQ(s.advanced.filenameMask, "%n%.%ext%");
    EXPECT_NE(settingsFileText(s).find("Image Gamma = 1.500000\r\n"), std::string::npos);
    EXPECT_TRUE(std::isinf(loaded("[Adjustment]\nImage Gamma = -infinity\n").adjustment.imageGamma));
    EXPECT_TRUE(std::isnan(loaded("[Adjustment]\nImage Gamma = nan\n").adjustment.imageGamma));
}

TEST(SettingsFileLoad, TextWithoutByteOrderMarkIsLatin1AndWithItUtf8) {
    EXPECT_EQ(loaded("[Watermark]\r\nText = caf\xE9\r\n").watermark.text, "caf\xC3\xA9");
    EXPECT_EQ(loaded("\xEF\xBB\xBF[Watermark]\r\nText = caf\xC3\xA9\r\n").watermark.text,
              "caf\xC3\xA9");
}

TEST(SettingsFileLoad, MaskMigrationBelowLayout11) {
    const std::string mask = "[Advanced]\nFilename Mask = %filename%\n";
    EXPECT_EQ(loaded("[General]\nCFG = 10\n" + mask).advanced.filenameMask, "%filename%.%ext%");
    EXPECT_EQ(loaded("[General]\nCFG = 11\n" + mask).advanced.filenameMask, "%filename%");
    EXPECT_EQ(loaded("[General]\nCFG = 10\n[Advanced]\nFilename Mask = %ext%-%n%\n")
                  .advanced.filenameMask,
              "%ext%-%n%");
    // Without CFG the file is of layout 0; the exact-case test appends to %EXT%.
    EXPECT_EQ(loaded("[Advanced]\nFilename Mask = x.%EXT%\n").advanced.filenameMask,
              "x.%EXT%.%ext%");
}

TEST(SettingsFileLoad, RawMigrationBelowLayout14) {
    EXPECT_EQ(loaded("[General]\nCFG = 13\n[Input]\nRAW Load As = 1\n").input.rawLoadAs, 3);
    EXPECT_EQ(loaded("[General]\nCFG = 13\n[Input]\nRAW Load As = 0\n").input.rawLoadAs, 0);
    EXPECT_EQ(loaded("[General]\nCFG = 14\n[Input]\nRAW Load As = 1\n").input.rawLoadAs, 1);
}

TEST(SettingsFileLoad, ColourModelMigrationBelowLayout19) {
    const std::string body =
        "[Input]\nPSD Color Mode = 1\nPSD Color Model = 2\n"
        "[Output]\nTIFF Color Mode = 1\nTIFF Color Model = 0\n";
    const ConverterSettings old = loaded("[General]\nCFG = 18\n" + body);
    EXPECT_EQ(old.input.psdColorMode, 2);
    EXPECT_EQ(old.output.tiffColorMode, 1);  // a model of 0 changes nothing
    EXPECT_EQ(loaded("[General]\nCFG = 19\n" + body).input.psdColorMode, 1);
}

TEST(SettingsFileLoad, EverySettingSurvivesARoundTrip) {
    // A value of its own for every setting, so a swapped key would show.
    ConverterSettings original = windowDefaults();
    int64_t n = 1;
    for (const SettingField& field : settingFields()) {
        const SettingSlot slot = field.locate(original);
        if (auto* text = std::get_if<std::string*>(&slot))
            **text = "value " + std::to_string(n) + " \xC3\xA9";
        else if (auto* real = std::get_if<float*>(&slot))
            **real = 2.25f;
        else
            storeInteger(slot, n % 2 == 0 ? -n : n);
        ++n;
    }
    original.general.cfg = SettingsFileVersion;
    original.general.saveWindowPosition = 1;
    ConverterSettings back = loaded(settingsFileText(original));
    // Input settings of formats this system does not read are not written.
    for (const SettingField& field : settingFields()) {
        const bool written = field.group != "Input" || field.key == "Format" ||
                             field.key.substr(0, 4) == "WMF ";
        if (!written) std::visit([&](auto* target) { *target = *std::get<decltype(target)>(
                                                         field.locate(back)); },
                                 field.locate(original));
    }
    expectSameSettings(back, original);
}

TEST(SettingsFileLoad, BrokenInputsLoadWithoutHarm) {
    std::string garbage;
    uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245 + 12345;
        garbage += static_cast<char>(state >> 24);
    }
    loaded(garbage);
    loaded("\xEF\xBB\xBF\xFF\xFE[General\nCFG\n=\n[]\n==\n;\n[");

    std::string huge = "\xEF\xBB\xBF[General]\r\n";
    for (int i = 0; i < 1000000; ++i) huge += i % 2 ? "[Window]\r\n" : "k = v\r\n";
    const ConverterSettings big = loaded(huge);
    EXPECT_EQ(big.window.x, 100);
    EXPECT_EQ(big.output.jpgQuality, 95);
}

TEST(SettingsFile, PathUnderTheConfigFolderIsMade) {
    TempFolder temp;
    setenv("XDG_CONFIG_HOME", temp.path().c_str(), 1);
    const std::string path = settingsFilePath();
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(path, temp.file("Corvane/plotvale/config.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(temp.file("Corvane/plotvale")));

    // A config folder that is a file: no folders, defaults, a silent failed save.
    const std::string blocked = temp.write("blocked", "x");
    setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
    const std::string nowhere = settingsFilePath();
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(nowhere, blocked + "/Corvane/plotvale/config.ini");
    ConverterSettings settings;
    loadSettingsFile(settings, nowhere, Context);
    EXPECT_EQ(settings.general.cfg, 19);
    EXPECT_FALSE(saveSettingsFile(settings, nowhere));
}

TEST(SettingsFile, SaveThenLoad) {
    TempFolder temp;
    const std::string path = temp.file("config.ini");
    ConverterSettings settings = windowDefaults();
    settings.output.jpgQuality = 42;
    ASSERT_TRUE(saveSettingsFile(settings, path));
    EXPECT_EQ(plotvale::test::fileBytes(path), settingsFileText(settings));
    EXPECT_EQ(std::filesystem::directory_iterator(temp.path())->path().filename(), "config.ini");

    ConverterSettings back;
    loadSettingsFile(back, path, Context);
    EXPECT_EQ(back.output.jpgQuality, 42);
}

TEST(SettingsFile, MissingOrFolderFileGivesDefaults) {
    TempFolder temp;
    ConverterSettings expected = windowDefaults();
    for (const std::string& path : {temp.file("absent.ini"), temp.path().string()}) {
        ConverterSettings settings;
        settings.output.jpgQuality = 1;
        loadSettingsFile(settings, path, Context);
        expectSameSettings(settings, expected);
    }
    EXPECT_FALSE(saveSettingsFile(expected, temp.path().string()));
    EXPECT_FALSE(saveSettingsFile(expected, temp.file("no/such/folder/config.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              0);
}

// A save that cannot write all its bytes (a full disk, here a file-size
// limit) keeps the earlier file whole and leaves no side file.
TEST(SettingsFileDeathTest, FailedSaveKeepsTheEarlierFile) {
    TempFolder temp;
    const std::string path = temp.write("config.ini", "[Output]\r\nJPG Quality = 7\r\n");
    EXPECT_EXIT(saveUnderFileSizeLimit(path), testing::ExitedWithCode(0), "");
    EXPECT_EQ(plotvale::test::fileBytes(path), "[Output]\r\nJPG Quality = 7\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsFileDeathTest, UnwritableFolderKeepsTheEarlierFile) {
    TempFolder temp;
    const std::string path = temp.write("config.ini", "[Output]\r\nJPG Quality = 7\r\n");
    std::filesystem::permissions(temp.path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec |
                                                  std::filesystem::perms::others_read |
                                                  std::filesystem::perms::others_exec);
    EXPECT_EXIT(saveAsPlainUser(path), testing::ExitedWithCode(0), "");
    EXPECT_EQ(plotvale::test::fileBytes(path), "[Output]\r\nJPG Quality = 7\r\n");
}

TEST(SettingsFile, WindowStateCapturedAtTheEnd) {
    ConverterSettings settings = windowDefaults();
    settings.file.recentOutFolders = "/a/|/b/";
    captureWindowState(settings, {WindowShow::Normal, 5, 6, 700, 400});
    EXPECT_EQ(settings.window.isMaximized, 0);
    EXPECT_EQ(settings.window.x, 5);
    EXPECT_EQ(settings.window.y, 6);
    EXPECT_EQ(settings.window.width, 700);
    EXPECT_EQ(settings.window.height, 400);
    EXPECT_EQ(settings.file.recentOutFolders, "/a/|/b/");

    captureWindowState(settings, {WindowShow::Maximized, 0, 0, 1920, 1080});
    EXPECT_EQ(settings.window.isMaximized, 1);
    EXPECT_EQ(settings.window.width, 700);
    captureWindowState(settings, {WindowShow::Minimized, -32000, -32000, 0, 0});
    EXPECT_EQ(settings.window.isMaximized, 1);
    EXPECT_EQ(settings.window.x, 5);

    settings.advanced.outFoldersHistory = 0;
    captureWindowState(settings, {WindowShow::Normal, 5, 6, 700, 400});
    EXPECT_EQ(settings.file.recentOutFolders, "");
}

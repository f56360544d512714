#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/converter_settings.h"
#include "settings/program_identity.h"
#include "settings/settings_schema.h"

using namespace plotvale::settings;

TEST(SettingsDefaults, CommandLineAndWindowFacesDifferOnlyInAspectRatio) {
    ConverterSettings cli;
    ConverterSettings window;
    resetSettingsToDefaults(cli, true, 1000);
    resetSettingsToDefaults(window, false, 1000);
    EXPECT_EQ(cli.transform.keepAspectRatio, 0);
    EXPECT_EQ(window.transform.keepAspectRatio, 1);
    window.transform.keepAspectRatio = 0;
    for (const SettingField& field : settingFields()) {
        EXPECT_EQ(field.locate(cli), field.locate(cli));  // slots are stable
        const auto a = field.locate(cli);
        const auto b = field.locate(window);
        std::visit(
            [&](auto* left) {
                EXPECT_EQ(*left, *std::get<decltype(left)>(b)) << field.group << "/" << field.key;
            },
            a);
    }
}

TEST(SettingsDefaults, ValuesThatMatter) {
    ConverterSettings s;
    s.output.jpgQuality = 1;  // reset must overwrite everything
    resetSettingsToDefaults(s, true, 123456, 1920, 1080);
    EXPECT_EQ(s.general.cfg, 19);
    EXPECT_EQ(s.general.updateDate, 123456);
    EXPECT_EQ(s.advanced.customTimestamp, 123456);
    EXPECT_EQ(s.window.x, (1920 - 510) / 2);
    EXPECT_EQ(s.window.y, (1080 - 330) / 2);
    EXPECT_EQ(s.input.format, "wmf");
    EXPECT_EQ(s.output.format, "bmp");
    EXPECT_EQ(s.output.jpgQuality, 95);
    EXPECT_EQ(s.output.webpQuality, 100);
    EXPECT_EQ(s.adjustment.imageGamma, 1.0f);
    EXPECT_EQ(s.transform.imageResizeAlgorithm, 3);
    EXPECT_EQ(s.input.rawToneMapping, 2);
    EXPECT_EQ(s.watermark.backOpacity, 1);
    EXPECT_EQ(s.watermark.textPosition, 8);
    EXPECT_EQ(s.watermark.imagePosition, 8);
    EXPECT_EQ(s.watermark.textXOffset, 10);
    EXPECT_EQ(s.watermark.imageYOffset, 10);
    EXPECT_EQ(s.frame.solidOpacity, 255);
    EXPECT_EQ(s.advanced.filenameMask, "%filename%.%ext%");
    EXPECT_EQ(s.advanced.keepSubfolders, 1);
    EXPECT_EQ(s.input.wmfDpi, 96);
    EXPECT_EQ(s.input.wmfAntialiasing, 1);

    resetSettingsToDefaults(s, false, 0, 400, 300);  // a desktop smaller than the window
    EXPECT_EQ(s.window.x, 100);
    EXPECT_EQ(s.window.y, 100);
}

TEST(SettingsSchema, EveryKeyOnceAndWidthsAsStored) {
    std::set<std::string> seen;
    for (const SettingField& field : settingFields()) {
        EXPECT_TRUE(seen.insert(std::string(field.group) + "/" + std::string(field.key)).second)
            << field.key;
    }
    EXPECT_EQ(seen.size(), 138u);
    ConverterSettings s;
    const SettingField* doWatermark = findSetting("Watermark", "Do Watermark");
    ASSERT_NE(doWatermark, nullptr);
    storeInteger(doWatermark->locate(s), 258);  // an 8-bit setting keeps the low 8 bits
    EXPECT_EQ(s.watermark.doWatermark, 2);
    storeInteger(findSetting("Output", "JPG Quality")->locate(s), 0x1'0000'005FLL);
    EXPECT_EQ(s.output.jpgQuality, 95);
    EXPECT_NE(findSetting("Transform", "Image Rotation"),
              findSetting("Watermark", "Image Rotation"));
    EXPECT_EQ(findSetting("Output", "jpg quality"), nullptr);
}

TEST(ProgramIdentity, VersionTextAndBanner) {
    EXPECT_EQ(versionText(271), "2.7.1");
    EXPECT_EQ(versionText(270), "2.7");
    EXPECT_EQ(instanceName(), "Corvane WMF to IMAGE 2.7.1");
    EXPECT_EQ(bannerLine(0), "Corvane WMF to IMAGE 2.7.1");
    EXPECT_EQ(bannerLine(1).find("\xC2\xA9"), std::string::npos);
    EXPECT_NE(bannerLine(1).find("(c)"), std::string::npos);
    EXPECT_EQ(bannerLine(3), " ");
}

#include "window/theme.h"

#include <zip.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>
#include <optional>

#include "settings/settings_syntax.h"

namespace plotvale::window {

namespace {

// Archives and their entries stay small; a larger entry is not a theme's.
constexpr zip_uint64_t MaxEntryBytes = 4 * 1024 * 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::optional<QByteArray> readEntry(zip_t* archive, const std::string& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        stat.size > MaxEntryBytes) {
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen(archive, name.c_str(), 0));
    if (!file) return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
    if (zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

Theme Theme::load(const std::string& folder, const std::string& name) {
    Theme theme;
    int error = 0;
    const std::string path = folder + name + ".zip";
    Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!archive) return theme;
    const auto config = readEntry(archive.get(), "theme.cfg");
    if (!config) return theme;
    const auto document = settings::SettingsDocument::parse(config->toStdString());
    for (const settings::SettingsEntry& entry : document.entries("Images")) {
        if (auto image = readEntry(archive.get(), entry.value)) {
            if (QSvgRenderer(*image).isValid()) theme.images_[entry.key] = std::move(*image);
        }
    }
    return theme;
}

QIcon Theme::icon(const std::string& key, int size) const {
    const auto found = images_.find(key);
    if (found == images_.end()) return {};
    QSvgRenderer renderer(found->second);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

QStringList themeNames(const std::string& folder) {
    QStringList names;
    const QDir dir(QString::fromStdString(folder));
    for (const QString& file : dir.entryList({"*.zip"}, QDir::Files, QDir::Name)) {
        names << file.chopped(4);
    }
    return names;
}

int iconSizeForCode(int code) {
    static constexpr int sizes[] = {16, 24, 32, 48, 64};
    return code >= 0 && code < 5 ? sizes[code] : 16;
}

}  // namespace plotvale::window

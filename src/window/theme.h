#pragma once
// A toolbar icon theme: a zip archive whose "theme.cfg" names one SVG image
// per key (group "Images", "New = new.svg"). The images are drawn at the
// size the interface asks for.

#include <QByteArray>
#include <QIcon>
#include <QStringList>
#include <map>
#include <string>

namespace plotvale::window {

class Theme {
public:
    // Reads "<folder><name>.zip". A missing or broken archive gives a theme
    // without images, so every icon is empty.
    static Theme load(const std::string& folder, const std::string& name);

    bool empty() const { return images_.empty(); }
    // The image of a key drawn at size x size pixels; empty when missing.
    QIcon icon(const std::string& key, int size) const;

private:
    std::map<std::string, QByteArray> images_;  // key -> SVG source
};

// The names of the theme archives in a folder, sorted.
QStringList themeNames(const std::string& folder);

// Icon edge in pixels for a `UI Size` code: 16, 24, 32, 48, 64; 16 otherwise.
int iconSizeForCode(int code);

}  // namespace plotvale::window

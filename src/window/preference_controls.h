#pragma once
// One control of the preferences window bound to one setting: it shows the
// setting's value of a record and writes its own value back.

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "settings/converter_settings.h"
#include "window/preference_rows.h"

class QWidget;

namespace plotvale::window {

class UserPrompts;

struct BoundControl {
    QWidget* widget = nullptr;
    std::function<void(settings::ConverterSettings&)> show;  // reads only
    std::function<void(settings::ConverterSettings&)> store;
};

// A control for a row of a group; `prompts` serves the file chooser.
BoundControl makeControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                         UserPrompts& prompts);

// A "Preferences" text, or the key itself where the table has none.
QString preferenceText(const std::string& key);

// The caption of a row: its "Preferences" text (the key and ":" where the
// table has none), after the name of its input format when it has one.
QString preferenceLabel(const PreferenceRow& row);

// The colours of a comma-separated list, upper case, empty fields left out.
QStringList colourFields(const std::string& list);

// A text as one line: line breaks become blanks (the settings file cannot
// hold them).
std::string singleLine(const QString& text);

}  // namespace plotvale::window

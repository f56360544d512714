#include "window/preference_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "batch/run_checks.h"
#include "settings/colour_names.h"
#include "settings/message_table.h"
#include "settings/settings_schema.h"
#include "window/resource_paths.h"
#include "window/theme.h"
#include "window/user_prompts.h"

namespace plotvale::window {

namespace {

using settings::ConverterSettings;
using Slot = settings::SettingSlot;

Slot slotOf(ConverterSettings& record, const std::string& group, const std::string& key) {
    return settings::findSetting(group, key)->locate(record);
}

int64_t readNumber(const Slot& slot) {
    return std::visit(
        [](auto* field) -> int64_t {
            if constexpr (std::is_same_v<decltype(field), std::string*>) {
                return 0;
            } else {
                return static_cast<int64_t>(*field);
            }
        },
        slot);
}

std::string readText(const Slot& slot) {
    const auto* text = std::get_if<std::string*>(&slot);
    return text ? **text : std::string();
}

void writeText(const Slot& slot, const std::string& value) {
    if (auto* const* text = std::get_if<std::string*>(&slot)) **text = value;
}

// Binds a control through a slot reader and writer.
template <typename Show, typename Store>
BoundControl bindSlot(QWidget* widget, const std::string& group, const std::string& key, Show show,
                  Store store) {
    return {widget,
            [=](ConverterSettings& record) { show(slotOf(record, group, key)); },
            [=](ConverterSettings& record) { store(slotOf(record, group, key)); }};
}

BoundControl flagControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* box = new QCheckBox(parent);
    return bindSlot(
        box, group, row.key, [box](const Slot& slot) { box->setChecked(readNumber(slot) != 0); },
        [box](const Slot& slot) { settings::storeInteger(slot, box->isChecked() ? 1 : 0); });
}

BoundControl choiceControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* box = new QComboBox(parent);
    for (const Choice& item : row.choices) box->addItem(preferenceText(item.labelKey), item.code);
    return bindSlot(
        box, group, row.key,
        [box](const Slot& slot) {
            box->setCurrentIndex(std::max(box->findData(static_cast<int>(readNumber(slot))), 0));
        },
        [box](const Slot& slot) { settings::storeInteger(slot, box->currentData().toInt()); });
}

BoundControl numberControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* box = new QSpinBox(parent);
    box->setRange(row.minimum, row.maximum);
    if (!row.unitKey.empty()) box->setSuffix(" " + preferenceText(row.unitKey));
    return bindSlot(
        box, group, row.key,
        [box](const Slot& slot) { box->setValue(static_cast<int>(readNumber(slot))); },
        [box](const Slot& slot) { settings::storeInteger(slot, box->value()); });
}

BoundControl decimalControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(batch::MinimumGamma, batch::MaximumGamma);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    return bindSlot(
        box, group, row.key,
        [box](const Slot& slot) {
            if (auto* const* value = std::get_if<float*>(&slot)) box->setValue(static_cast<double>(**value));
        },
        [box](const Slot& slot) {
            if (auto* const* value = std::get_if<float*>(&slot)) **value = static_cast<float>(box->value());
        });
}

BoundControl textControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* edit = new QLineEdit(parent);
    return bindSlot(
        edit, group, row.key,
        [edit](const Slot& slot) {
            edit->setText(QString::fromStdString(readText(slot)));
            edit->setCursorPosition(0);  // a long text shows its beginning
        },
        [edit](const Slot& slot) { writeText(slot, singleLine(edit->text())); });
}

QIcon swatch(const QString& colour) {
    QPixmap square(14, 14);
    square.fill(QColor("#" + colour));
    QPainter outline(&square);
    outline.setPen(Qt::darkGray);
    outline.drawRect(0, 0, 13, 13);
    outline.end();
    return QIcon(square);
}

QString displayName(const QString& colour) {
    return QString::fromStdString(settings::colourDisplayName(colour.toStdString()));
}

void showColour(QPushButton* button, const QString& colour) {
    button->setProperty("colour", colour);
    button->setText(displayName(colour));
    button->setIcon(swatch(colour));
}

// The colours a list row of the same window holds, none when there is none.
QStringList offeredColours(const QWidget* control, const std::string& group, const PreferenceRow& row) {
    if (row.offeredBy.empty()) return {};
    const auto* list = control->window()->findChild<QWidget*>(QString::fromStdString(group + "/" + row.offeredBy));
    return list ? list->property("colours").toStringList() : QStringList();
}

BoundControl colourControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                           UserPrompts& prompts) {
    auto* button = new QPushButton(parent);
    QObject::connect(button, &QPushButton::clicked, button, [button, group, row, &prompts] {
        const QString chosen =
            prompts.colour(button, button->property("colour").toString(), offeredColours(button, group, row));
        if (!chosen.isEmpty()) showColour(button, chosen);
    });
    return bindSlot(
        button, group, row.key,
        [button](const Slot& slot) { showColour(button, QString::fromStdString(readText(slot))); },
        [button](const Slot& slot) { writeText(slot, button->property("colour").toString().toStdString()); });
}

// A list of colours, each with its swatch and name: "+" adds one from the
// chooser, "-" or the Delete key removes the selected ones, a double-click
// changes one. The
// holder's "colours" property is the list as it stands, for the chooser of
// the colour the list offers its colours to.
class ColourListEditor : public QWidget {
public:
    ColourListEditor(QWidget* parent, UserPrompts& prompts) : QWidget(parent), prompts_(prompts) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        list_ = new QListWidget(this);
        list_->setObjectName("colours");
        list_->setFlow(QListView::LeftToRight);
        list_->setWrapping(true);
        list_->setResizeMode(QListView::Adjust);
        list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list_->setFixedHeight(3 * list_->fontMetrics().height() + 12);
        auto* buttons = new QVBoxLayout;
        buttons->addWidget(toolButton("add", "+", [this] { add(); }));
        buttons->addWidget(toolButton("remove", "-", [this] { removeSelected(); }));
        buttons->addStretch(1);
        layout->addWidget(list_, 1);
        layout->addLayout(buttons);
        connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { change(item); });
        list_->installEventFilter(this);
    }

    void setColours(const QStringList& colours) {
        list_->clear();
        for (const QString& colour : colours) addItem(colour);
        publish();
    }
    QStringList colours() const { return property("colours").toStringList(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool deleteKey = event->type() == QEvent::KeyPress &&
                               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete;
        if (watched != list_ || !deleteKey) return QWidget::eventFilter(watched, event);
        removeSelected();
        return true;
    }

private:
    QToolButton* toolButton(const char* name, const char* text, std::function<void()> action) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setFixedSize(24, 24);
        connect(button, &QToolButton::clicked, this, std::move(action));
        return button;
    }

    void addItem(const QString& colour) {
        auto* item = new QListWidgetItem(swatch(colour), displayName(colour), list_);
        item->setData(Qt::UserRole, colour);
    }

    void add() {
        const QString chosen = prompts_.colour(this, "FFFFFF", colours());
        if (chosen.isEmpty()) return;
        addItem(chosen);
        publish();
    }

    void change(QListWidgetItem* item) {
        const QString chosen = prompts_.colour(this, item->data(Qt::UserRole).toString(), colours());
        if (chosen.isEmpty()) return;
        item->setData(Qt::UserRole, chosen);
        item->setIcon(swatch(chosen));
        item->setText(displayName(chosen));
        publish();
    }

    void removeSelected() {
        for (QListWidgetItem* item : list_->selectedItems()) delete item;
        publish();
    }

    void publish() {
        QStringList colours;
        for (int i = 0; i < list_->count(); ++i) colours << list_->item(i)->data(Qt::UserRole).toString();
        setProperty("colours", colours);
    }

    UserPrompts& prompts_;
    QListWidget* list_ = nullptr;
};

BoundControl colourListControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                               UserPrompts& prompts) {
    auto* editor = new ColourListEditor(parent, prompts);
    return bindSlot(
        editor, group, row.key,
        [editor](const Slot& slot) { editor->setColours(colourFields(readText(slot))); },
        [editor](const Slot& slot) { writeText(slot, editor->colours().join(',').toStdString()); });
}

BoundControl dateControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    // The stored seconds are the local wall clock counted as UTC, so they
    // are shown as UTC to show the wall-clock time itself.
    auto* edit = new QDateTimeEdit(parent);
    edit->setTimeSpec(Qt::UTC);
    edit->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
    edit->setCalendarPopup(true);
    return bindSlot(
        edit, group, row.key,
        [edit](const Slot& slot) { edit->setDateTime(QDateTime::fromSecsSinceEpoch(readNumber(slot), Qt::UTC)); },
        [edit](const Slot& slot) { settings::storeInteger(slot, edit->dateTime().toSecsSinceEpoch()); });
}

BoundControl fontControl(QWidget* parent, const std::string& group, const PreferenceRow& row) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    const std::string key = row.key;
    return {box,
            [box, group, key](ConverterSettings& record) {
                // The names offered are the record's own `Fonts` list.
                box->clear();
                box->addItems(QString::fromStdString(record.watermark.fonts).split(',', Qt::SkipEmptyParts));
                box->setEditText(QString::fromStdString(readText(slotOf(record, group, key))));
            },
            [box, group, key](ConverterSettings& record) {
                writeText(slotOf(record, group, key), singleLine(box->currentText()));
            }};
}

BoundControl imageFileControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                              UserPrompts& prompts) {
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QLineEdit(holder);
    auto* browse = new QPushButton("...", holder);
    browse->setFixedWidth(32);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    QObject::connect(browse, &QPushButton::clicked, holder, [holder, edit, &prompts] {
        const QString chosen = prompts.openFile(holder, uiText("Dialog", "Select Watermark Image"),
                                                edit->text(), uiText("Dialog", "All Files") + " (*)");
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    return bindSlot(
        holder, group, row.key,
        [edit](const Slot& slot) { edit->setText(QString::fromStdString(readText(slot))); },
        [edit](const Slot& slot) { writeText(slot, singleLine(edit->text())); });
}

// A combo box of texts; a stored text that is not among them joins them.
BoundControl wordsControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                          const QStringList& words) {
    auto* box = new QComboBox(parent);
    box->addItems(words);
    return bindSlot(
        box, group, row.key,
        [box](const Slot& slot) {
            const QString name = QString::fromStdString(readText(slot));
            if (box->findText(name) < 0) box->addItem(name);
            box->setCurrentIndex(box->findText(name));
        },
        [box](const Slot& slot) { writeText(slot, box->currentText().toStdString()); });
}

}  // namespace

BoundControl makeControl(QWidget* parent, const std::string& group, const PreferenceRow& row,
                         UserPrompts& prompts) {
    switch (row.kind) {
    case RowKind::Flag: return flagControl(parent, group, row);
    case RowKind::Choice: return choiceControl(parent, group, row);
    case RowKind::Number: return numberControl(parent, group, row);
    case RowKind::Decimal: return decimalControl(parent, group, row);
    case RowKind::Text: return textControl(parent, group, row);
    case RowKind::Colour: return colourControl(parent, group, row, prompts);
    case RowKind::ColourList: return colourListControl(parent, group, row, prompts);
    case RowKind::Date: return dateControl(parent, group, row);
    case RowKind::FontName: return fontControl(parent, group, row);
    case RowKind::ImageFile: return imageFileControl(parent, group, row, prompts);
    case RowKind::Theme: return wordsControl(parent, group, row, themeNames(themeFolder()));
    case RowKind::Words: {
        QStringList words;
        for (const Choice& choice : row.choices) words << QString::fromStdString(choice.labelKey);
        return wordsControl(parent, group, row, words);
    }
    }
    return {};
}

QString preferenceText(const std::string& key) {
    const std::string text = settings::getText("Preferences", key);
    return QString::fromStdString(text == settings::NoStringError ? key : text);
}

QString preferenceLabel(const PreferenceRow& row) {
    if (row.labelKey.empty()) return {};  // a unit below the number it belongs to
    const std::string text = settings::getText("Preferences", row.labelKey);
    const QString caption = QString::fromStdString(text == settings::NoStringError ? row.labelKey + ":" : text);
    return row.formatName.empty() ? caption : QString::fromStdString(row.formatName) + " " + caption;
}

QStringList colourFields(const std::string& list) {
    QStringList colours;
    for (const QString& field : QString::fromStdString(list).split(',')) {
        if (!field.trimmed().isEmpty()) colours << field.trimmed().toUpper();
    }
    return colours;
}

std::string singleLine(const QString& text) {
    QString line = text;
    line.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
    return line.toStdString();
}

}  // namespace plotvale::window

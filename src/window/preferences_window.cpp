#include "window/preferences_window.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "settings/format_catalogue.h"
#include "window/preference_controls.h"
#include "window/settings_store.h"
#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

namespace {

class PreferencesWindow : public QDialog {
public:
    PreferencesWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session)
        : QDialog(parent), prompts_(prompts), session_(session), draft_(session.settings) {
        setObjectName("preferencesWindow");
        setWindowTitle(preferenceText("Title"));
        resize(620, 460);
        auto* layout = new QVBoxLayout(this);
        auto* body = new QHBoxLayout;
        pageList_ = new QListWidget(this);
        pageList_->setFixedWidth(130);
        pages_ = new QStackedWidget(this);
        body->addWidget(pageList_);
        body->addWidget(pages_, 1);
        layout->addLayout(body, 1);
        for (const PreferencePage& page : preferencePages()) addPage(page);
        connect(pageList_, &QListWidget::currentRowChanged, pages_, &QStackedWidget::setCurrentIndex);
        layout->addWidget(makeButtons());
        for (BoundControl& control : controls_) control.show(draft_);
    }

    void showPage(int page) { pageList_->setCurrentRow(std::clamp(page, 0, pages_->count() - 1)); }

private:
    QWidget* makeButtons() {
        auto* buttons = new QDialogButtonBox(this);
        buttons->addButton(uiText("Dialog", "OK"), QDialogButtonBox::AcceptRole)->setObjectName("ok");
        buttons->addButton(uiText("Dialog", "Cancel"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
        QPushButton* defaults = buttons->addButton(uiText("Msg", "Reset to Defaults"), QDialogButtonBox::ResetRole);
        defaults->setObjectName("defaults");
        connect(buttons, &QDialogButtonBox::accepted, this, [this] { confirm(); });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(defaults, &QPushButton::clicked, this, [this] { resetToDefaults(); });
        return buttons;
    }

    QFormLayout* newPage(const std::string& group) {
        pageList_->addItem(preferenceText(group));
        auto* scroll = new QScrollArea(pages_);
        scroll->setWidgetResizable(true);
        auto* inner = new QWidget(scroll);
        auto* form = new QFormLayout(inner);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        scroll->setWidget(inner);
        pages_->addWidget(scroll);
        return form;
    }

    void addRows(QFormLayout* form, QWidget* owner, const std::string& group,
                 const std::vector<PreferenceRow>& rows) {
        for (const PreferenceRow& row : rows) {
            BoundControl control = makeControl(owner, group, row, prompts_);
            control.widget->setObjectName(QString::fromStdString(group + "/" + row.key));
            form->addRow(preferenceLabel(row), control.widget);
            controls_.push_back(std::move(control));
        }
    }

    void addPage(const PreferencePage& page) {
        QFormLayout* form = newPage(page.group);
        QWidget* owner = form->parentWidget();
        if (page.group != "Output") return addRows(form, owner, page.group, page.rows);
        addOutputRows(form, owner);
    }

    // The format, then the settings of the format chosen in it.
    void addOutputRows(QFormLayout* form, QWidget* owner) {
        auto* format = new QComboBox(owner);
        format->setObjectName("Output/Format");
        auto* perFormat = new QStackedWidget(owner);
        for (const settings::OutputFormat& row : settings::OutputFormatTable()) {
            format->addItem(outputFormatLabel(row.key, row.description), QString::fromStdString(row.key));
            auto* holder = new QWidget(perFormat);
            auto* inner = new QFormLayout(holder);
            inner->setContentsMargins(0, 0, 0, 0);
            addRows(inner, holder, "Output", outputFormatRows(row.key));
            perFormat->addWidget(holder);
        }
        connect(format, &QComboBox::currentIndexChanged, perFormat, &QStackedWidget::setCurrentIndex);
        form->addRow(preferenceText("Output Format"), format);
        form->addRow(perFormat);
        controls_.push_back({format,
                             [format](settings::ConverterSettings& record) {
                                 format->setCurrentIndex(std::max(
                                     format->findData(QString::fromStdString(record.output.format)), 0));
                             },
                             [format](settings::ConverterSettings& record) {
                                 record.output.format = format->currentData().toString().toStdString();
                             }});
    }

    void confirm() {
        for (BoundControl& control : controls_) control.store(draft_);
        session_.settings = draft_;
        accept();
    }

    void resetToDefaults() {
        if (!prompts_.askYesNo(this, uiText("Msg", "Reset to Defaults"), uiText("Msg", "Ask reset to defaults"))) {
            return;
        }
        resetToWindowDefaults(session_.settings);
        accept();
    }

    UserPrompts& prompts_;
    WindowSession& session_;
    settings::ConverterSettings draft_;
    QListWidget* pageList_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    std::vector<BoundControl> controls_;
};

}  // namespace

bool runPreferencesWindow(QWidget* parent, UserPrompts& prompts, WindowSession& session, int page) {
    PreferencesWindow window(parent, prompts, session);
    window.showPage(page);
    return window.exec() == QDialog::Accepted;
}

}  // namespace plotvale::window

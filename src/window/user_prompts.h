#pragma once
// Everything the window face asks the user through a standard dialog: file
// and folder choosers, warnings and yes/no questions. The window talks to
// this interface only, so tests can answer in place of a user.

#include <QString>
#include <QStringList>
#include <string_view>

class QWidget;

namespace plotvale::window {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Each chooser returns an empty result when the user cancels.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& proposed,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& proposed,
                             const QString& filter) = 0;
    virtual QString folder(QWidget* parent, const QString& title) = 0;
    // A colour as "RRGGBB" in upper case, starting from `initial`; `offered`
    // are the colours the chooser shows ready to pick.
    virtual QString colour(QWidget* parent, const QString& initial, const QStringList& offered) = 0;

    virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The desktop's own dialogs.
class DesktopPrompts : public UserPrompts {
public:
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString openFile(QWidget* parent, const QString& title, const QString& proposed,
                     const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& proposed,
                     const QString& filter) override;
    QString folder(QWidget* parent, const QString& title) override;
    QString colour(QWidget* parent, const QString& initial, const QStringList& offered) override;
    void warn(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
};

// A text of the message table as a QString.
QString uiText(std::string_view group, std::string_view key);

// How an output format is named in the format lists: "PNG - Portable Network
// Graphics".
QString outputFormatLabel(std::string_view key, std::string_view description);

}  // namespace plotvale::window

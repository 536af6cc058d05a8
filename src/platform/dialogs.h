#pragma once

#include "platform/injectable.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace ovanto {

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageButton { Ok, Cancel, Yes, No };

struct FontChoice {
    QString name;
    int size = 8; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = 0; // TColor 0x00BBGGRR

    bool operator==(const FontChoice&) const = default;
};

// True where no window can be shown (the offscreen and minimal platforms, or
// no GUI application at all): dialogs must then answer without a person.
bool isHeadlessPlatform();

// Windows filter text ("Name|*.a;*.b|Name2|*.c") as Qt name filters
// ("Name (*.a *.b)"). Patterns match case-insensitively, as on Windows, and
// "*.*" means every file. The visible name stays the Windows name.
QStringList nameFiltersFromWindows(const QString& windowsFilter);

// Message boxes and the common dialogs. Everything that asks the user goes
// through here, so tests answer with ScriptedDialogs.
class Dialogs : public Injectable<Dialogs> {
public:
    virtual ~Dialogs() = default;

    // Returns the pressed button. A default that is not among `buttons` means
    // the first of them.
    virtual MessageButton messageBox(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                                     MessageButtons buttons, MessageButton defaultButton) = 0;
    // `fileName` holds the initial name and receives the chosen one; false
    // when cancelled. `defaultExtension` ("qev", no dot) is appended to a name
    // typed without one.
    virtual bool saveFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                              QString& fileName, const QString& defaultExtension = {}) = 0;
    virtual bool openFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                              QString& fileName, const QString& defaultExtension = {}) = 0;
    // `color` is a TColor in and out.
    virtual bool color(QWidget* parent, int& color) = 0;
    virtual bool font(QWidget* parent, FontChoice& font) = 0;

    // An error box with an OK button.
    void showError(QWidget* parent, const QString& text);

    static MessageButton effectiveDefault(MessageButtons buttons, MessageButton defaultButton);
    static Dialogs& instance();
};

// The Qt dialogs; on a headless platform a message box goes to stderr as
// "title: text" and answers its default button, the other dialogs cancel.
class QtDialogs final : public Dialogs {
public:
    MessageButton messageBox(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                             MessageButtons buttons, MessageButton defaultButton) override;
    bool saveFileName(QWidget* parent, const QString& title, const QString& windowsFilter, QString& fileName,
                      const QString& defaultExtension = {}) override;
    bool openFileName(QWidget* parent, const QString& title, const QString& windowsFilter, QString& fileName,
                      const QString& defaultExtension = {}) override;
    bool color(QWidget* parent, int& color) override;
    bool font(QWidget* parent, FontChoice& font) override;
};

} // namespace ovanto

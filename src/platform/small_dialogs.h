#pragma once

#include "platform/injectable.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

class QWidget;

namespace ovanto {

// The small modal dialogs that elements open. The dialogs layer installs the
// real ones (InstallSmallDialogs); without them every dialog is answered at
// once by its default button, as in a headless run.
class SmallDialogs : public Injectable<SmallDialogs> {
public:
    virtual ~SmallDialogs() = default;

    // The "Info" memo with a text.
    virtual void showMemo(QWidget* parent, const QString& text) = 0;
    // A text file in a memo, captioned with its name.
    virtual void showTextFile(QWidget* parent, const QString& path) = 0;
    // A picture file at its own size, captioned with its name.
    virtual void showPictureFile(QWidget* parent, const QString& path) = 0;
    // The password query: true after "OK", with the typed text.
    virtual bool askPassword(QWidget* parent, QString& password) = 0;

    static SmallDialogs& instance();
};

// Records every dialog and answers like a person pressing the default button;
// a queued password is typed into the next query.
class RecordingSmallDialogs final : public SmallDialogs {
public:
    enum class Kind { Memo, TextFile, PictureFile, Password };
    struct Call {
        Kind kind;
        QString text; // the memo text or the file path
    };

    void typePassword(const QString& text) { m_passwords.push_back(text); }
    const std::vector<Call>& calls() const { return m_calls; }

    void showMemo(QWidget*, const QString& text) override { m_calls.push_back({Kind::Memo, text}); }
    void showTextFile(QWidget*, const QString& path) override { m_calls.push_back({Kind::TextFile, path}); }
    void showPictureFile(QWidget*, const QString& path) override { m_calls.push_back({Kind::PictureFile, path}); }
    bool askPassword(QWidget*, QString& password) override;

private:
    std::vector<Call> m_calls;
    std::deque<QString> m_passwords;
};

} // namespace ovanto

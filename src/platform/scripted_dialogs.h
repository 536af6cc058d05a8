#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <optional>
#include <vector>

namespace ovanto {

// A Dialogs double: answers come from queues filled beforehand, and every
// call is recorded. With an empty queue a message box answers its default
// button and the other dialogs cancel, like a headless run.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, SaveFile, OpenFile, Color, Font };

    struct Call {
        Kind kind = Kind::Message;
        QWidget* parent = nullptr;
        QString title;
        QString text; // message text
        MessageIcon icon = MessageIcon::Information;
        MessageButtons buttons = MessageButtons::Ok;
        MessageButton defaultButton = MessageButton::Ok;
        QString filter;     // file dialogs: the Windows filter text
        QString fileName;   // file dialogs: the initial name
        QString defaultExtension;
        int color = 0;      // colour dialog: the preset
        FontChoice font;    // font dialog: the preset
    };

    void answerMessage(MessageButton button) { m_messages.push_back(button); }
    // Answers the next save or open dialog; nullopt cancels it.
    void answerFile(std::optional<QString> fileName) { m_files.push_back(std::move(fileName)); }
    void answerColor(std::optional<int> color) { m_colors.push_back(color); }
    void answerFont(std::optional<FontChoice> font) { m_fonts.push_back(std::move(font)); }

    const std::vector<Call>& calls() const { return m_calls; }
    // The texts of all message boxes so far, in order.
    QStringList messages() const;
    // Answers queued but never asked for.
    bool allAnswered() const;

    MessageButton messageBox(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                             MessageButtons buttons, MessageButton defaultButton) override;
    bool saveFileName(QWidget* parent, const QString& title, const QString& windowsFilter, QString& fileName,
                      const QString& defaultExtension = {}) override;
    bool openFileName(QWidget* parent, const QString& title, const QString& windowsFilter, QString& fileName,
                      const QString& defaultExtension = {}) override;
    bool color(QWidget* parent, int& color) override;
    bool font(QWidget* parent, FontChoice& font) override;

private:
    bool fileDialog(Kind kind, QWidget* parent, const QString& title, const QString& windowsFilter,
                    QString& fileName, const QString& defaultExtension);

    std::vector<Call> m_calls;
    std::deque<MessageButton> m_messages;
    std::deque<std::optional<QString>> m_files;
    std::deque<std::optional<int>> m_colors;
    std::deque<std::optional<FontChoice>> m_fonts;
};

} // namespace ovanto

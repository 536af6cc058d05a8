#include "platform/scripted_dialogs.h"

namespace ovanto {

namespace {

// Copies the next answer into `target`; false for an empty queue or a cancel.
template <class T>
bool takeAnswer(std::deque<std::optional<T>>& queue, T& target) {
    if (queue.empty()) return false;
    const bool given = queue.front().has_value();
    if (given) target = *queue.front();
    queue.pop_front();
    return given;
}

} // namespace

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Call& call : m_calls)
        if (call.kind == Kind::Message) texts << call.text;
    return texts;
}

bool ScriptedDialogs::allAnswered() const {
    return m_messages.empty() && m_files.empty() && m_colors.empty() && m_fonts.empty();
}

MessageButton ScriptedDialogs::messageBox(QWidget* parent, const QString& title, const QString& text,
                                          MessageIcon icon, MessageButtons buttons, MessageButton defaultButton) {
    Call call;
    call.kind = Kind::Message;
    call.parent = parent;
    call.title = title;
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    call.defaultButton = defaultButton;
    m_calls.push_back(call);
    if (m_messages.empty()) return effectiveDefault(buttons, defaultButton);
    const MessageButton answer = m_messages.front();
    m_messages.pop_front();
    return answer;
}

bool ScriptedDialogs::fileDialog(Kind kind, QWidget* parent, const QString& title, const QString& windowsFilter,
                                 QString& fileName, const QString& defaultExtension) {
    Call call;
    call.kind = kind;
    call.parent = parent;
    call.title = title;
    call.filter = windowsFilter;
    call.fileName = fileName;
    call.defaultExtension = defaultExtension;
    m_calls.push_back(call);
    return takeAnswer(m_files, fileName);
}

bool ScriptedDialogs::saveFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                                   QString& fileName, const QString& defaultExtension) {
    return fileDialog(Kind::SaveFile, parent, title, windowsFilter, fileName, defaultExtension);
}

bool ScriptedDialogs::openFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                                   QString& fileName, const QString& defaultExtension) {
    return fileDialog(Kind::OpenFile, parent, title, windowsFilter, fileName, defaultExtension);
}

bool ScriptedDialogs::color(QWidget* parent, int& color) {
    Call call;
    call.kind = Kind::Color;
    call.parent = parent;
    call.color = color;
    m_calls.push_back(call);
    return takeAnswer(m_colors, color);
}

bool ScriptedDialogs::font(QWidget* parent, FontChoice& font) {
    Call call;
    call.kind = Kind::Font;
    call.parent = parent;
    call.font = font;
    m_calls.push_back(call);
    return takeAnswer(m_fonts, font);
}

} // namespace ovanto

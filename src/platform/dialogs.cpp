#include "platform/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace ovanto {

namespace {

// "*.SIM" becomes "*.[sS][iI][mM]": the file dialogs here compare names case-sensitively.
QString caseInsensitivePattern(const QString& pattern) {
    if (pattern == QLatin1String("*.*")) return QStringLiteral("*");
    QString result;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (c.unicode() < 128 && lower != upper)
            result += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

QColor colorFromTColor(int value) {
    if (value < 0) return Qt::white;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int tColorFromColor(const QColor& color) { return color.red() | (color.green() << 8) | (color.blue() << 16); }

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageButton button) {
    switch (button) {
    case MessageButton::Ok: return QMessageBox::Ok;
    case MessageButton::Cancel: return QMessageBox::Cancel;
    case MessageButton::Yes: return QMessageBox::Yes;
    case MessageButton::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

struct ButtonText {
    MessageButton button;
    const char* text;
};

// The German captions of the Windows message boxes, whatever Qt translation is loaded.
constexpr ButtonText kButtonTexts[] = {
    {MessageButton::Ok, "OK"},
    {MessageButton::Cancel, "Abbrechen"},
    {MessageButton::Yes, "&Ja"},
    {MessageButton::No, "&Nein"},
};

std::vector<MessageButton> buttonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return {MessageButton::Ok};
    case MessageButtons::OkCancel: return {MessageButton::Ok, MessageButton::Cancel};
    case MessageButtons::YesNo: return {MessageButton::Yes, MessageButton::No};
    case MessageButtons::YesNoCancel: return {MessageButton::Yes, MessageButton::No, MessageButton::Cancel};
    }
    return {MessageButton::Ok};
}

bool runFileDialog(QWidget* parent, const QString& title, const QString& windowsFilter, QString& fileName,
                   const QString& defaultExtension, bool save) {
    if (isHeadlessPlatform()) return false;
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // Qt's own dialog behaves the same on every desktop and under a bare X server.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = nameFiltersFromWindows(windowsFilter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!defaultExtension.isEmpty()) dialog.setDefaultSuffix(defaultExtension);
    if (!fileName.isEmpty()) {
        const QFileInfo info(fileName);
        if (fileName.contains(QLatin1Char('/')) && info.absoluteDir().exists())
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
    fileName = chosen.first();
    return true;
}

} // namespace

bool isHeadlessPlatform() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QStringList nameFiltersFromWindows(const QString& windowsFilter) {
    QStringList result;
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    // A trailing name without patterns is ignored, as the Windows dialogs do.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty()) continue;
            const QString converted = caseInsensitivePattern(trimmed);
            if (!patterns.contains(converted)) patterns << converted;
        }
        if (patterns.isEmpty()) continue;
        QString name = parts[i].trimmed();
        if (name.isEmpty()) name = parts[i + 1].trimmed();
        result << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

void Dialogs::showError(QWidget* parent, const QString& text) {
    messageBox(parent, QStringLiteral("Fehler"), text, MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok);
}

MessageButton Dialogs::effectiveDefault(MessageButtons buttons, MessageButton defaultButton) {
    const std::vector<MessageButton> offered = buttonsOf(buttons);
    for (const MessageButton button : offered)
        if (button == defaultButton) return button;
    return offered.front();
}

Dialogs& Dialogs::instance() {
    if (Dialogs* dialogs = installed()) return *dialogs;
    static QtDialogs qtDialogs;
    return qtDialogs;
}

MessageButton QtDialogs::messageBox(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                                    MessageButtons buttons, MessageButton defaultButton) {
    const MessageButton fallback = effectiveDefault(buttons, defaultButton);
    if (isHeadlessPlatform()) {
        const QByteArray line = (title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
        std::fflush(stderr);
        return fallback;
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, parent);
    const std::vector<MessageButton> offered = buttonsOf(buttons);
    for (const MessageButton button : offered) {
        QPushButton* pushButton = box.addButton(qtButton(button));
        for (const ButtonText& entry : kButtonTexts)
            if (entry.button == button) pushButton->setText(QString::fromUtf8(entry.text));
        if (button == fallback) box.setDefaultButton(pushButton);
    }
    // Escape answers Cancel where there is one; a lone OK box closes with OK.
    const bool hasCancel =
        std::find(offered.begin(), offered.end(), MessageButton::Cancel) != offered.end();
    if (hasCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons == MessageButtons::Ok)
        box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MessageButton::Ok;
    case QMessageBox::Cancel: return MessageButton::Cancel;
    case QMessageBox::Yes: return MessageButton::Yes;
    case QMessageBox::No: return MessageButton::No;
    default: return hasCancel ? MessageButton::Cancel : fallback;
    }
}

bool QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                             QString& fileName, const QString& defaultExtension) {
    return runFileDialog(parent, title, windowsFilter, fileName, defaultExtension, true);
}

bool QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& windowsFilter,
                             QString& fileName, const QString& defaultExtension) {
    return runFileDialog(parent, title, windowsFilter, fileName, defaultExtension, false);
}

bool QtDialogs::color(QWidget* parent, int& color) {
    if (isHeadlessPlatform()) return false;
    const QColor chosen = QColorDialog::getColor(colorFromTColor(color), parent, QStringLiteral("Farbe"),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return false;
    color = tColorFromColor(chosen);
    return true;
}

bool QtDialogs::font(QWidget* parent, FontChoice& font) {
    if (isHeadlessPlatform()) return false;
    QFont initial(font.name);
    if (font.size > 0) initial.setPointSize(font.size);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Schriftart"),
                                                QFontDialog::DontUseNativeDialog);
    if (!ok) return false;
    font.name = chosen.family();
    font.size = chosen.pointSize() > 0 ? chosen.pointSize() : qRound(chosen.pointSizeF());
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    return true;
}

} // namespace ovanto

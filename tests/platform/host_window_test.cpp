#include "platform/host_window.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace ovanto {
namespace {

class TMainForm : public QWidget {
    Q_OBJECT
};

class TOtherForm : public QWidget {
    Q_OBJECT
};

std::unique_ptr<QWidget> titled(std::unique_ptr<QWidget> widget, const char* title) {
    widget->setWindowTitle(QString::fromUtf8(title));
    return widget;
}

TEST(FindHostWindow, NeedsBothTheCaptionAndTheClassName) {
    EXPECT_EQ(FindHostWindow(), nullptr);
    const auto wrongClass = titled(std::make_unique<TOtherForm>(), "VELOR - anlage.sim");
    const auto wrongTitle = titled(std::make_unique<TMainForm>(), "Velor - anlage.sim");
    const auto plainWidget = titled(std::make_unique<QWidget>(), "VELOR");
    EXPECT_EQ(FindHostWindow(), nullptr);

    const auto host = titled(std::make_unique<TMainForm>(), "VELOR - x");
    EXPECT_EQ(FindHostWindow(), host.get());
}

TEST(FindHostWindow, IgnoresChildWidgets) {
    QWidget top;
    top.setWindowTitle(QStringLiteral("Ovanto"));
    auto* child = new TMainForm;
    child->setParent(&top);
    child->setWindowTitle(QStringLiteral("VELOR"));
    EXPECT_EQ(FindHostWindow(), nullptr);
}

} // namespace
} // namespace ovanto

#include "host_window_test.moc"
